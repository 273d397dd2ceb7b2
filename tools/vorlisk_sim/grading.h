// Checking a student's circuit against the reference: the reference's form
// decides what is run (every switch setting of its rows for a truth table,
// one run for readings); columns are matched by name and rows by their
// switch levels, never by position, and whatever else the student's
// circuit shows is ignored.
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
    // A fault that is no student's: a truth table whose rows do not cover
    // every setting of the circuit's switches it names (a reference cut
    // short passes wrong circuits), or the simulator's own side-by-side
    // check finding a difference. The command ends with exit code 2.
    std::string fault;
    std::string note;  // said once on standard error: what the load put right
};
inline Verdict passed() {
    Verdict v;
    v.pass = true;
    return v;
}
inline Verdict failed(std::string reason) {
    Verdict v;
    v.reason = std::move(reason);
    return v;
}

// Loads and runs one file. A file that cannot be loaded or run fails with
// its error. `workers` > 1 spreads the rows over threads.
Verdict check_file(const std::string& path, const Reference& ref, const Options& opt, int workers);

}  // namespace vorlisk::sim
