// The running refresh. On the exact surface a changed item painted over
// itself gives its own pixels again. A smoothing surface blends an edge
// pixel with what lies under it, so painting over itself darkens and widens
// the item at every change: there the places of the changed items are
// painted afresh instead, as a full redraw paints them.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/compiled.h"
#include "model/text_metrics.h"
#include "render/drawers.h"
#include "render/levels.h"
#include "render/redraw.h"

namespace vorlisk {

namespace {

// Room around a component's outline and pin tips for what its drawer paints
// outside them: pin numbers, the terminals' names, a chip's type beside its
// body, pictures, and strokes widened to one output pixel at small scales.
constexpr int kComponentRoom = 16;

Rect component_reach(const MY_BASE_OBJ& o, int room) {
    const Rect32& r = o.outline_rect;
    int l = std::min(r.left, r.right), t = std::min(r.top, r.bottom);
    int rr = std::max(r.left, r.right), b = std::max(r.top, r.bottom);
    auto take = [&](int x, int y) { l = std::min(l, x), t = std::min(t, y), rr = std::max(rr, x), b = std::max(b, y); };
    for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
        take(o.in_dx[k], o.in_dy[k]), take(o.in_stub_dx[k], o.in_stub_dy[k]);
    for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
        take(o.out_dx[k], o.out_dy[k]), take(o.out_stub_dx[k], o.out_stub_dy[k]);
    return Rect(Point(o.x + l - room, o.y + t - room), Point(o.x + rr + room, o.y + b + room));
}

Rect wire_reach(const MY_LINK& w, int room) {
    int l = std::min(w.x1, w.x2), t = std::min(w.y1, w.y2), r = std::max(w.x1, w.x2), b = std::max(w.y1, w.y2);
    for (int i = 0; i < std::clamp(w.bend_count, 0, kMaxBends); ++i) {
        l = std::min(l, w.bends[i].x), r = std::max(r, w.bends[i].x);
        t = std::min(t, w.bends[i].y), b = std::max(b, w.bends[i].y);
    }
    return Rect(Point(l - room, t - room), Point(r + room, b + room));
}

Rect junction_reach(const MY_POINT& j, int room) { return Rect(Point(j.x - room, j.y - room), Point(j.x + room, j.y + room)); }

Rect test_point_reach(const MY_TEST_POINT& t, int room) {
    const TextSize label = measure_text(t.label, FontKind::test_point);
    Rect r(Point(t.x - 5, t.y - 5), Point(t.x + 5, t.y + 5));
    r |= Rect(t.x + t.label_dx - 2, t.y + t.label_dy, label.width + 4, label.height);
    return r.adjusted(-room, -room, room, room);
}

// The frame, and the text as far as it could reach: a file may carry a
// size measured with other fonts than the ones drawn here. No letter is
// wider than 1.1 em.
Rect annotation_reach(const ZHU_SHI_S& a, int room) {
    const int em = std::max(annotation_font(a).pixel_height, 1);
    size_t longest = 0;
    for (const std::string& line : a.text_lines)
        longest = std::max<size_t>(longest, size_t(std::count_if(line.begin(), line.end(), [](char ch) { return (ch & 0xc0) != 0x80; })));
    const long long w = std::max<long long>(a.width, (long long)longest * em * 11 / 10);
    const long long h = std::max<long long>(a.height, (long long)(double(std::abs(a.font_height)) * 1.1 * double(a.text_lines.size())) + em);
    auto to_int = [](long long v) { return int(std::clamp<long long>(v, -1'000'000'000, 1'000'000'000)); };
    return Rect(Point(a.x - 3 - room, a.y - 3 - room), Point(to_int(a.x + w + 3 + room), to_int(a.y + h + 3 + room)));
}

bool meets(const std::vector<Rect>& area, const Rect& r) {
    return std::any_of(area.begin(), area.end(), [&](const Rect& a) { return a.intersects(r); });
}

}  // namespace

void redraw_running(PaintSurface& cv, Circuit& c, const Rect& view, bool levels_changed, const DrawOptions& options) {
    if (cv.pixel_exact()) {
        redraw_canvas(cv, c, view, kRedrawDynamic, options);
        if (levels_changed) redraw_changed_levels(cv, c, options);
        return;
    }
    // One output pixel, in canvas pixels: the thinnest a stroke is drawn,
    // and how far smoothing reaches past an edge.
    const int px = int(std::ceil(1.0 / cv.device_scale()));
    const int room = kComponentRoom + 2 * px;
    const int line_room = std::max(c.draw.wire_width, px) + 2 * px + 1;
    const int dot_room = std::max(c.draw.junction_size, 2) + 2 * px + 1;

    // The places whose look changed.
    std::vector<Rect> area;
    for (int i = 0; i < c.object_count; ++i)
        if (c.objects[i].dirty) area.push_back(component_reach(c.objects[i], room));
    const NetLevels* levels = options.levels;
    if (levels_changed && levels && c.compiled && !levels->changed.empty()) {
        const ChangedNets changed(*levels, *c.compiled);
        for (int i = 0; i < c.object_count; ++i)
            if (changed.component(c, i)) area.push_back(component_reach(c.objects[i], room));
        for (int i = 0; i < c.wire_count; ++i)
            if (changed.wire(i)) area.push_back(wire_reach(c.wires[i], line_room));
        for (int i = 0; i < c.junction_count; ++i)
            if (changed.junction(i)) area.push_back(junction_reach(c.junctions[i], dot_room));
    }
    if (area.empty()) return;

    // Painted afresh there, in the full redraw's order; what does not reach
    // the area cannot change a pixel in it.
    Rect bounds;
    for (const Rect& r : area) bounds |= r;
    cv.set_clip(area);
    draw_background(cv, c, view, bounds);
    cv.set_font(component_font());
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        if (!o.dirty && !meets(area, component_reach(o, room))) continue;
        draw_component(cv, c, o, kRedrawFull, options);
        o.dirty = 0;  // the screen shows it as it is
        if (is_selected(c, o.name)) draw_selection_frame(cv, o);
    }
    for (int i = 0; i < c.wire_count; ++i)
        if (meets(area, wire_reach(c.wires[i], line_room))) draw_wire(cv, c, c.wires[i], is_selected(c, c.wires[i].name), options);
    for (int i = 0; i < c.junction_count; ++i)
        if (meets(area, junction_reach(c.junctions[i], dot_room)))
            draw_junction(cv, c, c.junctions[i], is_selected(c, c.junctions[i].name), options);
    for (int i = 0; i < c.test_point_count; ++i)
        if (meets(area, test_point_reach(c.test_points[i], line_room)))
            draw_test_point(cv, c, c.test_points[i], is_selected(c, c.test_points[i].name));
    for (int i = 0; i < c.annotation_count; ++i)
        if (meets(area, annotation_reach(c.annotations[i], line_room)))
            draw_annotation_item(cv, c.annotations[i], is_selected(c, c.annotations[i].name));
    cv.set_font(component_font());
    cv.set_clip({});
    cv.end();
}

}  // namespace vorlisk
