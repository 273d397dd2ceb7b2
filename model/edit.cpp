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
        std::string label = n <= 25 ? std::string(1, char('A' + n)) : std::string("T").append(std::to_string(n));
        if (find_test_point_by_label(c, label) < 0) return label;
    }
}

void place_test_point_label(MY_TEST_POINT& t) {
    t.label_dx = 5;
    t.label_dy = -5 - measure_text(t.label, FontKind::component).height;
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
    place_test_point_label(t);
    c.modified = true;
    c.touch();
    return c.test_point_count++;
}

int add_annotation(Circuit& c, const ZHU_SHI_S& draft, int cx, int cy) {
    if (c.annotation_count >= kAnnotationLimit) return -1;
    const int i = c.annotation_count;
    ZHU_SHI_S& a = c.annotations[i];
    c.next_serial += 1;
    a.name = "注释" + std::to_string(c.next_serial);
    a.kind = "注释";
    set_annotation_content(c, i, draft);
    // The text block is centred on the click, to the pixel, and stays
    // where positions may be: a very wide one would make an unreadable file.
    a.x = std::clamp(cx - a.width / 2, kCoordMin, kCoordMax);
    a.y = std::clamp(cy - a.height / 2, kCoordMin, kCoordMax);
    c.modified = true;
    return c.annotation_count++;
}

void set_test_point_label(Circuit& c, int t, std::string_view label) {
    c.test_points[t].label = std::string(label);
    c.modified = true;
    c.touch();  // the truth table keeps which test point carries each column's label
}

void set_probe_input(Circuit& c, int obj, int k, std::string_view test_point_name) {
    std::string& slot = c.objects[obj].param_text[k];
    if (slot == test_point_name) return;
    slot = std::string(test_point_name);
    c.modified = true;
    c.touch();  // the run pass compiles which test points a probe reads
}

PulseSettings pulse_settings(const MY_BASE_OBJ& o) {
    return {o.idle_level, o.pulse_frequency, o.pulse_width, o.pulse_phase, o.pulse_count};
}

void set_pulse_settings(Circuit& c, int obj, const PulseSettings& s) {
    MY_BASE_OBJ& o = c.objects[obj];
    o.idle_level = s.idle_level;
    o.pulse_frequency = s.frequency;
    o.pulse_width = s.width;
    o.pulse_phase = s.phase;
    o.pulse_count = s.count;
    c.modified = true;
    c.wake(obj);
}

void set_annotation_content(Circuit& c, int a, const ZHU_SHI_S& d) {
    ZHU_SHI_S& z = c.annotations[a];
    ZHU_SHI_S next = d;
    next.name = std::move(z.name);
    next.kind = std::move(z.kind);
    next.x = z.x, next.y = z.y;
    z = std::move(next);
    c.modified = true;
}

void set_component_look(Circuit& c, int obj, const ComponentLook& look) {
    MY_BASE_OBJ& o = c.objects[obj];
    o.border_color = look.border_color;
    o.border_width = look.border_width;
    o.fill_color = look.fill_color;
    o.font_color = look.font_color;
    o.font_bold = look.font_bold;
    c.modified = true;
}

void set_lamp_colours(Circuit& c, int obj, int32_t lit, int32_t unlit) {
    c.objects[obj].param_int[0] = lit;
    c.objects[obj].param_int[1] = unlit;
    c.modified = true;
}

void set_one_shot_width(Circuit& c, int obj, int section, double seconds) {
    c.objects[obj].param_real[1 + size_t(section & 1)] = seconds;
    c.modified = true;
}

void toggle_level_switch(Circuit& c, int obj) {
    int32_t& level = c.objects[obj].param_int[0];
    level = level == 0 ? 1 : 0;
    c.modified = true;
    c.wake(obj);
}

void set_wire_points(Circuit& c, int w, std::span<const BendPoint> points) {
    if (w < 0 || w >= c.wire_count || points.size() < 2) return;
    MY_LINK& l = c.wires[w];
    l.x1 = points.front().x, l.y1 = points.front().y;
    l.x2 = points.back().x, l.y2 = points.back().y;
    const size_t bends = std::min(points.size() - 2, size_t(kMaxBends));
    for (size_t b = 0; b < bends; ++b) l.bends[b] = points[b + 1];
    l.bend_count = int32_t(bends);
    c.modified = true;
    c.touch();
}

}  // namespace vorlisk
