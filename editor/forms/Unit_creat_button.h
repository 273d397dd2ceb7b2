// "创建对象": the small frameless window beside a group button of the
// component box, showing that family's kinds in one row with the family's
// caption below them. Picking a kind
// closes it; clicking anywhere else (or the window losing focus) closes it
// without a pick, and the main window then falls back to the select tool.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "editor/component_box_table.h"

class QLabel;
class QToolButton;

namespace vorlisk {

struct Pictures;

// The family's name and every kind in it, as the family's button and the
// window show it: "信号源：高低电平控制器、连续脉冲、可置数脉冲".
QString family_caption(KindGroup g);

class TForm_creat_button : public QWidget {
    Q_OBJECT
public:
    explicit TForm_creat_button(const Pictures& pictures, QWidget* parent = nullptr);
    ~TForm_creat_button() override;

    // Places the window beside the group's button (offsets from the main
    // window's left and top edges and the top of the component box, where
    // its scroll area has moved it), shows
    // only that group's panel, sizes the window to it and shows it, not modal.
    void show_group(KindGroup g, const QWidget* main_window, const QWidget* palette);

    // The window lost focus, or a press landed outside it: closes it, and
    // tells that nothing was picked when nothing was.
    void FormDeactivate();

    KindGroup group() const { return group_; }
    bool picked = false;  // a kind was picked since the window was last shown

    std::array<QWidget*, kKindGroupCount> panels{};  // Panel1 .. Panel9, by KindGroup
    QLabel* Label_family = nullptr;  // below the panel shown: the family's caption
    // The kind buttons of a group, left to right.
    std::vector<QToolButton*> buttons_of(KindGroup g) const;

signals:
    void kind_picked(const QString& kind);
    void closed_without_pick();

protected:
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void pick(const QString& kind);
    KindGroup group_ = KindGroup::and_;
    QPointer<QWidget> main_window_;  // gets the keyboard back when the window closes
    bool open_ = false;      // shown by show_group and not closed since
    bool watching_ = false;  // the application-wide press filter is installed
};

}  // namespace vorlisk
