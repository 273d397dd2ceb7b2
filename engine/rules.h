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

inline bool is_high(float v) { return v > kThreshold; }
inline bool is_low(float v) { return v < kThreshold; }
inline bool at_least(float v) { return v >= kThreshold; }  // AND family: 2.0 V counts high
inline float level(bool high) { return high ? kHigh : kLow; }

}  // namespace vorlisk
