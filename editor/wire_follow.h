// Wires that follow: when components are dragged or turned, the wires on
// their pins go with them, and what is connected stays connected.
//
// Each such wire keeps its route up to the last place where anything else
// attaches to it (a junction, a test point, another wire's end, a pin that
// stays) and is routed anew after it (editor/wire_route.h). Junctions and
// test points on a moved pin go with it, unless something that stays holds
// them there (another component's pin, a wire passing through): then they
// stay, and one of the wires on the pin is drawn on through them to the
// pin's new place. A wire whose both ends move, with nothing attached
// between, moves whole.
//
// A move that the wires cannot follow without changing what is connected
// is refused, and the circuit stays as it was: a drag stops at the last
// place it could reach, a turn does not happen. That is the case when a
// pin touches another component's pin with no junction there (no wire can
// carry that contact along), when every route would cross a junction or a
// test point, when a wire would need more corners than it may have, and
// when a wire's end would come onto its own other end.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/wire_route.h"
#include "model/circuit.h"

namespace vorlisk {

WirePoints wire_points(const MY_LINK& w);

// The status line after a refused drag step or turn.
inline constexpr std::string_view kDragRefused =
    "导线无法跟到这里而不改变连接：器件停在上一个位置（可取消“查看 → 拖动时导线跟随”）";
inline constexpr std::string_view kTurnRefused =
    "导线无法跟随这次旋转而不改变连接：没有旋转（可取消“查看 → 拖动时导线跟随”）";

// A place along a wire: on segment `segment` (points[segment] up to, not
// including, points[segment + 1]), or the wire's last point.
struct WireCut {
    size_t segment = 0;
    BendPoint at;
};

// What follows a move, noted before it.
struct FollowPlan {
    struct Wire {
        int index = 0;  // in the wire table (the name is checked before use)
        std::string name;
        WirePoints original;
        bool start = false, end = false;  // which ends move
        // The first and the last place along the wire where something that
        // stays attaches; nothing when nothing does.
        std::optional<WireCut> first, last;
    };
    struct Carried {
        bool junction = false;  // else a test point
        std::string name;
        BendPoint at;  // before the move
    };
    std::vector<Wire> wires;
    std::vector<Carried> carried;
    bool blocked = false;  // a contact no wire can carry along
};

// What follows a drag of the selection, noted when the drag begins and
// applied after each step from the positions noted, so that a drag that
// comes back leaves every wire as it was.
class WireFollow {
public:
    // Notes what follows the selection; lists the names of those not
    // selected themselves in `c.moving_along` (drawn with the moving
    // selection) and returns whether there are any.
    bool begin(Circuit& c);
    // The selection has moved by (dx, dy) in this step: the followers go
    // with it. False when they cannot follow there: nothing of theirs
    // changed, and the caller takes the step back.
    bool step(Circuit& c, int dx, int dy);
    // The drag is over.
    void end(Circuit& c);
    bool started() const { return started_; }

private:
    bool started_ = false;
    int total_dx_ = 0, total_dy_ = 0;
    FollowPlan plan_;
};

// Turns the listed components as rotate_items does, and takes the wires on
// their pins (and the junctions and test points on those pins) along.
// False, and nothing turned, when the wires cannot follow.
bool rotate_items_with_wires(Circuit& c, std::span<const std::string> names, int direction);

}  // namespace vorlisk
