#include "instruments/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "instruments/vcd.h"

namespace vorlisk {

void TraceRecorder::clear() {
    for (SampleList& l : lists_) l.clear();
    started_ = false;
    any_sample_ = false;
    first_time_ = 0.0;
    virtual_time_ = true;
    time_step_ = 0.0;
}

void TraceRecorder::note_timing(const Circuit& c) {
    if (!any_sample_) first_time_ = c.sim_time, any_sample_ = true;
    first_time_ = std::min(first_time_, c.sim_time);
    if (c.virtual_time == 0) virtual_time_ = false;
    else if (time_step_ == 0.0 || c.time_step < time_step_) time_step_ = c.time_step;
}

bool TraceRecorder::empty() const {
    return std::all_of(lists_.begin(), lists_.end(), [](const SampleList& l) { return l.empty(); });
}

void TraceRecorder::sample_step(const Circuit& c, const RecordSlots& slots) {
    last_time_ = c.sim_time;
    // Once every list has its first sample, a pass in which no reading
    // changed adds nothing (an edit may have given a slot its test point).
    if (started_ && !c.readings_changed && started_serial_ == c.edit_serial) return;
    const auto& index = lookup_.resolve(c, slots);
    started_ = true;
    started_serial_ = c.edit_serial;
    for (int i = 0; i < kRecordSlots; ++i) {
        if (index[i] < 0) continue;
        const MY_TEST_POINT& p = c.test_points[index[i]];
        SampleList& l = lists_[size_t(i)];
        if (l.empty() || std::fabs(p.value - p.prev_value) > kChangeThreshold) {
            l.push_back({c.sim_time, p.value});
            note_timing(c);
        }
    }
}

// --- geometry ----------------------------------------------------------------------

int TraceAxis::x(double t) const {
    const double offset = (t - start_time) * kDivisionWidth / scale;
    // Far off the picture either way; keeps the conversion defined.
    return int(std::clamp(offset, -1e8, 1e8)) + x0();
}

int trace_y(int row, double value) {
    const int top = kRowHeight * row;
    if (value > 2.0) return top + 5;
    if (value > -0.1 && value < 2.0) return top + 35;
    return top + 20;
}

void trace_stretch(const SampleList& list, int row, double drawn_time, double now, const TraceAxis& axis,
                   const LineSink& line) {
    if (list.empty()) return;
    const int x0 = axis.x0();
    auto horizontal = [&](int y, double from, double to) {
        line({std::max(axis.x(from), x0), y, std::max(axis.x(to), x0), y});
    };
    const Sample& last = list.back();
    if (!(last.time > drawn_time)) {
        horizontal(trace_y(row, last.value), drawn_time, now);
        return;
    }
    horizontal(trace_y(row, last.value), last.time, now);
    for (size_t p = list.size() - 1; p >= 1 && list[p].time > drawn_time; --p) {
        const Sample& before = list[p - 1];
        const Sample& s = list[p];
        const int y_before = trace_y(row, before.value), y = trace_y(row, s.value);
        horizontal(y_before, before.time, s.time);
        if (y_before == y) continue;
        const int x = axis.x(s.time);
        // The edge meets the 2-pixel level lines without a notch.
        if (y_before < y) line({x, y_before - 1, x, y});
        else line({x, y_before, x, y - 1});
    }
}

// --- export ---------------------------------------------------------------------------

bool write_trace_vcd(std::ostream& out, const TraceRecorder& rec, const std::vector<std::string>& names) {
    VcdTimescale unit;  // real time: microseconds
    if (rec.virtual_time() && rec.time_step() > 0) {
        const auto scale = vcd_timescale(rec.time_step());
        if (!scale) return false;  // a step the dump cannot express
        unit = scale->first;
    }
    // The dump starts at the first sample: a recording begun minutes into
    // a run would otherwise open with minutes of unknown levels.
    const double start = rec.first_time();
    // Times beyond the dump's range fail the export instead of wrapping.
    bool in_range = true;
    auto tick = [&](double t) {
        const auto ticks = vcd_ticks(std::max(t - start, 0.0), unit);
        in_range = in_range && ticks;
        return ticks.value_or(0);
    };

    std::vector<std::string> wires;
    std::vector<int> wire_list;  // the sample list each wire shows
    for (int i = 0; i < kRecordSlots && i < int(names.size()); ++i)
        if (!names[size_t(i)].empty()) wires.push_back(names[size_t(i)]), wire_list.push_back(i);

    // Every sample of every shown list, in time order.
    std::vector<std::tuple<uint64_t, size_t, char>> changes;
    for (size_t w = 0; w < wire_list.size(); ++w)
        for (const Sample& s : rec.list(wire_list[w])) changes.emplace_back(tick(s.time), w, vcd_level(s.value));
    std::stable_sort(changes.begin(), changes.end(),
                     [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });

    const uint64_t end_tick = tick(rec.last_time());
    if (!in_range) return false;

    char began[64];
    std::snprintf(began, sizeof began, "%.9g", start);
    VcdWriter vcd;
    vcd.begin(out, "Vorlisk", unit, wires, std::string("时刻 0 为运行时间 ") + began + " 秒");
    std::vector<char> levels(wires.size(), 'x');
    uint64_t last = 0;
    for (size_t k = 0; k < changes.size();) {
        const uint64_t at = std::get<0>(changes[k]);
        // Readings that round to one tick: the latest of them holds.
        for (; k < changes.size() && std::get<0>(changes[k]) == at; ++k)
            levels[std::get<1>(changes[k])] = std::get<2>(changes[k]);
        vcd.sample(at, levels);
        last = at;
    }
    return vcd.close(std::max(last, end_tick));
}

}  // namespace vorlisk
