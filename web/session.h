// What the page's scripting hook does, as vorlisk-sim does it: a circuit
// opened from the bytes of a file, level switches set by their names, runs
// in virtual time from the stopped state, the test points read, and the
// bytes Save would write.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/circuit.h"
#include "tools/vorlisk_sim/bench.h"
#include "tools/vorlisk_sim/signals.h"

namespace vorlisk::web {

class Session {
public:
    Session();

    // Opens the bytes of a circuit file named `name`; false with the
    // loader's message (naming the file) when they are no circuit. The
    // circuit open before stays then.
    bool open(std::string_view bytes, const std::string& name, std::string& error);
    bool is_open() const { return open_; }

    // Sets a level switch, known by its test point's label or its name, to
    // 0 or 1; false with a message naming the switches there are.
    bool set(const std::string& name, int level, std::string& error);

    // The level switches' names (as set() takes them) and their levels.
    std::vector<std::pair<std::string, int>> switches() const;

    // `passes` passes in virtual time from the stopped circuit, then the
    // test points are read.
    bool run(long long passes, std::string& error);

    // Every test point's label and its reading (1 or 0) after the last run,
    // in table order; empty before the first.
    const std::vector<std::pair<std::string, int>>& readings() const { return readings_; }

    // The bytes Save writes for the circuit as opened, with the switches
    // as set.
    bool save(std::string& bytes, std::string& error) const;

private:
    std::unique_ptr<sim::Bench> bench_;
    std::unique_ptr<Circuit> document_;  // as Open left it: what Save writes
    sim::Signals signals_;
    std::vector<std::pair<std::string, int>> readings_;
    bool open_ = false;
};

// The file name a message names: the last part of `name`, a plain name
// when that is empty or no name at all.
std::string file_name_of(const std::string& name);

}  // namespace vorlisk::web
