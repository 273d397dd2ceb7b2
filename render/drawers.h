// Per-kind drawers of the components and annotations. A drawer reads the
// record, the drawing settings and the view's options and paints through
// any surface; it changes nothing (the screen's redraw clears `dirty`).
#pragma once

#include <string_view>

#include "model/circuit.h"
#include "render/paint_surface.h"

namespace vorlisk {

bool is_selected(const Circuit& c, std::string_view name);

// The drawer chosen by kind: LED, display, source, device, Vcc, Gnd, or the
// generic symbol for gates, adders, flip-flops and chips. In the full
// mode (0) a component is drawn whole; otherwise one whose `dirty` is set
// has only what changes while running repainted (a lamp, a switch).
void draw_component(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view = {});

void draw_symbol(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
// A circle of radius 3 around (cx, cy): on the exact surface drawn by
// strokes, a fixed pixel pattern that every platform draws alike; on a
// scaled surface a true circle over the same pixel box.
void draw_bubble(PaintSurface& cv, int cx, int cy, int width, int32_t outline, int32_t inside);
void draw_led(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
void draw_display(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
void draw_source(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
void draw_device(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
void draw_vcc(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);
void draw_gnd(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view);

// The red frame around a selected component's outline.
void draw_selection_frame(PaintSurface& cv, const MY_BASE_OBJ& o);

// The font an annotation's text is drawn in; its dialog measures the text
// with the same font, so the stored size fits what is drawn.
CanvasFont annotation_font(const ZHU_SHI_S& a);
void draw_annotation(PaintSurface& cv, const ZHU_SHI_S& a);

// Which display segments are lit: bit k for segment k (a .. g, h = point).
// All off while the circuit is stopped.
unsigned display_segments(const Circuit& c, const MY_BASE_OBJ& o);

}  // namespace vorlisk
