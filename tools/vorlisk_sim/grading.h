// Checking a student's circuit against the reference: the reference's form
// decides what is run (every switch combination for a truth table, one run
// for readings); columns are matched by name and rows by their switch
// levels, never by position, and whatever else the student's circuit shows
// is ignored.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/vorlisk_sim/bench.h"
#include "tools/vorlisk_sim/options.h"
#include "tools/vorlisk_sim/reference.h"

namespace vorlisk::sim {

struct Verdict {
    bool pass = false;
    std::string reason;  // why not, on one line; empty when it passes
};

// Loads and runs one file. A file that cannot be loaded or run fails with
// its error. `workers` > 1 spreads the rows over threads.
Verdict check_file(const std::string& path, const Reference& ref, const Options& opt, int workers);

}  // namespace vorlisk::sim
