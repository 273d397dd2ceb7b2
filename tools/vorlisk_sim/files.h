// Small helpers of the command: the reference file, --set, and paths that
// must not be written over.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/circuit.h"
#include "tools/vorlisk_sim/signals.h"

namespace vorlisk::sim {

// Reads a whole text file of at most `limit` bytes; false with a message.
bool read_text_file(const std::string& path, std::string& text, std::string& error, size_t limit);

// Sets each named switch (label or component name) to its level and lists
// (object, level) for copies of the circuit. An unknown name fails with a
// message naming the switches there are.
bool apply_sets(Circuit& c, const Signals& s, const std::vector<std::pair<std::string, int>>& sets,
                std::vector<std::pair<int, int>>& levels, std::string& error);

// Whether `output` names the existing file `input` (by any path or link).
bool same_file(const std::string& output, const std::string& input);

}  // namespace vorlisk::sim
