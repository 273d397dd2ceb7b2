// Text measuring for component labels without a display: advance widths and
// line heights of an Arial-like font (measured once from Liberation Sans) at
// the sizes placement uses. The renderer places texts by the stored half
// sizes, so drawing and placement agree on every machine.
#pragma once

#include <array>
#include <string_view>

namespace vorlisk {

enum class FontKind {
    chip,        // Arial, 9 pixels: component texts are measured with it
    component,   // Arial, 12 pixels: the test-point label offset
    test_point,  // Arial, 14 pixels, bold: drawn test-point labels
};

struct FontMetricTable {
    int height;                         // line height in pixels
    int wide_advance;                   // advance of a CJK character
    std::array<int, 95> ascii;          // advances of ' ' .. '~'
    struct Extra {
        int code;  // code point
        int advance;
    } extra[3];
};

extern const FontMetricTable kChipFontMetrics;
extern const FontMetricTable kComponentFontMetrics;
extern const FontMetricTable kTestPointFontMetrics;

struct TextSize {
    int width = 0;
    int height = 0;
};

// Width (sum of advances) and line height of a UTF-8 text.
TextSize measure_text(std::string_view utf8, FontKind font);

}  // namespace vorlisk
