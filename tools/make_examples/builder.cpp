#include "tools/make_examples/builder.h"

#include <algorithm>
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

void Builder::probe(BendPoint at, std::string_view label) {
    int t = add_test_point(c_, at.x, at.y);
    MY_TEST_POINT& tp = c_.test_points[t];
    tp.label = std::string(label);
    tp.label_dy = -5 - measure_text(tp.label, FontKind::component).height;
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
