#include "render/redraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <unordered_set>

#include "engine/compiled.h"
#include "render/drawers.h"
#include "render/levels.h"

namespace vorlisk {

namespace {

// Whether a name is in a list, in constant time once asked: a drag repaints
// the selection at every mouse step, and a selection may hold thousands.
class NameList {
public:
    explicit NameList(const std::vector<std::string>& names) : names_(names) {}
    bool operator()(std::string_view name) {
        if (names_.size() < 16) return std::find(names_.begin(), names_.end(), name) != names_.end();
        if (set_.empty()) set_.insert(names_.begin(), names_.end());
        return set_.count(name) != 0;
    }

private:
    const std::vector<std::string>& names_;
    std::unordered_set<std::string_view> set_;
};
using SelectedNames = NameList;

void polyline_of(PaintSurface& cv, const MY_LINK& w) {
    std::array<Point, kMaxBends + 2> pts;
    const int bends = std::clamp(w.bend_count, 0, kMaxBends);
    int n = 0;
    pts[n++] = Point(w.x1, w.y1);
    for (int i = 0; i < bends; ++i) pts[n++] = Point(w.bends[i].x, w.bends[i].y);
    pts[n++] = Point(w.x2, w.y2);
    cv.polyline(std::span<const Point>(pts.data(), size_t(n)));
}

// Mode 0 draws every item, mode 2 the unselected ones, mode 3 the selected.
bool wanted(int mode, bool selected) {
    return mode == kRedrawFull || (mode == kRedrawStatic && !selected) || (mode == kRedrawMoving && selected);
}

// Whether an item within (left, top) .. (right, bottom) may show on the
// surface: what lies wholly beyond its visible area is left out, so a
// large circuit seen in part costs what is seen. In 64 bits: a damaged
// file's positions may lie near the ends of int.
class Seen {
public:
    explicit Seen(const PaintSurface& cv) : area_(cv.visible_area()) {}
    bool box(long long left, long long top, long long right, long long bottom) const {
        return !area_ || (right >= area_->left() && left <= area_->right() && bottom >= area_->top() && top <= area_->bottom());
    }
    // A component, with room for what it draws outside its outline (pins,
    // their numbers, names beside it).
    bool component(const MY_BASE_OBJ& o) const {
        constexpr long long kReach = 100;
        const Rect32& r = o.outline_rect;
        return box((long long)o.x + std::min(r.left, r.right) - kReach, (long long)o.y + std::min(r.top, r.bottom) - kReach,
                   (long long)o.x + std::max(r.left, r.right) + kReach, (long long)o.y + std::max(r.top, r.bottom) + kReach);
    }
    bool wire(const MY_LINK& w, int width) const {
        long long l = std::min(w.x1, w.x2), t = std::min(w.y1, w.y2), r = std::max(w.x1, w.x2), b = std::max(w.y1, w.y2);
        for (int k = 0; k < std::clamp(w.bend_count, 0, kMaxBends); ++k) {
            l = std::min<long long>(l, w.bends[k].x), r = std::max<long long>(r, w.bends[k].x);
            t = std::min<long long>(t, w.bends[k].y), b = std::max<long long>(b, w.bends[k].y);
        }
        const long long reach = std::abs((long long)width) + 2;
        return box(l - reach, t - reach, r + reach, b + reach);
    }
    bool point(long long x, long long y, long long reach) const { return box(x - reach, y - reach, x + reach, y + reach); }

private:
    std::optional<Rect> area_;
};

void draw_objects(PaintSurface& cv, const Circuit& c, int mode, SelectedNames& is_selected, const DrawOptions& view) {
    const Seen seen(cv);
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        if (!seen.component(o)) continue;
        if (mode == kRedrawFull || o.dirty) {
            draw_component(cv, c, o, mode, view);
            if (is_selected(o.name)) draw_selection_frame(cv, o);
        } else if (mode == kRedrawStatic) {
            if (is_selected(o.name)) continue;
            draw_component(cv, c, o, mode, view);
        } else if (mode == kRedrawMoving) {
            // Indicators keep showing their state under a moving selection.
            bool drawn = false;
            if (contains(o.kind, "发光二极管")) draw_led(cv, c, o, mode, view), drawn = true;
            else if (contains(o.kind, "数码管")) draw_display(cv, c, o, mode, view), drawn = true;
            if (is_selected(o.name)) {
                if (!drawn) draw_component(cv, c, o, mode, view);
                draw_selection_frame(cv, o);
            }
        }
    }
}

}  // namespace

