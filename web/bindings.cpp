// The page's module: the session behind the page and `window.vorlisk`,
// exported as plain C functions (web/page/core.js wraps them). This file:
// files, the undo history, Run and Stop, switches, readings and the box.
#include <emscripten.h>

#include "chips/chip_table.h"
#include "editor/canvas_hints.h"
#include "editor/kind_words.h"
#include "engine/indicators.h"
#include "model/catalogue.h"
#include "model/edit.h"

#include <algorithm>
#include "web/binding_io.h"

namespace vorlisk::web {

Session& session() {
    static Session s;
    return s;
}

std::string& error_text() {
    static std::string e;
    return e;
}

namespace {
std::string& result() {
    static std::string r;
    return r;
}
}  // namespace

const char* hand_back(std::string s) {
    result() = std::move(s);
    return result().c_str();
}

int refused(const std::optional<Refusal>& r) {
    if (!r) return 0;
    error_text() = r->message;
    return r->field;
}

namespace {

// Names and 0 or 1, as JSON pairs: [["A",1],["S",0]].
const char* json_pairs(const std::vector<std::pair<std::string, int>>& pairs) {
    Json j;
    j.array();
    for (const auto& [name, value] : pairs) j.array().value(name).value(value).end_array();
    return hand_back(j.end_array());
}

const char* kind_of(PropertiesDialog d) {
    switch (d) {
        case PropertiesDialog::display_probe: return "display_probe";
        case PropertiesDialog::test_point: return "test_point";
        case PropertiesDialog::led_probe: return "led_probe";
        case PropertiesDialog::pulse: return "pulse";
        case PropertiesDialog::annotation: return "annotation";
        case PropertiesDialog::one_shot: return "one_shot";
        case PropertiesDialog::none: break;
    }
    return "";
}

}  // namespace

}  // namespace vorlisk::web

using namespace vorlisk;
using namespace vorlisk::web;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vorlisk_error() { return error_text().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* vorlisk_result() { return result().data(); }
EMSCRIPTEN_KEEPALIVE int vorlisk_result_size() { return int(result().size()); }

// --- files ---------------------------------------------------------------------------------

// A circuit file's bytes; the result holds the warning about reset values
// (empty when there is none).
EMSCRIPTEN_KEEPALIVE int vorlisk_open(const char* bytes, int size, const char* name, int example) {
    std::string warning;
    const bool ok = session().open(bytes_of(bytes, size), name, example != 0, error_text(), warning);
    hand_back(ok ? warning : std::string());
    return outcome(ok);
}

EMSCRIPTEN_KEEPALIVE int vorlisk_restore(const char* bytes, int size, const char* name, int example, int modified) {
    return outcome(session().restore(bytes_of(bytes, size), name, example != 0, modified != 0, error_text()));
}

EMSCRIPTEN_KEEPALIVE void vorlisk_new() { session().new_circuit(); }

// The bytes Save writes, in the result.
EMSCRIPTEN_KEEPALIVE int vorlisk_save() {
    std::string bytes;
    const bool ok = session().save(bytes, error_text());
    hand_back(std::move(bytes));
    return outcome(ok);
}

EMSCRIPTEN_KEEPALIVE void vorlisk_saved_as(const char* name) { session().saved_as(name); }

// The title, the unsaved flag, what Save must ask, the run state, the
// tool and its line for the status bar.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_document() {
    Session& s = session();
    const Circuit& c = s.circuit();
    Json j;
    j.object()
        .field("title", s.title_name())
        .field("modified", c.modified)
        .field("example", s.example())
        .field("asksName", s.save_asks_name())
        .field("revision", s.revision())
        .field("canUndo", s.history().can_undo())
        .field("canRedo", s.history().can_redo())
        .field("running", s.running())
        .field("time", s.time_text())
        .field("virtualTime", c.virtual_time != 0)
        .field("tool", c.current_tool)
        .field("toolHint", tool_hint(c.current_tool))
        .field("selected", int(c.selection.size()))
        .field("selection", c.selection.size() == 1 ? c.selection[0] : std::string())
        .field("selectionHasDialog", c.selection.size() == 1 && has_properties(c.selection[0]))
        .field("canPaste", !clipboard_empty(c));
    return hand_back(j.end_object());
}

