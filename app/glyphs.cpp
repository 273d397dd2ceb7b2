#include "app/glyphs.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "model/catalogue.h"
#include "render/canvas.h"
#include "render/scaled_canvas.h"
#include "render/drawers.h"

namespace vorlisk {

namespace {

constexpr int kToolSize = 20;

void page(QPainter& p, const QRect& r) {
    QPolygon sheet;
    sheet << r.topLeft() << QPoint(r.right() - 4, r.top()) << QPoint(r.right(), r.top() + 4) << r.bottomRight()
          << r.bottomLeft();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
}

void rotate_arrow(QPainter& p, bool left) {
    p.setPen(QPen(QColor(20, 90, 180), 2));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(4, 4, 12, 12);
    p.drawArc(arc, left ? 30 * 16 : 150 * 16, left ? 270 * 16 : -270 * 16);
    p.setBrush(QColor(20, 90, 180));
    QPolygonF head;
    if (left) head << QPointF(2, 3) << QPointF(8, 3) << QPointF(5, 8);
    else head << QPointF(18, 3) << QPointF(12, 3) << QPointF(15, 8);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

// A curved arrow turning back (undo) or forward (redo).
void history_arrow(QPainter& p, bool back) {
    const QColor ink(40, 110, 60);
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (back) {
        path.moveTo(5, 8);
        path.cubicTo(9, 3, 18, 5, 16, 13);
    } else {
        path.moveTo(15, 8);
        path.cubicTo(11, 3, 2, 5, 4, 13);
    }
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    QPolygonF head;
    if (back) head << QPointF(1, 9) << QPointF(8, 3) << QPointF(8, 11);
    else head << QPointF(19, 9) << QPointF(12, 3) << QPointF(12, 11);
    p.drawPolygon(head);
}

void paint_tool(QPainter& p, ToolGlyph g) {
    const QColor ink(40, 40, 40);
    switch (g) {
        case ToolGlyph::new_file: page(p, QRect(4, 2, 12, 16)); break;
        case ToolGlyph::open:
            p.setPen(ink);
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(2, 6, 16, 11);
            p.drawRect(2, 4, 7, 2);
            break;
        case ToolGlyph::save:
            p.setPen(ink);
            p.setBrush(QColor(60, 90, 170));
            p.drawRect(2, 2, 16, 16);
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 10, 6);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(6, 11, 8, 7);
            break;
        case ToolGlyph::print:
            p.setPen(ink);
            p.setBrush(Qt::white);
            p.drawRect(5, 2, 10, 6);
            p.setBrush(QColor(170, 170, 170));
            p.drawRect(2, 8, 16, 7);
            p.setBrush(Qt::white);
            p.drawRect(5, 13, 10, 5);
            break;
        case ToolGlyph::cut:
            p.setPen(QPen(ink, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawLine(6, 2, 13, 12);
            p.drawLine(14, 2, 7, 12);
            p.drawEllipse(QPointF(5.5, 15), 3, 3);
            p.drawEllipse(QPointF(14.5, 15), 3, 3);
            break;
        case ToolGlyph::copy:
            page(p, QRect(2, 2, 10, 12));
            page(p, QRect(8, 6, 10, 12));
            break;
        case ToolGlyph::paste:
            p.setPen(ink);
            p.setBrush(QColor(190, 140, 80));
            p.drawRect(3, 3, 12, 15);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(6, 1, 6, 3);
            page(p, QRect(9, 8, 9, 11));
            break;
        case ToolGlyph::table:
            p.setPen(ink);
            p.setBrush(Qt::white);
            p.drawRect(2, 3, 16, 14);
            for (int y = 7; y < 17; y += 4) p.drawLine(2, y, 18, y);
            p.drawLine(8, 3, 8, 17);
            p.drawLine(13, 3, 13, 17);
            break;
        case ToolGlyph::trace: {
            p.setPen(QPen(QColor(0, 130, 0), 1.5));
            const QPoint a[] = {{1, 8}, {5, 8}, {5, 3}, {11, 3}, {11, 8}, {19, 8}};
            p.drawPolyline(a, 6);
            p.setPen(QPen(QColor(200, 0, 0), 1.5));
            const QPoint b[] = {{1, 17}, {8, 17}, {8, 12}, {15, 12}, {15, 17}, {19, 17}};
            p.drawPolyline(b, 6);
            break;
        }
        case ToolGlyph::run: {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 160, 60));
            const QPoint tri[] = {{5, 3}, {17, 10}, {5, 17}};
            p.drawPolygon(tri, 3);
            break;
        }
        case ToolGlyph::stop:
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(210, 30, 30));
            p.drawRect(4, 4, 12, 12);
            break;
        case ToolGlyph::rotate_left: rotate_arrow(p, true); break;
        case ToolGlyph::rotate_right: rotate_arrow(p, false); break;
        case ToolGlyph::undo: history_arrow(p, true); break;
        case ToolGlyph::redo: history_arrow(p, false); break;
        case ToolGlyph::manual:
            p.setPen(ink);
            p.setBrush(QColor(60, 120, 200));
            p.drawRect(3, 2, 14, 16);
            p.setPen(Qt::white);
            p.setFont(qt_font({"Arial", 13, true, false, false, false, 0}));
            p.drawText(QRect(3, 2, 14, 16), Qt::AlignCenter, "?");
            break;
        case ToolGlyph::select: {
            QPolygon arrow;
            arrow << QPoint(6, 2) << QPoint(6, 16) << QPoint(9, 13) << QPoint(12, 19) << QPoint(14, 18)
                  << QPoint(11, 12) << QPoint(15, 12);
            p.setPen(Qt::black);
            p.setBrush(Qt::white);
            p.drawPolygon(arrow);
            break;
        }
        case ToolGlyph::wire:
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(2, 15, 9, 15);
            p.drawLine(9, 15, 9, 5);
            p.drawLine(9, 5, 18, 5);
            break;
        case ToolGlyph::junction:
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(2, 10, 18, 10);
            p.drawLine(10, 10, 10, 18);
            p.setBrush(Qt::black);
            p.drawEllipse(QPointF(10, 10), 3, 3);
            break;
        case ToolGlyph::test_point:
            p.setPen(QPen(QColor(0, 0, 255), 1.5));
            p.setBrush(QColor(255, 255, 0));
            p.drawEllipse(QPointF(9, 11), 4.5, 4.5);
            p.setPen(QColor(0, 0, 128));
            p.setFont(qt_font({"Arial", 9, true, false, false, false, 0}));
            p.drawText(QRect(11, 0, 9, 9), Qt::AlignCenter, "A");
            break;
    }
}

}  // namespace

