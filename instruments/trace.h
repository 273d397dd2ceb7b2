// The timing-diagram recorder: one list of time-stamped readings per slot,
// extended only when a reading changes, and the geometry the diagram is
// drawn with. The window draws; this part decides what and where.
#pragma once

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "instruments/slots.h"

namespace vorlisk {

// One reading of a test point.
struct Sample {
    double time = 0.0;   // simulation seconds
    double value = 0.0;  // volts
};
using SampleList = std::vector<Sample>;

class TraceRecorder {
public:
    // Drops every sample.
    void clear();
    // One pass: appends (time, reading) to list i when slot i's test point
    // moved by more than 0.1 V or list i is still empty. Slots naming no
    // test point collect nothing.
    void sample_step(const Circuit& c, const RecordSlots& slots);

    const SampleList& list(int slot) const { return lists_[size_t(slot)]; }
    bool empty() const;
    // Simulation time of the latest pass sampled (the samples are valid up
    // to here), 0 before any.
    double last_time() const { return last_time_; }
    // Simulation time of the earliest sample, 0 before any.
    double first_time() const { return first_time_; }
    // How the samples were timed: in virtual time only (else some in real
    // time), and the smallest virtual step they were taken at (seconds; 0
    // when none was). The settings may change after the recording; an
    // export goes by these.
    bool virtual_time() const { return virtual_time_; }
    double time_step() const { return time_step_; }

private:
    std::array<SampleList, kRecordSlots> lists_;
    double last_time_ = 0.0;
    double first_time_ = 0.0;
    bool any_sample_ = false;
    bool virtual_time_ = true;
    double time_step_ = 0.0;
    bool started_ = false;  // every chosen slot has its first sample
    uint64_t started_serial_ = 0;  // the circuit's edit serial when they had
    SlotLookup lookup_;

    void note_timing(const Circuit& c);  // a sample was taken in this pass
};

// --- drawing geometry ------------------------------------------------------------

constexpr int kDivisionWidth = 30;  // pixels per division of the time axis
constexpr int kRowHeight = 40;      // pixels per trace

// Where times fall on the time axis.
struct TraceAxis {
    int label_width = 0;      // widest label, pixels
    double start_time = 0.0;  // time at the left end of the axis
    double scale = 1.0;       // seconds per division

    int x0() const { return label_width + 13; }
    // Truncated, as the diagram has always placed its edges.
    int x(double t) const;
};

// Level of a sample value on row q: the high line, the low line, or (for
// readings that are neither) half-way between them.
int trace_y(int row, double value);

// A line of the diagram; (x1, y1) is drawn, (x2, y2) is not.
struct TraceLine {
    int x1, y1, x2, y2;
};
using LineSink = std::function<void(const TraceLine&)>;

// The lines that extend row `row` from `drawn_time` up to `now`: the level
// from the last sample onwards, and every stretch and edge of the samples
// taken after `drawn_time`. Horizontal lines start no further left than x0.
void trace_stretch(const SampleList& list, int row, double drawn_time, double now, const TraceAxis& axis,
                   const LineSink& line);

// The recorded samples as a Value Change Dump: one wire per name (names[i]
// for list i; an empty name leaves its list out), from the first sample
// (time 0 of the dump; a comment gives its run time) up to the recorder's
// last pass. Samples taken in virtual time count in the unit of the step
// they were taken at, others in microseconds. False when the stream failed
// or the times are beyond what the dump can express.
bool write_trace_vcd(std::ostream& out, const TraceRecorder& rec, const std::vector<std::string>& names);

}  // namespace vorlisk
