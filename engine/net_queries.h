// Questions about what a test point is attached to, answered from the nets
// the run pass compiles: which switch a test point names, which test point
// names an indicator. A net is known by the output pins that drive it.
#pragma once

#include <cstdint>
#include <vector>

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

// The level a net shows on the canvas while the circuit runs: what an
// input on it reads (combined by net_mode), or `none` when nothing drives it.
enum class NetLevel : int8_t { none, low, high };

// The nets of the canvas's wires, junctions and pins with the level each
// shows now. `shown` remembers, per net, the level last handed out; nets
// whose level changed since are listed in `changed` (all of them the first
// time, or after an edit recompiled the nets).
struct NetLevels {
    uint64_t serial = 0;             // edit serial the nets were numbered at
    std::vector<NetLevel> shown;     // per net
    std::vector<uint32_t> changed;   // nets whose shown level changed at the last update
    std::vector<uint32_t> driven;    // nets with at least one driver
    // Levels of the wires, junctions and output and input pins, by net.
    NetLevel wire(const Circuit& c, int w) const;
    NetLevel junction(const Circuit& c, int j) const;
    NetLevel output(const Circuit& c, int obj, int k) const;
    NetLevel input(const Circuit& c, int obj, int k) const;
    // Takes the levels of every net now; returns whether any changed.
    bool update(Circuit& c);
};

}  // namespace vorlisk
