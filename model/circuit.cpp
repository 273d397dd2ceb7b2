#include "model/circuit.h"

#include "chips/chip_table.h"
#include "engine/compiled.h"

namespace vorlisk {

Circuit::Circuit() : draw(reset_draw_settings()) {}
Circuit::~Circuit() = default;

std::unique_ptr<Circuit> make_circuit() {
    auto c = std::make_unique<Circuit>();
    build_chip_table(*c);
    new_circuit(*c);
    return c;
}

void reset_object(const Circuit& c, MY_BASE_OBJ& o) {
    const float in0 = (c.net_mode == 0 || c.net_mode == 2) ? kLow : kHigh;
    const float out0 = (c.out_init_mode == 0 || c.out_init_mode == 2) ? kLow : kHigh;
    o.name.clear();
    o.kind.clear();
    o.input_count = o.output_count = 0;
    o.line_count = o.arc_count = o.bubble_count = o.label_count = 0;
    o.in_dx.fill(0), o.in_dy.fill(0), o.in_stub_dx.fill(0), o.in_stub_dy.fill(0);
    o.out_dx.fill(0), o.out_dy.fill(0), o.out_stub_dx.fill(0), o.out_stub_dy.fill(0);
    o.in_v.fill(in0), o.prev_in_v.fill(in0);
    o.out_v.fill(out0), o.prev_out_v.fill(out0);
    o.in_mark.fill(0), o.out_mark.fill(0), o.aux_int.fill(0), o.state.fill(0);
    o.pass_mark_a = o.pass_mark_b = 0;
    o.border_color = 0;
    o.border_width = 2;
    o.fill_color = 0xececec;
    o.font_color = 0;
    o.font_bold = true;
    o.rotation = 0;
    o.symbol_style = int16_t(c.default_symbol_style);
    o.param_int.fill(0);
    o.param_real.fill(0.0);
    for (auto& t : o.param_text) t.clear();
    o.idle_level.clear();
    o.pulse_frequency = 0.0;
    o.pulse_count = 0;
    o.dirty = 0;
}

void new_circuit(Circuit& c) {
    c.file_name.clear();
    c.current_tool.clear();
    c.next_serial = 0;
    c.modified = false;
    c.running = 0;
    c.virtual_time = 0;
    c.time_step = 0.001;
    c.device_delay = 1;
    c.step_counter = 1;
    c.draw = reset_draw_settings();

    c.object_count = 0;
    for (MY_BASE_OBJ& o : c.objects) reset_object(c, o);
    c.wire_count = 0;
    for (MY_LINK& w : c.wires) w.name.clear(), w.kind.clear(), w.bend_count = 0;
    c.junction_count = 0;
    for (MY_POINT& j : c.junctions) j.name.clear(), j.kind.clear();
    c.test_point_count = 0;
    for (MY_TEST_POINT& t : c.test_points) {
        t.name.clear(), t.kind.clear();
        t.value = 0.0;
        t.prev_value = -2.0;
    }
    c.annotation_count = 0;
    for (ZHU_SHI_S& a : c.annotations) {
        ZHU_SHI_S fresh;
        fresh.x = a.x, fresh.y = a.y, fresh.width = a.width, fresh.height = a.height;
        a = std::move(fresh);  // defaults: white back, navy frame, Arial 16 px bold navy
    }
    c.clip_object_count = c.clip_wire_count = c.clip_junction_count = c.clip_test_point_count = 0;
    for (int i = 0; i < c.clip_annotation_count; ++i) c.clip_annotations[i].text_lines.clear();
    c.clip_annotation_count = 0;
    c.drawing_wire.name.clear();
    c.drawing_wire.bend_count = 0;

    for (auto& s : c.table_items) s.clear();
    for (auto& s : c.trace_items) s.clear();
    c.table_record_mode = "手动记录";
    c.trace_record_mode = "时序记录";
    c.scroll_h = c.scroll_v = 0;
    c.touch();
}

namespace {
template <class Table, class Field>
int find_first(const Table& t, int count, std::string_view key, Field field) {
    for (int i = 0; i < count; ++i)
        if (t[i].*field == key) return i;
    return -1;
}
}  // namespace

int find_object(const Circuit& c, std::string_view n) { return find_first(c.objects, c.object_count, n, &MY_BASE_OBJ::name); }
int find_wire(const Circuit& c, std::string_view n) { return find_first(c.wires, c.wire_count, n, &MY_LINK::name); }
int find_junction(const Circuit& c, std::string_view n) { return find_first(c.junctions, c.junction_count, n, &MY_POINT::name); }
int find_test_point(const Circuit& c, std::string_view n) {
    return find_first(c.test_points, c.test_point_count, n, &MY_TEST_POINT::name);
}
int find_test_point_by_label(const Circuit& c, std::string_view l) {
    return find_first(c.test_points, c.test_point_count, l, &MY_TEST_POINT::label);
}
int find_annotation(const Circuit& c, std::string_view n) {
    return find_first(c.annotations, c.annotation_count, n, &ZHU_SHI_S::name);
}
int find_selected(const Circuit& c, std::string_view n) {
    for (size_t i = 0; i < c.selection.size(); ++i)
        if (c.selection[i] == n) return int(i);
    return -1;
}

}  // namespace vorlisk
