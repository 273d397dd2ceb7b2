#include "render/svg_canvas.h"

#include <cmath>

namespace vorlisk {

SvgCanvas::SvgCanvas(int width, int height, double scale, QPointF origin, const QString& title)
    : ScaledCanvas(scale, origin) {
    buffer_.setBuffer(&bytes_);
    generator_.setOutputDevice(&buffer_);
    const QSize size(int(std::ceil(width * scale)), int(std::ceil(height * scale)));
    generator_.setSize(size);
    generator_.setResolution(96);  // a report program sizes it as it looks on screen
    generator_.setViewBox(QRect(QPoint(0, 0), size));
    if (!title.isEmpty()) generator_.setTitle(title);
    generator_.setDescription(QStringLiteral("Vorlisk"));
    attach(&generator_, nullptr);
}

SvgCanvas::~SvgCanvas() { end(); }

QByteArray SvgCanvas::document() {
    end();
    return bytes_;
}

}  // namespace vorlisk
