// What the drawers paint on. Every drawer speaks in canvas pixels and the
// pixel rules of the circuit pictures; a surface decides how those become
// output:
//  - Canvas (canvas.h): exact pixels into the screen picture at 100 %;
//  - ScaledCanvas (scaled_canvas.h): QPainter on any device at any scale
//    (zoomed screen, high-density screens, printing, PNG pictures);
//  - SvgCanvas (svg_canvas.h): a ScaledCanvas writing an SVG document;
//  - CommandList (command_list.h): every call kept as data, to compare or
//    to replay elsewhere (the browser page's canvas);
//  - BoundsSurface (bounds_surface.h): paints nothing, keeps the extent.
// The first three are the desktop's (Qt); this header and the drawers are
// free of any toolkit.
// The rules, in canvas pixels:
//  - a line from A to B covers A but not B (a polyline leaves out only its
//    last point);
//  - a rectangle or ellipse given as (left, top, right, bottom) covers the
//    pixels left..right-1 and top..bottom-1 with a 1-pixel pen;
//  - a wider pen of width w covers, across its path, the pixels p - w/2 ..
//    p - w/2 + w - 1 (a 2-pixel pen reaches one pixel up and left of a line);
//    an ellipse keeps a wide pen inside its box;
//  - pictures are copied with one colour left transparent.
// Colours are the circuit's 0x00BBGGRR integers throughout.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "render/geometry.h"

namespace vorlisk {

struct NetLevels;
struct Pictures;
struct PixelPicture;

constexpr int32_t kRed = 0x0000ff;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xffffff;

// A font as the circuit names it. Face names of the original platform are
// mapped to the fonts of this one (see qt_surface.cpp).
struct CanvasFont {
    std::string name = "Arial";
    int pixel_height = 12;  // character height in pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    int32_t color = 0;
    bool operator==(const CanvasFont&) const = default;
};

// The fonts the drawers use.
CanvasFont component_font();   // Arial 12
CanvasFont chip_font();        // Arial 9
CanvasFont terminal_font();    // "MS Sans Serif" 11 bold black
CanvasFont test_point_font();  // Arial 14 bold
CanvasFont pin_number_font();  // Arial 8 bold: package pin numbers, between strokes 10 px apart
CanvasFont pin_name_font();    // Arial 6: datasheet pin names inside a chip's body

// A text's box in a font, from the core's font tables (text_metrics.h):
// the fonts the drawers measure are in them exactly; any other font is
// scaled from Arial 12, an estimate.
struct TextBox {
    int width = 0;   // advance
    int height = 0;  // the line's cell
    int ascent = 0;  // cell top to baseline
    int cap_height = 0;
};
TextBox measure(const CanvasFont& font, std::string_view utf8);

// The view's choices handed to the drawers with every call: they are the
// window's (or the picture's), never a surface's.
struct DrawOptions {
    // Chips show their package pin numbers, and their datasheet pin names
    // where the output is large enough to read them.
    bool pin_numbers = false;
    bool pin_names = false;
    // The levels of the nets while the circuit runs and levels are shown:
    // wires, junctions and pin strokes take the look of their net's level
    // (render/levels.h). Null: the stopped look.
    const NetLevels* levels = nullptr;
    // The eight pictures of the components (render/pictures.h); null: none.
    const Pictures* pictures = nullptr;
};

class PaintSurface {
public:
    virtual ~PaintSurface() = default;

    // Pen, brush and font, as the drawers set them.
    void set_pen(int32_t color, int width = 1) {
        pen_color_ = color;
        set_pen_width(width);
    }
    void set_pen_color(int32_t color) { pen_color_ = color; }
    void set_pen_width(int width) { pen_width_ = width < 1 ? 1 : width; }
    void set_brush(int32_t color) { brush_color_ = color, brush_solid_ = true; }
    void clear_brush() { brush_solid_ = false; }
    void set_font(const CanvasFont& font) { font_ = font; }
    const CanvasFont& font() const { return font_; }
    void set_font_color(int32_t color) { font_.color = color; }
    void set_font_bold(bool bold) { font_.bold = bold; }
    int pen_width() const { return pen_width_; }
    int32_t pen_color() const { return pen_color_; }
    int32_t brush_color() const { return brush_color_; }
    bool brush_solid() const { return brush_solid_; }

    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void polyline(std::span<const Point> points) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void pixel(int x, int y, int32_t color) = 0;
    // Text with its cell's top-left corner at (x, y), background untouched.
    virtual void text(int x, int y, std::string_view utf8) = 0;
    // Text turned a quarter turn to read upwards, beside a vertical stroke:
    // its cell covers columns x .. x + height - 1 and rows y - width .. y - 1,
    // the first letter at the bottom, the letters' tops to the left.
    virtual void text_up(int x, int y, std::string_view utf8) = 0;
    // Copies a picture with its top-left at (x, y), leaving out the pixels
    // of the transparent colour.
    virtual void picture(int x, int y, const PixelPicture& picture, int32_t transparent) = 0;
    // Finishes pending painting, so the output can be read.
    virtual void end() const {}
    // Whether the output is the canvas pixels themselves (the exact surface):
    // small round marks are then drawn as their pixel patterns, elsewhere as
    // true circles.
    virtual bool pixel_exact() const { return false; }
    // Output pixels per canvas pixel.
    virtual double device_scale() const { return 1.0; }
    // Limits what is painted to these rectangles of canvas pixels (none: no
    // limit). Only surfaces that are not pixel-exact need to honour it: they
    // repaint changed places from scratch inside it.
    virtual void set_clip(std::span<const Rect> area) { (void)area; }
    // The canvas pixels that can show anything of what is painted (the
    // output's extent, within the clip); none: no limit. Drawers of large
    // items may leave out what lies wholly beyond it.
    virtual std::optional<Rect> visible_area() const { return std::nullopt; }

protected:
    int32_t pen_color_ = 0;
    int pen_width_ = 1;
    int32_t brush_color_ = 0xffffff;
    bool brush_solid_ = true;
    CanvasFont font_;
};

}  // namespace vorlisk
