// The editor: what a press, move, release or double click on the canvas
// does with the current tool, and the commands that act on the selection.
// It changes the circuit only through the edit functions of the core and
// tells its window what to repaint through EditorView, step by step, so the
// window only translates its events into canvas coordinates.
//
// Repainting follows one pattern: a full redraw after an edit; before a
// selection can be dragged, the picture without it (mode 2) is kept and the
// selection drawn over it (mode 3); each drag step restores the kept picture
// and draws the selection again. The wire in progress is never part of the
// picture: the window shows it over whatever the picture is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "editor/canvas_hints.h"
#include "editor/wire_follow.h"
#include "model/circuit.h"

namespace vorlisk {

enum class MouseButton { left, right, middle };

// What the editor asks of the window that shows the canvas.
class EditorView {
public:
    virtual ~EditorView() = default;
    virtual void redraw(int mode) = 0;       // redraw_canvas in this mode
    virtual void keep_picture() = 0;         // canvas_bitmap := the canvas picture
    virtual void restore_picture() = 0;      // the canvas picture := canvas_bitmap
    // The wire in progress changed: the window shows it as it now is.
    virtual void draw_wire_in_progress() = 0;
    // The dotted rectangle, XORed: drawing it twice leaves the picture as it was.
    virtual void draw_rubber_band(const Rect32& r) = 0;
    virtual void show_select_tool() = 0;     // arrow cursor, the select button down
    virtual void show_context_menu() = 0;
    // Opens the dialog of the one selected item (modal): its properties, or
    // the drawing settings of a component that has no properties of its own.
    virtual void show_properties() = 0;
    // Asks for a new annotation (modal): fills the draft's text lines, looks,
    // font, width and height; false when cancelled.
    virtual bool ask_annotation(ZHU_SHI_S& draft) = 0;
};

class Editor {
public:
    // --- mouse state ---------------------------------------------------------
    bool mouse_down = false;         // a button went down on the canvas and is not released
    int mouse_x = 0, mouse_y = 0;    // last position any mouse event reported
    int drag_x = 0, drag_y = 0;      // last snapped position of a drag
    int drag_raw_x = 0, drag_raw_y = 0;  // last unsnapped position of a drag
    bool rubber_band_active = false;
    Rect32 rubber_band;              // left, top: the press; right, bottom: the mouse
    int copy_origin_x = 0, copy_origin_y = 0;    // mouse at the last Copy
    int paste_origin_x = 0, paste_origin_y = 0;  // mouse at the last Paste
    // Dragged or turned components take the ends of their wires along (a
    // view choice of the window); off, wires keep their coordinates.
    bool wires_follow = true;
    // Under the cursor while no button is down: the pin or junction a
    // wire-tool click would take (marked with a ring), and the outline of
    // the component a placing tool would put down.
    std::optional<BendPoint> hover_anchor;
    std::optional<Rect32> hover_outline;
    // For the status line: why the last drag step or turn did not happen
    // (the wires could not follow); empty otherwise.
    std::string note;

    // --- canvas events (canvas pixels; `modifier`: Ctrl or Shift held) ----------
    void mouse_press(Circuit& c, EditorView& v, MouseButton b, bool modifier, int x, int y);
    void mouse_move(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void mouse_release(Circuit& c, EditorView& v, MouseButton b, bool modifier, int x, int y);
    // After the press of the second click. Only the left button acts: a
    // level switch toggles (also while running, whatever the tool); with
    // the select tool, any other component, a test point or an annotation
    // becomes the only selection and its dialog opens. Wires and junctions
    // keep what the press did.
    void double_click(Circuit& c, EditorView& v, MouseButton b);

    // --- tools ------------------------------------------------------------------
    // The select tool: the selection stays.
    void choose_select_tool(Circuit& c, EditorView& v);
    // A kind or drawing tool ("导线", "焊接点", "检测点", "注释"): clears the selection.
    void choose_tool(Circuit& c, std::string_view tool);
    // Forgets the wire in progress.
    static void discard_wire(Circuit& c);
    static bool wire_in_progress(const Circuit& c) { return !c.drawing_wire.name.empty(); }

    // --- commands on the selection ---------------------------------------------------
    void copy(Circuit& c);
    void cut(Circuit& c, EditorView& v);
    void paste(Circuit& c, EditorView& v);
    void remove(Circuit& c, EditorView& v);  // Delete
    void select_all(Circuit& c, EditorView& v);
    // direction 0 clockwise, 1 counter-clockwise
    void rotate(Circuit& c, EditorView& v, int direction);

private:
    bool selecting_at_press_ = false;  // the select tool was the tool when the button went down

    void left_press(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void select_click(Circuit& c, EditorView& v, bool modifier, int x, int y);
    // A click on a component with a placing tool selects it instead.
    bool click_on_component(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void place_component_tool(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void place_test_point(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void place_junction(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void place_annotation(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void wire_click(Circuit& c, EditorView& v, bool modifier, int x, int y);
    void track_free_end(Circuit& c, EditorView& v, int x, int y);
    void select_only(Circuit& c, const std::string& name, EditorView& v);
    void lift_selection(EditorView& v);
    // False when the step was refused: the selection stayed where it was.
    bool drag_selection(Circuit& c, EditorView& v, int x, int y);
    void update_hover(const Circuit& c, int x, int y);
    WireFollow follow_;
    PlacementOutline outline_;
};

// The free end of a wire segment from the reference point (rx, ry) towards
// the snapped mouse (sx, sy): horizontal, vertical or exactly 45 degrees.
BendPoint constrained_end(int rx, int ry, int sx, int sy);

// The first pin (inputs before outputs, components in table order) within
// `pin_tol` on both axes, then the first junction within `junction_tol`;
// false when there is none.
// The same pin or junction's own point.
std::optional<BendPoint> wire_anchor(const Circuit& c, int x, int y, int pin_tol, int junction_tol);
bool wire_anchor_near(const Circuit& c, int x, int y, int pin_tol, int junction_tol);

}  // namespace vorlisk
