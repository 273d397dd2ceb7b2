// The timing diagram's picture: the grid with the rows' labels, the traces
// of a page, their extension while recording, and the time axis an
// exported picture has below the grid. The desktop's window and the
// browser page both draw it through these, so a page and its exported
// picture are the same commands everywhere; the windows keep only their
// state (which page, which size) and their controls.
#pragma once

#include <string>
#include <vector>

#include "instruments/trace.h"
#include "render/paint_surface.h"

namespace vorlisk {

// A row is 60 pixels: the trace's band of 40 and a gap, so a low line and
// the next row's high line are as far apart as the two levels of one trace
// and never read as one double line.
constexpr int kTraceRowPitch = 60;
constexpr int kTraceTop = 10;  // from the row's top to its band
inline int trace_row_top(int row) { return kTraceRowPitch * row + kTraceTop; }
constexpr int kTraceAxisHeight = 38;  // the strip below the grid in an exported picture

CanvasFont trace_label_font();  // the rows' labels: Arial 14 bold, navy
CanvasFont trace_axis_font();   // the times under the grid: Arial 11

// What the diagram shows at its present size.
struct TraceLayout {
    int width = 0;   // the drawing area, pixels
    int height = 0;
    int label_width = 0;  // the widest label's advance
    int rows = 0;         // the highest used slot + 1
};

// The layout for the circuit's chosen slots at this size.
TraceLayout trace_layout(const Circuit& c, int width, int height);

// The empty diagram on white: the axis lines, the grid and every used
// row's label.
void draw_trace_grid(PaintSurface& s, const Circuit& c, const TraceLayout& layout);

// Every row's samples from the one in force at `from` up to `to`, on the
// axis of the page: a page redrawn from the recording.
void draw_trace_rows(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                     double from, double to, const TraceAxis& axis);

// Every row extended from `drawn_time` up to `now` while recording.
void draw_trace_extension(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                          double drawn_time, double now, const TraceAxis& axis);

// A time of the axis under the grid: where its division line is, and its text.
struct TraceAxisLabel {
    int x = 0;
    std::string text;
    bool operator==(const TraceAxisLabel&) const = default;
};
// Every division's time, or every 2nd, 5th, 10th ... where the times would
// run into each other.
std::vector<TraceAxisLabel> trace_axis_labels(const TraceAxis& axis, int width);

// The page as it is exported: the grid, the page's traces and, below them,
// the time axis with its ticks, times and scale. Its size is the layout's
// width by its height + kTraceAxisHeight.
void draw_trace_picture(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                        double from, double to, const TraceAxis& axis);

}  // namespace vorlisk
