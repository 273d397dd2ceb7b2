#include "instruments/truth_table.h"

#include "instruments/text_fields.h"

#include <algorithm>
#include <cmath>

namespace vorlisk {

Cell cell_for(double value) {
    if (value > 2.0 && value < 5.5) return Cell::one;
    if (value > -0.5 && value < 2.0) return Cell::zero;
    return Cell::cross;
}

std::string_view cell_text(Cell cell) {
    switch (cell) {
        case Cell::empty: return "";
        case Cell::one: return "1";
        case Cell::zero: return "0";
        case Cell::cross: return "╳";
    }
    return "";
}

void TruthTable::clear_table(const Circuit& c, const RecordSlots& slots) {
    const int k = last_used_slot(slots);
    labels_.assign(size_t(k + 1), std::string());
    for (int i = 0; i <= k; ++i) {
        if (slots[i].empty()) continue;
        const int t = find_test_point(c, slots[i]);
        if (t >= 0) labels_[size_t(i)] = c.test_points[t].label;
    }
    cells_.clear();
    rows_without_columns_ = 0;
    column_point_.assign(labels_.size(), -1);
    column_serial_ = 0;
    settling_ = false;
    quiet_passes_ = 0;
}

void TruthTable::record_row(const Circuit& c) {
    if (labels_.empty()) {
        ++rows_without_columns_;
        return;
    }
    if (column_serial_ != c.edit_serial) {
        for (size_t col = 0; col < labels_.size(); ++col)
            column_point_[col] = labels_[col].empty() ? -1 : find_test_point_by_label(c, labels_[col]);
        column_serial_ = c.edit_serial;
    }
    for (size_t col = 0; col < labels_.size(); ++col) {
        if (labels_[col].empty()) {
            cells_.push_back(Cell::empty);
            continue;
        }
        int t = column_point_[col];
        // Labels are edited through set_test_point_label, which moves the
        // serial; a label written behind its back is still caught here.
        if (t >= c.test_point_count || (t >= 0 && c.test_points[t].label != labels_[col]))
            t = column_point_[col] = find_test_point_by_label(c, labels_[col]);
        cells_.push_back(t < 0 ? Cell::cross : cell_for(c.test_points[t].value));
    }
}

bool TruthTable::step_changed(const Circuit& c, const RecordSlots& slots) {
    if (!c.readings_changed) return false;  // the common pass: nothing to look up
    const auto& index = lookup_.resolve(c, slots);
    for (int t : index) {
        if (t < 0) continue;
        const MY_TEST_POINT& p = c.test_points[t];
        if (std::fabs(p.value - p.prev_value) > kChangeThreshold) return true;
    }
    return false;
}

bool record_on_change(const Circuit& c, const RecordSlots& slots, TruthTable& table) {
    if (!table.step_changed(c, slots)) return false;
    table.record_row(c);
    return true;
}

long long settle_passes(const Circuit& c) {
    return kSettleComputations * (c.virtual_time ? std::max<long long>(c.device_delay, 1) : 1);
}

bool record_on_settle(const Circuit& c, const RecordSlots& slots, TruthTable& table) {
    if (table.step_changed(c, slots)) {
        table.settling_ = true;
        table.quiet_passes_ = 0;
        return false;
    }
    if (!table.settling_ || ++table.quiet_passes_ < settle_passes(c)) return false;
    table.settling_ = false;
    table.record_row(c);
    return true;
}

std::string TruthTable::joined(char separator, std::string_view line_end) const {
    auto field = [&](std::string_view s) { return separator == ',' ? csv_field(s) : tsv_field(s); };
    std::string out;
    for (size_t col = 0; col < labels_.size(); ++col) {
        if (col) out += separator;
        out += field(labels_[col]);
    }
    out += line_end;
    for (size_t r = 0; r < rows(); ++r) {
        for (int col = 0; col < columns(); ++col) {
            if (col) out += separator;
            out += cell_text(cell(r, col));
        }
        out += line_end;
    }
    return out;
}

std::string TruthTable::csv() const { return std::string(kByteOrderMark) + joined(',', "\r\n"); }

std::string TruthTable::tsv() const { return joined('\t', "\n"); }

}  // namespace vorlisk
