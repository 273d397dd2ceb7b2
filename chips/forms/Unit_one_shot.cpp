#include "chips/forms/Unit_one_shot.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/message_box.h"
#include "editor/dialog_checks.h"
#include "chips/chip_table.h"
#include "model/edit.h"

namespace vorlisk {

TForm_one_shot::TForm_one_shot(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("单稳态触发器"));
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    for (int k = 0; k < 2; ++k) {
        SectionEdits& s = sections[size_t(k)];
        auto* box = new QGroupBox(this);
        s.box = box;
        auto* grid = new QGridLayout(box);
        s.width = new QLineEdit(box);
        s.r = new QLineEdit(box);
        s.c = new QLineEdit(box);
        s.compute = new QPushButton(QStringLiteral("由R、C计算"), box);
        s.formula = new QLabel(box);
        grid->addWidget(new QLabel(QStringLiteral("脉冲宽度（秒）："), box), 0, 0);
        grid->addWidget(s.width, 0, 1, 1, 3);
        grid->addWidget(new QLabel(QStringLiteral("外接电阻 R（kΩ）："), box), 1, 0);
        grid->addWidget(s.r, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("外接电容 C（μF）："), box), 1, 2);
        grid->addWidget(s.c, 1, 3);
        grid->addWidget(s.formula, 2, 0, 1, 3);
        grid->addWidget(s.compute, 2, 3);
        outer->addWidget(box);
        s.width->setObjectName(QStringLiteral("Width%1").arg(k + 1));
        s.r->setObjectName(QStringLiteral("R%1").arg(k + 1));
        s.c->setObjectName(QStringLiteral("C%1").arg(k + 1));
        s.compute->setObjectName(QStringLiteral("Compute%1").arg(k + 1));
        connect(s.compute, &QPushButton::clicked, this, [this, k] { RcClick(k); });
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");
    BitBtn1->setDefault(true);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_one_shot::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TForm_one_shot::edit(Circuit& c, int obj) {
    const std::string type = chip_type_of(c.objects[obj].kind);
    shown_ = std::max(1, one_shot_sections(type));
    type_ = type;
    setWindowTitle(QStringLiteral("单稳态触发器 %1").arg(QString::fromStdString(type)));
    for (int k = 0; k < 2; ++k) {
        SectionEdits& s = sections[size_t(k)];
        s.box->setVisible(k < shown_);
        static_cast<QGroupBox*>(s.box)->setTitle(shown_ == 1 ? QStringLiteral("脉冲宽度")
                                                             : QStringLiteral("第 %1 个单稳态").arg(k + 1));
        show_width(k, one_shot_width(c.objects[obj], k));
        s.r->clear();
        s.c->clear();
        s.formula->setText(QString::fromStdString(one_shot_formula(type)));
    }
    adjustSize();
    sections[0].width->selectAll();
    sections[0].width->setFocus();
    if (exec() != QDialog::Accepted) return false;
    for (int k = 0; k < shown_; ++k) set_one_shot_width(c, obj, k, widths[size_t(k)]);
    return true;
}

void TForm_one_shot::RcClick(int section) {
    SectionEdits& s = sections[size_t(section)];
    double seconds = 0;
    if (const auto refusal = check_one_shot_rc(type_, s.r->text().toStdString(), s.c->text().toStdString(), seconds)) {
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        (refusal->field == 1 ? s.r : s.c)->setFocus();
        return;
    }
    show_width(section, seconds);
}

void TForm_one_shot::show_width(int section, double seconds) {
    const QString text = QString::fromStdString(one_shot_width_text(seconds));
    exact_[size_t(section)] = seconds;
    shown_text_[size_t(section)] = text;
    sections[size_t(section)].width->setText(text);
}

void TForm_one_shot::BitBtn1Click() {
    for (int k = 0; k < shown_; ++k) {
        SectionEdits& s = sections[size_t(k)];
        // The width shown from the chip or from R and C is taken unrounded.
        const bool as_shown = s.width->text() == shown_text_[size_t(k)];
        double w = exact_[size_t(k)];
        const auto refusal = as_shown ? check_one_shot_width(w) : check_one_shot_width(s.width->text().toStdString(), w);
        if (refusal) {
            show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
            s.width->selectAll();
            s.width->setFocus();
            return;
        }
        widths[size_t(k)] = w;
    }
    accept();
}

}  // namespace vorlisk
