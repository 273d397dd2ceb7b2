// The activity-driven pass and the choice between it and the sweep (see
// engine/pass_schedule.h for how it decides what to evaluate).
#pragma once

#include <cstdint>
#include <string>

#include "engine/pass_schedule.h"
#include "model/circuit.h"

namespace vorlisk {

// How the passes of this circuit evaluate their objects; a new mode starts
// by evaluating every object once.
void set_pass_mode(Circuit& c, PassMode mode);
PassMode pass_mode(Circuit& c);

// The side-by-side check: passes in which the activity pass and the sweep
// disagreed, and a description of the first difference.
uint64_t pass_check_mismatches(Circuit& c);
std::string pass_check_report(Circuit& c);

// One evaluation of the objects by the circuit's mode (evaluate_all).
void evaluate_pass(Circuit& c);
// The activity-driven evaluation of one pass.
void activity_pass(Circuit& c);
// One pass activity-driven and, from the same start, as the sweep, compared
// field by field; the sweep's result stays (engine/pass_check.cpp).
void checked_pass(Circuit& c);

// The sweep over the slots from `first` to the end of the table, each
// evaluating the first object of its name; from 0 it first clears the pass
// marks. Kept in engine/run.cpp.
void sweep_objects(Circuit& c, int first);

// Memory the compiled view and the schedule hold, in bytes.
struct CompiledSize {
    size_t nets = 0;      // plan, nets, drivers, test points
    size_t schedule = 0;  // the activity pass's tables (without the check's copies)
};
CompiledSize compiled_size(Circuit& c);

}  // namespace vorlisk
