// The one painting layer of the circuit pictures. It owns the canvas picture
// (a QImage back buffer) and paints with the pixel rules the drawers are
// written for, so every drawer says exactly which pixels it touches:
//  - a line from A to B covers A but not B (a polyline leaves out only its
//    last point);
//  - a rectangle or ellipse given as (left, top, right, bottom) covers the
//    pixels left..right-1 and top..bottom-1 with a 1-pixel pen;
//  - a wider pen of width w covers, across its path, the pixels p - w/2 ..
//    p - w/2 + w - 1 (a 2-pixel pen reaches one pixel up and left of a line),
//    so a 2-pixel rectangle shifted by one pixel has the outer edge of a
//    1-pixel one; an ellipse keeps a wide pen inside its box, so a ring
//    stays round and centred on its pixel;
//  - the rubber band is a dotted pen combined by XOR, so drawing it twice
//    leaves the picture as it was;
//  - pictures are copied with one colour left transparent.
// Lines, rectangles, ellipses and pixels are written straight into the
// image; only text goes through QPainter. Colours are the circuit's
// 0x00BBGGRR integers throughout.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace vorlisk {

struct Pictures;

// The one place where 0x00BBGGRR meets Qt's 0xAARRGGBB.
constexpr QRgb to_qrgb(int32_t bgr) {
    return 0xff000000u | (uint32_t(bgr & 0xff) << 16) | (uint32_t(bgr) & 0xff00u) | ((uint32_t(bgr) >> 16) & 0xffu);
}
constexpr int32_t from_qrgb(QRgb rgb) {
    return int32_t(((rgb >> 16) & 0xffu) | (rgb & 0xff00u) | ((rgb & 0xffu) << 16));
}
QColor to_qcolor(int32_t bgr);

constexpr int32_t kRed = 0x0000ff;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xffffff;

// A font as the circuit names it. Face names of the original platform are
// mapped to the fonts of this one (see canvas.cpp).
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
// The Qt font for a circuit font (face substitution, pixel size).
QFont qt_font(const CanvasFont& f);

class Canvas {
public:
    Canvas();
    explicit Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The picture; resizing keeps nothing of the old one.
    void resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    // The picture, with any pending text finished.
    const QImage& image() const {
        end();
        return image_;
    }
    // Replaces the picture with a copy of another of the same size
    // (restoring the saved static picture while dragging).
    void restore(const QImage& picture);
    // Finishes pending text painting (the painter is only kept between texts).
    void end() const;

    // Pen, brush and font, as the drawers set them.
    void set_pen(int32_t color, int width = 1);
    void set_pen_color(int32_t color) { pen_color_ = color; }
    void set_pen_width(int width) { pen_width_ = width < 1 ? 1 : width; }
    void set_brush(int32_t color) { brush_color_ = color, brush_solid_ = true; }
    void clear_brush() { brush_solid_ = false; }
    void set_font(const CanvasFont& font) { font_ = font; }
    const CanvasFont& font() const { return font_; }
    void set_font_color(int32_t color) { font_.color = color; }
    void set_font_bold(bool bold) { font_.bold = bold; }
    int pen_width() const { return pen_width_; }

    void line(int x1, int y1, int x2, int y2);
    void polyline(std::span<const QPoint> points);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    void pixel(int x, int y, int32_t color);
    // Text with its cell's top-left corner at (x, y), background untouched.
    void text(int x, int y, std::string_view utf8);
    // Copies a picture with its top-left at (x, y), leaving out the pixels
    // of the transparent colour.
    void picture(int x, int y, const QImage& picture, int32_t transparent);
    // The rubber band: a dotted rectangle outline XORed onto the picture.
    void xor_dotted_rect(int left, int top, int right, int bottom, int32_t color);

    int32_t pixel_at(int x, int y) const;

    // Union of everything painted since the last take, for partial repaints.
    QRect take_touched();

    // The eight pictures of the components, supplied by the program.
    const Pictures* pictures = nullptr;
    // A view choice of the program: chips show their package pin numbers.
    bool show_pin_numbers = false;

private:
    void prepare();
    void put(int x, int y, QRgb c) {
        if (unsigned(x) < unsigned(w_) && unsigned(y) < unsigned(h_))
            reinterpret_cast<QRgb*>(bits_ + size_t(y) * bpl_)[x] = c;
    }
    void stamp(int x, int y, int w, QRgb c);
    void span(int x1, int x2, int y, QRgb c);
    void touch(int l, int t, int r, int b);
    void raw_line(int x1, int y1, int x2, int y2, int w, QRgb c);

    QImage image_;
    uchar* bits_ = nullptr;
    qsizetype bpl_ = 0;
    int w_ = 0, h_ = 0;
    mutable std::unique_ptr<QPainter> painter_;
    CanvasFont painter_font_;
    mutable bool painter_font_set_ = false;

    int32_t pen_color_ = 0;
    int pen_width_ = 1;
    int32_t brush_color_ = 0xffffff;
    bool brush_solid_ = true;
    CanvasFont font_;
    QRect touched_;
};

}  // namespace vorlisk
