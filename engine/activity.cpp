#include "engine/activity.h"

#include <algorithm>
#include <cstring>

#include "engine/compiled.h"
#include "engine/rules.h"
#include "engine/run.h"
#include "model/std_compat.h"

namespace vorlisk {
namespace {

// Voltages are compared by their bits: a field is unchanged only when it
// holds exactly what it held.
bool same(float a, float b) { return bit_cast<uint32_t>(a) == bit_cast<uint32_t>(b); }

void set_bit(ObjectBits& b, int i) { b[size_t(i) >> 6] |= uint64_t(1) << (i & 63); }
void clear_bit(ObjectBits& b, int i) { b[size_t(i) >> 6] &= ~(uint64_t(1) << (i & 63)); }
bool test_bit(const ObjectBits& b, int i) { return (b[size_t(i) >> 6] >> (i & 63)) & 1; }

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
    const uint8_t probe = p.probe ? kAlways : 0;
    switch (p.rule) {
        case Rule::none: return {0, 0, 0};
        case Rule::vcc: case Rule::gnd: case Rule::level_switch: return {1, 0, 0};
        case Rule::and_: case Rule::or_: case Rule::nand_: case Rule::nor_: case Rule::not_:
        case Rule::xor_: case Rule::xnor_: case Rule::aoi:
            return {1, 0, 0};
        case Rule::half_adder: case Rule::full_adder: return {2, 0, 0};
        case Rule::rs_nor: case Rule::rs_nand: case Rule::rs_clocked: case Rule::rs_master_slave:
        case Rule::d_cmos: case Rule::d_edge: case Rule::jk_edge:
            return {2, 3, 0};
        // Time and the hardware change them at any pass.
        case Rule::pulse_continuous: case Rule::pulse_preset:
        case Rule::signal_in: case Rule::signal_out:
            return {kMaxPins, 0, kAlways};
        case Rule::led: return {1, 0, uint8_t(kEveryPass | probe)};
        case Rule::display: return {uint8_t(p.display_inputs), 0, uint8_t(kEveryPass | probe)};
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

    // Who reads each net, as (net, reader) sorted.
    std::vector<std::pair<uint32_t, uint16_t>> reads;
    for (int i = 0; i < n; ++i) {
        const int inputs = std::clamp<int>(c.objects[i].input_count, 0, kMaxPins);
        for (int k = 0; k < inputs; ++k) reads.push_back({cc.input_net[size_t(i) * kMaxPins + k], uint16_t(i)});
    }
    std::sort(reads.begin(), reads.end());
    reads.erase(std::unique(reads.begin(), reads.end()), reads.end());

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
        node.first_pin = uint32_t(s.listeners_begin.size() - 1);
        for (int k = 0; k < node.outputs; ++k) {
            const uint32_t net = net_of_driver[size_t(j) * kMaxPins + k];
            auto lo = std::lower_bound(reads.begin(), reads.end(), std::pair<uint32_t, uint16_t>{net, 0});
            for (; lo != reads.end() && lo->first == net; ++lo)
                if (lo->second != j) s.listeners.push_back(lo->second);
            s.listeners_begin.push_back(uint32_t(s.listeners.size()));
        }
        if (t.flags & kEveryPass) set_bit(s.every_pass, j);
        if (cc.plan[j].rule == Rule::level_switch) s.switches.push_back(uint16_t(j));
    }
    s.listeners.shrink_to_fit();
    s.serial = cc.serial;
    s.wake_everything = true;
}

// Every object reading output pin `pin` gathers: a later one in this pass,
// an earlier one in the next, as the sweep would let it see the change.
void wake_listeners(PassSchedule& s, uint32_t pin, int from) {
    for (uint32_t l = s.listeners_begin[pin]; l < s.listeners_begin[pin + 1]; ++l) {
        const int r = s.listeners[l];
        set_bit(r > from ? s.now : s.gather_next, r);
    }
}

// Computes object i when it is pending and may compute in this pass,
// wakes the readers of the outputs that changed, then gathers.
void evaluate_active(Circuit& c, const CompiledCircuit& cc, PassSchedule& s, int i, bool logic_computes) {
    const ScheduleNode& node = s.nodes[i];
    MY_BASE_OBJ& o = c.objects[i];
    if (test_bit(s.pending, i) && (logic_computes || (node.flags & kEveryPass))) {
        bool changed = false;
        if (node.flags & kSnapshot) {
            const PinVolts out = o.out_v;
            const PinArray16 state = o.state;
            compute_object(c, i, cc.plan[i]);
            for (int k = 0; k < node.outputs; ++k)
                if (!same(o.out_v[k], out[k])) wake_listeners(s, node.first_pin + k, i);
            changed = std::memcmp(out.data(), o.out_v.data(), sizeof out) != 0 ||
                      std::memcmp(state.data(), o.state.data(), sizeof state) != 0;
        } else {
            // The rule copies out_v into prev_out_v before it computes.
            std::array<int16_t, 3> state{};
            std::copy_n(o.state.begin(), node.state_words, state.begin());
            compute_object(c, i, cc.plan[i]);
            const int driven = std::min(node.written, node.outputs);
            for (int k = 0; k < node.written; ++k)
                if (!same(o.out_v[k], o.prev_out_v[k])) {
                    changed = true;
                    if (k < driven) wake_listeners(s, node.first_pin + k, i);
                }
            changed |= !std::equal(state.begin(), state.begin() + node.state_words, o.state.begin());
        }
        if (!changed && !(node.flags & kAlways)) clear_bit(s.pending, i);
    }
    const int inputs = std::clamp<int>(o.input_count, 0, kMaxPins);
    const uint32_t* nets = cc.input_net.data() + size_t(i) * kMaxPins;
    bool moved = false;
    for (int k = 0; k < inputs; ++k) {
        const float before = o.in_v[k];
        gather_from_net(c, cc, nets[k], o.in_v[k]);
        moved |= !same(before, o.in_v[k]);
    }
    if (moved) set_bit(s.pending, i);
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

}  // namespace

void activity_pass(Circuit& c) {
    CompiledCircuit& cc = compiled(c);
    PassSchedule& s = cc.schedule;
    if (s.serial != cc.serial) build_schedule(c, cc, s);
    const int n = int(cc.plan.size());
    if (s.busy_sweeps_left > 0) {
        --s.busy_sweeps_left;
        forget_wake_requests(c);
        sweep_objects(c, 0);
        return;
    }
    if (s.sweep_only || n != c.object_count) {
        forget_wake_requests(c);
        s.wake_everything = true;
        sweep_objects(c, 0);
        return;
    }
    if (c.net_mode != s.net_mode || c.woken_all) {
        s.net_mode = c.net_mode;
        s.wake_everything = true;
    }
    const bool logic_computes = c.virtual_time == 0 || c.step_counter == c.device_delay;
    const int words = (n + 63) / 64;
    if (s.wake_everything) {
        s.wake_everything = false;
        clear_pass_marks(c);
        fill_bits(s.now, n);
        fill_bits(s.pending, n);
        s.gather_next = {};
    } else {
        if (c.woken_any) {
            // Changed before this pass: every reader sees it at its own turn.
            for (int i = 0; i < n; ++i) {
                if (!test_bit(c.woken, i)) continue;
                set_bit(s.pending, i);
                set_bit(s.now, i);
                const ScheduleNode& node = s.nodes[i];
                for (uint32_t l = s.listeners_begin[node.first_pin]; l < s.listeners_begin[node.first_pin + node.outputs]; ++l)
                    set_bit(s.now, s.listeners[l]);
            }
        }
        // A switch's level may be set directly; its computation follows it.
        for (uint16_t sw : s.switches) {
            const MY_BASE_OBJ& o = c.objects[sw];
            if (!same(o.out_v[0], level(o.param_int[0] == 1))) set_bit(s.pending, sw);
        }
        for (int w = 0; w < words; ++w) {
            s.now[w] |= s.gather_next[w] | (s.pending[w] & (logic_computes ? ~uint64_t(0) : s.every_pass[w]));
            s.gather_next[w] = 0;
        }
    }
    forget_wake_requests(c);

    const uint64_t messages = c.messages_shown;
    int evaluated = 0;
    for (int w = 0; w < words; ++w) {
        while (s.now[w] != 0) {
            const int i = w * 64 + std::countr_zero(s.now[w]);
            s.now[w] &= s.now[w] - 1;
            evaluate_active(c, cc, s, i, logic_computes);
            ++evaluated;
            if (c.messages_shown != messages) {
                // The user may have changed anything under the message: the
                // sweep finishes the pass and the next one evaluates everything.
                s.now = {};
                s.wake_everything = true;
                sweep_objects(c, i + 1);
                s.evaluations += uint64_t(evaluated);
                return;
            }
        }
    }
    s.evaluations += uint64_t(evaluated);
    if (s.sweep_when_busy) {
        int waiting = 0;  // objects the next pass will take up, at least
        for (int w = 0; w < words; ++w) waiting += std::popcount(s.pending[w] | s.gather_next[w]);
        if (4 * waiting > 3 * n) {
            s.busy_sweeps_left = s.busy_stretch;
            s.busy_stretch = uint16_t(std::min(2 * s.busy_stretch, int(kBusySweepsMax)));
            s.wake_everything = true;
        } else {
            s.busy_stretch = kBusySweeps;
        }
    }
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

void evaluate_pass(Circuit& c) {
    switch (compiled(c).schedule.mode) {
        case PassMode::activity: activity_pass(c); return;
        case PassMode::sweep: sweep_objects(c, 0); return;
        case PassMode::checked: checked_pass(c); return;
    }
}

CompiledSize compiled_size(Circuit& c) {
    CompiledCircuit& cc = compiled(c);
    if (cc.schedule.serial != cc.serial) build_schedule(c, cc, cc.schedule);
    const PassSchedule& s = cc.schedule;
    CompiledSize z;
    z.nets = sizeof(CompiledCircuit) - sizeof(PassSchedule) + bytes(cc.plan) + bytes(cc.net_begin) +
             bytes(cc.drivers) + bytes(cc.input_net) + bytes(cc.tp_begin) + bytes(cc.tp_drivers) +
             bytes(cc.tp_target);
    z.schedule = sizeof(PassSchedule) + bytes(s.nodes) + bytes(s.listeners_begin) + bytes(s.listeners) +
                 bytes(s.switches);
    return z;
}

}  // namespace vorlisk
