// Command line of vorlisk-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorlisk::sim {

struct Options {
    std::string file;
    long long passes = 1000;
    std::optional<double> step;                      // seconds per pass; the file's when absent
    std::vector<std::pair<std::string, int>> sets;   // level switch name, level 0 or 1
    std::optional<std::string> vcd;                  // Value Change Dump output
    std::optional<std::string> record_table;         // truth-table CSV output; "-": standard output
    bool truth_table = false;
    std::optional<uint8_t> box_in;  // the emulated box's switches
    bool box_out = false;           // report the byte the box's lamps show
    bool check_pass = false;  // every pass also as the full sweep, compared
};

// Parses argv; on failure returns nothing and puts a one-line message in `error`.
std::optional<Options> parse_options(int argc, const char* const* argv, std::string& error);

extern const char* const kUsage;

}  // namespace vorlisk::sim