EMSCRIPTEN_KEEPALIVE int vorlisk_undo() { return outcome(session().undo()); }
EMSCRIPTEN_KEEPALIVE int vorlisk_redo() { return outcome(session().redo()); }

// --- running ---------------------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vorlisk_run_start() { session().run_start(); }
// Passes for up to `budget_ms` milliseconds; how many ran.
EMSCRIPTEN_KEEPALIVE double vorlisk_run_for(double budget_ms) { return double(session().run_for(budget_ms)); }
EMSCRIPTEN_KEEPALIVE void vorlisk_stop() { session().stop(); }

// The scripting hook's run: passes in virtual time from the stopped circuit.
EMSCRIPTEN_KEEPALIVE int vorlisk_run(double passes) {
    if (!(passes >= 0 && passes <= 1e15) || passes != double((long long)passes)) {
        error_text() = "运算次数须是 0 到 10^15 之间的整数。";
        return 1;
    }
    return outcome(session().run_passes((long long)passes, error_text()));
}

// --- switches and readings -------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE const char* vorlisk_readings() { return json_pairs(session().readings()); }

EMSCRIPTEN_KEEPALIVE const char* vorlisk_switches() {
    std::vector<std::pair<std::string, int>> v;
    const Circuit& c = session().circuit();
    for (const sim::SwitchSignal& s : session().signals().switches)
        v.emplace_back(s.name, c.objects[s.object].param_int[0] ? 1 : 0);
    return json_pairs(v);
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set(const char* name, int level) {
    return outcome(session().set_switch(name, level, error_text()));
}

// A level switch by its component name, as a double click on it.
EMSCRIPTEN_KEEPALIVE int vorlisk_toggle(const char* object_name) { return outcome(session().toggle_switch(object_name)); }

// What the run panel shows: the switches, the test points' readings, the
// LEDs and displays (dark while stopped), the box's lamps and switches.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_panel() {
    Session& s = session();
    const Circuit& c = s.circuit();
    const sim::Signals signals = s.signals();
    const std::vector<uint32_t> shown = s.indicator_values();
    Json j;
    j.object().key("switches").array();
    for (const sim::SwitchSignal& sw : signals.switches)
        j.object()
            .field("name", sw.name)
            .field("object", sw.component)
            .field("level", c.objects[sw.object].param_int[0] ? 1 : 0)
            .end_object();
    j.end_array().key("testPoints").array();
    for (const sim::Reading& r : signals.test_points)
        j.object()
            .field("label", r.name)
            .field("name", c.test_points[r.index].name)
            .field("value", int(sim::read_value(c, r, 0)))
            .field("volts", c.test_points[r.index].value)
            .end_object();
    j.end_array().key("indicators").array();
    for (size_t k = 0; k < signals.indicators.size(); ++k) {
        const sim::Reading& r = signals.indicators[k];
        const uint32_t v = shown[k];
        j.object()
            .field("name", r.name)
            .field("object", c.objects[r.index].name)
            .field("kind", r.kind == sim::Reading::led ? "led" : "display")
            .field("value", (long long)v)
            .field("text", sim::value_text(r, v))
            .end_object();
    }
    j.end_array()
        .key("box")
        .object()
        .field("plugged", s.box().attached())
        .field("lamps", int(s.box().lamps()))
        .field("switches", int(s.box().switches()))
        .end_object();
    return hand_back(j.end_object());
}

EMSCRIPTEN_KEEPALIVE void vorlisk_box_plug(int in) { session().plug_box(in != 0); }
EMSCRIPTEN_KEEPALIVE void vorlisk_box_switches(int byte) { session().box().set_switches(uint8_t(byte)); }

// --- the components and their dialogs ------------------------------------------------------------

