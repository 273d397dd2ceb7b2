// The literal net search, kept beside the compiled nets as an oracle: a
// recursive walk outward from a point through wire ends, junctions on wires
// and junction points, collecting every output pin whose tip it reaches.
// Each pin is collected once and finding one does not restart the walk, so
// looped nets end and distant drivers are never missed.
#pragma once

#include <set>

#include "model/circuit.h"

namespace vorlisk::literal {

using PinSet = std::set<std::pair<int, int>>;  // {object, output index}

// Output pins an input pin tip at (px, py) hears.
PinSet collect_input(Circuit& c, int px, int py);
// Output pins a test point at (px, py) hears (also wires through the point).
PinSet collect_probe(Circuit& c, int px, int py);

// in_v[k] of object obj by the literal search, combined by net_mode; the
// current value when net_mode is neither 0 nor 1.
float gather(Circuit& c, int obj, int k);
// Reading of the test point at index t.
double read_test_point(Circuit& c, int t);

// One reference pass: a linear find_object per object, dispatch decided
// from the kind string each time, the literal search for every input and
// test point. The recorder and hardware steps are left out.
void reference_pass(Circuit& c);

}  // namespace vorlisk::literal
