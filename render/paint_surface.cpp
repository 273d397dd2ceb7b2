#include "render/paint_surface.h"

#include <algorithm>
#include <cctype>

#include "model/text_metrics.h"

namespace vorlisk {

CanvasFont component_font() { return {"Arial", 12, false, false, false, false, 0}; }
CanvasFont chip_font() { return {"Arial", 9, false, false, false, false, 0}; }
CanvasFont terminal_font() { return {"MS Sans Serif", 11, true, false, false, false, 0}; }
CanvasFont test_point_font() { return {"Arial", 14, true, false, false, false, 0}; }
CanvasFont pin_number_font() { return {"Arial", 8, true, false, false, false, 0}; }
CanvasFont pin_name_font() { return {"Arial", 6, false, false, false, false, 0}; }

namespace {

bool is_arial(std::string_view name) {
    std::string lower;
    for (char ch : name)
        if (ch != ' ') lower += char(std::tolower(static_cast<unsigned char>(ch)));
    return lower.empty() || lower == "arial";
}

// The table measured for this very font, if there is one.
const FontMetricTable* table_of(const CanvasFont& f) {
    if (!is_arial(f.name)) return nullptr;
    struct Entry {
        int pixels;
        bool bold;
        FontKind kind;
    };
    static constexpr Entry kTables[] = {
        {9, false, FontKind::chip},         {12, false, FontKind::component}, {14, true, FontKind::test_point},
        {9, true, FontKind::chip_bold},     {8, true, FontKind::pin_number},  {6, false, FontKind::pin_name_6},
        {5, false, FontKind::pin_name_5},   {4, false, FontKind::pin_name_4},  {11, false, FontKind::trace_axis},
    };
    for (const Entry& e : kTables)
        if (e.pixels == f.pixel_height && e.bold == f.bold) return &font_metrics(e.kind);
    return nullptr;
}

}  // namespace

TextBox measure(const CanvasFont& font, std::string_view utf8) {
    if (const FontMetricTable* m = table_of(font)) return {laid_out_width(*m, utf8), m->height, m->ascent, m->cap_height};
    const FontMetricTable& m = font_metrics(FontKind::component);
    const long long px = std::max(font.pixel_height, 1);
    auto scaled = [&](long long v) { return int(std::min<long long>(v * px / 12, 1'000'000'000)); };
    return {scaled(text_advance(m, utf8)), scaled(m.height), scaled(m.ascent), scaled(m.cap_height)};
}

}  // namespace vorlisk
