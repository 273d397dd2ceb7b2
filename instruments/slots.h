// The 16 record slots both instruments share in shape: each names a test
// point by `name` or is empty. The user sees labels, the slots keep names;
// these helpers translate between the two and find the slots' test points
// fast enough to be asked on every pass.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/circuit.h"

namespace vorlisk {

using RecordSlots = std::array<std::string, kRecordSlots>;

// The recording modes, as the circuit file stores them.
inline constexpr std::string_view kRecordManual = "手动记录";
inline constexpr std::string_view kRecordOnChange = "状态改变时记录";
inline constexpr std::string_view kRecordTimed = "时序记录";
// The truth table's third mode: a row once the readings have settled.
inline constexpr std::string_view kRecordOnSettle = "稳定时记录";

// A reading has changed when it moved by more than this (volts).
constexpr double kChangeThreshold = 0.1;

// Highest index of a non-empty slot, -1 when all are empty.
int last_used_slot(const RecordSlots& slots);
// True when slots 0 to 7 are all empty: showing an instrument then fills
// in the default items.
bool first_eight_empty(const RecordSlots& slots);
// Slot j := the name of test point j while j is below both the test-point
// count and 16; the other slots empty.
void set_default_items(const Circuit& c, RecordSlots& slots);

// The record-items dialog's view of a slot list: entry 0 is empty, entry
// j the label of test point j - 1, in table order.
std::vector<std::string> item_entries(const Circuit& c);
// The entry to preselect for a slot: the first j whose label's first test
// point has the slot's name; -1 when none (an empty slot, or a test point
// that no longer exists).
int entry_for_slot(const Circuit& c, std::string_view slot);
// What picking a label stores: the name of the first test point with that
// label, or empty.
std::string slot_for_label(const Circuit& c, std::string_view label);

// Index of the test point each slot names (-1: empty or none), kept until
// the slots or the circuit's edit serial change; the test points' names
// and order change only through edits that move the serial.
class SlotLookup {
public:
    const std::array<int, kRecordSlots>& resolve(const Circuit& c, const RecordSlots& slots);

private:
    RecordSlots names_;
    std::array<int, kRecordSlots> index_{};
    uint64_t serial_ = 0;  // 0: never resolved (the circuit's serial starts at 1)
};

}  // namespace vorlisk
