// The truth table and the timing diagram: their items, modes and rows, the
// lines the diagram draws, and their exports, as the desktop writes them.
#include <emscripten.h>

#include <algorithm>
#include <sstream>

#include "editor/field_text.h"
#include "instruments/slots.h"
#include "render/command_list.h"
#include "render/trace_diagram.h"
#include "web/binding_io.h"

using namespace vorlisk;
using namespace vorlisk::web;

namespace {

// The page shown's axis.
TraceAxis shown_axis(Session& s, const TraceLayout& layout) {
    const TracePages& pages = s.trace_pages();
    return {layout.label_width, pages.start(pages.shown()), s.circuit().trace_scale};
}

// What `draw` paints on a diagram of width × height pixels, as the command list's text.
template <class Draw>
std::string trace_commands(Session& s, int width, int height, Draw draw) {
    CommandList out;
    draw(out, trace_layout(s.circuit(), width, height));
    return to_text(out.commands());
}

}  // namespace

extern "C" {

// --- truth table ------------------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vorlisk_table_show(int shown) { session().show_table(shown != 0); }
EMSCRIPTEN_KEEPALIVE void vorlisk_table_clear() {
    Session& s = session();
    s.table().clear_table(s.circuit(), s.circuit().table_items);
}
EMSCRIPTEN_KEEPALIVE void vorlisk_table_record() { session().table().record_row(session().circuit()); }
EMSCRIPTEN_KEEPALIVE void vorlisk_table_defaults() { session().table_defaults(); }
EMSCRIPTEN_KEEPALIVE void vorlisk_table_mode(const char* mode) { session().set_table_mode(mode); }

// The columns' labels, the number of rows and the recording mode.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_table_info() {
    const TruthTable& t = session().table();
    Json j;
    j.object().field("mode", session().circuit().table_record_mode).field("rows", (long long)t.rows()).key("labels").array();
    for (int k = 0; k < t.columns(); ++k) j.value(t.label(k));
    return hand_back(j.end_array().end_object());
}

// Rows first .. first + count - 1 as their cells' texts.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_table_rows(double first, int count) {
    const TruthTable& t = session().table();
    Json j;
    j.array();
    const size_t end = std::min(t.rows(), size_t(std::max(0.0, first)) + size_t(std::max(0, count)));
    for (size_t r = size_t(std::max(0.0, first)); r < end; ++r) {
        j.array();
        for (int k = 0; k < t.columns(); ++k) j.value(cell_text(t.cell(r, k)));
        j.end_array();
    }
    return hand_back(j.end_array());
}

// "导出": the CSV file's bytes, or the tab-separated text the clipboard takes.
EMSCRIPTEN_KEEPALIVE void vorlisk_table_csv() { hand_back(session().table().csv()); }
EMSCRIPTEN_KEEPALIVE const char* vorlisk_table_tsv() { return hand_back(session().table().tsv()); }

// --- record items -------------------------------------------------------------------------------

// The record-items dialog of the truth table (0) or the timing diagram
// (1): the entries every list offers, and the entry each slot preselects.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_items_dialog(int trace) {
    const Circuit& c = session().circuit();
    const RecordSlots& slots = trace ? c.trace_items : c.table_items;
    Json j;
    j.object().key("entries").array();
    for (const std::string& e : item_entries(c)) j.value(e);
    j.end_array().key("selected").array();
    for (const std::string& slot : slots) j.value(entry_for_slot(c, slot));
    return hand_back(j.end_array().end_object());
}

// Its OK: the entry chosen in each list, as "3,0,1,...".
EMSCRIPTEN_KEEPALIVE void vorlisk_set_items(int trace, const char* chosen) {
    std::vector<int> entries;
    std::istringstream in(chosen);
    for (std::string part; std::getline(in, part, ',');) {
        int e = 0;
        entries.push_back(read_integer(part, e) ? e : 0);
    }
    session().set_items(trace != 0, entries);
}

// --- timing diagram -----------------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void vorlisk_trace_show(int shown) { session().show_trace(shown != 0); }
EMSCRIPTEN_KEEPALIVE void vorlisk_trace_defaults() { session().trace_defaults(); }
EMSCRIPTEN_KEEPALIVE void vorlisk_trace_clear() { session().clear_trace(); }
EMSCRIPTEN_KEEPALIVE int vorlisk_trace_start(const char* scale) { return refused(session().start_trace(scale)); }
EMSCRIPTEN_KEEPALIVE void vorlisk_trace_stop() { session().stop_trace(); }

