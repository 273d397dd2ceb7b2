#include "tests/support/chip_harness.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "chips/chip_table.h"
#include "engine/run.h"
#include "model/catalogue.h"
#include "model/edit.h"

namespace vorlisk::test {
namespace {

constexpr std::array<std::string_view, 27> kSequentialTypes = {
    "74LS74",  "74LS75",  "74LS76",  "74LS90",  "74LS93",  "74LS109", "74LS112", "74LS121", "74LS122",
    "74LS123", "74LS126", "74LS132", "74LS160", "74LS161", "74LS162", "74LS163", "74LS174", "74LS175",
    "74LS190", "74LS192", "74LS193", "74LS194", "74LS221", "74LS273", "74LS290", "74LS293", "74LS373"};

int place_chip(Circuit& c, std::string_view type, int& def) {
    def = find_chip_def(c, type);
    if (def < 0) throw std::invalid_argument("no pin map for " + std::string(type));
    int obj = add_component(c, chip_kind(type), 100, 100);
    if (obj < 0) throw std::runtime_error("component table full");
    return obj;
}

const ChipRow& row_of(std::string_view type) {
    const ChipRow* row = find_chip_row(type);
    if (!row) throw std::invalid_argument("no model for " + std::string(type));
    return *row;
}

int pin_index(const Circuit& c, int def, int pin, int role) {
    const ChipPin& p = c.chip_table[def].pins.at(size_t(pin - 1));
    if (p.role != role) throw std::invalid_argument("pin " + std::to_string(pin) + " has another role");
    return p.index;
}

std::string levels_of(const PinVolts& out, const Circuit& c, int def, std::initializer_list<int> pins) {
    std::string s;
    for (int pin : pins) s += level_char(out[pin_index(c, def, pin, 2)]);
    return s;
}

}  // namespace

std::string chip_kind(std::string_view type) {
    bool sequential = std::find(kSequentialTypes.begin(), kSequentialTypes.end(), type) != kSequentialTypes.end();
    return std::string(sequential ? kChipSeqPrefix : kChipCombPrefix) + std::string(type) + ")";
}

char level_char(float volts) {
    if (volts == kHigh) return 'H';
    if (volts == kLow) return 'L';
    if (volts == 0.0f) return '0';
    return '?';
}

// ---- ChipBench -------------------------------------------------------------------

ChipBench::ChipBench(std::string_view type) : c_(make_circuit()) {
    obj_ = place_chip(*c_, type, def_);
    const ChipRow& row = row_of(type);
    vcc_ = row.vcc, gnd_ = row.gnd;
    MY_BASE_OBJ& o = object();
    o.in_v.fill(kLow);
    o.out_v.fill(kLow);
    o.state.fill(0);
    set_volts(vcc_, kHigh);
    set_volts(gnd_, 0.0f);
}

void ChipBench::set_volts(int pin, float volts) { object().in_v[in_index(pin)] = volts; }

void ChipBench::set_code(std::initializer_list<int> lsb_first, int code) {
    int bit = 0;
    for (int pin : lsb_first) set(pin, (code >> bit++) & 1);
}

void ChipBench::eval(int times) {
    for (int i = 0; i < times; ++i) evaluate_chip(*c_, obj_);
}

void ChipBench::at(double seconds) { c_->sim_time = seconds; }

float ChipBench::out(int pin) const { return c_->objects[obj_].out_v[out_index(pin)]; }

std::string ChipBench::levels(std::initializer_list<int> pins) const {
    return levels_of(c_->objects[obj_].out_v, *c_, def_, pins);
}

int ChipBench::in_index(int pin) const { return pin_index(*c_, def_, pin, 1); }
int ChipBench::out_index(int pin) const { return pin_index(*c_, def_, pin, 2); }

// ---- WiredChip ---------------------------------------------------------------------

WiredChip::WiredChip(std::string_view type, std::vector<std::pair<int, int>> links) : c_(make_circuit()) {
    Circuit& c = *c_;
    chip_ = place_chip(c, type, def_);
    const ChipRow& row = row_of(type);
    const MY_CHIPS& d = c.chip_table[def_];
    auto wire_in = [&](int source, int pin) {
        add_wire(c, output_pin(c.objects[source], 0), input_pin(c.objects[chip_], pin_index(c, def_, pin, 1)));
    };
    int vcc = add_component(c, "Vcc", 700, 100);
    int gnd = add_component(c, "Gnd", 700, 200);
    wire_in(vcc, row.vcc);
    wire_in(gnd, row.gnd);
    switch_of_pin_.assign(size_t(d.pin_count) + 1, -1);
    for (auto [from, to] : links)
        add_wire(c, output_pin(c.objects[chip_], pin_index(c, def_, from, 2)),
                 input_pin(c.objects[chip_], pin_index(c, def_, to, 1)));
    for (int pin = 1; pin <= d.pin_count; ++pin) {
        bool fed = std::any_of(links.begin(), links.end(), [&](auto l) { return l.second == pin; });
        if (d.pins[pin - 1].role != 1 || pin == row.vcc || pin == row.gnd || fed) continue;
        int sw = add_component(c, "高低电平控制器", 400, 20 + 30 * pin);
        wire_in(sw, pin);
        switch_of_pin_[pin] = sw;
    }
    c.virtual_time = 1;
}

void WiredChip::set(int pin, bool high) {
    int sw = switch_of_pin_.at(size_t(pin));
    if (sw < 0) throw std::invalid_argument("no switch on pin " + std::to_string(pin));
    c_->objects[sw].param_int[0] = high ? 1 : 0;
}

void WiredChip::run(int passes) {
    if (!c_->running) {
        start_run(*c_);
        c_->step_counter = 0;  // as the run loop does, so logic kinds compute every pass
    }
    for (int i = 0; i < passes; ++i) run_pass(*c_, {});
}

void WiredChip::stop() { stop_circuit(*c_); }

float WiredChip::out(int pin) const { return c_->objects[chip_].out_v[pin_index(*c_, def_, pin, 2)]; }

std::string WiredChip::levels(std::initializer_list<int> pins) const {
    return levels_of(c_->objects[chip_].out_v, *c_, def_, pins);
}

}  // namespace vorlisk::test
