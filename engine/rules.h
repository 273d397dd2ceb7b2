// The rules of the logic kinds, LEDs and displays. A logic rule computes
// from the inputs gathered at the object's previous evaluation and writes
// its outputs; Q-bar of every flip-flop is recomputed from Q.
#pragma once

#include "engine/compiled.h"
#include "model/circuit.h"

namespace vorlisk {

// Gates and adders.
void gate_rule(MY_BASE_OBJ& o, Rule rule);
// Flip-flops; the JK toggle reports through the circuit's message callback.
void flip_flop_rule(const Circuit& c, MY_BASE_OBJ& o, Rule rule);
// Rails, level switch, pulse sources and the hardware devices.
void source_rule(Circuit& c, MY_BASE_OBJ& o, Rule rule);
// Indicators, evaluated in every pass; probes read test points by name.
// Like the logic rules they leave keeping the previous voltages to the
// caller (compute_object).
void led_rule(const Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& plan);
void display_rule(const Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& plan);

// What one computation changed, as the activity-driven pass needs it.
struct Computed {
    uint32_t moved = 0;    // bit k: output k (below the node's outputs) holds another voltage
    bool changed = false;  // an output the rule writes or a state word it keeps moved
};
// Computes object i by its rule, as compute_object does for a pass that
// lets it compute, and tells what changed. With `whole`, the previous
// voltages beyond what the rule writes and the object gathers are known to
// equal the present ones, and only the rest is copied. With `settled` too,
// the rule is known to give back what it holds (it computes again from the
// inputs and state its last computation left, kSettlesByCopy): only the
// previous outputs are copied.
Computed compute_watched(Circuit& c, int i, const ObjectPlan& p, const ScheduleNode& node, bool whole,
                         bool settled);

// Applies the rule of a logic kind (no rule: nothing).
void logic_rule(Circuit& c, MY_BASE_OBJ& o, Rule rule);

inline bool is_high(float v) { return v > kThreshold; }
inline bool is_low(float v) { return v < kThreshold; }
inline bool at_least(float v) { return v >= kThreshold; }  // AND family: 2.0 V counts high
inline float level(bool high) { return high ? kHigh : kLow; }

}  // namespace vorlisk
