// The compiled nets against the literal search: random circuits of gates,
// chips and flip-flops, wires with 45-degree bends, crossings with and
// without junctions, loops, several drivers per net and test points inside
// wires must give identical driver sets and identical passes.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "engine/compiled.h"
#include "engine/nets.h"
#include "tests/support/harness.h"
#include "tests/support/literal_nets.h"

namespace vorlisk {
namespace {

using test::Harness;

const char* const kKinds[] = {
    "与门", "或门", "与非门", "或非门", "非门", "异或门", "同或门", "3线与非门", "与或非门", "半加器",
    "全加器", "边沿D触发器", "边沿JK触发器", "与非门基本RS触发器", "高低电平控制器", "高低电平控制器",
    "连续脉冲", "Vcc", "Gnd", "发光二极管", "集成芯片组合逻辑(74LS00)", "集成芯片组合逻辑(74LS86)",
    "集成芯片组合逻辑(74LS04)",
};

// Builds the same random circuit for a given seed every time.
}  // namespace
void build_random(Circuit& c, uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
    auto grid = [&] { return BendPoint{10 * pick(40), 10 * pick(40)}; };
    c.net_mode = pick(8) == 0 ? 1 : 0;
    new_circuit(c);

    const int objects = 4 + pick(14);
    for (int i = 0; i < objects; ++i) {
        int o = add_component(c, kKinds[pick(std::size(kKinds))], 10 * pick(40), 10 * pick(40));
        c.objects[o].param_int[0] = pick(2);  // switch levels
        c.objects[o].pulse_frequency = 50;
    }
    if (objects > 3 && pick(6) == 0) c.objects[2].name = c.objects[1].name;  // a duplicate name

    std::vector<BendPoint> tips;
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < o.input_count; ++k) tips.push_back(input_pin(o, k));
        for (int k = 0; k < o.output_count; ++k) tips.push_back(output_pin(o, k));
    }
    auto endpoint = [&] { return pick(4) == 0 ? grid() : tips[pick(int(tips.size()))]; };

    std::vector<BendPoint> on_wires;  // points lying on some wire
    const int wires = pick(20);
    for (int w = 0; w < wires; ++w) {
        BendPoint a = endpoint(), p = a;
        std::vector<BendPoint> bends;
        for (int b = pick(4); b > 0; --b) {
            static const int dirs[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
            const int* d = dirs[pick(8)];
            int len = 10 * (1 + pick(8));
            on_wires.push_back({p.x + d[0] * len / 2 / 10 * 10, p.y + d[1] * len / 2 / 10 * 10});
            p = {p.x + d[0] * len, p.y + d[1] * len};
            bends.push_back(p);
        }
        BendPoint e = pick(5) == 0 ? a : endpoint();  // sometimes a closed loop
        add_wire(c, a, e, bends);
        on_wires.push_back(p);
    }
    for (int j = pick(8); j > 0; --j) {
        BendPoint q = !on_wires.empty() && pick(2) ? on_wires[pick(int(on_wires.size()))] : grid();
        add_junction(c, q.x, q.y);
    }
    for (int t = pick(6); t > 0; --t) {
        BendPoint q = !on_wires.empty() && pick(2) ? on_wires[pick(int(on_wires.size()))] : endpoint();
        add_test_point(c, q.x, q.y);
    }
}

namespace {
std::set<std::pair<int, int>> compiled_drivers(uint32_t begin, uint32_t end,
                                               const std::vector<DriverRef>& list) {
    std::set<std::pair<int, int>> s;
    for (uint32_t i = begin; i < end; ++i) s.insert({int(list[i] / kMaxPins), int(list[i] % kMaxPins)});
    return s;
}

TEST(NetsDifferential, CompiledNetsMatchTheLiteralSearch) {
    int circuits = 0, inputs = 0, probes = 0;
    Harness h;
    for (uint32_t seed = 1; seed <= 1000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        build_random(h.c, seed);
        const CompiledCircuit& cc = compiled(h.c);
        for (int i = 0; i < h.c.object_count; ++i) {
            const MY_BASE_OBJ& o = h.c.objects[i];
            for (int k = 0; k < o.input_count; ++k, ++inputs) {
                uint32_t net = cc.input_net[size_t(i) * kMaxPins + k];
                ASSERT_EQ(compiled_drivers(cc.net_begin[net], cc.net_begin[net + 1], cc.drivers),
                          literal::collect_input(h.c, input_pin(o, k).x, input_pin(o, k).y))
                    << o.name << " input " << k;
            }
        }
        for (int t = 0; t < h.c.test_point_count; ++t, ++probes) {
            const MY_TEST_POINT& tp = h.c.test_points[t];
            ASSERT_EQ(compiled_drivers(cc.tp_begin[t], cc.tp_begin[t + 1], cc.tp_drivers),
                      literal::collect_probe(h.c, tp.x, tp.y))
                << tp.name;
        }
        ++circuits;
        if (HasFatalFailure() && getenv("DUMP")) {
            for (int i = 0; i < h.c.object_count; ++i) {
                const MY_BASE_OBJ& o = h.c.objects[i];
                printf("obj %d %s (%d,%d)", i, o.kind.c_str(), o.x, o.y);
                for (int k = 0; k < o.output_count; ++k) printf(" out(%d,%d)", output_pin(o, k).x, output_pin(o, k).y);
                printf("\n");
            }
            for (int w = 0; w < h.c.wire_count; ++w) {
                const MY_LINK& l = h.c.wires[w];
                printf("wire %d (%d,%d)", w, l.x1, l.y1);
                for (int b = 0; b < l.bend_count; ++b) printf(" (%d,%d)", l.bends[b].x, l.bends[b].y);
                printf(" (%d,%d)\n", l.x2, l.y2);
            }
            for (int j = 0; j < h.c.junction_count; ++j) printf("junction (%d,%d)\n", h.c.junctions[j].x, h.c.junctions[j].y);
            for (int t = 0; t < h.c.test_point_count; ++t) printf("tp %s (%d,%d)\n", h.c.test_points[t].name.c_str(), h.c.test_points[t].x, h.c.test_points[t].y);
            return;
        }
    }
    EXPECT_EQ(circuits, 1000);
    EXPECT_GT(inputs, 10000);
    EXPECT_GT(probes, 1000);
}

TEST(NetsDifferential, PassesMatchTheReferencePass) {
    int circuits = 0;
    Harness fast, slow;
    for (uint32_t seed = 5001; seed <= 6000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        build_random(fast.c, seed);
        build_random(slow.c, seed);
        for (Harness* h : {&fast, &slow}) {
            h->c.virtual_time = 1;
            h->c.device_delay = 1 + int(seed % 3);
            start_run(h->c);
            h->c.step_counter = 0;
        }
        for (int pass = 0; pass < 6; ++pass) {
            run_pass(fast.c, {});
            literal::reference_pass(slow.c);
            for (int i = 0; i < fast.c.object_count; ++i) {
                ASSERT_EQ(fast.c.objects[i].in_v, slow.c.objects[i].in_v) << "pass " << pass << " object " << i;
                ASSERT_EQ(fast.c.objects[i].out_v, slow.c.objects[i].out_v) << "pass " << pass << " object " << i;
            }
            for (int t = 0; t < fast.c.test_point_count; ++t)
                ASSERT_EQ(fast.c.test_points[t].value, slow.c.test_points[t].value) << "pass " << pass;
        }
        ++circuits;
    }
    EXPECT_EQ(circuits, 1000);
}

}  // namespace
}  // namespace vorlisk
