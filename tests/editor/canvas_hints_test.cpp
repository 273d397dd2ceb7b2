// What the canvas shows under the cursor: the ring on the pin a wire click
// would take, the outline a placing tool follows with, and the tooltips.
#include <gtest/gtest.h>

#include "editor/canvas_hints.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk {
namespace {

using test::EditorFixture;

TEST(CanvasHints, TheRingMarksWhereAWireClickWouldStartOrEnd) {
    // An inverter at (200, 200): input tip (170, 200); a junction at (300, 300).
    //  mouse,   wire in progress?  -> ring at (none: -1)
    const struct {
        int x, y;
        bool drawing;
        int rx, ry;
    } cases[] = {
        {174, 200, false, 170, 200},  // within the start tolerance of a pin
        {175, 200, false, -1, -1},    // 5 px: a click would start nothing
        {302, 302, false, 300, 300},  // junction: within 2 px to start
        {303, 300, false, -1, -1},
        {200, 200, false, -1, -1},    // inside the body: a click selects
        {172, 203, true, 170, 200},   // drawing from (170, 250): the free end, straight up, is on the pin
        {303, 303, true, -1, -1},     // mostly sideways: the free end (300, 250) is far from the junction
    };
    for (auto t : cases) {
        EditorFixture f;
        f.add("非门", 200, 200);
        add_junction(f.c, 300, 300);
        f.tool("导线");
        if (t.drawing) {
            f.c.drawing_wire.name = "temp_link";
            f.c.drawing_wire.kind = "导线";
            f.c.drawing_wire.x1 = f.c.drawing_wire.x2 = 170;
            f.c.drawing_wire.y1 = f.c.drawing_wire.y2 = 250;
        }
        f.move(t.x, t.y);
        const auto ring = f.ed.hover_anchor;
        EXPECT_EQ(ring.has_value(), t.rx >= 0) << t.x << "," << t.y;
        if (ring && t.rx >= 0) {
            EXPECT_EQ(ring->x, t.rx) << t.x << "," << t.y;
            EXPECT_EQ(ring->y, t.ry) << t.x << "," << t.y;
        }
    }
}

TEST(CanvasHints, TheOutlineIsWhereTheClickPlacesTheComponent) {
    for (std::string_view kind : {"与非门", "发光二极管", "集成芯片时序逻辑(74LS161)", "数码管"}) {
        EditorFixture f;
        f.tool(kind);
        f.move(243, 187);
        ASSERT_TRUE(f.ed.hover_outline.has_value()) << kind;
        const Rect32 shown = *f.ed.hover_outline;
        EXPECT_EQ(f.c.object_count, 0) << "the outline places nothing";
        const int serial = f.c.next_serial;
        f.click(243, 187);
        EXPECT_EQ(serial + 1, f.c.next_serial);
        ASSERT_EQ(f.c.object_count, 1) << kind;
        const MY_BASE_OBJ& o = f.obj(0);
        EXPECT_EQ(shown, (Rect32{o.x + o.outline_rect.left, o.y + o.outline_rect.top, o.x + o.outline_rect.right,
                                 o.y + o.outline_rect.bottom}))
            << kind;
    }
}

TEST(CanvasHints, TooltipsNameChipPinsByTheirDatasheetNames) {
    EditorFixture f;
    const int chip = f.add("集成芯片时序逻辑(74LS161)", 300, 300);
    const int gate = f.add("非门", 100, 100);
    // Pin 15 (RCO) and pin 2 (CLK) of the counter, found by their tips.
    auto tip_of_pin = [&](int pin) {
        const MY_CHIPS& def = f.c.chip_table[find_chip_def(f.c, "74LS161")];
        const ChipPin& p = def.pins[pin - 1];
        return p.role == 1 ? input_pin(f.obj(chip), p.index) : output_pin(f.obj(chip), p.index);
    };
    const BendPoint rco = tip_of_pin(15), clk = tip_of_pin(2);
    EXPECT_EQ(hover_text(f.c, rco.x, rco.y), "15 RCO");
    EXPECT_EQ(hover_text(f.c, clk.x, clk.y), "2 CLK");
    const BendPoint in = input_pin(f.obj(gate), 0);
    EXPECT_EQ(hover_text(f.c, in.x, in.y), f.obj(gate).name + "：输入 1");
    EXPECT_EQ(hover_text(f.c, 100, 100), f.obj(gate).name + "\n种类：非门");
    EXPECT_EQ(hover_text(f.c, 600, 600), "");
}

}  // namespace
}  // namespace vorlisk
