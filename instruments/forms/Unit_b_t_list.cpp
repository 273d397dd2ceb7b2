#include "instruments/forms/Unit_b_t_list.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "render/canvas.h"

namespace vorlisk {

TForm_b_t_list::TForm_b_t_list(const Circuit& circuit, QWidget* parent) : QDialog(parent), c_(circuit) {
    setObjectName("Form_b_t_list");
    setWindowTitle(QStringLiteral("设置记录项"));
    setModal(true);
    const QFont list_font = qt_font({"Arial", 14, true, false, false, false, 0});

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(4);
    lists->setVerticalSpacing(2);
    for (int k = 0; k < kRecordSlots; ++k) {
        auto* number = new QLabel(QString::number(k + 1) + QLatin1Char('.'), this);
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("ComboBox%1").arg(k + 1));
        box->setEditable(false);
        box->setFixedWidth(85);
        box->setFont(list_font);
        ComboBoxes[size_t(k)] = box;
        const int column = k / 8 * 2, row = k % 8;
        lists->addWidget(number, row, column, Qt::AlignRight);
        lists->addWidget(box, row, column + 1);
    }
    BitBtn1 = new QPushButton(QStringLiteral("自动设置"), this);
    BitBtn2 = new QPushButton(QStringLiteral("清除"), this);
    BitBtn3 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn4 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn3->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) buttons->addWidget(b);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");
    BitBtn3->setObjectName("BitBtn3");
    BitBtn4->setObjectName("BitBtn4");
    buttons->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(lists);
    top->addSpacing(6);
    top->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm_b_t_list::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_b_t_list::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm_b_t_list::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm_b_t_list::BitBtn4Click);
}

void TForm_b_t_list::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_b_t_list::FormShow() {
    QStringList entries;
    for (const std::string& e : item_entries(c_)) entries << QString::fromStdString(e);
    for (int k = 0; k < kRecordSlots; ++k) {
        QComboBox* box = ComboBoxes[size_t(k)];
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(entry_for_slot(c_, item_edit_list[size_t(k)]));
    }
}

void TForm_b_t_list::BitBtn1Click() {
    BitBtn2Click();
    for (int k = 0; k < kRecordSlots && k < c_.test_point_count; ++k) ComboBoxes[size_t(k)]->setCurrentIndex(k + 1);
}

void TForm_b_t_list::BitBtn2Click() {
    for (QComboBox* box : ComboBoxes) box->setCurrentIndex(0);
}

void TForm_b_t_list::BitBtn3Click() {
    for (int k = 0; k < kRecordSlots; ++k) {
        QComboBox* box = ComboBoxes[size_t(k)];
        // Nothing selected reads as the empty entry.
        item_edit_list[size_t(k)] = box->currentIndex() < 0 ? std::string() : slot_for_label(c_, box->currentText().toStdString());
    }
    accept();
}

void TForm_b_t_list::BitBtn4Click() { reject(); }

}  // namespace vorlisk