namespace {

// The device-pixel ratios an icon carries pictures for: a plain screen, a
// doubled one, and whatever the screens here have, so every screen shows
// pixels drawn at its own resolution, never a picture enlarged.
std::vector<double> icon_ratios() {
    std::vector<double> ratios{1.0, 2.0};
    if (qApp) {
        const double here = qApp->devicePixelRatio();
        if (std::find(ratios.begin(), ratios.end(), here) == ratios.end()) ratios.push_back(here);
    }
    return ratios;
}

// An icon of side `size` with one picture per ratio, each painted afresh at
// that ratio's pixels by `paint`.
QIcon icon_at_every_ratio(int size, const std::function<void(QImage&, double ratio)>& paint) {
    QIcon icon;
    for (double r : icon_ratios()) {
        const int side = int(std::ceil(size * r));
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        paint(image, r);
        QPixmap pm = QPixmap::fromImage(image);
        pm.setDevicePixelRatio(r);
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace

QIcon tool_glyph(ToolGlyph g) {
    return icon_at_every_ratio(kToolSize, [g](QImage& image, double r) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(r, r);
        paint_tool(p, g);
    });
}

QIcon kind_glyph(Circuit& scratch, const Pictures& pictures, std::string_view kind, int size) {
    const int before = scratch.object_count;
    place_component(scratch, before, kind, 150, 150);
    MY_BASE_OBJ& o = scratch.objects[before];
    scratch.object_count = before + 1;
    const Rect32& r = o.outline_rect;
    QRect area(QPoint(o.x + r.left - 3, o.y + r.top - 3), QPoint(o.x + r.right + 3, o.y + r.bottom + 3));
    // The terminals draw their names outside their outline.
    if (o.kind == "Vcc") area = QRect(o.x - 14, o.y - 22, 30, 30);
    if (o.kind == "Gnd") area = QRect(o.x - 14, o.y - 6, 30, 34);
    // What the canvas shows on its paper (a bubble's inside) shows the button's face.
    const int32_t paper = scratch.draw.back_color;
    scratch.draw.back_color = from_qrgb(QGuiApplication::palette().color(QPalette::Button).rgb());

    const QIcon icon = icon_at_every_ratio(size, [&](QImage& image, double) {
        // The component's box fitted into the picture, centred.
        const double scale = std::min(image.width() / double(area.width()), image.height() / double(area.height()));
        const QPointF centre = QRectF(area).center();
        const QPointF origin(centre.x() - image.width() / 2.0 / scale, centre.y() - image.height() / 2.0 / scale);
        ScaledCanvas cv(&image, scale, origin);
        DrawOptions view;
        view.pictures = &pictures;
        draw_component(cv, scratch, o, 0, view);
        cv.end();
    });
    scratch.draw.back_color = paper;
    scratch.object_count = before;
    return icon;
}

}  // namespace vorlisk
