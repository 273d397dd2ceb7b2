// Writing the circuit file: the same blocks in the same order as the
// reader, one value per line.
#include <algorithm>

#include "model/file_format.h"

namespace vorlisk {

namespace {

// Counts come from memory that only this program writes, but a file with a
// count beyond a capacity could never be opened again: clamp defensively.
int clamped(int v, int capacity) { return std::clamp(v, 0, capacity); }

void write_category(LineWriter& out, const CategoryStyle& s) {
    out.integer(s.border_color);
    out.integer(s.border_width);
    out.integer(s.fill_color);
    out.integer(s.font_color);
    out.flag(s.font_bold);
}

void write_settings(LineWriter& out, const Circuit& c) {
    const DrawSettings& d = c.draw;
    out.integer(c.next_serial);
    out.integer(c.running);
    out.integer(c.virtual_time);
    out.real(c.time_step, "仿真步长");
    out.integer(c.device_delay);
    out.integer(c.step_counter);
    out.integer(d.back_color);
    out.integer(d.grid_color);
    out.flag(d.show_grid);
    out.integer(d.wire_width);
    out.integer(c.default_symbol_style);
    out.integer(d.junction_color);
    out.integer(d.junction_size);
    out.integer(d.test_point_ring_color);
    out.integer(d.test_point_fill_color);
    out.integer(d.test_point_font_color);
    out.flag(d.test_point_font_bold);
    for (int k = 0; k <= static_cast<int>(Category::leds); ++k) write_category(out, d.category[k]);
    out.integer(d.led_on_color);
    out.integer(d.led_off_color);
    write_category(out, d.of(Category::displays));
    out.integer(d.seg_on_color);
    out.integer(d.seg_off_color);
    out.integer(c.net_mode);
    out.integer(c.out_init_mode);
    out.real(c.file_real_1, "保留数值");
}

void write_pins(LineWriter& out, int count, const PinArray16& dx, const PinArray16& dy, const PinArray16& sdx,
                const PinArray16& sdy, const PinVolts& v, const PinArray16& mark) {
    count = clamped(count, kMaxPins);
    out.integer(count);
    for (int k = 0; k < count; ++k) {
        out.integer(dx[k]);
        out.integer(dy[k]);
        out.integer(sdx[k]);
        out.integer(sdy[k]);
        out.volts(v[k], "引脚电压");
        out.integer(mark[k]);
    }
}

void write_pulse(LineWriter& out, const MY_BASE_OBJ& o) {
    out.text(o.idle_level, "电平设置");
    out.real(o.pulse_frequency, "脉冲频率");
    if (o.pulse_count > kMaxSavedPulseCount) {
        FileResult r;
        r.code = FileResult::write_failed;
        r.message = "无法保存：元件“" + o.name + "”的脉冲置数 " + std::to_string(o.pulse_count) + " 超过上限 " +
                    std::to_string(kMaxSavedPulseCount) + "。";
        throw FileError{std::move(r)};
    }
    out.integer(o.pulse_count);
    // One pair per preset pulse, all alike: readers take the first.
    for (int32_t i = 0; i < o.pulse_count; ++i) {
        out.real(o.pulse_phase, "脉冲相位");
        out.real(o.pulse_width, "脉冲宽度");
    }
}

void write_object(LineWriter& out, const MY_BASE_OBJ& o) {
    out.text(o.name, "名称");
    out.text(o.kind, "类型");
    out.integer(o.x);
    out.integer(o.y);
    for (const Rect32* r : {&o.body_rect, &o.outline_rect}) {
        out.integer(r->left);
        out.integer(r->top);
        out.integer(r->right);
        out.integer(r->bottom);
    }
    write_pins(out, o.input_count, o.in_dx, o.in_dy, o.in_stub_dx, o.in_stub_dy, o.in_v, o.in_mark);
    write_pins(out, o.output_count, o.out_dx, o.out_dy, o.out_stub_dx, o.out_stub_dy, o.out_v, o.out_mark);
    out.integer(o.pass_mark_a);
    out.integer(o.pass_mark_b);
    out.integer(o.border_color);
    out.integer(o.border_width);
    out.integer(o.fill_color);
    out.integer(o.font_color);
    out.word_flag(o.font_bold);
    out.integer(o.rotation);
    out.integer(o.symbol_style);

    const int lines = clamped(o.line_count, kMaxShapes);
    out.integer(lines);
    for (int k = 0; k < lines; ++k) {
        const SymbolLine& l = o.lines[k];
        for (int16_t v : {l.x1, l.y1, l.x2, l.y2, l.width}) out.integer(v);
    }
    const int arcs = clamped(o.arc_count, kMaxShapes);
    out.integer(arcs);
    for (int k = 0; k < arcs; ++k)
        for (int16_t v : o.arcs[k]) out.integer(v);
    const int bubbles = clamped(o.bubble_count, kMaxShapes);
    out.integer(bubbles);
    for (int k = 0; k < bubbles; ++k) {
        const Bubble& b = o.bubbles[k];
        for (int16_t v : {b.dx, b.dy, b.width, b.flag}) out.integer(v);
    }
    const int labels = clamped(o.label_count, kMaxShapes);
    out.integer(labels);
    for (int k = 0; k < labels; ++k) {
        out.text(o.label_text[k], "标注文字");
        out.integer(o.label_pos[k].dx);
        out.integer(o.label_pos[k].dy);
        out.integer(o.label_half_w[k]);
        out.integer(o.label_half_h[k]);
    }
    for (int k = 0; k < kMaxParams; ++k) {
        out.integer(o.param_int[k]);
        out.real(o.param_real[k], "参数数值");
        out.text(o.param_text[k], "参数文字");
    }
    if (has_pulse_block(o.kind)) write_pulse(out, o);
}

void write_slots(LineWriter& out, const std::array<std::string, kRecordSlots>& slots) {
    out.integer(kRecordSlots);
    for (const std::string& s : slots) out.text(s, "记录项");
}

void write_annotation(LineWriter& out, const ZHU_SHI_S& a) {
    out.text(a.name, "名称");
    out.text(a.kind, "类型");
    out.integer(a.x);
    out.integer(a.y);
    out.integer(a.back_color);
    out.integer(a.frame_color);
    out.flag(a.transparent);
    out.flag(a.framed);
    out.integer(a.width);
    out.integer(a.height);
    out.integer(a.font_charset);
    out.integer(a.font_color);
    out.integer(a.font_height);
    out.integer(a.font_pitch);
    out.integer(a.font_size);
    for (uint8_t bit : {kFontBold, kFontItalic, kFontUnderline, kFontStrikeOut}) out.flag(a.font_style & bit);
    out.text(a.font_name, "字体名称");
    if (a.text_lines.size() > size_t(kMaxNoteLines))
        out.refuse("文字", "有 " + std::to_string(a.text_lines.size()) + " 行，超过上限 " +
                             std::to_string(kMaxNoteLines) + " 行。");
    out.integer(int64_t(a.text_lines.size()));
    for (const std::string& line : a.text_lines) out.text(line, "文字");
}

std::string nth(int i, const char* what) { return "第 " + std::to_string(i + 1) + " " + what + "的"; }

}  // namespace

void write_circuit(LineWriter& out, const Circuit& c) {
    out.text(kFileHeader, "文件头");
    write_settings(out, c);
    out.integer(2);  // view block: the two scroll positions
    out.integer(c.scroll_h);
    out.integer(c.scroll_v);

    const int objects = clamped(c.object_count, kMaxObjects);
    out.integer(objects);
    for (int i = 0; i < objects; ++i) {
        out.record(nth(i, "个元件"));
        write_object(out, c.objects[i]);
    }
    const int wires = clamped(c.wire_count, kMaxWires);
    out.integer(wires);
    for (int i = 0; i < wires; ++i) {
        const MY_LINK& w = c.wires[i];
        out.record(nth(i, "条导线"));
        out.text(w.name, "名称");
        out.text(w.kind, "类型");
        for (int32_t v : {w.x1, w.y1, w.x2, w.y2}) out.integer(v);
        const int bends = clamped(w.bend_count, kMaxBends);
        out.integer(bends);
        for (int b = 0; b < bends; ++b) out.integer(w.bends[b].x), out.integer(w.bends[b].y);
    }
    const int junctions = clamped(c.junction_count, kMaxJunctions);
    out.integer(junctions);
    for (int i = 0; i < junctions; ++i) {
        const MY_POINT& j = c.junctions[i];
        out.record(nth(i, "个焊接点"));
        out.text(j.name, "名称");
        out.text(j.kind, "类型");
        out.integer(j.x);
        out.integer(j.y);
    }
    const int test_points = clamped(c.test_point_count, kMaxTestPoints);
    out.integer(test_points);
    for (int i = 0; i < test_points; ++i) {
        const MY_TEST_POINT& t = c.test_points[i];
        out.record(nth(i, "个检测点"));
        out.text(t.name, "名称");
        out.text(t.kind, "类型");
        out.text(t.label, "标签");
        for (int32_t v : {t.x, t.y, t.label_dx, t.label_dy}) out.integer(v);
        out.real(t.value, "读数");
        out.real(t.prev_value, "上次读数");
    }

    out.record("真值表的");
    out.text(c.table_record_mode, "记录方式");
    write_slots(out, c.table_items);
    out.record("时序图的");
    out.text(c.trace_record_mode, "记录方式");
    write_slots(out, c.trace_items);
    out.real(c.trace_scale, "时间刻度");

    const int annotations = clamped(c.annotation_count, kMaxAnnotations);
    out.integer(annotations);
    for (int i = 0; i < annotations; ++i) {
        out.record(nth(i, "个注释"));
        write_annotation(out, c.annotations[i]);
    }
}

}  // namespace vorlisk
