// What vorlisk-sim prints, as text it hands to its caller: the truth table
// over a circuit's switches and the lines of a class's grading. The command
// prints them; the browser page shows and downloads the very same text.
#pragma once

#include <string>
#include <vector>

#include "tools/vorlisk_sim/bench.h"
#include "tools/vorlisk_sim/grading.h"
#include "tools/vorlisk_sim/options.h"
#include "tools/vorlisk_sim/signals.h"

namespace vorlisk::sim {

// The readings of a single run: every test point, the indicators when
// asked, the lamps last.
std::vector<Reading> run_readings(const Signals& s, const Options& opt);

// The outputs of a truth table: test points that do not name a switch
// (those are its input columns), the indicators when asked, the lamps.
std::vector<Reading> table_outputs(const Signals& s, const Options& opt);

// The inputs of a truth table: every switch in table order, by object and
// name; false with the message when there are more than 16.
bool table_inputs(const Signals& s, std::vector<int>& switches, std::vector<std::string>& names, std::string& error);

// The truth table's text; `warning` names the readings that did not settle
// (empty when all did).
std::string truth_table_text(const Options& opt, const std::vector<std::string>& inputs,
                             const std::vector<Reading>& outputs, const std::vector<RowResult>& rows, long long passes,
                             std::string& warning);

// --expect's lines: per file its name, "通过" or "不通过" and why, then
// (for more than one file) the summary. `passed` counts the files that did.
std::string grading_report(const std::vector<std::string>& files, const std::vector<Verdict>& verdicts, Format format,
                           size_t& passed);

}  // namespace vorlisk::sim
