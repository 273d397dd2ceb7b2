// The drawing area `Image1`: shows the canvas picture and hands the mouse to
// the main window. Painting copies only the part of the picture that
// changed; the picture itself is only ever changed by the redraw. At 100 %
// on a screen of ratio 1 the picture is the exact canvas; otherwise the
// window hands it a picture at device resolution.
#pragma once

#include <QWidget>
#include <functional>

class QWheelEvent;

namespace vorlisk {

class Canvas;

class CanvasView : public QWidget {
    Q_OBJECT
public:
    CanvasView(Canvas& canvas, QWidget* parent = nullptr);

    // A picture of device pixels (`ratio` per widget pixel) shown instead of
    // the canvas; null: the canvas again.
    void set_device_picture(const QImage* picture, double ratio);
    // Shows what the canvas painted since the last call.
    void show_changes();
    // Shows a changed part of the device picture.
    void show_device_changes(const QRect& device_rect);

    std::function<void(QMouseEvent*)> on_press, on_move, on_release, on_double_click;
    std::function<void(QWheelEvent*)> on_wheel;
    std::function<void(int width, int height)> on_resize;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    Canvas& canvas_;
    const QImage* device_picture_ = nullptr;
    double ratio_ = 1.0;
};

}  // namespace vorlisk
