#include "tools/make_examples/layout_check.h"

#include <algorithm>
#include <cstdlib>

#include "chips/chip_table.h"
#include "model/text_metrics.h"

namespace vorlisk::examples {
namespace {

// A half-open pixel box [x0, x1) x [y0, y1) and what it shows.
struct Box {
    int x0, y0, x1, y1;
    std::string what;
    bool has(int x, int y) const { return x0 <= x && x < x1 && y0 <= y && y < y1; }
};

// A straight piece of a wire or a pin stroke, end points included.
struct Seg {
    int x0, y0, x1, y1;
    std::string what;
    int wire = -1;  // wire index, or -1 for a pin stroke
};

bool boxes_meet(const Box& a, const Box& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

// Walks the pixels of a horizontal, vertical or 45-degree segment.
template <class F>
bool any_pixel(const Seg& s, F f) {
    const int dx = (s.x1 > s.x0) - (s.x1 < s.x0), dy = (s.y1 > s.y0) - (s.y1 < s.y0);
    const int n = std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0));
    for (int i = 0; i <= n; ++i)
        if (f(s.x0 + dx * i, s.y0 + dy * i)) return true;
    return false;
}

bool seg_meets_box(const Seg& s, const Box& b) {
    return any_pixel(s, [&](int x, int y) { return b.has(x, y); });
}

// Two horizontal or two vertical segments sharing more than a point.
bool run_along(const Seg& a, const Seg& b) {
    auto overlap = [](int a0, int a1, int b0, int b1) {
        return std::min(std::max(a0, a1), std::max(b0, b1)) - std::max(std::min(a0, a1), std::min(b0, b1)) > 0;
    };
    if (a.y0 == a.y1 && b.y0 == b.y1 && a.y0 == b.y0) return overlap(a.x0, a.x1, b.x0, b.x1);
    if (a.x0 == a.x1 && b.x0 == b.x1 && a.x0 == b.x0) return overlap(a.y0, a.y1, b.y0, b.y1);
    return false;
}

// The point lies on the segment but is not one of its ends.
bool inside(const Seg& s, int x, int y) {
    if ((x == s.x0 && y == s.y0) || (x == s.x1 && y == s.y1)) return false;
    return any_pixel(s, [&](int px, int py) { return px == x && py == y; });
}

Box text_box(int x, int y, std::string_view text, FontKind font, std::string what) {
    TextSize t = measure_text(text, font);
    return {x, y, x + t.width, y + t.height, std::move(what)};
}

struct Shapes {
    std::vector<Box> bodies;       // component bodies and rail symbols
    std::vector<Box> pin_numbers;  // package pin numbers beside chip pins
    std::vector<Box> labels;       // test-point labels and annotations
    std::vector<Box> rings;        // test-point rings
    std::vector<Seg> pins;         // pin strokes
    std::vector<Seg> wires;        // wire pieces
    struct Point {
        int x, y;
        std::string what;
    };
    std::vector<Point> tips;  // pin tips and wire ends
};

void add_pin_numbers(const Circuit& c, const MY_BASE_OBJ& o, Shapes& s) {
    const int def = find_chip_def(c, chip_type_of(o.kind));
    if (def < 0) return;
    const MY_CHIPS& chip = c.chip_table[def];
    for (int p = 0; p < std::min(chip.pin_count, kMaxPins); ++p) {
        const ChipPin& pin = chip.pins[p];
        const bool in = pin.role == 1;
        if ((pin.role != 1 && pin.role != 2) || pin.index >= (in ? o.input_count : o.output_count)) continue;
        const int k = pin.index;
        const int tx = o.x + (in ? o.in_dx[k] : o.out_dx[k]), ty = o.y + (in ? o.in_dy[k] : o.out_dy[k]);
        const int sx = o.x + (in ? o.in_stub_dx[k] : o.out_stub_dx[k]);
        const int sy = o.y + (in ? o.in_stub_dy[k] : o.out_stub_dy[k]);
        const std::string number = std::to_string(p + 1);
        const TextSize t = measure_text(number, FontKind::chip);
        // The digits' ink, as the canvas places them above or beside the stroke.
        std::string what = "pin " + number + " number of " + o.name;
        if (ty == sy) {
            const int x0 = (tx + sx) / 2 - t.width / 2;
            s.pin_numbers.push_back({x0, ty - t.height + 2, x0 + t.width, ty - 1, std::move(what)});
        } else {
            const int y0 = (ty + sy) / 2 - t.height / 2;
            s.pin_numbers.push_back({tx - t.width - 2, y0, tx - 2, y0 + t.height, std::move(what)});
        }
    }
}

Shapes collect(const Circuit& c) {
    Shapes s;
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const int x = o.x, y = o.y;
        if (o.kind == "Vcc") {
            s.bodies.push_back({x - 10, y - 18, x + 13, y - 5, o.name});
        } else if (o.kind == "Gnd") {
            s.bodies.push_back({x - 7, y + 2, x + 8, y + 12, o.name});
            s.bodies.push_back({x - 10, y + 13, x + 14, y + 26, o.name});
        } else {
            const Rect32& r = o.body_rect;
            s.bodies.push_back({x + r.left, y + r.top, x + r.right + 1, y + r.bottom + 1, o.name});
            for (int k = 0; k < std::min<int>(o.input_count, kMaxPins); ++k) {
                s.pins.push_back({x + o.in_stub_dx[k], y + o.in_stub_dy[k], x + o.in_dx[k], y + o.in_dy[k],
                                  "input " + std::to_string(k) + " of " + o.name});
                s.tips.push_back({x + o.in_dx[k], y + o.in_dy[k], s.pins.back().what});
            }
            for (int k = 0; k < std::min<int>(o.output_count, kMaxPins); ++k) {
                s.pins.push_back({x + o.out_stub_dx[k], y + o.out_stub_dy[k], x + o.out_dx[k], y + o.out_dy[k],
                                  "output " + std::to_string(k) + " of " + o.name});
                s.tips.push_back({x + o.out_dx[k], y + o.out_dy[k], s.pins.back().what});
            }
        }
        if (contains(o.kind, "集成芯片")) add_pin_numbers(c, o, s);
    }
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        BendPoint prev{l.x1, l.y1};
        const int n = std::clamp(l.bend_count, 0, kMaxBends);
        for (int b = 0; b <= n; ++b) {
            BendPoint next = b < n ? l.bends[b] : BendPoint{l.x2, l.y2};
            s.wires.push_back({prev.x, prev.y, next.x, next.y, l.name, w});
            prev = next;
        }
        s.tips.push_back({l.x1, l.y1, "an end of " + l.name});
        s.tips.push_back({l.x2, l.y2, "an end of " + l.name});
    }
    for (int t = 0; t < c.test_point_count; ++t) {
        const MY_TEST_POINT& p = c.test_points[t];
        s.labels.push_back(text_box(p.x + p.label_dx, p.y + p.label_dy, p.label, FontKind::test_point,
                                    "label " + p.label));
        s.rings.push_back({p.x - 4, p.y - 4, p.x + 5, p.y + 5, "ring of " + p.label});
    }
    for (int a = 0; a < c.annotation_count; ++a) {
        const ZHU_SHI_S& n = c.annotations[a];
        s.labels.push_back({n.x - 3, n.y - 3, n.x + n.width + 4, n.y + n.height + 4, n.name});
    }
    return s;
}

