// The circuit the canvas's full redraw is measured on, on the desktop and in
// the browser: 999 components on a grid that a 25 % view of 1280 x 800
// shows whole (74LS138 chips with their 16 pins, NAND gates, LEDs and level
// switches in turn), with a wire between neighbours.
#pragma once

#include "model/circuit.h"

namespace vorlisk::bench {

void build_canvas_grid(Circuit& c);

}  // namespace vorlisk::bench
