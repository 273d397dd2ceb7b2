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
//    an output, or a state word of a kind that does not settle by copy).
//    Logic kinds take it up at the next pass
//    that lets them compute under the device delay; chips, LEDs and
//    displays at the next pass. Pulse sources and one-shot chips (they
//    follow the time), the hardware devices and the indicators bound to
//    test points stay pending.
//  - when a computation changes an output, every object reading that
//    output's net gathers the inputs on it: later objects in this pass,
//    earlier ones in the next (`gather_next`), exactly when the sweep would
//    let them see it.
// Whatever the compiled view does not show is taken as a change of every
// object once: a rebuild, a new net mode, Run, Stop, a message shown in the
// middle of a pass (the user may edit the circuit under it). A circuit with
// a name used twice, and a busy circuit for a while, are left to the sweep.
#pragma once

#include <array>
#include <bit>
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

// What the schedule needs to know of one object's rule.
struct ScheduleNode {
    uint32_t first_pin = 0;   // its output 0 in PassSchedule::listeners_begin
    uint8_t outputs = 0;      // output pins that drive nets (output_count, clamped)
    uint8_t written = 0;      // outputs its rule may write, from index 0
    uint8_t state_words = 0;  // state words its rule may write, from index 0
    uint8_t flags = 0;        // ScheduleFlags
    uint8_t inputs = 0;       // input pins it gathers (input_count, clamped)
    uint8_t driven_bits = 0;  // with kShortPins: bit k for each output below `written` and `outputs`
};

// The pins an evaluation of a kShortPins object copies and compares.
constexpr int kShortPinCount = 8;

enum ScheduleFlags : uint8_t {
    kEveryPass = 1,       // chips, LEDs, displays: not gated by the device delay
    kAlways = 2,          // follows the time, the hardware or test points: always pending
    kSnapshot = 4,        // its rule leaves prev_out_v alone (chips): compare against a copy
    // Its inputs may move with no other object's output telling: it reads its
    // own outputs, or its rule sets them (indicators bound to test points).
    // It gathers whenever it is evaluated.
    kGathersAlways = 8,
    // Computing again from the inputs and state words its last computation
    // left gives back what it holds: a pure function of its inputs and
    // state that reaches its fixed point in one step (gates, adders, most
    // flip-flops, indicators not bound to test points).
    kSettlesByCopy = 16,
    // No chip, and it writes and gathers no more than kShortPinCount pins and
    // keeps no more than three state words.
    kShortPins = 32,
};

constexpr int kObjectWords = (kMaxObjects + 63) / 64;
static_assert(kObjectWords <= 32, "the words of a pass's set are summed up in 32 bits");
using ObjectBits = std::array<uint64_t, kObjectWords>;

enum ObjectMarks : uint8_t {
    kMarkWhole = 2,   // its previous voltages equal the present ones beyond what its rule
                      // writes and it gathers (it computed since everything was woken)
    kMarkFresh = 4,   // its inputs moved since it last computed
};

inline void set_bit(ObjectBits& b, int i) { b[size_t(i) >> 6] |= uint64_t(1) << (i & 63); }
inline void clear_bit(ObjectBits& b, int i) { b[size_t(i) >> 6] &= ~(uint64_t(1) << (i & 63)); }
inline bool test_bit(const ObjectBits& b, int i) { return (b[size_t(i) >> 6] >> (i & 63)) & 1; }

