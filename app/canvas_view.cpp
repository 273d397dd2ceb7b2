#include "app/canvas_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "render/canvas.h"

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
        return;
    }
    const QImage& img = canvas_.image();
    p.drawImage(r, img, r);
    // Beyond the picture (for a moment while the window grows) stays blank.
    if (img.width() < width()) p.fillRect(QRect(img.width(), 0, width() - img.width(), height()), Qt::white);
    if (img.height() < height()) p.fillRect(QRect(0, img.height(), width(), height() - img.height()), Qt::white);
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
