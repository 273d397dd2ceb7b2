// The pages of a timing diagram's recording. Each page starts where the one
// before ran off the right edge, at a whole division so the axis reads in
// round times; the last is the one being recorded. Earlier pages stay in
// reach: while one of them is shown the recording goes on unseen, and the
// view follows the recording again once the live page is shown.
#pragma once

#include <utility>
#include <vector>

#include "instruments/slots.h"
#include "instruments/trace.h"

namespace vorlisk {

class TracePages {
public:
    // One page, from `start`, shown.
    void restart(double start);
    int count() const { return int(starts_.size()); }
    int shown() const { return shown_; }
    bool following() const { return shown_ == count() - 1; }
    // Where the page being recorded starts.
    double live_start() const { return starts_.back(); }
    double start(int page) const { return starts_[size_t(page)]; }
    // Shows `page` (kept within the pages there are).
    void show(int page);
    // The times the page shown spans: the live page as far as it was
    // recorded, an earlier one up to where the next begins.
    std::pair<double, double> shown_span(double drawn_time, double last_time) const;
    // Where a page holding time `t` starts.
    static double start_at(double t, double scale);
    // Before the live page is extended up to now: when its traces reached
    // the right edge (`width` pixels) a new page begins at the division of
    // `drawn_time`, and a view that followed shows it. A page on which
    // nothing was recorded (cleared while recording) is replaced rather than
    // kept. True when a page began.
    bool turn(const TraceRecorder& rec, const RecordSlots& slots, int rows, double drawn_time, double scale,
              int label_width, int width);

private:
    std::vector<double> starts_{0.0};
    int shown_ = 0;
};

}  // namespace vorlisk
