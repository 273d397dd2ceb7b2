// Wires that follow: when components are dragged or turned, the ends of the
// wires on their pins go with them. A wire keeps its other end and every
// corner it had, and gains at most one corner per moved end, placed so that
// every segment stays horizontal, vertical or 45 degrees (the nets are found
// by coincidence of points, and the point-on-segment test relies on those
// three directions). Junctions and test points lying on a moved pin's tip
// move with it, and the wires ending on a moved junction follow too. A wire
// whose both ends move goes whole.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/circuit.h"

namespace vorlisk {

// The points of a wire, start first, end last.
using WirePoints = std::vector<BendPoint>;
WirePoints wire_points(const MY_LINK& w);

// The wire `points` with its last point moved to `end`: the rest stays, and
// one corner is added when the last segment would otherwise not be
// horizontal, vertical or 45 degrees. The corner is chosen so that the wire
// reaches `end` from the same direction as before when it can (a pin is
// entered along its stroke), preferring right angles.
WirePoints follow_end(std::span<const BendPoint> points, BendPoint end);
// Either end or both, each routed as follow_end does.
WirePoints follow_ends(std::span<const BendPoint> points, std::optional<BendPoint> start,
                       std::optional<BendPoint> end);

// What follows a drag of the selection, noted when the drag begins and
// applied after each step from the positions noted, so that a drag that
// comes back leaves every wire as it was.
class WireFollow {
public:
    // Notes the wires, junctions and test points that follow the selection;
    // lists the names of those not selected themselves in `c.moving_along`
    // (drawn with the moving selection) and returns whether there are any.
    bool begin(Circuit& c);
    // The selection has moved by (dx, dy) in this step: the followers go with it.
    void step(Circuit& c, int dx, int dy);
    // The drag is over.
    void end(Circuit& c);
    bool started() const { return started_; }

private:
    struct Follower {
        int index = 0;          // in the wire table (names checked before use)
        std::string name;
        WirePoints original;
        bool start = false, end = false;  // which ends move
    };
    bool started_ = false;
    int total_dx_ = 0, total_dy_ = 0;
    std::vector<Follower> wires_;
    std::vector<std::string> carried_;  // junctions and test points on moved pins
};

// Turns the listed components as rotate_items does, and takes the ends of
// the wires on their pins (and the junctions and test points on those pins)
// to the pins' new places.
void rotate_items_with_wires(Circuit& c, std::span<const std::string> names, int direction);

}  // namespace vorlisk
