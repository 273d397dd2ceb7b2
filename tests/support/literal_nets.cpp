#include "tests/support/literal_nets.h"

#include "engine/compiled.h"
#include "engine/nets.h"
#include "engine/run.h"

namespace vorlisk::literal {
namespace {

struct Search {
    Circuit& c;
    PinSet pins;

    void follow_junctions_of(MY_LINK& w) {
        for (int j = 0; j < c.junction_count; ++j)
            if (point_on_wire(c.junctions[j].x, c.junctions[j].y, w)) {
                w.visit += 1;
                from_point(c.junctions[j].x, c.junctions[j].y);
            }
    }

    void from_point(int px, int py, bool probe = false) {
        // 1. Drivers at the point.
        for (int i = 0; i < c.object_count; ++i) {
            const MY_BASE_OBJ& o = c.objects[i];
            for (int k = 0; k < o.output_count; ++k)
                if (o.x + o.out_dx[k] == px && o.y + o.out_dy[k] == py) pins.insert({i, k});
        }
        // 2. Wires ending at the point (a probe also takes wires through it).
        for (int w = 0; w < c.wire_count; ++w) {
            MY_LINK& l = c.wires[w];
            if (l.visit > 0) continue;
            bool hit = false;
            if (l.x1 == px && l.y1 == py) {
                l.visit += 1;
                from_point(l.x2, l.y2);
                hit = true;
            } else if (l.x2 == px && l.y2 == py) {
                l.visit += 1;
                from_point(l.x1, l.y1);
                hit = true;
            } else if (probe && point_on_wire(px, py, l)) {
                l.visit += 1;
                from_point(l.x1, l.y1);
                from_point(l.x2, l.y2);
                hit = true;
            }
            if (hit) follow_junctions_of(l);
        }
        // 3. Junctions at the point: every wire through them.
        for (int j = 0; j < c.junction_count; ++j) {
            if (c.junctions[j].x != px || c.junctions[j].y != py) continue;
            for (int w = 0; w < c.wire_count; ++w) {
                MY_LINK& l = c.wires[w];
                if (!point_on_wire(px, py, l) || l.visit != 0) continue;
                from_point(l.x1, l.y1);
                from_point(l.x2, l.y2);
            }
        }
    }
};

PinSet collect(Circuit& c, int px, int py, bool probe) {
    for (int w = 0; w < c.wire_count; ++w) c.wires[w].visit = 0;
    for (int j = 0; j < c.junction_count; ++j) c.junctions[j].visit = 0;
    Search s{c, {}};
    s.from_point(px, py, probe);
    return s.pins;
}

}  // namespace

PinSet collect_input(Circuit& c, int px, int py) { return collect(c, px, py, false); }
PinSet collect_probe(Circuit& c, int px, int py) { return collect(c, px, py, true); }

float gather(Circuit& c, int obj, int k) {
    const MY_BASE_OBJ& o = c.objects[obj];
    PinSet pins = collect_input(c, o.x + o.in_dx[k], o.y + o.in_dy[k]);
    if (c.net_mode == 0) {
        for (auto [i, out] : pins)
            if (c.objects[i].out_v[out] > kThreshold) return kHigh;
        return 0.0f;
    }
    if (c.net_mode == 1) {
        for (auto [i, out] : pins)
            if (c.objects[i].out_v[out] < kThreshold) return kLow;
        return kHigh;
    }
    return o.in_v[k];
}

double read_test_point(Circuit& c, int t) {
    const MY_TEST_POINT& tp = c.test_points[t];
    for (auto [i, out] : collect_probe(c, tp.x, tp.y))
        if (c.objects[i].out_v[out] > kThreshold) return kReadingHigh;
    return 0.0;
}

void reference_pass(Circuit& c) {
    if (c.virtual_time != 0) {
        c.sim_time += c.time_step;
        c.step_counter += 1;
    }
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o.pass_mark_a = o.pass_mark_b = 0;
        for (int k = 0; k < o.input_count; ++k) o.in_mark[k] = 0;
    }
    for (int n = 0; n < c.object_count; ++n) {
        int i = find_object(c, c.objects[n].name);
        if (i < 0) continue;
        compute_object(c, i, plan_object(c, i));
        for (int k = 0; k < c.objects[i].input_count; ++k) c.objects[i].in_v[k] = gather(c, i, k);
    }
    for (int t = 0; t < c.test_point_count; ++t) {
        int first = find_test_point(c, c.test_points[t].name);
        c.test_points[t].value = read_test_point(c, first);
    }
    for (int t = 0; t < c.test_point_count; ++t) c.test_points[t].prev_value = c.test_points[t].value;
    if (c.step_counter >= c.device_delay) c.step_counter = 0;
}

}  // namespace vorlisk::literal
