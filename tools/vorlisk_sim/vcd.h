// Value Change Dump of test-point readings, one 1-bit wire per test point,
// readable by GTKWave.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vorlisk::sim {

class VcdWriter {
public:
    // `step` is the simulation step in seconds; the timescale is the largest
    // unit of which the step is a whole multiple.
    bool open(const std::string& path, double step, const std::vector<std::string>& labels);
    // Readings after pass `pass` (counted from 1 over the whole dump).
    void sample(uint64_t pass, const std::vector<bool>& levels);
    // Ends the dump at pass `pass`, so viewers show the whole run.
    bool close(uint64_t pass);

private:
    std::ofstream out_;
    std::vector<std::string> ids_;
    std::vector<int> last_;
    uint64_t ticks_per_pass_ = 1;
};

// Timescale for a step: {unit text, ticks per step}.
std::pair<std::string, uint64_t> vcd_timescale(double step);

}  // namespace vorlisk::sim
