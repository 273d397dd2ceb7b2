#include "editor/editor.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "editor/hit_test.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

constexpr int kRedrawFull = 0, kRedrawStatic = 2, kRedrawMoving = 3;
constexpr int kMaxWireCorners = 99;

}  // namespace

BendPoint constrained_end(int rx, int ry, int sx, int sy) {
    const int dx = sx - rx, dy = sy - ry;
    const int adx = std::abs(dx), ady = std::abs(dy);
    if (adx > 2 * ady) return {sx, ry};  // horizontal
    if (ady > 2 * adx) return {rx, sy};  // vertical
    if (ady < adx) return {dx >= 1 ? rx + ady : rx - ady, sy};
    return {sx, dy >= 1 ? ry + adx : ry - adx};
}

std::optional<BendPoint> wire_anchor(const Circuit& c, int x, int y, int pin_tol, int junction_tol) {
    auto near = [](long long a, long long b, int tol) { return std::llabs(a - b) < tol; };
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            if (near(x, o.x + o.in_dx[k], pin_tol) && near(y, o.y + o.in_dy[k], pin_tol)) return input_pin(o, k);
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            if (near(x, o.x + o.out_dx[k], pin_tol) && near(y, o.y + o.out_dy[k], pin_tol)) return output_pin(o, k);
    }
    for (int j = 0; j < c.junction_count; ++j)
        if (near(x, c.junctions[j].x, junction_tol) && near(y, c.junctions[j].y, junction_tol))
            return BendPoint{c.junctions[j].x, c.junctions[j].y};
    return std::nullopt;
}

bool wire_anchor_near(const Circuit& c, int x, int y, int pin_tol, int junction_tol) {
    return wire_anchor(c, x, y, pin_tol, junction_tol).has_value();
}

// --- events ----------------------------------------------------------------------------

void Editor::mouse_press(Circuit& c, EditorView& v, MouseButton b, bool modifier, int x, int y) {
    mouse_down = true;
    follow_.end(c);  // a release lost to a dialog ends a drag too
    note.clear();
    hover_anchor.reset();
    hover_outline.reset();
    mouse_x = x, mouse_y = y;
    drag_x = snap(x), drag_y = snap(y);
    drag_raw_x = x, drag_raw_y = y;
    rubber_band_active = false;
    selecting_at_press_ = c.current_tool.empty();
    if (b == MouseButton::left) {
        left_press(c, v, modifier, x, y);
    } else if (b == MouseButton::right) {
        // The item under the mouse joins the selection for the context menu.
        if (!hit_select_any(c, x, y, modifier)) c.selection.clear();
        choose_select_tool(c, v);
        discard_wire(c);
        v.redraw(kRedrawFull);
        mouse_down = false;
    }
    // The middle button only presses: a drag with it moves the selection.
}

void Editor::left_press(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    const std::string& tool = c.current_tool;
    if (tool.empty()) select_click(c, v, modifier, x, y);
    else if (tool == "导线") wire_click(c, v, modifier, x, y);
    else if (tool == "焊接点") place_junction(c, v, modifier, x, y);
    else if (tool == "检测点") place_test_point(c, v, modifier, x, y);
    else if (tool == "注释") place_annotation(c, v, modifier, x, y);
    else place_component_tool(c, v, modifier, x, y);
}

void Editor::mouse_move(Circuit& c, EditorView& v, bool, int x, int y) {
    mouse_x = x, mouse_y = y;
    if (!mouse_down) {
        if (c.current_tool == "导线" && wire_in_progress(c)) track_free_end(c, v, x, y);
        update_hover(c, x, y);
        return;
    }
    if (rubber_band_active) {
        v.draw_rubber_band(rubber_band);  // erases the old one
        rubber_band.right = x, rubber_band.bottom = y;
        v.draw_rubber_band(rubber_band);
    } else if (!c.selection.empty() && !drag_selection(c, v, x, y)) {
        return;  // the selection stays where it was: the next step is measured from there
    }
    drag_x = snap(x), drag_y = snap(y);
    drag_raw_x = x, drag_raw_y = y;
}

void Editor::update_hover(const Circuit& c, int x, int y) {
    hover_anchor.reset();
    hover_outline.reset();
    if (c.current_tool == "导线") hover_anchor = wire_anchor_at(c, x, y);
    else hover_outline = outline_.at(c, c.current_tool, x, y);
}

