// Command line of vorlisk-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorlisk::sim {

enum class Format { tsv, csv };

struct Options {
    std::vector<std::string> files;                  // circuit files; more than one only with --expect
    std::optional<long long> passes;                 // per run, or per truth-table row; a default when absent
    std::optional<double> step;                      // seconds per pass; the file's when absent
    std::vector<std::pair<std::string, int>> sets;   // level switch (label or name), level 0 or 1
    std::optional<std::string> vcd;                  // Value Change Dump output; "-": standard output
    std::optional<std::string> record_table;         // truth-table CSV output; "-": standard output
    bool settled = false;                            // record_table records settled states only
    bool truth_table = false;
    std::optional<uint8_t> box_in;  // the emulated box's switches
    bool box_out = false;           // report the byte the box's lamps show
    bool check_pass = false;  // every pass also as the full sweep, compared
    std::optional<std::string> expect;  // the reference output to check the files against
    bool indicators = false;        // report LEDs and displays too
    Format format = Format::tsv;
    int jobs = 0;                   // worker threads; 0: one per core
    std::optional<std::string> picture;  // write the circuit's picture (.svg or .png) instead of running
    std::optional<double> scale;         // the picture's size: 1 = 100 %; 2 when absent
    bool help = false;
    bool version = false;
};

// Parses argv; on failure returns nothing and puts a one-line message in `error`.
std::optional<Options> parse_options(int argc, const char* const* argv, std::string& error);

// The usage, one line per option, for --help.
extern const char* const kHelp;

}  // namespace vorlisk::sim
