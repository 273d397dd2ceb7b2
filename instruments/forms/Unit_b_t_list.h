// "设置记录项": edits a list of 16 record slots through 16 drop-down lists
// that offer the test points by label. The instrument copies its slots
// into `item_edit_list`, shows the dialog and copies the list back; only
// OK writes into the list.
#pragma once

#include <QDialog>
#include <array>

#include "instruments/slots.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vorlisk {

class TForm_b_t_list : public QDialog {
    Q_OBJECT
public:
    TForm_b_t_list(const Circuit& circuit, QWidget* parent = nullptr);

    void FormShow();
    void BitBtn1Click();  // 自动设置
    void BitBtn2Click();  // 清除
    void BitBtn3Click();  // 确定
    void BitBtn4Click();  // 取消

    RecordSlots item_edit_list;  // the slots being edited

    std::array<QComboBox*, kRecordSlots> ComboBoxes{};  // lists "1." to "16."
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;

protected:
    void showEvent(QShowEvent* e) override;

private:
    const Circuit& c_;
};

}  // namespace vorlisk
