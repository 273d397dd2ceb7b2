// The reference a teacher checks students' circuits against: what
// vorlisk-sim itself printed for the model solution, either a truth table
// or readings, tab-separated or CSV.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlisk::sim {

// A truth table: the header, then one row of cells per switch setting.
// Which columns are switches is the graded circuit's to say: those that
// name one of its switches, wherever they stand.
struct ReferenceTable {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> rows;
    std::vector<size_t> lines;  // the file line of each row, for messages
};

// Readings: one name and its cell a line.
struct ReferenceReadings {
    std::vector<std::string> names;
    std::vector<std::string> cells;
};

// One form or both: two lines of two cells each read either way
// ("Q<tab>X" over "0<tab>1" is a table of the test points Q and X, or the
// readings Q and "0"); the names of the graded circuit then decide.
struct Reference {
    std::optional<ReferenceTable> table;
    std::optional<ReferenceReadings> readings;
};

// Reads a printed reference; nothing with a message naming the line when it
// is neither form: a name given twice, a cell that is no reading, a table
// row of another width or, in a table of several rows, one that does not
// start with a switch level.
std::optional<Reference> parse_reference(std::string_view text, std::string& error);

// A reference cell that checks nothing: a reading the model solution
// itself did not settle ("~"), or one the teacher crossed out ("x").
bool dont_care(std::string_view cell);
bool is_level(std::string_view cell);

}  // namespace vorlisk::sim
