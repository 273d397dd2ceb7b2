// A surface that writes an SVG document: the scaled surface on an SVG
// generator, so lines, bodies and text stay shapes and text at any size.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>

#include "render/scaled_canvas.h"

namespace vorlisk {

class SvgCanvas : public ScaledCanvas {
public:
    // A document of width x height canvas pixels from `origin`, drawn at
    // `scale` user units per canvas pixel.
    SvgCanvas(int width, int height, double scale, QPointF origin = {}, const QString& title = {});
    ~SvgCanvas() override;

    // Ends the painting and returns the document.
    QByteArray document();

private:
    QByteArray bytes_;
    QBuffer buffer_;
    QSvgGenerator generator_;
};

}  // namespace vorlisk
