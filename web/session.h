// The page's circuit, as the desktop's main window holds it: the circuit
// with its undo history and editor, Open and Save on the bytes of a file,
// Run and Stop with the passes paced by the page, the level switches and
// readings, the emulated experiment box, the properties and settings
// dialogs' changes, and the two instruments' recorders. Every change goes
// through the core's edit functions and ends in commit(), one step of the
// history, as the window's commands do.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/dialog_checks.h"
#include "editor/editor.h"
#include "editor/history.h"
#include "engine/emulated_box.h"
#include "engine/run.h"
#include "instruments/trace.h"
#include "instruments/trace_pages.h"
#include "instruments/truth_table.h"
#include "model/circuit.h"
#include "tools/vorlisk_sim/signals.h"
#include "web/page_view.h"

namespace vorlisk::web {

class Session {
public:
    Session();

    Circuit& circuit() { return *c_; }
    const Circuit& circuit() const { return *c_; }
    History& history() { return history_; }
    Editor& editor() { return editor_; }
    PageView& view() { return view_; }

    // --- files (session.cpp) ----------------------------------------------------------------
    // Opens the bytes of a circuit file named `name` (an example's when
    // `example`: it is never saved over). A damaged file fails with the
    // loader's message naming the file, and the circuit open before stays.
    // Timing or drawing values no dialog accepts are replaced by their
    // reset values: the circuit opens modified and `warning` says so.
    bool open(std::string_view bytes, const std::string& name, bool example, std::string& error, std::string& warning);
    // The same for a circuit kept in the browser's storage: counted as
    // unsaved when it was.
    bool restore(std::string_view bytes, const std::string& name, bool example, bool modified, std::string& error);
    void new_circuit();
    // The bytes Save writes (GBK, CR LF).
    bool save(std::string& bytes, std::string& error) const;
    // The bytes went out as a download under `name`: the circuit is that
    // file now, saved.
    void saved_as(const std::string& name);
    // The name the title shows ("无标题" for a new circuit) and whether Save
    // must ask for a name first (a new circuit or an example).
    std::string title_name() const;
    bool save_asks_name() const { return example_ || c_->file_name.empty(); }
    bool example() const { return example_; }
    // Moves on with every step, open, new, undo and redo: the page keeps
    // the circuit in the browser's storage when it moved.
    long long revision() const { return revision_; }

    // After every command that may have changed the circuit: one step of
    // the undo history, `modified` kept true to what was last saved.
    void commit();
    bool undo();
    bool redo();

    // --- running (session_run.cpp) ---------------------------------------------------------
    void run_start();
    // Passes until `budget_ms` milliseconds have gone or the circuit stopped;
    // returns how many ran.
    long long run_for(double budget_ms);
    void stop();
    bool running() const { return c_->running != 0; }
    // From the stopped circuit, `passes` passes in virtual time, as
    // vorlisk-sim --passes runs them, then Stop; the test points keep their
    // readings and the indicators show what they showed after the last pass
    // until the next Run or Stop.
    bool run_passes(long long passes, std::string& error);
    // The time label after "T：".
    std::string time_text() const;

    // --- switches, readings, the box (session_run.cpp) ---------------------------------------
    sim::Signals signals() const;
    // A level switch by its test point's label or its component name.
    bool set_switch(const std::string& name, int level, std::string& error);
    // A level switch by its component name, as its double click does.
    bool toggle_switch(const std::string& object_name);
    // Test-point label → 0 or 1, in table order.
    std::vector<std::pair<std::string, int>> readings() const;
    // What the LEDs and displays show, in the order of signals().indicators
    // (sim::read_value): the run's while running or after run_passes, dark
    // while stopped.
    std::vector<uint32_t> indicator_values() const;
    EmulatedBox& box() { return box_; }
    void plug_box(bool in);

    // --- properties and settings (session_dialogs.cpp) -----------------------------------------
    std::optional<Refusal> set_time_settings(bool virtual_time, std::string_view step, std::string_view delay);
    std::optional<Refusal> set_pulse(const std::string& name, int idle, std::string_view frequency,
                                     std::string_view width, std::string_view phase, std::string_view count);
    std::optional<Refusal> set_test_point_label(const std::string& name, std::string_view label);
    std::optional<Refusal> set_annotation(const std::string& name, std::string_view text, int32_t back_color,
                                          bool show_back, int32_t frame_color, bool show_frame, int32_t font_color);
    // The one-shot dialog's widths as shown; OK takes the exact width
    // behind a text left as shown (opening and OK change nothing).
    std::vector<std::string> one_shot_texts(const std::string& name);
    std::optional<Refusal> one_shot_rc(const std::string& name, int section, std::string_view r, std::string_view cap,
                                       std::string& text);
    std::optional<Refusal> set_one_shot(const std::string& name, const std::vector<std::string>& texts);
    bool set_probe(const std::string& name, const std::vector<std::string>& test_points);
    // The chip tool with the kind chosen in the chooser.
    std::optional<Refusal> choose_chip(int page, std::string_view typed);

    // --- instruments (session_instruments.cpp) ------------------------------------------------
    TruthTable& table() { return table_; }
    TraceRecorder& trace() { return trace_; }
    TracePages& trace_pages() { return trace_pages_; }
    // Showing a window fills in default items when its first eight slots
    // are empty (no step of the history); hiding it stops its recording.
    void show_table(bool shown);
    void show_trace(bool shown);
    bool table_shown() const { return table_shown_; }
    bool trace_shown() const { return trace_shown_; }
    void table_defaults();
    void trace_defaults();
    void set_table_mode(const std::string& mode);
    // The record-items dialog's OK: entry indices (item_entries) per slot.
    void set_items(bool trace, const std::vector<int>& entries);
    // The samples and the pages start over, from time 0.
    void clear_trace();
    // "开始纪录": the scale checked and kept; the samples start afresh.
    std::optional<Refusal> start_trace(std::string_view scale);
    bool trace_recording() const { return trace_recording_; }
    void stop_trace() { trace_recording_ = false; }

private:
    // Open, New and a restore: the circuit now is a file (or none).
    void took_circuit(const std::string& name, bool example, bool saved);
    void follow_file_place();
    void open_links();
    void close_links();
    PassHooks pass_hooks();
    void restart_trace(double start);

    std::unique_ptr<Circuit> c_;
    History history_;
    Editor editor_;
    PageView view_;
    bool example_ = false;
    long long revision_ = 0;
    bool shows_run_ = false;
    std::vector<uint32_t> shown_indicators_;  // after run_passes

    EmulatedBox box_;
    Ch341Chooser link_{box_, nullptr};

    TruthTable table_;
    TraceRecorder trace_;
    TracePages trace_pages_;
    bool table_shown_ = false;
    bool trace_shown_ = false;
    bool trace_recording_ = false;

    // The one-shot dialog: the texts shown and the exact widths behind them.
    std::array<std::string, 2> one_shot_shown_;
    std::array<double, 2> one_shot_exact_{};
};

// The file name a message names: the last part of `name`, a plain name
// when that is empty or no name at all.
std::string file_name_of(const std::string& name);

}  // namespace vorlisk::web
