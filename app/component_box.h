// The component box on the left of the main window: two columns of 40-pixel
// tool buttons of which exactly one is down. The buttons are a table; what a
// press does is decided by the main window.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "editor/forms/Unit_creat_button.h"

class QButtonGroup;
class QToolButton;

namespace vorlisk {

struct Circuit;
struct Pictures;

class ComponentBox : public QWidget {
    Q_OBJECT
public:
    ComponentBox(const Pictures& pictures, QWidget* parent = nullptr);

    static constexpr int kWidth = 84;

    // Shows the select arrow down (without signalling).
    void show_select_down();
    QToolButton* button(const char* object_name) const;

signals:
    void select_chosen();
    void tool_chosen(const QString& tool);  // a kind or "导线", "焊接点", "检测点", "注释"
    void group_pressed(vorlisk::KindGroup group, QToolButton* button);
    void chip_page_pressed(int page);  // 0 combinational, 1 sequential

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QButtonGroup* buttons_;
    std::vector<QToolButton*> all_;
};

}  // namespace vorlisk
