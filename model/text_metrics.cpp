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

}  // namespace

TextSize measure_text(std::string_view utf8, FontKind font) {
    const FontMetricTable& m = font == FontKind::chip        ? kChipFontMetrics
                               : font == FontKind::component ? kComponentFontMetrics
                                                             : kTestPointFontMetrics;
    TextSize size{0, m.height};
    for (size_t i = 0; i < utf8.size();) size.width += advance(m, next_code_point(utf8, i));
    return size;
}

}  // namespace vorlisk
