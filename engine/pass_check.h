// The side-by-side check's books: the run fields of every object before a
// pass and after its activity-driven half, and the comparison with the
// sweep's result. The pass that runs both halves is in engine/run.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/pass_schedule.h"
#include "model/circuit.h"

namespace vorlisk {

void capture_run_fields(const Circuit& c, std::vector<RunFields>& v);
void restore_run_fields(Circuit& c, const std::vector<RunFields>& v);
// Compares the sweep's result in `c` with the activity half's (`activity`,
// and the hardware output byte it sent); a difference is counted, reported
// and makes the next pass evaluate everything from the sweep's result.
void compare_check_halves(Circuit& c, PassSchedule& s, const std::vector<RunFields>& activity,
                          uint8_t activity_output_byte);

}  // namespace vorlisk
