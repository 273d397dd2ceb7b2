#include "render/scaled_canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/pictures.h"

namespace vorlisk {

ScaledCanvas::ScaledCanvas(QPaintDevice* device, double scale, QPointF origin) : ScaledCanvas(scale, origin) {
    attach(device, device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr);
}

ScaledCanvas::ScaledCanvas(double scale, QPointF origin) : scale_(scale > 0 ? scale : 1.0), origin_(origin) {}

ScaledCanvas::~ScaledCanvas() { end(); }

void ScaledCanvas::attach(QPaintDevice* device, QImage* image) {
    end();
    device_ = device;
    image_ = image;
}

void ScaledCanvas::end() const {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& ScaledCanvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(device_);
        painter_->setRenderHint(QPainter::Antialiasing, true);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, scale_ < 1.0);
        if (!clip_.isEmpty()) painter_->setClipRegion(clip_);  // before the transform: in device pixels
        painter_->scale(scale_, scale_);
        painter_->translate(-origin_);
    }
    return *painter_;
}

void ScaledCanvas::touch(double l, double t, double r, double b) {
    const int L = int(std::floor((l - origin_.x()) * scale_)) - 2, T = int(std::floor((t - origin_.y()) * scale_)) - 2;
    const int R = int(std::ceil((r - origin_.x()) * scale_)) + 2, B = int(std::ceil((b - origin_.y()) * scale_)) + 2;
    QRect d(QPoint(L, T), QPoint(R - 1, B - 1));
    if (image_) d = d.intersected(image_->rect());
    if (!clip_.isEmpty()) d = d.intersected(clip_.boundingRect());
    touched_ = touched_.united(d);
}

void ScaledCanvas::set_clip(std::span<const Rect> area) {
    end();
    clip_ = QRegion();
    for (const Rect& r : area) {
        const int L = int(std::floor((r.left() - origin_.x()) * scale_));
        const int T = int(std::floor((r.top() - origin_.y()) * scale_));
        const int R = int(std::ceil((r.right() + 1 - origin_.x()) * scale_));
        const int B = int(std::ceil((r.bottom() + 1 - origin_.y()) * scale_));
        clip_ += QRect(L, T, R - L, B - T);
    }
}

std::optional<Rect> ScaledCanvas::visible_area() const {
    if (!device_) return std::nullopt;
    QRect d(0, 0, device_->width(), device_->height());
    if (!clip_.isEmpty()) d = d.intersected(clip_.boundingRect());
    if (d.isEmpty()) return Rect();
    // Whole canvas pixels covering the device pixels.
    const int L = int(std::floor(d.left() / scale_ + origin_.x())), T = int(std::floor(d.top() / scale_ + origin_.y()));
    const int R = int(std::ceil((d.right() + 1) / scale_ + origin_.x())), B = int(std::ceil((d.bottom() + 1) / scale_ + origin_.y()));
    return Rect(Point(L, T), Point(R - 1, B - 1));
}

QRect ScaledCanvas::take_touched() {
    QRect r = touched_;
    touched_ = QRect();
    return r;
}

void ScaledCanvas::fill_rect(const QRectF& r, int32_t colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter().fillRect(r, to_qcolor(colour));
    touch(r.left(), r.top(), r.right(), r.bottom());
}

// A path of pen strokes between pixel centres, the last point already
// pulled back by one pixel: square caps then cover the first pixel and stop
// before the last, as the exact surface does.
void ScaledCanvas::stroke(const QPointF* pts, int n) {
    const double w = pen_width_;
    // Never thinner than one device pixel, or thin lines vanish at 25 %.
    const double width = std::max(w, 1.0 / scale_);
    double l = pts[0].x(), t = pts[0].y(), r = l, b = t;
    for (int i = 1; i < n; ++i) {
        l = std::min(l, pts[i].x()), r = std::max(r, pts[i].x());
        t = std::min(t, pts[i].y()), b = std::max(b, pts[i].y());
    }
    if (n == 1 || (r == l && b == t)) {  // one pixel long: the pen's square
        fill_rect(QRectF(l - width / 2, t - width / 2, width, width), pen_color_);
        return;
    }
    QPen pen(to_qcolor(pen_color_), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    QPainter& p = painter();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts, n);
    touch(l - width, t - width, r + width, b + width);
}

namespace {
// Where a pen of width w runs for a path through pixel p: the middle of
// the pixels it covers.
double pen_centre(int w) { return (w % 2) ? 0.5 : 0.0; }
}  // namespace

