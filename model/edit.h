// Editing primitives shared by the editor and the tools that build circuits:
// they create records under the naming rules of the editor and keep the
// run pass's compiled view up to date.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

// Connection points on the canvas.
BendPoint input_pin(const MY_BASE_OBJ& o, int k);
BendPoint output_pin(const MY_BASE_OBJ& o, int k);

// Places a component at the next free slot (placement limit 999); returns
// its index or -1 when the table is full.
int add_component(Circuit& c, std::string_view kind, int x, int y);
// A wire "导线<serial>" from start through bends to end (limit 998); -1 when full.
int add_wire(Circuit& c, BendPoint start, BendPoint end, std::span<const BendPoint> bends = {});
// A junction "焊接点<serial>" at the snapped point (limit 998); -1 when full.
int add_junction(Circuit& c, int x, int y);
// A test point "检测点<serial>" with the next free label (limit 98); -1 when full.
int add_test_point(Circuit& c, int x, int y);
// The label the next test point gets: "A".."Z" from the count on, then "T26", "T27" ...,
// skipping labels in use.
std::string next_test_point_label(const Circuit& c);

// Scrolls the view to positions h, v (0..101): every record moves by
// 10 pixels per step the other way, and so does the wire being drawn.
void scroll_to(Circuit& c, int h, int v);

}  // namespace vorlisk