bool Editor::drag_selection(Circuit& c, EditorView& v, int x, int y) {
    if (wires_follow && !follow_.started() && follow_.begin(c)) {
        // The picture kept when the selection was lifted still shows the
        // wires that now go with it.
        v.redraw(kRedrawStatic);
        v.keep_picture();
    }
    const int ddx = snap(x) - drag_x, ddy = snap(y) - drag_y;
    const int adx = x - drag_raw_x, ady = y - drag_raw_y;
    // Annotations follow the mouse to the pixel; the rest moves in grid steps.
    if (!move_items(c, c.selection, ddx, ddy, adx, ady)) return true;
    const bool followed = follow_.step(c, ddx, ddy);
    if (!followed) {
        // The wires cannot follow there without changing what is connected.
        move_items(c, c.selection, -ddx, -ddy, -adx, -ady);
        note = kDragRefused;
    } else {
        note.clear();
    }
    // Drawn where it is (the first step may have been refused: the kept
    // picture lacks the selection).
    v.restore_picture();
    v.redraw(kRedrawMoving);
    return followed;
}

void Editor::mouse_release(Circuit& c, EditorView& v, MouseButton b, bool modifier, int x, int y) {
    mouse_down = false;
    follow_.end(c);
    mouse_x = x, mouse_y = y;
    if (rubber_band_active) {
        rubber_band_active = false;
        if (!modifier) c.selection.clear();
        box_select_all(c, rubber_band);
        lift_selection(v);
        return;
    }
    if (b == MouseButton::right) v.show_context_menu();
    v.redraw(kRedrawFull);
}

void Editor::double_click(Circuit& c, EditorView& v, MouseButton b) {
    if (b != MouseButton::left) return;
    const int i = find_object(c, object_at(c, mouse_x, mouse_y));
    if (i >= 0 && c.objects[i].kind == "高低电平控制器") {
        toggle_level_switch(c, i);
        // While running, the new level counts from the switch's next computation.
        if (c.running) c.objects[i].dirty = 1;
        else v.redraw(kRedrawFull);
        return;
    }
    // A placing tool's double click places and then selects what it placed:
    // no dialog for that.
    if (!selecting_at_press_) return;
    // The item a plain click here hits, as the only selection.
    std::vector<std::string> before = std::move(c.selection);
    c.selection.clear();
    const bool hit = hit_select_any(c, mouse_x, mouse_y, false);
    const std::string item = hit ? c.selection.front() : std::string();
    if (item.empty() ||
        (find_object(c, item) < 0 && find_test_point(c, item) < 0 && find_annotation(c, item) < 0)) {
        c.selection = std::move(before);
        return;
    }
    // The release goes to the dialog: without this the next move would drag.
    mouse_down = false;
    v.redraw(kRedrawFull);
    v.show_properties();
}

// --- tools ---------------------------------------------------------------------------------

void Editor::choose_select_tool(Circuit& c, EditorView& v) {
    c.current_tool.clear();
    v.show_select_tool();
}

void Editor::choose_tool(Circuit& c, std::string_view tool) {
    c.current_tool = std::string(tool);
    c.selection.clear();
}

void Editor::discard_wire(Circuit& c) {
    MY_LINK& w = c.drawing_wire;
    w.name.clear();
    w.kind.clear();
    w.bend_count = 0;
}

void Editor::lift_selection(EditorView& v) {
    v.redraw(kRedrawStatic);
    v.keep_picture();
    v.redraw(kRedrawMoving);
}

void Editor::select_only(Circuit& c, const std::string& name, EditorView& v) {
    c.selection.assign(1, name);
    lift_selection(v);
}

void Editor::select_click(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (hit_select_any(c, x, y, modifier)) {
        lift_selection(v);  // a drag may follow
        return;
    }
    if (!modifier) c.selection.clear();
    v.redraw(kRedrawFull);
    rubber_band_active = true;
    rubber_band = {x, y, x, y};
    v.draw_rubber_band(rubber_band);
}

bool Editor::click_on_component(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (!hit_select_object(c, x, y, modifier)) return false;
    choose_select_tool(c, v);
    c.selection.clear();
    select_click(c, v, modifier, x, y);
    return true;
}

void Editor::place_component_tool(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (click_on_component(c, v, modifier, x, y)) return;
    c.selection.clear();
    const int slot = add_component(c, c.current_tool, x, y);
    if (slot < 0) return;  // the table is full: silently nothing
    select_only(c, c.objects[slot].name, v);
}

