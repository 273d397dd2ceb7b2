// The component catalogue: the closed set of kind strings, each with its
// drawing category, its rule and the exact geometry placement writes.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

// The rule a kind computes by. Logic kinds are chosen by exact kind; LEDs,
// displays and chips by the words their kinds contain.
enum class Rule : uint8_t {
    none,
    vcc, gnd,
    and_, or_, nand_, nor_, not_, xor_, xnor_, aoi,
    half_adder, full_adder,
    rs_nor, rs_nand, rs_clocked, rs_master_slave, d_cmos, d_edge, jk_edge,
    level_switch, pulse_continuous, pulse_preset,
    signal_in, signal_out,
    led, display, chip,
};

struct KindInfo {
    std::string_view kind;
    Category category;  // the look copied at placement
    Rule rule;
};

// Every catalogue kind but the chips, in catalogue order.
std::span<const KindInfo> kind_catalogue();

// Catalogue entry of an exact kind, or null (chips and unknown kinds).
const KindInfo* find_kind(std::string_view kind);

// Rule of a kind by the order the run pass dispatches in: "集成芯片" first,
// then "发光二极管", then "数码管", then the exact kind.
Rule rule_of_kind(std::string_view kind);

// Kind strings of the two chip pages.
inline constexpr std::string_view kChipCombPrefix = "集成芯片组合逻辑(";
inline constexpr std::string_view kChipSeqPrefix = "集成芯片时序逻辑(";

// Fills the record at `slot` as placement does: the next serial name, the
// snapped origin, the kind's geometry, texts with their measured half sizes,
// the category look and the kind's defaults. Does not change object_count.
void place_component(Circuit& c, int slot, std::string_view kind, int click_x, int click_y);
// The record placement would write, built into `o` under the given serial,
// leaving the circuit as it is (the outline that follows a placing tool).
void build_component(const Circuit& c, MY_BASE_OBJ& o, std::string_view kind, int click_x, int click_y, int serial);

}  // namespace vorlisk
