// Chip pin maps, the chip evaluator and the gate-chip model.
#include <algorithm>
#include <cmath>

#include "chips/chip_table.h"
#include "model/circuit.h"
#include "model/std_compat.h"

namespace vorlisk {

bool ChipPins::rising_edge(int pin) {
    int16_t& seen = o_.state[idx(pin)];
    if (low(pin)) {
        seen = 0;
        return false;
    }
    if (high(pin)) {
        bool edge = seen == 0;
        seen = 1;
        return edge;
    }
    return false;
}

bool ChipPins::falling_edge(int pin) {
    int16_t& seen = o_.state[idx(pin)];
    if (high(pin)) {
        seen = 1;
        return false;
    }
    if (low(pin)) {
        bool edge = seen == 1;
        seen = 0;
        return edge;
    }
    return false;
}

double ChipPins::timer(int slot) const {
    uint64_t bits = 0;
    for (int w = 0; w < 4; ++w)
        bits |= uint64_t(uint16_t(o_.state[kTimerFirstWord + 4 * (slot & 1) + w])) << (16 * w);
    return bit_cast<double>(bits);
}

void ChipPins::set_timer(int slot, double seconds) {
    const uint64_t bits = bit_cast<uint64_t>(seconds);
    for (int w = 0; w < 4; ++w)
        o_.state[kTimerFirstWord + 4 * (slot & 1) + w] = int16_t(uint16_t(bits >> (16 * w)));
}

bool ChipPins::condition_rose(int word_pin, bool now_true) {
    int16_t& seen = o_.state[idx(word_pin)];
    const bool rose = now_true && seen == 1;
    seen = now_true ? 2 : 1;
    return rose;
}

void build_chip_table(Circuit& c) {
    for (MY_CHIPS& d : c.chip_table) d = MY_CHIPS{};
    int r = 0;
    for (const ChipRow& row : chip_catalogue()) {
        MY_CHIPS& d = c.chip_table[r++];
        d.chip_type = std::string(row.type);
        d.pin_count = row.pin_count;
        int ins = 0, outs = 0;
        for (int p = 1; p <= row.pin_count; ++p) {
            bool is_out = std::find(row.outputs.begin(), row.outputs.end(), p) != row.outputs.end();
            d.pins[p - 1] = is_out ? ChipPin{2, outs++} : ChipPin{1, ins++};
        }
        d.chip_input_count = ins;
        d.chip_output_count = outs;
    }
}

int find_chip_def(const Circuit& c, std::string_view type) {
    for (int r = 0; r < kMaxChipDefs; ++r) {
        const std::string& t = c.chip_table[r].chip_type;
        if (t.empty()) return -1;
        if (t == type) return r;
    }
    return -1;
}

std::string chip_type_of(std::string_view kind) {
    size_t open = kind.find('(');
    size_t close = kind.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close <= open)
        return {};
    return std::string(kind.substr(open + 1, close - open - 1));
}

const ChipRow* find_chip_row(std::string_view type) {
    for (const ChipRow& row : chip_catalogue())
        if (row.type == type) return row.model ? &row : nullptr;
    return nullptr;
}

std::string_view chip_pin_name(std::string_view type, int pin) {
    const ChipRow* row = find_chip_row(type);
    if (!row || pin < 1 || pin > row->pin_count) return {};
    std::string_view names = row->pin_names;
    for (int p = 1;; ++p) {
        const size_t start = names.find_first_not_of(' ');
        if (start == std::string_view::npos) return {};
        names.remove_prefix(start);
        const size_t end = std::min(names.find(' '), names.size());
        if (p == pin) return names.substr(0, end);
        names.remove_prefix(end);
    }
}

std::string_view chip_function(std::string_view type) {
    const ChipRow* row = find_chip_row(type);
    return row ? row->function : std::string_view{};
}

double one_shot_width(const MY_BASE_OBJ& o, int section) {
    const double w = o.param_real[1 + size_t(section & 1)];
    return std::isfinite(w) && w > 0.0 ? w : kDefaultOneShotWidth;
}

int one_shot_sections(std::string_view type) {
    if (type == "74LS121" || type == "74LS122") return 1;
    if (type == "74LS123" || type == "74LS221") return 2;
    return 0;
}

void evaluate_chip_with(MY_BASE_OBJ& obj, const MY_CHIPS& def, const ChipRow& row, double now) {
    ChipPins p(obj, def, now);
    if (!(p.high(row.vcc) && p.low(row.gnd))) {
        int n = std::clamp<int>(obj.output_count, 0, kMaxPins);
        for (int k = 0; k < n; ++k) obj.out_v[k] = kLow;
        return;
    }
    row.model(p, row);
}

void evaluate_chip(Circuit& c, int obj) {
    MY_BASE_OBJ& o = c.objects[obj];
    std::string type = chip_type_of(o.kind);
    const ChipRow* row = find_chip_row(type);
    if (!row) return;
    int r = find_chip_def(c, type);
    if (r < 0) return;
    evaluate_chip_with(o, c.chip_table[r], *row, c.sim_time);
}

namespace {

bool all_high(const ChipPins& p, const std::array<uint8_t, 14>& group) {
    for (uint8_t pin : group) {
        if (pin == 0) break;
        if (!p.high(pin)) return false;
    }
    return true;
}

bool any_high(const ChipPins& p, const std::array<uint8_t, 14>& group) {
    for (uint8_t pin : group) {
        if (pin == 0) break;
        if (p.high(pin)) return true;
    }
    return false;
}

}  // namespace

void gate_chip_model(ChipPins& p, const ChipRow& row) {
    const GateSet& s = row.gates;
    for (const GateDef& g : s.gates) {
        if (g.out == 0) break;
        const auto& in = g.groups[0];
        bool level = false;
        switch (s.fn) {
            case GateFn::nand_: level = !all_high(p, in); break;
            case GateFn::and_: level = all_high(p, in); break;
            case GateFn::nor_: level = !any_high(p, in); break;
            case GateFn::or_: level = any_high(p, in); break;
            case GateFn::not_: level = !p.high(in[0]); break;
            // Compares voltages: 0 V against 0.5 V is no difference.
            case GateFn::xor_: level = std::abs(p.in(in[0]) - p.in(in[1])) > 1.0f; break;
            case GateFn::aoi: {
                bool any_group = false;
                for (const auto& group : g.groups)
                    if (group[0] != 0 && all_high(p, group)) any_group = true;
                level = !any_group;
                break;
            }
            case GateFn::none: continue;
        }
        p.drive(g.out, level);
    }
}

}  // namespace vorlisk
