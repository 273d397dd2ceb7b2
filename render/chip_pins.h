// What a chip shows of its package, for wiring it pin by pin as on the lab
// bench: the package pin numbers beside the pin strokes, and the datasheet
// pin names inside the body beside their pins.
#pragma once

#include "model/circuit.h"
#include "render/paint_surface.h"

namespace vorlisk {

// Output pixels per canvas pixel from which pin names are large enough to
// read (a 6-pixel font shown 9 pixels high).
constexpr double kPinNamesLegibleFrom = 1.5;

// Whether this chip is drawn with its pin names: the view shows them and
// the output is large enough. Its type then stands outside the body (above
// it, or left of it when the pins point up and down), and the pin-1 mark,
// which the first pin's name would cover, is left out.
bool shows_pin_names(const PaintSurface& cv, const DrawOptions& view, const MY_BASE_OBJ& o);

// Each number stands beside its stroke, on the side away from the next
// stroke (above a horizontal one, left of a vertical one), from the body
// edge outwards, clear of every stroke and of the body by a pixel.
void draw_pin_numbers(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o);

// Each name inside the body on its pin's line, from the body edge inwards;
// a leading "/" (active low) is drawn as a bar over the name. Two names
// facing each other across the body that would meet are drawn smaller.
void draw_pin_names(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o);

// The chip's type outside its body, when its names fill the body.
void draw_chip_type_outside(PaintSurface& cv, const MY_BASE_OBJ& o);

}  // namespace vorlisk
