#include "instruments/forms/Unit_jilu_type.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vorlisk {

TForm_jilu_type::TForm_jilu_type(QWidget* parent) : QDialog(parent) {
    setObjectName("Form_jilu_type");
    setWindowTitle(QStringLiteral("记录方式设置"));
    setModal(true);
    RadioButton1 = new QRadioButton(QStringLiteral("手动记录"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("状态改变时记录"), this);
    RadioButton3 = new QRadioButton(QStringLiteral("时序记录"), this);
    RadioButton4 = new QRadioButton(QStringLiteral("稳定时记录"), this);
    RadioButton4->setToolTip(QStringLiteral("读数变化后，等到所有记录项连续 10 次器件运算都不再变化时记录一行"));
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn1->setDefault(true);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2->setObjectName("RadioButton2");
    RadioButton3->setObjectName("RadioButton3");
    RadioButton4->setObjectName("RadioButton4");
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* top = new QVBoxLayout(this);
    top->addWidget(RadioButton1);
    top->addWidget(RadioButton2);
    top->addWidget(RadioButton4);
    top->addWidget(RadioButton3);
    top->addSpacing(8);
    top->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm_jilu_type::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_jilu_type::BitBtn2Click);
}

QString TForm_jilu_type::choose(const QString& current, bool timed) {
    mode = current;
    RadioButton3->setVisible(timed);
    RadioButton4->setVisible(!timed);
    exec();
    RadioButton3->setVisible(true);
    RadioButton4->setVisible(true);
    return mode;
}

void TForm_jilu_type::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_jilu_type::FormShow() {
    // A mode text matching no caption leaves every button unchecked.
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) {
        b->setAutoExclusive(false);
        b->setChecked(b->text() == mode);
        b->setAutoExclusive(true);
    }
}

void TForm_jilu_type::BitBtn1Click() {
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        if (b->isChecked()) mode = b->text();
    accept();
}

void TForm_jilu_type::BitBtn2Click() { reject(); }

}  // namespace vorlisk
