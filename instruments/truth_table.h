// The truth-table recorder: one column per slot up to the last used one,
// headed by the label of the slot's test point, and one row per recording.
// A row holds, per column, the level of the first test point that carries
// the column's label. Rows are kept one byte a cell, so a table recording
// on every change of a fast circuit grows slowly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "instruments/slots.h"

namespace vorlisk {

// What one cell shows.
enum class Cell : uint8_t {
    empty,  // a column without a header records nothing
    one,    // "1": above 2.0 V and below 5.5 V
    zero,   // "0": above -0.5 V and below 2.0 V
    cross,  // "╳": anything else, 2.0 V itself, or no test point with the label
};
Cell cell_for(double value);
std::string_view cell_text(Cell cell);

class TruthTable {
public:
    // Rebuilds the columns from the slots and drops every row.
    void clear_table(const Circuit& c, const RecordSlots& slots);
    // Appends one row of the current readings.
    void record_row(const Circuit& c);
    // The on-change rule: has any slot's test point moved by more than
    // 0.1 V since the previous pass? Empty slots and slots naming no test
    // point never count.
    bool step_changed(const Circuit& c, const RecordSlots& slots);

    // Columns after the grid's empty column 0 (0 when every slot is empty).
    int columns() const { return int(labels_.size()); }
    const std::string& label(int column) const { return labels_[size_t(column)]; }
    size_t rows() const { return columns() == 0 ? rows_without_columns_ : cells_.size() / size_t(columns()); }
    Cell cell(size_t row, int column) const { return cells_[row * size_t(columns()) + size_t(column)]; }

    // The table for spreadsheets: UTF-8 with a byte-order mark, the header
    // of labels and one line per row, separated by commas, lines ended by
    // CR LF; fields holding a comma, a quote or a line break are quoted.
    std::string csv() const;
    // The same rows for the clipboard: tab-separated, LF-ended, no mark.
    std::string tsv() const;

private:
    std::string joined(char separator, std::string_view line_end) const;

    std::vector<std::string> labels_;  // header of columns 1..k+1 of the grid
    std::vector<Cell> cells_;          // rows one after the other
    size_t rows_without_columns_ = 0;  // rows recorded while there are no columns
    SlotLookup lookup_;
    // Test point found for each column's label, valid for one edit serial.
    std::vector<int> column_point_;
    uint64_t column_serial_ = 0;

    friend bool record_on_settle(const Circuit& c, const RecordSlots& slots, TruthTable& table);
    bool settling_ = false;       // a reading changed and no row has been recorded since
    long long quiet_passes_ = 0;  // passes since the last change
};

// One pass of the recorder in "状态改变时记录" mode: records a row when the
// step changed a slot's reading; returns whether it did.
bool record_on_change(const Circuit& c, const RecordSlots& slots, TruthTable& table);

// Passes of quiet after which a change counts as settled, in computations
// of the logic kinds: a chain of gates without test points between them
// passes a change on one gate per computation, so a short quiet may only
// be a change on its way.
constexpr long long kSettleComputations = 10;
// The quiet a settled state needs, in passes: kSettleComputations
// computations, each device_delay passes in virtual time, one in real time.
long long settle_passes(const Circuit& c);

// One pass of the recorder in "稳定时记录" mode: after a slot's reading
// changed, records one row once no slot's reading has changed for
// settle_passes() passes in a row; the passing states in between are not
// recorded. Returns whether it recorded.
bool record_on_settle(const Circuit& c, const RecordSlots& slots, TruthTable& table);

}  // namespace vorlisk
