// Finding what lies under a canvas point or inside a rectangle, and the
// selection rule a click applies. Plain functions over the circuit tables.
#pragma once

#include <string>

#include "model/circuit.h"

namespace vorlisk {

// Name of the first component, in table order, whose body rectangle
// contains (x, y), its edges included; empty when there is none.
std::string object_at(const Circuit& c, int x, int y);

// The selection rule of a click on an item: a selected item is removed
// when Ctrl or Shift is held (`modifier`) and kept otherwise; an unselected
// one is appended, after the selection was cleared unless a modifier is held.
void select_by_click(Circuit& c, const std::string& name, bool modifier);

// Point hit tests, each over one table; the first item hit gets the
// selection rule. They return whether an item was hit.
//  - components: strictly inside the body rectangle;
//  - annotations: strictly inside the text block;
//  - junctions and test points: less than 4 pixels away on both axes;
//  - wires: within 3 pixels across a segment, anywhere along it.
bool hit_select_object(Circuit& c, int x, int y, bool modifier);
bool hit_select_annotation(Circuit& c, int x, int y, bool modifier);
bool hit_select_junction(Circuit& c, int x, int y, bool modifier);
bool hit_select_test_point(Circuit& c, int x, int y, bool modifier);
bool hit_select_wire(Circuit& c, int x, int y, bool modifier);
// The five in the order a click tries them; true when one hit.
bool hit_select_any(Circuit& c, int x, int y, bool modifier);

// Rectangle tests: append the names of the items inside `r` (corners in
// any order), in table order, skipping names already selected. Bodies,
// text blocks and wires count with their edges on the rectangle's edge;
// junctions and test points must lie strictly inside.
void box_select_objects(Circuit& c, Rect32 r);
void box_select_annotations(Circuit& c, Rect32 r);
void box_select_wires(Circuit& c, Rect32 r);
void box_select_junctions(Circuit& c, Rect32 r);
void box_select_test_points(Circuit& c, Rect32 r);
// All five, in the order a released rectangle runs them.
void box_select_all(Circuit& c, Rect32 r);

}  // namespace vorlisk
