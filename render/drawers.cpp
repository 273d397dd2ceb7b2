#include "render/drawers.h"

#include <algorithm>
#include <cmath>

#include "render/chip_pins.h"
#include "model/text_metrics.h"
#include "render/levels.h"
#include "render/pictures.h"
#include "render/segments.h"

namespace vorlisk {

bool is_selected(const Circuit& c, std::string_view name) { return find_selected(c, name) >= 0; }

void draw_component(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    const std::string& k = o.kind;
    if (contains(k, "发光二极管")) draw_led(cv, c, o, mode, view);
    else if (contains(k, "数码管")) draw_display(cv, c, o, mode, view);
    else if (k == "高低电平控制器" || contains(k, "脉冲")) draw_source(cv, c, o, mode, view);
    else if (k == "信号输入器件" || k == "信号输出器件") draw_device(cv, c, o, mode, view);
    else if (k == "Vcc") draw_vcc(cv, c, o, mode, view);
    else if (k == "Gnd") draw_gnd(cv, c, o, mode, view);
    else draw_symbol(cv, c, o, mode, view);
}

namespace {

// Pin strokes from the inner end to the tip, and the tip pixel the line
// leaves out, in the wire look (or the look of the pin's net level).
void draw_pins(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, const DrawOptions& view) {
    const int x = o.x, y = o.y;
    const int obj = index_of(c.objects, o, c.object_count);
    for (int k = 0; k < std::min<int>(o.input_count, kMaxPins); ++k) {
        const LevelLook l = pin_look(view, c, obj, false, k);
        cv.set_pen(l.color, l.width);
        cv.line(x + o.in_stub_dx[k], y + o.in_stub_dy[k], x + o.in_dx[k], y + o.in_dy[k]);
        cv.pixel(x + o.in_dx[k], y + o.in_dy[k], l.color);
    }
    for (int k = 0; k < std::min<int>(o.output_count, kMaxPins); ++k) {
        const LevelLook l = pin_look(view, c, obj, true, k);
        cv.set_pen(l.color, l.width);
        cv.line(x + o.out_stub_dx[k], y + o.out_stub_dy[k], x + o.out_dx[k], y + o.out_dy[k]);
        cv.pixel(x + o.out_dx[k], y + o.out_dy[k], l.color);
    }
    // The symbol's own strokes that follow are drawn with this pen.
    cv.set_pen(c.draw.wire_color, c.draw.wire_width);
}

void draw_picture(PaintSurface& cv, const DrawOptions& view, const PixelPicture Pictures::*which, int x, int y) {
    if (view.pictures) cv.picture(x, y, view.pictures->*which, kPictureBackground);
}

// Whether only what changes while running is repainted: a record marked
// dirty, outside the full redraw.
bool changes_only(const MY_BASE_OBJ& o, int mode) { return mode != 0 && o.dirty; }

}  // namespace


namespace {

// The body in its border and fill; false for a component drawn without one.
bool draw_body(PaintSurface& cv, const MY_BASE_OBJ& o) {
    cv.set_pen(o.border_color, o.border_width);
    cv.set_brush(o.fill_color);
    if (o.symbol_style != 0) return false;
    const int x = o.x, y = o.y;
    const Rect32& b = o.body_rect;
    // A 2-pixel pen reaches up and left, so its box moves by one pixel to
    // keep the outer edge where a 1-pixel box has it.
    if (o.border_width == 2) cv.rectangle(x + b.left + 1, y + b.top + 1, x + b.right + 1, y + b.bottom + 1);
    else cv.rectangle(x + b.left, y + b.top, x + b.right + 1, y + b.bottom + 1);
    return true;
}

}  // namespace

void draw_symbol(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    if (!draw_body(cv, o)) return;
    const int x = o.x, y = o.y;

    draw_pins(cv, c, o, view);

    for (int i = 0; i < std::min<int>(o.line_count, kMaxShapes); ++i) {
        const SymbolLine& l = o.lines[i];
        cv.set_pen_width(l.width);
        cv.line(x + l.x1, y + l.y1, x + l.x2, y + l.y2);
    }
    // A chip's names fill its body: its type stands outside, and its pin-1
    // mark would lie under the first name.
    const bool names = shows_pin_names(cv, view, o);
    if (!names)
        for (int i = 0; i < std::min<int>(o.bubble_count, kMaxShapes); ++i)
            draw_bubble(cv, x + o.bubbles[i].dx, y + o.bubbles[i].dy, o.border_width, o.border_color,
                        c.draw.back_color);

    if (names) {
        draw_chip_type_outside(cv, o);
        draw_pin_names(cv, c, o);
    } else {
        CanvasFont f = contains(o.name, "集成芯片") ? chip_font() : component_font();
        f.color = o.font_color;
        f.bold = o.font_bold;
        cv.set_font(f);
        cv.clear_brush();
        for (int i = 0; i < std::min<int>(o.label_count, kMaxShapes); ++i)
            cv.text(x + o.label_pos[i].dx - o.label_half_w[i] + 1, y + o.label_pos[i].dy - o.label_half_h[i],
                    o.label_text[i]);
    }
    if (view.pin_numbers && contains(o.kind, "集成芯片")) draw_pin_numbers(cv, c, o);
    cv.set_font(component_font());
}

void draw_bubble(PaintSurface& cv, int cx, int cy, int width, int32_t outline, int32_t inside) {
    if (!cv.pixel_exact()) {
        // Enlarged, the pattern would show its steps.
        const int r = width == 2 ? 4 : 3;
        cv.set_pen(outline, width == 2 ? 2 : 1);
        cv.set_brush(inside);
        cv.ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
        return;
    }
    if (width == 2) {
        cv.set_pen(outline, 2);
        cv.line(cx - 3, cy - 1, cx - 3, cy + 1);
        cv.line(cx - 2, cy - 3, cx - 2, cy + 3);
        cv.line(cx + 4, cy - 1, cx + 4, cy + 1);
        cv.line(cx + 3, cy - 3, cx + 3, cy + 3);
        cv.set_pen_width(1);
        cv.line(cx - 3, cy - 3, cx + 3, cy - 3);
        cv.line(cx - 3, cy + 3, cx + 3, cy + 3);
        cv.line(cx - 1, cy - 4, cx + 2, cy - 4);
        cv.line(cx - 1, cy + 4, cx + 2, cy + 4);
    } else {
        cv.set_pen(outline, 1);
        cv.line(cx - 3, cy - 1, cx - 3, cy + 2);
        cv.line(cx - 2, cy - 2, cx - 2, cy + 3);
        cv.line(cx + 3, cy - 1, cx + 3, cy + 2);
        cv.line(cx + 2, cy - 2, cx + 2, cy + 3);
        cv.line(cx - 1, cy - 3, cx + 2, cy - 3);
        cv.line(cx - 1, cy + 3, cx + 2, cy + 3);
    }
    cv.set_pen(inside, 1);
    cv.set_brush(inside);
    cv.rectangle(cx - 2, cy - 1, cx + 3, cy + 2);
    cv.rectangle(cx - 1, cy - 2, cx + 2, cy + 3);
}

void draw_led(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    const int x = o.x, y = o.y;
    const int32_t fill = led_lit(o) ? o.param_int[0] : o.param_int[1];
    cv.set_brush(fill);
    auto highlight = [&] {
        cv.set_pen(kWhite, 1);
        cv.set_brush(kWhite);
        cv.rectangle(x + 3, y - 5, x + 5, y - 3);
    };
    if (changes_only(o, mode)) {  // only the lamp changed: repaint its inside
        cv.set_pen(fill, 1);
        cv.ellipse(x - 8, y - 8, x + 9, y + 9);
        highlight();
        return;
    }
    cv.set_pen(o.border_color, o.border_width);
    cv.ellipse(x - 10, y - 10, x + 11, y + 11);
    cv.set_pen_width(1);
    highlight();
    // Where a platform's wide ring pokes out by a pixel at the top and left,
    // the background goes back; the ring is closed where the pin meets it.
    const int32_t under = c.draw.show_grid ? c.draw.grid_color : c.draw.back_color;
    cv.set_pen(under, 1);
    cv.line(x, y - 11, x, y - 12);
    cv.line(x - 11, y, x - 12, y);
    cv.set_pen(o.border_color, 1);
    cv.line(x - 9, y, x - 10, y);
    draw_pins(cv, c, o, view);
}

unsigned display_segments(const Circuit& c, const MY_BASE_OBJ& o) {
    return c.running == 0 ? 0 : lit_segments(o);
}

void draw_display(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    if (!changes_only(o, mode)) draw_symbol(cv, c, o, mode, view);
    const int X = o.kind == "数码管BCD" ? o.x - 5 : o.x;  // its body is off-centre
    const int Y = o.y;
    const unsigned lit = display_segments(c, o);
    for (int s = 0; s < 7; ++s) {
        cv.set_pen(lit & (1u << s) ? o.param_int[0] : o.param_int[1], 1);
        for (const SegmentStroke& k : kSegmentShapes[s].strokes) cv.line(X + k.x1, Y + k.y1, X + k.x2, Y + k.y2);
    }
    if (o.kind == "数码管") {
        const int32_t colour = lit & (1u << 7) ? o.param_int[0] : o.param_int[1];
        cv.set_pen(colour, 1);
        cv.set_brush(colour);
        cv.rectangle(X + kPointLeft, Y + kPointTop, X + kPointRight, Y + kPointBottom);
    }
}

void draw_source(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    const int x = o.x, y = o.y;
    const bool level = o.kind == "高低电平控制器";
    const PixelPicture Pictures::*level_picture = o.param_int[0] == 1 ? &Pictures::level_high : &Pictures::level_low;
    if (!changes_only(o, mode)) {
        draw_symbol(cv, c, o, mode, view);
        if (level) draw_picture(cv, view, level_picture, x - 20, y - 20);
        else if (o.kind == "连续脉冲") draw_picture(cv, view, &Pictures::pulse_continuous, x - 30, y - 30);
        else if (o.kind == "可置数脉冲") draw_picture(cv, view, &Pictures::pulse_preset, x - 30, y - 30);
    } else if (level) {
        // Toggled while running: the switch shows its new level at once. The
        // body goes first, as the two pictures leave different pixels clear.
        if (draw_body(cv, o)) draw_pins(cv, c, o, view);
        draw_picture(cv, view, level_picture, x - 20, y - 20);
    }
    if (level) return;
    const int32_t lamp = o.out_v[0] > kThreshold ? kRed : kBlack;
    cv.set_pen(lamp, 1);
    cv.set_brush(lamp);
    cv.ellipse(x + 16, y - 26, x + 26, y - 16);
}

void draw_device(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    draw_symbol(cv, c, o, mode, view);
    struct Place {
        const PixelPicture Pictures::*picture;
        int dx, dy;
    };
    static constexpr Place kInput[4] = {{&Pictures::input_vertical, -30, -40},
                                        {&Pictures::input_horizontal, -50, -30},
                                        {&Pictures::input_vertical, -10, -50},
                                        {&Pictures::input_horizontal, -40, -10}};
    static constexpr Place kOutput[4] = {{&Pictures::output_vertical, -10, -40},
                                         {&Pictures::output_horizontal, -50, -10},
                                         {&Pictures::output_vertical, -30, -50},
                                         {&Pictures::output_horizontal, -40, -30}};
    const Place& p = (o.kind == "信号输入器件" ? kInput : kOutput)[o.rotation & 3];
    draw_picture(cv, view, p.picture, o.x + p.dx, o.y + p.dy);
}

namespace {

void terminal_dot(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o) {
    const int32_t colour = is_selected(c, o.name) ? kRed : c.draw.junction_color;
    cv.set_pen(colour, 1);
    cv.set_brush(colour);
    cv.ellipse(o.x - 2, o.y - 2, o.x + 3, o.y + 3);
}

void terminal_text(PaintSurface& cv, int x, int y, std::string_view s) {
    cv.set_font(terminal_font());
    cv.clear_brush();
    cv.text(x, y, s);
    cv.set_font(component_font());
}

}  // namespace

void draw_vcc(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    terminal_dot(cv, c, o);
    terminal_text(cv, o.x - 10, o.y - 18, "Vcc");
}

void draw_gnd(PaintSurface& cv, const Circuit& c, const MY_BASE_OBJ& o, int mode, const DrawOptions& view) {
    terminal_dot(cv, c, o);
    const int x = o.x, y = o.y;
    cv.set_pen(kBlack, 1);
    cv.line(x, y, x, y + 9);
    cv.line(x - 6, y + 10, x + 6, y + 10);
    cv.line(x - 6, y + 9, x + 6, y + 9);
    terminal_text(cv, x - 10, y + 13, "Gnd");
}

void draw_selection_frame(PaintSurface& cv, const MY_BASE_OBJ& o) {
    const Rect32& r = o.outline_rect;
    cv.set_pen(kRed, 1);
    cv.clear_brush();
    cv.rectangle(o.x + r.left, o.y + r.top, o.x + r.right + 1, o.y + r.bottom + 1);
}

CanvasFont annotation_font(const ZHU_SHI_S& a) {
    CanvasFont f;
    f.name = a.font_name;
    f.pixel_height = a.font_height != 0 ? std::abs(a.font_height) : a.font_size * 96 / 72;
    f.bold = a.font_style & kFontBold;
    f.italic = a.font_style & kFontItalic;
    f.underline = a.font_style & kFontUnderline;
    f.strike_out = a.font_style & kFontStrikeOut;
    f.color = a.font_color;
    return f;
}

namespace {

// The start of a text line that holds every letter beginning within
// `room` pixels of its start. Cut only where the letters are laid out one
// after another left to right (Latin, CJK): there the letters kept stand
// where they stood. A letter's advance is taken at no more than it can be
// in any font, so nothing that reaches the room is lost.
std::string_view visible_prefix(std::string_view s, long long room, long long em) {
    long long least = 0;
    for (size_t i = 0; i < s.size();) {
        const size_t start = i;
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xe ? 3 : (b >> 3) == 0x1e ? 4 : 1;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1f) : len == 3 ? (b & 0x0f) : (b & 0x07);
        for (size_t k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3f);
        i = std::min(s.size(), i + len);
        const bool wide = (cp >= 0x2e80 && cp <= 0x9fff) || (cp >= 0xac00 && cp <= 0xd7af) ||
                          (cp >= 0xf900 && cp <= 0xfaff) || (cp >= 0xff01 && cp <= 0xff60);
        if (!wide && cp >= 0x0590) return s;  // right-to-left or joined scripts: kept whole
        const bool spacing = wide || (cp > 0x20 && cp < 0x7f);
        if (least > room && spacing) {  // not a mark that belongs to the letter before
            // The rest starts past the room; it is dropped if it too is simple.
            for (size_t j = start; j < s.size();) {
                const auto c = static_cast<unsigned char>(s[j]);
                if (c >= 0xd6 && c < 0xe2) return s;  // U+0590 .. U+1FFF
                if (c == 0xe2 || c == 0xea) return s;  // U+2000 .. U+2FFF (bidi controls), U+A000 .. U+AFFF
                if (c == 0xef && j + 1 < s.size() && static_cast<unsigned char>(s[j + 1]) >= 0xac &&
                    static_cast<unsigned char>(s[j + 1]) < 0xbc)
                    return s;  // U+FB00 .. U+FEFF: presentation forms
                if (c >= 0xf0) return s;
                ++j;
            }
            return s.substr(0, start);
        }
        least += wide ? em / 2 : spacing ? em / 8 : 0;
    }
    return s;
}

}  // namespace

