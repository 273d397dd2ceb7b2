// The reference a teacher checks students' circuits against: what
// vorlisk-sim itself printed for the model solution, either a truth table
// or readings, tab-separated or CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlisk::sim {

struct Reference {
    bool table = false;              // a truth table; otherwise readings
    std::vector<std::string> names;  // table: the header; readings: the labels in order
    size_t inputs = 0;               // table: the leading columns that are switches
    // Table: the cells of every row; readings: one row of the values.
    std::vector<std::vector<std::string>> rows;
};

// Reads a printed reference. A truth table is told from readings by its
// rows, which start with a switch level (0 or 1; "~" never marks an
// input); its inputs are the leading columns holding each combination
// once, 2^n rows for n switches. False with a message otherwise.
std::optional<Reference> parse_reference(std::string_view text, std::string& error);

// A reference cell that checks nothing: a reading the model solution
// itself did not settle ("~"), or one the teacher crossed out ("x").
bool dont_care(std::string_view cell);

}  // namespace vorlisk::sim
