// Per-kind drawers of the components and annotations. A drawer reads the
// record and the drawing settings and paints through the canvas; the only
// thing it changes is the `dirty` flag, which every drawer clears in mode 0.
#pragma once

#include <string_view>

#include "model/circuit.h"
#include "render/canvas.h"  // the exact surface; the drawers take any PaintSurface

namespace vorlisk {

bool is_selected(const Circuit& c, std::string_view name);

// The drawer chosen by kind: LED, display, source, device, Vcc, Gnd, or the
// generic symbol for gates, adders, flip-flops and chips.
void draw_component(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);

void draw_symbol(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
// A circle of radius 3 around (cx, cy): on the exact surface drawn by
// strokes, a fixed pixel pattern that every platform draws alike; on a
// scaled surface a true circle over the same pixel box.
void draw_bubble(PaintSurface& cv, int cx, int cy, int width, int32_t outline, int32_t inside);
void draw_led(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
void draw_display(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
void draw_source(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
void draw_device(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
void draw_vcc(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);
void draw_gnd(PaintSurface& cv, const Circuit& c, MY_BASE_OBJ& o, int mode);

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
