// The canvas: the circuit's picture and the editor's overlays as the render
// core's command lists (the page replays them on an HTML canvas), the
// component pictures' pixels, the picture's extent, the component box's
// table and its icons, the view's choices, and the editor's commands that
// act on the selection.
#include <emscripten.h>

#include <cmath>

#include "editor/canvas_hints.h"
#include "editor/component_box_table.h"
#include "editor/net_touches.h"
#include "engine/net_queries.h"
#include "model/catalogue.h"
#include "model/edit.h"
#include "model/file_drawing.h"
#include "render/bounds_surface.h"
#include "render/command_list.h"
#include "render/drawers.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "render/report_picture.h"
#include "render/view_hints.h"
#include "web/binding_io.h"

using namespace vorlisk;
using namespace vorlisk::web;

namespace {

// The view's choices, as the desktop's 查看 menu keeps them.
struct CanvasView {
    bool pin_numbers = true;
    bool pin_names = true;
    bool levels = true;
    NetLevels net_levels;
};

CanvasView& view() {
    static CanvasView v;
    return v;
}

DrawOptions draw_options(const Circuit& c) {
    DrawOptions o;
    o.pin_numbers = view().pin_numbers;
    o.pin_names = view().pin_names;
    o.pictures = &component_pictures();
    if (c.running && view().levels) o.levels = &view().net_levels;
    return o;
}

// A surface for `zoom` percent on a screen of `ratio` device pixels per
// CSS pixel: the exact pixels at 1:1, smooth shapes at any other scale.
CommandList surface_for(double zoom, double ratio, std::optional<Rect> visible) {
    const double scale = zoom / 100.0 * ratio;
    return CommandList(std::abs(scale - 1.0) < 1e-9, scale, visible);
}

// The extent of what the drawers paint of the circuit, in canvas pixels.
std::optional<Extent64> drawn_extent(const Circuit& c, const DrawOptions& options) {
    BoundsSurface bounds;
    draw_circuit(bounds, c, Rect(0, 0, 0, 0), kRedrawFull, options);
    return bounds.extent();
}

// The editor's hover ring and placing outline, and the places where nets
// touch unconnected unless a drag is under way.
ViewHints page_hints(bool dragging) {
    static NetTouches touches;
    Session& s = session();
    ViewHints h;
    if (const auto& a = s.editor().hover_anchor) h.ring = Point(a->x, a->y);
    h.outline = s.editor().hover_outline;
    if (!dragging)
        for (BendPoint p : touches.of(s.circuit())) h.touches.emplace_back(p.x, p.y);
    return h;
}

}  // namespace

extern "C" {

// The circuit's picture for the canvas pixels (x, y, width, height) at
// `zoom` percent and `ratio`: one command per line. The screen now shows
// every component as it is (their repaint flags are cleared).
EMSCRIPTEN_KEEPALIVE const char* vorlisk_picture(double zoom, double ratio, int x, int y, int width, int height) {
    Circuit& c = session().circuit();
    const Rect area(x, y, std::max(width, 1), std::max(height, 1));
    CommandList list = surface_for(zoom, ratio, area);
    if (c.running && view().levels && view().net_levels.shown.empty()) view().net_levels.update(c);
    redraw_canvas(list, c, area, kRedrawFull, draw_options(c));
    return hand_back(to_text(list.commands()));
}

// While running, after the frame's passes: whether the picture changed (a
// component to repaint, a net whose level changed).
EMSCRIPTEN_KEEPALIVE int vorlisk_picture_changed() {
    Circuit& c = session().circuit();
    bool changed = c.running && view().levels && view().net_levels.update(c);
    for (int i = 0; i < c.object_count && !changed; ++i) changed = c.objects[i].dirty;
    return changed ? 1 : 0;
}

// What the window draws over the picture, never into it: the wire in
// progress and the rubber band as commands of the core's drawers.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_overlay(double zoom, double ratio) {
    Session& s = session();
    CommandList list = surface_for(zoom, ratio, std::nullopt);
    draw_wire_in_progress(list, s.circuit());
    if (s.editor().rubber_band_active) draw_rubber_band(list, s.editor().rubber_band);
    return hand_back(to_text(list.commands()));
}

