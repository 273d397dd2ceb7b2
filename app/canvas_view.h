// The drawing area `Image1`: shows the canvas picture and hands the mouse to
// the main window. Painting copies only the part of the picture that
// changed; the picture itself is only ever changed by the redraw. At 100 %
// on a screen of ratio 1 the picture is the exact canvas; otherwise the
// window hands it a picture at device resolution.
//
// Over the picture, never in it, the view draws the wire in progress and
// the rubber band at the zoom, then the marks that follow the cursor and
// the touching nets' marks at the screen's own size (render/view_hints.h).
// They live only in the widget, so no redraw of the picture can take them
// away, and the kept picture, exported pictures and printing never see
// them.
#pragma once

#include <QRect>
#include "model/records.h"
#include "render/view_hints.h"
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

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

    // Canvas point p shows at widget point (p - origin) * zoom.
    void set_mapping(double zoom, QPointF origin);
    // The marks over the picture, in canvas pixels; nothing clears them.
    // Repaints only where the old and the new marks are.
    void set_hints(std::optional<QPoint> ring, std::optional<QRect> outline);
    std::optional<QPoint> ring() const;
    std::optional<QRect> outline() const;
    // The widget pixels the ring and the outline cover (empty without them).
    QRect hints_area() const;
    // The wire the editor is drawing: start, corners and free end in canvas
    // pixels; empty: none. Repaints only the runs that changed.
    void set_wire(std::vector<QPoint> route);
    const std::vector<QPoint>& wire() const { return wire_; }
    // The rubber band of a box selection, in canvas pixels (corners as the
    // editor keeps them); none: no band.
    void set_rubber_band(std::optional<Rect32> band);

    // The places where wires of two nets touch unconnected, in canvas pixels.
    void set_touch_marks(std::vector<QPoint> marks);
    // Whether a canvas point lies within a touch mark.
    bool on_touch_mark(QPoint canvas_point) const;

    std::function<void(QMouseEvent*)> on_press, on_move, on_release, on_double_click;
    std::function<void(QWheelEvent*)> on_wheel;
    std::function<void(int width, int height)> on_resize;
    std::function<void()> on_leave;
    // The tooltip at a widget point; empty: none.
    std::function<QString(QPoint)> on_tooltip;

protected:
    bool event(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
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
    double zoom_ = 1.0;
    QPointF origin_;
    ViewHints hints_;
    ScreenMapping mapping() const { return {zoom_, origin_.x(), origin_.y()}; }
    // The widget pixels a set of marks covers.
    QRect area_of(const ViewHints& hints) const;
    std::vector<QPoint> wire_;
    std::optional<Rect32> band_;
    QRect band_area() const;
    // The widget pixels of the runs of `route` from point `from` on.
    QRect wire_area(const std::vector<QPoint>& route, size_t from) const;
};

}  // namespace vorlisk
