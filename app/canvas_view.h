// The drawing area `Image1`: shows the canvas picture and hands the mouse to
// the main window. Painting copies only the part of the picture that
// changed; the picture itself is only ever changed by the redraw.
#pragma once

#include <QWidget>
#include <functional>

namespace vorlisk {

class Canvas;

class CanvasView : public QWidget {
    Q_OBJECT
public:
    CanvasView(Canvas& canvas, QWidget* parent = nullptr);

    // Shows what the canvas painted since the last call.
    void show_changes();

    std::function<void(QMouseEvent*)> on_press, on_move, on_release, on_double_click;
    std::function<void(int width, int height)> on_resize;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    Canvas& canvas_;
};

}  // namespace vorlisk
