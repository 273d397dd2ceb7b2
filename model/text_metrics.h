// Text measuring without a display: advance widths, line heights, ascents
// and capital heights of an Arial-like font (measured once from Liberation
// Sans) at the sizes placement and the drawers use. The renderer places
// component texts by the stored half sizes and the texts it measures itself
// (pin numbers and names, a chip's type) by these tables, so drawing and
// placement agree on every machine and every surface.
#pragma once

#include <array>
#include <string_view>

namespace vorlisk {

enum class FontKind {
    chip,        // Arial, 9 pixels: component texts are measured with it
    component,   // Arial, 12 pixels: the test-point label offset
    test_point,  // Arial, 14 pixels, bold: drawn test-point labels
    chip_bold,   // Arial, 9 pixels, bold: a chip's type in a bold label font
    pin_number,  // Arial, 8 pixels, bold: package pin numbers
    pin_name_6,  // Arial, 6, 5 and 4 pixels: datasheet pin names, shrunk to fit
    pin_name_5,
    pin_name_4,
    trace_axis,  // Arial, 11 pixels: the times under an exported timing diagram
};

struct FontMetricTable {
    int height;                         // line height in pixels
    int ascent;                         // from the cell's top to the baseline
    int cap_height;                     // of the capitals, above the baseline
    int wide_advance;                   // advance of a CJK character
    std::array<int, 95> ascii;          // advances of ' ' .. '~'
    struct Extra {
        int code;  // code point
        int advance;
    } extra[3];
    // The same advances in 64ths of a pixel: a text laid out by the font
    // is as wide as their sum, rounded.
    int wide_fine;
    std::array<int, 95> ascii_fine;
    std::array<int, 3> extra_fine;
};

extern const FontMetricTable kChipFontMetrics;
extern const FontMetricTable kComponentFontMetrics;
extern const FontMetricTable kTestPointFontMetrics;
extern const FontMetricTable kChipBoldFontMetrics;
extern const FontMetricTable kPinNumberFontMetrics;
extern const FontMetricTable kPinName6FontMetrics;
extern const FontMetricTable kPinName5FontMetrics;
extern const FontMetricTable kPinName4FontMetrics;
extern const FontMetricTable kTraceAxisFontMetrics;

const FontMetricTable& font_metrics(FontKind font);
// The sum of the advances of a UTF-8 text's letters.
int text_advance(const FontMetricTable& m, std::string_view utf8);
// The width of a UTF-8 text as the font lays it out: its letters' fine
// advances added, rounded to pixels.
int laid_out_width(const FontMetricTable& m, std::string_view utf8);

struct TextSize {
    int width = 0;
    int height = 0;
};

// Width (sum of advances) and line height of a UTF-8 text.
TextSize measure_text(std::string_view utf8, FontKind font);

}  // namespace vorlisk