void Editor::place_test_point(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (click_on_component(c, v, modifier, x, y)) return;
    if (!object_at(c, x, y).empty()) return;
    const int t = add_test_point(c, x, y);
    if (t >= 0) select_only(c, c.test_points[t].name, v);
}

void Editor::place_junction(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (click_on_component(c, v, modifier, x, y)) return;
    if (!object_at(c, x, y).empty()) return;
    const int j = add_junction(c, x, y);
    if (j >= 0) select_only(c, c.junctions[j].name, v);
}

void Editor::place_annotation(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    if (click_on_component(c, v, modifier, x, y)) return;
    if (!object_at(c, x, y).empty() || c.annotation_count >= kAnnotationLimit) return;
    ZHU_SHI_S draft;  // white back, navy frame, Arial 16 px bold navy, no text
    const bool confirmed = v.ask_annotation(draft);
    // The release went to the dialog: without this the next move would drag.
    mouse_down = false;
    if (confirmed) {
        const int a = add_annotation(c, draft, x, y);
        if (a >= 0) c.selection.assign(1, c.annotations[a].name);
    }
    choose_select_tool(c, v);
    lift_selection(v);
}

void Editor::wire_click(Circuit& c, EditorView& v, bool modifier, int x, int y) {
    MY_LINK& w = c.drawing_wire;
    if (!wire_in_progress(c)) {
        // Vcc and Gnd have their pin inside their body: a wire starts there.
        const std::string under = object_at(c, x, y);
        if (!under.empty() && !contains(under, "Vcc") && !contains(under, "Gnd")) {
            choose_select_tool(c, v);
            c.selection.clear();
            select_click(c, v, modifier, x, y);
            return;
        }
        if (c.wire_count >= kWireLimit || !wire_anchor_near(c, x, y, 5, 3)) return;
        w.name = "temp_link";
        w.kind = "导线";
        w.x1 = w.x2 = snap(x);
        w.y1 = w.y2 = snap(y);
        w.bend_count = 0;
        v.draw_wire_in_progress();
        return;
    }
    // The end is looked for where the constrained free end is, not under the mouse.
    if (!wire_anchor_near(c, w.x2, w.y2, 5, 5)) {
        if (w.bend_count < kMaxWireCorners) w.bends[w.bend_count++] = {w.x2, w.y2};
        v.draw_wire_in_progress();
        return;
    }
    add_wire(c, {w.x1, w.y1}, {w.x2, w.y2}, std::span<const BendPoint>(w.bends.data(), size_t(w.bend_count)));
    discard_wire(c);
    v.redraw(kRedrawFull);
}

void Editor::track_free_end(Circuit& c, EditorView& v, int x, int y) {
    MY_LINK& w = c.drawing_wire;
    const BendPoint ref = w.bend_count > 0 ? w.bends[w.bend_count - 1] : BendPoint{w.x1, w.y1};
    const BendPoint end = constrained_end(ref.x, ref.y, snap(x), snap(y));
    w.x2 = end.x, w.y2 = end.y;
    v.draw_wire_in_progress();
}

// --- commands ---------------------------------------------------------------------------------

void Editor::copy(Circuit& c) {
    copy_origin_x = mouse_x, copy_origin_y = mouse_y;
    copy_items(c, c.selection);
}

void Editor::cut(Circuit& c, EditorView& v) {
    copy(c);
    remove(c, v);
}

void Editor::remove(Circuit& c, EditorView& v) {
    delete_items(c, c.selection);
    c.selection.clear();
    v.redraw(kRedrawFull);
}

void Editor::select_all(Circuit& c, EditorView& v) {
    c.selection.clear();
    box_select_all(c, {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2});
    v.redraw(kRedrawFull);
}

void Editor::paste(Circuit& c, EditorView& v) {
    paste_origin_x = mouse_x, paste_origin_y = mouse_y;
    c.selection.clear();
    // Whole grid steps, so pasted wires stay on the pasted pins.
    const int ox = (paste_origin_x - copy_origin_x) / 10 * 10;
    const int oy = (paste_origin_y - copy_origin_y) / 10 * 10;
    c.selection = paste_items(c, ox, oy);
    v.redraw(kRedrawFull);
}

void Editor::rotate(Circuit& c, EditorView& v, int direction) {
    note.clear();
    if (!wires_follow) rotate_items(c, c.selection, direction);
    else if (!rotate_items_with_wires(c, c.selection, direction)) note = kTurnRefused;
    v.redraw(kRedrawFull);
}

}  // namespace vorlisk
