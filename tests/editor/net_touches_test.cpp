// Where wires of two nets touch without being connected, worked out by hand.
#include <gtest/gtest.h>

#include "editor/net_touches.h"
#include "model/edit.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk {
namespace {

using P = std::vector<BendPoint>;

TEST(NetTouches, WhereWiresOfTwoNetsMeetWithNoJunction) {
    //  wires (start, corners, end), junctions -> places marked
    const struct {
        const char* what;
        std::vector<P> wires;
        P junctions;
        P places;
    } cases[] = {
        {"an end on another wire's run", {{{0, 0}, {100, 0}}, {{50, 50}, {50, 0}}}, {}, {{50, 0}}},
        {"the same with a junction there", {{{0, 0}, {100, 0}}, {{50, 50}, {50, 0}}}, {{50, 0}}, {}},
        {"wires that cross", {{{0, 0}, {100, 0}}, {{50, -50}, {50, 50}}}, {}, {}},
        {"a wire drawn along another's run", {{{0, 0}, {100, 0}}, {{50, 0}, {150, 0}}}, {}, {{50, 0}, {100, 0}}},
        {"a corner on another wire", {{{0, 0}, {100, 0}}, {{50, -50}, {50, 0}, {80, -30}}}, {}, {{50, 0}}},
        {"ends that meet: one net", {{{0, 0}, {100, 0}}, {{100, 0}, {100, 50}}}, {}, {}},
        {"an end one pixel beside a 45-degree wire", {{{0, 0}, {100, 100}}, {{51, 50}, {51, 0}}}, {}, {{51, 50}}},
        {"an end two pixels beside it", {{{0, 0}, {100, 100}}, {{52, 50}, {52, 0}}}, {}, {}},
        {"an end on a wire of its own net (joined elsewhere)",
         {{{0, 0}, {100, 0}}, {{50, 50}, {50, 0}}, {{100, 0}, {100, 50}, {50, 50}}}, {}, {}},
    };
    for (const auto& t : cases) {
        test::Harness h;
        for (const P& w : t.wires) add_wire(h.c, w.front(), w.back(), P(w.begin() + 1, w.end() - 1));
        for (BendPoint j : t.junctions) add_junction(h.c, j.x, j.y);
        EXPECT_EQ(net_touches(h.c), t.places) << t.what;
    }
}

TEST(NetTouches, PinTipsOnAWireOfAnotherNetAndTheCacheFollowsEdits) {
    test::Harness h;
    const int g = h.add("非门", 100, 100);  // input tip (70, 100), output tip (120, 100)
    h.wire({0, 100}, {200, 100});          // passes both tips, ending on neither
    NetTouches touches;
    EXPECT_EQ(touches.of(h.c), (P{{70, 100}, {120, 100}}));
    move_items(h.c, std::vector<std::string>{h.obj(g).name}, 0, 10, 0, 0);
    EXPECT_EQ(touches.of(h.c), P{});
}

}  // namespace
}  // namespace vorlisk
