#include "tools/make_examples/builder.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chips/chip_table.h"
#include "model/text_metrics.h"

namespace vorlisk::examples {

BendPoint Builder::pin(int chip, int n) const {
    const MY_BASE_OBJ& o = c_.objects[chip];
    const MY_CHIPS& d = c_.chip_table[find_chip_def(c_, chip_type_of(o.kind))];
    const ChipPin& p = d.pins[n - 1];
    return p.role == 2 ? output_pin(o, p.index) : input_pin(o, p.index);
}

void Builder::wire(BendPoint a, BendPoint b, std::initializer_list<BendPoint> corners) {
    std::vector<BendPoint> bends;
    BendPoint last = a;
    for (BendPoint p : corners)
        if (!(p == last)) bends.push_back(p), last = p;
    if (!bends.empty() && bends.back() == b) bends.pop_back();
    add_wire(c_, a, b, bends);
}

void Builder::wire_via_x(BendPoint a, BendPoint b, int x) { wire(a, b, {{x, a.y}, {x, b.y}}); }
void Builder::wire_via_y(BendPoint a, BendPoint b, int y) { wire(a, b, {{a.x, y}, {b.x, y}}); }

namespace {
// Lanes: columns left of a chip at chip.x - 50 - 10 * lane, columns right of
// it at chip.x + 50 + 10 * lane, rows under it at bottom + 30 + 10 * lane.
int left_column(const MY_BASE_OBJ& o, int lane) { return o.x - 50 - 10 * lane; }
int right_column(const MY_BASE_OBJ& o, int lane) { return o.x + 50 + 10 * lane; }
int row_under(const MY_BASE_OBJ& o, int lane) { return o.y + o.body_rect.bottom + 30 + 10 * lane; }
}  // namespace

void Builder::to_pin(BendPoint from, int chip, int n, int lane) {
    const MY_BASE_OBJ& o = c_.objects[chip];
    BendPoint p = pin(chip, n);
    int lx = left_column(o, lane);
    if (p.x < o.x) {
        wire(from, p, {{lx, from.y}, {lx, p.y}});
    } else {
        int ry = row_under(o, lane), rx = right_column(o, lane);
        wire(from, p, {{lx, from.y}, {lx, ry}, {rx, ry}, {rx, p.y}});
    }
}

void Builder::from_pin(int chip, int n, BendPoint to, int lane) {
    const MY_BASE_OBJ& o = c_.objects[chip];
    BendPoint p = pin(chip, n);
    int rx = right_column(o, lane);
    if (p.x > o.x) {
        wire(p, to, {{rx, p.y}, {rx, to.y}});
    } else {
        int lx = left_column(o, lane), ry = row_under(o, lane);
        wire(p, to, {{lx, p.y}, {lx, ry}, {rx, ry}, {rx, to.y}});
    }
}

void Builder::rail_to_pins(BendPoint from, int chip, std::initializer_list<std::pair<int, int>> pins_and_lanes) {
    const MY_BASE_OBJ& o = c_.objects[chip];
    std::vector<std::pair<int, int>> order(pins_and_lanes);
    auto reach = [&](const std::pair<int, int>& pl) { return std::abs(left_column(o, pl.second) - from.x); };
    std::stable_sort(order.begin(), order.end(), [&](auto& a, auto& b) { return reach(a) > reach(b); });
    for (size_t k = 0; k < order.size(); ++k) {
        if (k == 0) {
            to_pin(from, chip, order[k].first, order[k].second);
            continue;
        }
        BendPoint branch{left_column(o, order[k].second), from.y};
        junction(branch);
        to_pin(branch, chip, order[k].first, order[k].second);
    }
}

void Builder::junction(BendPoint at) { add_junction(c_, at.x, at.y); }

void Builder::probe(BendPoint at, std::string_view label, Label where) {
    int t = add_test_point(c_, at.x, at.y);
    MY_TEST_POINT& tp = c_.test_points[t];
    tp.label = std::string(label);
    switch (where) {
        case Label::above: tp.label_dy = -5 - measure_text(tp.label, FontKind::component).height; break;
        case Label::below: tp.label_dy = 4; break;
        case Label::left:
            tp.label_dy = -5 - measure_text(tp.label, FontKind::component).height;
            tp.label_dx = -5 - measure_text(tp.label, FontKind::test_point).width;
            break;
    }
}

void Builder::note(int x, int y, std::initializer_list<std::string_view> lines) {
    ZHU_SHI_S& a = c_.annotations[c_.annotation_count++];
    a = ZHU_SHI_S{};
    c_.next_serial += 1;
    a.name = "注释" + std::to_string(c_.next_serial);
    a.kind = "注释";
    a.x = x, a.y = y;
    int widest = 0;
    for (std::string_view line : lines) {
        a.text_lines.emplace_back(line);
        // The annotation font is 16 px bold; scale the 14 px bold metrics.
        widest = std::max(widest, measure_text(line, FontKind::test_point).width * 16 / 14);
    }
    a.width = widest;
    a.height = int(double(lines.size()) * 16 * 1.1);
    c_.touch();
}

void Builder::pulse(int obj, double hz, double phase, double width) {
    MY_BASE_OBJ& o = c_.objects[obj];
    o.pulse_frequency = hz;
    o.pulse_phase = phase;
    o.pulse_width = width;
}

}  // namespace vorlisk::examples
