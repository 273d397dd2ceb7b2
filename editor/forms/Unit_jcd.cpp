#include "editor/forms/Unit_jcd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/message_box.h"
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
    auto refuse = [this](const QString& text) {
        show_message(this, text, MessageKind::warning);
        label_edit->setFocus();
    };
    const std::string label = label_edit->text().toStdString();
    if (label.empty()) return refuse(QStringLiteral("请输入检测点的标签。"));
    // Only the other test points count: keeping the own label is fine.
    if (circuit_)
        for (int i = 0; i < circuit_->test_point_count; ++i)
            if (circuit_->test_points[i].label == label && circuit_->test_points[i].name != name_)
                return refuse(QStringLiteral("标签名称与其他检测点的标签同名，请重新输入。"));
    confirmed = true;
    accept();
}

void TForm_jcd::cancel_clicked() { reject(); }

}  // namespace vorlisk
