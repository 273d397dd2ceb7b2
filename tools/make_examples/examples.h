// The example circuits shipped in "例子", built through the core's own
// catalogue so their geometry is exactly what placement writes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/circuit.h"

namespace vorlisk::examples {

struct Example {
    std::string file;                    // file name in the examples folder
    std::function<void(Circuit&)> build; // fills a reset circuit
};

// Every example, in the order the folder lists them.
const std::vector<Example>& all_examples();

}  // namespace vorlisk::examples
