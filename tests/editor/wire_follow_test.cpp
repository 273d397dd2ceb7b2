// Wires that follow dragged and turned components: the routing of a moved
// end, worked out by hand, and the editor's drag, turn and undo with it.
#include <gtest/gtest.h>

#include "editor/wire_follow.h"
#include "model/circuit_file.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk {
namespace {

using test::EditorFixture;
using P = std::vector<BendPoint>;

TEST(WireFollow, AMovedEndGainsAtMostOneCornerAndEntersAsBefore) {
    //  wire before, which end moves and where -> wire after
    const struct {
        const char* what;
        P before;
        bool start_moves;
        BendPoint to;
        P after;
    } cases[] = {
        {"not moved", {{0, 0}, {100, 0}}, false, {100, 0}, {{0, 0}, {100, 0}}},
        {"along the wire", {{0, 0}, {100, 0}}, false, {120, 0}, {{0, 0}, {120, 0}}},
        {"down: a right angle, still horizontal into the pin", {{0, 0}, {100, 0}}, false, {100, 20},
         {{0, 0}, {0, 20}, {100, 20}}},
        {"exactly diagonal: no corner", {{0, 0}, {100, 0}}, false, {100, 100}, {{0, 0}, {100, 100}}},
        {"vertical wire moved sideways", {{0, 0}, {0, 100}}, false, {30, 100}, {{0, 0}, {30, 0}, {30, 100}}},
        {"a corner on the line through its neighbours goes", {{0, 0}, {50, 0}, {50, 50}}, false, {70, 50},
         {{0, 0}, {70, 0}, {70, 50}}},
        {"the end back onto its corner", {{0, 0}, {50, 0}, {50, 50}}, false, {50, 0}, {{0, 0}, {50, 0}}},
        {"diagonal entry kept", {{0, 0}, {50, 50}}, false, {60, 50}, {{0, 0}, {10, 0}, {60, 50}}},
        {"the start moves", {{0, 0}, {100, 0}}, true, {0, -20}, {{0, -20}, {100, -20}, {100, 0}}},
        {"start up and left", {{0, 0}, {0, 50}, {100, 50}}, true, {-30, -10},
         {{-30, -10}, {-30, 50}, {100, 50}}},
    };
    for (const auto& t : cases) {
        const P got = t.start_moves ? follow_ends(t.before, t.to, std::nullopt) : follow_ends(t.before, std::nullopt, t.to);
        EXPECT_EQ(got, t.after) << t.what;
    }
}

// An inverter at (100, 100): input tip (70, 100), output tip (120, 100).
struct Board : EditorFixture {
    History history;
    int g = add("非门", 100, 100);
    Board() {
        wire({20, 100}, input_pin(obj(g), 0));     // into the input from the left
        wire(output_pin(obj(g), 0), {200, 100});   // out of the output to the right
        add_junction(c, 200, 100);
        add_test_point(c, 120, 100);               // on the output tip
        history.reset(c);
    }
    std::string bytes() const {
        std::string out;
        EXPECT_TRUE(bool(circuit_bytes(c, out)));
        return out;
    }
};

TEST(WireFollow, ADragTakesWireEndsAndPointsAlongAndIsOneUndoStep) {
    Board f;
    const std::string before = f.bytes();
    f.press(100, 100);  // selects the inverter
    f.move(110, 115);
    f.move(120, 130);   // 20 right, 30 down in all
    f.release(120, 130);
    f.history.commit(f.c);
    EXPECT_EQ(wire_points(f.c.wires[0]), (P{{20, 100}, {20, 130}, {90, 130}}));
    EXPECT_EQ(wire_points(f.c.wires[1]), (P{{140, 130}, {200, 130}, {200, 100}}));
    EXPECT_EQ(f.c.test_points[0].x, 140);
    EXPECT_EQ(f.c.test_points[0].y, 130);
    EXPECT_EQ(f.c.junctions[0].x, 200);  // not on a moved pin: stays
    EXPECT_TRUE(f.c.moving_along.empty());
    ASSERT_TRUE(f.history.undo(f.c));
    EXPECT_EQ(f.bytes(), before);
    EXPECT_FALSE(f.history.can_undo());
    // Redone, the test point still sits on the output: an open input reads low.
    ASSERT_TRUE(f.history.redo(f.c));
    f.start();
    f.run_passes(3);
    EXPECT_GT(f.c.test_points[0].value, 2.0);
}

TEST(WireFollow, ADragThatComesBackLeavesTheWiresAsTheyWere) {
    Board f;
    const std::string before = f.bytes();
    f.press(100, 100);
    f.move(150, 170);
    f.move(100, 100);
    f.release(100, 100);
    EXPECT_EQ(f.bytes(), before);
}

TEST(WireFollow, WiresBetweenTwoDraggedComponentsMoveWhole) {
    EditorFixture f;
    const int a = f.add("非门", 100, 100), b = f.add("非门", 300, 100);
    f.wire(output_pin(f.obj(a), 0), input_pin(f.obj(b), 0), {{170, 100}, {200, 130}, {240, 130}});
    const P before = wire_points(f.c.wires[0]);
    f.c.selection = {f.obj(a).name, f.obj(b).name};
    f.press(100, 100);
    f.move(100, 150);
    f.release(100, 150);
    P expected;
    for (BendPoint p : before) expected.push_back({p.x, p.y + 50});
    EXPECT_EQ(wire_points(f.c.wires[0]), expected);
}

TEST(WireFollow, OffLeavesTheWiresWhereTheyWere) {
    Board f;
    f.ed.wires_follow = false;
    f.press(100, 100);
    f.move(120, 130);
    f.release(120, 130);
    EXPECT_EQ(wire_points(f.c.wires[1]), (P{{120, 100}, {200, 100}}));
    EXPECT_EQ(f.c.test_points[0].x, 120);
}

TEST(WireFollow, ATurnTakesTheEndsToThePinsNewPlaces) {
    Board f;
    f.c.selection = {f.obj(f.g).name};
    f.ed.rotate(f.c, f.view, 0);  // clockwise: input tip to (100, 70), output tip to (100, 120)
    ASSERT_EQ(input_pin(f.obj(f.g), 0), (BendPoint{100, 70}));
    EXPECT_EQ(wire_points(f.c.wires[0]), (P{{20, 100}, {20, 70}, {100, 70}}));
    EXPECT_EQ(wire_points(f.c.wires[1]), (P{{100, 120}, {200, 120}, {200, 100}}));
    EXPECT_EQ(f.c.test_points[0].x, 100);
    EXPECT_EQ(f.c.test_points[0].y, 120);
}

}  // namespace
}  // namespace vorlisk
