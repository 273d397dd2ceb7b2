// What a teacher calls the parts of a circuit: a level switch whose output
// carries a test point is known by that test point's label, an LED or a
// display by the label of a test point on its inputs. Students who placed
// their parts in another order get other internal names, but the labels
// they were told to write match.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/circuit.h"

namespace vorlisk::sim {

constexpr std::string_view kSwitchKind = "高低电平控制器";
constexpr std::string_view kBoxColumn = "实验箱输出";

// A level switch the runner sets.
struct SwitchSignal {
    int object = -1;      // index in the object table
    std::string name;       // the label of its test point, else its component name
    int test_point = -1;    // the test point that named it, -1 when none
    std::string component;  // its component name, which names it too
};

// Something the runner reads after a pass.
struct Reading {
    enum Kind : uint8_t { test_point, led, display, box } kind = test_point;
    int index = -1;    // test point or object index; unused for the box
    std::string name;  // label, indicator name or kBoxColumn
};

struct Signals {
    std::vector<SwitchSignal> switches;  // in table order
    std::vector<Reading> test_points;    // every test point, in table order
    std::vector<Reading> indicators;     // LEDs and displays, in table order
};

// Names every switch, test point and indicator of the circuit.
Signals find_signals(Circuit& c);

// The switch with this name (a label first, else a component name), -1
// when none.
int find_switch(const Signals& s, std::string_view name);
// The switches' names for a message: "A、B、高低电平控制器 7".
std::string switch_names(const Signals& s);

// Whether a test point is the one that names a switch: a truth table shows
// it as that switch's input column, not again among the outputs.
bool names_a_switch(const Signals& s, int test_point);

// A reading packed into a number (a level, a segment mask or the lamps'
// byte), cheap to compare pass by pass.
uint32_t read_value(const Circuit& c, const Reading& r, uint8_t lamps);
// How it prints: "1" or "0"; for a display the digit it shows ("7", "9."
// with the point lit), else the letters of its lit segments a..g and h for
// the point, "-" when dark; the lamps as eight binary digits, bit 7 first.
std::string value_text(const Reading& r, uint32_t value);

}  // namespace vorlisk::sim
