#include "engine/forms/Unit_xinhaoyuan.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/number_text.h"
#include "editor/dialog_checks.h"
#include "model/circuit.h"
#include "model/edit.h"

namespace vorlisk {

TForm_xinhaoyuan::TForm_xinhaoyuan(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("信号源设置"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("电平设置："), this);
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems({QStringLiteral("常低"), QStringLiteral("常高")});
    Label2 = new QLabel(QStringLiteral("脉冲频率："), this);
    Edit1 = new QLineEdit(this);
    Label6 = new QLabel(QStringLiteral("赫兹"), this);
    Label3 = new QLabel(QStringLiteral("脉冲置数："), this);
    Edit4 = new QLineEdit(this);
    Label9 = new QLabel(QStringLiteral("次"), this);
    Label4 = new QLabel(QStringLiteral("脉冲宽度："), this);
    Edit2 = new QLineEdit(this);
    Label7 = new QLabel(QStringLiteral("秒"), this);
    Label5 = new QLabel(QStringLiteral("脉冲相位："), this);
    Edit3 = new QLineEdit(this);
    Label8 = new QLabel(QStringLiteral("秒"), this);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn1->setDefault(true);
    ComboBox1->setObjectName("ComboBox1");
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    Edit3->setObjectName("Edit3");
    Edit4->setObjectName("Edit4");
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Label1, row, 0);
    grid->addWidget(ComboBox1, row++, 1);
    for (auto [label, edit, unit] : {std::tuple{Label2, Edit1, Label6}, std::tuple{Label3, Edit4, Label9},
                                     std::tuple{Label4, Edit2, Label7}, std::tuple{Label5, Edit3, Label8}}) {
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(unit, row++, 2);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm_xinhaoyuan::Edit1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_xinhaoyuan::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_xinhaoyuan::BitBtn2Click);
}

void TForm_xinhaoyuan::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_xinhaoyuan::FormShow() { flag = 0; }

void TForm_xinhaoyuan::load_from(const MY_BASE_OBJ& o) {
    ComboBox1->setCurrentIndex(o.idle_level == "常低" ? 0 : 1);
    // The frequency first: its change handler fills width and phase, which
    // are then set to the object's own values.
    Edit1->setText(general_number(o.pulse_frequency));
    Edit2->setText(general_number(o.pulse_width));
    Edit3->setText(general_number(o.pulse_phase));
    Edit4->setText(general_number(o.pulse_count));
    const bool preset = o.kind == "可置数脉冲";
    Label3->setVisible(preset);
    Edit4->setVisible(preset);
    Label9->setVisible(preset);
}

PulseSettings TForm_xinhaoyuan::settings(PulseSettings s) const {
    (void)parse_real(Edit1->text(), s.frequency);
    (void)parse_real(Edit2->text(), s.width);
    (void)parse_real(Edit3->text(), s.phase);
    (void)parse_integer(Edit4->text(), s.count);
    s.idle_level = ComboBox1->currentIndex() == 0 ? "常低" : "常高";
    return s;
}

void TForm_xinhaoyuan::Edit1Change() {
    const std::string half = half_period_text(Edit1->text().toStdString());
    if (half.empty()) return;
    Edit2->setText(QString::fromStdString(half));
    Edit3->setText(QString::fromStdString(half));
}

void TForm_xinhaoyuan::BitBtn1Click() {
    PulseSettings checked;
    const auto refusal = check_pulse_settings(Edit1->text().toStdString(), Edit2->text().toStdString(),
                                              Edit3->text().toStdString(), Edit4->text().toStdString(), checked);
    if (refusal) {
        if (refusal->field == 4) {
            // The count is checked for both kinds; when its row is hidden the
            // user could never correct it, so the row is shown.
            Label3->setVisible(true);
            Edit4->setVisible(true);
            Label9->setVisible(true);
        }
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        QLineEdit* const fields[] = {Edit1, Edit2, Edit3, Edit4};
        fields[refusal->field - 1]->setFocus();
        return;
    }
    flag = 1;
    accept();
}

void TForm_xinhaoyuan::BitBtn2Click() { reject(); }

bool edit_pulse_source(TForm_xinhaoyuan& dialog, Circuit& c, int i) {
    if (i < 0 || i >= c.object_count) return false;
    const std::string name = c.objects[i].name;
    dialog.load_from(c.objects[i]);
    dialog.exec();
    i = find_object(c, name);  // the tables may have changed meanwhile
    if (dialog.flag != 1 || i < 0) return false;
    set_pulse_settings(c, i, dialog.settings(pulse_settings(c.objects[i])));
    return true;
}

}  // namespace vorlisk