// The spin buttons: twice or half the scale typed, as text.
EMSCRIPTEN_KEEPALIVE int vorlisk_trace_spin(const char* scale, int up) {
    double v = 0.0;
    if (const int field = refused(check_trace_scale(scale, v))) return field;
    hand_back(general_text(up ? v * 2 : v / 2));
    return 0;
}

// The scale, the recording state, the pages and the exported picture's axis strip.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_info() {
    Session& s = session();
    const Circuit& c = s.circuit();
    const TracePages& pages = s.trace_pages();
    Json j;
    j.object()
        .field("recording", s.trace_recording())
        .field("scale", c.trace_scale)
        .field("scaleText", general_text(c.trace_scale))
        .field("pages", pages.count())
        .field("shown", pages.shown())
        .field("shownStart", general_text(pages.start(pages.shown())))
        .field("axisHeight", kTraceAxisHeight);
    return hand_back(j.end_object());
}

// The page shown, drawn whole on a diagram of width × height pixels, as
// the render core's commands.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_page(int width, int height) {
    Session& s = session();
    return hand_back(trace_commands(s, width, height, [&](PaintSurface& out, const TraceLayout& layout) {
        const auto [from, to] = s.trace_pages().shown_span(s.circuit().trace_drawn_time, s.trace().last_time());
        draw_trace_grid(out, s.circuit(), layout);
        draw_trace_rows(out, s.circuit(), s.trace(), layout, from, to, shown_axis(s, layout));
    }));
}

// Shows another page of the recording and draws it.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_show_page(int page, int width, int height) {
    session().trace_pages().show(page);
    return vorlisk_trace_page(width, height);
}

// While recording: what to paint over the diagram to bring it up to now —
// the traces' extension, or the new page when the recording ran off the
// right edge while its page was shown (nothing while an earlier page is).
// The diagram counts as drawn up to now afterwards.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_extend(int width, int height) {
    Session& s = session();
    Circuit& c = s.circuit();
    TracePages& pages = s.trace_pages();
    const TraceLayout layout = trace_layout(c, width, height);
    const bool was_following = pages.following();
    std::string out;
    if (pages.turn(s.trace(), c.trace_items, layout.rows, c.trace_drawn_time, c.trace_scale, layout.label_width, width) &&
        was_following)
        out = vorlisk_trace_page(width, height);
    if (pages.following())
        out += trace_commands(s, width, height, [&](PaintSurface& surface, const TraceLayout& l) {
            const TraceAxis axis{l.label_width, pages.live_start(), c.trace_scale};
            draw_trace_extension(surface, c, s.trace(), l, c.trace_drawn_time, c.sim_time, axis);
        });
    c.trace_drawn_time = c.sim_time;
    return hand_back(std::move(out));
}

// "保存为图片 (PNG)": the page shown with the time axis below it, as the
// desktop exports it.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_picture(int width, int height) {
    Session& s = session();
    return hand_back(trace_commands(s, width, height, [&](PaintSurface& out, const TraceLayout& layout) {
        const auto [from, to] = s.trace_pages().shown_span(s.circuit().trace_drawn_time, s.trace().last_time());
        draw_trace_picture(out, s.circuit(), s.trace(), layout, from, to, shown_axis(s, layout));
    }));
}

// "保存为波形文件 (VCD)": the dump's text, as the desktop writes it.
EMSCRIPTEN_KEEPALIVE int vorlisk_trace_vcd() {
    const Circuit& c = session().circuit();
    std::vector<std::string> names;
    for (const std::string& slot : c.trace_items) {
        const int t = slot.empty() ? -1 : find_test_point(c, slot);
        names.push_back(t < 0 ? std::string() : c.test_points[t].label);
    }
    std::ostringstream text;
    if (!write_trace_vcd(text, session().trace(), names)) {
        error_text() = "无法导出：记录的时刻超出 VCD 能表示的范围。";
        return 1;
    }
    hand_back(text.str());
    return 0;
}

}  // extern "C"
