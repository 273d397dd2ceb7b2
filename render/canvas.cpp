#include "render/canvas.h"

#include "render/pictures.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>

namespace vorlisk {

namespace {

// Integer test: is the centre of pixel (px, py) inside the ellipse inscribed
// in the box [a, b) x [t, u)?
bool in_ellipse(int a, int t, int b, int u, int px, int py) {
    if (b <= a || u <= t) return false;
    const int64_t w = b - a, h = u - t;
    const int64_t dx = 2 * int64_t(px) + 1 - (int64_t(a) + b);
    const int64_t dy = 2 * int64_t(py) + 1 - (int64_t(t) + u);
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

}  // namespace

Canvas::Canvas() : Canvas(1, 1) {}

Canvas::Canvas(int width, int height) { resize(width, height); }

Canvas::~Canvas() { end(); }

void Canvas::resize(int width, int height) {
    end();
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
    touched_ = QRect();
}

void Canvas::restore(const QImage& picture) {
    end();
    image_ = picture.convertToFormat(QImage::Format_RGB32);
    image_.detach();
    touch(0, 0, image_.width(), image_.height());
}

void Canvas::end() const {
    if (painter_) {
        painter_->end();
        painter_.reset();
        painter_font_set_ = false;
    }
}

void Canvas::prepare() {
    // bits() detaches a picture someone copied, so a copy never changes.
    if (!painter_) bits_ = image_.bits();
    bpl_ = image_.bytesPerLine();
    w_ = image_.width();
    h_ = image_.height();
}

void Canvas::touch(int l, int t, int r, int b) {
    QRect r1(QPoint(l, t), QPoint(r - 1, b - 1));
    touched_ = touched_.united(r1.intersected(QRect(0, 0, image_.width(), image_.height())));
}

QRect Canvas::take_touched() {
    QRect r = touched_;
    touched_ = QRect();
    return r;
}

void Canvas::stamp(int x, int y, int w, QRgb c) {
    const int x0 = x - w / 2, y0 = y - w / 2;
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i) put(x0 + i, y0 + j, c);
}

void Canvas::span(int x1, int x2, int y, QRgb c) {
    if (unsigned(y) >= unsigned(h_)) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, w_ - 1);
    QRgb* row = reinterpret_cast<QRgb*>(bits_ + size_t(y) * bpl_);
    for (int x = x1; x <= x2; ++x) row[x] = c;
}

// Bresenham from (x1, y1) towards (x2, y2), leaving out the end point.
void Canvas::raw_line(int x1, int y1, int x2, int y2, int w, QRgb c) {
    if (x1 == x2 && y1 == y2) return;
    const int lo = w / 2, hi = w - 1 - w / 2;
    touch(std::min(x1, x2) - lo, std::min(y1, y2) - lo, std::max(x1, x2) + hi + 1, std::max(y1, y2) + hi + 1);
    if (y1 == y2 && w == 1) {  // the grid and most wires: straight runs
        if (x1 < x2) span(x1, x2 - 1, y1, c);
        else span(x2 + 1, x1, y1, c);
        return;
    }
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx - dy;
    int x = x1, y = y1;
    while (x != x2 || y != y2) {
        if (w == 1) put(x, y, c);
        else stamp(x, y, w, c);
        const int e2 = 2 * err;
        if (e2 > -dy) err -= dy, x += sx;
        if (e2 < dx) err += dx, y += sy;
    }
}

void Canvas::line(int x1, int y1, int x2, int y2) {
    x1 -= origin_.x(), x2 -= origin_.x(), y1 -= origin_.y(), y2 -= origin_.y();
    prepare();
    raw_line(x1, y1, x2, y2, pen_width_, to_qrgb(pen_color_));
}

