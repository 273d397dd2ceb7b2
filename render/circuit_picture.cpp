#include "render/circuit_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/output_file.h"
#include "model/text_metrics.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"
#include "render/svg_canvas.h"

namespace vorlisk {

namespace {

constexpr int kLargestSide = 20000;  // output pixels

// A copy of the records a picture shows, with nothing selected and no
// wire in progress, so the drawers paint it as the circuit looks.
std::unique_ptr<Circuit> picture_copy(const Circuit& c, bool selection_only) {
    auto out = make_circuit();
    const bool only = selection_only && !c.selection.empty();
    std::unordered_set<std::string_view> chosen(c.selection.begin(), c.selection.end());
    auto keep = [&](const std::string& name) { return !only || chosen.count(name) != 0; };
    for (int i = 0; i < c.object_count; ++i)
        if (keep(c.objects[i].name)) out->objects[out->object_count++] = c.objects[i];
    for (int i = 0; i < c.wire_count; ++i)
        if (keep(c.wires[i].name)) out->wires[out->wire_count++] = c.wires[i];
    for (int i = 0; i < c.junction_count; ++i)
        if (keep(c.junctions[i].name)) out->junctions[out->junction_count++] = c.junctions[i];
    for (int i = 0; i < c.test_point_count; ++i)
        if (keep(c.test_points[i].name)) out->test_points[out->test_point_count++] = c.test_points[i];
    for (int i = 0; i < c.annotation_count; ++i)
        if (keep(c.annotations[i].name)) out->annotations[out->annotation_count++] = c.annotations[i];
    out->draw = c.draw;
    out->draw.show_grid = false;
    out->running = c.running;
    out->selection.clear();
    out->drawing_wire = MY_LINK{};
    return out;
}

struct Box {
    long long l = 0, t = 0, r = 0, b = 0;
    bool any = false;
    void add(long long L, long long T, long long R, long long B) {
        if (!any) l = L, t = T, r = R, b = B, any = true;
        else l = std::min(l, L), t = std::min(t, T), r = std::max(r, R), b = std::max(b, B);
    }
};

// In 64 bits: a position plus an offset or a size may pass what an int holds.
Box drawn_box(const Circuit& c, bool pin_numbers) {
    Box box;
    const long long ww = std::max(1, c.draw.wire_width);
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const long long x = o.x, y = o.y;
        const Rect32& r = o.outline_rect;
        box.add(x + std::min(r.left, r.right), y + std::min(r.top, r.bottom), x + std::max(r.left, r.right) + 1,
                y + std::max(r.top, r.bottom) + 1);
        if (o.kind == "Vcc") box.add(x - 10, y - 18, x + 14, y + 3);
        if (o.kind == "Gnd") box.add(x - 10, y - 2, x + 14, y + 27);
        for (int k = 0; k < std::min<int>(o.input_count, kMaxPins); ++k)
            box.add(x + o.in_dx[k] - ww, y + o.in_dy[k] - ww, x + o.in_dx[k] + ww, y + o.in_dy[k] + ww);
        for (int k = 0; k < std::min<int>(o.output_count, kMaxPins); ++k)
            box.add(x + o.out_dx[k] - ww, y + o.out_dy[k] - ww, x + o.out_dx[k] + ww, y + o.out_dy[k] + ww);
        // Pin numbers reach a few pixels past the tips of a chip's pins.
        if (pin_numbers && contains(o.kind, "集成芯片"))
            box.add(x + r.left - 8, y + r.top - 14, x + r.right + 9, y + r.bottom + 1);
    }
    for (int i = 0; i < c.wire_count; ++i) {
        const MY_LINK& w = c.wires[i];
        box.add(std::min<long long>(w.x1, w.x2) - ww, std::min<long long>(w.y1, w.y2) - ww,
                std::max<long long>(w.x1, w.x2) + ww, std::max<long long>(w.y1, w.y2) + ww);
        for (int k = 0; k < std::clamp(w.bend_count, 0, kMaxBends); ++k)
            box.add(w.bends[k].x - ww, w.bends[k].y - ww, w.bends[k].x + ww, w.bends[k].y + ww);
    }
    const long long s = c.draw.junction_size;
    for (int i = 0; i < c.junction_count; ++i)
        box.add(c.junctions[i].x - s, c.junctions[i].y - s, c.junctions[i].x + s + 1, c.junctions[i].y + s + 1);
    for (int i = 0; i < c.test_point_count; ++i) {
        const MY_TEST_POINT& t = c.test_points[i];
        const long long x = t.x, y = t.y;
        box.add(x - 4, y - 4, x + 5, y + 5);
        const TextSize size = measure_text(t.label, FontKind::test_point);
        box.add(x + t.label_dx, y + t.label_dy, x + t.label_dx + size.width + 2, y + t.label_dy + size.height);
    }
    for (int i = 0; i < c.annotation_count; ++i) {
        const ZHU_SHI_S& a = c.annotations[i];
        const long long x = a.x, y = a.y;
        box.add(x - 3, y - 3, x + a.width + 4, y + a.height + 4);
    }
    return box;
}

// The picture: the canvas colour under the drawing, then every item as the
// full redraw paints it.
void paint_picture(PaintSurface& surface, const Circuit& copy, const QRect& bounds, const PictureOptions& o) {
    surface.set_pen(copy.draw.back_color, 1);
    surface.set_brush(copy.draw.back_color);
    surface.rectangle(bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1);
    DrawOptions view;
    view.pictures = o.pictures;
    view.pin_numbers = o.show_pin_numbers;
    view.pin_names = o.show_pin_names;
    draw_circuit(surface, copy, Rect(0, 0, 0, 0), kRedrawFull, view);  // no grid to draw: the copy has it off
    surface.end();
}

}  // namespace

QRect picture_bounds(const Circuit& c, bool selection_only, bool pin_numbers) {
    const auto copy = picture_copy(c, selection_only);
    const Box b = drawn_box(*copy, pin_numbers);
    if (!b.any) return {};
    // Within what a rectangle's width holds; a picture that large is refused as too large anyway.
    const long long kReach = 1 << 28;
    auto held = [&](long long v) { return int(std::clamp(v, -kReach, kReach)); };
    return QRect(QPoint(held(b.l - kPictureMargin), held(b.t - kPictureMargin)),
                 QPoint(held(b.r + kPictureMargin - 1), held(b.b + kPictureMargin - 1)));
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
    paint_picture(surface, *copy, bounds, o);
    return image;
}

QByteArray circuit_svg(const Circuit& c, const PictureOptions& o, const QString& title) {
    const QRect bounds = picture_bounds(c, o.selection_only, o.show_pin_numbers);
    if (bounds.isEmpty()) return {};
    const auto copy = picture_copy(c, o.selection_only);
    SvgCanvas surface(bounds.width(), bounds.height(), o.scale, bounds.topLeft(), title);
    paint_picture(surface, *copy, bounds, o);
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
