// "计算设置": real time or virtual time with a fixed step per pass and the
// passes between two computations of the logic components. Applies to the
// circuit's globals at once, also while it runs.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vorlisk {

struct Circuit;

class TForm_compute_set : public QDialog {
    Q_OBJECT
public:
    TForm_compute_set(Circuit& circuit, QWidget* parent = nullptr);

    void FormShow();
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();  // 默认设置
    void BitBtn2Click();  // 确定
    void BitBtn3Click();  // 取消

    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label3;
    QLabel* Label2;
    QLineEdit* Edit2;
    QLabel* Label4;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Circuit& c_;
};

}  // namespace vorlisk
