// Places where wires of different nets touch without being connected. The
// nets join wires only at their ends and at junctions, so a wire that ends
// on another wire, or turns on it, or runs along it, carries nothing across
// unless a junction sits there, though on the canvas it looks like a T.
// The same holds for a pin whose tip lies on a wire between the wire's
// ends. Wires that merely cross are left out: a crossing without a junction
// reads as no connection, on paper and in the nets alike.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/circuit.h"

namespace vorlisk {

// The places, each once, in order of x then y: every end or corner of a
// wire, and every pin tip, that lies on a wire of another net (within the
// tolerance the nets use: exactly on a horizontal or vertical segment, one
// pixel across a 45-degree one). A wire drawn along another's run shows at
// both ends of the shared stretch.
std::vector<BendPoint> net_touches(Circuit& c);

// The status line over such a place.
inline constexpr std::string_view kTouchHint =
    "此处相碰的导线（或引脚）并不相连：它们属于不同的网络。要连起来，请在这里放一个焊接点";

// net_touches, worked out again only when the circuit's edit serial moves.
class NetTouches {
public:
    const std::vector<BendPoint>& of(Circuit& c);

private:
    const Circuit* owner_ = nullptr;
    uint64_t serial_ = 0;
    std::vector<BendPoint> places_;
};

}  // namespace vorlisk
