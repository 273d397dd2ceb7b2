// The run pass and its clock. A pass advances the simulation time, takes in
// the hardware input, evaluates every component once in table order (each
// followed by gathering its inputs), sends the hardware output, reads the
// test points, feeds the recorders, keeps the readings as the previous ones
// and lets the program handle its events. Components gather their inputs
// after they compute, so outputs of earlier components are already this
// pass's when a later one gathers; a chain of n gates settles in n passes.
#pragma once

#include <functional>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

// What the program plugs into a pass; every hook may be empty.
struct PassHooks {
    std::function<void()> read_hardware;   // when the input link is open
    std::function<void()> write_hardware;  // when the output link is open
    std::function<void()> record_table;    // truth-table recorder step
    std::function<void()> record_trace;    // timing-diagram recorder step
    std::function<void()> process_events;  // every command runs nested here
};

void clock_start(Circuit& c, int slot);
double clock_seconds(const Circuit& c, int slot);

// One evaluation pass over all objects. Two objects sharing a name: the
// earlier is evaluated twice, the later never.
void evaluate_all(Circuit& c);
// Evaluates the first object with this name and gathers its inputs;
// returns -1 (after reporting "对象名称不存在。") when there is none.
int evaluate_object(Circuit& c, std::string_view name);

struct ObjectPlan;
// Computes object i by its rule without gathering its inputs. Outside a
// pass, tell the next pass with Circuit::wake(i) (evaluate_object does).
void compute_object(Circuit& c, int i, const ObjectPlan& plan);

// Run's effects on the tables: previous voltages from the current ones,
// state words cleared, running set, the device-delay step counter and the
// times zeroed, clock slot 0 started.
void start_run(Circuit& c);
// One pass of the run loop.
void run_pass(Circuit& c, const PassHooks& hooks);
// Passes until `running` is cleared (by Stop from a nested command).
void run_loop(Circuit& c, const PassHooks& hooks);
// Stop's effects on the tables: running cleared, times zeroed, every pin of
// every object at 0.5 V, state words and dirty flags cleared, and no
// parameter left infinite or NaN by an overflowed run.
void stop_circuit(Circuit& c);

}  // namespace vorlisk
