// The schedule step of a pass, inline for the pass of a running circuit
// that needs nothing more: its tables current, nothing woken from outside
// the pass, no level switch to watch. That pass takes up the pending
// objects and the earlier readers woken in the last one, without a call;
// every other goes through begin_pass_in_full (engine/schedule.cpp).
#pragma once

#include "engine/compiled.h"
#include "engine/pass_schedule.h"
#include "model/circuit.h"

namespace vorlisk {

inline PassStart begin_pass(Circuit& c, CompiledCircuit& cc) {
    PassSchedule& s = cc.schedule;
    if (s.serial != cc.serial || s.busy_sweeps_left > 0 || s.sweep_only || s.wake_everything ||
        !s.switches.empty() || int(cc.plan.size()) != c.object_count || c.net_mode != s.net_mode ||
        c.woken_any || c.woken_all)
        return begin_pass_in_full(c, cc);
    const bool logic_computes = c.virtual_time == 0 || c.step_counter == c.device_delay;
    s.woken_earlier = 0;
    s.take_up_due(logic_computes, 0);
    return {false, logic_computes};
}

}  // namespace vorlisk
