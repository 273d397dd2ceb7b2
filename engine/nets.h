// Net resolution. Wires, pins, junctions and test points connect only where
// their coordinates meet:
//  - a wire joins its start and its end;
//  - a junction joins every wire passing through it (tolerance 1), and
//    whatever else lies exactly on its own point;
//  - an input pin or test point hears every output pin whose tip lies in
//    its net; a test point also hears the wires passing through its point.
// An input combines the voltages of every distinct output pin of its net by
// `net_mode`: 0 any above 2.0 V gives 3.6 V, else 0.0 V; 1 any below 2.0 V
// gives 0.5 V, else 3.6 V; other modes leave the input unchanged.
#pragma once

#include <cstdint>

#include "model/circuit.h"

namespace vorlisk {

bool point_on_segment(int px, int py, int x1, int y1, int x2, int y2, int tol);
// Whether the point lies on any segment of the wire, tolerance 1.
bool point_on_wire(int px, int py, const MY_LINK& w);

// Sets in_v[k] of object `obj` from its net.
void gather_input(Circuit& c, int obj, int k);
// Reading of the test point with this name (first match): 3.6 (as a float
// widened) when any driver of its net is above 2.0 V, else 0.0; 0.0 when no
// test point has the name.
double read_test_point(Circuit& c, std::string_view name);
// Reading of the test point at table index t.
double read_test_point_at(Circuit& c, int t);

// The reading rule, shared with the compiled pass.
constexpr double kReadingHigh = static_cast<double>(kHigh);

}  // namespace vorlisk
