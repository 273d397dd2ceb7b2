#include "engine/forms/Unit_compute_set.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/number_text.h"
#include "editor/dialog_checks.h"
#include "model/circuit.h"

namespace vorlisk {

TForm_compute_set::TForm_compute_set(Circuit& circuit, QWidget* parent) : QDialog(parent), c_(circuit) {
    setWindowTitle(QStringLiteral("计算设置"));
    setModal(true);
    RadioButton1 = new QRadioButton(QStringLiteral("真实时间计算"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("虚拟时间计算"), this);
    Label1 = new QLabel(QStringLiteral("计算步长:"), this);
    Edit1 = new QLineEdit(this);
    Label3 = new QLabel(QStringLiteral("S"), this);
    Label2 = new QLabel(QStringLiteral("器件延时:"), this);
    Edit2 = new QLineEdit(this);
    Label4 = new QLabel(QStringLiteral("步长"), this);
    BitBtn1 = new QPushButton(QStringLiteral("默认设置"), this);
    BitBtn2 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn3 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setDefault(true);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2->setObjectName("RadioButton2");
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");
    BitBtn3->setObjectName("BitBtn3");

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label3, 0, 2);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Edit2, 1, 1);
    fields->addWidget(Label4, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* top = new QVBoxLayout(this);
    top->addWidget(RadioButton1);
    top->addWidget(RadioButton2);
    top->addLayout(fields);
    top->addLayout(buttons);

    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_compute_set::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_compute_set::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm_compute_set::BitBtn3Click);
}

void TForm_compute_set::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_compute_set::FormShow() {
    Edit1->setText(general_number(c_.time_step));
    Edit2->setText(QString::number(c_.device_delay));
    if (c_.virtual_time != 0) RadioButton2->setChecked(true), RadioButton2Click();
    else RadioButton1->setChecked(true), RadioButton1Click();
}

void TForm_compute_set::RadioButton1Click() {
    Edit1->setEnabled(false);
    Edit2->setEnabled(false);
}

void TForm_compute_set::RadioButton2Click() {
    Edit1->setEnabled(true);
    Edit2->setEnabled(true);
}

void TForm_compute_set::BitBtn1Click() {
    RadioButton1->setChecked(true);
    RadioButton1Click();
    Edit1->setText(general_number(c_.time_step));
    Edit2->setText(QString::number(c_.device_delay));
}

void TForm_compute_set::BitBtn2Click() {
    c_.modified = true;
    TimeSettings settings;
    if (const auto refusal = check_time_settings(c_, RadioButton2->isChecked(), Edit1->text().toStdString(),
                                                 Edit2->text().toStdString(), settings)) {
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        (refusal->field == 1 ? Edit1 : Edit2)->setFocus();
        return;
    }
    apply_time_settings(c_, settings);
    accept();
}

void TForm_compute_set::BitBtn3Click() { reject(); }

}  // namespace vorlisk