void draw_background(PaintSurface& cv, const Circuit& c, const Rect& area, const Rect& near) {
    const DrawSettings& d = c.draw;
    const int left = area.left(), top = area.top(), right = area.right() + 1, bottom = area.bottom() + 1;
    cv.set_pen(d.back_color, 1);
    cv.set_brush(d.back_color);
    cv.rectangle(left, top, right, bottom);
    if (!d.show_grid) return;
    // On the multiples of 10 of the canvas: scrolling moves records by whole cells.
    // A line is at least one output pixel wide, however small the scale.
    const int reach = int(std::ceil(2.0 / cv.device_scale())) + 1;
    auto wanted = [&](int v, int lo, int hi) { return near.isEmpty() || (v >= lo - reach && v <= hi + reach); };
    cv.set_pen(d.grid_color, 1);
    for (int x = int(std::ceil(left / 10.0)) * 10; x < right; x += 10)
        if (wanted(x, near.left(), near.right())) cv.line(x, top, x, bottom);
    for (int y = int(std::ceil(top / 10.0)) * 10; y < bottom; y += 10)
        if (wanted(y, near.top(), near.bottom())) cv.line(left, y, right, y);
}

void draw_wire(PaintSurface& cv, const Circuit& c, const MY_LINK& w, bool selected, const DrawOptions& view) {
    const LevelLook l = wire_look(view, c, index_of(c.wires, w, c.wire_count));
    cv.set_pen(selected ? kRed : l.color, selected ? c.draw.wire_width : l.width);
    polyline_of(cv, w);
    cv.set_pen_width(1);
}

void draw_junction(PaintSurface& cv, const Circuit& c, const MY_POINT& j, bool selected, const DrawOptions& view) {
    const int32_t colour = selected ? kRed : junction_look(view, c, index_of(c.junctions, j, c.junction_count)).color;
    cv.set_pen(colour, 1);
    cv.set_brush(colour);
    const int s = c.draw.junction_size;
    // Centred on a 2-pixel wire, or on the pixel of a thin one.
    if (c.draw.wire_width == 2 || s < 3) cv.ellipse(j.x - s, j.y - s, j.x + s, j.y + s);
    else cv.ellipse(j.x - s + 1, j.y - s + 1, j.x + s, j.y + s);
}

void draw_test_point(PaintSurface& cv, const Circuit& c, const MY_TEST_POINT& t, bool selected, bool with_label) {
    const DrawSettings& d = c.draw;
    cv.set_pen(selected ? kRed : d.test_point_ring_color, 1);
    cv.set_brush(d.test_point_fill_color);
    cv.ellipse(t.x - 3, t.y - 3, t.x + 3, t.y + 3);
    cv.clear_brush();
    cv.ellipse(t.x - 4, t.y - 4, t.x + 4, t.y + 4);
    if (!with_label) return;
    CanvasFont f = test_point_font();
    f.color = d.test_point_font_color;
    f.bold = d.test_point_font_bold;
    cv.set_font(f);
    cv.text(t.x + t.label_dx, t.y + t.label_dy, t.label);
    cv.set_font(component_font());
}

void draw_annotation_item(PaintSurface& cv, const ZHU_SHI_S& a, bool selected) {
    draw_annotation(cv, a);
    if (!selected) return;
    cv.set_pen(kRed, 1);
    cv.clear_brush();
    cv.rectangle(a.x - 3, a.y - 3, a.x + a.width + 3, a.y + a.height + 3);
}

void redraw_canvas(PaintSurface& cv, Circuit& c, int width, int height, int mode, const DrawOptions& view) {
    redraw_canvas(cv, c, Rect(0, 0, width, height), mode, view);
}

void redraw_canvas(PaintSurface& cv, Circuit& c, const Rect& area, int mode, const DrawOptions& view) {
    draw_circuit(cv, c, area, mode, view);
    for (int i = 0; i < c.object_count; ++i) c.objects[i].dirty = 0;
}

