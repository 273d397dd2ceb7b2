// The levels the canvas shows on wires, junctions and pins while running:
// a switch drives an inverter, one wire is left hanging.
#include <gtest/gtest.h>

#include "engine/net_queries.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

TEST(NetLevels, FollowTheDriversAndListOnlyTheNetsThatChanged) {
    test::Harness h;
    const int s = h.add("高低电平控制器", 100, 100);
    const int g = h.add("非门", 300, 100);
    h.wire(output_pin(h.obj(s), 0), input_pin(h.obj(g), 0));    // wire 0: switch -> inverter
    h.wire(output_pin(h.obj(g), 0), {400, 100});                 // wire 1: inverter out
    h.wire({100, 300}, {200, 300});                              // wire 2: hangs free
    add_junction(h.c, 400, 100);
    h.start();
    h.run_passes(3);
    NetLevels levels;
    ASSERT_TRUE(levels.update(h.c));
    //  the switch starts low
    EXPECT_EQ(levels.wire(h.c, 0), NetLevel::low);
    EXPECT_EQ(levels.wire(h.c, 1), NetLevel::high);
    EXPECT_EQ(levels.wire(h.c, 2), NetLevel::none);
    EXPECT_EQ(levels.junction(h.c, 0), NetLevel::high);
    EXPECT_EQ(levels.output(h.c, s, 0), NetLevel::low);
    EXPECT_EQ(levels.input(h.c, g, 0), NetLevel::low);

    h.run_passes(2);
    EXPECT_FALSE(levels.update(h.c));  // nothing changed: nothing to repaint

    toggle_level_switch(h.c, s);
    h.run_passes(3);
    ASSERT_TRUE(levels.update(h.c));
    EXPECT_EQ(levels.changed.size(), 2u);  // the switch's net and the inverter's
    EXPECT_EQ(levels.wire(h.c, 0), NetLevel::high);
    EXPECT_EQ(levels.wire(h.c, 1), NetLevel::low);
    EXPECT_EQ(levels.wire(h.c, 2), NetLevel::none);
}

}  // namespace
}  // namespace vorlisk
