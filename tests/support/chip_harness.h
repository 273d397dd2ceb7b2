// Test benches for the chip models: a lone chip driven pin by pin through
// evaluate_chip, and a chip wired to level switches and supply terminals
// in a circuit run by the real pass loop. Pins are package pin numbers.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/circuit.h"

namespace vorlisk::test {

// The kind string the chip dialog forms for a type.
std::string chip_kind(std::string_view type);

// One character per output voltage: 'H' 3.6 V, 'L' 0.5 V, '0' 0 V, '?' other.
char level_char(float volts);

// A lone chip. Starts powered (Vcc 3.6 V, Gnd 0 V), every other input at
// 0.5 V, outputs at 0.5 V and clock levels zeroed, as after Stop.
class ChipBench {
public:
    explicit ChipBench(std::string_view type);

    void set(int pin, bool high) { set_volts(pin, high ? kHigh : kLow); }
    void set_volts(int pin, float volts);
    // Sets a group of inputs, least significant pin first, from a binary code.
    void set_code(std::initializer_list<int> lsb_first, int code);
    // Applies or removes the supply (Vcc pin to 0.5 V when off).
    void power(bool on) { set_volts(vcc_, on ? kHigh : kLow); }
    void eval(int times = 1);
    // The run's time the next evaluations see, in seconds.
    void at(double seconds);
    // Sets the pin, then evaluates once.
    void step(int pin, bool high) { set(pin, high); eval(); }
    // A full clock pulse on pin: to high, evaluate, to low, evaluate.
    void pulse(int pin) { step(pin, true); step(pin, false); }

    float out(int pin) const;
    std::string levels(std::initializer_list<int> pins) const;
    MY_BASE_OBJ& object() { return c_->objects[obj_]; }

private:
    int in_index(int pin) const;
    int out_index(int pin) const;

    std::unique_ptr<Circuit> c_;
    int obj_ = -1;
    int def_ = -1;
    int vcc_ = 0, gnd_ = 0;
};

// A chip in a wired circuit: Vcc and Gnd terminals on its supply pins and a
// level switch (initially low) on every other input pin except those fed by
// `links` {chip output pin, chip input pin}. The run starts at the first run().
class WiredChip {
public:
    explicit WiredChip(std::string_view type, std::vector<std::pair<int, int>> links = {});

    void set(int pin, bool high);  // flips the level switch wired to the pin
    // Runs passes in virtual time, starting the run when not running. The
    // default is enough for a switch change to reach the chip (the chip is
    // evaluated before the switches) and to ripple once from an output to an
    // input wired to it.
    void run(int passes = 5);
    // Stop: the next run() starts a new run.
    void stop();

    float out(int pin) const;
    std::string levels(std::initializer_list<int> pins) const;
    Circuit& circuit() { return *c_; }

private:
    std::unique_ptr<Circuit> c_;
    int chip_ = -1;
    int def_ = -1;
    std::vector<int> switch_of_pin_;  // object index by package pin, -1 none
};

}  // namespace vorlisk::test
