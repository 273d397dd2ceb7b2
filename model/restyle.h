// Giving existing components their category's look again after the drawing
// settings changed.
#pragma once

#include "model/circuit.h"

namespace vorlisk {

// Copies each category's border, fill, font colour and bold into every
// component of that category, and the lit and unlit colours into LEDs and
// displays. Components of no category (Vcc, Gnd) keep their looks.
void restyle_components(Circuit& c);

}  // namespace vorlisk
