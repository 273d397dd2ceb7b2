// Painting the circuit onto the canvas. Scrolling moves the records, so the
// records' coordinates are canvas pixels and no transformation is needed.
#pragma once

#include <span>
#include <vector>

#include "model/circuit.h"
#include "render/geometry.h"
#include "render/paint_surface.h"

namespace vorlisk {

// The four ways of repainting:
enum RedrawMode : int {
    kRedrawFull = 0,     // background, grid, everything, selection frames
    kRedrawDynamic = 1,  // only components whose `dirty` is set (the running refresh)
    kRedrawStatic = 2,   // background, grid and everything not selected (before a drag)
    kRedrawMoving = 3,   // only the selection, LEDs, displays and dirty components, over the static picture
};

// Paints the circuit in a mode; `area` is the part of the canvas the
// output shows, in canvas pixels, where the background goes. Only reads
// the circuit: printing and pictures paint it while it runs.
void draw_circuit(PaintSurface& canvas, const Circuit& c, const Rect& area, int mode, const DrawOptions& view = {});
// The screen's repaint: draw_circuit, then every component's `dirty` flag
// cleared (every mode paints each dirty component), as the screen now
// shows them as they are.
void redraw_canvas(PaintSurface& canvas, Circuit& c, const Rect& area, int mode, const DrawOptions& view = {});
// The same for a drawing area of width x height from the canvas origin.
void redraw_canvas(PaintSurface& canvas, Circuit& c, int width, int height, int mode, const DrawOptions& view = {});

// The running refresh of the window's timer: the components whose `dirty`
// is set and, when `levels_changed`, what lies on the nets whose level
// changed at the levels' last update. The exact surface paints them over
// the picture (the dynamic mode, then redraw_changed_levels); a smoothing
// surface repaints their places from scratch, background first, as a full
// redraw paints them there: smoothed edges painted over themselves darken.
// The screen's step: clears the `dirty` flags.
void redraw_running(PaintSurface& canvas, Circuit& c, const Rect& area, bool levels_changed, const DrawOptions& view = {});

// The canvas colour and the grid over `area`; with `near` not empty, only
// the grid lines that come near it.
void draw_background(PaintSurface& canvas, const Circuit& c, const Rect& area, const Rect& near = {});

// While the circuit runs and the view shows levels: repaints what lies
// on the nets whose level changed at the levels' last update (the
// components with a pin on them, their wires and junctions, then the test
// points), over the picture as it is.
void redraw_changed_levels(PaintSurface& canvas, const Circuit& c, const DrawOptions& view);

// The wire the editor is drawing, in red, 2 pixels wide, when there is one.
// The window draws it over its picture, never into it, so that no redraw
// can take it away while the student is still drawing.
void draw_wire_in_progress(PaintSurface& canvas, const Circuit& c);
void draw_wire_in_progress(PaintSurface& canvas, std::span<const Point> route);
// Start, corners and free end of the wire in progress; empty when there is none.
std::vector<Point> wire_in_progress_route(const Circuit& c);
// The rubber band of a box selection: a dotted outline, one pixel on and
// one off clockwise from the top-left corner. Like the wire in progress,
// drawn over the picture by the window, never into it.
constexpr int32_t kRubberBandColour = 0x0000ff;  // red
void draw_rubber_band(PaintSurface& canvas, const Rect32& r, int32_t colour = kRubberBandColour);

void draw_wire(PaintSurface& canvas, const Circuit& c, const MY_LINK& w, bool selected, const DrawOptions& view = {});
void draw_junction(PaintSurface& canvas, const Circuit& c, const MY_POINT& j, bool selected, const DrawOptions& view = {});
// The ring and, with `with_label`, the label beside it.
void draw_test_point(PaintSurface& canvas, const Circuit& c, const MY_TEST_POINT& t, bool selected, bool with_label = true);
// The annotation and, when selected, its red frame.
void draw_annotation_item(PaintSurface& canvas, const ZHU_SHI_S& a, bool selected);

}  // namespace vorlisk
