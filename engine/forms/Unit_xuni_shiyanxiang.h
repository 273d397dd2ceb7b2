// "虚拟实验箱": the emulated experiment box. While the window is open the box
// is plugged in, so Run links to it (a Run already going, from its next
// pass): its eight switches feed the signal input device "信号输入器件"
// (switch 1 on pin 1, bit 0), and its eight lamps show what the signal
// output device "信号输出器件" sends (pin 1 on lamp 1, bit 7). Closing the
// window pulls the box out.
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace vorlisk {

class EmulatedBox;

// Eight round lamps numbered 1 to 8; lamp k is lit when bit 7-k is set.
class LampRow : public QWidget {
    Q_OBJECT
public:
    explicit LampRow(QWidget* parent = nullptr);
    void set_byte(uint8_t b);
    uint8_t byte() const { return byte_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    uint8_t byte_ = 0;
};

class TForm_xuni_shiyanxiang : public QWidget {
    Q_OBJECT
public:
    explicit TForm_xuni_shiyanxiang(EmulatedBox& box, QWidget* parent = nullptr);
    ~TForm_xuni_shiyanxiang() override;

    // Sets the switches as a byte (bit 0 is switch 1) and shows them.
    void set_switch_byte(uint8_t b);
    void SwitchClick(int k);  // switch k+1 toggled
    void lamps_changed(uint8_t b);

    std::array<QPushButton*, 8> Switches{};
    LampRow* Lamps = nullptr;
    QLabel* Label_switches = nullptr;  // the switches as a byte
    QLabel* Label_lamps = nullptr;     // the lamps as a byte
    QLabel* Label_hint = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void show_bytes();
    EmulatedBox& box_;
};

}  // namespace vorlisk
