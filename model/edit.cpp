#include "model/edit.h"

#include <algorithm>

#include "model/catalogue.h"
#include "model/text_metrics.h"

namespace vorlisk {

BendPoint input_pin(const MY_BASE_OBJ& o, int k) { return {o.x + o.in_dx[k], o.y + o.in_dy[k]}; }
BendPoint output_pin(const MY_BASE_OBJ& o, int k) { return {o.x + o.out_dx[k], o.y + o.out_dy[k]}; }

int add_component(Circuit& c, std::string_view kind, int x, int y) {
    if (c.object_count >= kPlaceObjectLimit) return -1;
    int slot = c.object_count;
    place_component(c, slot, kind, x, y);
    c.object_count = slot + 1;
    c.modified = true;
    c.touch();
    return slot;
}

int add_wire(Circuit& c, BendPoint start, BendPoint end, std::span<const BendPoint> bends) {
    if (c.wire_count >= kWireLimit) return -1;
    MY_LINK& w = c.wires[c.wire_count];
    c.next_serial += 1;
    w.name = "导线" + std::to_string(c.next_serial);
    w.kind = "导线";
    w.x1 = start.x, w.y1 = start.y, w.x2 = end.x, w.y2 = end.y;
    w.bend_count = int32_t(std::min<size_t>(bends.size(), kMaxBends - 1));
    std::copy_n(bends.begin(), w.bend_count, w.bends.begin());
    w.visit = 0;
    c.modified = true;
    c.touch();
    return c.wire_count++;
}

int add_junction(Circuit& c, int x, int y) {
    if (c.junction_count >= kJunctionLimit) return -1;
    MY_POINT& j = c.junctions[c.junction_count];
    c.next_serial += 1;
    j.name = "焊接点" + std::to_string(c.next_serial);
    j.kind = "焊接点";
    j.x = snap(x), j.y = snap(y);
    c.modified = true;
    c.touch();
    return c.junction_count++;
}

std::string next_test_point_label(const Circuit& c) {
    for (int n = c.test_point_count;; ++n) {
        std::string label = n <= 25 ? std::string(1, char('A' + n)) : "T" + std::to_string(n);
        if (find_test_point_by_label(c, label) < 0) return label;
    }
}

int add_test_point(Circuit& c, int x, int y) {
    if (c.test_point_count >= kTestPointLimit) return -1;
    MY_TEST_POINT& t = c.test_points[c.test_point_count];
    std::string label = next_test_point_label(c);
    c.next_serial += 1;
    t.name = "检测点" + std::to_string(c.next_serial);
    t.kind = "检测点";
    t.label = label;
    t.x = snap(x), t.y = snap(y);
    t.label_dx = 5;
    t.label_dy = -5 - measure_text(t.label, FontKind::component).height;
    c.modified = true;
    c.touch();
    return c.test_point_count++;
}

namespace {
void shift_wire(MY_LINK& w, int dx, int dy) {
    w.x1 -= dx, w.x2 -= dx, w.y1 -= dy, w.y2 -= dy;
    for (int b = 0; b < std::clamp(w.bend_count, 0, kMaxBends); ++b) w.bends[b].x -= dx, w.bends[b].y -= dy;
}
}  // namespace

void scroll_to(Circuit& c, int h, int v) {
    h = std::clamp(h, 0, 101);
    v = std::clamp(v, 0, 101);
    const int dx = (h - c.scroll_h) * 10, dy = (v - c.scroll_v) * 10;
    c.scroll_h = h, c.scroll_v = v;
    if (dx == 0 && dy == 0) return;
    for (int i = 0; i < c.object_count; ++i) {
        c.objects[i].x = int16_t(c.objects[i].x - dx);
        c.objects[i].y = int16_t(c.objects[i].y - dy);
    }
    for (int i = 0; i < c.wire_count; ++i) shift_wire(c.wires[i], dx, dy);
    for (int i = 0; i < c.junction_count; ++i) c.junctions[i].x -= dx, c.junctions[i].y -= dy;
    for (int i = 0; i < c.test_point_count; ++i) c.test_points[i].x -= dx, c.test_points[i].y -= dy;
    for (int i = 0; i < c.annotation_count; ++i) c.annotations[i].x -= dx, c.annotations[i].y -= dy;
    if (!c.drawing_wire.name.empty()) shift_wire(c.drawing_wire, dx, dy);
    c.touch();
}

}  // namespace vorlisk
