#include "app/canvas_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "render/canvas.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"

namespace vorlisk {

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setObjectName("Image1");
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(50, 50);
}

void CanvasView::set_device_picture(const QImage* picture, double ratio) {
    device_picture_ = picture;
    ratio_ = ratio > 0 ? ratio : 1.0;
    update();
}

void CanvasView::show_changes() {
    const QRect r = canvas_.take_touched();
    if (!r.isEmpty()) update(r);
}

void CanvasView::show_device_changes(const QRect& r) {
    if (r.isEmpty()) return;
    const int l = int(std::floor(r.left() / ratio_)), t = int(std::floor(r.top() / ratio_));
    const int rr = int(std::ceil((r.right() + 1) / ratio_)), b = int(std::ceil((r.bottom() + 1) / ratio_));
    update(QRect(QPoint(l, t), QPoint(rr, b)));
}

void CanvasView::set_mapping(double zoom, QPointF origin) {
    if (zoom == zoom_ && origin == origin_) return;
    const QRect old = hints_area();
    zoom_ = zoom > 0 ? zoom : 1.0;
    origin_ = origin;
    update(old);
    update(hints_area());
    if (!wire_.empty()) update();
}

void CanvasView::set_wire(std::vector<QPoint> route) {
    if (route == wire_) return;
    size_t same = 0;
    while (same < route.size() && same < wire_.size() && route[same] == wire_[same]) ++same;
    update(wire_area(wire_, same));
    update(wire_area(route, same));
    wire_ = std::move(route);
}

void CanvasView::set_rubber_band(std::optional<Rect32> band) {
    if (band.has_value() == band_.has_value() && (!band || (band->left == band_->left && band->top == band_->top &&
                                                          band->right == band_->right && band->bottom == band_->bottom)))
        return;
    update(band_area());
    band_ = band;
    update(band_area());
}

QRect CanvasView::band_area() const {
    if (!band_) return {};
    const double l = std::min(band_->left, band_->right), r = std::max(band_->left, band_->right);
    const double t = std::min(band_->top, band_->bottom), b = std::max(band_->top, band_->bottom);
    return QRectF(QPointF((l - origin_.x()) * zoom_, (t - origin_.y()) * zoom_),
                  QPointF((r - origin_.x()) * zoom_, (b - origin_.y()) * zoom_))
        .toAlignedRect()
        .adjusted(-2, -2, 2, 2);
}

QRect CanvasView::wire_area(const std::vector<QPoint>& route, size_t from) const {
    QRectF a;
    for (size_t i = from == 0 ? 0 : from - 1; i < route.size(); ++i) {
        const QPointF p((route[i].x() - origin_.x()) * zoom_, (route[i].y() - origin_.y()) * zoom_);
        a |= QRectF(p, QSizeF(1, 1));
    }
    if (a.isEmpty()) return {};
    // The pen is 2 canvas pixels wide; smoothing reaches a pixel further.
    const int pad = int(std::ceil(2 * zoom_)) + 2;
    return a.toAlignedRect().adjusted(-pad, -pad, pad, pad);
}

void CanvasView::set_hints(std::optional<QPoint> ring, std::optional<QRect> outline) {
    if (ring == ring_ && outline == outline_) return;
    const QRect old = hints_area();
    ring_ = ring;
    outline_ = outline;
    update(old);
    update(hints_area());
}

QRectF CanvasView::ring_circle() const {
    // Never smaller than a few pixels: at 25 % it must still be seen.
    const double r = std::max(kRingRadius * zoom_, 3.0);
    const QPointF c((ring_->x() - origin_.x()) * zoom_, (ring_->y() - origin_.y()) * zoom_);
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

QRectF CanvasView::outline_frame() const {
    const QRect& o = *outline_;
    return QRectF(QPointF((o.left() - origin_.x()) * zoom_, (o.top() - origin_.y()) * zoom_),
                  QPointF((o.right() - origin_.x()) * zoom_, (o.bottom() - origin_.y()) * zoom_));
}

QRect CanvasView::hints_area() const {
    QRect a;
    // The pens reach beyond the geometry by half their width, antialiasing by one more pixel.
    if (ring_) a |= ring_circle().toAlignedRect().adjusted(-3, -3, 3, 3);
    if (outline_) a |= outline_frame().toAlignedRect().adjusted(-2, -2, 2, 2);
    return a;
}

void CanvasView::paint_hints(QPainter& p) const {
    if (outline_) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(outline_frame());
    }
    if (ring_) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(kRingColour), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(ring_circle());
    }
}

