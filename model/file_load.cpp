// Reading the circuit file's blocks into the tables. Each table's count
// grows only when a record has been read completely, so a faulty line
// leaves dense tables holding what came before it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "model/catalogue.h"
#include "model/edit.h"
#include "model/file_drawing.h"
#include "model/file_format.h"
#include "model/text_metrics.h"

namespace vorlisk {

bool has_pulse_block(std::string_view kind) {
    return kind == "单脉冲" || kind == "连续脉冲" || kind == "可置数脉冲" || kind == "可编程单脉冲";
}

namespace {

// Values the loader replaced, each noted with its line: the first line, and
// the first few problems (a damaged file may hold thousands), "；" apart.
void note(int& first_line, std::string& problems, int line, const std::string& problem) {
    constexpr size_t kNamed = 3;
    constexpr std::string_view kApart = "；", kMore = "等";
    if (first_line == 0) first_line = line;
    if (problems.ends_with(kMore)) return;
    size_t named = problems.empty() ? 0 : 1;
    for (size_t at = problems.find(kApart); at != std::string::npos; at = problems.find(kApart, at + kApart.size())) ++named;
    if (named == kNamed) {
        problems += kMore;
        return;
    }
    if (!problems.empty()) problems += kApart;
    problems += "第 " + std::to_string(line) + " 行的" + problem;
}

// A drawing value: one outside its range is noted and gives way to the
// row's reset value; `in_range` is cleared for the caller when a value
// derived from the record has to take its place.
int32_t drawing_value(LineReader& in, DrawingValue k, FileResult& result, bool* in_range = nullptr) {
    const int line = in.line_number();
    const int32_t v = in.int32();
    if (drawing_value_ok(k, v)) return v;
    const DrawingRange& r = drawing_range(k);
    note(result.drawing_line, result.drawing_problem, line,
         std::string(r.what) + " " + std::to_string(v) + " 不在 " + std::to_string(r.low) + "～" + std::to_string(r.high) +
             " 之间");
    if (in_range) *in_range = false;
    return r.reset;
}

void read_category(LineReader& in, CategoryStyle& s, FileResult& result) {
    s.border_color = in.int32();
    s.border_width = drawing_value(in, DrawingValue::border_width, result);
    s.fill_color = in.int32();
    s.font_color = in.int32();
    s.font_bold = in.flag();
}

std::string number_text(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

void note_timing(FileResult& result, int line, const std::string& problem) {
    note(result.timing_line, result.timing_problem, line, problem);
}

void read_settings(LineReader& in, Circuit& c, FileResult& result) {
    DrawSettings& d = c.draw;
    c.next_serial = in.int32();
    // The run state of the writer means nothing here: a loaded circuit is
    // stopped until Run, so the value is read and dropped.
    (void)in.int32();
    c.virtual_time = in.int32();
    // Virtual time computes with these; a value the settings dialog refuses
    // would run with a frozen clock or logic that never computes. The reset
    // value takes its place, and the caller decides whether to go on.
    const int step_line = in.line_number();
    c.time_step = in.real();
    if (!(c.time_step > 0.0 && c.time_step <= kMaxTimeStep)) {
        note_timing(result, step_line, "计算步长 " + number_text(c.time_step) + " 不是不大于 86400 的正实数（秒）");
        c.time_step = 0.001;
    }
    const int delay_line = in.line_number();
    c.device_delay = in.int32();
    if (c.device_delay < 1) {
        note_timing(result, delay_line, "器件延时 " + std::to_string(c.device_delay) + " 不是正整数");
        c.device_delay = 1;
    }
    c.step_counter = in.int32();
    d.back_color = in.int32();
    d.grid_color = in.int32();
    d.show_grid = in.flag();
    d.wire_width = drawing_value(in, DrawingValue::wire_width, result);
    c.default_symbol_style = in.int32();
    d.junction_color = in.int32();
    d.junction_size = drawing_value(in, DrawingValue::junction_size, result);
    d.test_point_ring_color = in.int32();
    d.test_point_fill_color = in.int32();
    d.test_point_font_color = in.int32();
    d.test_point_font_bold = in.flag();
    for (int k = 0; k <= static_cast<int>(Category::leds); ++k) read_category(in, d.category[k], result);
    d.led_on_color = in.int32();
    d.led_off_color = in.int32();
    read_category(in, d.of(Category::displays), result);
    d.seg_on_color = in.int32();
    d.seg_off_color = in.int32();
    c.net_mode = in.int32();
    c.out_init_mode = in.int32();
    c.file_real_1 = in.real();
}

void read_view(LineReader& in, Circuit& c) {
    const int32_t n = in.count(kMaxIgnoredLines, "视图行数");
    int32_t pos[2] = {0, 0};
    for (int32_t i = 0; i < n; ++i) {
        const int32_t v = in.int32();
        if (i < 2) pos[i] = v;
    }
    // The tables are still empty, so this only sets the positions.
    scroll_to(c, pos[0], pos[1]);
}

void read_pins(LineReader& in, int16_t& count, PinArray16& dx, PinArray16& dy, PinArray16& sdx,
               PinArray16& sdy, PinVolts& v, PinArray16& mark, std::string_view what) {
    count = int16_t(in.count(kMaxPins, what));
    for (int k = 0; k < count; ++k) {
        dx[k] = in.int16();
        dy[k] = in.int16();
        sdx[k] = in.int16();
        sdy[k] = in.int16();
        v[k] = in.volts();
        mark[k] = in.int16();
    }
}

void read_pulse(LineReader& in, MY_BASE_OBJ& o) {
    o.idle_level = in.text();
    o.pulse_frequency = in.real();
    // As many pairs as a save writes at most: a larger count would ask for
    // a file of gigabytes.
    o.pulse_count = in.int32_at_most(kMaxSavedPulseCount, "脉冲置数");
    // The first pair is the one that counts; the rest repeat it. A count
    // below 1 carries no pair, and then nothing of a former circuit stays.
    o.pulse_phase = 0.0;
    o.pulse_width = 0.0;
    for (int32_t i = 0; i < o.pulse_count; ++i) {
        const double phase = in.real();
        const double width = in.real();
        if (i == 0) o.pulse_phase = phase, o.pulse_width = width;
    }
}

// The rectangles placement gives the kind, turned as the record is.
void place_rectangles(const Circuit& c, MY_BASE_OBJ& o) {
    auto placed = std::make_unique<MY_BASE_OBJ>();
    build_component(c, *placed, o.kind, 0, 0, 0);
    for (int turns = (o.rotation % 4 + 4) % 4; turns > 0; --turns) turn_clockwise(*placed);
    o.body_rect = placed->body_rect;
    o.outline_rect = placed->outline_rect;
}

void read_object(LineReader& in, const Circuit& c, MY_BASE_OBJ& o, FileResult& result) {
    o.name = in.text();
    o.kind = in.text();
    o.x = int16_t(in.coord("元件"));
    o.y = int16_t(in.coord("元件"));
    bool rectangles_ok = true;
    for (Rect32* r : {&o.body_rect, &o.outline_rect})
        for (int32_t* side : {&r->left, &r->top, &r->right, &r->bottom})
            *side = drawing_value(in, DrawingValue::outline, result, &rectangles_ok);
    read_pins(in, o.input_count, o.in_dx, o.in_dy, o.in_stub_dx, o.in_stub_dy, o.in_v, o.in_mark, "输入引脚数");
    read_pins(in, o.output_count, o.out_dx, o.out_dy, o.out_stub_dx, o.out_stub_dy, o.out_v, o.out_mark,
              "输出引脚数");
    o.pass_mark_a = in.int16();
    o.pass_mark_b = in.int16();
    o.border_color = in.int32();
    o.border_width = int16_t(drawing_value(in, DrawingValue::border_width, result));
    o.fill_color = in.int32();
    o.font_color = in.int32();
    o.font_bold = in.word_flag();
    o.rotation = in.int16();
    o.symbol_style = in.int16();
    if (!rectangles_ok) place_rectangles(c, o);

    o.line_count = int16_t(in.count(kMaxShapes, "符号线条数"));
    for (int k = 0; k < o.line_count; ++k) {
        SymbolLine& l = o.lines[k];
        l.x1 = in.int16(), l.y1 = in.int16(), l.x2 = in.int16(), l.y2 = in.int16();
        l.width = int16_t(drawing_value(in, DrawingValue::line_width, result));
    }
    o.arc_count = int16_t(in.count(kMaxShapes, "圆弧数"));
    for (int k = 0; k < o.arc_count; ++k)
        for (int16_t& v : o.arcs[k]) v = in.int16();
    o.bubble_count = int16_t(in.count(kMaxShapes, "圆圈数"));
    for (int k = 0; k < o.bubble_count; ++k) {
        Bubble& b = o.bubbles[k];
        b.dx = in.int16(), b.dy = in.int16(), b.width = in.int16(), b.flag = in.int16();
    }
    o.label_count = int16_t(in.count(kMaxShapes, "标注文字数"));
    for (int k = 0; k < o.label_count; ++k) {
        o.label_text[k] = in.text();
        o.label_pos[k].dx = in.int16();
        o.label_pos[k].dy = in.int16();
        o.label_half_w[k] = in.int16();
        o.label_half_h[k] = in.int16();
    }
    for (int k = 0; k < kMaxParams; ++k) {
        o.param_int[k] = in.int32();
        o.param_real[k] = in.real();
        o.param_text[k] = in.text();
    }
    if (has_pulse_block(o.kind)) {
        read_pulse(in, o);
    } else {
        o.pulse_phase = o.pulse_width = 0.0;  // not in the file; keep no trace of a former circuit
    }
}

void read_objects(LineReader& in, Circuit& c, FileResult& result) {
    c.object_count = 0;  // the count grows with each complete record, never past the capacity
    const int32_t n = in.count(kMaxObjects, "元件数目");
    for (int32_t i = 0; i < n; ++i) {
        MY_BASE_OBJ& o = c.objects[c.object_count];
        try {
            read_object(in, c, o, result);
        } catch (...) {
            reset_object(c, o);  // no half-read record behind the count
            throw;
        }
        ++c.object_count;
    }
}

void read_wires(LineReader& in, Circuit& c) {
    c.wire_count = 0;
    const int32_t n = in.count(kMaxWires, "导线数目");
    for (int32_t i = 0; i < n; ++i) {
        MY_LINK& w = c.wires[c.wire_count];
        w.name = in.text();
        w.kind = in.text();
        w.x1 = in.coord("导线"), w.y1 = in.coord("导线"), w.x2 = in.coord("导线"), w.y2 = in.coord("导线");
        w.bend_count = 0;
        const int32_t bends = in.count(kMaxBends, "导线折点数");
        for (int32_t b = 0; b < bends; ++b) w.bends[b].x = in.coord("导线折点"), w.bends[b].y = in.coord("导线折点");
        w.bend_count = bends;
        w.visit = 0;
        ++c.wire_count;
    }
}

void read_junctions(LineReader& in, Circuit& c) {
    c.junction_count = 0;
    const int32_t n = in.count(kMaxJunctions, "焊接点数目");
    for (int32_t i = 0; i < n; ++i) {
        MY_POINT& j = c.junctions[c.junction_count];
        j.name = in.text();
        j.kind = in.text();
        j.x = in.coord("焊接点"), j.y = in.coord("焊接点");
        j.visit = 0;
        ++c.junction_count;
    }
}

void read_test_points(LineReader& in, Circuit& c, FileResult& result) {
    c.test_point_count = 0;
    const int32_t n = in.count(kMaxTestPoints, "检测点数目");
    for (int32_t i = 0; i < n; ++i) {
        MY_TEST_POINT& t = c.test_points[c.test_point_count];
        t.name = in.text();
        t.kind = in.text();
        t.label = in.text();
        t.x = in.coord("检测点"), t.y = in.coord("检测点");
        bool label_ok = true;
        t.label_dx = drawing_value(in, DrawingValue::label_offset, result, &label_ok);
        t.label_dy = drawing_value(in, DrawingValue::label_offset, result, &label_ok);
        if (!label_ok) place_test_point_label(t);
        t.value = in.real();
        t.prev_value = in.real();
        ++c.test_point_count;
    }
}

void read_slots(LineReader& in, std::array<std::string, kRecordSlots>& slots, std::string_view what) {
    for (auto& s : slots) s.clear();
    const int32_t n = in.count(kMaxIgnoredLines, what);
    for (int32_t i = 0; i < n; ++i) {
        std::string item = in.text();  // lines beyond the last slot are read and dropped
        if (i < kRecordSlots) slots[i] = std::move(item);
    }
}

void read_record_items(LineReader& in, Circuit& c) {
    c.table_record_mode = in.text();
    read_slots(in, c.table_items, "真值表记录项数");
    c.trace_record_mode = in.text();
    read_slots(in, c.trace_items, "时序图记录项数");
    c.trace_scale = in.real();
}

void read_annotations(LineReader& in, Circuit& c, FileResult& result) {
    c.annotation_count = 0;
    const int32_t n = in.count(kMaxAnnotations, "注释数目");
    for (int32_t i = 0; i < n; ++i) {
        ZHU_SHI_S& a = c.annotations[c.annotation_count];
        a.text_lines.clear();
        a.name = in.text();
        a.kind = in.text();
        a.x = in.coord("注释"), a.y = in.coord("注释");
        a.back_color = in.int32();
        a.frame_color = in.int32();
        a.transparent = in.flag();
        a.framed = in.flag();
        bool size_ok = true;
        a.width = drawing_value(in, DrawingValue::note_size, result, &size_ok);
        a.height = drawing_value(in, DrawingValue::note_size, result, &size_ok);
        a.font_charset = in.uint8();
        a.font_color = in.int32();
        a.font_height = drawing_value(in, DrawingValue::font_height, result);
        a.font_pitch = in.uint8();
        a.font_size = drawing_value(in, DrawingValue::font_size, result);
        uint8_t style = 0;
        for (uint8_t bit : {kFontBold, kFontItalic, kFontUnderline, kFontStrikeOut})
            if (in.style_flag()) style |= bit;
        a.font_style = style;
        a.font_name = in.text();
        const int32_t lines = in.count(kMaxNoteLines, "注释文字行数");
        for (int32_t k = 0; k < lines; ++k) a.text_lines.push_back(in.text());
        if (!size_ok) measure_annotation(a);
        ++c.annotation_count;
    }
}

}  // namespace

// Without the window's fonts the width comes from the component font's
// advances scaled to the annotation's height; the desktop's dialog
// measures exactly at its next OK.
void measure_annotation(ZHU_SHI_S& a) {
    const int pixels = a.font_height != 0 ? std::abs(a.font_height) : std::abs(a.font_size) * 96 / 72;
    const double scale = double(pixels) / std::max(1, kComponentFontMetrics.height);
    double widest = 0;
    for (const std::string& line : a.text_lines)
        widest = std::max(widest, measure_text(line, FontKind::component).width * scale);
    const int32_t most = drawing_range(DrawingValue::note_size).high;
    a.width = int32_t(std::min<double>(std::ceil(widest), most));
    a.height = int32_t(std::min<double>(double(a.text_lines.size()) * pixels * 1.1, most));
}

void read_circuit_body(LineReader& in, Circuit& c, FileResult& result) {
    read_settings(in, c, result);
    read_view(in, c);
    read_objects(in, c, result);
    read_wires(in, c);
    read_junctions(in, c);
    // Each of these two blocks is read only when lines remain; the
    // annotation count after them is always required.
    if (!in.at_end()) read_test_points(in, c, result);
    if (!in.at_end()) read_record_items(in, c);
    read_annotations(in, c, result);
    for (int i = 0; i < c.object_count; ++i) c.objects[i].out_mark.fill(0);

}

}  // namespace vorlisk
