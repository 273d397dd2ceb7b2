// Undo and redo restore the document exactly; `modified` follows what is
// on disk; the history stays within its memory budget on a full circuit.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/circuit_file.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk {
namespace {

using test::EditorFixture;

// What a save would write: the whole document, as the oracle of "exactly".
std::string file_bytes(const Circuit& c) {
    std::string out;
    EXPECT_TRUE(bool(circuit_bytes(c, out)));
    return out;
}

struct HistoryFixture : EditorFixture {
    History history;

    HistoryFixture() {
        const int a = add("非门", 100, 100);
        const int b = add("发光二极管", 200, 100);
        wire(output_pin(obj(a), 0), input_pin(obj(b), 0), {{150, 140}});
        add_test_point(c, 150, 140);
        ZHU_SHI_S note;
        note.text_lines = {"半加器", "第二行"};
        note.width = 50, note.height = 35;
        add_annotation(c, note, 300, 300);
        history.reset(c);
    }
};

TEST(History, UndoAndRedoRestoreTheDocumentExactly) {
    // Each edit is done through the editor as a user does it.
    const struct {
        const char* what;
        void (*edit)(HistoryFixture&);
    } edits[] = {
        {"paste", [](HistoryFixture& f) {
             f.c.selection = {"非门 1", "导线3", "检测点4", "注释5"};
             f.ed.copy(f.c);
             f.ed.mouse_x = 400, f.ed.mouse_y = 200;
             f.ed.paste(f.c, f.view);
         }},
        {"move", [](HistoryFixture& f) {
             f.press(100, 100);
             f.c.selection.push_back("注释5");
             f.move(130, 117);
             f.release(130, 117);
         }},
        {"delete", [](HistoryFixture& f) {
             f.c.selection = {"非门 1", "检测点4"};
             f.ed.remove(f.c, f.view);
         }},
        {"rotate", [](HistoryFixture& f) {
             f.c.selection = {"非门 1"};
             f.ed.rotate(f.c, f.view, 0);
         }},
    };
    for (auto e : edits) {
        HistoryFixture f;
        const std::string before = file_bytes(f.c);
        e.edit(f);
        const std::string after = file_bytes(f.c);
        ASSERT_NE(before, after) << e.what;
        ASSERT_TRUE(f.history.commit(f.c)) << e.what;
        ASSERT_TRUE(f.history.undo(f.c)) << e.what;
        EXPECT_EQ(file_bytes(f.c), before) << e.what;
        EXPECT_FALSE(f.c.modified) << e.what << ": back to what is on disk";
        ASSERT_TRUE(f.history.redo(f.c)) << e.what;
        EXPECT_EQ(file_bytes(f.c), after) << e.what;
        EXPECT_TRUE(f.c.modified) << e.what;
    }
}

TEST(History, ClicksThatChangeNothingLeaveTheCircuitUnmodified) {
    HistoryFixture f;
    f.ed.mouse_x = 100, f.ed.mouse_y = 100;
    f.ed.double_click(f.c, f.view, MouseButton::left);  // on an inverter: nothing to toggle
    f.click(100, 100);               // select it, no drag
    f.ed.copy(f.c);
    EXPECT_FALSE(f.history.commit(f.c));
    EXPECT_FALSE(f.c.modified);
    const int s = f.add("高低电平控制器", 400, 400);
    f.history.commit(f.c);
    f.history.mark_saved(f.c);
    f.ed.mouse_x = 400, f.ed.mouse_y = 400;
    f.ed.double_click(f.c, f.view, MouseButton::left);
    EXPECT_TRUE(f.history.commit(f.c));
    EXPECT_TRUE(f.c.modified);
    f.history.undo(f.c);
    EXPECT_EQ(f.obj(s).param_int[0], 0);
    EXPECT_FALSE(f.c.modified) << "undone back to the saved state";
}

// Where switch levels are not counted (an example), flipping a switch is
// still a step to undo, but only the other changes make the circuit differ
// from what is on disk.
TEST(History, SwitchLevelsAloneNeedNoSaveWhereNotCounted) {
    HistoryFixture f;
    f.add("高低电平控制器", 400, 400);
    f.history.reset(f.c);
    f.history.count_switch_levels(f.c, false);
    f.ed.mouse_x = 400, f.ed.mouse_y = 400;
    f.ed.double_click(f.c, f.view, MouseButton::left);
    EXPECT_TRUE(f.history.commit(f.c));
    EXPECT_FALSE(f.c.modified) << "only a level flipped";
    f.c.selection = {"非门 1"};
    move_items(f.c, f.c.selection, 10, 0, 0, 0);
    f.history.commit(f.c);
    EXPECT_TRUE(f.c.modified) << "a gate moved";
    f.history.undo(f.c);
    EXPECT_FALSE(f.c.modified) << "the move undone, the flipped level left";
    f.history.count_switch_levels(f.c, true);
    EXPECT_TRUE(f.c.modified) << "counted, the level differs from the file";
}

// Every shipped example: a Run and Stop leave no step behind, whatever the
// pass wrote (a pulse's enable time, the pass marks), so a click afterwards
// neither marks the file modified nor drops what could be redone.
TEST(History, ARunLeavesNoStepBehind) {
    namespace fs = std::filesystem;
    int files = 0, with_pulses = 0;
    for (const auto& entry : fs::recursive_directory_iterator(VORLISK_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vlk") continue;
        const std::string name = entry.path().filename().string();
        EditorFixture f;
        ASSERT_TRUE(bool(open_circuit(f.c, entry.path().string()))) << name;
        History history;
        history.reset(f.c);
        // Something to redo: an annotation added and undone.
        ZHU_SHI_S note;
        note.text_lines = {"注释"};
        add_annotation(f.c, note, 5, 5);
        ASSERT_TRUE(history.commit(f.c));
        ASSERT_TRUE(history.undo(f.c));
        start_run(f.c);  // in the file's own time settings, which are document
        f.run_passes(300);
        stop_circuit(f.c);
        f.click(-500, -500);  // on nothing
        EXPECT_FALSE(history.commit(f.c)) << name;
        EXPECT_FALSE(f.c.modified) << name;
        EXPECT_TRUE(history.can_redo()) << name;
        ++files;
        for (int i = 0; i < f.c.object_count; ++i) with_pulses += contains(f.obj(i).kind, "脉冲") ? 1 : 0;
    }
    EXPECT_GE(files, 15);
    EXPECT_GT(with_pulses, 0);
}

// Showing an instrument window fills empty record items: no step, so undo
// takes back the user's last edit and keeps the items (and the rows
// recorded with them); no step before or after has them empty again.
TEST(History, ItemsFilledOnShowingAreNoStep) {
    HistoryFixture f;  // a test point, saved
    const int g = f.add("非门", 400, 200);
    ASSERT_TRUE(f.history.commit(f.c));
    f.c.table_items[0] = f.c.test_points[0].name;  // what showing the truth table writes
    f.c.trace_record_mode = "时序记录";             // and the timing diagram
    f.history.take_in_shown_items(f.c);
    EXPECT_FALSE(f.history.commit(f.c));
    EXPECT_TRUE(f.c.modified) << "the inverter is still unsaved";
    ASSERT_TRUE(f.history.undo(f.c));
    EXPECT_EQ(f.c.object_count, 2) << "the inverter is undone";
    EXPECT_EQ(f.c.table_items[0], f.c.test_points[0].name);
    EXPECT_EQ(f.c.trace_record_mode, "时序记录");
    EXPECT_FALSE(f.c.modified);
    ASSERT_TRUE(f.history.redo(f.c));
    EXPECT_EQ(f.obj(g).kind, "非门");
    EXPECT_EQ(f.c.table_items[0], f.c.test_points[0].name);
    // Items the user chose are a step of their own, and undo takes them back.
    f.c.table_items[1] = f.c.test_points[0].name;
    EXPECT_TRUE(f.history.commit(f.c));
    f.history.undo(f.c);
    EXPECT_EQ(f.c.table_items[1], "");
}

TEST(History, ScrollingIsNotAChangeAndUndoPutsRecordsBackOnThePlane) {
    HistoryFixture f;
    scroll_to(f.c, 3, 0);
    EXPECT_FALSE(f.history.commit(f.c));
    f.c.selection = {"非门 1"};
    move_items(f.c, f.c.selection, 10, 0, 0, 0);
    f.history.commit(f.c);
    scroll_to(f.c, 0, 0);
    f.history.undo(f.c);
    EXPECT_EQ(f.obj(0).x, 100) << "where it was before the move, at scroll 0";
}

TEST(History, UndoBringsBackADeletedRecordWithItsRunState) {
    HistoryFixture f;
    f.start();
    f.run_passes(3);  // the LED is lit
    stop_circuit(f.c);
    f.obj(1).in_v[0] = 1.25f;  // a value only this record has
    f.history.commit(f.c);
    f.c.selection = {"发光二极管 2"};
    f.ed.remove(f.c, f.view);
    f.history.commit(f.c);
    f.history.undo(f.c);
    ASSERT_EQ(f.c.object_count, 2);
    EXPECT_EQ(f.obj(1).in_v[0], 1.25f);
}

// A one-shot's firing moment is run state: a run that fires it leaves
// nothing to undo and the circuit unmodified; its width is a step.
TEST(History, OneShotFiringIsNoStepButItsWidthIs) {
    EditorFixture f;
    const int sw = f.add("高低电平控制器", 100, 100);
    const int shot = f.add("集成芯片时序逻辑(74LS121)", 300, 100);
    const int vcc = f.add("Vcc", 500, 300);
    f.wire(output_pin(f.obj(sw), 0), input_pin(f.obj(shot), 3));  // pin 5, B
    f.wire(output_pin(f.obj(vcc), 0), input_pin(f.obj(shot), 11));  // pin 14, VCC
    f.start();  // virtual time: a setting, before the history starts
    History h;
    h.reset(f.c);
    f.run_passes(2);
    f.obj(sw).param_int[0] = 1;
    f.run_passes(5);
    f.obj(sw).param_int[0] = 0;  // the switch back as it was: only the run differs
    f.run_passes(2);
    ASSERT_GT(f.obj(shot).out_v[1], 2.0f) << "Q (pin 6) fired";
    EXPECT_FALSE(h.commit(f.c));
    EXPECT_FALSE(f.c.modified);
    stop_circuit(f.c);
    set_one_shot_width(f.c, shot, 0, 2.0);
    EXPECT_TRUE(h.commit(f.c));
    h.undo(f.c);
    EXPECT_EQ(f.obj(shot).param_real[1], 0.0);
}

TEST(History, KeepsAHundredStepsOfAFullCircuitWithinItsBudget) {
    EditorFixture f;
    for (int i = 0; i < kPlaceObjectLimit; ++i) f.add(i % 3 ? "与非门" : "集成芯片组合逻辑(74LS138)", 60 * (i % 30), 100 * (i / 30));
    for (int i = 0; i < kWireLimit; ++i) f.wire({i, 0}, {i, 10}, {{i, 5}});
    History h;
    h.reset(f.c);
    std::vector<std::string> all;
    for (int i = 0; i < f.c.object_count; ++i) all.push_back(f.obj(i).name);
    for (int i = 0; i < f.c.wire_count; ++i) all.push_back(f.c.wires[i].name);
    for (int step = 0; step < 120; ++step) {
        ASSERT_TRUE(move_items(f.c, all, step % 2 ? 10 : -10, 0, 0, 0));
        ASSERT_TRUE(h.commit(f.c));
    }
    EXPECT_GE(h.steps(), History::kMinSteps);
    EXPECT_LT(h.bytes(), History::kByteBudget);
    for (size_t i = 0; i < History::kMinSteps; ++i) ASSERT_TRUE(h.undo(f.c));
}

}  // namespace
}  // namespace vorlisk
