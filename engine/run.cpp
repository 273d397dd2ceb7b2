#include "engine/run.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "engine/activity.h"
#include "engine/compiled.h"
#include "engine/compute.h"
#include "engine/nets.h"
#include "engine/pass_check.h"
#include "engine/rules.h"
#include "engine/schedule.h"

namespace vorlisk {

void clock_start(Circuit& c, int slot) {
    c.clocks[size_t(slot) % kClockSlots].start = std::chrono::steady_clock::now();
}

double clock_seconds(const Circuit& c, int slot) {
    auto elapsed = std::chrono::steady_clock::now() - c.clocks[size_t(slot) % kClockSlots].start;
    return std::chrono::duration<double>(elapsed).count();
}

// --- One pass ---------------------------------------------------------------
//
// run_pass below is the whole of a pass; its middle, the evaluation of the
// objects, is one loop over the objects due, each taken through the same
// steps in this order:
//
//   schedule  what is due: the objects whose computation may change
//             something or whose nets changed (engine/schedule.h);
//   evaluate  its rule computes from the inputs it gathered last time
//             (engine/compute.h), and tells which outputs moved;
//   gather    its inputs on the nets whose drivers moved (engine/compiled.h),
//             after it computed, so they take effect at its next computation;
//   wake      the readers of the outputs that moved, by the input pins on
//             them: a later object in this pass, an earlier one in the next
//             (engine/pass_schedule.h).
//
// The order is the table's, as the sweep's: an object gathers after every
// earlier object of this pass computed, so a chain of n gates in table
// order settles in n passes. After the loop the pass reads the test points
// (engine/nets.cpp); the LEDs and displays are objects and took their
// turn in the loop. None of the steps calls back into this file.
//
// The sweep, kept as the reference, takes every object through evaluate
// and gather without the books; the activity pass hands a pass to it when it
// cannot serve it (a name used twice, a busy circuit, a message shown in the
// middle of the pass, under which the user may have changed anything).

namespace {

// Every object from slot `first` to the end of the table, in table order:
// the first object of the slot's name computes, then gathers. From 0 it
// first clears the pass marks.
void sweep(Circuit& c, int first) {
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
        const int target = cc->plan[i].target;
        compute_object(c, target, cc->plan[target]);
        gather_inputs(c, *cc, target, c.objects[target].input_count);
    }
}

// Only the objects due, through the four steps.
void activity(Circuit& c, CompiledCircuit& cc) {
    PassSchedule& s = cc.schedule;
    const PassStart start = begin_pass(c, cc);  // schedule
    if (start.sweep) return sweep(c, 0);
    const uint64_t messages = c.messages_shown;
    int evaluated = 0;
    for (int i = s.next_due(); i >= 0; i = s.next_due()) {
        ++evaluated;
        const ScheduleNode& node = s.nodes[size_t(i)];
        Computed done;
        if (s.computes(i, start.logic_computes)) {  // evaluate
            uint8_t& marks = s.marks[size_t(i)];
            const bool settled = (node.flags & kSettlesByCopy) && !(marks & kMarkFresh);
            done = compute_watched(c, i, cc.plan[size_t(i)], node, marks & kMarkWhole, settled);
            marks = uint8_t((marks | kMarkWhole) & ~kMarkFresh);
            if (!done.changed && !(node.flags & kAlways)) clear_bit(s.pending, i);
        }
        const bool interrupted = c.messages_shown != messages;
        const uint32_t pins = s.take_gather(i);  // gather
        if (interrupted ? gather_inputs(c, cc, i, c.objects[i].input_count)
                        : pins != 0 && gather_pins(c, cc, i, pins))
            s.inputs_moved(i);
        for (uint32_t m = done.moved; m != 0; m &= m - 1)  // wake
            s.wake_listeners(node.first_pin + uint32_t(std::countr_zero(m)), i);
        if (interrupted) {
            abandon_pass(s, evaluated);
            return sweep(c, i + 1);
        }
    }
    end_pass(s, int(cc.plan.size()), evaluated, start.logic_computes);
}

// Both from the same start, the activity pass first; the sweep's result
// stays and a difference is reported.
void checked(Circuit& c) {
    PassSchedule& s = compiled(c).schedule;
    capture_run_fields(c, s.check_start);
    const uint8_t byte_before = c.hw.output_byte;
    // The activity half stays silent: its messages are the sweep's to show.
    MessageFn report = std::move(c.report);
    c.report = nullptr;
    activity(c, compiled(c));
    c.report = std::move(report);
    capture_run_fields(c, s.check_activity);
    const uint8_t byte_activity = c.hw.output_byte;

    restore_run_fields(c, s.check_start);
    c.hw.output_byte = byte_before;
    const uint64_t serial = c.edit_serial, messages = c.messages_shown;
    sweep(c, 0);
    if (c.edit_serial != serial || c.messages_shown != messages ||
        size_t(c.object_count) != s.check_activity.size()) {
        s.wake_everything = true;  // the circuit changed under the sweep: nothing to compare
        return;
    }
    compare_check_halves(c, s, s.check_activity, byte_activity);
}

}  // namespace

void evaluate_all(Circuit& c) {
    CompiledCircuit& cc = compiled(c);
    switch (cc.schedule.mode) {
        case PassMode::activity: return activity(c, cc);
        case PassMode::sweep: return sweep(c, 0);
        case PassMode::checked: return checked(c);
    }
}

void run_pass(Circuit& c, const PassHooks& hooks) {
    if (c.virtual_time != 0) {
        c.sim_time += c.time_step;
        c.step_counter += 1;
    } else {
        c.sim_time = clock_seconds(c, kRunClock);
    }
    if (c.hw.input_open && hooks.read_hardware) hooks.read_hardware();
    // the objects: schedule, evaluate, gather, wake. A running circuit's
    // pass goes straight to the activity pass, past the choice of modes and
    // the side-by-side check's setup in evaluate_all.
    if (CompiledCircuit& cc = compiled(c); cc.schedule.mode == PassMode::activity) activity(c, cc);
    else evaluate_all(c);
    if (c.hw.output_open && hooks.write_hardware) hooks.write_hardware();

    // read: the test points, from the outputs as the objects left them
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

int evaluate_object(Circuit& c, std::string_view name) {
    int i = find_object(c, name);
    if (i < 0) {
        c.message("对象名称不存在。");
        return -1;
    }
    CompiledCircuit& cc = compiled(c);
    compute_object(c, i, cc.plan[size_t(i)]);
    gather_inputs(c, cc, i, c.objects[i].input_count);
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
