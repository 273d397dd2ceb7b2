#include "render/trace_diagram.h"

#include <algorithm>
#include <cmath>

#include "editor/field_text.h"

namespace vorlisk {

namespace {

constexpr int32_t kAxisGrey = 0x646464;
constexpr int32_t kGridGrey = 0xdcdcdc;
constexpr int32_t kNavy = 0x800000;
constexpr int kTraceWidth = 2;  // the traces' pen

template <class Draw>
void each_row(const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout, Draw draw) {
    for (int q = 0; q < layout.rows && q < kRecordSlots; ++q) {
        const SampleList& list = rec.list(q);
        if (!c.trace_items[size_t(q)].empty() && !list.empty()) draw(q, list);
    }
}

LineSink row_lines(PaintSurface& s, int row) {
    return [&s, dy = trace_row_top(row)](const TraceLine& l) { s.line(l.x1, l.y1 + dy, l.x2, l.y2 + dy); };
}

}  // namespace

CanvasFont trace_label_font() { return {"Arial", 14, true, false, false, false, kNavy}; }
CanvasFont trace_axis_font() { return {"Arial", 11, false, false, false, false, kBlack}; }

TraceLayout trace_layout(const Circuit& c, int width, int height) {
    TraceLayout layout{width, height, 0, last_used_slot(c.trace_items) + 1};
    const CanvasFont font = trace_label_font();
    for (const std::string& slot : c.trace_items) {
        if (slot.empty()) continue;
        const int t = find_test_point(c, slot);
        if (t >= 0) layout.label_width = std::max(layout.label_width, measure(font, c.test_points[t].label).width);
    }
    return layout;
}

void draw_trace_grid(PaintSurface& s, const Circuit& c, const TraceLayout& layout) {
    const int w = layout.width, h = layout.height, lw = layout.label_width;
    s.set_pen(kWhite);
    s.set_brush(kWhite);
    s.rectangle(0, 0, w, h);
    s.set_pen(kAxisGrey, 1);
    s.line(lw + 10, 0, lw + 10, h);
    s.set_pen(kAxisGrey, 2);
    s.line(lw + 13, 0, lw + 13, h);

    s.set_font(trace_label_font());
    for (int q = 0; q < layout.rows && q < kRecordSlots; ++q) {
        const std::string& slot = c.trace_items[size_t(q)];
        if (slot.empty()) continue;
        const int t = find_test_point(c, slot);
        if (t >= 0) s.text(5, trace_row_top(q) + 12, c.test_points[t].label);
    }

    const int x0 = lw + 13;
    s.set_pen(kGridGrey, 1);
    for (int k = 1;; ++k) {
        s.line(x0 + 1, kTraceRowPitch * k, w, kTraceRowPitch * k);
        s.line(lw + 9, kTraceRowPitch * k, 0, kTraceRowPitch * k);
        if (kTraceRowPitch * k > h) break;
    }
    for (int k = 1;; ++k) {
        s.line(kDivisionWidth * k + x0 + 1, 0, kDivisionWidth * k + x0 + 1, h);
        if (kDivisionWidth * k > w) break;
    }
}

void draw_trace_rows(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                     double from, double to, const TraceAxis& axis) {
    s.set_pen(kBlack, kTraceWidth);
    auto later = [](double t, const Sample& x) { return t < x.time; };
    each_row(c, rec, layout, [&](int q, const SampleList& list) {
        // The sample in force at `from` and every later one up to `to`.
        auto first = std::upper_bound(list.begin(), list.end(), from, later);
        if (first != list.begin()) --first;
        const auto last = std::upper_bound(first, list.end(), to, later);
        if (first == last) return;
        const SampleList page(first, last);
        trace_stretch(page, 0, page.front().time - 1.0, to, axis, row_lines(s, q));
    });
    s.set_pen_width(1);
}

void draw_trace_extension(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                          double drawn_time, double now, const TraceAxis& axis) {
    s.set_pen(kBlack, kTraceWidth);
    each_row(c, rec, layout, [&](int q, const SampleList& list) {
        trace_stretch(list, 0, drawn_time, now, axis, row_lines(s, q));
    });
    s.set_pen_width(1);
}

std::vector<TraceAxisLabel> trace_axis_labels(const TraceAxis& a, int width) {
    const CanvasFont font = trace_axis_font();
    // Pages start at a whole division: the division lines fall on whole multiples of the scale.
    const long long first = std::llround(a.start_time / a.scale);
    auto time_at = [&](int k) { return general_text(double(first + k) * a.scale); };
    int every = 1;
    for (int n : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        every = n;
        int widest = 0;
        for (int k = 0; kDivisionWidth * k + a.x0() < width; k += n)
            widest = std::max(widest, measure(font, time_at(k)).width);
        if (widest + 8 <= n * kDivisionWidth) break;
    }
    std::vector<TraceAxisLabel> labels;
    for (int k = 0; kDivisionWidth * k + a.x0() < width; k += every)
        labels.push_back({k == 0 ? a.x0() : kDivisionWidth * k + a.x0() + 1, time_at(k)});
    return labels;
}

void draw_trace_picture(PaintSurface& s, const Circuit& c, const TraceRecorder& rec, const TraceLayout& layout,
                        double from, double to, const TraceAxis& axis) {
    const int w = layout.width, h = layout.height;
    s.set_pen(kWhite);
    s.set_brush(kWhite);
    s.rectangle(0, 0, w, h + kTraceAxisHeight);
    draw_trace_grid(s, c, layout);
    draw_trace_rows(s, c, rec, layout, from, to, axis);

    const int x0 = axis.x0();
    s.set_pen(kAxisGrey, 1);
    s.line(x0, h, w, h);
    for (int k = 0; kDivisionWidth * k + x0 < w; ++k) {
        const int x = k == 0 ? x0 : kDivisionWidth * k + x0 + 1;
        s.line(x, h, x, h + 4);
    }
    const CanvasFont font = trace_axis_font();
    s.set_font(font);
    for (const TraceAxisLabel& l : trace_axis_labels(axis, w)) {
        const int half = measure(font, l.text).width / 2;
        s.text(std::clamp(l.x - half, 0, std::max(0, w - 2 * half)), h + 6, l.text);
    }
    s.text(5, h + 21, "比例：" + general_text(c.trace_scale) + " 秒/格");
}

}  // namespace vorlisk
