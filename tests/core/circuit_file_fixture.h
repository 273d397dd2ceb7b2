// Helpers of the circuit file tests: a circuit that uses every field the
// file holds, a field-by-field comparison, and line-level file surgery.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "model/catalogue.h"
#include "model/circuit.h"
#include "model/circuit_file.h"
#include "model/edit.h"

namespace vorlisk::file_test {

inline std::string bytes_of(const Circuit& c) {
    std::string out;
    FileResult r = circuit_bytes(c, out);
    EXPECT_TRUE(r) << r.message;
    return out;
}

// Lines of a file written with CR LF (still GBK).
inline std::vector<std::string> lines_of(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    return lines;
}

// Files compared line by line, so that a failure names the first differing line.
inline void expect_same_bytes(const std::string& a, const std::string& b) {
    if (a == b) return;
    const std::vector<std::string> la = lines_of(a), lb = lines_of(b);
    size_t i = 0;
    while (i < la.size() && i < lb.size() && la[i] == lb[i]) ++i;
    ADD_FAILURE() << "files differ first at line " << i + 1 << ": "
                  << (i < la.size() ? la[i] : "<end>") << " | " << (i < lb.size() ? lb[i] : "<end>");
}

inline std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// Every kind of record with values away from the defaults.
inline void build_rich_circuit(Circuit& c) {
    int x = 60;
    auto place = [&](std::string_view kind) {
        const int i = add_component(c, kind, x, 100 + (x % 300));
        x += 70;
        return i;
    };
    for (const KindInfo& k : kind_catalogue()) place(k.kind);
    place("集成芯片组合逻辑(74LS00)");
    place("集成芯片时序逻辑(74LS74)");
    place("集成芯片组合逻辑(74LS83)");  // not in the chip table

    MY_BASE_OBJ& o = c.objects[0];
    o.in_v[0] = 3.6f, o.in_v[1] = 0.1f;
    o.in_mark[1] = -5;
    o.out_mark[0] = 7;  // not kept: loading clears it
    o.pass_mark_a = 3, o.pass_mark_b = -4;
    o.rotation = 2, o.symbol_style = 1, o.font_bold = false, o.border_width = 1;
    o.param_int[9] = -123456;
    o.param_real[3] = 1.0 / 3.0;
    o.param_real[4] = -2.5e-300;
    o.param_text[0] = "检测点5";
    o.param_text[9] = "  spaces kept  ";
    o.label_text[0] = "≥1";
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& p = c.objects[i];
        if (p.kind == "可置数脉冲") {
            p.idle_level = "常高";
            p.pulse_frequency = 1234.5;
            p.pulse_count = 10;
            p.pulse_phase = 1e-4;
            p.pulse_width = 2.5e-4;
        }
    }

    const BendPoint bends[] = {{100, 300}, {150, 300}, {150, 350}};
    add_wire(c, {100, 200}, {200, 350}, bends);
    add_wire(c, {0, 0}, {-10, 20});
    std::vector<BendPoint> many;
    for (int b = 0; b < 99; ++b) many.push_back({b * 10, -b});
    add_wire(c, {1, 2}, {3, 4}, many);
    add_junction(c, 100, 200);
    add_junction(c, -30, 40);
    for (int t = 0; t < 3; ++t) add_test_point(c, 100 + 10 * t, 300);
    c.test_points[0].value = double(kHigh);
    c.test_points[1].prev_value = 0.0;

    c.annotation_count = 2;
    ZHU_SHI_S& a = c.annotations[0];
    a.name = "注释90", a.kind = "注释";
    a.x = -20, a.y = 35, a.width = 200, a.height = 60;
    a.back_color = 0x00ff00, a.frame_color = 0x0000ff, a.transparent = false, a.framed = true;
    a.font_charset = 134, a.font_color = 0x112233, a.font_height = -21, a.font_pitch = 1, a.font_size = 16;
    a.font_style = kFontItalic | kFontUnderline | kFontStrikeOut;
    a.font_name = "宋体";
    a.text_lines = {"第一行", "", "  第三行 trailing  "};
    ZHU_SHI_S& b = c.annotations[1];
    b.name = "注释91", b.kind = "注释";
    b.text_lines.clear();  // zero text lines

