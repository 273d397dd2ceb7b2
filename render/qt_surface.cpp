#include "render/qt_surface.h"

#include <QStringList>
#include <algorithm>

#include "render/pictures.h"

namespace vorlisk {

QColor to_qcolor(int32_t bgr) { return QColor::fromRgb(to_qrgb(bgr)); }

namespace {

constexpr const char* kChineseFace = "WenQuanYi Micro Hei";

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

QStringList families_for(std::string_view name) {
    QString n = QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed();
    QString lower = n.toLower();
    if (lower == "arial" || lower.isEmpty()) return {"Liberation Sans", kChineseFace};
    if (lower == "ms sans serif" || lower == "microsoft sans serif") return {"DejaVu Sans", kChineseFace};
    if (lower == "times new roman") return {"Liberation Serif", kChineseFace};
    if (lower == "courier new") return {"Liberation Mono", kChineseFace};
    if (!is_ascii(name)) return {kChineseFace};  // 宋体, 黑体, 楷体 ...
    return {n, "Liberation Sans", kChineseFace};
}

}  // namespace

QFont qt_font(const CanvasFont& f) {
    QFont font;
    font.setFamilies(families_for(f.name));
    font.setPixelSize(std::max(1, f.pixel_height));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strike_out);
    font.setKerning(false);  // label sizes were measured without kerning
    return font;
}

QImage to_qimage(const PixelPicture& picture) {
    QImage image(std::max(picture.width, 1), std::max(picture.height, 1), QImage::Format_RGB32);
    if (picture.empty()) return QImage();
    for (int y = 0; y < picture.height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) row[x] = to_qrgb(picture.at(x, y));
    }
    return image;
}

TouchedBox paint_text_up(QPainter& p, const QFontMetrics& m, int x, int y, std::string_view utf8) {
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    p.save();
    p.translate(x, y);
    p.rotate(-90);
    p.drawText(QPointF(0, m.ascent()), s);
    p.restore();
    return {x, y - m.horizontalAdvance(s) - 2, x + m.height(), y + 2};
}

}  // namespace vorlisk
