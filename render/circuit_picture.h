// Pictures of a circuit for lab reports and handouts: the drawing (or the
// selection) cropped to what is drawn with a margin, without grid,
// selection marks or the wire being drawn, as PNG or as SVG.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include "model/circuit.h"
#include "model/output_file.h"
#include "render/report_picture.h"

namespace vorlisk {

struct Pictures;

struct PictureOptions {
    double scale = 1.0;           // output pixels per canvas pixel
    bool selection_only = false;  // only the selected items (all when nothing is selected)
    bool show_pin_numbers = false;
    bool show_pin_names = false;  // drawn where the scale makes them legible
    const Pictures* pictures = nullptr;
};

// What a picture shows, in canvas pixels with the margin; empty when there
// is nothing to draw.
QRect picture_bounds(const Circuit& c, bool selection_only, bool pin_numbers);

// The picture as an image of bounds x scale pixels (null when empty).
QImage circuit_image(const Circuit& c, const PictureOptions& o);
// The picture as an SVG document (empty when there is nothing to draw).
QByteArray circuit_svg(const Circuit& c, const PictureOptions& o, const QString& title = {});

// Writes a picture, the format chosen by the extension (.svg or .png; "-"
// is SVG on standard output), through model/output_file.h; false with a
// message in Chinese when it cannot.
bool write_circuit_picture(const Circuit& c, const PictureOptions& o, const QString& path, QString& error,
                           SpecialFiles special = SpecialFiles::write_into);

}  // namespace vorlisk
