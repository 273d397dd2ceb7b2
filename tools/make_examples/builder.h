// A small vocabulary for laying out example circuits: components, wires
// routed with right-angle corners between pin tips, labelled test points
// and explanatory annotations.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/circuit.h"
#include "model/edit.h"

namespace vorlisk::examples {

class Builder {
public:
    explicit Builder(Circuit& c) : c_(c) {}

    int part(std::string_view kind, int x, int y) { return add_component(c_, kind, x, y); }
    BendPoint in(int obj, int k) const { return input_pin(c_.objects[obj], k); }
    BendPoint out(int obj, int k) const { return output_pin(c_.objects[obj], k); }
    // Chip package pin n of a chip component.
    BendPoint pin(int chip, int n) const;

    // A wire from a to b through the given corners.
    void wire(BendPoint a, BendPoint b, std::initializer_list<BendPoint> corners = {});
    // A wire from a to b turning at column x: a -> (x, a.y) -> (x, b.y) -> b.
    void wire_via_x(BendPoint a, BendPoint b, int x);
    // A wire from a to b turning at row y: a -> (a.x, y) -> (b.x, y) -> b.
    void wire_via_y(BendPoint a, BendPoint b, int y);

    // Breadboard wiring around a chip: a wire from a point left of the chip
    // to a package pin, turning in its own lane so lanes never share a
    // segment. Left-side pins are reached directly; right-side pins by going
    // under the chip at row `under`.
    void to_pin(BendPoint from, int chip, int pin, int lane);
    // A wire from a package pin out to a point right of the chip.
    void from_pin(int chip, int pin, BendPoint to, int lane);

    // A wire from `from` to several package pins on one trunk: the wire to
    // the pin whose lane lies farthest along the trunk runs the whole way;
    // the others leave it at a junction, so no two wires share a segment.
    // Pins are given with their lanes as for to_pin.
    void rail_to_pins(BendPoint from, int chip, std::initializer_list<std::pair<int, int>> pins_and_lanes);
    // A solder point joining the wires that pass through it.
    void junction(BendPoint at);

    // Where a test point's label sits: above and right of it (the editor's
    // place), below and right, or above and left (clear of a wire that
    // leaves the point upwards on its right).
    enum class Label { above, below, left };
    void probe(BendPoint at, std::string_view label, Label where = Label::above);
    void note(int x, int y, std::initializer_list<std::string_view> lines);
    void level(int sw, int high) { c_.objects[sw].param_int[0] = high; }
    void pulse(int obj, double hz, double phase, double width);

    Circuit& circuit() { return c_; }

private:
    Circuit& c_;
};

}  // namespace vorlisk::examples
