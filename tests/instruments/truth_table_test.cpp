// The truth-table recorder: columns from the slots, cells by voltage, the
// on-change rule over real passes, default items, the record-items
// translation between labels and names, and the exported text.
#include <gtest/gtest.h>

#include "instruments/truth_table.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

// Three test points A, B, C at free spots (they read the undriven level).
void three_points(Harness& h) {
    for (int k = 0; k < 3; ++k) add_test_point(h.c, 500 + 50 * k, 500);
}

std::vector<std::string> row(const TruthTable& t, size_t r) {
    std::vector<std::string> cells;
    for (int col = 0; col < t.columns(); ++col) cells.emplace_back(cell_text(t.cell(r, col)));
    return cells;
}

TEST(TruthTable, ColumnsRunToTheLastUsedSlotAndEmptySlotsRecordNothing) {
    Harness h;
    three_points(h);
    RecordSlots slots;
    slots[0] = h.c.test_points[0].name;
    slots[2] = h.c.test_points[2].name;
    TruthTable t;
    t.clear_table(h.c, slots);
    ASSERT_EQ(t.columns(), 3);
    EXPECT_EQ(t.label(0), "A");
    EXPECT_EQ(t.label(1), "");
    EXPECT_EQ(t.label(2), "C");
    h.c.test_points[0].value = 3.6;
    h.c.test_points[2].value = 0.0;
    t.record_row(h.c);
    EXPECT_EQ(row(t, 0), (std::vector<std::string>{"1", "", "0"}));

    RecordSlots none;
    t.clear_table(h.c, none);
    EXPECT_EQ(t.columns(), 0);
    EXPECT_EQ(t.rows(), 0u);
}

TEST(TruthTable, CellsByVoltage) {
    //   reading (V), cell
    const std::pair<double, const char*> cases[] = {
        {3.6, "1"}, {0.0, "0"}, {2.0, "╳"}, {2.01, "1"}, {1.99, "0"},
        {5.5, "╳"}, {-0.5, "╳"}, {-0.49, "0"}, {-2.0, "╳"},
    };
    for (auto [v, text] : cases) EXPECT_EQ(cell_text(cell_for(v)), text) << v << " V";
}

TEST(TruthTable, AColumnWhoseLabelNoLongerExistsRecordsCross) {
    Harness h;
    three_points(h);
    RecordSlots slots{h.c.test_points[0].name, h.c.test_points[1].name};
    TruthTable t;
    t.clear_table(h.c, slots);
    set_test_point_label(h.c, 1, "X");  // column 2 still says "B"
    t.record_row(h.c);
    EXPECT_EQ(row(t, 0), (std::vector<std::string>{"0", "╳"}));
    set_test_point_label(h.c, 0, "B");  // now the first test point carries "B"
    h.c.test_points[0].value = 3.6;
    t.record_row(h.c);
    EXPECT_EQ(row(t, 1), (std::vector<std::string>{"╳", "1"})) << "a column reads the first test point with its label";
}

// Two level switches, each with a test point on its output.
struct Switches {
    Harness h;
    int s1, s2;
    Switches() {
        s1 = h.add("高低电平控制器", 100, 100);
        s2 = h.add("高低电平控制器", 100, 200);
        add_test_point(h.c, output_pin(h.obj(s1), 0).x, output_pin(h.obj(s1), 0).y);
        add_test_point(h.c, output_pin(h.obj(s2), 0).x, output_pin(h.obj(s2), 0).y);
        set_default_items(h.c, h.c.table_items);
    }
};

TEST(TruthTable, OnChangeRecordsOneRowPerStepThatChangedAnything) {
    Switches s;
    Harness& h = s.h;
    TruthTable t;
    t.clear_table(h.c, h.c.table_items);
    PassHooks hooks;
    hooks.record_table = [&] { record_on_change(h.c, h.c.table_items, t); };
    h.start();
    run_pass(h.c, hooks);
    EXPECT_EQ(t.rows(), 1u) << "the first step after New records: every previous reading is -2";
    for (int p = 0; p < 5; ++p) run_pass(h.c, hooks);
    EXPECT_EQ(t.rows(), 1u) << "steady readings record nothing";
    toggle_level_switch(h.c, s.s1);
    toggle_level_switch(h.c, s.s2);
    for (int p = 0; p < 5; ++p) run_pass(h.c, hooks);
    ASSERT_EQ(t.rows(), 2u) << "both points changed in one step: one row";
    EXPECT_EQ(row(t, 0), (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(row(t, 1), (std::vector<std::string>{"1", "1"}));
}

TEST(RecordSlots, DefaultItemsTakeTheFirstTestPoints) {
    //   test points in the circuit, slots filled by the defaults
    for (auto [points, filled] : {std::pair{0, 0}, {3, 3}, {20, 16}}) {
        Harness h;
        for (int k = 0; k < points; ++k) add_test_point(h.c, 100 + 20 * k, 100);
        RecordSlots slots;
        for (int i = 8; i < 16; ++i) slots[i] = "检测点99";
        ASSERT_TRUE(first_eight_empty(slots)) << "slots 8 to 15 alone count as no choice";
        set_default_items(h.c, slots);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(slots[i], i < filled ? h.c.test_points[i].name : "") << points << " points, slot " << i;
    }
}

TEST(RecordSlots, LabelsShownNamesStored) {
    Harness h;
    three_points(h);
    set_test_point_label(h.c, 2, "A");  // two test points labelled "A"
    EXPECT_EQ(slot_for_label(h.c, "A"), h.c.test_points[0].name) << "either entry stores the first one";
    EXPECT_EQ(entry_for_slot(h.c, h.c.test_points[0].name), 1);
    EXPECT_EQ(entry_for_slot(h.c, h.c.test_points[1].name), 2);
    EXPECT_EQ(entry_for_slot(h.c, h.c.test_points[2].name), -1) << "the second \"A\" is never shown as chosen";
    EXPECT_EQ(entry_for_slot(h.c, "检测点404"), -1) << "a deleted test point: no selection";
    EXPECT_EQ(slot_for_label(h.c, ""), "");
    EXPECT_EQ(item_entries(h.c), (std::vector<std::string>{"", "A", "B", "A"}));
}

TEST(TruthTableExport, CsvAndClipboardText) {
    Harness h;
    three_points(h);
    set_test_point_label(h.c, 2, "C,\"x\"");
    RecordSlots slots{h.c.test_points[0].name, "", h.c.test_points[2].name};
    TruthTable t;
    t.clear_table(h.c, slots);
    t.record_row(h.c);
    h.c.test_points[0].value = 3.6;
    t.record_row(h.c);
    EXPECT_EQ(t.csv(), "\xEF\xBB\xBF" "A,,\"C,\"\"x\"\"\"\r\n0,,0\r\n1,,0\r\n");
    EXPECT_EQ(t.tsv(), "A\t\tC,\"x\"\n0\t\t0\n1\t\t0\n");
}

}  // namespace
}  // namespace vorlisk
