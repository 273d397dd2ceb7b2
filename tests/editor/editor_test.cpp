// The editor driven as the mouse drives it: wires and their tolerances,
// placement, selection, dragging, the clipboard and rotation.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/hit_test.h"
#include "model/catalogue.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk {
namespace {

using test::EditorFixture;

// A press at (x, y) with the wire tool, on a board holding an inverter at
// (200, 200) (input tip at (170, 200)) and a junction at (300, 300).
TEST(WireTool, StartsOnlyNearAPinOrJunction) {
    //  click x, y,  starts?  (start is the snapped click)
    const struct {
        int x, y;
        bool starts;
    } cases[] = {
        {174, 200, true},  {175, 200, false}, {170, 204, true},  {166, 196, true},
        {165, 200, false}, {302, 302, true},  {303, 300, false}, {300, 297, false},
    };
    for (auto t : cases) {
        EditorFixture f;
        f.add("非门", 200, 200);
        add_junction(f.c, 300, 300);
        f.tool("导线");
        f.click(t.x, t.y);
        EXPECT_EQ(Editor::wire_in_progress(f.c), t.starts) << t.x << "," << t.y;
        if (t.starts) {
            EXPECT_EQ(f.c.drawing_wire.x1, snap(t.x));
            EXPECT_EQ(f.c.drawing_wire.y1, snap(t.y));
        }
    }
}

TEST(WireTool, FreeEndIsHorizontalVerticalOrDiagonal) {
    //  reference (0, 0) to the snapped mouse -> free end
    const struct {
        int sx, sy, ex, ey;
    } cases[] = {
        {100, 10, 100, 0},    // mostly sideways: horizontal
        {10, 100, 0, 100},    // mostly down: vertical
        {100, 50, 50, 50},    // exactly on the limit: diagonal, as long as it is low
        {50, 40, 40, 40},     // diagonal, x shortened to the rise
        {-50, 40, -40, 40},
        {40, 50, 40, 40},     // diagonal, y shortened to the run
        {40, -50, 40, -40},
        {0, 0, 0, 0},
    };
    for (auto t : cases) {
        BendPoint e = constrained_end(0, 0, t.sx, t.sy);
        EXPECT_EQ(e.x, t.ex) << t.sx << "," << t.sy;
        EXPECT_EQ(e.y, t.ey) << t.sx << "," << t.sy;
    }
}

TEST(WireTool, DrawsACornerAndEndsOnAPinThatThenHearsTheDriver) {
    EditorFixture f;
    const int a = f.add("非门", 200, 200);  // output tip (220, 200)
    const int b = f.add("非门", 300, 300);  // input tip (270, 300)
    f.tool("导线");
    f.click(221, 201);
    f.move(221, 251);  // straight down to (220, 250): no pin there, a corner
    f.click(221, 251);
    f.move(272, 298);  // diagonal to (270, 300), the input
    f.click(272, 298);
    ASSERT_EQ(f.c.wire_count, 1);
    const MY_LINK& w = f.c.wires[0];
    EXPECT_EQ(w.name, "导线3");
    EXPECT_EQ(std::vector<int>({w.x1, w.y1, w.x2, w.y2}), std::vector<int>({220, 200, 270, 300}));
    ASSERT_EQ(w.bend_count, 1);
    EXPECT_EQ(w.bends[0], (BendPoint{220, 250}));
    EXPECT_FALSE(Editor::wire_in_progress(f.c));
    EXPECT_EQ(f.c.current_tool, "导线");
    // A's input is open (low), so A drives high, and B hears it.
    f.start();
    f.run_passes(3);
    EXPECT_GT(f.obj(a).out_v[0], kThreshold);
    EXPECT_GT(f.obj(b).in_v[0], kThreshold);
}

TEST(WireTool, AWireDrawnWhileRunningReachesTheNextPass) {
    EditorFixture f;
    const int sw = f.add("高低电平控制器", 100, 100);  // output tip (130, 100)
    const int led = f.add("发光二极管", 220, 100);      // input tip (200, 100)
    f.obj(sw).param_int[0] = 1;
    f.start();
    f.run_passes(2);
    ASSERT_LT(f.obj(led).in_v[0], kThreshold);
    f.tool("导线");
    f.click(130, 100);
    f.move(200, 100);
    f.click(200, 100);
    f.run_passes(2);
    EXPECT_GT(f.obj(led).in_v[0], kThreshold);
}

TEST(WireTool, RightClickDiscardsTheWireWithoutUsingASerial) {
    EditorFixture f;
    f.add("非门", 200, 200);
    f.tool("导线");
    f.click(220, 200);
    f.move(260, 200);
    f.click(260, 200);
    f.press(400, 400, false, MouseButton::right);
    f.release(400, 400, false, MouseButton::right);
    EXPECT_FALSE(Editor::wire_in_progress(f.c));
    EXPECT_EQ(f.c.wire_count, 0);
    EXPECT_EQ(f.c.next_serial, 1);
    EXPECT_EQ(f.c.current_tool, "");
}

TEST(WireTool, EndsOnAJunctionWithinFourPixels) {
    EditorFixture f;
    f.add("Vcc", 100, 100);  // its pin is inside its body
    add_junction(f.c, 200, 100);
    f.tool("导线");
    f.click(101, 101);
    ASSERT_TRUE(Editor::wire_in_progress(f.c));
    f.move(196, 100);  // snapped to (200, 100)
    f.click(196, 100);
    EXPECT_EQ(f.c.wire_count, 1);
}

// The wire in progress is shown over the picture, never drawn into it:
// whatever changes the circuit meanwhile, a move asks for the wire alone and
// never puts back a kept picture that would hide the change.
TEST(WireTool, MovesShowTheWireOverThePictureAsItIs) {
    const struct {
        const char* what;
        void (*change)(EditorFixture&, History&);
    } changes[] = {
        {"a gate placed with another tool", [](EditorFixture& f, History&) {
             f.tool("与门");
             f.click(400, 300);
         }},
        {"a gate selected with the select tool", [](EditorFixture& f, History&) {
             f.ed.choose_select_tool(f.c, f.view);
             f.click(200, 200);
         }},
        {"paste", [](EditorFixture& f, History&) {
             f.c.selection = {"非门 1"};
             f.ed.copy(f.c);
             f.ed.mouse_x = 400, f.ed.mouse_y = 400;
             f.ed.paste(f.c, f.view);
         }},
        {"delete", [](EditorFixture& f, History&) {
             f.c.selection = {"非门 1"};
             f.ed.remove(f.c, f.view);
         }},
        {"undo", [](EditorFixture& f, History& h) { h.undo(f.c); }},
    };
    for (const auto& t : changes) {
        EditorFixture f;
        History h;
        h.reset(f.c);
        f.add("非门", 200, 200);  // output tip (220, 200)
        h.commit(f.c);
        f.tool("导线");
        f.click(220, 200);
        f.view.calls.clear();
        f.move(260, 200);
        ASSERT_EQ(f.view.calls, std::vector<std::string>{"wire"});
        t.change(f, h);
        h.commit(f.c);
        f.tool("导线");
        ASSERT_TRUE(Editor::wire_in_progress(f.c)) << t.what;
        f.view.calls.clear();
        f.move(270, 200);
        EXPECT_EQ(f.view.calls, std::vector<std::string>{"wire"}) << t.what;
    }
}

TEST(TestPointTool, LabelsSkipThoseInUse) {
    EditorFixture f;
    for (int i = 0; i < 2; ++i) add_test_point(f.c, 100 + 20 * i, 100);
    f.c.test_points[1].label = "C";  // "A" and "C" with a count of 2: "C" is taken
    EXPECT_EQ(next_test_point_label(f.c), "D");
    EditorFixture g;
    g.tool("检测点");
    for (int i = 0; i < 27; ++i) g.click(50 + 20 * i, 400);
    ASSERT_EQ(g.c.test_point_count, 27);
    EXPECT_EQ(g.c.test_points[25].label, "Z");
    EXPECT_EQ(g.c.test_points[26].label, "T26");
    EXPECT_EQ(g.selection(), std::vector<std::string>({g.c.test_points[26].name}));
}

TEST(PlacementTool, PlacesBesideABodyAndSelectsOnIt) {
    EditorFixture f;
    f.tool("与门");
    f.click(104, 96);
    ASSERT_EQ(f.c.object_count, 1);
    EXPECT_EQ(f.obj(0).x, 100);
    EXPECT_EQ(f.obj(0).y, 100);
    EXPECT_EQ(f.selection(), std::vector<std::string>({"与门 1"}));
    f.click(70, 90);  // on input 0's stroke, outside the body: another gate
    EXPECT_EQ(f.c.object_count, 2);
    f.click(100, 100);  // inside the first gate's body: selects it instead
    EXPECT_EQ(f.c.object_count, 2);
    EXPECT_EQ(f.c.current_tool, "");
    EXPECT_EQ(f.selection(), std::vector<std::string>({"与门 1"}));
}

TEST(PlacementTool, PressDragPlacesAndMovesInGridSteps) {
    EditorFixture f;
    f.tool("非门");
    f.press(100, 100);
    f.move(113, 100);  // 1.3 cells: one step
    f.move(127, 134);
    f.release(127, 134);
    ASSERT_EQ(f.c.object_count, 1);
    EXPECT_EQ(f.obj(0).x, 130);
    EXPECT_EQ(f.obj(0).y, 130);
}

TEST(AnnotationTool, CentresTheTextOrCreatesNothingOnCancel) {
    for (bool confirm : {true, false}) {
        EditorFixture f;
        f.view.confirm_annotation = confirm;
        f.tool("注释");
        f.press(301, 207);
        EXPECT_FALSE(f.ed.mouse_down) << "the dialog took the release";
        EXPECT_EQ(f.c.current_tool, "");
        ASSERT_EQ(f.c.annotation_count, confirm ? 1 : 0);
        if (!confirm) continue;
        const ZHU_SHI_S& a = f.c.annotations[0];
        EXPECT_EQ(a.name, "注释1");
        EXPECT_EQ(a.x, 301 - 30);
        EXPECT_EQ(a.y, 207 - 8);
        EXPECT_EQ(f.selection(), std::vector<std::string>({"注释1"}));
    }
}

TEST(Selection, CtrlClickTogglesAndAPlainClickKeepsAGroup) {
    EditorFixture f;
    f.add("非门", 100, 100);
    f.add("非门", 200, 100);
    f.click(100, 100);
    f.click(200, 100, true);
    EXPECT_EQ(f.selection(), std::vector<std::string>({"非门 1", "非门 2"}));
    f.click(100, 100);  // already selected: the group stays for a drag
    EXPECT_EQ(f.selection().size(), 2u);
    f.click(100, 100, true);
    EXPECT_EQ(f.selection(), std::vector<std::string>({"非门 2"}));
    f.click(80, 80);  // on the body's edge: strict, so nothing is hit
    EXPECT_TRUE(f.selection().empty());
    add_junction(f.c, 500, 500);
    f.ed.select_all(f.c, f.view);
    EXPECT_EQ(f.selection(), std::vector<std::string>({"非门 1", "非门 2", "焊接点3"}));
}

TEST(Selection, RubberBandCountsBodyEdgesButNotPointsOnItsEdge) {
    //  band corners (dragged either way) around a gate at (100, 100), body (80..110, 80..120),
    //  and a junction at (150, 100): which are selected
    const struct {
        int x1, y1, x2, y2;
        bool gate, junction;
    } cases[] = {
        {80, 80, 150, 120, true, false},   // body edges on the band: in; junction on its edge: out
        {151, 121, 79, 79, true, true},    // dragged up and left
        {81, 80, 200, 120, false, true},   // one pixel short of the body
    };
    for (auto t : cases) {
        EditorFixture f;
        f.add("非门", 100, 100);
        add_junction(f.c, 150, 100);
        f.press(t.x1, t.y1);
        f.move(t.x2, t.y2);
        f.release(t.x2, t.y2);
        EXPECT_EQ(find_selected(f.c, "非门 1") >= 0, t.gate) << t.x1 << "," << t.y1;
        EXPECT_EQ(find_selected(f.c, "焊接点2") >= 0, t.junction) << t.x1 << "," << t.y1;
    }
}

TEST(Dragging, MovesInGridStepsAndLeavesUnselectedWiresBehind) {
    EditorFixture f;
    f.ed.wires_follow = false;  // as before wires followed
    const int g = f.add("非门", 100, 100);
    f.wire(output_pin(f.obj(g), 0), {200, 100});
    f.press(100, 100);
    f.move(114, 106);
    f.move(136, 117);
    f.release(136, 117);
    EXPECT_EQ(f.obj(g).x, 140);
    EXPECT_EQ(f.obj(g).y, 120);
    EXPECT_EQ(f.c.wires[0].x1, 120);  // still where the pin was
    EXPECT_EQ(f.c.wires[0].y1, 100);
}

TEST(Clipboard, PasteShiftsByWholeCellsUnderNewNamesAndStaysWired) {
    EditorFixture f;
    const int a = f.add("非门", 100, 100);
    const int b = f.add("发光二极管", 200, 100);
    f.wire(output_pin(f.obj(a), 0), input_pin(f.obj(b), 0));
    add_test_point(f.c, 150, 100);
    f.c.selection = {"非门 1", "发光二极管 2", "导线3", "检测点4"};
    f.ed.mouse_x = 100, f.ed.mouse_y = 100;
    f.ed.copy(f.c);
    f.ed.mouse_x = 335, f.ed.mouse_y = 188;
    f.ed.paste(f.c, f.view);
    ASSERT_EQ(f.c.object_count, 4);
    EXPECT_EQ(f.obj(2).name, "非门 5");
    EXPECT_EQ(f.obj(2).x, 330);
    EXPECT_EQ(f.obj(2).y, 180);
    EXPECT_EQ(f.c.wires[1].name, "导线 7");
    EXPECT_EQ(f.c.test_points[1].name, "检测点 8");
    EXPECT_EQ(f.c.test_points[1].label, "B");
    EXPECT_EQ(f.c.clip_test_points[0].label, "A");
    EXPECT_EQ(f.selection(), std::vector<std::string>({"非门 5", "发光二极管 6", "导线 7", "检测点 8"}));
    f.start();
    f.run_passes(3);
    EXPECT_GT(f.obj(3).in_v[0], kThreshold) << "the pasted LED hears the pasted inverter";
}

TEST(Clipboard, DeleteKeepsTheOrderOfTheRest) {
    EditorFixture f;
    for (int i = 0; i < 5; ++i) f.add("非门", 100 + 60 * i, 100);
    f.c.selection = {"非门 4", "非门 2"};
    f.ed.remove(f.c, f.view);
    ASSERT_EQ(f.c.object_count, 3);
    EXPECT_EQ(f.obj(0).name, "非门 1");
    EXPECT_EQ(f.obj(1).name, "非门 3");
    EXPECT_EQ(f.obj(2).name, "非门 5");
    EXPECT_TRUE(f.obj(3).kind.empty());
    EXPECT_TRUE(f.selection().empty());
}

TEST(Editing, PositionsStayWithinSixteenBits) {
    EditorFixture f;
    const int g = f.add("非门", 32000, 100);
    f.c.selection = {f.obj(g).name};
    EXPECT_FALSE(move_items(f.c, f.c.selection, 800, 0, 0, 0));
    EXPECT_EQ(f.obj(g).x, 32000);
    f.ed.mouse_x = 0;
    f.ed.copy(f.c);
    f.ed.mouse_x = 1000;
    f.ed.paste(f.c, f.view);
    EXPECT_EQ(f.c.object_count, 1) << "a paste past the edge adds nothing";
    f.obj(g).x = -32760;
    EXPECT_FALSE(scroll_to(f.c, 1, 0));
    EXPECT_EQ(f.c.scroll_h, 0);
}

// Offsets of every kind after turns; texts stay upright.
std::vector<int> geometry(const MY_BASE_OBJ& o) {
    std::vector<int> g = {o.body_rect.left, o.body_rect.top, o.body_rect.right, o.body_rect.bottom,
                          o.outline_rect.left, o.outline_rect.top, o.outline_rect.right, o.outline_rect.bottom};
    for (int k = 0; k < kMaxPins; ++k)
        g.insert(g.end(), {o.in_dx[k], o.in_dy[k], o.in_stub_dx[k], o.in_stub_dy[k], o.out_dx[k], o.out_dy[k],
                           o.out_stub_dx[k], o.out_stub_dy[k]});
    for (int k = 0; k < kMaxShapes; ++k)
        g.insert(g.end(), {o.lines[k].x1, o.lines[k].y1, o.lines[k].x2, o.lines[k].y2, o.bubbles[k].dx,
                           o.bubbles[k].dy, o.label_pos[k].dx, o.label_pos[k].dy});
    return g;
}

TEST(Rotation, FourTurnsOrATurnEachWayRestoreEveryKind) {
    EditorFixture f;
    std::vector<std::string> kinds;
    for (const KindInfo& k : kind_catalogue()) kinds.emplace_back(k.kind);
    kinds.push_back("集成芯片组合逻辑(74LS138)");
    for (const std::string& kind : kinds) {
        const int i = f.add(kind, 300, 300);
        const std::vector<std::string> one = {f.obj(i).name};
        const std::vector<int> before = geometry(f.obj(i));
        rotate_items(f.c, one, 0);
        EXPECT_EQ(f.obj(i).rotation, contains(kind, "数码管") ? 0 : 1) << kind << " turns unless it is a display";
        for (int t = 0; t < 3; ++t) rotate_items(f.c, one, 0);
        EXPECT_EQ(geometry(f.obj(i)), before) << kind;
        EXPECT_EQ(f.obj(i).rotation, 0) << kind;
        rotate_items(f.c, one, 0);
        rotate_items(f.c, one, 1);
        EXPECT_EQ(geometry(f.obj(i)), before) << kind;
    }
}

TEST(Rotation, OneClockwiseTurnByHand) {
    EditorFixture f;
    const int i = f.add("非门", 100, 100);  // body (-20,-20,10,20), input (-30,0)
    rotate_items(f.c, std::vector<std::string>{"非门 1", "非门 1"}, 0);  // listed twice: two turns
    EXPECT_EQ(f.obj(i).rotation, 2);
    EXPECT_EQ(f.obj(i).in_dx[0], 30);
    rotate_items(f.c, std::vector<std::string>{"非门 1"}, 1);
    EXPECT_EQ(f.obj(i).rotation, 1);
    EXPECT_EQ(f.obj(i).body_rect, (Rect32{-20, -20, 20, 10}));
    EXPECT_EQ(f.obj(i).in_dx[0], 0);
    EXPECT_EQ(f.obj(i).in_dy[0], -30);
}

// A double click is its second press followed by the double click. Only the
// left button acts; a level switch toggles, the select tool opens the
// dialog of any other component, test point or annotation; wires,
// junctions and placing tools open none.
TEST(DoubleClick, LeftButtonTogglesASwitchOrOpensTheItemsDialog) {
    const struct {
        const char* what;
        MouseButton button;
        const char* tool;
        int x, y;
        bool toggled, dialog;
        std::vector<std::string> selection;  // after, when a dialog opens
    } cases[] = {
        {"left on the switch", MouseButton::left, "", 100, 100, true, false, {}},
        {"middle on the switch", MouseButton::middle, "", 100, 100, false, false, {}},
        {"right on the switch", MouseButton::right, "", 100, 100, false, false, {}},
        {"left on a gate", MouseButton::left, "", 300, 100, false, true, {"与门 2"}},
        {"left on a test point", MouseButton::left, "", 400, 300, false, true, {"检测点4"}},
        {"left on an annotation", MouseButton::left, "", 505, 302, false, true, {"注释5"}},
        {"middle on a gate", MouseButton::middle, "", 300, 100, false, false, {}},
        {"left on a wire", MouseButton::left, "", 200, 200, false, false, {}},
        {"left on a gate with a placing tool", MouseButton::left, "与门", 300, 100, false, false, {}},
    };
    for (const auto& t : cases) {
        EditorFixture f;
        const int s = f.add("高低电平控制器", 100, 100);
        f.add("与门", 300, 100);
        f.wire({150, 200}, {250, 200});
        add_test_point(f.c, 400, 300);
        ZHU_SHI_S note;
        note.text_lines = {"注释"};
        note.width = 40, note.height = 20;
        add_annotation(f.c, note, 500, 300);
        f.c.selection = {"导线3"};
        f.tool(t.tool);
        f.press(t.x, t.y, false, t.button);
        f.ed.double_click(f.c, f.view, t.button);
        EXPECT_EQ(f.obj(s).param_int[0], t.toggled ? 1 : 0) << t.what;
        const bool dialog = std::count(f.view.calls.begin(), f.view.calls.end(), "properties") > 0;
        EXPECT_EQ(dialog, t.dialog) << t.what;
        if (t.dialog) {
            EXPECT_EQ(f.c.selection, t.selection) << t.what;
            EXPECT_FALSE(f.ed.mouse_down) << t.what << ": the release went to the dialog";
        }
    }
}

TEST(DoubleClick, TogglesALevelSwitchOnly) {
    EditorFixture f;
    const int s = f.add("高低电平控制器", 100, 100);
    f.ed.mouse_x = 100, f.ed.mouse_y = 100;
    f.ed.double_click(f.c, f.view, MouseButton::left);
    EXPECT_EQ(f.obj(s).param_int[0], 1);
    EXPECT_EQ(f.view.calls.back(), "redraw 0");
    f.c.running = 1;
    f.ed.double_click(f.c, f.view, MouseButton::left);
    EXPECT_EQ(f.obj(s).param_int[0], 0);
    EXPECT_EQ(f.obj(s).dirty, 1) << "while running the switch repaints at the next refresh";
}

}  // namespace
}  // namespace vorlisk
