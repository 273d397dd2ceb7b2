// Paints the eight pictures the drawers put on level controllers, pulse
// sources and the hardware interface devices, and prints them as the data
// the render core loads (runs of 0x00BBGGRR colours, row by row).
// Run: gen_pictures > render/picture_data.cpp.inc
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cstdio>

namespace {

// Pictures are copied pixel by pixel with blue left out, so they are painted
// without smoothing: a blended edge would leave a blue fringe.
struct Sheet {
    QImage image;
    QPainter p;
    Sheet(int w, int h) : image(w, h, QImage::Format_RGB32) {
        image.fill(QColor(0, 0, 255));
        p.begin(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
    }
    QImage done() {
        p.end();
        return image;
    }
    void text(const QRect& box, const QString& s, int px, const QColor& colour) {
        QFont font;  // as the surfaces name Arial
        font.setFamilies({"Liberation Sans", "WenQuanYi Micro Hei"});
        font.setPixelSize(px);
        font.setBold(true);
        font.setKerning(false);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(box, Qt::AlignCenter, s);
    }
    void frame(const QRect& r, const QColor& colour, int width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
};

const QColor kGrey(150, 150, 150);
const QColor kScreen(40, 90, 200);  // not pure blue: that would be transparent
const QColor kBoard(20, 120, 50);

QImage level_picture(bool high) {
    Sheet s(41, 41);
    s.text(QRect(10, 3, 21, 17), "H", 15, high ? Qt::red : kGrey);
    s.text(QRect(10, 21, 21, 17), "L", 15, Qt::black);
    if (high) s.frame(QRect(10, 3, 20, 16), Qt::red, 2);
    else s.frame(QRect(10, 22, 20, 16), Qt::black, 2);
    return s.done();
}

QImage pulse_picture(const QString& caption) {
    Sheet s(61, 61);
    s.p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    // Above the pin labels, which sit at mid-height on both sides.
    const QPoint wave[] = {{17, 22}, {24, 22}, {24, 8}, {36, 8}, {36, 22}, {43, 22}};
    s.p.drawPolyline(wave, 6);
    s.text(QRect(15, 31, 31, 18), caption, 14, Qt::black);
    return s.done();
}

void draw_board(QPainter& p, const QRect& r) {
    p.setPen(Qt::black);
    p.setBrush(kBoard);
    p.drawRect(r);
    p.setBrush(Qt::black);
    const QRect chip(r.center().x() - 4, r.center().y() - 3, 8, 6);
    p.drawRect(chip);
    p.setPen(QColor(230, 200, 60));
    p.drawLine(r.left() + 2, r.bottom() - 2, r.right() - 2, r.bottom() - 2);
}

void draw_computer(QPainter& p, const QRect& r) {
    p.setPen(Qt::black);
    p.setBrush(QColor(200, 200, 200));
    const QRect monitor(r.left(), r.top(), r.width(), r.height() * 3 / 4);
    p.drawRect(monitor);
    p.setBrush(kScreen);
    p.drawRect(monitor.adjusted(2, 2, -2, -2));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(r.center().x() - 5, monitor.bottom() + 1, 10, r.bottom() - monitor.bottom() - 1);
}

void draw_arrow(QPainter& p, QPoint from, QPoint to, const QColor& colour) {
    p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::FlatCap));
    const QPoint d = to - from;
    const bool down = d.x() == 0;
    const QPoint stem_end = down ? to - QPoint(0, 6) : to - QPoint(6, 0);
    p.drawLine(from, stem_end);
    p.setPen(colour);
    p.setBrush(colour);
    QPolygon head;
    if (down) head << to << to + QPoint(-6, -7) << to + QPoint(6, -7);
    else head << to << to + QPoint(-7, -6) << to + QPoint(-7, 6);
    p.drawPolygon(head);
}

// The device pictures leave the column of pin numbers free: on the right
// of the input device and on the left of the output device.
QImage device_picture(bool input, bool vertical) {
    const QColor arrow = input ? QColor(0, 170, 0) : QColor(220, 0, 0);
    if (vertical) {
        Sheet s(41, 91);
        const int left = input ? 4 : 11;
        const QRect first(left, 5, 26, 22), second(left, 62, 26, 24);
        if (input) draw_board(s.p, first), draw_computer(s.p, second);
        else draw_computer(s.p, first), draw_board(s.p, second.adjusted(0, 2, 0, -2));
        draw_arrow(s.p, QPoint(left + 13, 31), QPoint(left + 13, 58), arrow);
        return s.done();
    }
    Sheet s(91, 41);
    const QRect first(5, 9, 24, 22), second(62, 9, 24, 22);
    if (input) draw_board(s.p, first), draw_computer(s.p, second);
    else draw_computer(s.p, first), draw_board(s.p, second);
    draw_arrow(s.p, QPoint(33, 20), QPoint(58, 20), arrow);
    return s.done();
}

}  // namespace

void print(const char* name, const QImage& image) {
    std::printf("constexpr uint32_t k%s[] = {", name);
    int n = 0;
    uint32_t run = 0, colour = 0;
    auto flush = [&] {
        if (run == 0) return;
        std::printf("%s%u, 0x%06x,", n++ % 6 == 0 ? "\n   " : " ", run, colour);
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const uint32_t bgr = uint32_t(qRed(p)) | uint32_t(qGreen(p)) << 8 | uint32_t(qBlue(p)) << 16;
            if (run != 0 && bgr == colour) {
                ++run;
                continue;
            }
            flush();
            run = 1, colour = bgr;
        }
    flush();
    std::printf("\n};\n");
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::printf("// Generated by tools/gen_pictures; do not edit.\n");
    std::printf("// Runs of (count, 0x00BBGGRR colour), row by row.\n");
    std::printf("#include <cstdint>\n\nnamespace vorlisk::picture_data {\n\n");
    const QImage images[8] = {level_picture(true),           level_picture(false),
                              pulse_picture("CP"),           pulse_picture("N"),
                              device_picture(true, true),    device_picture(true, false),
                              device_picture(false, true),   device_picture(false, false)};
    const char* names[8] = {"LevelHigh", "LevelLow", "PulseContinuous", "PulsePreset",
                            "InputVertical", "InputHorizontal", "OutputVertical", "OutputHorizontal"};
    for (int i = 0; i < 8; ++i) print(names[i], images[i]);
    std::printf("\n}  // namespace vorlisk::picture_data\n");
    return 0;
}
