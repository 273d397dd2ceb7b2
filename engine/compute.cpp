// The evaluate step of a pass: one computation of an object by its rule,
// dispatched on the rule its kind was compiled to. The sweep computes with
// compute_object; the activity-driven pass with compute_watched
// (engine/compute.h), which also tells what the computation changed so the
// pass can wake the readers.
#include "engine/compute.h"

#include <algorithm>

#include "engine/rules.h"
#include "engine/run.h"
#include "model/std_compat.h"

namespace vorlisk {

void apply_rule(Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& p) {
    switch (p.rule) {
        case Rule::and_: case Rule::or_: case Rule::nand_: case Rule::nor_: case Rule::not_:
        case Rule::xor_: case Rule::xnor_: case Rule::aoi: case Rule::half_adder: case Rule::full_adder:
            return gate_rule(o, p.rule);
        case Rule::rs_nor: case Rule::rs_nand: case Rule::rs_clocked: case Rule::rs_master_slave:
        case Rule::d_cmos: case Rule::d_edge: case Rule::jk_edge:
            return flip_flop_rule(c, o, p.rule);
        case Rule::vcc: case Rule::gnd: case Rule::level_switch: case Rule::pulse_continuous:
        case Rule::pulse_preset: case Rule::signal_in: case Rule::signal_out:
            return source_rule(c, o, p.rule);
        case Rule::led: return led_rule(c, o, p);
        case Rule::display: return display_rule(c, o, p);
        case Rule::none: case Rule::chip: return;  // a chip computes by its model (evaluate_chip_with)
    }
}

void compute_object(Circuit& c, int i, const ObjectPlan& p) {
    MY_BASE_OBJ& o = c.objects[i];
    switch (p.rule) {
        case Rule::chip:
            if (p.chip_row) evaluate_chip_with(o, *p.chip_def, *p.chip_row, c.sim_time);
            break;
        case Rule::led: case Rule::display:
            o.prev_out_v = o.out_v;
            apply_rule(c, o, p);
            o.prev_in_v = o.in_v;
            break;
        default:
            // Logic kinds compute only every device_delay passes in virtual time.
            if (c.virtual_time != 0 && c.step_counter != c.device_delay) break;
            o.prev_out_v = o.out_v;
            apply_rule(c, o, p);
            o.prev_in_v = o.in_v;
            break;
    }
}

namespace {

// Voltages are compared by their bits: a field is unchanged only when it
// holds exactly what it held.
bool same(float a, float b) { return bit_cast<uint32_t>(a) == bit_cast<uint32_t>(b); }

}  // namespace

Computed compute_watched_whole(Circuit& c, int i, const ObjectPlan& p, const ScheduleNode& node) {
    MY_BASE_OBJ& o = c.objects[i];
    Computed r;
    if (p.rule == Rule::chip) {
        if (!p.chip_row) return r;  // no model or no pin map: computes nothing
        // A chip's rule leaves prev_out_v alone: compare against a copy.
        const PinVolts out = o.out_v;
        const PinArray16 state = o.state;
        evaluate_chip_with(o, *p.chip_def, *p.chip_row, c.sim_time);
        for (int k = 0; k < node.outputs; ++k)
            if (!same(o.out_v[k], out[k])) r.moved |= uint32_t(1) << k;
        r.changed = std::memcmp(out.data(), o.out_v.data(), sizeof out) != 0 ||
                    std::memcmp(state.data(), o.state.data(), sizeof state) != 0;
        return r;
    }
    // The state words a rule keeps are among the first four: compared as one.
    uint64_t state_before;
    std::memcpy(&state_before, o.state.data(), sizeof state_before);
    o.prev_out_v = o.out_v;
    apply_rule(c, o, p);
    o.prev_in_v = o.in_v;
    uint64_t state_after;
    std::memcpy(&state_after, o.state.data(), sizeof state_after);
    const uint64_t kept = node.state_words >= 4 ? ~uint64_t(0) : (uint64_t(1) << (16 * node.state_words)) - 1;
    r.changed = ((state_before ^ state_after) & kept) != 0 && !(node.flags & kSettlesByCopy);
    // The rule copied out_v into prev_out_v before it computed.
    const int driven = std::min(node.written, node.outputs);
    for (int k = 0; k < node.written; ++k)
        if (!same(o.out_v[k], o.prev_out_v[k])) {
            r.changed = true;
            if (k < driven) r.moved |= uint32_t(1) << k;
        }
    return r;
}

}  // namespace vorlisk
