// The marks a window draws over the circuit's picture, never into it, at
// the screen's own size: a green ring round the pin or junction a wire
// click would take, the dashed grey outline of the kind a placing tool
// would put down, and a magenta crossed ring where wires of different nets
// touch without being connected. They follow the cursor or warn, so they
// keep their stroke widths at every zoom and no picture (export, print)
// ever shows them.
//
// The drawer works in screen pixels (the widget's on the desktop, CSS
// pixels on the page), counted in quarters: through the painting
// interface's whole numbers a round mark still sits, and is stroked, at a
// fraction of a pixel. The surface under it maps one unit to a quarter of
// a screen pixel, whatever the screen's density.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/records.h"
#include "render/geometry.h"
#include "render/paint_surface.h"

namespace vorlisk {

// What to mark, in canvas pixels.
struct ViewHints {
    std::optional<Point> ring;      // the pin or junction a wire click would take
    std::optional<Rect32> outline;  // where the kind being placed would go, corners as the editor gives them
    std::vector<Point> touches;     // where wires of different nets touch unconnected
    bool operator==(const ViewHints&) const = default;
};

// How the view shows the canvas: canvas point p at screen point
// (p - origin) * zoom.
struct ScreenMapping {
    double zoom = 1.0;
    double origin_x = 0.0, origin_y = 0.0;
};

// Drawing units per screen pixel.
inline constexpr int kHintUnits = 4;

// The looks, sizes in screen pixels unless said otherwise. Rings are
// centred on the pixel they mark and keep a size that can be seen at 25 %.
inline constexpr int32_t kHintRingColour = 0x00a000;  // green
inline constexpr double kHintRingRadius = 6.0;        // canvas pixels
inline constexpr double kHintRingMinRadius = 3.0;
inline constexpr double kHintRingPen = 2.0;
inline constexpr int32_t kHintOutlineColour = 0x808080;  // grey
inline constexpr int kHintDashOn = 4, kHintDashOff = 2;  // 1-pixel dashes round the outline, clockwise
// Magenta: unlike black wires, the levels' orange and blue, the red wire
// in progress and the green ring.
inline constexpr int32_t kHintTouchColour = 0xd000d0;
inline constexpr double kHintTouchRadius = 6.0;  // canvas pixels
inline constexpr double kHintTouchMinRadius = 4.0;
inline constexpr double kHintTouchPen = 1.5, kHintTouchPenZoomed = 2.0;  // below and from 200 %
inline constexpr double kHintTouchCross = 0.7;   // the cross's arms, as a share of the radius
inline constexpr double kHintTouchReach = 2.0;   // the cursor counts as on a mark this far outside its ring

// Paints the hints in drawing units: the outline, the touch marks, then
// the ring on top.
void draw_view_hints(PaintSurface& surface, const ViewHints& hints, const ScreenMapping& view);

// The screen pixels the hints cover, smoothed edges included; empty for none.
Rect view_hints_area(const ViewHints& hints, const ScreenMapping& view);

// Whether the cursor on canvas pixel p is on one of the touch marks as
// they are drawn at this zoom.
bool on_touch_mark(const ViewHints& hints, const ScreenMapping& view, Point p);

}  // namespace vorlisk
