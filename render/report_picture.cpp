#include "render/report_picture.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "render/bounds_surface.h"
#include "render/redraw.h"

namespace vorlisk {

std::unique_ptr<Circuit> picture_copy(const Circuit& c, bool selection_only) {
    auto out = make_circuit();
    const bool only = selection_only && !c.selection.empty();
    std::unordered_set<std::string_view> chosen(c.selection.begin(), c.selection.end());
    auto keep = [&](const std::string& name) { return !only || chosen.count(name) != 0; };
    for (int i = 0; i < c.object_count; ++i)
        if (keep(c.objects[i].name)) out->objects[out->object_count++] = c.objects[i];
    for (int i = 0; i < c.wire_count; ++i)
        if (keep(c.wires[i].name)) out->wires[out->wire_count++] = c.wires[i];
    for (int i = 0; i < c.junction_count; ++i)
        if (keep(c.junctions[i].name)) out->junctions[out->junction_count++] = c.junctions[i];
    for (int i = 0; i < c.test_point_count; ++i)
        if (keep(c.test_points[i].name)) out->test_points[out->test_point_count++] = c.test_points[i];
    for (int i = 0; i < c.annotation_count; ++i)
        if (keep(c.annotations[i].name)) out->annotations[out->annotation_count++] = c.annotations[i];
    out->draw = c.draw;
    out->draw.show_grid = false;
    out->running = c.running;
    out->selection.clear();
    out->drawing_wire = MY_LINK{};
    return out;
}

Rect picture_area(const Circuit& copy, const DrawOptions& view) {
    // The extent of what the drawers paint, by themselves.
    BoundsSurface bounds;
    draw_circuit(bounds, copy, Rect(0, 0, 0, 0), kRedrawFull, view);  // no grid: the copy has it off
    const std::optional<Extent64>& b = bounds.extent();
    if (!b) return {};
    constexpr long long kReach = 1 << 28;
    auto held = [&](long long v) { return int(std::clamp(v, -kReach, kReach)); };
    return Rect(Point(held(b->left - kPictureMargin), held(b->top - kPictureMargin)),
                Point(held(b->right + kPictureMargin - 1), held(b->bottom + kPictureMargin - 1)));
}

void paint_picture(PaintSurface& surface, const Circuit& copy, const Rect& area, const DrawOptions& view) {
    surface.set_pen(copy.draw.back_color, 1);
    surface.set_brush(copy.draw.back_color);
    surface.rectangle(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    draw_circuit(surface, copy, Rect(0, 0, 0, 0), kRedrawFull, view);
    surface.end();
}

}  // namespace vorlisk