void draw_circuit(PaintSurface& cv, const Circuit& c, const Rect& area, int mode, const DrawOptions& view) {
    if (mode == kRedrawFull || mode == kRedrawStatic) draw_background(cv, c, area);
    cv.set_font(component_font());
    SelectedNames is_selected(c.selection);
    draw_objects(cv, c, mode, is_selected, view);
    if (mode != kRedrawDynamic) {
        // What a drag takes along moves with the selection but is not marked.
        NameList along(c.moving_along);
        auto moves = [&](std::string_view name, bool sel) { return sel || (!c.moving_along.empty() && along(name)); };
        const Seen seen(cv);
        for (int i = 0; i < c.wire_count; ++i) {
            if (!seen.wire(c.wires[i], c.draw.wire_width)) continue;
            const bool sel = is_selected(c.wires[i].name);
            if (wanted(mode, moves(c.wires[i].name, sel))) draw_wire(cv, c, c.wires[i], sel, view);
        }
        for (int i = 0; i < c.junction_count; ++i) {
            if (!seen.point(c.junctions[i].x, c.junctions[i].y, std::abs((long long)c.draw.junction_size) + 2)) continue;
            const bool sel = is_selected(c.junctions[i].name);
            if (wanted(mode, moves(c.junctions[i].name, sel))) draw_junction(cv, c, c.junctions[i], sel, view);
        }
        for (int i = 0; i < c.test_point_count; ++i) {
            const bool sel = is_selected(c.test_points[i].name);
            if (wanted(mode, moves(c.test_points[i].name, sel))) draw_test_point(cv, c, c.test_points[i], sel);
        }
        for (int i = 0; i < c.annotation_count; ++i) {
            const ZHU_SHI_S& a = c.annotations[i];
            const bool sel = is_selected(a.name);
            if (wanted(mode, sel)) draw_annotation_item(cv, a, sel);
        }
        cv.set_font(component_font());
    }
    cv.end();
}

void redraw_changed_levels(PaintSurface& cv, const Circuit& c, const DrawOptions& given) {
    const NetLevels* levels = given.levels;
    if (!levels || levels->changed.empty() || !c.compiled) return;
    const ChangedNets changed(*levels, *c.compiled);
    SelectedNames is_selected(c.selection);
    cv.set_font(component_font());
    bool any = false;
    // Pin numbers stand outside the body, where nothing covers them; drawn
    // over themselves at every change, smoothed digits would smear.
    DrawOptions view = given;
    view.pin_numbers = false;
    // A component with a pin on a changed net is drawn whole: its bubbles
    // and labels lie over the inner ends of the pin strokes.
    for (int i = 0; i < c.object_count; ++i) {
        if (!changed.component(c, i)) continue;
        const MY_BASE_OBJ& o = c.objects[i];
        draw_component(cv, c, o, kRedrawFull, view);
        if (is_selected(o.name)) draw_selection_frame(cv, o);
        any = true;
    }
    for (int i = 0; i < c.wire_count; ++i)
        if (changed.wire(i)) {
            draw_wire(cv, c, c.wires[i], is_selected(c.wires[i].name), view);
            any = true;
        }
    for (int i = 0; i < c.junction_count; ++i)
        if (changed.junction(i)) {
            draw_junction(cv, c, c.junctions[i], is_selected(c.junctions[i].name), view);
            any = true;
        }
    // Test points sit on wires and pin tips; they are few, so all of them
    // go back on top rather than finding which lie on the changed nets.
    // Their labels stand beside them, clear of the wires: drawn again and
    // again over themselves, smoothed text would smear.
    if (any)
        for (int i = 0; i < c.test_point_count; ++i)
            draw_test_point(cv, c, c.test_points[i], is_selected(c.test_points[i].name), false);
    cv.set_font(component_font());
    cv.end();
}

std::vector<Point> wire_in_progress_route(const Circuit& c) {
    const MY_LINK& w = c.drawing_wire;
    if (w.name.empty()) return {};
    std::vector<Point> route{Point(w.x1, w.y1)};
    for (int i = 0; i < std::clamp(w.bend_count, 0, kMaxBends); ++i) route.emplace_back(w.bends[i].x, w.bends[i].y);
    route.emplace_back(w.x2, w.y2);
    return route;
}

void draw_wire_in_progress(PaintSurface& cv, std::span<const Point> route) {
    if (route.empty()) return;
    cv.set_pen(kRed, 2);
    cv.polyline(route);
    cv.set_pen_width(1);
    cv.end();
}

void draw_wire_in_progress(PaintSurface& cv, const Circuit& c) {
    const std::vector<Point> route = wire_in_progress_route(c);
    draw_wire_in_progress(cv, route);
}

void draw_rubber_band(PaintSurface& cv, const Rect32& band, int32_t colour) {
    int left = std::min(band.left, band.right), right = std::max(band.left, band.right);
    int top = std::min(band.top, band.bottom), bottom = std::max(band.top, band.bottom);
    const int r = right - 1, b = bottom - 1;
    if (r < left || b < top) return;
    int n = 0;
    auto dot = [&](int x, int y) {
        if (n++ % 2 == 0) cv.pixel(x, y, colour);  // every other pixel: dotted
    };
    // Each pixel of the outline once, clockwise from the top-left corner.
    for (int x = left; x <= r; ++x) dot(x, top);
    for (int y = top + 1; y <= b; ++y) dot(r, y);
    if (b > top)
        for (int x = r - 1; x >= left; --x) dot(x, b);
    if (r > left)
        for (int y = b - 1; y > top; --y) dot(left, y);
    cv.end();
}

}  // namespace vorlisk