bool junction_at(const Circuit& c, int x, int y) {
    for (int j = 0; j < c.junction_count; ++j)
        if (c.junctions[j].x == x && c.junctions[j].y == y) return true;
    return false;
}

}  // namespace

std::vector<std::string> layout_faults(const Circuit& c, int width, int height) {
    const Shapes s = collect(c);
    std::vector<std::string> faults;
    auto fault = [&](const std::string& a, const char* verb, const std::string& b) {
        faults.push_back(a + ' ' + verb + ' ' + b);
    };

    for (size_t i = 0; i < s.labels.size(); ++i) {
        const Box& l = s.labels[i];
        for (const Seg& w : s.wires)
            if (seg_meets_box(w, l)) fault(l.what, "lies on", w.what);
        for (const Seg& p : s.pins)
            if (seg_meets_box(p, l)) fault(l.what, "lies on", p.what);
        for (const auto* boxes : {&s.bodies, &s.pin_numbers})
            for (const Box& b : *boxes)
                if (boxes_meet(l, b)) fault(l.what, "lies on", b.what);
        // Test-point labels come first, in the order of their rings.
        for (size_t r = 0; r < s.rings.size(); ++r)
            if (r != i && boxes_meet(l, s.rings[r])) fault(l.what, "lies on", s.rings[r].what);
        for (size_t j = i + 1; j < s.labels.size(); ++j)
            if (boxes_meet(l, s.labels[j])) fault(l.what, "lies on", s.labels[j].what);
    }

    for (size_t i = 0; i < s.wires.size(); ++i) {
        const Seg& w = s.wires[i];
        for (const auto* boxes : {&s.bodies, &s.pin_numbers})
            for (const Box& b : *boxes)
                if (seg_meets_box(w, b)) fault(w.what, "runs over", b.what);
        for (size_t j = i + 1; j < s.wires.size(); ++j)
            if (run_along(w, s.wires[j])) fault(w.what, "runs along", s.wires[j].what);
        for (const Seg& p : s.pins)
            if (run_along(w, p)) fault(w.what, "runs along", p.what);
        for (const auto& t : s.tips)
            if (inside(w, t.x, t.y) && !junction_at(c, t.x, t.y)) fault(w.what, "passes over", t.what);
        if (any_pixel(w, [&](int x, int y) { return x < 0 || y < 0 || x >= width || y >= height; }))
            fault(w.what, "leaves", "the first screen");
    }

    for (size_t i = 0; i < s.bodies.size(); ++i)
        for (size_t j = i + 1; j < s.bodies.size(); ++j)
            if (s.bodies[i].what != s.bodies[j].what && boxes_meet(s.bodies[i], s.bodies[j]))
                fault(s.bodies[i].what, "lies on", s.bodies[j].what);

    for (const auto* boxes : {&s.bodies, &s.labels})
        for (const Box& b : *boxes)
            if (b.x0 < 0 || b.y0 < 0 || b.x1 > width || b.y1 > height) fault(b.what, "leaves", "the first screen");
    return faults;
}

}  // namespace vorlisk::examples
