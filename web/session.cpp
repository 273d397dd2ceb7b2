// The session's files: Open, New, Save and a restore from the browser's
// storage, and the undo history's steps.
#include "web/session.h"

#include <cstdio>
#include <fstream>

#include "model/circuit_file.h"
#include "model/open_warning.h"

namespace vorlisk::web {

std::string file_name_of(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") base = "电路.vlk";
    return base;
}

namespace {

// The loader reads files: the bytes become one in the page's own memory,
// under the name the messages give, and are gone again after the load.
FileResult open_bytes(Circuit& c, std::string_view bytes, const std::string& path) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            std::remove(path.c_str());
            FileResult r;
            r.code = FileResult::unreadable;
            r.message = "内存不足，无法打开“" + path + "”。";
            return r;
        }
    }
    FileResult r = open_circuit(c, path);
    std::remove(path.c_str());
    return r;
}

}  // namespace

Session::Session() : c_(make_circuit()) {
    history_.reset(*c_);
    table_.clear_table(*c_, c_->table_items);
}

void Session::took_circuit(const std::string& name, bool example, bool saved) {
    c_->file_name = name;
    c_->selection.clear();  // names of the old circuit would pick new records
    editor_ = Editor{};
    view_.take();
    example_ = example;
    stop();  // a file may have been saved while running
    table_.clear_table(*c_, c_->table_items);
    restart_trace(0.0);
    trace_recording_ = false;
    history_.reset(*c_, saved);
    follow_file_place();
    ++revision_;
}

void Session::follow_file_place() {
    // Trying an example's switches leaves nothing to save: Save could not
    // write over it anyway, and the levels were never the user's work.
    history_.count_switch_levels(*c_, !example_);
}

bool Session::open(std::string_view bytes, const std::string& name, bool example, std::string& error,
                   std::string& warning) {
    if (running()) stop();
    const std::string path = file_name_of(name);
    const FileResult r = open_bytes(*c_, bytes, path);
    if (!r) {
        error = r.message;
        return false;
    }
    // Values no dialog accepts were replaced: what is open is no longer
    // what the file holds.
    took_circuit(path, example, r.timing_line == 0 && r.drawing_line == 0);
    warning = reset_values_warning(r, path);
    return true;
}

bool Session::restore(std::string_view bytes, const std::string& name, bool example, bool modified,
                      std::string& error) {
    if (running()) stop();
    const std::string path = file_name_of(name);
    const FileResult r = open_bytes(*c_, bytes, path);
    if (!r) {
        error = r.message;
        return false;
    }
    // A new circuit was kept under a name of its own: it is new again.
    took_circuit(name.empty() ? std::string() : path, example, !modified);
    return true;
}

void Session::new_circuit() {
    if (running()) stop();
    vorlisk::new_circuit(*c_);
    took_circuit({}, false, true);
}

bool Session::save(std::string& bytes, std::string& error) const {
    const FileResult r = circuit_bytes(*c_, bytes);
    if (!r) error = r.message.empty() ? "保存文件失败。" : r.message;
    return bool(r);
}

void Session::saved_as(const std::string& name) {
    c_->file_name = file_name_of(name);
    example_ = false;
    history_.mark_saved(*c_);
    follow_file_place();
    ++revision_;
}

std::string Session::title_name() const { return c_->file_name.empty() ? "无标题" : c_->file_name; }

void Session::commit() {
    if (history_.commit(*c_)) ++revision_;
}

namespace {

// After undo or redo: an instrument whose items changed starts over with
// the items the circuit has now.
template <class Step>
bool restore_step(Circuit& c, TruthTable& table, TraceRecorder& trace, Step step) {
    const auto table_before = c.table_items, trace_before = c.trace_items;
    if (!step()) return false;
    if (c.table_items != table_before) table.clear_table(c, c.table_items);
    if (c.trace_items != trace_before) trace.clear();
    return true;
}

}  // namespace

bool Session::undo() {
    // A drag in progress would go on moving what undo put back.
    if (editor_.mouse_down) return false;
    history_.commit(*c_);  // an edit not yet recorded becomes the step undone
    const bool done = restore_step(*c_, table_, trace_, [&] { return history_.undo(*c_); });
    if (done) ++revision_;
    return done;
}

bool Session::redo() {
    if (editor_.mouse_down) return false;
    const bool done = restore_step(*c_, table_, trace_, [&] { return history_.redo(*c_); });
    if (done) ++revision_;
    return done;
}

}  // namespace vorlisk::web
