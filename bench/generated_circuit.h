// Generated gate circuits for measuring the run pass: rows of gates whose
// second inputs sit on their neighbours' outputs, first inputs wired from
// random earlier gates with one corner each, and junctions on some corners.
#pragma once

#include "model/circuit.h"

namespace vorlisk::bench {

void build_gate_circuit(Circuit& c, int gates, unsigned seed = 1);

}  // namespace vorlisk::bench
