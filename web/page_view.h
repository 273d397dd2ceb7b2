// What the editor asks of the page's canvas. A page cannot open a modal
// dialog in the middle of a mouse event: the view notes what the editor
// asked for, and the page's scripts take the notes after each event (the
// picture to repaint, the dialog or menu to open, the annotation to ask for)
// and answer through the session.
#pragma once

#include <optional>
#include <string>

#include "editor/editor.h"
#include "model/records.h"

namespace vorlisk::web {

struct ViewRequests {
    int redraw = -1;                 // the strongest redraw mode asked for, -1 none
    bool wire_changed = false;       // the wire in progress moved
    std::optional<Rect32> rubber_band;
    bool select_tool = false;        // back to the select tool
    bool context_menu = false;
    bool properties = false;         // the one selected item's dialog
    // A new annotation's text is wanted: the page asks for it and places it here.
    std::optional<std::pair<int, int>> annotation_at;
};

class PageView : public EditorView {
public:
    ViewRequests requests;
    // Where the editor's last press was, for an annotation asked for there.
    int press_x = 0, press_y = 0;

    // Hands the notes over and starts afresh.
    ViewRequests take() {
        ViewRequests r = requests;
        requests = {};
        return r;
    }

    void redraw(int mode) override {
        // A full redraw (0) covers every other mode.
        if (requests.redraw != 0) requests.redraw = mode;
    }
    void keep_picture() override {}
    void restore_picture() override {}
    void draw_wire_in_progress() override { requests.wire_changed = true; }
    void draw_rubber_band(const Rect32& r) override { requests.rubber_band = r; }
    void show_select_tool() override { requests.select_tool = true; }
    void show_context_menu() override { requests.context_menu = true; }
    void show_properties() override { requests.properties = true; }
    bool ask_annotation(ZHU_SHI_S&) override {
        requests.annotation_at = std::make_pair(press_x, press_y);
        return false;
    }
};

}  // namespace vorlisk::web