    c.virtual_time = 1, c.time_step = 0.0025, c.device_delay = 3, c.step_counter = 7;
    c.net_mode = 1, c.out_init_mode = 2, c.default_symbol_style = 1, c.file_real_1 = 2.75;
    c.draw.back_color = 0x102030, c.draw.show_grid = false, c.draw.wire_width = 1;
    c.draw.junction_size = 4, c.draw.test_point_font_bold = false;
    c.draw.of(Category::gates) = {0x010203, 1, 0x123456, 0x654321, false};
    c.draw.of(Category::displays) = {5, 1, 6, 7, true};
    c.draw.led_off_color = 0x404040, c.draw.seg_on_color = 0x00ff00;
    for (int s = 0; s < kRecordSlots; ++s) c.table_items[s] = s == 2 ? "" : c.test_points[s % 3].name;
    c.trace_items[0] = c.test_points[2].name;
    c.table_record_mode = "状态改变时记录";
    c.trace_record_mode = "时序记录";
    c.trace_scale = 0.05;
    c.scroll_h = 30, c.scroll_v = 5;
}

// Every field the file holds; `out_mark` must come back as 0.
inline void expect_same_file_fields(const Circuit& a, const Circuit& b) {
    EXPECT_EQ(a.next_serial, b.next_serial);
    EXPECT_EQ(a.virtual_time, b.virtual_time);
    EXPECT_EQ(a.time_step, b.time_step);
    EXPECT_EQ(a.device_delay, b.device_delay);
    EXPECT_EQ(a.step_counter, b.step_counter);
    EXPECT_EQ(a.default_symbol_style, b.default_symbol_style);
    EXPECT_EQ(a.net_mode, b.net_mode);
    EXPECT_EQ(a.out_init_mode, b.out_init_mode);
    EXPECT_EQ(a.file_real_1, b.file_real_1);
    DrawSettings da = a.draw, db = b.draw;
    da.wire_color = db.wire_color = 0;  // not in the file
    EXPECT_TRUE(da == db);
    EXPECT_EQ(a.scroll_h, b.scroll_h);
    EXPECT_EQ(a.scroll_v, b.scroll_v);

    ASSERT_EQ(a.object_count, b.object_count);
    for (int i = 0; i < a.object_count; ++i) {
        const MY_BASE_OBJ &p = a.objects[i], &q = b.objects[i];
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.name, q.name);
        EXPECT_EQ(p.kind, q.kind);
        EXPECT_EQ(p.x, q.x);
        EXPECT_EQ(p.y, q.y);
        EXPECT_EQ(p.body_rect, q.body_rect);
        EXPECT_EQ(p.outline_rect, q.outline_rect);
        ASSERT_EQ(p.input_count, q.input_count);
        for (int k = 0; k < p.input_count; ++k) {
            EXPECT_EQ(p.in_dx[k], q.in_dx[k]);
            EXPECT_EQ(p.in_dy[k], q.in_dy[k]);
            EXPECT_EQ(p.in_stub_dx[k], q.in_stub_dx[k]);
            EXPECT_EQ(p.in_stub_dy[k], q.in_stub_dy[k]);
            EXPECT_EQ(p.in_v[k], q.in_v[k]);
            EXPECT_EQ(p.in_mark[k], q.in_mark[k]);
        }
        ASSERT_EQ(p.output_count, q.output_count);
        for (int k = 0; k < p.output_count; ++k) {
            EXPECT_EQ(p.out_dx[k], q.out_dx[k]);
            EXPECT_EQ(p.out_dy[k], q.out_dy[k]);
            EXPECT_EQ(p.out_stub_dx[k], q.out_stub_dx[k]);
            EXPECT_EQ(p.out_stub_dy[k], q.out_stub_dy[k]);
            EXPECT_EQ(p.out_v[k], q.out_v[k]);
            EXPECT_EQ(q.out_mark[k], 0);
        }
        EXPECT_EQ(p.pass_mark_a, q.pass_mark_a);
        EXPECT_EQ(p.pass_mark_b, q.pass_mark_b);
        EXPECT_EQ(p.border_color, q.border_color);
        EXPECT_EQ(p.border_width, q.border_width);
        EXPECT_EQ(p.fill_color, q.fill_color);
        EXPECT_EQ(p.font_color, q.font_color);
        EXPECT_EQ(p.font_bold, q.font_bold);
        EXPECT_EQ(p.rotation, q.rotation);
        EXPECT_EQ(p.symbol_style, q.symbol_style);
        ASSERT_EQ(p.line_count, q.line_count);
        for (int k = 0; k < p.line_count; ++k) EXPECT_EQ(p.lines[k], q.lines[k]);
        ASSERT_EQ(p.arc_count, q.arc_count);
        for (int k = 0; k < p.arc_count; ++k) EXPECT_EQ(p.arcs[k], q.arcs[k]);
        ASSERT_EQ(p.bubble_count, q.bubble_count);
        for (int k = 0; k < p.bubble_count; ++k) EXPECT_EQ(p.bubbles[k], q.bubbles[k]);
        ASSERT_EQ(p.label_count, q.label_count);
        for (int k = 0; k < p.label_count; ++k) {
            EXPECT_EQ(p.label_text[k], q.label_text[k]);
            EXPECT_EQ(p.label_pos[k], q.label_pos[k]);
            EXPECT_EQ(p.label_half_w[k], q.label_half_w[k]);
            EXPECT_EQ(p.label_half_h[k], q.label_half_h[k]);
        }
        EXPECT_EQ(p.param_int, q.param_int);
        EXPECT_EQ(p.param_real, q.param_real);
        EXPECT_EQ(p.param_text, q.param_text);
        if (p.kind == "连续脉冲" || p.kind == "可置数脉冲") {
            EXPECT_EQ(p.idle_level, q.idle_level);
            EXPECT_EQ(p.pulse_frequency, q.pulse_frequency);
            EXPECT_EQ(p.pulse_count, q.pulse_count);
            EXPECT_EQ(p.pulse_phase, q.pulse_phase);
            EXPECT_EQ(p.pulse_width, q.pulse_width);
        }
    }
    ASSERT_EQ(a.wire_count, b.wire_count);
    for (int i = 0; i < a.wire_count; ++i) {
        const MY_LINK &p = a.wires[i], &q = b.wires[i];
        EXPECT_EQ(p.name, q.name);
        EXPECT_EQ(p.kind, q.kind);
        EXPECT_EQ(std::tie(p.x1, p.y1, p.x2, p.y2), std::tie(q.x1, q.y1, q.x2, q.y2));
        ASSERT_EQ(p.bend_count, q.bend_count);
        for (int k = 0; k < p.bend_count; ++k) EXPECT_EQ(p.bends[k], q.bends[k]);
    }
    ASSERT_EQ(a.junction_count, b.junction_count);
    for (int i = 0; i < a.junction_count; ++i) {
        const MY_POINT &p = a.junctions[i], &q = b.junctions[i];
        EXPECT_EQ(std::tie(p.name, p.kind, p.x, p.y), std::tie(q.name, q.kind, q.x, q.y));
    }
    ASSERT_EQ(a.test_point_count, b.test_point_count);
    for (int i = 0; i < a.test_point_count; ++i) {
        const MY_TEST_POINT &p = a.test_points[i], &q = b.test_points[i];
        EXPECT_EQ(std::tie(p.name, p.kind, p.label, p.x, p.y, p.label_dx, p.label_dy, p.value, p.prev_value),
                  std::tie(q.name, q.kind, q.label, q.x, q.y, q.label_dx, q.label_dy, q.value, q.prev_value));
    }
    EXPECT_EQ(a.table_record_mode, b.table_record_mode);
    EXPECT_EQ(a.trace_record_mode, b.trace_record_mode);
    EXPECT_EQ(a.table_items, b.table_items);
    EXPECT_EQ(a.trace_items, b.trace_items);
    EXPECT_EQ(a.trace_scale, b.trace_scale);
    ASSERT_EQ(a.annotation_count, b.annotation_count);
    for (int i = 0; i < a.annotation_count; ++i) {
        const ZHU_SHI_S &p = a.annotations[i], &q = b.annotations[i];
        EXPECT_EQ(std::tie(p.name, p.kind, p.x, p.y, p.back_color, p.frame_color, p.transparent, p.framed),
                  std::tie(q.name, q.kind, q.x, q.y, q.back_color, q.frame_color, q.transparent, q.framed));
        EXPECT_EQ(std::tie(p.width, p.height, p.font_charset, p.font_color, p.font_height, p.font_pitch),
                  std::tie(q.width, q.height, q.font_charset, q.font_color, q.font_height, q.font_pitch));
        EXPECT_EQ(std::tie(p.font_size, p.font_style, p.font_name, p.text_lines),
                  std::tie(q.font_size, q.font_style, q.font_name, q.text_lines));
    }
}

}  // namespace vorlisk::file_test
