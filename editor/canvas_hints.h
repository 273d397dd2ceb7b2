// What the canvas tells about the place under the cursor: the status line
// of the current tool, the pin or junction a wire click would take, the
// outline of the component a placing tool would put down, and the tooltip
// of a pin or a component.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

// One line for the status bar saying what the tool does.
std::string tool_hint(std::string_view tool);

// The pin or junction a wire-tool click at (x, y) would start on (no wire
// in progress), or the one the wire in progress would end on (tested at its
// free end, as the click does); nothing otherwise.
std::optional<BendPoint> wire_anchor_at(const Circuit& c, int x, int y);

// The pin whose stroke passes within 3 pixels of (x, y): a component's
// input or output k. obj is -1 when there is none.
struct PinAt {
    int obj = -1;
    bool input = false;
    int k = 0;
};
PinAt pin_at(const Circuit& c, int x, int y);

// The tooltip at (x, y): a chip pin's number and name ("15 RCO"), another
// component's pin ("输入 2"), or the component's name and kind; empty over
// nothing.
std::string hover_text(const Circuit& c, int x, int y);

// The outline a placing tool shows under the cursor: the outline rectangle
// of `kind` placed at (x, y), in canvas pixels.
class PlacementOutline {
public:
    std::optional<Rect32> at(const Circuit& c, std::string_view kind, int x, int y);

private:
    std::string kind_;
    Rect32 offset_{};  // outline relative to the snapped click
    bool known_ = false;
};

}  // namespace vorlisk