void CanvasView::set_touch_marks(std::vector<QPoint> marks) {
    if (marks == touch_marks_) return;
    for (const QPoint& m : touch_marks_) update(touch_circle(m).toAlignedRect().adjusted(-2, -2, 2, 2));
    touch_marks_ = std::move(marks);
    for (const QPoint& m : touch_marks_) update(touch_circle(m).toAlignedRect().adjusted(-2, -2, 2, 2));
}

QRectF CanvasView::touch_circle(QPoint at) const {
    const double r = std::max(kTouchRadius * zoom_, 4.0);
    const QPointF c((at.x() - origin_.x()) * zoom_, (at.y() - origin_.y()) * zoom_);
    return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
}

bool CanvasView::on_touch_mark(QPoint canvas_point) const {
    const QPointF w((canvas_point.x() - origin_.x()) * zoom_, (canvas_point.y() - origin_.y()) * zoom_);
    for (const QPoint& m : touch_marks_)
        if (touch_circle(m).adjusted(-2, -2, 2, 2).contains(w)) return true;
    return false;
}

void CanvasView::paint_touch_marks(QPainter& p, const QRect& dirty) const {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(kTouchColour), zoom_ >= 2 ? 2.0 : 1.5));
    p.setBrush(Qt::NoBrush);
    for (const QPoint& m : touch_marks_) {
        const QRectF c = touch_circle(m);
        if (!dirty.intersects(c.toAlignedRect().adjusted(-2, -2, 2, 2))) continue;
        p.drawEllipse(c);
        const double d = c.width() / 2 * 0.7;  // a cross inside the ring
        p.drawLine(c.center() + QPointF(-d, -d), c.center() + QPointF(d, d));
        p.drawLine(c.center() + QPointF(-d, d), c.center() + QPointF(d, -d));
    }
}

void CanvasView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect r = e->rect();
    if (device_picture_) {
        const QImage& img = *device_picture_;
        const QRectF source(r.x() * ratio_, r.y() * ratio_, r.width() * ratio_, r.height() * ratio_);
        p.drawImage(QRectF(r), img, source);
        const int w = int(img.width() / ratio_), h = int(img.height() / ratio_);
        if (w < width()) p.fillRect(QRect(w, 0, width() - w, height()), Qt::white);
        if (h < height()) p.fillRect(QRect(0, h, width(), height() - h), Qt::white);
    } else {
        const QImage& img = canvas_.image();
        p.drawImage(r, img, r);
        // Beyond the picture (for a moment while the window grows) stays blank.
        if (img.width() < width()) p.fillRect(QRect(img.width(), 0, width() - img.width(), height()), Qt::white);
        if (img.height() < height()) p.fillRect(QRect(0, img.height(), width(), height() - img.height()), Qt::white);
    }
    if (!touch_marks_.empty()) paint_touch_marks(p, r);
    if (!wire_.empty() || band_) {
        // Drawn by the canvas's own rules at the view's size, on the widget.
        p.end();
        ScaledCanvas overlay(this, zoom_, origin_);
        const std::vector<Point> route(wire_.begin(), wire_.end());
        draw_wire_in_progress(overlay, route);
        if (band_) draw_rubber_band(overlay, *band_);
        overlay.end();
        p.begin(this);
    }
    if (ring_ || outline_) paint_hints(p);
}

bool CanvasView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString text = on_tooltip ? on_tooltip(help->pos()) : QString();
        if (text.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            // Gone once the cursor leaves the spot: the next pin has its own.
            QToolTip::showText(help->globalPos(), text, this, QRect(help->pos() - QPoint(3, 3), QSize(7, 7)));
        }
        return true;
    }
    return QWidget::event(e);
}

void CanvasView::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (on_leave) on_leave();
}

void CanvasView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (on_resize) on_resize(width(), height());
}

void CanvasView::mousePressEvent(QMouseEvent* e) {
    if (on_press) on_press(e);
}
void CanvasView::mouseMoveEvent(QMouseEvent* e) {
    if (on_move) on_move(e);
}
void CanvasView::mouseReleaseEvent(QMouseEvent* e) {
    if (on_release) on_release(e);
}
void CanvasView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (on_double_click) on_double_click(e);
}
void CanvasView::wheelEvent(QWheelEvent* e) {
    if (on_wheel) on_wheel(e);
    else QWidget::wheelEvent(e);
}

}  // namespace vorlisk