void Canvas::polyline(std::span<const Point> points) {
    prepare();
    const int ox = origin_.x(), oy = origin_.y();
    for (size_t i = 1; i < points.size(); ++i)
        raw_line(points[i - 1].x() - ox, points[i - 1].y() - oy, points[i].x() - ox, points[i].y() - oy, pen_width_,
                 to_qrgb(pen_color_));
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    left -= origin_.x(), right -= origin_.x(), top -= origin_.y(), bottom -= origin_.y();
    prepare();
    const int w = pen_width_;
    const int l = left - w / 2, t = top - w / 2;
    const int r = right - 1 + w - w / 2, b = bottom - 1 + w - w / 2;  // exclusive
    if (r <= l || b <= t) return;
    touch(l, t, r, b);
    const QRgb pen = to_qrgb(pen_color_), brush = to_qrgb(brush_color_);
    for (int y = t; y < b; ++y) {
        if (y < t + w || y >= b - w) {
            span(l, r - 1, y, pen);
            continue;
        }
        span(l, std::min(l + w, r) - 1, y, pen);
        span(std::max(r - w, l), r - 1, y, pen);
        if (brush_solid_ && l + w < r - w) span(l + w, r - w - 1, y, brush);
    }
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    left -= origin_.x(), right -= origin_.x(), top -= origin_.y(), bottom -= origin_.y();
    prepare();
    const int w = pen_width_;
    const int l = left, t = top, r = right, b = bottom;
    if (r <= l || b <= t) return;
    touch(l, t, r, b);
    const QRgb pen = to_qrgb(pen_color_), brush = to_qrgb(brush_color_);
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            if (!in_ellipse(l, t, r, b, x, y)) continue;
            // On the pen when a pixel one pen width away lies outside.
            const bool edge = !in_ellipse(l, t, r, b, x - w, y) || !in_ellipse(l, t, r, b, x + w, y) ||
                              !in_ellipse(l, t, r, b, x, y - w) || !in_ellipse(l, t, r, b, x, y + w);
            if (edge) put(x, y, pen);
            else if (brush_solid_) put(x, y, brush);
        }
}

void Canvas::pixel(int x, int y, int32_t color) {
    x -= origin_.x(), y -= origin_.y();
    prepare();
    touch(x, y, x + 1, y + 1);
    put(x, y, to_qrgb(color));
}

int32_t Canvas::pixel_at(int x, int y) const {
    x -= origin_.x(), y -= origin_.y();
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return -1;
    return from_qrgb(image_.pixel(x, y));
}

QPainter& Canvas::text_painter() {
    prepare();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_font_set_ = false;
    }
    if (!painter_font_set_ || !(painter_font_ == font_)) {
        painter_->setFont(qt_font(font_));
        painter_font_ = font_;
        painter_font_set_ = true;
    }
    painter_->setPen(to_qcolor(font_.color));
    return *painter_;
}

void Canvas::text(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    x -= origin_.x(), y -= origin_.y();
    QPainter& p = text_painter();
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    const QFontMetrics m = p.fontMetrics();
    p.drawText(QPoint(x, y + m.ascent()), s);
    touch(x - 2, y, x + m.horizontalAdvance(s) + 2, y + m.height());
}

void Canvas::text_up(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    x -= origin_.x(), y -= origin_.y();
    QPainter& p = text_painter();
    const TouchedBox b = paint_text_up(p, p.fontMetrics(), x, y, utf8);
    touch(b.left, b.top, b.right, b.bottom);
}

void Canvas::picture(int x, int y, const PixelPicture& pic, int32_t transparent) {
    if (pic.empty()) return;
    x -= origin_.x(), y -= origin_.y();
    prepare();
    const int32_t clear = transparent & 0xffffff;
    touch(x, y, x + pic.width, y + pic.height);
    for (int j = 0; j < pic.height; ++j)
        for (int i = 0; i < pic.width; ++i) {
            const int32_t p = pic.at(i, j) & 0xffffff;
            if (p != clear) put(x + i, y + j, to_qrgb(p));
        }
}

void Canvas::picture(int x, int y, const QImage& pic, int32_t transparent) {
    if (pic.isNull()) return;
    x -= origin_.x(), y -= origin_.y();
    prepare();
    const QImage src = pic.format() == QImage::Format_RGB32 ? pic : pic.convertToFormat(QImage::Format_RGB32);
    const QRgb clear = to_qrgb(transparent) & 0xffffffu;
    touch(x, y, x + src.width(), y + src.height());
    for (int j = 0; j < src.height(); ++j) {
        const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(j));
        for (int i = 0; i < src.width(); ++i)
            if ((row[i] & 0xffffffu) != clear) put(x + i, y + j, row[i] | 0xff000000u);
    }
}

}  // namespace vorlisk
