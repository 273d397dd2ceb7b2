// What vorlisk-sim prints: lines of fields, tab-separated (the default,
// which scripts already read) or CSV for spreadsheets, and messages kept to
// one line whatever names they quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/vorlisk_sim/options.h"

namespace vorlisk::sim {

// Collects lines of fields. TSV: fields joined by tabs, a tab or line break
// inside a field becomes a blank, lines end in LF. CSV: as the truth-table
// window exports it: UTF-8 with a byte-order mark, fields holding a comma,
// quote or line break quoted, lines ending in CR LF.
class TextTable {
public:
    explicit TextTable(Format format) : format_(format) {}
    void line(const std::vector<std::string>& fields);
    const std::string& text() const { return text_; }

private:
    Format format_;
    std::string text_;
};

// The text with every control character written out ("\n", "\t", "\x1b"),
// so a file name with a line break stays on the message's one line.
std::string one_line(std::string_view text);

// Splits a printed table or readings back into lines of fields: the
// separator is a tab when the first line holds one, else a comma (CSV
// quoting understood); a byte-order mark, CR before LF and empty lines are
// dropped.
// `line_numbers`, when given, receives the file line (from 1) each record
// starts on, so messages can name the line a teacher sees in an editor.
std::vector<std::vector<std::string>> split_table(std::string_view text, std::vector<size_t>* line_numbers = nullptr);

}  // namespace vorlisk::sim
