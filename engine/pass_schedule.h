// What the activity-driven pass keeps from one pass to the next.
//
// The sweep evaluates every object in table order: it computes from the
// inputs it gathered at its previous evaluation, then gathers again. An
// object's evaluation changes nothing when its rule, applied to what the
// object holds, gives back what it holds (it reached a fixed point) and no
// driver on its nets changed since it last gathered. The activity pass
// evaluates only the other objects, in table order, so every field comes
// out as the sweep leaves it:
//  - `pending`: the object's next computation may change something (its
//    inputs changed since it last computed, or its last computation changed
//    an output or a state word). Logic kinds take it up at the next pass
//    that lets them compute under the device delay; chips, LEDs and
//    displays at the next pass. Pulse sources and one-shot chips (they
//    follow the time), the hardware devices and the indicators bound to
//    test points stay pending.
//  - when a computation changes an output, every object reading that
//    output's net gathers: later objects in this pass, earlier ones in the
//    next (`gather_next`), exactly when the sweep would let them see it.
// Whatever the compiled view does not show is taken as a change of every
// object once: a rebuild, a new net mode, Run, Stop, a message shown in the
// middle of a pass (the user may edit the circuit under it). A circuit with
// a name used twice, and a busy circuit for a while, are left to the sweep.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

namespace vorlisk {

constexpr uint16_t kBusySweeps = 15;
constexpr uint16_t kBusySweepsMax = 255;

// How evaluate_all evaluates the objects of a pass.
enum class PassMode : uint8_t {
    activity,  // only the objects whose evaluation can change anything
    sweep,     // every object in table order: the reference
    checked,   // both from the same start, compared field by field; the sweep's result stays
};

// Builds made with VORLISK_CHECK_PASS run every circuit with the check and
// stop at the first difference.
#ifdef VORLISK_CHECK_PASS
constexpr PassMode kDefaultPassMode = PassMode::checked;
#else
constexpr PassMode kDefaultPassMode = PassMode::activity;
#endif

constexpr int kObjectWords = (kMaxObjects + 63) / 64;
using ObjectBits = std::array<uint64_t, kObjectWords>;

// What the schedule needs to know of one object's rule.
struct ScheduleNode {
    uint32_t first_pin = 0;   // its output 0 in PassSchedule::listeners_begin
    uint8_t outputs = 0;      // output pins that drive nets (output_count, clamped)
    uint8_t written = 0;      // outputs its rule may write, from index 0
    uint8_t state_words = 0;  // state words its rule may write, from index 0
    uint8_t flags = 0;        // ScheduleFlags
};

enum ScheduleFlags : uint8_t {
    kEveryPass = 1,  // chips, LEDs, displays: not gated by the device delay
    kAlways = 2,     // follows the time, the hardware or test points: always pending
    kSnapshot = 4,   // its rule leaves prev_out_v alone (chips): compare against a copy
};

// The run fields of one object, as the side-by-side check compares them.
struct RunFields {
    PinVolts in_v, out_v, prev_in_v, prev_out_v;
    PinArray16 state, in_mark;
    double pulse_start = 0.0;  // param_real[0]
    int16_t dirty = 0, pass_mark_a = 0, pass_mark_b = 0;
};

struct PassSchedule {
    PassMode mode = kDefaultPassMode;
    uint64_t serial = 0;          // compiled serial the tables below were built from
    bool sweep_only = false;      // names repeat: the sweep's double evaluation decides
    bool wake_everything = true;  // the next pass evaluates every object
    int32_t net_mode = 0;         // net mode the inputs were last gathered in

    std::vector<ScheduleNode> nodes;         // per object
    std::vector<uint32_t> listeners_begin;   // per output pin (CSR), one past the last
    std::vector<uint16_t> listeners;         // objects reading the pin's net, ascending, not itself
    std::vector<uint16_t> switches;          // level switches: their level is watched
    ObjectBits every_pass{};                 // kEveryPass objects
    ObjectBits pending{};                    // its next computation may change something
    ObjectBits gather_next{};                // gathers in the next pass
    ObjectBits now{};                        // the pass in progress
    uint64_t evaluations = 0;                // objects evaluated by activity passes so far
    // A circuit in which most objects change in every pass is served best
    // by the sweep, which keeps no books: when a pass leaves more than three
    // quarters of the objects waiting for the next, the next passes sweep
    // (kBusySweeps of them, twice as many each time the circuit is still
    // busy after them, up to kBusySweepsMax) and the one after evaluates
    // everything to pick up the books again.
    bool sweep_when_busy = true;
    uint16_t busy_sweeps_left = 0;
    uint16_t busy_stretch = kBusySweeps;  // sweeps the next busy pass starts

    // The side-by-side check.
    std::vector<RunFields> check_start, check_activity;
    uint64_t mismatches = 0;     // passes in which the two disagreed
    std::string first_mismatch;  // what the first of them was
};

}  // namespace vorlisk