void ScaledCanvas::line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    const double c = pen_centre(pen_width_);
    const int dx = x2 - x1, dy = y2 - y1;
    const double m = std::max(std::abs(dx), std::abs(dy));
    const QPointF pts[2] = {QPointF(x1 + c, y1 + c), QPointF(x2 + c - dx / m, y2 + c - dy / m)};
    stroke(pts, 2);
}

void ScaledCanvas::polyline(std::span<const Point> points) {
    std::vector<QPointF> pts;
    pts.reserve(points.size());
    const double c = pen_centre(pen_width_);
    for (const Point& q : points) {
        const QPointF f(q.x() + c, q.y() + c);
        if (pts.empty() || pts.back() != f) pts.push_back(f);
    }
    if (pts.size() < 2) return;
    QPointF& last = pts.back();
    const QPointF d = last - pts[pts.size() - 2];
    const double m = std::max(std::abs(d.x()), std::abs(d.y()));
    last -= d / m;
    stroke(pts.data(), int(pts.size()));
}

void ScaledCanvas::rectangle(int left, int top, int right, int bottom) {
    const int w = pen_width_;
    const double l = left - w / 2, t = top - w / 2;
    const double r = right - 1 + w - w / 2, b = bottom - 1 + w - w / 2;  // exclusive
    if (r <= l || b <= t) return;
    const QRectF outer(l, t, r - l, b - t), inner = outer.adjusted(w, w, -w, -w);
    QPainter& p = painter();
    p.setPen(Qt::NoPen);
    if (brush_solid_) {
        p.fillRect(outer, to_qcolor(pen_color_));
        if (inner.width() > 0 && inner.height() > 0) p.fillRect(inner, to_qcolor(brush_color_));
    } else {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addRect(outer);
        if (inner.width() > 0 && inner.height() > 0) ring.addRect(inner);
        p.fillPath(ring, to_qcolor(pen_color_));
    }
    touch(l, t, r, b);
}

void ScaledCanvas::ellipse(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const int w = pen_width_;
    const QRectF outer(left, top, right - left, bottom - top), inner = outer.adjusted(w, w, -w, -w);
    const bool hollow = inner.width() <= 0 || inner.height() <= 0;
    QPainter& p = painter();
    p.setPen(Qt::NoPen);
    if (brush_solid_) {
        p.setBrush(to_qcolor(pen_color_));
        p.drawEllipse(outer);
        if (!hollow) {
            p.setBrush(to_qcolor(brush_color_));
            p.drawEllipse(inner);
        }
    } else {
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addEllipse(outer);
        if (!hollow) ring.addEllipse(inner);
        p.fillPath(ring, to_qcolor(pen_color_));
    }
    touch(left, top, right, bottom);
}

void ScaledCanvas::pixel(int x, int y, int32_t color) { fill_rect(QRectF(x, y, 1, 1), color); }

void ScaledCanvas::text(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    const QFont f = qt_font(font_);
    QPainter& p = painter();
    p.setFont(f);
    p.setPen(to_qcolor(font_.color));
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    // Laid out with the 100 % metrics, so texts keep their places at every size.
    const QFontMetrics m(f);
    p.drawText(QPointF(x, y + m.ascent()), s);
    touch(x - 2, y, x + m.horizontalAdvance(s) + 2, y + m.height());
}

void ScaledCanvas::text_up(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    const QFont f = qt_font(font_);
    QPainter& p = painter();
    p.setFont(f);
    p.setPen(to_qcolor(font_.color));
    const TouchedBox b = paint_text_up(p, QFontMetrics(f), x, y, utf8);
    touch(b.left, b.top, b.right, b.bottom);
}

void ScaledCanvas::picture(int x, int y, const PixelPicture& pic, int32_t transparent) {
    if (pic.empty()) return;
    auto it = masked_.find(&pic);
    if (it == masked_.end() || it->second.first != transparent) {
        QImage m(pic.width, pic.height, QImage::Format_ARGB32);
        const int32_t clear = transparent & 0xffffff;
        for (int j = 0; j < pic.height; ++j) {
            QRgb* row = reinterpret_cast<QRgb*>(m.scanLine(j));
            for (int i = 0; i < pic.width; ++i) {
                const int32_t p = pic.at(i, j) & 0xffffff;
                row[i] = p == clear ? 0u : to_qrgb(p);
            }
        }
        it = masked_.insert_or_assign(&pic, std::make_pair(transparent, std::move(m))).first;
    }
    painter().drawImage(QRectF(x, y, pic.width, pic.height), it->second.second);
    touch(x, y, x + pic.width, y + pic.height);
}

}  // namespace vorlisk
