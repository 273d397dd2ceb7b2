// A surface that paints the canvas pixel rules as shapes at any scale on a
// QPainter device: the zoomed screen picture (also at a device-pixel ratio
// of 2), printing and the pictures for reports. Canvas point (x, y) lands
// on device point ((x - origin.x) * scale, (y - origin.y) * scale). A pixel
// the rules cover becomes a square of `scale` device pixels, so lines, text
// and bodies are drawn at the output's own resolution; only the eight
// component pictures are bitmaps and are scaled as such.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <memory>
#include <unordered_map>

#include "render/paint_surface.h"
#include "render/qt_surface.h"

class QPaintDevice;

namespace vorlisk {

class ScaledCanvas : public PaintSurface {
public:
    // Paints on `device` (not owned), which must outlive the painting.
    ScaledCanvas(QPaintDevice* device, double scale, QPointF origin = {});
    ~ScaledCanvas() override;
    ScaledCanvas(const ScaledCanvas&) = delete;
    ScaledCanvas& operator=(const ScaledCanvas&) = delete;

    double scale() const { return scale_; }
    QPointF origin() const { return origin_; }

    void line(int x1, int y1, int x2, int y2) override;
    void polyline(std::span<const Point> points) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void pixel(int x, int y, int32_t color) override;
    void text(int x, int y, std::string_view utf8) override;
    void text_up(int x, int y, std::string_view utf8) override;
    void picture(int x, int y, const PixelPicture& picture, int32_t transparent) override;
    // Ends the painter; the next shape begins it again.
    void end() const override;
    double device_scale() const override { return scale_; }
    // Whole device pixels around the rectangles, so smoothed edges inside
    // come out as they would without the clip.
    void set_clip(std::span<const Rect> area) override;
    std::optional<Rect> visible_area() const override;

    // Union of the device pixels painted since the last take.
    QRect take_touched();

protected:
    // For surfaces that make their device after this object (SVG).
    ScaledCanvas(double scale, QPointF origin);
    void attach(QPaintDevice* device, QImage* image);

private:
    QPainter& painter();
    void touch(double l, double t, double r, double b);
    void stroke(const QPointF* pts, int n);
    void fill_rect(const QRectF& r, int32_t colour);

    QPaintDevice* device_ = nullptr;
    QImage* image_ = nullptr;  // the device, when it is a picture
    double scale_ = 1.0;
    QPointF origin_;
    mutable std::unique_ptr<QPainter> painter_;
    QRect touched_;
    QRegion clip_;  // device pixels; empty: none
    // Pictures with their transparent colour made clear, by the source and
    // that colour.
    std::unordered_map<const PixelPicture*, std::pair<int32_t, QImage>> masked_;
};

}  // namespace vorlisk
