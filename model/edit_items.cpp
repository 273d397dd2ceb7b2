// Edits of many records at once, by name: moving, deleting, the clipboard,
// rotation and scrolling.
#include <algorithm>
#include <type_traits>
#include <unordered_set>

#include "model/edit.h"

namespace vorlisk {

namespace {

using NameSet = std::unordered_set<std::string_view>;

NameSet name_set(std::span<const std::string> names) { return NameSet(names.begin(), names.end()); }

int bends_of(const MY_LINK& w) { return std::clamp(w.bend_count, 0, kMaxBends); }

// Calls f(x, y) with a reference to every point of a wire.
template <class F>
void for_each_point(MY_LINK& w, F f) {
    f(w.x1, w.y1);
    f(w.x2, w.y2);
    for (int b = 0; b < bends_of(w); ++b) f(w.bends[b].x, w.bends[b].y);
}

// Calls f(x, y, annotation) with references to every position of the
// records `pick` accepts (a wire has several), in the circuit's tables or,
// with Clip, in the clipboard's.
template <bool Clip, class Pick, class F>
void for_each_position(Circuit& c, Pick pick, F f) {
    auto& objects = Clip ? c.clip_objects : c.objects;
    for (int i = 0; i < (Clip ? c.clip_object_count : c.object_count); ++i)
        if (pick(objects[i].name)) f(objects[i].x, objects[i].y, false);
    auto& wires = Clip ? c.clip_wires : c.wires;
    for (int i = 0; i < (Clip ? c.clip_wire_count : c.wire_count); ++i)
        if (pick(wires[i].name)) for_each_point(wires[i], [&](int32_t& x, int32_t& y) { f(x, y, false); });
    auto& junctions = Clip ? c.clip_junctions : c.junctions;
    for (int i = 0; i < (Clip ? c.clip_junction_count : c.junction_count); ++i)
        if (pick(junctions[i].name)) f(junctions[i].x, junctions[i].y, false);
    auto& test_points = Clip ? c.clip_test_points : c.test_points;
    for (int i = 0; i < (Clip ? c.clip_test_point_count : c.test_point_count); ++i)
        if (pick(test_points[i].name)) f(test_points[i].x, test_points[i].y, false);
    auto& notes = Clip ? c.clip_annotations : c.annotations;
    for (int i = 0; i < (Clip ? c.clip_annotation_count : c.annotation_count); ++i)
        if (pick(notes[i].name)) f(notes[i].x, notes[i].y, true);
}

bool every_name(const std::string&) { return true; }

// Whether every position `pick` accepts stays in range shifted by (dx, dy),
// annotations by (adx, ady).
template <bool Clip, class Pick>
bool positions_fit(Circuit& c, Pick pick, int dx, int dy, int adx, int ady) {
    bool fit = true;
    for_each_position<Clip>(c, pick, [&](auto& x, auto& y, bool note) {
        fit = fit && coord_ok((long long)x + (note ? adx : dx)) && coord_ok((long long)y + (note ? ady : dy));
    });
    return fit;
}

// Shifts them (positions_fit said they stay in range); returns whether any changed.
template <class Pick>
bool shift_positions(Circuit& c, Pick pick, int dx, int dy, int adx, int ady) {
    bool moved = false;
    for_each_position<false>(c, pick, [&](auto& x, auto& y, bool note) {
        const int sx = note ? adx : dx, sy = note ? ady : dy;
        if (sx == 0 && sy == 0) return;
        using T = std::remove_reference_t<decltype(x)>;
        x = T(x + sx), y = T(y + sy);
        moved = true;
    });
    return moved;
}

void shift_wire(MY_LINK& w, int dx, int dy) {
    for_each_point(w, [&](int32_t& x, int32_t& y) { x += dx, y += dy; });
}

// Removes the records whose kind is empty, keeping the order of the rest;
// the slots freed at the end become empty records.
template <class Record, size_t N, class Blank>
void compact(std::array<Record, N>& table, int32_t& count, Blank blank) {
    int out = 0;
    for (int i = 0; i < count; ++i) {
        if (table[i].kind.empty()) continue;
        if (out != i) table[out] = std::move(table[i]);
        ++out;
    }
    for (int i = out; i < count; ++i) blank(table[i]);
    count = out;
}

template <class Record, size_t N>
bool mark_named(std::array<Record, N>& table, int count, const NameSet& names) {
    bool any = false;
    for (int i = 0; i < count; ++i)
        if (names.count(table[i].name)) table[i].kind.clear(), any = true;
    return any;
}

// One clockwise quarter turn of an offset: (dx, dy) -> (-dy, dx).
template <class T>
void turn(T& dx, T& dy) {
    const T x = dx;
    dx = T(-dy);
    dy = x;
}

void turn_rect(Rect32& r) {
    Rect32 t{-r.top, r.left, -r.bottom, r.right};
    if (t.right < t.left) std::swap(t.left, t.right);
    if (t.bottom < t.top) std::swap(t.top, t.bottom);
    r = t;
}

std::string pasted_name(const std::string& kind, int serial) { return kind + " " + std::to_string(serial); }

}  // namespace

ItemTable table_of_name(std::string_view name) {
    if (contains(name, "导线")) return ItemTable::wire;
    if (contains(name, "焊接点")) return ItemTable::junction;
    if (contains(name, "检测点")) return ItemTable::test_point;
    if (contains(name, "注释")) return ItemTable::annotation;
    return ItemTable::object;
}

bool move_items(Circuit& c, std::span<const std::string> names, int dx, int dy, int adx, int ady) {
    if (names.empty() || (dx == 0 && dy == 0 && adx == 0 && ady == 0)) return false;
    const NameSet sel = name_set(names);
    auto selected = [&](const std::string& n) { return sel.count(n) != 0; };
    if (!positions_fit<false>(c, selected, dx, dy, adx, ady)) return false;
    if (!shift_positions(c, selected, dx, dy, adx, ady)) return false;
    c.modified = true;
    c.touch();
    return true;
}

void delete_items(Circuit& c, std::span<const std::string> names) {
    const NameSet sel = name_set(names);
    bool any = false;
    if (mark_named(c.objects, c.object_count, sel)) {
        compact(c.objects, c.object_count, [&](MY_BASE_OBJ& o) {
            o = MY_BASE_OBJ{};
            reset_object(c, o);
        });
        any = true;
    }
    auto blank = [](auto& r) {
        r.name.clear();
        r.kind.clear();
    };
    if (mark_named(c.wires, c.wire_count, sel)) compact(c.wires, c.wire_count, blank), any = true;
    if (mark_named(c.junctions, c.junction_count, sel)) compact(c.junctions, c.junction_count, blank), any = true;
    if (mark_named(c.test_points, c.test_point_count, sel))
        compact(c.test_points, c.test_point_count, blank), any = true;
    if (mark_named(c.annotations, c.annotation_count, sel))
        compact(c.annotations, c.annotation_count, [](ZHU_SHI_S& a) { a = ZHU_SHI_S{}; }), any = true;
    if (any) c.touch();
    c.modified = true;
}

bool clipboard_empty(const Circuit& c) {
    return c.clip_object_count + c.clip_wire_count + c.clip_junction_count + c.clip_test_point_count +
               c.clip_annotation_count ==
           0;
}

void copy_items(Circuit& c, std::span<const std::string> names) {
    for (int i = 0; i < c.clip_annotation_count; ++i) c.clip_annotations[i].text_lines.clear();
    c.clip_object_count = c.clip_wire_count = c.clip_junction_count = c.clip_test_point_count = 0;
    c.clip_annotation_count = 0;
    // Each clipboard table is as large as its circuit table, so it cannot
    // overflow unless a name is listed more than once.
    for (const std::string& n : names) {
        switch (table_of_name(n)) {
            case ItemTable::wire:
                if (int i = find_wire(c, n); i >= 0 && c.clip_wire_count < kMaxWires)
                    c.clip_wires[c.clip_wire_count++] = c.wires[i];
                break;
            case ItemTable::junction:
                if (int i = find_junction(c, n); i >= 0 && c.clip_junction_count < kMaxJunctions)
                    c.clip_junctions[c.clip_junction_count++] = c.junctions[i];
                break;
            case ItemTable::test_point:
                if (int i = find_test_point(c, n); i >= 0 && c.clip_test_point_count < kMaxTestPoints)
                    c.clip_test_points[c.clip_test_point_count++] = c.test_points[i];
                break;
            case ItemTable::annotation:
                if (int i = find_annotation(c, n); i >= 0 && c.clip_annotation_count < kMaxAnnotations)
                    c.clip_annotations[c.clip_annotation_count++] = c.annotations[i];
                break;
            case ItemTable::object:
                if (int i = find_object(c, n); i >= 0 && c.clip_object_count < kMaxObjects)
                    c.clip_objects[c.clip_object_count++] = c.objects[i];
                break;
        }
    }
}

std::vector<std::string> paste_items(Circuit& c, int ox, int oy) {
    std::vector<std::string> added;
    if (!positions_fit<true>(c, every_name, ox, oy, ox, oy)) return added;

    for (int i = 0; i < c.clip_object_count && c.object_count < kPasteObjectLimit; ++i) {
        MY_BASE_OBJ& o = c.objects[c.object_count++];
        o = c.clip_objects[i];
        o.name = pasted_name(o.kind, ++c.next_serial);
        o.x = int16_t(o.x + ox), o.y = int16_t(o.y + oy);
        added.push_back(o.name);
    }
    for (int i = 0; i < c.clip_wire_count && c.wire_count < kWireLimit; ++i) {
        MY_LINK& w = c.wires[c.wire_count++];
        w = c.clip_wires[i];
        w.name = pasted_name(w.kind, ++c.next_serial);
        shift_wire(w, ox, oy);
        added.push_back(w.name);
    }
    for (int i = 0; i < c.clip_junction_count && c.junction_count < kJunctionLimit; ++i) {
        MY_POINT& j = c.junctions[c.junction_count++];
        j = c.clip_junctions[i];
        j.name = pasted_name(j.kind, ++c.next_serial);
        j.x += ox, j.y += oy;
        added.push_back(j.name);
    }
    for (int i = 0; i < c.clip_test_point_count && c.test_point_count < kTestPointLimit; ++i) {
        MY_TEST_POINT& t = c.test_points[c.test_point_count];
        t = c.clip_test_points[i];
        t.name = pasted_name(t.kind, ++c.next_serial);
        t.label = next_test_point_label(c);  // before the count grows: the copy itself is not in use yet
        t.x += ox, t.y += oy;
        ++c.test_point_count;
        added.push_back(t.name);
    }
    for (int i = 0; i < c.clip_annotation_count && c.annotation_count < kAnnotationLimit; ++i) {
        ZHU_SHI_S& a = c.annotations[c.annotation_count++];
        a = c.clip_annotations[i];
        a.name = pasted_name(a.kind, ++c.next_serial);
        a.x += ox, a.y += oy;
        added.push_back(a.name);
    }
    c.modified = true;
    if (!added.empty()) c.touch();
    return added;
}

void turn_clockwise(MY_BASE_OBJ& o) {
    turn_rect(o.body_rect);
    turn_rect(o.outline_rect);
    for (int k = 0; k < kMaxPins; ++k) {
        turn(o.in_dx[k], o.in_dy[k]);
        turn(o.in_stub_dx[k], o.in_stub_dy[k]);
        turn(o.out_dx[k], o.out_dy[k]);
        turn(o.out_stub_dx[k], o.out_stub_dy[k]);
    }
    for (SymbolLine& l : o.lines) turn(l.x1, l.y1), turn(l.x2, l.y2);
    for (auto& a : o.arcs)
        for (int p = 0; p < 8; p += 2) turn(a[p], a[p + 1]);
    for (Bubble& b : o.bubbles) turn(b.dx, b.dy);
    for (LabelPos& l : o.label_pos) turn(l.dx, l.dy);  // half sizes stay: texts stay upright
}

void rotate_items(Circuit& c, std::span<const std::string> names, int direction) {
    bool any = false;
    for (const std::string& n : names)
        for (int i = 0; i < c.object_count; ++i) {
            MY_BASE_OBJ& o = c.objects[i];
            if (o.name != n || contains(o.kind, "数码管")) continue;
            if (direction == 0) {
                o.rotation = int16_t(o.rotation + 1 == 4 ? 0 : o.rotation + 1);
                turn_clockwise(o);
            } else {
                o.rotation = int16_t(o.rotation - 1 == -1 ? 3 : o.rotation - 1);
                for (int t = 0; t < 3; ++t) turn_clockwise(o);
            }
            any = true;
        }
    if (any) c.touch();
    c.modified = true;
}

bool scroll_to(Circuit& c, int h, int v) {
    h = std::clamp(h, 0, 101);
    v = std::clamp(v, 0, 101);
    const int dx = (h - c.scroll_h) * 10, dy = (v - c.scroll_v) * 10;
    if (dx == 0 && dy == 0) return true;
    if (!positions_fit<false>(c, every_name, -dx, -dy, -dx, -dy)) return false;
    c.scroll_h = h, c.scroll_v = v;
    shift_positions(c, every_name, -dx, -dy, -dx, -dy);
    if (!c.drawing_wire.name.empty()) shift_wire(c.drawing_wire, -dx, -dy);
    c.touch();
    return true;
}

}  // namespace vorlisk
