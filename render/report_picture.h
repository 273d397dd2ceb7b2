// What a picture of the circuit for a report shows, for every output (the
// desktop's PNG, SVG and printing, the page's exports): the drawing (or the
// selection) without grid, selection marks or the wire being drawn, cropped
// to what the drawers paint with a margin.
#pragma once

#include <memory>

#include "model/circuit.h"
#include "render/geometry.h"
#include "render/paint_surface.h"

namespace vorlisk {

constexpr int kPictureMargin = 10;  // canvas pixels around the drawing

// A copy of the records a picture shows (only the selected items when
// `selection_only` and something is selected), with nothing selected, no
// wire in progress and no grid, so the drawers paint it as the circuit looks.
std::unique_ptr<Circuit> picture_copy(const Circuit& c, bool selection_only);

// The picture's area in canvas pixels, the margin included; empty when
// nothing is drawn. Held within 2^28 either way: a picture that large is
// refused as too large anyway.
Rect picture_area(const Circuit& copy, const DrawOptions& view);

// The canvas colour under `area`, then every item as the full redraw paints it.
void paint_picture(PaintSurface& surface, const Circuit& copy, const Rect& area, const DrawOptions& view);

}  // namespace vorlisk
