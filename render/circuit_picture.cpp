#include "render/circuit_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "model/output_file.h"
#include "model/text_metrics.h"
#include "render/report_picture.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"
#include "render/svg_canvas.h"

namespace vorlisk {

namespace {

DrawOptions draw_options_of(const PictureOptions& o) {
    DrawOptions view;
    view.pictures = o.pictures;
    view.pin_numbers = o.show_pin_numbers;
    view.pin_names = o.show_pin_names;
    return view;
}

constexpr int kLargestSide = 20000;  // output pixels

}  // namespace

QRect picture_bounds(const Circuit& c, bool selection_only, bool pin_numbers) {
    DrawOptions view;
    view.pin_numbers = pin_numbers;
    view.pictures = &component_pictures();
    return to_qrect(picture_area(*picture_copy(c, selection_only), view));
}

QImage circuit_image(const Circuit& c, const PictureOptions& o) {
    const QRect bounds = picture_bounds(c, o.selection_only, o.show_pin_numbers);
    if (bounds.isEmpty()) return {};
    const auto copy = picture_copy(c, o.selection_only);
    QImage image(int(std::ceil(bounds.width() * o.scale)), int(std::ceil(bounds.height() * o.scale)),
                 QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(to_qcolor(c.draw.back_color));
    ScaledCanvas surface(&image, o.scale, bounds.topLeft());
    paint_picture(surface, *copy, Rect(bounds), draw_options_of(o));
    return image;
}

QByteArray circuit_svg(const Circuit& c, const PictureOptions& o, const QString& title) {
    const QRect bounds = picture_bounds(c, o.selection_only, o.show_pin_numbers);
    if (bounds.isEmpty()) return {};
    const auto copy = picture_copy(c, o.selection_only);
    SvgCanvas surface(bounds.width(), bounds.height(), o.scale, bounds.topLeft(), title);
    paint_picture(surface, *copy, Rect(bounds), draw_options_of(o));
    return surface.document();
}

bool write_circuit_picture(const Circuit& c, const PictureOptions& o, const QString& path, QString& error,
                           SpecialFiles special) {
    const bool to_stdout = path == QLatin1String("-");
    const QString suffix = to_stdout ? QStringLiteral("svg") : QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) {
        error = QStringLiteral("图片文件“%1”的扩展名须是 .svg 或 .png。").arg(path);
        return false;
    }
    if (!(o.scale > 0.0) || o.scale > 16.0) {
        error = QStringLiteral("图片的比例须大于 0 且不超过 16。");
        return false;
    }
    const QRect bounds = picture_bounds(c, o.selection_only, o.show_pin_numbers);
    if (double(bounds.width()) * o.scale > kLargestSide || double(bounds.height()) * o.scale > kLargestSide) {
        error = QStringLiteral("图片太大：最多 %1 × %1 像素，请减小比例。").arg(kLargestSide);
        return false;
    }
    QByteArray bytes;
    if (suffix == QLatin1String("svg")) {
        bytes = circuit_svg(c, o, to_stdout ? QString() : QFileInfo(path).completeBaseName());
    } else {
        const QImage image = circuit_image(c, o);
        if (!image.isNull()) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
        }
    }
    if (bytes.isEmpty()) {
        error = QStringLiteral("电路是空的，没有可以导出的图片。");
        return false;
    }
    OutputFile file;
    std::string why;
    if (to_stdout) file.open_stdout();
    else if (!file.open(QFile::encodeName(path).toStdString(), special, why)) {
        error = QStringLiteral("无法写入“%1”：%2。").arg(path, QString::fromStdString(why));
        return false;
    }
    file.write(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!file.commit(why)) {
        error = QStringLiteral("无法写入“%1”：%2。").arg(to_stdout ? QStringLiteral("标准输出") : path, QString::fromStdString(why));
        return false;
    }
    return true;
}

}  // namespace vorlisk
