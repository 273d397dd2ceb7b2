// The evaluate step of the activity-driven pass: one computation of an
// object by its rule, telling what it changed so the pass can wake the
// readers. Most objects of a running circuit are small logic kinds whose
// previous voltages already equal the present ones beyond their first few
// pins; for them the step is inline here and copies and compares only those
// pins. The rest (chips, wide objects, the first computation after
// everything was woken) goes through compute_watched_whole in compute.cpp.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/compiled.h"
#include "engine/pass_schedule.h"
#include "model/std_compat.h"

namespace vorlisk {

// What one computation changed, as the activity-driven pass needs it.
struct Computed {
    uint32_t moved = 0;    // bit k: output k (below the node's outputs) holds another voltage
    // Its next computation may change something: an output the rule writes
    // moved, or a state word it keeps. A kind that settles by copy computes
    // the moved state word again from the same inputs, and with no output
    // moved its previous outputs already equal the present ones: for it, a
    // state word alone changes nothing more.
    bool changed = false;
};

// The rule of an indicator or a logic kind, without the copies of the
// previous voltages around it.
void apply_rule(Circuit& c, MY_BASE_OBJ& o, const ObjectPlan& p);

// Computes object i by its rule, as compute_object does for a pass that lets
// it compute, copying every previous voltage, and tells what changed.
Computed compute_watched_whole(Circuit& c, int i, const ObjectPlan& p, const ScheduleNode& node);

// Computes object i by its rule, as compute_object does for a pass that
// lets it compute, and tells what changed. With `whole`, the previous
// voltages beyond what the rule writes and the object gathers are known to
// equal the present ones, and only the rest is copied. With `settled` too,
// the rule is known to give back what it holds (it computes again from the
// inputs and state its last computation left, kSettlesByCopy): only the
// previous outputs are copied.
inline Computed compute_watched(Circuit& c, int i, const ObjectPlan& p, const ScheduleNode& node, bool whole,
                                bool settled) {
    if (!whole || !(node.flags & kShortPins)) return compute_watched_whole(c, i, p, node);
    MY_BASE_OBJ& o = c.objects[i];
    // Copying the first few previous voltages is copying them all.
    std::memcpy(o.prev_out_v.data(), o.out_v.data(), kShortPinCount * sizeof(float));
    if (settled) return {};  // the rule would give back what it holds
    // The state words a rule keeps are among the first four: compared as one.
    static_assert(kMaxPins >= 4);
    uint64_t state_before, state_after;
    std::memcpy(&state_before, o.state.data(), sizeof state_before);
    apply_rule(c, o, p);
    std::memcpy(o.prev_in_v.data(), o.in_v.data(), kShortPinCount * sizeof(float));
    std::memcpy(&state_after, o.state.data(), sizeof state_after);
    // Voltages are compared by their bits: a pin is unchanged only when it
    // holds exactly what it held.
    uint32_t differ = 0;
    for (int k = 0; k < node.written; ++k)
        differ |= uint32_t(bit_cast<uint32_t>(o.out_v[k]) != bit_cast<uint32_t>(o.prev_out_v[k])) << k;
    // Kept state words, by their number (at most three for these kinds).
    static constexpr uint64_t kKeptState[] = {0, 0xffff, 0xffffffff, 0xffffffffffff};
    Computed r;
    r.moved = differ & node.driven_bits;
    const bool state_moved = ((state_before ^ state_after) & kKeptState[node.state_words]) != 0;
    r.changed = differ != 0 || (state_moved && !(node.flags & kSettlesByCopy));
    return r;
}

}  // namespace vorlisk
