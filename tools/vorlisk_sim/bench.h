// A circuit on the bench: loaded as Open loads it, with its own emulated
// experiment box, run from the stopped state in virtual time as Run and
// Stop run it. Each worker thread owns its benches; nothing is shared.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/emulated_box.h"
#include "instruments/truth_table.h"
#include "instruments/vcd.h"
#include "model/circuit.h"
#include "tools/vorlisk_sim/signals.h"

namespace vorlisk::sim {

// How every circuit of one command is run.
struct RunSetup {
    std::optional<double> step;  // seconds per pass; the file's when absent
    bool box = false;            // attach the emulated box
    uint8_t box_in = 0;          // its switches
    bool check_pass = false;     // every pass also as the full sweep, compared
};

// Passes per truth-table row when none are asked for: the logic kinds
// compute this often, enough for the chains of gates and chips of a lab
// exercise to settle.
constexpr long long kRowComputations = 100;
long long default_row_passes(const Circuit& c);
// Passes of a single run when none are asked for: the logic kinds compute
// this often (1000 passes at the usual device delay of 1).
constexpr long long kRunComputations = 1000;
long long default_run_passes(const Circuit& c);

class Bench {
public:
    Bench();
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    // Reset, load the circuit file, Stop; virtual time with the setup's
    // step. False with the loader's message when it is not a circuit.
    bool load(const std::string& path, const RunSetup& setup, std::string& error);
    Circuit& circuit() { return *c_; }
    uint8_t lamps() const { return box_.lamps(); }
    // Messages the core reported, each once.
    const std::vector<std::string>& messages() const { return messages_; }
    // What the load put right, to be said once: drawing values no dialog
    // offers, replaced by their reset values. Empty when nothing was.
    const std::string& load_note() const { return load_note_; }
    // The passes that the side-by-side check found different (RunSetup's
    // check_pass): empty when none, else what differed first.
    std::string pass_check_failure();

    // Recorders of a single run, as the windows feed them.
    VcdWriter* vcd = nullptr;
    uint64_t vcd_pass = 0;  // passes dumped so far, over every run
    uint64_t ticks_per_pass = 1;
    TruthTable* table = nullptr;
    bool settled = false;  // the table records as "稳定时记录", else as "状态改变时记录"

    // One run of `passes` passes from the stopped state; after_pass(n) is
    // called after pass n (counted from 0).
    void run(long long passes, const std::function<void(long long)>& after_pass = {});

private:
    std::unique_ptr<Circuit> c_;
    EmulatedBox box_;
    Ch341Chooser link_{box_, nullptr};
    bool box_on_ = false;
    std::vector<std::string> messages_;
    std::string load_note_;
};

// A reading of every row; `unsettled[k]` when reading k still changed
// during the last quarter of the row's passes.
struct RowResult {
    std::vector<uint32_t> values;
    std::vector<bool> unsettled;
};

// Watches readings over the last quarter of a run of `passes` passes: the
// readings after the pass before that quarter are what it is compared
// with. A run so short that the quarter reaches back to the stopped state
// leaves every reading unsettled.
class SettleWatch {
public:
    SettleWatch(const std::vector<Reading>& readings, long long passes);
    // After pass `pass` (counted from 0).
    void after_pass(const Circuit& c, long long pass, uint8_t lamps);
    // The readings after the last pass and which ones did not settle.
    RowResult finish(const Circuit& c, uint8_t lamps);

private:
    const std::vector<Reading>& readings_;
    long long passes_, watched_from_;
    RowResult r_;
};

// Stop, the switches at the levels of `code` (switches[0] its most
// significant bit), then a run of `passes` passes, watching the readings
// over its last quarter. A run so short that the quarter reaches back to
// the stopped state leaves every reading unsettled.
RowResult run_row(Bench& b, const std::vector<int>& switches, uint32_t code, const std::vector<Reading>& readings,
                  long long passes);

// Rows of one circuit, spread over worker threads that each load their own
// copy of it.
struct RowJob {
    std::string path;  // the circuit file
    RunSetup setup;
    std::vector<std::pair<int, int>> levels;  // (object, level) set after loading
    std::vector<int> switches;                // set by each row's code
    std::vector<uint32_t> codes;              // one per row
    std::vector<Reading> readings;
    long long passes = 0;
};
// `first` is the bench the caller loaded (the only one used when workers
// is 1, as a streamed dump needs); the other workers load their own. With
// the side-by-side check, a difference in any worker's passes throws
// PassCheckFailed.
struct PassCheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};
std::vector<RowResult> run_rows(const RowJob& job, Bench& first, int workers, bool show_progress);

}  // namespace vorlisk::sim
