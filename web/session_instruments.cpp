// The session's side of the truth table and the timing diagram: shown or
// not, their record items and modes, and the start of a recording.
#include "instruments/slots.h"
#include "web/session.h"

namespace vorlisk::web {

void Session::show_table(bool shown) {
    table_shown_ = shown;
    if (!shown || !first_eight_empty(c_->table_items)) return;
    set_default_items(*c_, c_->table_items);
    table_.clear_table(*c_, c_->table_items);
    // What showing writes is no edit of the user's.
    history_.take_in_shown_items(*c_);
}

void Session::show_trace(bool shown) {
    trace_shown_ = shown;
    if (!shown) {
        trace_recording_ = false;  // a hidden diagram draws nothing
        return;
    }
    c_->trace_record_mode = std::string(kRecordTimed);
    if (first_eight_empty(c_->trace_items)) {
        set_default_items(*c_, c_->trace_items);
        restart_trace(0.0);
    }
    history_.take_in_shown_items(*c_);
}

void Session::table_defaults() {
    const RecordSlots before = c_->table_items;
    set_default_items(*c_, c_->table_items);
    table_.clear_table(*c_, c_->table_items);
    if (c_->table_items != before) commit();
}

void Session::trace_defaults() {
    const RecordSlots before = c_->trace_items;
    set_default_items(*c_, c_->trace_items);
    restart_trace(0.0);
    if (c_->trace_items != before) commit();
}

void Session::set_table_mode(const std::string& mode) {
    if (mode == c_->table_record_mode) return;
    c_->table_record_mode = mode;
    commit();
}

void Session::set_items(bool trace, const std::vector<int>& entries) {
    RecordSlots& slots = trace ? c_->trace_items : c_->table_items;
    const RecordSlots before = slots;
    const std::vector<std::string> labels = item_entries(*c_);
    for (size_t k = 0; k < slots.size(); ++k) {
        const int e = k < entries.size() ? entries[k] : 0;
        // Nothing chosen reads as the empty entry.
        slots[k] = e > 0 && size_t(e) < labels.size() ? slot_for_label(*c_, labels[size_t(e)]) : std::string();
    }
    // The instrument starts over with its items, changed or not.
    if (trace) restart_trace(0.0);
    else table_.clear_table(*c_, c_->table_items);
    if (slots != before) commit();
}

void Session::clear_trace() { restart_trace(0.0); }

void Session::restart_trace(double start) {
    trace_.clear();
    trace_pages_.restart(start);
}

std::optional<Refusal> Session::start_trace(std::string_view scale) {
    double s = 0.0;
    if (auto refusal = check_trace_scale(scale, s)) return refusal;
    const bool changed = s != c_->trace_scale;
    c_->trace_scale = s;
    restart_trace(TracePages::start_at(c_->sim_time, s));
    trace_recording_ = true;
    if (changed) commit();
    return std::nullopt;
}

}  // namespace vorlisk::web