// The hints the page draws over that at the screen's own size, as the
// desktop's canvas does (render/view_hints.h): the ring where a wire would
// attach, the outline where the kind being placed would go, the marks
// where wires of different nets touch (not while dragging). Commands in
// the drawer's units (kHintUnits to a CSS pixel), for the canvas pixel
// (origin_x, origin_y) at the view's top-left corner.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_hints(double zoom, double ratio, double origin_x, double origin_y,
                                               int dragging) {
    CommandList list(false, ratio / kHintUnits);
    draw_view_hints(list, page_hints(dragging != 0), ScreenMapping{zoom / 100.0, origin_x, origin_y});
    return hand_back(to_text(list.commands()));
}

// Drawing units of the hints per CSS pixel.
EMSCRIPTEN_KEEPALIVE int vorlisk_hint_units() { return kHintUnits; }

// The status line over canvas pixel (x, y) when it is on a touch mark at
// `zoom` percent; empty elsewhere.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_touch_note(double zoom, int x, int y, int dragging) {
    const bool on = on_touch_mark(page_hints(dragging != 0), ScreenMapping{zoom / 100.0, 0, 0}, Point(x, y));
    return hand_back(std::string(on ? kTouchHint : std::string_view()));
}

// The mouse left the canvas: no ring or outline is left behind.
EMSCRIPTEN_KEEPALIVE void vorlisk_mouse_left() {
    session().editor().hover_anchor.reset();
    session().editor().hover_outline.reset();
}

// [left, top, right, bottom] of everything drawn, in canvas pixels; null
// for an empty circuit.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_picture_bounds() {
    Circuit& c = session().circuit();
    const std::optional<Extent64> r = drawn_extent(c, draw_options(c));
    if (!r) return hand_back(std::string("null"));
    Json j;
    j.array().value(double(r->left)).value(double(r->top)).value(double(r->right)).value(double(r->bottom));
    return hand_back(j.end_array());
}

// 导出图片: the picture a report takes, as the desktop exports it (no grid,
// no selection marks, no wire in progress, a margin of 10 around what is
// drawn): "area L T R B" (one past the last), then its commands at `scale`.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_export_picture(double scale) {
    Circuit& c = session().circuit();
    const auto copy = picture_copy(c, false);
    DrawOptions options = draw_options(c);
    options.levels = nullptr;  // a report shows the circuit as drawn
    const Rect area = picture_area(*copy, options);
    CommandList list(std::abs(scale - 1.0) < 1e-9, scale, area);
    if (!area.isEmpty()) paint_picture(list, *copy, area, options);
    return hand_back("area " + std::to_string(area.left()) + " " + std::to_string(area.top()) + " " +
                     std::to_string(area.right() + 1) + " " + std::to_string(area.bottom() + 1) + "\n" +
                     to_text(list.commands()));
}

// A component picture's pixels: width and height (int32, little-endian),
// then R, G, B per pixel, row by row.
EMSCRIPTEN_KEEPALIVE int vorlisk_picture_pixels(int id) {
    const PixelPicture* p = component_pictures().by_id(id);
    if (!p) {
        error_text() = "没有这幅图片。";
        return 1;
    }
    std::string out(8 + size_t(p->width) * size_t(p->height) * 3, '\0');
    for (int k = 0; k < 4; ++k) out[k] = char((p->width >> (8 * k)) & 0xff), out[4 + k] = char((p->height >> (8 * k)) & 0xff);
    for (size_t i = 0; i < p->pixels.size(); ++i) {
        const int32_t v = p->pixels[i];  // 0x00BBGGRR
        out[8 + 3 * i] = char(v & 0xff), out[9 + 3 * i] = char((v >> 8) & 0xff), out[10 + 3 * i] = char((v >> 16) & 0xff);
    }
    hand_back(std::move(out));
    return 0;
}

// 查看's choices: pin numbers, pin names, levels while running, wires that follow a drag.
EMSCRIPTEN_KEEPALIVE void vorlisk_view_options(int pin_numbers, int pin_names, int levels, int follow) {
    view().pin_numbers = pin_numbers != 0;
    view().pin_names = pin_names != 0;
    if (levels != 0 && !view().levels) view().net_levels = NetLevels{};
    view().levels = levels != 0;
    session().editor().wires_follow = follow != 0;
}

