// The truth table and the timing diagram: their items, modes and rows, the
// lines the diagram draws, and their exports, as the desktop writes them.
#include <emscripten.h>

#include <algorithm>
#include <sstream>

#include "editor/field_text.h"
#include "instruments/slots.h"
#include "web/binding_io.h"

using namespace vorlisk;
using namespace vorlisk::web;

namespace {

// Lines as [x1, y1, x2, y2, row, ...], 32-bit integers in the result.
struct LineList {
    std::string bytes;
    void add(const TraceLine& l, int row) {
        const int32_t v[5] = {l.x1, l.y1, l.x2, l.y2, row};
        bytes.append(reinterpret_cast<const char*>(v), sizeof v);
    }
};

// The rows drawn: the highest used slot + 1; a slot naming no test point draws nothing.
int trace_rows(const Circuit& c) { return last_used_slot(c.trace_items) + 1; }

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

// The rows' labels, the scale, the recording state and the times the page
// draws by.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_trace_info() {
    Session& s = session();
    const Circuit& c = s.circuit();
    Json j;
    j.object()
        .field("recording", s.trace_recording())
        .field("scale", c.trace_scale)
        .field("scaleText", general_text(c.trace_scale))
        .field("simTime", c.sim_time)
        .field("drawnTime", c.trace_drawn_time)
        .field("lastTime", s.trace().last_time())
        .field("empty", s.trace().empty())
        .key("labels")
        .array();
    for (int q = 0; q < trace_rows(c); ++q) {
        const std::string& slot = c.trace_items[size_t(q)];
        const int t = slot.empty() ? -1 : find_test_point(c, slot);
        j.value(t < 0 ? std::string() : c.test_points[t].label);
    }
    return hand_back(j.end_array().end_object());
}

// The lines of every row between two times on an axis starting at
// `start` (a page shown from its samples); rows at y 0 (their band's top).
EMSCRIPTEN_KEEPALIVE int vorlisk_trace_page(int label_width, double start, double from, double to) {
    Session& s = session();
    const Circuit& c = s.circuit();
    const TraceAxis axis{label_width, start, c.trace_scale};
    LineList out;
    for (int q = 0; q < trace_rows(c); ++q) {
        if (c.trace_items[size_t(q)].empty()) continue;
        const SampleList& list = s.trace().list(q);
        auto later = [](double t, const Sample& x) { return t < x.time; };
        // The sample in force at `from` and every later one up to `to`.
        auto first = std::upper_bound(list.begin(), list.end(), from, later);
        if (first != list.begin()) --first;
        const auto last = std::upper_bound(first, list.end(), to, later);
        if (first == last) continue;
        const SampleList page(first, last);
        trace_stretch(page, 0, page.front().time - 1.0, to, axis, [&](const TraceLine& l) { out.add(l, q); });
    }
    hand_back(std::move(out.bytes));
    return 0;
}

// The lines that extend every row from where it was drawn up to now; the
// diagram counts as drawn up to now afterwards.
EMSCRIPTEN_KEEPALIVE int vorlisk_trace_extend(int label_width, double start) {
    Session& s = session();
    Circuit& c = s.circuit();
    const TraceAxis axis{label_width, start, c.trace_scale};
    LineList out;
    for (int q = 0; q < trace_rows(c); ++q) {
        const SampleList& list = s.trace().list(q);
        if (c.trace_items[size_t(q)].empty() || list.empty()) continue;
        trace_stretch(list, 0, c.trace_drawn_time, c.sim_time, axis, [&](const TraceLine& l) { out.add(l, q); });
    }
    c.trace_drawn_time = c.sim_time;
    hand_back(std::move(out.bytes));
    return 0;
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
