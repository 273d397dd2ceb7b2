// A circuit with an editor and a view that records what the editor asked
// the window to do, for driving the editor as the mouse would.
#pragma once

#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor/history.h"
#include "tests/support/harness.h"

namespace vorlisk::test {

struct RecordingView : EditorView {
    std::vector<std::string> calls;  // "redraw 0", "keep", "restore", "wire", "band", "select tool", "menu", "properties"
    bool confirm_annotation = true;
    std::vector<std::string> annotation_text = {"注释文字"};

    void redraw(int mode) override { calls.push_back("redraw " + std::to_string(mode)); }
    void keep_picture() override { calls.push_back("keep"); }
    void restore_picture() override { calls.push_back("restore"); }
    void draw_wire_in_progress() override { calls.push_back("wire"); }
    void draw_rubber_band(const Rect32&) override { calls.push_back("band"); }
    void show_select_tool() override { calls.push_back("select tool"); }
    void show_context_menu() override { calls.push_back("menu"); }
    void show_properties() override { calls.push_back("properties"); }
    bool ask_annotation(ZHU_SHI_S& draft) override {
        calls.push_back("annotation dialog");
        draft.text_lines = annotation_text;
        draft.width = 60, draft.height = 17;
        return confirm_annotation;
    }
};

struct EditorFixture : Harness {
    Editor ed;
    RecordingView view;

    void press(int x, int y, bool modifier = false, MouseButton b = MouseButton::left) {
        ed.mouse_press(c, view, b, modifier, x, y);
    }
    void move(int x, int y) { ed.mouse_move(c, view, false, x, y); }
    void release(int x, int y, bool modifier = false, MouseButton b = MouseButton::left) {
        ed.mouse_release(c, view, b, modifier, x, y);
    }
    void click(int x, int y, bool modifier = false) {
        press(x, y, modifier);
        release(x, y, modifier);
    }
    void tool(std::string_view t) { ed.choose_tool(c, t); }
    std::vector<std::string> selection() const { return c.selection; }
};

}  // namespace vorlisk::test
