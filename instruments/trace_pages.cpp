#include "instruments/trace_pages.h"

#include <algorithm>
#include <cmath>

namespace vorlisk {

void TracePages::restart(double start) {
    starts_.assign(1, start);
    shown_ = 0;
}

void TracePages::show(int page) { shown_ = std::clamp(page, 0, count() - 1); }

std::pair<double, double> TracePages::shown_span(double drawn_time, double last_time) const {
    const double from = starts_[size_t(shown_)];
    return {from, following() ? std::max(drawn_time, last_time) : starts_[size_t(shown_) + 1]};
}

double TracePages::start_at(double t, double scale) {
    if (!(scale > 0)) scale = 1.0;
    return std::floor(t / scale + 1e-9) * scale;
}

bool TracePages::turn(const TraceRecorder& rec, const RecordSlots& slots, int rows, double drawn_time, double scale,
                      int label_width, int width) {
    bool any = false;
    for (int q = 0; q < rows && q < kRecordSlots; ++q) any = any || (!slots[size_t(q)].empty() && !rec.list(q).empty());
    const TraceAxis axis{label_width, live_start(), scale};
    if (!any || axis.x(drawn_time) < width) return false;
    const double next = start_at(drawn_time, scale);
    bool left_has_samples = false;
    for (int q = 0; q < rows && q < kRecordSlots; ++q) {
        const SampleList& list = rec.list(q);
        left_has_samples = left_has_samples || (!list.empty() && list.front().time < next);
    }
    const bool was_following = following();
    if (left_has_samples) starts_.push_back(next);
    else starts_.back() = next;
    if (was_following) shown_ = count() - 1;
    return true;
}

}  // namespace vorlisk
