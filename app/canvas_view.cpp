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
#include "render/qt_surface.h"
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

QRect CanvasView::area_of(const ViewHints& hints) const { return to_qrect(view_hints_area(hints, mapping())); }

void CanvasView::set_hints(std::optional<QPoint> ring, std::optional<QRect> outline) {
    std::optional<Point> r;
    std::optional<Rect32> o;
    if (ring) r = Point(*ring);
    if (outline) o = Rect32{outline->left(), outline->top(), outline->right(), outline->bottom()};
    if (r == hints_.ring && o == hints_.outline) return;
    const QRect old = hints_area();
    hints_.ring = r;
    hints_.outline = o;
    update(old);
    update(hints_area());
}

std::optional<QPoint> CanvasView::ring() const {
    if (!hints_.ring) return std::nullopt;
    return to_qpoint(*hints_.ring);
}

std::optional<QRect> CanvasView::outline() const {
    if (!hints_.outline) return std::nullopt;
    const Rect32& o = *hints_.outline;
    return QRect(QPoint(o.left, o.top), QPoint(o.right, o.bottom));
}

QRect CanvasView::hints_area() const { return area_of(ViewHints{hints_.ring, hints_.outline, {}}); }

void CanvasView::set_touch_marks(std::vector<QPoint> marks) {
    const std::vector<Point> places(marks.begin(), marks.end());
    if (places == hints_.touches) return;
    // Each mark on its own: marks far apart need no repaint between them.
    for (Point m : hints_.touches) update(area_of(ViewHints{{}, {}, {m}}));
    hints_.touches = places;
    for (Point m : hints_.touches) update(area_of(ViewHints{{}, {}, {m}}));
}

bool CanvasView::on_touch_mark(QPoint canvas_point) const {
    return vorlisk::on_touch_mark(hints_, mapping(), Point(canvas_point));
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
    p.end();
    // Drawn by the canvas's own rules at the view's size, on the widget.
    if (!wire_.empty() || band_) {
        ScaledCanvas overlay(this, zoom_, origin_);
        const std::vector<Point> route(wire_.begin(), wire_.end());
        draw_wire_in_progress(overlay, route);
        if (band_) draw_rubber_band(overlay, *band_);
        overlay.end();
    }
    if (hints_.ring || hints_.outline || !hints_.touches.empty()) {
        ScaledCanvas screen(this, 1.0 / kHintUnits);
        draw_view_hints(screen, hints_, mapping());
    }
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
