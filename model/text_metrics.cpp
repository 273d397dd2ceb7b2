#include "model/text_metrics.h"

#include <cstdint>

namespace vorlisk {

namespace {

// Decodes one UTF-8 sequence at s[i]; malformed bytes count as one unit.
char32_t next_code_point(std::string_view s, size_t& i) {
    auto b = static_cast<unsigned char>(s[i]);
    int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : (b >> 3) == 0x1e ? 4 : 1;
    if (i + len > s.size()) len = 1;
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1f) : len == 3 ? (b & 0x0f) : (b & 0x07);
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3f);
    i += len;
    return cp;
}

int advance(const FontMetricTable& m, char32_t cp) {
    if (cp >= 32 && cp < 127) return m.ascii[cp - 32];
    for (auto [code, width] : m.extra)
        if (char32_t(code) == cp) return width;
    return m.wide_advance;  // CJK and anything else full width
}

int fine_advance(const FontMetricTable& m, char32_t cp) {
    if (cp >= 32 && cp < 127) return m.ascii_fine[cp - 32];
    for (int i = 0; i < 3; ++i)
        if (char32_t(m.extra[i].code) == cp) return m.extra_fine[size_t(i)];
    return m.wide_fine;
}

}  // namespace

int laid_out_width(const FontMetricTable& m, std::string_view utf8) {
    long long width = 0;
    for (size_t i = 0; i < utf8.size();) width += fine_advance(m, next_code_point(utf8, i));
    return int((width + 32) / 64);
}

const FontMetricTable& font_metrics(FontKind font) {
    switch (font) {
        case FontKind::chip: return kChipFontMetrics;
        case FontKind::component: return kComponentFontMetrics;
        case FontKind::test_point: return kTestPointFontMetrics;
        case FontKind::chip_bold: return kChipBoldFontMetrics;
        case FontKind::pin_number: return kPinNumberFontMetrics;
        case FontKind::pin_name_6: return kPinName6FontMetrics;
        case FontKind::pin_name_5: return kPinName5FontMetrics;
        case FontKind::pin_name_4: return kPinName4FontMetrics;
        case FontKind::trace_axis: return kTraceAxisFontMetrics;
    }
    return kComponentFontMetrics;
}

int text_advance(const FontMetricTable& m, std::string_view utf8) {
    int width = 0;
    for (size_t i = 0; i < utf8.size();) width += advance(m, next_code_point(utf8, i));
    return width;
}

TextSize measure_text(std::string_view utf8, FontKind font) {
    const FontMetricTable& m = font_metrics(font);
    return {text_advance(m, utf8), m.height};
}

}  // namespace vorlisk
