// "信号源设置": the idle level, frequency, width, phase and burst count of a
// pulse source. The dialog refuses a pulse that does not fit in its period.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlisk {

struct Circuit;
struct MY_BASE_OBJ;
struct PulseSettings;

class TForm_xinhaoyuan : public QDialog {
    Q_OBJECT
public:
    explicit TForm_xinhaoyuan(QWidget* parent = nullptr);

    // Fills the controls from a pulse source; the count row shows only for
    // the presettable kind.
    void load_from(const MY_BASE_OBJ& o);
    // The controls' values over `s` (a value that does not parse keeps s's).
    PulseSettings settings(PulseSettings s) const;

    void FormShow();
    void Edit1Change();
    void BitBtn1Click();  // 确定
    void BitBtn2Click();  // 取消

    int flag = 0;  // 1 once OK accepted the input

    QLabel* Label1;
    QComboBox* ComboBox1;
    QLabel* Label2;
    QLineEdit* Edit1;
    QLabel* Label6;
    QLabel* Label3;
    QLineEdit* Edit4;
    QLabel* Label9;
    QLabel* Label4;
    QLineEdit* Edit2;
    QLabel* Label7;
    QLabel* Label5;
    QLineEdit* Edit3;
    QLabel* Label8;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* e) override;
};

// The Properties command for a pulse source: opens the dialog on object i
// and writes the values back when it was closed with OK. Returns whether it was.
bool edit_pulse_source(TForm_xinhaoyuan& dialog, Circuit& c, int i);

}  // namespace vorlisk
