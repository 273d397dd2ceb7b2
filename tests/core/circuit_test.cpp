// The reset to an empty circuit and the lookups by name.
#include <gtest/gtest.h>

#include "model/circuit.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

TEST(NewCircuit, ResetLevelsFollowNetAndOutputModes) {
    //   net_mode, out_init_mode, expected in_v, expected out_v
    const struct {
        int net, out;
        float in_v, out_v;
    } cases[] = {{0, 0, 0.5f, 0.5f}, {1, 0, 3.6f, 0.5f}, {2, 1, 0.5f, 3.6f}, {3, 2, 3.6f, 0.5f}, {1, 1, 3.6f, 3.6f}};
    for (auto t : cases) {
        Harness h;
        h.c.net_mode = t.net;
        h.c.out_init_mode = t.out;
        new_circuit(h.c);
        for (int i : {0, 500, 999}) {
            const MY_BASE_OBJ& o = h.c.objects[i];
            for (int k : {0, 31}) {
                EXPECT_EQ(o.in_v[k], t.in_v) << "net_mode " << t.net;
                EXPECT_EQ(o.prev_in_v[k], t.in_v);
                EXPECT_EQ(o.out_v[k], t.out_v) << "out_init_mode " << t.out;
                EXPECT_EQ(o.prev_out_v[k], t.out_v);
            }
        }
        EXPECT_EQ(h.c.net_mode, t.net) << "the reset keeps the mode";
    }
}

TEST(NewCircuit, ClearsTablesAndSettingsButKeepsTheKeptOnes) {
    Harness h;
    h.add("与门");
    add_test_point(h.c, 10, 10);
    h.c.clip_object_count = 3;
    h.c.virtual_time = 1;
    h.c.time_step = 0.5;
    h.c.device_delay = 7;
    h.c.modified = true;
    h.c.file_name = "x";
    h.c.current_tool = "与门";
    h.c.table_items[3] = "检测点2";
    h.c.table_record_mode = "状态改变时记录";
    h.c.draw.back_color = 1;
    h.c.default_symbol_style = 1;
    h.c.file_real_1 = 42;
    h.c.trace_scale = 8;
    h.c.selection = {"与门 1"};
    new_circuit(h.c);
    EXPECT_EQ(h.c.object_count, 0);
    EXPECT_EQ(h.c.test_point_count, 0);
    EXPECT_EQ(h.c.test_points[0].prev_value, -2.0);
    EXPECT_EQ(h.c.clip_object_count, 0);
    EXPECT_EQ(h.c.next_serial, 0);
    EXPECT_EQ(h.c.virtual_time, 0);
    EXPECT_EQ(h.c.time_step, 0.001);
    EXPECT_EQ(h.c.device_delay, 1);
    EXPECT_EQ(h.c.step_counter, 1);
    EXPECT_FALSE(h.c.modified);
    EXPECT_EQ(h.c.file_name, "");
    EXPECT_EQ(h.c.current_tool, "");
    EXPECT_EQ(h.c.table_items[3], "");
    EXPECT_EQ(h.c.table_record_mode, "手动记录");
    EXPECT_EQ(h.c.trace_record_mode, "时序记录");
    EXPECT_EQ(h.c.draw, reset_draw_settings());
    EXPECT_EQ(h.c.objects[0].symbol_style, 1) << "records take the default symbol style";
    EXPECT_EQ(h.c.file_real_1, 42);
    EXPECT_EQ(h.c.trace_scale, 8);
    EXPECT_EQ(h.c.selection.size(), 1u);
    EXPECT_EQ(h.c.annotations[0].font_height, -16);
    EXPECT_EQ(h.c.annotations[0].font_color, 0x800000);
}

TEST(Lookups, FirstMatchWinsAndEmptyTablesFindNothing) {
    Harness h;
    EXPECT_EQ(find_object(h.c, ""), -1) << "every empty slot has an empty name, but the count is 0";
    h.add("与门");
    h.add("或门");
    h.obj(1).name = h.obj(0).name;
    EXPECT_EQ(find_object(h.c, "与门 1"), 0);
    EXPECT_EQ(find_object(h.c, "与门"), -1) << "exact match only";
    add_test_point(h.c, 0, 0);
    add_test_point(h.c, 10, 0);
    h.c.test_points[1].label = "A";
    EXPECT_EQ(find_test_point_by_label(h.c, "A"), 0);
    EXPECT_EQ(find_test_point(h.c, h.c.test_points[1].name), 1);
    h.c.selection = {"a", "b"};
    EXPECT_EQ(find_selected(h.c, "b"), 1);
    EXPECT_EQ(find_selected(h.c, "c"), -1);
}

TEST(TestPointLabels, SkipLabelsInUseAndTurnToNumbersAfterZ) {
    Harness h;
    add_test_point(h.c, 0, 0);
    add_test_point(h.c, 10, 0);
    h.c.test_points[1].label = "C";  // labels "A" and "C", count 2
    EXPECT_EQ(next_test_point_label(h.c), "D");
    for (int i = 2; i < 26; ++i) add_test_point(h.c, 20 + 10 * i, 0);
    for (int i = 0; i < 26; ++i) h.c.test_points[i].label = std::string(1, char('A' + i));
    EXPECT_EQ(h.c.test_point_count, 26);
    EXPECT_EQ(next_test_point_label(h.c), "T26");
}

TEST(Scrolling, MovesEveryRecordAndBack) {
    Harness h;
    int g = h.add("与门", 200, 200);
    add_wire(h.c, {100, 100}, {200, 100}, std::vector<BendPoint>{{150, 100}});
    add_junction(h.c, 300, 300);
    add_test_point(h.c, 400, 400);
    scroll_to(h.c, 1, 2);
    EXPECT_EQ(h.obj(g).x, 190);
    EXPECT_EQ(h.obj(g).y, 180);
    EXPECT_EQ(h.c.wires[0].x1, 90);
    EXPECT_EQ(h.c.wires[0].bends[0].y, 80);
    EXPECT_EQ(h.c.junctions[0].x, 290);
    EXPECT_EQ(h.c.test_points[0].y, 380);
    scroll_to(h.c, 0, 0);
    EXPECT_EQ(h.obj(g).x, 200);
    EXPECT_EQ(h.c.wires[0].bends[0].x, 150);
    EXPECT_EQ(h.c.test_points[0].y, 400);
    scroll_to(h.c, 500, -3);
    EXPECT_EQ(h.c.scroll_h, 101) << "positions stay within the scroll range";
    EXPECT_EQ(h.c.scroll_v, 0);
}

}  // namespace
}  // namespace vorlisk