void draw_annotation(PaintSurface& cv, const ZHU_SHI_S& a) {
    cv.set_font(annotation_font(a));
    if (a.framed || !a.transparent) {
        cv.set_pen(a.framed ? a.frame_color : a.back_color, 1);
        if (a.transparent) cv.clear_brush();
        else cv.set_brush(a.back_color);
        cv.rectangle(a.x - 3, a.y - 3, a.x + a.width + 3, a.y + a.height + 3);
    }
    cv.clear_brush();
    const std::optional<Rect> seen = cv.visible_area();
    // Letters' ink may stand out of their cells by a little: an em of room.
    const long long em = std::max<long long>({cv.font().pixel_height, std::abs((long long)a.font_height), 1});
    for (size_t i = 0; i < a.text_lines.size(); ++i) {
        const int y = a.y + int(std::abs(a.font_height) * double(i) * 1.1);
        std::string_view line = a.text_lines[i];
        if (seen) {
            // A file may hold hundreds of long lines in a huge font: only
            // what can reach the output is laid out.
            if (y + 3 * em < seen->top() || y - 2 * em > seen->bottom() || a.x - 2 * em > seen->right()) continue;
            line = visible_prefix(line, seen->right() + 2 * em - (long long)a.x, em);
        }
        cv.text(a.x, y, line);
    }
}

}  // namespace vorlisk
