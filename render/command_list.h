// A surface that keeps every call as plain data instead of painting: to
// compare what the drawers paint where pixels are not the point, and to
// replay a picture on another surface (the browser page's canvas).
//
// Each call is one line of text; replaying the lines in order paints the
// picture. Numbers are decimal integers in canvas pixels; colours are
// "#rrggbb"; a brush is a colour or "none"; `w` is the pen width in pixels.
// The pixel rules are those of paint_surface.h (a line leaves out its end
// point; a box covers left .. right-1, top .. bottom-1).
//
//   line X1 Y1 X2 Y2 #PEN W
//   polyline #PEN W N X1 Y1 .. XN YN      the last point left out
//   rect L T R B #PEN W BRUSH
//   ellipse L T R B #PEN W BRUSH          inscribed in the box
//   pixel X Y #COLOUR
//   text X Y WIDTH HEIGHT #COLOUR PX STYLE "FACE" "TEXT"
//       the cell's top-left at (X, Y); WIDTH x HEIGHT is its box as the
//       core's font tables measure it; PX the font's height in pixels;
//       STYLE "-" or letters of b (bold), i (italic), u (underline),
//       s (struck out); FACE and TEXT in UTF-8 within double quotes, a
//       quote, backslash, line feed or return written \" \\ \n \r
//   text_up ...                            as text, turned to read upwards:
//       its cell covers columns X .. X+HEIGHT-1, rows Y-WIDTH .. Y-1
//   picture X Y ID #TRANSPARENT            component picture ID (0 .. 7 in
//       render/pictures.h) with its top-left at (X, Y), the pixels of the
//       transparent colour left out
//   clip N L1 T1 R1 B1 .. LN TN RN BN      later calls are limited to these
//       rectangles (first and last column and row); N = 0: no limit
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/geometry.h"
#include "render/paint_surface.h"

namespace vorlisk {

struct Pictures;

struct DrawCommand {
    enum class Kind { line, polyline, rect, ellipse, pixel, text, text_up, picture, clip };
    Kind kind = Kind::line;
    // line: the two ends; polyline: every point; rect, ellipse: (left, top)
    // and (right, bottom); pixel, text, text_up, picture: the one place.
    std::vector<Point> points;
    int32_t pen = 0;  // pen colour; a pixel's colour; a picture's transparent colour
    int width = 1;    // pen width
    std::optional<int32_t> brush;
    CanvasFont font;   // text: face, height, style and colour
    std::string text;
    int text_width = 0, text_height = 0;  // the text's box
    int picture = -1;
    std::vector<Rect> clip;
    bool operator==(const DrawCommand&) const = default;
};

// The line of text for a call, and the call a line reads as (none for a
// line that is not one).
std::string to_line(const DrawCommand& command);
std::optional<DrawCommand> parse_line(std::string_view line);
// All calls, one line each, and back (none at the first bad line).
std::string to_text(const std::vector<DrawCommand>& commands);
std::optional<std::vector<DrawCommand>> parse_text(std::string_view text);

class CommandList : public PaintSurface {
public:
    // What the drawers are told of the output: pixel-exact at 1:1 (as the
    // screen at 100 %) unless said otherwise, and the part of the canvas it
    // shows (none: all).
    explicit CommandList(bool pixel_exact = true, double scale = 1.0, std::optional<Rect> visible = std::nullopt)
        : exact_(pixel_exact), scale_(scale), visible_(visible) {}

    const std::vector<DrawCommand>& commands() const { return commands_; }
    void clear() { commands_.clear(); }

    void line(int x1, int y1, int x2, int y2) override;
    void polyline(std::span<const Point> points) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void pixel(int x, int y, int32_t color) override;
    void text(int x, int y, std::string_view utf8) override;
    void text_up(int x, int y, std::string_view utf8) override;
    void picture(int x, int y, const PixelPicture& picture, int32_t transparent) override;
    void set_clip(std::span<const Rect> area) override;
    bool pixel_exact() const override { return exact_; }
    double device_scale() const override { return scale_; }
    std::optional<Rect> visible_area() const override { return visible_; }

private:
    DrawCommand shape(DrawCommand::Kind kind, int a, int b, int c, int d) const;
    void add_text(DrawCommand::Kind kind, int x, int y, std::string_view utf8);

    std::vector<DrawCommand> commands_;
    bool exact_;
    double scale_;
    std::optional<Rect> visible_;
};

// Paints the calls on a surface, the pictures taken by id from `pictures`.
void replay(const std::vector<DrawCommand>& commands, PaintSurface& surface, const Pictures& pictures);

}  // namespace vorlisk
