#include "editor/hit_test.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "engine/nets.h"

namespace vorlisk {

namespace {

// Positions are compared in 64 bits: a record may lie anywhere in its
// 32-bit fields.
using Wide = long long;

bool within(Wide a, Wide b, Wide tol) { return std::llabs(a - b) < tol; }

// Calls f(x1, y1, x2, y2) for each segment in the order the click tries
// them: start to first bend (or to the end), last bend to end, then each
// bend to the next.
template <class F>
bool any_segment(const MY_LINK& w, F f) {
    const int n = std::clamp(w.bend_count, 0, kMaxBends);
    if (n == 0) return f(w.x1, w.y1, w.x2, w.y2);
    if (f(w.x1, w.y1, w.bends[0].x, w.bends[0].y)) return true;
    if (f(w.bends[n - 1].x, w.bends[n - 1].y, w.x2, w.y2)) return true;
    for (int i = 0; i + 1 < n; ++i)
        if (f(w.bends[i].x, w.bends[i].y, w.bends[i + 1].x, w.bends[i + 1].y)) return true;
    return false;
}

Rect32 ordered(Rect32 r) {
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    return r;
}

bool inside(const Rect32& r, Wide x, Wide y) { return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom; }
bool strictly_inside(const Rect32& r, Wide x, Wide y) { return r.left < x && x < r.right && r.top < y && y < r.bottom; }

// Appends the names of the records that `pick` accepts, skipping names
// already selected.
template <class Table, class Pick>
void box_select(Circuit& c, const Table& table, int count, Pick pick) {
    std::unordered_set<std::string> selected(c.selection.begin(), c.selection.end());
    for (int i = 0; i < count; ++i) {
        // A name found twice is added once.
        if (pick(table[i]) && selected.insert(table[i].name).second) c.selection.push_back(table[i].name);
    }
}

}  // namespace

std::string object_at(const Circuit& c, int x, int y) {
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const Rect32& b = o.body_rect;
        if (x >= Wide(o.x) + b.left && x <= Wide(o.x) + b.right && y >= Wide(o.y) + b.top &&
            y <= Wide(o.y) + b.bottom)
            return o.name;
    }
    return {};
}

void select_by_click(Circuit& c, const std::string& name, bool modifier) {
    auto& sel = c.selection;
    auto it = std::find(sel.begin(), sel.end(), name);
    if (it != sel.end()) {
        if (modifier) sel.erase(it);
        return;
    }
    if (!modifier) sel.clear();
    sel.push_back(name);
}

bool hit_select_object(Circuit& c, int x, int y, bool modifier) {
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const Rect32& b = o.body_rect;
        if (Wide(o.x) + b.left < x && x < Wide(o.x) + b.right && Wide(o.y) + b.top < y && y < Wide(o.y) + b.bottom) {
            select_by_click(c, o.name, modifier);
            return true;
        }
    }
    return false;
}

bool hit_select_annotation(Circuit& c, int x, int y, bool modifier) {
    for (int i = 0; i < c.annotation_count; ++i) {
        const ZHU_SHI_S& a = c.annotations[i];
        if (a.x < x && x < Wide(a.x) + a.width && a.y < y && y < Wide(a.y) + a.height) {
            select_by_click(c, a.name, modifier);
            return true;
        }
    }
    return false;
}

namespace {
// The first point record less than 4 pixels away on both axes.
template <class Table>
bool hit_select_point(Circuit& c, const Table& table, int count, int x, int y, bool modifier) {
    for (int i = 0; i < count; ++i)
        if (within(x, table[i].x, 4) && within(y, table[i].y, 4)) {
            select_by_click(c, table[i].name, modifier);
            return true;
        }
    return false;
}
}  // namespace

bool hit_select_junction(Circuit& c, int x, int y, bool modifier) {
    return hit_select_point(c, c.junctions, c.junction_count, x, y, modifier);
}

bool hit_select_test_point(Circuit& c, int x, int y, bool modifier) {
    return hit_select_point(c, c.test_points, c.test_point_count, x, y, modifier);
}

bool hit_select_wire(Circuit& c, int x, int y, bool modifier) {
    for (int i = 0; i < c.wire_count; ++i) {
        const bool hit = any_segment(c.wires[i], [&](int x1, int y1, int x2, int y2) {
            return point_on_segment(x, y, x1, y1, x2, y2, 4);
        });
        if (hit) {
            select_by_click(c, c.wires[i].name, modifier);
            return true;
        }
    }
    return false;
}

bool hit_select_any(Circuit& c, int x, int y, bool modifier) {
    return hit_select_object(c, x, y, modifier) || hit_select_annotation(c, x, y, modifier) ||
           hit_select_junction(c, x, y, modifier) || hit_select_test_point(c, x, y, modifier) ||
           hit_select_wire(c, x, y, modifier);
}

void box_select_objects(Circuit& c, Rect32 r) {
    r = ordered(r);
    box_select(c, c.objects, c.object_count, [&](const MY_BASE_OBJ& o) {
        const Rect32& b = o.body_rect;
        return inside(r, Wide(o.x) + b.left, Wide(o.y) + b.top) && inside(r, Wide(o.x) + b.right, Wide(o.y) + b.bottom);
    });
}

void box_select_annotations(Circuit& c, Rect32 r) {
    r = ordered(r);
    box_select(c, c.annotations, c.annotation_count, [&](const ZHU_SHI_S& a) {
        return inside(r, a.x, a.y) && inside(r, Wide(a.x) + a.width, Wide(a.y) + a.height);
    });
}

void box_select_wires(Circuit& c, Rect32 r) {
    r = ordered(r);
    box_select(c, c.wires, c.wire_count, [&](const MY_LINK& w) {
        if (!inside(r, w.x1, w.y1) || !inside(r, w.x2, w.y2)) return false;
        for (int b = 0; b < std::clamp(w.bend_count, 0, kMaxBends); ++b)
            if (!inside(r, w.bends[b].x, w.bends[b].y)) return false;
        return true;
    });
}

void box_select_junctions(Circuit& c, Rect32 r) {
    r = ordered(r);
    box_select(c, c.junctions, c.junction_count, [&](const MY_POINT& j) { return strictly_inside(r, j.x, j.y); });
}

void box_select_test_points(Circuit& c, Rect32 r) {
    r = ordered(r);
    box_select(c, c.test_points, c.test_point_count,
               [&](const MY_TEST_POINT& t) { return strictly_inside(r, t.x, t.y); });
}

void box_select_all(Circuit& c, Rect32 r) {
    box_select_objects(c, r);
    box_select_annotations(c, r);
    box_select_wires(c, r);
    box_select_junctions(c, r);
    box_select_test_points(c, r);
}

}  // namespace vorlisk