// Every input of an object, as bits.
inline uint32_t all_inputs(const ScheduleNode& node) {
    return node.inputs >= 32 ? ~uint32_t(0) : (uint32_t(1) << node.inputs) - 1;
}

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
    // An object reading an output pin's net, and the input pins by which it reads it.
    struct Listener {
        uint16_t reader;
        uint32_t pins;  // bit k: input k
    };
    std::vector<Listener> listeners;         // readers of the pin's net, ascending, not itself
    std::vector<uint16_t> switches;          // level switches: their level is watched
    ObjectBits every_pass{};                 // kEveryPass objects
    ObjectBits pending{};                    // its next computation may change something
    ObjectBits gather_next{};                // gathers in the next pass
    // Per object, ObjectMarks: what the loop needs to know of it when it
    // comes up, in one byte beside the others'.
    std::array<uint8_t, kMaxObjects> marks{};
    // Per object, its inputs on a net whose driver changed since it last
    // gathered them (bit k: input k).
    std::array<uint32_t, kMaxObjects> gather_pins{};
    ObjectBits now{};                        // the pass in progress
    uint32_t now_words = 0;                  // words of `now` that may hold a bit
    uint32_t pending_words = 0;              // words of `pending` that may hold a bit
    uint32_t next_words = 0;                 // words of `gather_next` that may hold a bit
    uint32_t woken_earlier = 0;              // bits set in gather_next this pass, at least
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

    // --- the pass's steps on these sets (engine/run.cpp calls them in order)

    // The next object due in this pass, in table order, or -1 at the end.
    int next_due() {
        while (now_words != 0) {
            const int w = std::countr_zero(now_words);
            if (now[size_t(w)] == 0) {
                now_words &= now_words - 1;
                continue;
            }
            const int i = w * 64 + std::countr_zero(now[size_t(w)]);
            now[size_t(w)] &= now[size_t(w)] - 1;
            return i;
        }
        return -1;
    }
    // Whether object i computes when it comes up: it is pending and its kind
    // may compute in this pass.
    bool computes(int i, bool logic_computes) const {
        return test_bit(pending, i) && (logic_computes || (nodes[size_t(i)].flags & kEveryPass));
    }
    // The inputs object i gathers when it comes up (bit k: input k); takes
    // the request.
    uint32_t take_gather(int i) {
        const uint32_t pins = gather_pins[size_t(i)];
        gather_pins[size_t(i)] = 0;
        const ScheduleNode& node = nodes[size_t(i)];
        return node.flags & kGathersAlways ? all_inputs(node) : pins;
    }
    // Object i gathers every input when it comes up.
    void gather_all(int i) { gather_pins[size_t(i)] = all_inputs(nodes[size_t(i)]); }
    // Fills `now` with the pending objects whose kind may compute in this
    // pass and the earlier readers woken in the last one, beside those
    // already in it (their words in `due`). Only the words that may hold a
    // pending object or an earlier reader are looked at.
    void take_up_due(bool logic_computes, uint32_t due) {
        for (uint32_t m = pending_words | next_words; m != 0; m &= m - 1) {
            const int w = std::countr_zero(m);
            const uint32_t bit = uint32_t(1) << w;
            const uint64_t may_compute = logic_computes ? ~uint64_t(0) : every_pass[size_t(w)];
            now[size_t(w)] |= gather_next[size_t(w)] | (pending[size_t(w)] & may_compute);
            gather_next[size_t(w)] = 0;
            if (now[size_t(w)] != 0) due |= bit;
            if (pending[size_t(w)] == 0) pending_words &= ~bit;
        }
        next_words = 0;
        now_words = due;
    }
    // Object i's next computation may change something.
    void mark_pending(int i) {
        set_bit(pending, i);
        pending_words |= uint32_t(1) << (i >> 6);
    }
    // Object i's inputs moved: it computes from them when it may.
    void inputs_moved(int i) {
        mark_pending(i);
        marks[size_t(i)] |= kMarkFresh;
    }
    // Every object reading output pin `pin` gathers: a later one in this
    // pass, an earlier one in the next, as the sweep lets it see the change.
    void wake_listeners(uint32_t pin, int from) {
        for (uint32_t l = listeners_begin[pin]; l < listeners_begin[pin + 1]; ++l) {
            const int r = listeners[l].reader;
            gather_pins[size_t(r)] |= listeners[l].pins;
            if (r > from) {
                set_bit(now, r);
                now_words |= uint32_t(1) << (r >> 6);
            } else {
                set_bit(gather_next, r);
                next_words |= uint32_t(1) << (r >> 6);
                ++woken_earlier;
            }
        }
    }

    // The side-by-side check.
    std::vector<RunFields> check_start, check_activity;
    uint64_t mismatches = 0;     // passes in which the two disagreed
    std::string first_mismatch;  // what the first of them was
};

struct Circuit;
struct CompiledCircuit;

// The schedule step of a pass (begin_pass, engine/schedule.h): takes the
// wake requests, rebuilds the tables when the compiled view moved on and
// fills `now` with what is due. A pass it cannot serve goes to the sweep.
struct PassStart {
    bool sweep;           // evaluate every object in table order instead
    bool logic_computes;  // the device delay lets the logic kinds compute in this pass
};
// begin_pass for every case: a rebuild, the sweep, wake requests from
// outside the pass, level switches to watch.
PassStart begin_pass_in_full(Circuit& c, CompiledCircuit& cc);

// A pass that was not quiet: counts the objects waiting and decides whether
// the circuit is busy enough to be swept for a while.
void weigh_busy_pass(PassSchedule& s, int objects);

// After the last object: counts the evaluations and decides whether the
// circuit is busy enough to be swept for a while. When every pending object
// was due, what waits was evaluated now or woken for the next pass, so a
// quiet pass needs no count and ends here.
inline void end_pass(PassSchedule& s, int objects, int evaluated, bool logic_computes) {
    s.evaluations += uint64_t(evaluated);
    if (!s.sweep_when_busy) return;
    if (logic_computes && 4 * (int64_t(evaluated) + s.woken_earlier) <= 3 * int64_t(objects)) {
        s.busy_stretch = kBusySweeps;
        return;
    }
    weigh_busy_pass(s, objects);
}
// A message was shown in the middle of the pass: the sweep finishes it and
// the next pass evaluates everything.
void abandon_pass(PassSchedule& s, int evaluated);

}  // namespace vorlisk
