// The activity-driven pass's schedule: who reads whose outputs, and what a
// pass is due to evaluate (see engine/pass_schedule.h). The loop that takes
// the objects up is run_pass in engine/run.cpp.
#include <algorithm>

#include "engine/activity.h"
#include "engine/compiled.h"
#include "engine/rules.h"
#include "model/std_compat.h"

namespace vorlisk {
namespace {

// The first n bits set, the rest clear.
void fill_bits(ObjectBits& b, int n) {
    for (int w = 0; w < kObjectWords; ++w) {
        const int from = w * 64;
        b[w] = n >= from + 64 ? ~uint64_t(0) : n <= from ? 0 : (uint64_t(1) << (n - from)) - 1;
    }
}

// What a rule may change, per rule; a new rule must be classified here.
struct RuleTraits {
    uint8_t written;      // outputs, from index 0
    uint8_t state_words;  // state words, from index 0
    uint8_t flags;
};

RuleTraits traits_of(const ObjectPlan& p) {
    const uint8_t indicator = p.probe ? kEveryPass | kAlways | kGathersAlways : kEveryPass | kSettlesByCopy;
    switch (p.rule) {
        case Rule::none: return {0, 0, 0};
        case Rule::vcc: case Rule::gnd: case Rule::level_switch: return {1, 0, 0};
        case Rule::and_: case Rule::or_: case Rule::nand_: case Rule::nor_: case Rule::not_:
        case Rule::xor_: case Rule::xnor_: case Rule::aoi:
            return {1, 0, kSettlesByCopy};
        case Rule::half_adder: case Rule::full_adder: return {2, 0, kSettlesByCopy};
        case Rule::rs_nor: case Rule::rs_nand: case Rule::rs_clocked:
        case Rule::d_cmos: case Rule::d_edge: case Rule::jk_edge:
            return {2, 3, kSettlesByCopy};
        // Its master follows the inputs once more after the clock fell.
        case Rule::rs_master_slave: return {2, 3, 0};
        // Time and the hardware change them at any pass.
        case Rule::pulse_continuous: case Rule::pulse_preset: return {1, 0, kAlways};
        case Rule::signal_in: case Rule::signal_out: return {kMaxPins, 0, kAlways};
        case Rule::led: return {1, 0, indicator};
        case Rule::display: return {uint8_t(p.display_inputs), 0, indicator};
        case Rule::chip:
            if (!p.chip_row) return {0, 0, kEveryPass};  // computes nothing
            // A one-shot's pulse ends by the time alone.
            if (p.chip_row->timed) return {kMaxPins, kMaxPins, kEveryPass | kAlways | kSnapshot};
            return {kMaxPins, kMaxPins, kEveryPass | kSnapshot};
    }
    return {kMaxPins, kMaxPins, kEveryPass | kAlways | kSnapshot};
}

void build_schedule(const Circuit& c, const CompiledCircuit& cc, PassSchedule& s) {
    const int n = int(cc.plan.size());
    s.sweep_only = false;
    for (int i = 0; i < n; ++i)
        if (cc.plan[i].target != i) s.sweep_only = true;

    // Who reads each net, as (net, reader) sorted, with the reader's input
    // pins on it.
    struct Read {
        uint32_t net;
        uint16_t reader;
        uint32_t pins;
    };
    std::vector<Read> reads;
    for (int i = 0; i < n; ++i) {
        const int inputs = std::clamp<int>(c.objects[i].input_count, 0, kMaxPins);
        for (int k = 0; k < inputs; ++k)
            reads.push_back({cc.input_net[size_t(i) * kMaxPins + k], uint16_t(i), uint32_t(1) << k});
    }
    auto by_net_reader = [](const Read& a, const Read& b) {
        return a.net != b.net ? a.net < b.net : a.reader < b.reader;
    };
    std::sort(reads.begin(), reads.end(), by_net_reader);
    size_t kept = 0;
    for (size_t r = 0; r < reads.size(); ++r)
        if (kept > 0 && reads[kept - 1].net == reads[r].net && reads[kept - 1].reader == reads[r].reader)
            reads[kept - 1].pins |= reads[r].pins;
        else
            reads[kept++] = reads[r];
    reads.resize(kept);

    // The net of every output pin.
    std::vector<uint32_t> net_of_driver(size_t(n) * kMaxPins, 0);
    for (size_t net = 0; net + 1 < cc.net_begin.size(); ++net)
        for (uint32_t d = cc.net_begin[net]; d < cc.net_begin[net + 1]; ++d)
            if (cc.drivers[d] < net_of_driver.size()) net_of_driver[cc.drivers[d]] = uint32_t(net);

    s.nodes.assign(n, ScheduleNode{});
    s.listeners_begin.assign(1, 0);
    s.listeners.clear();
    s.switches.clear();
    s.every_pass = {};
    for (int j = 0; j < n; ++j) {
        ScheduleNode& node = s.nodes[j];
        const RuleTraits t = traits_of(cc.plan[j]);
        node.written = t.written;
        node.state_words = t.state_words;
        node.flags = t.flags;
        node.outputs = uint8_t(std::clamp<int>(c.objects[j].output_count, 0, kMaxPins));
        node.inputs = uint8_t(std::clamp<int>(c.objects[j].input_count, 0, kMaxPins));
        if (cc.plan[j].rule != Rule::chip && node.written <= kShortPinCount && node.inputs <= kShortPinCount &&
            node.state_words <= 3) {
            node.flags |= kShortPins;
            node.driven_bits = uint8_t((1u << std::min(node.written, node.outputs)) - 1);
        }
        node.first_pin = uint32_t(s.listeners_begin.size() - 1);
        for (int k = 0; k < node.outputs; ++k) {
            const uint32_t net = net_of_driver[size_t(j) * kMaxPins + k];
            auto lo = std::lower_bound(reads.begin(), reads.end(), Read{net, 0, 0}, by_net_reader);
            for (; lo != reads.end() && lo->net == net; ++lo)
                if (lo->reader != j) s.listeners.push_back({lo->reader, lo->pins});
                else node.flags |= kGathersAlways;
            s.listeners_begin.push_back(uint32_t(s.listeners.size()));
        }
        if (t.flags & kEveryPass) set_bit(s.every_pass, j);
        if (cc.plan[j].rule == Rule::level_switch) s.switches.push_back(uint16_t(j));
    }
    s.listeners.shrink_to_fit();
    s.serial = cc.serial;
    s.wake_everything = true;
}

void clear_pass_marks(Circuit& c) {
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o.pass_mark_a = o.pass_mark_b = 0;
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k) o.in_mark[k] = 0;
    }
}

