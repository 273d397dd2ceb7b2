// Finding what lies under a canvas point. Plain functions over the circuit
// tables, shared by the double click, the tools and the selection.
#pragma once

#include <string>

#include "model/circuit.h"

namespace vorlisk {

// Name of the first component, in table order, whose body rectangle
// contains (x, y), its edges included; empty when there is none.
std::string object_at(const Circuit& c, int x, int y);

}  // namespace vorlisk
