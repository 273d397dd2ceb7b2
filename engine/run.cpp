#include "engine/run.h"

#include <cmath>

#include "engine/activity.h"
#include "engine/compiled.h"
#include "engine/nets.h"
#include "engine/rules.h"

namespace vorlisk {

void clock_start(Circuit& c, int slot) {
    c.clocks[size_t(slot) % kClockSlots].start = std::chrono::steady_clock::now();
}

double clock_seconds(const Circuit& c, int slot) {
    auto elapsed = std::chrono::steady_clock::now() - c.clocks[size_t(slot) % kClockSlots].start;
    return std::chrono::duration<double>(elapsed).count();
}

namespace {

void gather_all(Circuit& c, const CompiledCircuit& cc, int i) {
    MY_BASE_OBJ& o = c.objects[i];
    const int n = std::clamp<int>(o.input_count, 0, kMaxPins);
    const uint32_t* nets = cc.input_net.data() + size_t(i) * kMaxPins;
    for (int k = 0; k < n; ++k) gather_from_net(c, cc, nets[k], o.in_v[k]);
}

}  // namespace

void compute_object(Circuit& c, int i, const ObjectPlan& p) {
    MY_BASE_OBJ& o = c.objects[i];
    switch (p.rule) {
        case Rule::chip:
            if (p.chip_row) evaluate_chip_with(o, *p.chip_def, *p.chip_row, c.sim_time);
            break;
        case Rule::led: led_rule(c, o, p); break;
        case Rule::display: display_rule(c, o, p); break;
        default:
            // Logic kinds compute only every device_delay passes in virtual time.
            if (c.virtual_time != 0 && c.step_counter != c.device_delay) break;
            o.prev_out_v = o.out_v;
            logic_rule(c, o, p.rule);
            o.prev_in_v = o.in_v;
            break;
    }
}

namespace {

// Computes the object at index i by its rule, then gathers its inputs.
void evaluate_index(Circuit& c, const CompiledCircuit& cc, int i) {
    compute_object(c, i, cc.plan[i]);
    gather_all(c, cc, i);
}

}  // namespace

void evaluate_all(Circuit& c) { evaluate_pass(c); }

void sweep_objects(Circuit& c, int first) {
    CompiledCircuit* cc = &compiled(c);
    for (int i = 0; first == 0 && i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o.pass_mark_a = o.pass_mark_b = 0;
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k) o.in_mark[k] = 0;
    }
    for (int i = first; i < c.object_count; ++i) {
        // A rule's message box may let the user edit the circuit mid-pass.
        if (cc->serial != c.edit_serial) cc = &compiled(c);
        if (i >= int(cc->plan.size())) break;
        evaluate_index(c, *cc, cc->plan[i].target);
    }
}

int evaluate_object(Circuit& c, std::string_view name) {
    int i = find_object(c, name);
    if (i < 0) {
        c.message("对象名称不存在。");
        return -1;
    }
    evaluate_index(c, compiled(c), i);
    c.wake(i);  // evaluated outside a pass: its readers and itself look again
    return 0;
}

void start_run(Circuit& c) {
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o.prev_in_v = o.in_v;
        o.prev_out_v = o.out_v;
        o.state.fill(0);
    }
    c.wake_all();
    c.running = 1;
    c.step_counter = 0;  // the loop counts device-delay steps from here
    clock_start(c, kRunClock);
    c.sim_time = 0.0;
    c.trace_drawn_time = 0.0;
}

void run_pass(Circuit& c, const PassHooks& hooks) {
    if (c.virtual_time != 0) {
        c.sim_time += c.time_step;
        c.step_counter += 1;
    } else {
        c.sim_time = clock_seconds(c, kRunClock);
    }
    if (c.hw.input_open && hooks.read_hardware) hooks.read_hardware();
    evaluate_all(c);
    if (c.hw.output_open && hooks.write_hardware) hooks.write_hardware();

    const CompiledCircuit& cc = compiled(c);
    c.readings_changed = false;
    for (int t = 0; t < c.test_point_count; ++t) {
        MY_TEST_POINT& p = c.test_points[t];
        p.value = read_test_point_at(c, cc.tp_target[t]);
        c.readings_changed |= std::fabs(p.value - p.prev_value) > 0.1;
    }
    if (hooks.record_table) hooks.record_table();
    if (hooks.record_trace) hooks.record_trace();
    for (int t = 0; t < c.test_point_count; ++t) c.test_points[t].prev_value = c.test_points[t].value;
    // Past the delay the counter restarts too, so it stays in range: a delay
    // below 1 (only from a file) keeps the logic kinds silent for good, one
    // lowered mid-run makes them wait for the next round.
    if (c.step_counter >= c.device_delay) c.step_counter = 0;
    if (hooks.process_events) hooks.process_events();
}

void run_loop(Circuit& c, const PassHooks& hooks) {
    c.step_counter = 0;
    while (c.running != 0) run_pass(c, hooks);
}

void stop_circuit(Circuit& c) {
    c.running = 0;
    c.sim_time = 0.0;
    c.trace_drawn_time = 0.0;
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        o.in_v.fill(kLow);
        o.out_v.fill(kLow);
        o.prev_in_v = o.in_v;
        o.prev_out_v = o.out_v;
        o.state.fill(0);
        o.dirty = 0;
        // A run whose time overflowed leaves infinite enable times in the
        // pulses; no circuit file can hold them, and the next run sets
        // them afresh.
        for (double& v : o.param_real)
            if (!std::isfinite(v)) v = 0.0;
    }
    c.wake_all();
}

}  // namespace vorlisk
