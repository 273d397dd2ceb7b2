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
#include "app/number_text.h"
#include "chips/chip_table.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

// A width beyond a day is no lab's pulse; the limit keeps the sum of the
// time and the width exact enough to end the pulse.
constexpr double kMaxWidth = 86400.0;

bool ln2_type(const std::string& type) { return type == "74LS121" || type == "74LS221"; }

}  // namespace

double one_shot_rc_factor(const std::string& type) { return ln2_type(type) ? std::log(2.0) : 0.45; }

QString one_shot_formula(const std::string& type) {
    return ln2_type(type) ? QStringLiteral("tw = ln2 · R · C ≈ 0.693 · R · C") : QStringLiteral("tw ≈ 0.45 · R · C");
}

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
    factor_ = one_shot_rc_factor(type);
    setWindowTitle(QStringLiteral("单稳态触发器 %1").arg(QString::fromStdString(type)));
    for (int k = 0; k < 2; ++k) {
        SectionEdits& s = sections[size_t(k)];
        s.box->setVisible(k < shown_);
        static_cast<QGroupBox*>(s.box)->setTitle(shown_ == 1 ? QStringLiteral("脉冲宽度")
                                                             : QStringLiteral("第 %1 个单稳态").arg(k + 1));
        show_width(k, one_shot_width(c.objects[obj], k));
        s.r->clear();
        s.c->clear();
        s.formula->setText(one_shot_formula(type));
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
    double r = 0, cap = 0;
    if (!parse_real(s.r->text(), r) || !(r > 0)) {
        show_message(this, QStringLiteral("电阻 R 必须是大于 0 的数（单位 kΩ）。"), MessageKind::warning);
        s.r->setFocus();
        return;
    }
    if (!parse_real(s.c->text(), cap) || !(cap > 0)) {
        show_message(this, QStringLiteral("电容 C 必须是大于 0 的数（单位 μF）。"), MessageKind::warning);
        s.c->setFocus();
        return;
    }
    // kΩ · μF = 1e3 · 1e-6 s.
    show_width(section, factor_ * r * cap * 1e-3);
}

void TForm_one_shot::show_width(int section, double seconds) {
    // Rounded through its 4-digit text, then written plainly: 0.6931, 86400.
    const QString text = general_number(QString::number(seconds, 'g', 4).toDouble());
    exact_[size_t(section)] = seconds;
    shown_text_[size_t(section)] = text;
    sections[size_t(section)].width->setText(text);
}

void TForm_one_shot::BitBtn1Click() {
    for (int k = 0; k < shown_; ++k) {
        SectionEdits& s = sections[size_t(k)];
        double w = 0;
        if (s.width->text() == shown_text_[size_t(k)]) w = exact_[size_t(k)];
        else if (!parse_real(s.width->text(), w)) w = 0;
        if (!(w > 0) || w > kMaxWidth) {
            show_message(this, QStringLiteral("脉冲宽度必须是大于 0、不超过 86400 的秒数。"), MessageKind::warning);
            s.width->selectAll();
            s.width->setFocus();
            return;
        }
        widths[size_t(k)] = w;
    }
    accept();
}

}  // namespace vorlisk
