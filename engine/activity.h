// The choice of how a pass evaluates its objects, and what the side-by-side
// check found (see engine/pass_schedule.h for how the activity-driven pass
// decides what to evaluate, engine/run.cpp for the pass itself).
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

// Memory the compiled view and the schedule hold, in bytes.
struct CompiledSize {
    size_t nets = 0;      // plan, nets, drivers, test points
    size_t schedule = 0;  // the activity pass's tables (without the check's copies)
};
CompiledSize compiled_size(Circuit& c);

}  // namespace vorlisk
