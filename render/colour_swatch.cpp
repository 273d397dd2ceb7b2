#include "render/colour_swatch.h"

#include <QColorDialog>
#include <QPainter>

#include "render/canvas.h"

namespace vorlisk {

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent) {
    setFixedSize(44, 20);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QPushButton::clicked, this, &ColourSwatch::choose);
}

void ColourSwatch::set_colour(int32_t bgr) {
    colour_ = bgr & 0xffffff;
    update();
}

void ColourSwatch::choose() {
    const QColor chosen = QColorDialog::getColor(to_qcolor(colour_), this);
    if (chosen.isValid()) set_colour(from_qrgb(chosen.rgb()));
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRect box = rect().adjusted(2, 2, -3, -3);
    p.fillRect(box, to_qcolor(colour_));
    p.setPen(hasFocus() ? palette().highlight().color() : QColor(Qt::black));
    p.drawRect(box);
}

}  // namespace vorlisk
