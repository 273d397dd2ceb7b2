// "检测点属性": the label of a test point, which the instruments and the
// probe dialogs show. Labels must be given and must differ from the labels
// of the other test points.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace vorlisk {

struct Circuit;

class TForm_jcd : public QDialog {
    Q_OBJECT
public:
    explicit TForm_jcd(QWidget* parent = nullptr);

    // Shows test point t's label modally; on OK gives it the new label.
    // Returns whether OK was pressed.
    bool edit(Circuit& c, int t);

    void FormShow();
    void ok_clicked();      // 确定: refuses an empty or duplicate label
    void cancel_clicked();  // 取消

    bool confirmed = false;  // set only by 确定

    QLineEdit* label_edit;       // "检测点标签:"
    QPushButton* ok_button;      // "确定"
    QPushButton* cancel_button;  // "取消"

protected:
    void showEvent(QShowEvent* e) override;

private:
    const Circuit* circuit_ = nullptr;  // while edit() runs
    std::string name_;                  // the test point being edited
};

}  // namespace vorlisk
