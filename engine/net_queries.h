// Questions about what a test point is attached to, answered from the nets
// the run pass compiles: which switch a test point names, which test point
// names an indicator. A net is known by the output pins that drive it.
#pragma once

#include "model/circuit.h"

namespace vorlisk {

// Whether test point t hears output pin k of object obj.
bool test_point_hears(Circuit& c, int t, int obj, int k);

// How many output pins test point t hears (0 when t is no test point).
int test_point_driver_count(Circuit& c, int t);

// Whether test point t lies on the net of input pin k of object obj: the
// net has drivers and the test point hears every one of them. An undriven
// net cannot be told apart from another and answers false.
bool test_point_on_input(Circuit& c, int t, int obj, int k);

}  // namespace vorlisk
