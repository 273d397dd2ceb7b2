// The circuits the run pass is measured on, each built as a student would
// wire it (components placed by kind, wires from pin tip to pin tip):
//  - an inverter chain driven by a pulse source: a change is always
//    travelling along it, so the pass is never idle;
//  - a ripple counter of JK flip-flops clocked by a fast pulse, with an LED
//    on every Q;
//  - a chain of gates led by a self-oscillating inverter, in which every
//    gate changes its output in every pass.
// All run in virtual time with a 1 ms step and a device delay of 1.
#pragma once

#include "model/circuit.h"

namespace vorlisk::bench {

// Vcc enabling a 1 Hz pulse source that drives `inverters` inverters in
// table order (998 make a circuit of 1,000 components and 999 wires).
void build_inverter_chain(Circuit& c, int inverters = 998);

// Vcc, a 250 Hz pulse (high two passes, low two), `stages` JK flip-flops
// with J and K tied high, each clocked by the previous Q, and an LED on
// every Q (17 stages make 36 components).
void build_ripple_counter(Circuit& c, int stages = 17);

// An inverter fed back on itself followed by `gates` - 1 inverters and
// one-input OR/NOR gates of 2 to 8 inputs (the others left open), each
// reading the previous gate's output.
void build_toggling_gates(Circuit& c, int gates = 1000);

}  // namespace vorlisk::bench
