#include "app/canvas_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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

void CanvasView::show_changes() {
    const QRect r = canvas_.take_touched();
    if (!r.isEmpty()) update(r);
}

void CanvasView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QImage& img = canvas_.image();
    const QRect r = e->rect();
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

}  // namespace vorlisk
