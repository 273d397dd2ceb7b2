// Wires that follow dragged and turned components: cases worked by hand,
// and the editor's drag, turn and undo with them.
#include <gtest/gtest.h>

#include <functional>

#include "tests/editor/follow_check.h"

namespace vorlisk {
namespace {

using test::EditorFixture;
using P = std::vector<BendPoint>;

// A switch at (100, 100) (output tip (130, 100)) and an inverter at (300,
// 100) (input tip (270, 100)); the wire between them is drawn by each case.
struct Pair : EditorFixture {
    int s = add("高低电平控制器", 100, 100), g = add("非门", 300, 100);
};

// The cases. Each drags the inverter; the connections stay, every
// wire stays horizontal, vertical or 45 degrees without stubs, and where a
// place cannot be reached so, the drag is refused and nothing changes.
TEST(WireFollow, CasesThatOnceCutOrBentAWire) {
    const struct {
        const char* what;
        std::function<void(Pair&)> draw;
        int dx, dy;
        bool refused;
        P wire0;  // wire 0 after the drag, when given
    } cases[] = {
        {"a junction in the middle of the moved run, its branch ending on a test point",
         [](Pair& f) {
             f.wire({130, 100}, {270, 100});
             add_junction(f.c, 200, 100);
             f.wire({200, 100}, {200, 160});
             add_test_point(f.c, 200, 160);
         },
         20, 30, false, {{130, 100}, {240, 100}, {240, 130}, {290, 130}}},
        {"a wire of 100 corners, no room for one more",
         [](Pair& f) {
             f.add("高低电平控制器", 100, 0);  // output tip (130, 0)
             P stairs{{130, 0}};  // down and right, entering the pin horizontally
             for (int i = 0; i < 50; ++i) stairs.push_back({132 + 2 * i, 2 * i}), stairs.push_back({132 + 2 * i, 2 * i + 2});
             stairs.push_back({270, 100});
             set_wire_points(f.c, add_wire(f.c, {130, 0}, {270, 100}), stairs);
         },
         0, 30, false, {}},
        {"the end back along its own run",
         [](Pair& f) {
             move_items(f.c, std::vector<std::string>{f.obj(f.g).name}, 0, 50, 0, 0);
             f.wire({130, 100}, {270, 150}, {{270, 100}});
         },
         -60, -50, false, {{130, 100}, {210, 100}}},
        // Halfway the wire is (130, 100) (200, 100); it could only go on as a wire of no length.
        {"the end onto the wire's fixed start", [](Pair& f) { f.wire({130, 100}, {270, 100}); }, -140, 0, true,
         {{130, 100}, {200, 100}}},
        {"corners far beyond the canvas (a damaged file)",
         [](Pair& f) { f.wire({130, 100}, {270, 100}, {{2147483640, 100}, {2147483640, 200}, {270, 200}}); }, 20, 30,
         false, {}},
        {"a pin on another component's pin, no junction there",
         [](Pair& f) {
             f.wire({130, 100}, {270, 100});
             f.add("发光二极管", 340, 100);  // input tip (320, 100): the inverter's output tip
         },
         0, 40, true, {{130, 100}, {270, 100}}},
    };
    for (const auto& t : cases) {
        Pair f;
        t.draw(f);
        ASSERT_EQ(test::bad_wire(f.c), "") << t.what;
        f.obj(f.s).param_int[0] = 1;  // high
        const auto nets = test::connections(f.c);
        const BendPoint tip = input_pin(f.obj(f.g), 0);
        ASSERT_TRUE(test::drag(f, f.g, t.dx, t.dy)) << t.what;
        EXPECT_EQ(test::connections(f.c), nets) << t.what;
        EXPECT_EQ(test::bad_wire(f.c), "") << t.what;
        // Refused, the inverter stays at the last place the wires could follow to.
        EXPECT_EQ(input_pin(f.obj(f.g), 0) == (BendPoint{tip.x + t.dx, tip.y + t.dy}), !t.refused) << t.what;
        EXPECT_EQ(f.ed.note, t.refused ? kDragRefused : "") << t.what;
        // Refused or not, each step draws the selection over the picture kept without it.
        const auto& calls = f.view.calls;
        const auto kept = std::find(calls.rbegin(), calls.rend(), "keep");
        EXPECT_NE(std::find(calls.rbegin(), kept, "redraw 3"), kept) << t.what;
        if (!t.wire0.empty()) {
            EXPECT_EQ(wire_points(f.c.wires[0]), t.wire0) << t.what;
        }
        // The reading the issue saw fall from 3.6 V to 0.0 V.
        for (int tp = 0; tp < f.c.test_point_count; ++tp) {
            f.start();
            f.run_passes(3);
            EXPECT_GT(f.c.test_points[tp].value, 2.0) << t.what;
        }
    }
}

// A junction dragged off the run of a wire, at a bend or between bends:
// the wire bends to it and the branch on it stays joined to the rest.
TEST(WireFollow, AJunctionDraggedOffAWireTakesTheWireAlong) {
    for (const BendPoint at : {BendPoint{200, 100}, BendPoint{200, 140}}) {
        Pair f;
        if (at.y == 100) f.wire({130, 100}, {270, 100});
        else f.wire({130, 100}, {270, 100}, {{200, 100}, {200, 140}, {240, 140}, {240, 100}});
        const int j = add_junction(f.c, at.x, at.y);
        f.wire(at, {at.x, at.y + 60});
        add_test_point(f.c, at.x, at.y + 60);
        f.obj(f.s).param_int[0] = 1;
        const auto nets = test::connections(f.c);
        f.c.selection.clear();
        f.press(at.x, at.y);
        ASSERT_EQ(f.c.selection, std::vector<std::string>{f.c.junctions[j].name});
        f.move(at.x + 10, at.y + 10);
        f.move(at.x + 20, at.y + 30);
        f.release(at.x + 20, at.y + 30);
        EXPECT_EQ((BendPoint{f.c.junctions[j].x, f.c.junctions[j].y}), (BendPoint{at.x + 20, at.y + 30}));
        EXPECT_EQ(test::connections(f.c), nets) << at.y;
        EXPECT_EQ(test::bad_wire(f.c), "") << at.y;
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
};

TEST(WireFollow, ADragTakesWireEndsAndPointsAlongAndIsOneUndoStep) {
    Board f;
    const std::string before = test::bytes_of(f.c);
    f.press(100, 100);  // selects the inverter
    f.move(110, 115);
    f.move(120, 130);   // 20 right, 30 down in all
    f.release(120, 130);
    f.history.commit(f.c);
    // Each wire jogs halfway, so both pins are still entered along their strokes.
    EXPECT_EQ(wire_points(f.c.wires[0]), (P{{20, 100}, {50, 100}, {50, 130}, {90, 130}}));
    EXPECT_EQ(wire_points(f.c.wires[1]), (P{{140, 130}, {170, 130}, {170, 100}, {200, 100}}));
    EXPECT_EQ(f.c.test_points[0].x, 140);
    EXPECT_EQ(f.c.test_points[0].y, 130);
    EXPECT_EQ(f.c.junctions[0].x, 200);  // not on a moved pin: stays
    EXPECT_TRUE(f.c.moving_along.empty());
    ASSERT_TRUE(f.history.undo(f.c));
    EXPECT_EQ(test::bytes_of(f.c), before);
    EXPECT_FALSE(f.history.can_undo());
    // Redone, the test point still sits on the output: an open input reads low.
    ASSERT_TRUE(f.history.redo(f.c));
    f.start();
    f.run_passes(3);
    EXPECT_GT(f.c.test_points[0].value, 2.0);
}

TEST(WireFollow, ADragThatComesBackLeavesTheWiresAsTheyWere) {
    Board f;
    const std::string before = test::bytes_of(f.c);
    f.press(100, 100);
    f.move(150, 170);
    f.move(100, 100);
    f.release(100, 100);
    EXPECT_EQ(test::bytes_of(f.c), before);
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
    // Entered along the turned strokes: from above and from below.
    EXPECT_EQ(wire_points(f.c.wires[0]), (P{{20, 100}, {20, 60}, {100, 60}, {100, 70}}));
    EXPECT_EQ(wire_points(f.c.wires[1]), (P{{100, 120}, {100, 130}, {200, 130}, {200, 100}}));
    EXPECT_EQ(f.c.test_points[0].x, 100);
    EXPECT_EQ(f.c.test_points[0].y, 120);
}

}  // namespace
}  // namespace vorlisk
