// The activity-driven pass against the full sweep: random circuits of every
// kind and every chip type, run side by side while switches flip, settings
// change, the circuit is edited, stopped and run again, compared field by
// field after every pass. Real-time passes take their time from a fixed
// clock so both circuits see the same times.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "chips/chip_table.h"
#include "engine/activity.h"
#include "engine/compiled.h"
#include "engine/run.h"
#include "model/catalogue.h"
#include "model/edit.h"
#include "tests/support/chip_harness.h"

namespace vorlisk {
namespace {

struct Rng {
    std::mt19937 gen;
    int pick(int n) { return int(gen() % uint32_t(n)); }
    bool chance(int percent) { return pick(100) < percent; }
};

// What the random circuits and runs covered, asserted at the end.
struct Coverage {
    std::set<std::string> kinds, chips;
    std::map<std::string, int> events;
    int real_time_passes = 0, virtual_passes = 0;
    std::set<int> delays;
};

std::vector<BendPoint> output_tips(const Circuit& c) {
    std::vector<BendPoint> v;
    for (int i = 0; i < c.object_count; ++i)
        for (int k = 0; k < c.objects[i].output_count; ++k) v.push_back(output_pin(c.objects[i], k));
    return v;
}

std::vector<BendPoint> input_tips(const Circuit& c) {
    std::vector<BendPoint> v;
    for (int i = 0; i < c.object_count; ++i)
        for (int k = 0; k < c.objects[i].input_count; ++k) v.push_back(input_pin(c.objects[i], k));
    return v;
}

// A wire between two points, with an L-shaped corner half of the time.
void connect(Circuit& c, Rng& r, BendPoint a, BendPoint b) {
    if (a == b) return;
    if (r.chance(50) && a.x != b.x && a.y != b.y) {
        BendPoint corner{a.x, b.y};
        add_wire(c, a, b, std::span<const BendPoint>(&corner, 1));
    } else {
        add_wire(c, a, b);
    }
}

void randomize_pulse(MY_BASE_OBJ& o, Rng& r) {
    static const double freqs[] = {50, 100, 125, 250, 333, 40};
    o.pulse_frequency = freqs[r.pick(6)];
    const double period = 1.0 / o.pulse_frequency;
    o.pulse_phase = period * r.pick(8) / 8;
    o.pulse_width = period * (1 + r.pick(6)) / 8;
    o.idle_level = r.chance(70) ? "常低" : "常高";
    o.pulse_count = 1 + r.pick(4);
}

// Builds the same circuit for the same seed. Rails, gates, adders,
// flip-flops, switches, pulses, indicators, hardware devices and chips are
// placed on a grid; chips are powered most of the time; every other input
// is wired to a random output (earlier, later or its own), joined to
// another input, or left open; junctions branch some nets; test points
// feed the instruments and the indicators bound to them.
void build(Circuit& c, uint32_t seed, Coverage* cov) {
    Rng r{std::mt19937(seed)};
    const auto kinds = kind_catalogue();
    const auto chips = chip_catalogue();
    c.net_mode = r.chance(15) ? 1 : 0;
    new_circuit(c);
    const int objects = 6 + r.pick(26);
    const int chip_slot = r.pick(objects);  // where this seed's catalogue chip goes
    std::vector<int> chip_objects;
    for (int i = 0; i < objects; ++i) {
        std::string kind;
        if (i == chip_slot) {
            kind = test::chip_kind(chips[seed % chips.size()].type);
        } else if (r.chance(12)) {
            kind = r.chance(95) ? test::chip_kind(chips[r.pick(int(chips.size()))].type)
                                : test::chip_kind("74LS181");  // no model, no pin map
            if (r.chance(30)) kind.replace(0, kChipCombPrefix.size(), kChipSeqPrefix);
        } else {
            kind = std::string(kinds[r.pick(int(kinds.size()))].kind);
        }
        const int o = add_component(c, kind, 100 + 150 * (i % 8), 100 + 150 * (i / 8));
        MY_BASE_OBJ& ob = c.objects[o];
        ob.param_int[0] = r.pick(2);
        if (ob.kind == "连续脉冲" || ob.kind == "可置数脉冲") randomize_pulse(ob, r);
        if (contains(ob.kind, "集成芯片")) chip_objects.push_back(o);
        if (cov) {
            cov->kinds.insert(contains(ob.kind, "集成芯片") ? "chip" : ob.kind);
            if (contains(ob.kind, "集成芯片")) cov->chips.insert(chip_type_of(ob.kind));
        }
    }
    if (r.chance(2)) c.objects[2].name = c.objects[1].name;  // a name twice: the earlier is evaluated twice
    // Rails the chips are powered from, at random places in the table.
    const int vcc = add_component(c, "Vcc", 100, 1400), gnd = add_component(c, "Gnd", 250, 1400);
    std::swap(c.objects[vcc], c.objects[r.pick(vcc + 1)]);
    std::swap(c.objects[gnd], c.objects[r.pick(gnd + 1)]);
    c.touch();
    BendPoint vcc_tip{}, gnd_tip{};
    for (int i = 0; i < c.object_count; ++i) {
        if (c.objects[i].kind == "Vcc") vcc_tip = output_pin(c.objects[i], 0);
        if (c.objects[i].kind == "Gnd") gnd_tip = output_pin(c.objects[i], 0);
    }

    const std::vector<BendPoint> outs = output_tips(c);
    std::set<std::pair<int, int>> supply;  // chip input pins wired to the rails
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const ChipRow* row = contains(o.kind, "集成芯片") ? find_chip_row(chip_type_of(o.kind)) : nullptr;
        const int def = row ? find_chip_def(c, row->type) : -1;
        if (def < 0) continue;
        const auto& pins = c.chip_table[def].pins;
        if (r.chance(92)) connect(c, r, vcc_tip, input_pin(o, pins[row->vcc - 1].index));
        if (r.chance(92)) connect(c, r, gnd_tip, input_pin(o, pins[row->gnd - 1].index));
        supply.insert({i, pins[row->vcc - 1].index});
        supply.insert({i, pins[row->gnd - 1].index});
    }
    const std::vector<BendPoint> ins = input_tips(c);
    for (int i = 0; i < c.object_count; ++i) {
        for (int k = 0; k < c.objects[i].input_count; ++k) {
            if (supply.count({i, k}) || outs.empty()) continue;
            const BendPoint tip = input_pin(c.objects[i], k);
            const int how = r.pick(10);
            if (how < 6) connect(c, r, outs[r.pick(int(outs.size()))], tip);
            else if (how == 6) connect(c, r, ins[r.pick(int(ins.size()))], tip);
        }
    }
    // Branches through junctions on the corners of some wires.
    for (int j = r.pick(4); j > 0 && c.wire_count > 0; --j) {
        const MY_LINK& w = c.wires[r.pick(c.wire_count)];
        if (w.bend_count == 0) continue;
        const BendPoint corner = w.bends[0];
        add_junction(c, corner.x, corner.y);
        if (!ins.empty()) add_wire(c, corner, ins[r.pick(int(ins.size()))]);
    }
    for (int t = r.pick(5); t > 0; --t) {
        const BendPoint p = r.chance(60) && !outs.empty() ? outs[r.pick(int(outs.size()))] : ins[r.pick(int(ins.size()))];
        add_test_point(c, p.x, p.y);
    }
    for (int i = 0; i < c.object_count; ++i) {
        if (!contains(c.objects[i].kind, "测点")) continue;
        for (int k = 0; k < 4; ++k) {
            const int t = c.test_point_count ? r.pick(c.test_point_count + 1) : 0;
            set_probe_input(c, i, k, t < c.test_point_count ? c.test_points[t].name : "无此测点");
        }
    }
}

// The run fields of two circuits: the first difference, or empty.
std::string compare(const Circuit& a, const Circuit& b) {
    if (a.object_count != b.object_count) return "object count";
    auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    for (int i = 0; i < a.object_count; ++i) {
        const MY_BASE_OBJ& p = a.objects[i];
        const MY_BASE_OBJ& q = b.objects[i];
        const std::string at = " of " + p.name;
        if (!same(p.in_v, q.in_v)) return "in_v" + at;
        if (!same(p.out_v, q.out_v)) return "out_v" + at;
        if (!same(p.prev_in_v, q.prev_in_v)) return "prev_in_v" + at;
        if (!same(p.prev_out_v, q.prev_out_v)) return "prev_out_v" + at;
        if (!same(p.state, q.state)) return "state" + at;
        if (p.dirty != q.dirty) return "dirty" + at;
        if (!same(p.param_real, q.param_real)) return "param_real" + at;
        if (!same(p.in_mark, q.in_mark) || p.pass_mark_a != q.pass_mark_a || p.pass_mark_b != q.pass_mark_b)
            return "pass marks" + at;
    }
    for (int t = 0; t < a.test_point_count; ++t)
        if (!same(a.test_points[t].value, b.test_points[t].value) ||
            !same(a.test_points[t].prev_value, b.test_points[t].prev_value))
            return "reading of " + a.test_points[t].name;
    if (a.hw.output_byte != b.hw.output_byte) return "hardware output byte";
    return {};
}

// One change made to both circuits between passes, chosen by the run's
// random stream; returns its name.
std::string change(Circuit& c, Rng& r) {
    if (c.object_count == 0) return "";
    auto pick_object = [&](auto pred) {
        std::vector<int> v;
        for (int i = 0; i < c.object_count; ++i)
            if (pred(c.objects[i])) v.push_back(i);
        return v.empty() ? -1 : v[r.pick(int(v.size()))];
    };
    switch (r.pick(14)) {
        case 0: case 1: {
            int s = pick_object([](const MY_BASE_OBJ& o) { return o.kind == "高低电平控制器"; });
            if (s < 0) return "";
            if (r.chance(50)) {
                toggle_level_switch(c, s);
                return "switch toggled";
            }
            c.objects[s].param_int[0] ^= 1;  // as a tool that sets the level directly
            return "switch level set";
        }
        case 2: {
            int p = pick_object([](const MY_BASE_OBJ& o) { return contains(o.kind, "脉冲"); });
            if (p < 0) return "";
            MY_BASE_OBJ tmp = c.objects[p];
            randomize_pulse(tmp, r);
            set_pulse_settings(c, p, pulse_settings(tmp));
            return "pulse settings";
        }
        case 3: {
            int o = r.pick(c.object_count);
            std::vector<std::string> names{c.objects[o].name};
            move_items(c, names, r.chance(50) ? 10 : 0, r.chance(50) ? 0 : 10, 0, 0);
            return "component moved";
        }
        case 4: {
            auto outs = output_tips(c), ins = input_tips(c);
            if (outs.empty() || ins.empty()) return "";
            add_wire(c, outs[r.pick(int(outs.size()))], ins[r.pick(int(ins.size()))]);
            return "wire added";
        }
        case 5: {
            if (c.wire_count == 0) return "";
            std::vector<std::string> names{c.wires[r.pick(c.wire_count)].name};
            delete_items(c, names);
            return "wire deleted";
        }
        case 6: {
            std::vector<std::string> names{c.objects[r.pick(c.object_count)].name};
            delete_items(c, names);
            return "component deleted";
        }
        case 7:
            stop_circuit(c);
            if (r.chance(20)) return "stop";  // the passes go on from the stopped state
            start_run(c);
            return "stop and run";
        case 8:
            c.device_delay = 1 + r.pick(3);
            return "device delay";
        case 9:
            c.virtual_time = !c.virtual_time;
            return "time mode";
        case 10:
            c.net_mode = !c.net_mode;
            return "net mode";
        case 11:
            evaluate_object(c, c.objects[r.pick(c.object_count)].name);
            return "object evaluated";
        case 12:
            for (int i = 0; i < c.object_count; ++i) c.objects[i].dirty = 0;  // a repaint
            return "repaint";
        default:
            c.hw.input_ring[c.hw.input_ring_index] = uint8_t(r.pick(256));
            return "hardware input";
    }
}

struct Side {
    std::unique_ptr<Circuit> c = make_circuit();
    double fixed_time = 0.0;
    PassHooks hooks;
    Side() {
        // The input hook runs after the time is taken: in real time it puts
        // the fixed clock in place of the machine's.
        hooks.read_hardware = [this] {
            if (c->virtual_time == 0) c->sim_time = fixed_time;
        };
    }
};

TEST(PassDifferential, ActivityPassMatchesTheSweepOnRandomCircuits) {
    Coverage cov;
    // The activity pass as it runs, and without its hand-over to the sweep
    // in busy passes, so every pass of the second is its own.
    Side sweep, active, books;
    uint64_t swept = 0;
    int circuits = 0;
    for (uint32_t seed = 1; seed <= 1100; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        build(*sweep.c, seed, &cov);
        build(*active.c, seed, nullptr);
        build(*books.c, seed, nullptr);
        set_pass_mode(*sweep.c, PassMode::sweep);
        set_pass_mode(*active.c, PassMode::activity);
        set_pass_mode(*books.c, PassMode::activity);
        compiled(*books.c).schedule.sweep_when_busy = false;
        Rng r{std::mt19937(seed * 7919u)};
        const bool real_time = r.chance(30);
        const int delay = 1 + r.pick(3);
        double clock = 0.0;
        for (Side* s : {&sweep, &active, &books}) {
            s->c->virtual_time = real_time ? 0 : 1;
            s->c->device_delay = delay;
            s->c->hw.input_open = s->c->hw.output_open = true;
            stop_circuit(*s->c);
            start_run(*s->c);
        }
        cov.delays.insert(delay);
        const int passes = 60 + r.pick(240);
        std::string log;
        for (int pass = 0; pass < passes; ++pass) {
            if (r.chance(6)) {
                const uint32_t state = r.gen();
                Rng a{std::mt19937(state)}, b{std::mt19937(state)}, d{std::mt19937(state)};
                std::string what = change(*sweep.c, a);
                change(*active.c, b);
                change(*books.c, d);
                if (!what.empty()) cov.events[what]++, log += " " + std::to_string(pass) + ":" + what;
            }
            clock += 0.0002 * (1 + r.pick(15));
            sweep.fixed_time = active.fixed_time = books.fixed_time = clock;
            run_pass(*sweep.c, sweep.hooks);
            run_pass(*active.c, active.hooks);
            run_pass(*books.c, books.hooks);
            swept += uint64_t(sweep.c->object_count);
            (sweep.c->virtual_time ? cov.virtual_passes : cov.real_time_passes)++;
            if (sweep.c->virtual_time == 0) {
                ASSERT_EQ(active.c->sim_time, clock) << "the fixed clock was not used";
            }
            const std::string diff = compare(*sweep.c, *active.c), diff_books = compare(*sweep.c, *books.c);
            ASSERT_TRUE(diff.empty()) << diff << " after pass " << pass << "; changes:" << log;
            ASSERT_TRUE(diff_books.empty()) << diff_books << " (always by the books) after pass " << pass
                                            << "; changes:" << log;
        }
        ++circuits;
    }
    const uint64_t evaluated = compiled(*books.c).schedule.evaluations;
    EXPECT_EQ(circuits, 1100);
    EXPECT_EQ(cov.chips.size(), chip_catalogue().size() + 1) << "every chip type and one without a pin map";
    EXPECT_EQ(cov.kinds.size(), kind_catalogue().size() + 1) << "every other kind, and chips";
    EXPECT_EQ(cov.delays, (std::set<int>{1, 2, 3}));
    EXPECT_GT(cov.real_time_passes, 20000);
    EXPECT_GT(cov.virtual_passes, 50000);
    for (const char* e : {"switch toggled", "switch level set", "pulse settings", "component moved", "wire added",
                          "wire deleted", "component deleted", "stop", "stop and run", "device delay", "time mode",
                          "net mode", "object evaluated", "repaint", "hardware input"})
        EXPECT_GT(cov.events[e], 20) << e;
    // Not a sweep in disguise: it evaluated a fraction of what the sweep did.
    EXPECT_LT(evaluated * 3, swept) << evaluated << " of " << swept;
}

}  // namespace
}  // namespace vorlisk
