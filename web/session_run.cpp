// The session's Run and Stop, paced by the page, the level switches, the
// readings and the emulated experiment box.
#include <algorithm>
#include <chrono>

#include "engine/hardware.h"
#include "instruments/slots.h"
#include "tools/vorlisk_sim/files.h"
#include "editor/field_text.h"
#include "web/session.h"

namespace vorlisk::web {

void Session::open_links() { vorlisk::open_links(*c_, link_); }

void Session::close_links() { vorlisk::close_links(*c_, link_); }

PassHooks Session::pass_hooks() {
    PassHooks hooks;
    link_pass_hooks(hooks, *c_, link_);
    // The recorders are fed while their windows are shown, as the desktop's are.
    hooks.record_table = [this] {
        if (!table_shown_) return;
        const std::string& mode = c_->table_record_mode;
        if (mode == kRecordOnChange) record_on_change(*c_, c_->table_items, table_);
        else if (mode == kRecordOnSettle) record_on_settle(*c_, c_->table_items, table_);
    };
    hooks.record_trace = [this] {
        if (trace_shown_ && c_->trace_record_mode == kRecordTimed) trace_.sample_step(*c_, c_->trace_items);
    };
    return hooks;
}

void Session::run_start() {
    if (running()) return;
    shows_run_ = false;
    // Run clears the instruments that are shown.
    if (table_shown_) table_.clear_table(*c_, c_->table_items);
    if (trace_shown_) restart_trace(0.0);
    start_run(*c_);
    open_links();  // a box that is not there leaves its link closed, unreported
}

long long Session::run_for(double budget_ms) {
    if (!running()) return 0;
    // The box panel may have been opened or closed since the last frame.
    follow_box_plugging(*c_, link_);
    const PassHooks hooks = pass_hooks();
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const auto budget = std::chrono::duration<double, std::milli>(budget_ms);
    // The clock is read after batches of passes that grow while they are
    // quick, so a small circuit spends its frame on passes, not on the clock.
    long long passes = 0, batch = 1;
    while (running()) {
        const auto batch_start = clock::now();
        for (long long k = 0; k < batch && running(); ++k) run_pass(*c_, hooks);
        passes += batch;
        const auto now = clock::now();
        if (now - start >= budget) break;
        if (now - batch_start < budget / 16 && batch < 65536) batch *= 2;
    }
    return passes;
}

void Session::stop() {
    stop_circuit(*c_);
    close_links();
    shows_run_ = false;
}

std::vector<uint32_t> Session::indicator_values() const {
    const std::vector<sim::Reading> indicators = signals().indicators;
    if (shows_run_ && shown_indicators_.size() == indicators.size()) return shown_indicators_;
    std::vector<uint32_t> values;
    // A stopped circuit shows its LEDs and displays dark.
    for (const sim::Reading& r : indicators) values.push_back(running() ? sim::read_value(*c_, r, box_.lamps()) : 0);
    return values;
}

bool Session::run_passes(long long passes, std::string& error) {
    if (passes < 0) {
        error = "运算次数不能是负数。";
        return false;
    }
    if (running()) stop();
    // As vorlisk-sim runs a file: from the stopped circuit, in virtual time
    // with the file's step, whatever the settings say; the settings stay.
    stop_circuit(*c_);
    const int32_t virtual_time = c_->virtual_time;
    c_->virtual_time = 1;
    run_start();
    c_->step_counter = 0;
    const PassHooks hooks = pass_hooks();
    for (long long n = 0; n < passes; ++n) run_pass(*c_, hooks);
    // What the indicators showed after the last pass stays on show; the
    // circuit stops as Stop leaves it (the test points keep their readings),
    // so Save writes what the desktop writes.
    shown_indicators_.clear();
    for (const sim::Reading& r : signals().indicators) shown_indicators_.push_back(sim::read_value(*c_, r, box_.lamps()));
    stop();
    c_->virtual_time = virtual_time;
    shows_run_ = true;
    return true;
}

std::string Session::time_text() const { return vorlisk::time_text(c_->sim_time); }

sim::Signals Session::signals() const { return sim::find_signals(*c_); }

bool Session::set_switch(const std::string& name, int level, std::string& error) {
    if (level != 0 && level != 1) {
        error = "“" + name + "”的电平只能是 0 或 1。";
        return false;
    }
    std::vector<std::pair<int, int>> levels;
    if (!sim::apply_sets(*c_, signals(), {{name, level}}, levels, error)) return false;
    for (auto [object, l] : levels) {
        (void)l;
        c_->modified = true;
        c_->wake(object);
        if (running()) c_->objects[object].dirty = 1;
    }
    commit();
    return true;
}

bool Session::toggle_switch(const std::string& object_name) {
    const int i = find_object(*c_, object_name);
    if (i < 0 || c_->objects[i].kind != sim::kSwitchKind) return false;
    toggle_level_switch(*c_, i);
    // While running, the new level counts from the switch's next computation.
    if (running()) c_->objects[i].dirty = 1;
    commit();
    return true;
}

std::vector<std::pair<std::string, int>> Session::readings() const {
    std::vector<std::pair<std::string, int>> out;
    for (const sim::Reading& r : signals().test_points)
        out.emplace_back(r.name, int(sim::read_value(*c_, r, box_.lamps())));
    return out;
}

void Session::plug_box(bool in) {
    if (in) box_.attach();
    else box_.detach();
}

}  // namespace vorlisk::web
