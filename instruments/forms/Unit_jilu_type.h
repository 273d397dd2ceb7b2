// "记录方式设置": chooses how an instrument records. Holds a mode text; on
// showing, the radio button with that caption is checked; OK takes the
// checked caption, Cancel leaves the text as it was. The truth table hides
// "时序记录", which only the timing diagram uses; "稳定时记录" is the
// truth table's only.
#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace vorlisk {

class TForm_jilu_type : public QDialog {
    Q_OBJECT
public:
    explicit TForm_jilu_type(QWidget* parent = nullptr);

    // Shows the dialog modally on `mode`; returns the mode afterwards
    // (unchanged after Cancel). `timed` offers "时序记录" instead of
    // "稳定时记录".
    QString choose(const QString& mode, bool timed);

    void FormShow();
    void BitBtn1Click();  // 确定
    void BitBtn2Click();  // 取消

    QString mode;  // the mode text the dialog edits

    QRadioButton* RadioButton1;  // 手动记录
    QRadioButton* RadioButton2;  // 状态改变时记录
    QRadioButton* RadioButton3;  // 时序记录
    QRadioButton* RadioButton4;  // 稳定时记录
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace vorlisk
