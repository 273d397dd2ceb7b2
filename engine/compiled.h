// The run pass's compiled view of a circuit: per-object dispatch decided
// once per record, and the nets of every input pin and test point resolved
// into driver lists. Rebuilt whenever the circuit's edit serial moves on, so
// a pass never repeats the geometric search.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "chips/chip_table.h"
#include "engine/pass_schedule.h"
#include "model/catalogue.h"
#include "model/circuit.h"
#include "model/std_compat.h"

namespace vorlisk {

// A driver is an output pin, flattened as object * 32 + output index.
using DriverRef = uint32_t;
constexpr DriverRef kNoOneDriver = ~DriverRef(0);

struct ObjectPlan {
    int32_t target = -1;              // record evaluated for this slot: first with its name
    Rule rule = Rule::none;
    const ChipRow* chip_row = nullptr;  // chips with a model and a pin map
    const MY_CHIPS* chip_def = nullptr;
    bool probe = false;      // indicator bound to test points by name ("测点")
    int8_t display_inputs = 0;  // inputs a display copies: 8 segment, 4 BCD
    std::array<int16_t, 4> probe_tp{-1, -1, -1, -1};  // the probes' test points
};

struct CompiledCircuit {
    uint64_t serial = 0;  // Circuit::edit_serial this was built from
    std::vector<ObjectPlan> plan;  // per object slot
    // Nets as CSR: drivers of net n are drivers[net_begin[n] .. net_begin[n+1]).
    std::vector<uint32_t> net_begin;
    std::vector<DriverRef> drivers;
    std::vector<uint32_t> input_net;  // per object * 32 + input index
    // The driver of input k of object i, input_driver[input_begin[i] + k],
    // when its net has exactly one; kNoOneDriver when it has none or several.
    std::vector<uint32_t> input_begin;
    std::vector<DriverRef> input_driver;
    // Test points: the union of the nets they touch, as a driver list.
    std::vector<uint32_t> tp_begin;
    std::vector<DriverRef> tp_drivers;
    std::vector<int32_t> tp_target;  // record read for this slot: first with its name
    // The nets test point t touches: tp_nets[tp_net_begin[t] .. tp_net_begin[t+1]).
    std::vector<uint32_t> tp_net_begin;
    std::vector<uint32_t> tp_nets;
    // Net of every wire (by its start), junction and output pin (object *
    // 32 + output index), for showing levels on the canvas.
    std::vector<uint32_t> wire_net;
    std::vector<uint32_t> junction_net;
    std::vector<uint32_t> output_net;
    // The activity-driven pass's state; kept across rebuilds, which it notices
    // by `serial`.
    PassSchedule schedule;
};

// Dispatch of object i decided from its kind and probe names (the name
// target is left to the caller).
ObjectPlan plan_object(const Circuit& c, int i);

// Sets an input from the drivers of its net, combined by net_mode: 0 any
// driver above 2.0 V gives 3.6 V, else 0.0 V; 1 any below 2.0 V gives 0.5 V,
// else 3.6 V; other modes leave the input as it is.
inline void gather_from_net(const Circuit& c, const CompiledCircuit& cc, uint32_t net, float& in) {
    const DriverRef* d = cc.drivers.data() + cc.net_begin[net];
    const DriverRef* end = cc.drivers.data() + cc.net_begin[net + 1];
    if (c.net_mode == 0) {
        in = 0.0f;
        for (; d != end; ++d)
            if (c.objects[*d / kMaxPins].out_v[*d % kMaxPins] > kThreshold) {
                in = kHigh;
                return;
            }
    } else if (c.net_mode == 1) {
        in = kHigh;
        for (; d != end; ++d)
            if (c.objects[*d / kMaxPins].out_v[*d % kMaxPins] < kThreshold) {
                in = kLow;
                return;
            }
    }
}

// gather_from_net for a net whose one driver is `d`.
inline void gather_from_driver(const Circuit& c, DriverRef d, float& in) {
    const float v = c.objects[d / kMaxPins].out_v[d % kMaxPins];
    if (c.net_mode == 0) in = v > kThreshold ? kHigh : 0.0f;
    else if (c.net_mode == 1) in = v < kThreshold ? kLow : kHigh;
}

// The gather step: the first `inputs` inputs of object i (its input_count)
// from their nets; whether any of them now holds another voltage (compared
// by bits).
inline bool gather_inputs(Circuit& c, const CompiledCircuit& cc, int i, int inputs) {
    MY_BASE_OBJ& o = c.objects[i];
    const int n = inputs < 0 ? 0 : inputs > kMaxPins ? kMaxPins : inputs;
    const uint32_t* nets = cc.input_net.data() + size_t(i) * kMaxPins;
    bool moved = false;
    for (int k = 0; k < n; ++k) {
        const float before = o.in_v[k];
        gather_from_net(c, cc, nets[k], o.in_v[k]);
        moved |= bit_cast<uint32_t>(before) != bit_cast<uint32_t>(o.in_v[k]);
    }
    return moved;
}

// The gather step of the activity-driven pass: the inputs of object i in
// `pins` (bit k: input k, below the input_count this view was built with)
// from their nets; whether any of them now holds another voltage (compared
// by bits). An input whose net has one driver reads it without the net's
// driver list, one load fewer between the pin and the voltage.
inline bool gather_pins(Circuit& c, const CompiledCircuit& cc, int i, uint32_t pins) {
    MY_BASE_OBJ& o = c.objects[i];
    const uint32_t* nets = cc.input_net.data() + size_t(i) * kMaxPins;
    const DriverRef* one = cc.input_driver.data() + cc.input_begin[size_t(i)];
    bool moved = false;
    for (; pins != 0; pins &= pins - 1) {
        const int k = std::countr_zero(pins);
        const float before = o.in_v[k];
        if (one[k] != kNoOneDriver) gather_from_driver(c, one[k], o.in_v[k]);
        else gather_from_net(c, cc, nets[k], o.in_v[k]);
        moved |= bit_cast<uint32_t>(before) != bit_cast<uint32_t>(o.in_v[k]);
    }
    return moved;
}

// Builds `c.compiled` afresh (missing or stale); returns it.
CompiledCircuit& recompiled(Circuit& c);
// Rebuilds `c.compiled` when it is missing or stale; returns it.
inline CompiledCircuit& compiled(Circuit& c) {
    if (c.compiled && c.compiled->serial == c.edit_serial) return *c.compiled;
    return recompiled(c);
}

}  // namespace vorlisk
