// Value Change Dump of logic levels, one 1-bit wire per signal, readable by
// GTKWave. The command-line runner streams every test point through it
// pass by pass; the timing diagram writes its recorded samples with it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/output_file.h"

namespace vorlisk {

// A unit of the dump's time axis: its text and its length in seconds.
struct VcdTimescale {
    std::string text = "1 us";
    double seconds = 1e-6;
};

// The largest unit of which `step` (seconds) is a whole multiple, and how
// many units one step is; nothing when the dump cannot express the step: not
// a positive finite number, not a whole number of femtoseconds, or more
// units than kVcdMaxTicks.
std::optional<std::pair<VcdTimescale, uint64_t>> vcd_timescale(double step);

// The largest time a dump writes, in units: far below where 64-bit ticks
// overflow, and exact as a double.
inline constexpr uint64_t kVcdMaxTicks = uint64_t(1) << 53;

// A time (seconds) in whole units, rounded; nothing when it is negative, not
// finite or beyond kVcdMaxTicks.
std::optional<uint64_t> vcd_ticks(double seconds, const VcdTimescale& unit);

// A reading as a dump level: '1' above 2.0 V, '0' above -0.1 V and below
// 2.0 V (the levels the timing diagram draws), 'x' otherwise.
char vcd_level(double value);

class VcdWriter {
public:
    // Writes the header into `out` (which must outlive the writer): the
    // version text, the comment when there is one, the timescale, one wire
    // per name (blanks become '_', a repeated name gets "_2", "_3" ...),
    // and every wire unknown at 0.
    void begin(std::ostream& out, std::string_view version, const VcdTimescale& unit,
               const std::vector<std::string>& names, std::string_view comment = {});
    // The same into a file (model/output_file.h: a regular file is
    // replaced only by a whole dump, at close); false with the reason.
    bool open(const std::string& path, SpecialFiles special, std::string_view version, const VcdTimescale& unit,
              const std::vector<std::string>& names, std::string& why);
    // The levels ('0', '1', 'x') of every wire at time `tick` (in units);
    // only changes are written. Ticks must not decrease.
    void sample(uint64_t tick, const std::vector<char>& levels);
    // Ends the dump at `tick`, so viewers show the whole recording; false
    // when anything failed to be written (a file's reason in `why`).
    bool close(uint64_t tick, std::string* why = nullptr);

private:
    std::unique_ptr<OutputFile> file_;
    std::ostream* out_ = nullptr;
    std::vector<std::string> ids_;
    std::vector<char> last_;
    uint64_t last_tick_ = 0;
    bool stamped_ = false;  // the current tick's "#" line is written
};

}  // namespace vorlisk
