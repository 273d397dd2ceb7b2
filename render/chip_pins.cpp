#include "render/chip_pins.h"

#include <algorithm>
#include <string>
#include <vector>

#include "chips/chip_table.h"

namespace vorlisk {

namespace {

constexpr int32_t kPinNumberDark = 0x800000;   // navy, apart from the black labels
constexpr int32_t kPinNumberLight = 0x80ffff;  // pale yellow on a dark canvas
constexpr int kSmallestNameFont = 4;           // pixels; smaller is a smudge even enlarged

// A package pin that has a stroke: its number, its tip and the stroke's
// inner end on the body edge.
struct PackagePin {
    int number;
    int tx, ty, sx, sy;
    bool horizontal() const { return ty == sy; }
};

std::vector<PackagePin> package_pins(const Circuit& c, const MY_BASE_OBJ& o) {
    std::vector<PackagePin> pins;
    const int def = find_chip_def(c, chip_type_of(o.kind));
    if (def < 0) return pins;
    const MY_CHIPS& chip = c.chip_table[def];
    for (int p = 0; p < std::min(chip.pin_count, kMaxPins); ++p) {
        const ChipPin& pin = chip.pins[p];
        const int k = pin.index;
        if (k < 0 || k >= kMaxPins || (pin.role != 1 && pin.role != 2)) continue;
        const bool in = pin.role == 1;
        if (k >= (in ? o.input_count : o.output_count)) continue;
        pins.push_back({p + 1, o.x + (in ? o.in_dx[k] : o.out_dx[k]), o.y + (in ? o.in_dy[k] : o.out_dy[k]),
                        o.x + (in ? o.in_stub_dx[k] : o.out_stub_dx[k]), o.y + (in ? o.in_stub_dy[k] : o.out_stub_dy[k])});
    }
    return pins;
}

// The body's outer pixel columns and rows, first and last; the border lies
// inside them.
struct Body {
    int left, top, right, bottom;
};

Body body_of(const MY_BASE_OBJ& o) {
    const Rect32& b = o.body_rect;
    return {o.x + std::min(b.left, b.right), o.y + std::min(b.top, b.bottom), o.x + std::max(b.left, b.right),
            o.y + std::max(b.top, b.bottom)};
}

}  // namespace

bool shows_pin_names(const PaintSurface& cv, const DrawOptions& view, const MY_BASE_OBJ& o) {
    return view.pin_names && cv.device_scale() >= kPinNamesLegibleFrom && o.symbol_style == 0 &&
           contains(o.kind, "集成芯片");
}

void draw_pin_numbers(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o) {
    CanvasFont f = pin_number_font();
    const int32_t back = c.draw.back_color;
    const int light = (back & 0xff) * 299 + ((back >> 8) & 0xff) * 587 + ((back >> 16) & 0xff) * 114;
    f.color = light >= 128 * 1000 ? kPinNumberDark : kPinNumberLight;
    cv.set_font(f);
    cv.clear_brush();
    const int ascent = measure(f, "").ascent;
    // A thick stroke covers its line and the one above (or left of) it; a
    // clear line follows, then the digits.
    const int gap = (c.draw.wire_width >= 2 ? 1 : 0) + 1;
    for (const PackagePin& p : package_pins(c, o)) {
        const std::string number = std::to_string(p.number);
        const int w = measure(f, number).width;
        if (p.horizontal()) {
            const int x = p.tx < p.sx ? p.sx - 2 - w : p.sx + 2;
            cv.text(x, p.ty - gap - ascent, number);  // the digits stand on the row above the gap
        } else {
            const int y = p.ty < p.sy ? p.sy - 2 : p.sy + 2 + w;
            cv.text_up(p.tx - gap - ascent, y, number);
        }
    }
}

void draw_pin_names(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o) {
    const std::string type = chip_type_of(o.kind);
    const std::vector<PackagePin> pins = package_pins(c, o);
    const Body body = body_of(o);
    const int bw = std::max<int>(o.border_width, 1);
    // The names start a clear pixel inside the border.
    const int first_x = body.left + bw + 1, last_x = body.right - bw - 1;
    const int first_y = body.top + bw + 1, last_y = body.bottom - bw - 1;

    struct Name {
        const PackagePin* pin;
        std::string text;
        bool bar;  // active low
        int size;  // font pixels
        int width;
    };
    CanvasFont f = pin_name_font();
    f.color = o.font_color;
    auto width_of = [&](const std::string& text, int size) {
        CanvasFont g = f;
        g.pixel_height = size;
        return measure(g, text).width;
    };
    std::vector<Name> names;
    for (const PackagePin& p : pins) {
        std::string text(chip_pin_name(type, p.number));
        const bool bar = text.size() > 1 && text[0] == '/';
        if (bar) text.erase(0, 1);
        if (text.empty()) continue;
        names.push_back({&p, text, bar, f.pixel_height, width_of(text, f.pixel_height)});
    }
    // Names that face each other across the body share its width (or
    // height), a gap of two pixels between them; a name alone has it all.
    auto shrink_to = [&](Name& n, int room) {
        while (n.width > room && n.size > kSmallestNameFont) n.width = width_of(n.text, --n.size);
    };
    for (Name& a : names) {
        const int span = a.pin->horizontal() ? last_x - first_x + 1 : last_y - first_y + 1;
        Name* facing = nullptr;
        for (Name& b : names)
            if (&b != &a && b.pin->horizontal() == a.pin->horizontal() &&
                (a.pin->horizontal() ? b.pin->ty == a.pin->ty : b.pin->tx == a.pin->tx))
                facing = &b;
        if (!facing) {
            shrink_to(a, span);
            continue;
        }
        if (&a > facing) continue;  // each pair once
        Name& b = *facing;
        const int room = span - 2;
        // The longer gives way first, down to the other's size; then both.
        while (a.width + b.width > room && std::max(a.size, b.size) > kSmallestNameFont) {
            Name& longer = a.width >= b.width ? a : b;
            longer.width = width_of(longer.text, --longer.size);
        }
    }

    cv.clear_brush();
    for (const Name& n : names) {
        CanvasFont g = f;
        g.pixel_height = n.size;
        cv.set_font(g);
        const TextBox m = measure(g, n.text);
        const int ascent = m.ascent, cap = m.cap_height;
        const PackagePin& p = *n.pin;
        // The capitals centred on the pin's line, the bar a clear line above them.
        if (p.horizontal()) {
            const int x = p.tx < p.sx ? first_x : last_x + 1 - n.width;
            const int top = p.ty - ascent + cap / 2;
            cv.text(x, top, n.text);
            if (n.bar) {
                cv.set_pen(f.color, 1);
                const int row = top + ascent - cap - 2;
                cv.line(x, row, x + n.width - 1, row);
            }
        } else {
            const int y = p.ty < p.sy ? first_y + n.width : last_y + 1;
            const int x = p.tx - ascent + cap / 2;
            cv.text_up(x, y, n.text);
            if (n.bar) {
                cv.set_pen(f.color, 1);
                const int column = x + ascent - cap - 2;
                cv.line(column, y - n.width + 1, column, y);
            }
        }
    }
}

void draw_chip_type_outside(PaintSurface& cv, const MY_BASE_OBJ& o) {
    if (o.label_count < 1) return;
    CanvasFont f = chip_font();
    f.color = o.font_color;
    f.bold = o.font_bold;
    cv.set_font(f);
    cv.clear_brush();
    const std::string& type = o.label_text[0];
    const TextBox m = measure(f, type);
    const int w = m.width;
    const Body body = body_of(o);
    // Types are digits and capitals: nothing reaches below the baseline,
    // which stands two pixels off the body.
    const bool pins_left_right = o.input_count > 0 && o.in_dy[0] == o.in_stub_dy[0];
    if (pins_left_right) cv.text((body.left + body.right + 1 - w) / 2, body.top - 2 - m.ascent, type);
    else cv.text_up(body.left - 2 - m.ascent, (body.top + body.bottom + 1 + w) / 2, type);
}

}  // namespace vorlisk
