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
    if (RadioButton1->isChecked()) {
        c_.virtual_time = 0;  // step and delay stay for a later switch back
        accept();
        return;
    }
    double step = 0.0;
    if (!parse_real(Edit1->text(), step) || !(step > 0.0)) {
        show_message(this, QStringLiteral("\"计算步长\"必须是正实数，请重新输入。"), MessageKind::warning);
        Edit1->setFocus();
        return;
    }
    if (step > kMaxTimeStep) {
        show_message(this, QStringLiteral("\"计算步长\"不能大于 86400 秒（一天），请重新输入。"), MessageKind::warning);
        Edit1->setFocus();
        return;
    }
    int delay = 0;
    if (!parse_integer(Edit2->text(), delay) || delay <= 0) {
        show_message(this, QStringLiteral("\"器件延时\"必须是正整数，请重新输入。"), MessageKind::warning);
        Edit2->setFocus();
        return;
    }
    c_.virtual_time = 1;
    c_.time_step = step;
    c_.device_delay = delay;
    accept();
}

void TForm_compute_set::BitBtn3Click() { reject(); }

}  // namespace vorlisk
