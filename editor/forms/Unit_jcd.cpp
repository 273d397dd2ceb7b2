#include "editor/forms/Unit_jcd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "editor/dialog_checks.h"
#include "model/circuit.h"
#include "model/circuit_file.h"
#include "model/edit.h"

namespace vorlisk {

TForm_jcd::TForm_jcd(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("检测点属性"));
    setModal(true);
    auto* caption = new QLabel(QStringLiteral("检测点标签:"), this);
    label_edit = new QLineEdit(this);
    label_edit->setMinimumWidth(140);
    label_edit->setMaxLength(int(kMaxLineBytes / 2));  // what a circuit file holds in one line
    ok_button = new QPushButton(QStringLiteral("确定"), this);
    cancel_button = new QPushButton(QStringLiteral("取消"), this);
    ok_button->setDefault(true);
    label_edit->setObjectName("label_edit");
    ok_button->setObjectName("ok_button");
    cancel_button->setObjectName("cancel_button");
    caption->setBuddy(label_edit);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(label_edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_button);
    buttons->addWidget(cancel_button);
    auto* top = new QVBoxLayout(this);
    top->addLayout(row);
    top->addSpacing(6);
    top->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(ok_button, &QPushButton::clicked, this, &TForm_jcd::ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &TForm_jcd::cancel_clicked);
}

void TForm_jcd::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_jcd::FormShow() {
    confirmed = false;
    label_edit->selectAll();
    label_edit->setFocus();
}

bool TForm_jcd::edit(Circuit& c, int t) {
    if (t < 0 || t >= c.test_point_count) return false;
    circuit_ = &c;
    name_ = c.test_points[t].name;
    label_edit->setText(QString::fromStdString(c.test_points[t].label));
    exec();
    circuit_ = nullptr;
    t = find_test_point(c, name_);
    if (!confirmed || t < 0) return false;
    set_test_point_label(c, t, label_edit->text().toStdString());
    return true;
}

void TForm_jcd::ok_clicked() {
    const std::string label = label_edit->text().toStdString();
    // Outside edit() there are no other test points to compare with.
    std::optional<Refusal> refusal;
    if (circuit_) refusal = check_test_point_label(*circuit_, name_, label);
    else if (label.empty()) refusal = Refusal{"请输入检测点的标签。", 1};
    if (refusal) {
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        label_edit->setFocus();
        return;
    }
    confirmed = true;
    accept();
}

void TForm_jcd::cancel_clicked() { reject(); }

}  // namespace vorlisk
