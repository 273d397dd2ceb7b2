// Sources (rails, level switch, pulse generators, the hardware devices) and
// indicators (LEDs, displays).
#include <cmath>
#include <cstring>

#include "engine/hardware.h"
#include "engine/nets.h"
#include "engine/rules.h"

namespace vorlisk {
namespace {

// Whether a pulse rests low ("常低"). Compared as bytes of known length, so
// the pulse that runs in every pass calls no library routine for it.
bool normally_low(const MY_BASE_OBJ& o) {
    static constexpr char kLowText[] = "常低";
    constexpr size_t n = sizeof kLowText - 1;
    return o.idle_level.size() == n && std::memcmp(o.idle_level.data(), kLowText, n) == 0;
}

float idle(const MY_BASE_OBJ& o) { return normally_low(o) ? kLow : kHigh; }

// Pulse sources run on the simulation time since their enable last rose.
void pulse(const Circuit& c, MY_BASE_OBJ& o, bool preset) {
    const double f = o.pulse_frequency;
    if (o.in_v[0] < kThreshold || !(f > 0.0) || !std::isfinite(f)) {
        // Disabled, or a frequency no period can be made of (possible only
        // from a file): rest at the idle level rather than divide by it.
        o.out_v[0] = idle(o);
    } else {
        if (o.in_v[0] > kThreshold && o.prev_in_v[0] < kThreshold) o.param_real[0] = c.sim_time;
        const double x = (c.sim_time - o.param_real[0]) * f;
        const double n = std::trunc(x);
        const double t = (x - n) / f;
        if (preset && o.pulse_count < x) {
            o.out_v[0] = idle(o);
        } else {
            bool in_window = o.pulse_phase <= t && t <= o.pulse_phase + o.pulse_width;
            o.out_v[0] = level(in_window == normally_low(o));
        }
    }
    if (std::fabs(o.out_v[0] - o.prev_out_v[0]) > 0.1f) o.dirty = 1;
}

float probe_reading(const Circuit& c, int tp) {
    return tp < 0 ? 0.0f : static_cast<float>(c.test_points[tp].value);
}

}  // namespace

void source_rule(Circuit& c, MY_BASE_OBJ& o, Rule rule) {
    switch (rule) {
        case Rule::vcc: o.out_v[0] = kHigh; break;
        case Rule::gnd: o.out_v[0] = 0.0f; break;
        case Rule::level_switch: o.out_v[0] = level(o.param_int[0] == 1); break;
        case Rule::pulse_continuous: pulse(c, o, false); break;
        case Rule::pulse_preset: pulse(c, o, true); break;
        case Rule::signal_in: signal_input_rule(c, o); break;
        case Rule::signal_out: signal_output_rule(c, o); break;
        default: break;
    }
}

void led_rule(const Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& plan) {
    if (plan.probe) o.in_v[0] = probe_reading(c, plan.probe_tp[0]);
    o.out_v[0] = o.in_v[0];
    if (std::fabs(o.out_v[0] - o.prev_out_v[0]) > 0.1f) o.dirty = 1;
}

void display_rule(const Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& plan) {
    if (plan.probe)
        for (int k = 0; k < 4; ++k) o.in_v[k] = probe_reading(c, plan.probe_tp[k]);
    for (int k = 0; k < plan.display_inputs; ++k) {
        o.out_v[k] = o.in_v[k];
        if (std::fabs(o.out_v[k] - o.prev_out_v[k]) > 0.1f) o.dirty = 1;
    }
}

}  // namespace vorlisk
