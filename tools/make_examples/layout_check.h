// Whether a circuit reads well on the canvas: test-point labels and
// annotations clear of wires, pins, bodies and each other; wires clear of
// component bodies and pin numbers, never running along another wire or a
// pin, never passing over a pin tip or another wire's end where the eye
// would read a connection that the nets do not make; everything on the
// first screen. Shapes are taken from the records the way the canvas draws
// them, so the check needs no window.
#pragma once

#include <string>
#include <vector>

#include "model/circuit.h"

namespace vorlisk::examples {

// The canvas of the main window at its first size: what a student sees
// without scrolling.
constexpr int kScreenWidth = 1000;
constexpr int kScreenHeight = 600;

// One line per fault, naming the records involved; empty when the circuit
// reads well within a canvas of width x height pixels.
std::vector<std::string> layout_faults(const Circuit& c, int width, int height);

}  // namespace vorlisk::examples