// The component box: its buttons row by row and the families behind them.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_box() {
    Json j;
    j.object().key("buttons").array();
    for (const BoxButton& b : box_buttons()) {
        if (b.role == BoxRole::hidden) continue;
        const char* role = b.role == BoxRole::select ? "select"
                           : b.role == BoxRole::tool ? "tool"
                           : b.role == BoxRole::group ? "group"
                                                      : "chip";
        j.object().field("role", role).field("tool", b.tool).field("arg", b.arg).field("rightIgnored", b.right_ignored);
        if (b.role == BoxRole::group) j.field("caption", family_caption_text(KindGroup(b.arg)));
        j.end_object();
    }
    j.end_array().key("families").array();
    for (int g = 0; g < kKindGroupCount; ++g) {
        j.array();
        for (const char* k : box_family(KindGroup(g)).kinds) j.value(k);
        j.end_array();
    }
    return hand_back(j.end_array().end_object());
}

// A kind drawn as the box's button shows it: the first line "area L T R B"
// (the canvas pixels to fit into the button), then its commands.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_kind_icon(const char* kind, double scale) {
    static auto scratch = make_circuit();
    Circuit& c = *scratch;
    c.object_count = 0;
    place_component(c, 0, kind, 150, 150);
    c.object_count = 1;
    const MY_BASE_OBJ& o = c.objects[0];
    const Rect32& r = o.outline_rect;
    Rect area(Point(o.x + r.left - 3, o.y + r.top - 3), Point(o.x + r.right + 3, o.y + r.bottom + 3));
    // The terminals draw their names outside their outline.
    if (o.kind == "Vcc") area = Rect(o.x - 14, o.y - 22, 30, 30);
    if (o.kind == "Gnd") area = Rect(o.x - 14, o.y - 6, 30, 34);
    c.draw.back_color = 0xf0f0f0;  // the button's face shows through a bubble
    CommandList list(false, scale);
    DrawOptions options;
    options.pictures = &component_pictures();
    draw_component(list, c, o, 0, options);
    return hand_back("area " + std::to_string(area.left()) + " " + std::to_string(area.top()) + " " +
                     std::to_string(area.right() + 1) + " " + std::to_string(area.bottom() + 1) + "\n" +
                     to_text(list.commands()));
}

// A new annotation's text, asked for after a click of the annotation tool
// at (x, y): placed there, selected, the select tool back.
EMSCRIPTEN_KEEPALIVE int vorlisk_add_annotation(int x, int y, const char* text) {
    Session& s = session();
    Circuit& c = s.circuit();
    ZHU_SHI_S draft;  // white back, navy frame, Arial 16 px bold navy
    draft.text_lines = annotation_lines(text);
    if (const int field = refused(check_annotation_lines(draft.text_lines))) return field;
    measure_annotation(draft);
    const int a = add_annotation(c, draft, x, y);
    if (a < 0) {
        error_text() = "注释已达上限，不能再添加。";
        return 1;
    }
    c.selection.assign(1, c.annotations[a].name);
    s.commit();
    return 0;
}

// The edit menu's commands on the selection: "cut", "copy", "paste",
// "delete", "select_all", "rotate_left", "rotate_right"; one step of the
// history each.
EMSCRIPTEN_KEEPALIVE int vorlisk_edit(const char* command) {
    Session& s = session();
    Circuit& c = s.circuit();
    const std::string_view what = command;
    if (what == "cut") s.editor().cut(c, s.view());
    else if (what == "copy") s.editor().copy(c);
    else if (what == "paste") s.editor().paste(c, s.view());
    else if (what == "delete") s.editor().remove(c, s.view());
    else if (what == "select_all") s.editor().select_all(c, s.view());
    else if (what == "rotate_left") s.editor().rotate(c, s.view(), 1);
    else if (what == "rotate_right") s.editor().rotate(c, s.view(), 0);
    else {
        error_text() = "没有这个命令：" + std::string(what);
        return 1;
    }
    s.view().take();
    s.commit();
    return 0;
}

}  // extern "C"