// Every component, test point and annotation with the dialog that
// "属性" opens for it ("" when none; "switch" for a level switch).
EMSCRIPTEN_KEEPALIVE const char* vorlisk_items() {
    const Circuit& c = session().circuit();
    Json j;
    j.array();
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const char* dialog = o.kind == sim::kSwitchKind ? "switch" : kind_of(properties_dialog(o.name));
        j.object().field("name", o.name).field("kind", o.kind).field("dialog", dialog).field("x", o.x).field("y", o.y);
        // Where its pins end, in canvas pixels (for scripts that draw wires).
        j.key("inputs").array();
        for (int k = 0; k < o.input_count; ++k) j.array().value(input_pin(o, k).x).value(input_pin(o, k).y).end_array();
        j.end_array().key("outputs").array();
        for (int k = 0; k < o.output_count; ++k) j.array().value(output_pin(o, k).x).value(output_pin(o, k).y).end_array();
        j.end_array().end_object();
    }
    for (int t = 0; t < c.test_point_count; ++t) {
        const MY_TEST_POINT& p = c.test_points[t];
        j.object().field("name", p.name).field("kind", p.kind).field("label", p.label).field("dialog", "test_point").end_object();
    }
    for (int a = 0; a < c.annotation_count; ++a) {
        const ZHU_SHI_S& n = c.annotations[a];
        j.object()
            .field("name", n.name)
            .field("kind", n.kind)
            .field("label", n.text_lines.empty() ? std::string() : n.text_lines.front())
            .field("dialog", "annotation")
            .end_object();
    }
    return hand_back(j.end_array());
}

// --- the canvas's events, passed to the editor --------------------------------------------------

// The tool the canvas's clicks use: "" the select tool, a drawing tool
// ("导线", "焊接点", "检测点", "注释") or a component kind.
EMSCRIPTEN_KEEPALIVE int vorlisk_choose_tool(const char* tool_text) {
    Session& s = session();
    const std::string tool = tool_text;
    if (tool.empty()) {
        s.editor().choose_select_tool(s.circuit(), s.view());
        return 0;
    }
    constexpr std::string_view kDrawingTools[] = {"导线", "焊接点", "检测点", "注释"};
    const bool drawing = std::find(std::begin(kDrawingTools), std::end(kDrawingTools), tool) != std::end(kDrawingTools);
    // A chip only of a type the library models: anything else would place a dead box.
    const bool chip = contains(tool, "集成芯片") && find_chip_row(chip_type_of(tool));
    if (!drawing && !find_kind(tool) && !chip) {
        error_text() = "没有这种器件：“" + tool + "”。";
        return 1;
    }
    s.editor().choose_tool(s.circuit(), tool);
    return 0;
}

// `event` 0 press, 1 move, 2 release, 3 double click (after its press);
// `button` 0 left, 1 right, 2 middle; x, y in canvas pixels. The result
// holds what the editor asked of the view (ViewRequests).
EMSCRIPTEN_KEEPALIVE const char* vorlisk_mouse(int event, int button, int modifier, int x, int y) {
    Session& s = session();
    Circuit& c = s.circuit();
    const MouseButton b = button == 1 ? MouseButton::right : button == 2 ? MouseButton::middle : MouseButton::left;
    s.view().press_x = x, s.view().press_y = y;
    switch (event) {
        case 0: s.editor().mouse_press(c, s.view(), b, modifier != 0, x, y); break;
        case 1: s.editor().mouse_move(c, s.view(), modifier != 0, x, y); break;
        case 2: s.editor().mouse_release(c, s.view(), b, modifier != 0, x, y); break;
        case 3: s.editor().double_click(c, s.view(), b); break;
    }
    // A gesture ends at its release, a press that ended it, or a double click.
    if (!s.editor().mouse_down) s.commit();
    const ViewRequests r = s.view().take();
    Json j;
    j.object()
        .field("redraw", r.redraw)
        .field("wireChanged", r.wire_changed)
        .field("selectTool", r.select_tool)
        .field("contextMenu", r.context_menu)
        .field("properties", r.properties)
        .field("selection", c.selection.size() == 1 ? c.selection[0] : std::string())
        // The status line: the editor's note (a refused drag or turn); empty: the tool's line.
        .field("status", s.editor().note);
    if (r.annotation_at) j.key("annotationAt").array().value(r.annotation_at->first).value(r.annotation_at->second).end_array();
    return hand_back(j.end_object());
}

}  // extern "C"
