// "单稳态触发器": the pulse width of a one-shot chip (74LS121, 74LS122,
// 74LS123, 74LS221), per section. The width is typed in seconds, or worked
// out from the external R and C a lab handout gives, with the chip's own
// datasheet formula.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "model/circuit.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlisk {

class TForm_one_shot : public QDialog {
    Q_OBJECT
public:
    explicit TForm_one_shot(QWidget* parent = nullptr);

    // Shows the widths of one-shot chip `obj` and, on OK, writes them
    // through the core's edit function; returns whether it did.
    bool edit(Circuit& c, int obj);

    void BitBtn1Click();  // 确定: checks every width, then accepts
    void RcClick(int section);  // 由R、C计算: the width from R and C

    struct SectionEdits {
        QWidget* box = nullptr;
        QLineEdit* width = nullptr;  // seconds
        QLineEdit* r = nullptr;      // kΩ
        QLineEdit* c = nullptr;      // μF
        QPushButton* compute = nullptr;
        QLabel* formula = nullptr;
    };
    std::array<SectionEdits, 2> sections;
    QPushButton* BitBtn1;  // "确定"
    QPushButton* BitBtn2;  // "取消"
    std::array<double, 2> widths{};  // what OK took

private:
    // Shows `seconds` in section k's width edit, to at most 4 significant
    // digits; OK takes the value itself while that text stands, so opening
    // the dialog and pressing OK changes no width.
    void show_width(int section, double seconds);

    int shown_ = 1;          // sections shown
    std::string type_;       // the chip type, whose formula R and C go through
    std::array<double, 2> exact_{};      // the widths behind the shown texts
    std::array<QString, 2> shown_text_;  // the texts shown for them
};

}  // namespace vorlisk
