#include "editor/forms/probe_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/circuit.h"
#include "model/edit.h"

namespace vorlisk {

void fill_test_point_list(QComboBox* list, const Circuit& c, const std::string& bound_name) {
    list->clear();
    list->addItem(QString(), QString());
    int chosen = bound_name.empty() ? 0 : -1;
    for (int i = 0; i < c.test_point_count; ++i) {
        const MY_TEST_POINT& t = c.test_points[i];
        // The item keeps the name, so of two test points loaded with the
        // same label, the one chosen is the one bound.
        list->addItem(QString::fromStdString(t.label), QString::fromStdString(t.name));
        if (chosen < 0 && t.name == bound_name) chosen = list->count() - 1;
    }
    list->setCurrentIndex(chosen);
}

std::string chosen_test_point(const QComboBox* list, const Circuit& c) {
    if (list->currentIndex() < 0) return {};
    const std::string name = list->currentData().toString().toStdString();
    return find_test_point(c, name) >= 0 ? name : std::string();
}

ProbeDialog::ProbeDialog(const QString& caption, const std::vector<QString>& input_captions, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setModal(true);
    auto* grid = new QGridLayout;
    for (const QString& text : input_captions) {
        auto* list = new QComboBox(this);
        list->setMinimumWidth(120);
        auto* label = new QLabel(text, this);
        label->setBuddy(list);
        const int row = int(input_lists.size());
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        input_lists.push_back(list);
    }
    ok_button = new QPushButton(QStringLiteral("确定"), this);
    cancel_button = new QPushButton(QStringLiteral("取消"), this);
    ok_button->setDefault(true);
    ok_button->setObjectName("ok_button");
    cancel_button->setObjectName("cancel_button");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_button);
    buttons->addWidget(cancel_button);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(6);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_button, &QPushButton::clicked, this, &ProbeDialog::ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &ProbeDialog::cancel_clicked);
}

void ProbeDialog::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void ProbeDialog::FormShow() {
    confirmed = false;
    if (!input_lists.empty()) input_lists.front()->setFocus();
}

bool ProbeDialog::edit(Circuit& c, int obj) {
    if (obj < 0 || obj >= c.object_count) return false;
    const std::string name = c.objects[obj].name;
    for (size_t k = 0; k < input_lists.size(); ++k)
        fill_test_point_list(input_lists[k], c, c.objects[obj].param_text[k]);
    exec();
    obj = find_object(c, name);
    if (!confirmed || obj < 0) return false;
    for (size_t k = 0; k < input_lists.size(); ++k)
        set_probe_input(c, obj, int(k), chosen_test_point(input_lists[k], c));
    return true;
}

void ProbeDialog::ok_clicked() {
    confirmed = true;
    accept();
}

void ProbeDialog::cancel_clicked() { reject(); }

}  // namespace vorlisk
