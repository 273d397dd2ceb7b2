#include "engine/forms/Unit_xuni_shiyanxiang.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/emulated_box.h"

namespace vorlisk {

namespace {

constexpr int kLampPitch = 44;  // one switch or lamp column, in pixels
constexpr int kLampSize = 26;

QString byte_text(uint8_t b) {
    QString bits;
    for (int k = 7; k >= 0; --k) bits += (b >> k) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return QStringLiteral("0x%1  %2").arg(QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0')), bits);
}

}  // namespace

LampRow::LampRow(QWidget* parent) : QWidget(parent) {
    setObjectName("Lamps");
    setMinimumSize(sizeHint());
}

QSize LampRow::sizeHint() const { return QSize(8 * kLampPitch, kLampSize + 22); }

void LampRow::set_byte(uint8_t b) {
    if (b == byte_) return;
    byte_ = b;
    update();
}

void LampRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int left = (width() - 8 * kLampPitch) / 2;
    for (int k = 0; k < 8; ++k) {
        const bool lit = (byte_ >> (7 - k)) & 1;  // lamp 1 is the most significant bit
        const QRect r(left + k * kLampPitch + (kLampPitch - kLampSize) / 2, 2, kLampSize, kLampSize);
        QRadialGradient g(r.center() - QPoint(4, 4), kLampSize * 0.7);
        g.setColorAt(0, lit ? QColor(255, 220, 200) : QColor(120, 60, 60));
        g.setColorAt(1, lit ? QColor(230, 20, 20) : QColor(60, 20, 20));
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(g);
        p.drawEllipse(r);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(r.left() - 8, r.bottom() + 2, r.width() + 16, 18), Qt::AlignCenter, QString::number(k + 1));
    }
}

TForm_xuni_shiyanxiang::TForm_xuni_shiyanxiang(EmulatedBox& box, QWidget* parent)
    : QWidget(parent, Qt::Tool), box_(box) {
    setObjectName("Form_xuni_shiyanxiang");
    setWindowTitle(QStringLiteral("虚拟实验箱"));

    auto* top = new QVBoxLayout(this);
    auto* lamps_title = new QLabel(QStringLiteral("灯（信号输出器件 1～8 脚）"), this);
    top->addWidget(lamps_title);
    Lamps = new LampRow(this);
    Lamps->setToolTip(QStringLiteral("灯 1 为输出字节的 bit7，灯 8 为 bit0"));
    top->addWidget(Lamps);
    Label_lamps = new QLabel(this);
    Label_lamps->setObjectName("Label_lamps");
    top->addWidget(Label_lamps, 0, Qt::AlignRight);

    auto* switches_title = new QLabel(QStringLiteral("开关（信号输入器件 1～8 脚）"), this);
    top->addWidget(switches_title);
    auto* row = new QGridLayout;
    row->setHorizontalSpacing(0);
    for (int k = 0; k < 8; ++k) {
        auto* b = new QPushButton(QString::number(k + 1), this);
        b->setObjectName(QStringLiteral("Switch%1").arg(k + 1));
        b->setCheckable(true);
        b->setFixedSize(kLampPitch - 6, 46);
        b->setToolTip(QStringLiteral("开关 %1：输入字节的 bit%2").arg(k + 1).arg(k));
        // Up is high, like the lever of a real switch.
        b->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid #555; border-radius: 4px; background: #ddd;"
            " padding-top: 20px; font-weight: bold; }"
            "QPushButton:checked { background: #4a4; color: white; padding-top: 0; padding-bottom: 20px; }"));
        connect(b, &QPushButton::toggled, this, [this, k] { SwitchClick(k); });
        Switches[k] = b;
        row->addWidget(b, 0, k, Qt::AlignCenter);
    }
    top->addLayout(row);
    Label_switches = new QLabel(this);
    Label_switches->setObjectName("Label_switches");
    top->addWidget(Label_switches, 0, Qt::AlignRight);

    Label_hint = new QLabel(QStringLiteral("窗口打开时实验箱已接入，运行时连接；关闭窗口即拔下实验箱。"), this);
    Label_hint->setWordWrap(true);
    Label_hint->setStyleSheet(QStringLiteral("color: #555;"));
    top->addWidget(Label_hint);

    box_.on_lamps = [this](uint8_t b) { lamps_changed(b); };
    set_switch_byte(box_.switches());
    setFixedSize(sizeHint());
}

TForm_xuni_shiyanxiang::~TForm_xuni_shiyanxiang() {
    box_.on_lamps = nullptr;
    box_.detach();
}

void TForm_xuni_shiyanxiang::set_switch_byte(uint8_t b) {
    for (int k = 0; k < 8; ++k) {
        QSignalBlocker quiet(Switches[k]);
        Switches[k]->setChecked((b >> k) & 1);
    }
    box_.set_switches(b);
    show_bytes();
}

void TForm_xuni_shiyanxiang::SwitchClick(int k) {
    uint8_t b = box_.switches();
    b = uint8_t(Switches[k]->isChecked() ? b | (1u << k) : b & ~(1u << k));
    box_.set_switches(b);
    show_bytes();
}

void TForm_xuni_shiyanxiang::lamps_changed(uint8_t) { show_bytes(); }

void TForm_xuni_shiyanxiang::show_bytes() {
    Lamps->set_byte(box_.lamps());
    Label_lamps->setText(QStringLiteral("输出 ") + byte_text(box_.lamps()));
    Label_switches->setText(QStringLiteral("输入 ") + byte_text(box_.switches()));
}

void TForm_xuni_shiyanxiang::showEvent(QShowEvent* e) {
    box_.attach();
    show_bytes();
    QWidget::showEvent(e);
}

// Closing pulls the box out; hiding with a minimised main window does not.
void TForm_xuni_shiyanxiang::closeEvent(QCloseEvent* e) {
    box_.detach();
    QWidget::closeEvent(e);
}

}  // namespace vorlisk
