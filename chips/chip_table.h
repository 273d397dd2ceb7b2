// The chip library: one catalogue row per chip type carrying its package,
// output pins, supply pins and the model that computes it. The pin maps
// (`MY_CHIPS`) placed into `Circuit::chip_table` are derived from these rows,
// so a type's pins and its behaviour cannot drift apart.
//
// Shared conventions of every model (the evaluator applies the first two):
//  - power: a chip computes only while in(Vcc) > 2.0 V and in(Gnd) < 2.0 V;
//    otherwise every output is driven to 0.5 V and no clock is sampled;
//  - levels: an input above 2.0 V is high, below 2.0 V low; a computed low
//    is 0.5 V and a computed high 3.6 V;
//  - passing a level through copies the input voltage unchanged;
//  - clocks are sampled in every powered pass before any clear, preset,
//    reset or enable is acted upon, using `state` at the clock pin's input
//    index (last definite level seen);
//  - sequential chips keep their bits only in their own output voltages;
//  - the one-shots alone also follow the run's time: the moment a pulse
//    began is run state, kept in state words no input uses (see timer()).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/records.h"

namespace vorlisk {

struct Circuit;

// Access to one chip component by package pin number.
class ChipPins {
public:
    ChipPins(MY_BASE_OBJ& obj, const MY_CHIPS& def, double now) : o_(obj), d_(def), now_(now) {}

    float in(int pin) const { return o_.in_v[idx(pin)]; }
    bool high(int pin) const { return in(pin) > kThreshold; }
    bool low(int pin) const { return in(pin) < kThreshold; }
    float out(int pin) const { return o_.out_v[idx(pin)]; }
    bool stored(int pin) const { return out(pin) > kThreshold; }  // a Q read back
    void drive(int pin, bool level) { o_.out_v[idx(pin)] = level ? kHigh : kLow; }
    void set(int pin, float volts) { o_.out_v[idx(pin)] = volts; }
    // Copies an input's voltage to an output (multiplexers, D storage).
    void pass(int out_pin, int in_pin) { set(out_pin, in(in_pin)); }
    // Drives the level opposite to an input's: low when it is high, else high.
    void pass_inverted(int out_pin, int in_pin) { drive(out_pin, !high(in_pin)); }

    // Clock sampling; returns whether an edge occurred in this pass.
    bool rising_edge(int pin);
    bool falling_edge(int pin);

    // The run's time in seconds (the circuit's clock, real or virtual).
    double now() const { return now_; }
    // Two run-time timers (slot 0 or 1) for the one-shots: a time in
    // seconds kept in four state words each, from word 16 on, which no
    // input of a chip with at most 16 inputs uses; Run and Stop zero them,
    // and the undo history and the files never see them.
    double timer(int slot) const;
    void set_timer(int slot, double seconds);
    // A state word of its own for a condition that is not one pin's level:
    // 0 not yet seen, 1 seen false, 2 seen true. Returns whether it became
    // true in this pass (a false must have been seen first).
    bool condition_rose(int word_pin, bool now_true);

    MY_BASE_OBJ& object() { return o_; }
    const MY_CHIPS& def() const { return d_; }

private:
    int idx(int pin) const { return d_.pins[pin - 1].index & (kMaxPins - 1); }
    MY_BASE_OBJ& o_;
    const MY_CHIPS& d_;
    double now_;
};

constexpr int kTimerFirstWord = 16;  // the one-shots' timers start here in `state`

// Gate chips are data: each gate names its output pin and its input groups
// (one group for plain gates, several for AND-OR-INVERT).
enum class GateFn : uint8_t { none, nand_, and_, nor_, or_, not_, xor_, aoi };

struct GateDef {
    uint8_t out = 0;  // 0 ends the gate list
    std::array<std::array<uint8_t, 14>, 4> groups{};  // zero-terminated pin lists
};

struct GateSet {
    GateFn fn = GateFn::none;
    std::array<GateDef, 6> gates{};
};

struct ChipRow;
using ChipModel = void (*)(ChipPins&, const ChipRow&);

struct ChipRow {
    std::string_view type;
    int pin_count;
    std::array<uint8_t, 20> outputs;  // output pins, zero-terminated
    int vcc, gnd;
    // The datasheet names of the package pins, pin 1 first, separated by
    // blanks; "/" marks an active-low pin, "NC" one the package leaves free.
    std::string_view pin_names;
    std::string_view function;  // what the chip is, in the chooser's words
    ChipModel model;  // null: the type has a pin map but computes nothing
    GateSet gates{}; // read by the gate-chip model only
    bool timed = false;  // follows the run's time (one-shots): computed in every pass
};

// The 77 catalogue rows in table order.
std::span<const ChipRow> chip_catalogue();

// Name of package pin `pin` of a type ("RCO" for 74LS161 pin 15); empty
// for an unknown type or a pin the package does not have.
std::string_view chip_pin_name(std::string_view type, int pin);
// The chip's function as the chooser lists it ("4位二进制同步计数器"); empty
// for an unknown type.
std::string_view chip_function(std::string_view type);

// One-shots: the pulse width of section 0 or 1 in seconds, kept in the
// component's `param_real[1 + section]` (slot 0 is a pulse's run-time enable
// moment); 0 (what placement and files written
// before the width existed hold) or a value no width can be means the
// default of 0.5 s.
constexpr double kDefaultOneShotWidth = 0.5;
double one_shot_width(const MY_BASE_OBJ& o, int section);
// Sections (0 when the type is no one-shot, 1 or 2).
int one_shot_sections(std::string_view type);

// Fills `c.chip_table` from the catalogue; records 77..99 stay empty.
void build_chip_table(Circuit& c);

// Record number of the first record with this type, scanning up to the
// first empty record; -1 when absent.
int find_chip_def(const Circuit& c, std::string_view type);

// Text strictly between the first "(" and the first ")" of a kind.
std::string chip_type_of(std::string_view kind);

// Catalogue row of a type, or null when no model serves it.
const ChipRow* find_chip_row(std::string_view type);

// One evaluation of the chip component at index `obj` with pin map `def`
// and catalogue row `row` (both already resolved by the caller), at run
// time `now` in seconds.
void evaluate_chip_with(MY_BASE_OBJ& obj, const MY_CHIPS& def, const ChipRow& row, double now);

// One evaluation of the chip component at index `obj` at the circuit's
// `sim_time`: resolves the type, checks power and runs the model. Unknown
// types change nothing.
void evaluate_chip(Circuit& c, int obj);

// Models, grouped by chip family.
void gate_chip_model(ChipPins& p, const ChipRow& row);

}  // namespace vorlisk
