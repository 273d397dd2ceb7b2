// Where the render core's plain values meet Qt, for the desktop's surfaces
// (canvas.h, scaled_canvas.h, svg_canvas.h) and the windows.
#pragma once

#include <QColor>
#include <QPainter>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/geometry.h"
#include "render/paint_surface.h"

namespace vorlisk {

// The one place where 0x00BBGGRR meets Qt's 0xAARRGGBB.
constexpr QRgb to_qrgb(int32_t bgr) {
    return 0xff000000u | (uint32_t(bgr & 0xff) << 16) | (uint32_t(bgr) & 0xff00u) | ((uint32_t(bgr) >> 16) & 0xffu);
}
constexpr int32_t from_qrgb(QRgb rgb) {
    return int32_t(((rgb >> 16) & 0xffu) | (rgb & 0xff00u) | ((rgb & 0xffu) << 16));
}
QColor to_qcolor(int32_t bgr);

// Text turned a quarter turn to read upwards, its cell's corner at (x, y)
// as PaintSurface::text_up places it, in the painter's pen and font, laid
// out by `metrics`; the part of the output it may have touched.
struct TouchedBox {
    int left, top, right, bottom;
};
TouchedBox paint_text_up(QPainter& p, const QFontMetrics& metrics, int x, int y, std::string_view utf8);

// The Qt font for a circuit font (face substitution, pixel size).
QFont qt_font(const CanvasFont& f);

inline QPoint to_qpoint(Point p) { return QPoint(p.x(), p.y()); }
inline std::vector<QPoint> to_qpoints(const std::vector<Point>& points) {
    std::vector<QPoint> q;
    q.reserve(points.size());
    for (Point p : points) q.emplace_back(p.x(), p.y());
    return q;
}
inline QRect to_qrect(const Rect& r) { return r.isEmpty() ? QRect() : QRect(QPoint(r.left(), r.top()), QPoint(r.right(), r.bottom())); }

// A component picture as a QImage (RGB32).
QImage to_qimage(const PixelPicture& picture);

}  // namespace vorlisk
