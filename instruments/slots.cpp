#include "instruments/slots.h"

#include <algorithm>

namespace vorlisk {

int last_used_slot(const RecordSlots& slots) {
    for (int i = kRecordSlots - 1; i >= 0; --i)
        if (!slots[i].empty()) return i;
    return -1;
}

bool first_eight_empty(const RecordSlots& slots) {
    return std::all_of(slots.begin(), slots.begin() + 8, [](const std::string& s) { return s.empty(); });
}

void set_default_items(const Circuit& c, RecordSlots& slots) {
    for (auto& s : slots) s.clear();
    for (int j = 0; j < c.test_point_count && j < kRecordSlots; ++j) slots[j] = c.test_points[j].name;
}

std::vector<std::string> item_entries(const Circuit& c) {
    std::vector<std::string> entries{std::string()};
    for (int t = 0; t < c.test_point_count; ++t) entries.push_back(c.test_points[t].label);
    return entries;
}

int entry_for_slot(const Circuit& c, std::string_view slot) {
    for (int j = 1; j <= c.test_point_count; ++j) {
        const int t = find_test_point_by_label(c, c.test_points[j - 1].label);
        if (t >= 0 && c.test_points[t].name == slot) return j;
    }
    return -1;
}

std::string slot_for_label(const Circuit& c, std::string_view label) {
    const int t = find_test_point_by_label(c, label);
    return t < 0 ? std::string() : c.test_points[t].name;
}

const std::array<int, kRecordSlots>& SlotLookup::resolve(const Circuit& c, const RecordSlots& slots) {
    if (serial_ == c.edit_serial && names_ == slots) return index_;
    names_ = slots;
    serial_ = c.edit_serial;
    for (int i = 0; i < kRecordSlots; ++i) index_[i] = slots[i].empty() ? -1 : find_test_point(c, slots[i]);
    return index_;
}

}  // namespace vorlisk
