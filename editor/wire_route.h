// The new route of a wire end that moves with a pin. The wire keeps its
// route from its far end up to the cut, the last place where anything else
// attaches to it; only the part after the cut is drawn anew, as a few
// horizontal, vertical or 45-degree segments (nets are found by points
// lying on segments, and that test relies on those three directions).
//
// Among the routes that fit, the one chosen leaves the cut and enters the
// end as the wire did (a pin is entered along its stroke), turns as few
// times as it can, and runs over nothing: a new segment through a junction
// or a test point would join it to the wire's net, so such a route is never
// taken; one over a pin tip, another wire's end or along another wire only
// looks joined, and is taken only when nothing else fits; one across a
// component's body, only when nothing better does. Corners the wire
// had after the cut may be dropped, never one before it.
#pragma once

#include <functional>
#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/records.h"

namespace vorlisk {

// The points of a wire, start first, end last.
using WirePoints = std::vector<BendPoint>;

// What lies around the wire being routed, where it is once the move is done.
class RouteObstacles {
public:
    // A junction or test point: a segment through it joins it to the wire.
    void add_joining(BendPoint p) { joining_.push_back(p); }
    // A pin tip or a wire's end or corner: a segment over it looks joined.
    void add_touching(BendPoint p, int owner = -1);
    // A wire (of table index `owner`): a segment along it, or a corner on
    // it, looks joined; so does a segment over one of its points. `was`:
    // the way a wire that moves went before, which others had best leave
    // to it (a tenth of the cost, its points free).
    void add_wire(std::span<const BendPoint> points, int owner, bool was = false);
    // A component's body, in canvas pixels: a wire across it looks wrong.
    void add_body(const Rect32& r) { bodies_.push_back(r); }
    // After the first adds (later adds keep the order).
    void finish();
    // The wire being routed: what it added itself is no obstacle to it.
    void route_for(int owner) { self_ = owner; }

    using Exempt = std::function<bool(BendPoint)>;
    // Whether a joining point not exempted lies on the segment a-b.
    bool joins(BendPoint a, BendPoint b, const Exempt& exempt) const;
    // What it costs that the segment a-b runs over touching points not
    // exempted and along segments: 1000 each (a tenth for a former way).
    int touches(BendPoint a, BendPoint b, const Exempt& exempt) const;
    // What it costs that corner p lies on segments, as above.
    int lies_on(BendPoint p) const;
    // How many bodies the segment a-b crosses.
    int crosses(BendPoint a, BendPoint b) const;

private:
    struct Point {
        BendPoint at;
        int owner;
    };
    struct Segment {
        BendPoint a, b;
        int owner;
        bool was;
    };
    std::vector<BendPoint> joining_;  // sorted by x after finish()
    std::vector<Point> touching_;     // sorted by x after finish()
    std::vector<Segment> segments_;
    // Segments by the coarse cells their boxes cover; long ones apart.
    std::unordered_map<uint64_t, std::vector<int>> cells_;
    std::vector<int> long_;
    mutable std::vector<uint32_t> seen_;  // per segment: the query that last met it
    mutable uint32_t query_ = 0;
    template <class F>
    void for_segments_near(BendPoint a, BendPoint b, F f) const;
    static int cost_of(const Segment& s);
    std::vector<Rect32> bodies_;
    bool finished_ = false;
    int self_ = -1;
};

// The wire with its moving end taken to `to`. `kept` is the route that
// stays, from the far end up to the cut (inclusive); `free` the corners the
// wire had between the cut and the end; `old_end` where the end was.
// Nothing when no route fits: none keeps `kept`, stays within the corners a
// wire may have and joins nothing new, or the end would come onto the far
// end itself (a wire of no length). The end is entered along `enter` when
// given (the stroke of a turned pin), else as the wire entered it before.
// What the route chosen runs over (in the cost of one touch, 1000 each) is
// added to `*over`.
std::optional<WirePoints> route_end(std::span<const BendPoint> kept, std::span<const BendPoint> free,
                                    BendPoint old_end, BendPoint to, const RouteObstacles& around,
                                    std::optional<BendPoint> enter = std::nullopt, long long* over = nullptr);

// Horizontal, vertical or 45 degrees (a point counts as all three).
bool straight(BendPoint a, BendPoint b);

}  // namespace vorlisk
