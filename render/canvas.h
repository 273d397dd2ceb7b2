// The exact pixel surface: the screen picture at 100 % (and any picture
// that must match it pixel for pixel). It owns the canvas picture (a QImage
// back buffer) and writes lines, rectangles, ellipses and pixels straight
// into it by the rules of paint_surface.h, so every drawer says exactly
// which pixels it touches; only text goes through QPainter. Canvas point p
// lands on picture pixel p - origin (whole pixels: still exact).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "render/paint_surface.h"
#include "render/qt_surface.h"

namespace vorlisk {

class Canvas : public PaintSurface {
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
    void set_origin(QPoint origin) { origin_ = origin; }
    QPoint origin() const { return origin_; }
    // The picture, with any pending text finished.
    const QImage& image() const {
        end();
        return image_;
    }
    // Replaces the picture with a copy of another of the same size
    // (restoring the saved static picture while dragging).
    void restore(const QImage& picture);
    // Finishes pending text painting (the painter is only kept between texts).
    void end() const override;
    bool pixel_exact() const override { return true; }
    std::optional<Rect> visible_area() const override { return Rect(origin_.x(), origin_.y(), image_.width(), image_.height()); }

    void line(int x1, int y1, int x2, int y2) override;
    void polyline(std::span<const Point> points) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void pixel(int x, int y, int32_t color) override;
    // Text with its cell's top-left corner at (x, y), background untouched.
    void text(int x, int y, std::string_view utf8) override;
    void text_up(int x, int y, std::string_view utf8) override;
    // Copies a picture with its top-left at (x, y), leaving out the pixels
    // of the transparent colour.
    void picture(int x, int y, const PixelPicture& picture, int32_t transparent) override;
    // The same for a picture of the desktop's own (a window's page).
    void picture(int x, int y, const QImage& picture, int32_t transparent);

    // The colour at canvas point (x, y); -1 outside the picture.
    int32_t pixel_at(int x, int y) const;

    // Union of everything painted since the last take, for partial repaints.
    QRect take_touched();

private:
    void prepare();
    // The painter for texts, in the current font and colour.
    QPainter& text_painter();
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

    QRect touched_;
    QPoint origin_;
};

}  // namespace vorlisk