void forget_wake_requests(Circuit& c) {
    if (c.woken_any) c.woken = {};
    c.woken_any = c.woken_all = false;
}

uint32_t words_of(int n) { return n <= 0 ? 0 : uint32_t((uint64_t(1) << ((n + 63) / 64)) - 1); }

}  // namespace

PassStart begin_pass_in_full(Circuit& c, CompiledCircuit& cc) {
    PassSchedule& s = cc.schedule;
    if (s.serial != cc.serial) build_schedule(c, cc, s);
    const int n = int(cc.plan.size());
    if (s.busy_sweeps_left > 0) {
        --s.busy_sweeps_left;
        forget_wake_requests(c);
        return {true, false};
    }
    if (s.sweep_only || n != c.object_count) {
        forget_wake_requests(c);
        s.wake_everything = true;
        return {true, false};
    }
    if (c.net_mode != s.net_mode || c.woken_all) {
        s.net_mode = c.net_mode;
        s.wake_everything = true;
    }
    const bool logic_computes = c.virtual_time == 0 || c.step_counter == c.device_delay;
    s.woken_earlier = 0;
    if (s.wake_everything) {
        s.wake_everything = false;
        clear_pass_marks(c);
        fill_bits(s.now, n);
        fill_bits(s.pending, n);
        std::fill(s.marks.begin(), s.marks.end(), uint8_t(kMarkFresh));
        for (int i = 0; i < n; ++i) s.gather_all(i);
        s.gather_next = {};
        s.now_words = s.pending_words = words_of(n);
        s.next_words = 0;
    } else {
        uint32_t due = 0;
        if (c.woken_any) {
            // Changed before this pass: every reader sees it at its own turn.
            auto take_up = [&](int r) {
                set_bit(s.now, r);
                s.gather_all(r);
                due |= uint32_t(1) << (r >> 6);
            };
            for (int i = 0; i < n; ++i) {
                if (!test_bit(c.woken, i)) continue;
                s.inputs_moved(i);
                take_up(i);
                s.marks[size_t(i)] &= uint8_t(~kMarkWhole);
                const ScheduleNode& node = s.nodes[i];
                for (uint32_t l = s.listeners_begin[node.first_pin]; l < s.listeners_begin[node.first_pin + node.outputs]; ++l)
                    take_up(s.listeners[l].reader);
            }
        }
        // A switch's level may be set directly; its computation follows it.
        for (uint16_t sw : s.switches) {
            const MY_BASE_OBJ& o = c.objects[sw];
            if (!(bit_cast<uint32_t>(o.out_v[0]) == bit_cast<uint32_t>(level(o.param_int[0] == 1))))
                s.mark_pending(sw);
        }
        s.take_up_due(logic_computes, due);
    }
    forget_wake_requests(c);
    return {false, logic_computes};
}

