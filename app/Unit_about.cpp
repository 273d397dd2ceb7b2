#include "app/Unit_about.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "render/canvas.h"

namespace vorlisk {

QImage paint_about_picture() {
    QImage img(410, 260, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 410, 260);
    sky.setColorAt(0, QColor(16, 40, 96));
    sky.setColorAt(1, QColor(18, 110, 130));
    p.fillRect(img.rect(), sky);

    // A few circuit traces and a square wave as decoration.
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    for (int i = 0; i < 6; ++i) p.drawLine(0, 150 + i * 14, 410, 150 + i * 14 - 40);
    p.setPen(QPen(QColor(120, 255, 170), 3));
    const QPoint wave[] = {{30, 200}, {70, 200}, {70, 170}, {120, 170}, {120, 200}, {170, 200},
                           {170, 170}, {220, 170}, {220, 200}, {260, 200}};
    p.drawPolyline(wave, 10);
    // A NAND gate symbol.
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRect(300, 40, 60, 80);
    p.drawEllipse(QPoint(368, 80), 7, 7);
    p.drawLine(280, 60, 300, 60);
    p.drawLine(280, 100, 300, 100);
    p.drawLine(375, 80, 395, 80);
    QFont amp = qt_font({"Arial", 28, true, false, false, false, 0});
    p.setFont(amp);
    p.drawText(QRect(300, 40, 60, 50), Qt::AlignCenter, "&");

    p.setPen(Qt::white);
    p.setFont(qt_font({"Arial", 46, true, false, false, false, 0}));
    p.drawText(QRect(24, 30, 260, 60), Qt::AlignLeft | Qt::AlignVCenter, "Vorlisk");
    p.setFont(qt_font({"宋体", 18, false, false, false, false, 0}));
    p.drawText(QRect(26, 92, 280, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("数字逻辑电路仿真实验系统"));
    p.setFont(qt_font({"Arial", 12, false, false, false, false, 0}));
    p.drawText(QRect(26, 122, 280, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("版本 0.1"));
    p.end();
    return img;
}

TForm_about::TForm_about(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setFixedSize(410, 260);
    setModal(true);
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 410, 260);
    Image1->setPixmap(QPixmap::fromImage(paint_about_picture()));
    Image1->installEventFilter(this);

    // Where help is: the program has no web page of its own.
    Label1 = new QLabel(this);
    Label1->setFont(qt_font({"宋体", 16, false, false, false, false, 0}));
    Label1->setStyleSheet("color: white; background: transparent;");
    Label1->setText(QStringLiteral("使用说明：帮助 → 使用说明（F1）"));
    Label1->adjustSize();
    Label1->move((410 - Label1->width()) / 2, 260 - Label1->height() - 14);
    Label1->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm_about::Timer1Timer);
}

void TForm_about::showEvent(QShowEvent* e) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(e);
}

void TForm_about::show_splash() {
    faded_in = false;
    clickable = false;
    opacity = 0;
    setWindowOpacity(0.0);
    Timer1->start();
    exec();
    Timer1->stop();
    setWindowOpacity(1.0);
}

void TForm_about::show_from_menu() {
    Timer1->stop();
    opacity = 255;
    setWindowOpacity(1.0);
    clickable = true;
    exec();
}

void TForm_about::Timer1Timer() {
    if (!faded_in) {
        opacity = std::min(255, opacity + 5);
        setWindowOpacity(opacity / 255.0);
        if (opacity >= 255) {
            faded_in = true;
            hold_.start();
        }
        return;
    }
    // The hold runs on the timer rather than blocking, so the screen keeps
    // painting while the splash is up.
    if (hold_.elapsed() < kHoldMs) return;
    Timer1->stop();
    clickable = true;
    accept();
}

void TForm_about::Image1Click() {
    if (clickable) accept();
}

bool TForm_about::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease) {
        if (watched == Image1 || watched == Label1) Image1Click();
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace vorlisk
