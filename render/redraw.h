// Painting the circuit onto the canvas. Scrolling moves the records, so the
// records' coordinates are canvas pixels and no transformation is needed.
#pragma once

#include <QPoint>
#include <QRect>
#include <span>
#include <vector>

#include "model/circuit.h"
#include "render/canvas.h"  // the exact surface; the drawers take any PaintSurface

namespace vorlisk {

// The four ways of repainting:
enum RedrawMode : int {
    kRedrawFull = 0,     // background, grid, everything, selection frames
    kRedrawDynamic = 1,  // only components whose `dirty` is set (the running refresh)
    kRedrawStatic = 2,   // background, grid and everything not selected (before a drag)
    kRedrawMoving = 3,   // only the selection, LEDs, displays and dirty components, over the static picture
};

// Repaints the canvas; `area` is the part of it the drawing area shows, in
// canvas pixels, where the background goes. Clears the `dirty` flag of
// every component it paints.
void redraw_canvas(PaintSurface& canvas, Circuit& c, const QRect& area, int mode);
// The same for a drawing area of width x height from the canvas origin.
void redraw_canvas(PaintSurface& canvas, Circuit& c, int width, int height, int mode);

// The running refresh of the window's timer: the components whose `dirty`
// is set and, when `levels_changed`, what lies on the nets whose level
// changed at the levels' last update. The exact surface paints them over
// the picture (the dynamic mode, then redraw_changed_levels); a smoothing
// surface repaints their places from scratch, background first, as a full
// redraw paints them there: smoothed edges painted over themselves darken.
void redraw_running(PaintSurface& canvas, Circuit& c, const QRect& area, bool levels_changed);

// The canvas colour and the grid over `area`; with `near` not empty, only
// the grid lines that come near it.
void draw_background(PaintSurface& canvas, const Circuit& c, const QRect& area, const QRect& near = {});

// While the circuit runs and the surface shows levels: repaints what lies
// on the nets whose level changed at the levels' last update (the
// components with a pin on them, their wires and junctions, then the test
// points), over the picture as it is.
void redraw_changed_levels(PaintSurface& canvas, Circuit& c);

// The wire the editor is drawing, in red, 2 pixels wide, when there is one.
// The window draws it over its picture, never into it, so that no redraw
// can take it away while the student is still drawing.
void draw_wire_in_progress(PaintSurface& canvas, const Circuit& c);
void draw_wire_in_progress(PaintSurface& canvas, std::span<const QPoint> route);
// Start, corners and free end of the wire in progress; empty when there is none.
std::vector<QPoint> wire_in_progress_route(const Circuit& c);

void draw_wire(PaintSurface& canvas, const Circuit& c, const MY_LINK& w, bool selected);
void draw_junction(PaintSurface& canvas, const Circuit& c, const MY_POINT& j, bool selected);
// The ring and, with `with_label`, the label beside it.
void draw_test_point(PaintSurface& canvas, const Circuit& c, const MY_TEST_POINT& t, bool selected, bool with_label = true);
// The annotation and, when selected, its red frame.
void draw_annotation_item(PaintSurface& canvas, const ZHU_SHI_S& a, bool selected);

}  // namespace vorlisk