void weigh_busy_pass(PassSchedule& s, int objects) {
    int waiting = 0;
    for (int w = 0; w < (objects + 63) / 64; ++w) waiting += std::popcount(s.pending[w] | s.gather_next[w]);
    if (4 * waiting > 3 * objects) {
        s.busy_sweeps_left = s.busy_stretch;
        s.busy_stretch = uint16_t(std::min(2 * s.busy_stretch, int(kBusySweepsMax)));
        s.wake_everything = true;
    } else {
        s.busy_stretch = kBusySweeps;
    }
}

void abandon_pass(PassSchedule& s, int evaluated) {
    s.now = {};
    s.now_words = 0;
    s.wake_everything = true;
    s.evaluations += uint64_t(evaluated);
}

namespace {

template <class V>
size_t bytes(const V& v) {
    return v.capacity() * sizeof(typename V::value_type);
}

}  // namespace

void set_pass_mode(Circuit& c, PassMode mode) {
    PassSchedule& s = compiled(c).schedule;
    s.mode = mode;
    s.wake_everything = true;
    s.busy_sweeps_left = 0;
    s.busy_stretch = kBusySweeps;
}

PassMode pass_mode(Circuit& c) { return compiled(c).schedule.mode; }

uint64_t pass_check_mismatches(Circuit& c) { return compiled(c).schedule.mismatches; }
std::string pass_check_report(Circuit& c) { return compiled(c).schedule.first_mismatch; }

CompiledSize compiled_size(Circuit& c) {
    CompiledCircuit& cc = compiled(c);
    if (cc.schedule.serial != cc.serial) build_schedule(c, cc, cc.schedule);
    const PassSchedule& s = cc.schedule;
    CompiledSize z;
    z.nets = sizeof(CompiledCircuit) - sizeof(PassSchedule) + bytes(cc.plan) + bytes(cc.net_begin) +
             bytes(cc.drivers) + bytes(cc.input_net) + bytes(cc.input_begin) + bytes(cc.input_driver) + bytes(cc.tp_begin) + bytes(cc.tp_drivers) +
             bytes(cc.tp_target);
    z.schedule = sizeof(PassSchedule) + bytes(s.nodes) + bytes(s.listeners_begin) + bytes(s.listeners) +
                 bytes(s.switches);
    return z;
}

}  // namespace vorlisk
