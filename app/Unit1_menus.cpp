// The menu bar, the toolbar and the canvas context menu, each as a table.
#include <QAction>
#include <QButtonGroup>
#include <QCollator>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <algorithm>

#include "app/Unit1.h"
#include "app/glyphs.h"
#include "chips/chip_table.h"
#include "editor/kind_words.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

using Command = void (TForm1::*)();

struct MenuEntry {
    const char* menu;
    const char* caption;  // null: a menu without entries
    const char* shortcut;  // alternatives separated by '|'
    Command command;
    bool separator_after;
    QAction* TForm1::*kept;  // where the action is kept, for entries changed later
    bool checkable = false;  // view toggles, checked at start
    QMenu* TForm1::*kept_menu = nullptr;  // where the menu itself is kept, for menus filled later
};

const MenuEntry kMenus[] = {
    {"文件 (&F)", "新建 (&N)", "Ctrl+N", &TForm1::N_newClick, false, nullptr},
    {"文件 (&F)", "打开 (&O)", "Ctrl+O", &TForm1::N_openClick, true, nullptr},
    {"文件 (&F)", "保存 (&S)", "Ctrl+S", &TForm1::N_saveClick, false, nullptr},
    {"文件 (&F)", "另存为 (&A)", nullptr, &TForm1::N_save_asClick, true, nullptr},
    {"文件 (&F)", "导出图片", nullptr, &TForm1::N_export_pictureClick, true, nullptr},
    {"文件 (&F)", "打印设置", nullptr, &TForm1::N_print_setupClick, false, nullptr},
    {"文件 (&F)", "打印 (&P)", "Ctrl+P", &TForm1::N_printClick, true, nullptr},
    {"文件 (&F)", "退出 (&X)", nullptr, &TForm1::N_exitClick, false, nullptr},
    {"编辑 (&E)", "撤销", "Ctrl+Z", &TForm1::N_undoClick, false, &TForm1::N_undo},
    {"编辑 (&E)", "重做", "Ctrl+Y|Ctrl+Shift+Z", &TForm1::N_redoClick, true, &TForm1::N_redo},
    {"编辑 (&E)", "计算设置", nullptr, &TForm1::N_compute_setClick, false, nullptr},
    {"编辑 (&E)", "绘图设置", nullptr, &TForm1::N_draw_setClick, true, nullptr},
    {"编辑 (&E)", "剪切", "Ctrl+X", &TForm1::N_cutClick, false, nullptr},
    {"编辑 (&E)", "复制", "Ctrl+C", &TForm1::N_copyClick, false, nullptr},
    {"编辑 (&E)", "复制为图片", nullptr, &TForm1::N_copy_pictureClick, false, nullptr},
    {"编辑 (&E)", "粘贴", "Ctrl+V", &TForm1::N_pasteClick, false, nullptr},
    {"编辑 (&E)", "删除", "Del", &TForm1::N_deleteClick, false, nullptr},
    {"编辑 (&E)", "全选", "Ctrl+A", &TForm1::N_select_allClick, true, nullptr},
    {"编辑 (&E)", "属性", nullptr, &TForm1::N_propertiesClick, false, nullptr},
    {"运行 (&R)", "运行", nullptr, &TForm1::N_runClick, false, nullptr},
    {"运行 (&R)", "停止", nullptr, &TForm1::N_stopClick, false, nullptr},
    {"运行 (&R)", "虚拟实验箱", nullptr, &TForm1::N_boxClick, false, nullptr},
    {"实例", nullptr, nullptr, nullptr, false, nullptr, false, &TForm1::N_examples},
    {"查看 (&V)", "放大", "Ctrl+=|Ctrl++", &TForm1::N_zoom_inClick, false, nullptr},
    {"查看 (&V)", "缩小", "Ctrl+-", &TForm1::N_zoom_outClick, false, nullptr},
    {"查看 (&V)", "实际大小", "Ctrl+0", &TForm1::N_zoom_actualClick, false, nullptr},
    {"查看 (&V)", "适合窗口", nullptr, &TForm1::N_zoom_fitClick, true, nullptr},
    {"查看 (&V)", "工具栏", nullptr, &TForm1::N_toolbarClick, false, &TForm1::N_toolbar, true},
    {"查看 (&V)", "器件箱", nullptr, &TForm1::N_paletteClick, false, &TForm1::N_palette, true},
    {"查看 (&V)", "状态栏", nullptr, &TForm1::N_statusbarClick, true, &TForm1::N_statusbar, true},
    {"查看 (&V)", "显示引脚号", nullptr, &TForm1::N_pin_numbersClick, false, &TForm1::N_pin_numbers, true},
    {"查看 (&V)", "显示引脚名", nullptr, &TForm1::N_pin_namesClick, false, &TForm1::N_pin_names, true},
    {"查看 (&V)", "拖动时导线跟随", nullptr, &TForm1::N_wires_followClick, false, &TForm1::N_wires_follow, true},
    {"查看 (&V)", "显示电平", nullptr, &TForm1::N_levelsClick, true, &TForm1::N_levels, true},
    {"查看 (&V)", "真值表", "Ctrl+T", &TForm1::show_truth_table, false, nullptr},
    {"查看 (&V)", "时序图", "Ctrl+D", &TForm1::show_timing_diagram, false, nullptr},
    {"查看 (&V)", "真值表记录项…", "Ctrl+Shift+T", &TForm1::N_table_itemsClick, false, nullptr},
    {"查看 (&V)", "时序图记录项…", "Ctrl+Shift+D", &TForm1::N_trace_itemsClick, false, nullptr},
    {"帮助 (&H)", "使用说明", "F1", &TForm1::N_manualClick, true, nullptr},
    {"帮助 (&H)", "访问主页", nullptr, &TForm1::N_homeClick, false, nullptr},
    {"帮助 (&H)", "E-mail 开发组", nullptr, &TForm1::N_mailClick, true, nullptr},
    {"帮助 (&H)", "关于", nullptr, &TForm1::N_aboutClick, false, nullptr},
};

struct ToolEntry {
    int group;  // groups are separated by a gap
    ToolGlyph glyph;
    const char* tip;
    Command command;
    QToolButton* TForm1::*kept = nullptr;  // Run and Stop stay down
    QAction* TForm1::*action = nullptr;    // the menu entry the button follows (enabled or not)
};

// Group 5, the time label, sits at the right end of the bar.
const ToolEntry kTools[] = {
    {1, ToolGlyph::new_file, "新建", &TForm1::N_newClick, nullptr},
    {1, ToolGlyph::open, "打开", &TForm1::N_openClick, nullptr},
    {1, ToolGlyph::save, "保存", &TForm1::N_saveClick, nullptr},
    {1, ToolGlyph::print, "打印", &TForm1::N_printClick, nullptr},
    {2, ToolGlyph::cut, "剪切", &TForm1::N_cutClick, nullptr},
    {2, ToolGlyph::copy, "复制", &TForm1::N_copyClick, nullptr},
    {2, ToolGlyph::paste, "粘贴", &TForm1::N_pasteClick, nullptr},
    {2, ToolGlyph::undo, "撤销 (Ctrl+Z)", &TForm1::N_undoClick, nullptr, &TForm1::N_undo},
    {2, ToolGlyph::redo, "重做 (Ctrl+Y)", &TForm1::N_redoClick, nullptr, &TForm1::N_redo},
    {3, ToolGlyph::table, "真值表 (Ctrl+T)", &TForm1::show_truth_table, nullptr},
    {3, ToolGlyph::trace, "时序图 (Ctrl+D)", &TForm1::show_timing_diagram, nullptr},
    {4, ToolGlyph::run, "运行", &TForm1::N_runClick, &TForm1::SpeedButton_run},
    {4, ToolGlyph::stop, "停止", &TForm1::N_stopClick, &TForm1::SpeedButton_stop},
    {6, ToolGlyph::rotate_left, "向左旋转", &TForm1::N_rotate_leftClick, nullptr},
    {6, ToolGlyph::rotate_right, "向右旋转", &TForm1::N_rotate_rightClick, nullptr},
    {7, ToolGlyph::manual, "使用说明", &TForm1::N_manualClick, nullptr},
};

}  // namespace

void TForm1::build_menus() {
    QMenu* menu = nullptr;
    QString current;
    for (const MenuEntry& e : kMenus) {
        if (!menu || current != QString::fromUtf8(e.menu)) {
            current = QString::fromUtf8(e.menu);
            menu = menuBar()->addMenu(current);
        }
        if (e.kept_menu) this->*e.kept_menu = menu;
        if (!e.caption) continue;
        QAction* a = menu->addAction(QString::fromUtf8(e.caption));
        if (e.shortcut) {
            QList<QKeySequence> keys;
            for (const QString& k : QString::fromLatin1(e.shortcut).split('|')) keys << QKeySequence(k);
            a->setShortcuts(keys);
        }
        if (e.checkable) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (e.kept) this->*e.kept = a;
        connect(a, &QAction::triggered, this, [this, cmd = e.command] { (this->*cmd)(); });
        if (e.separator_after) menu->addSeparator();
    }
    // Listed afresh each time it opens: examples added beside the program show at once.
    connect(N_examples, &QMenu::aboutToShow, this, [this] { fill_examples_menu(N_examples, examples_dir()); });
}

void TForm1::fill_examples_menu(QMenu* menu, const QString& folder) {
    menu->clear();
    const QDir dir(folder);
    // In the order of a Chinese dictionary, numbers by value: 74LS00 before 74LS138.
    QCollator order(QLocale(QLocale::Chinese, QLocale::China));
    order.setNumericMode(true);
    auto sorted = [&](QStringList names) {
        std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) { return order.compare(a, b) < 0; });
        return names;
    };
    // Subfolders first, as submenus (the grading exercise with its reference and hand-ins).
    for (const QString& sub : sorted(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted))) {
        QMenu* submenu = menu->addMenu(sub);
        fill_examples_menu(submenu, dir.absoluteFilePath(sub));
    }
    const QStringList files = sorted(dir.entryList({QStringLiteral("*.vlk")}, QDir::Files | QDir::Readable, QDir::Unsorted));
    if (!files.isEmpty() && !menu->isEmpty()) menu->addSeparator();
    for (const QString& file : files) {
        const QString path = dir.absoluteFilePath(file);
        connect(menu->addAction(QFileInfo(file).completeBaseName()), &QAction::triggered, this,
                [this, path] { open_command([path] { return path; }); });
    }
    if (menu->isEmpty()) menu->addAction(QStringLiteral("（没有电路文件）"))->setEnabled(false);
}

void TForm1::build_toolbar() {
    auto* bar = new QHBoxLayout(ControlBar1);
    bar->setContentsMargins(2, 0, 2, 0);
    bar->setSpacing(1);
    int group = 0;
    for (const ToolEntry& t : kTools) {
        if (group != 0 && t.group != group) bar->addSpacing(10);
        group = t.group;
        auto* b = new QToolButton(ControlBar1);
        b->setIcon(tool_glyph(t.glyph));
        b->setIconSize(QSize(20, 20));
        b->setFixedSize(28, 28);
        b->setAutoRaise(true);
        b->setToolTip(QString::fromUtf8(t.tip));
        if (t.kept) {
            b->setCheckable(true);
            this->*t.kept = b;
        }
        if (t.action) {
            QAction* a = this->*t.action;
            b->setEnabled(a->isEnabled());
            connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        }
        connect(b, &QToolButton::clicked, this, [this, cmd = t.command] { (this->*cmd)(); });
        bar->addWidget(b);
    }
    auto* pair = new QButtonGroup(this);  // Run and Stop: one of them is down
    pair->setExclusive(true);
    pair->addButton(SpeedButton_run);
    pair->addButton(SpeedButton_stop);
    SpeedButton_stop->setChecked(true);
    bar->addStretch(1);
    Label_time = new QLabel(QStringLiteral("T：0"), ControlBar1);
    Label_time->setObjectName("Label_time");
    Label_time->setMinimumWidth(110);
    QFont f = font();
    f.setPixelSize(14);
    f.setBold(true);
    Label_time->setFont(f);
    bar->addWidget(Label_time);
}

void TForm1::build_context_menu() {
    PopupMenu1 = new QMenu(this);
    const struct {
        const char* caption;
        const char* shortcut;
        Command command;
    } items[] = {{"剪切", "Ctrl+X", &TForm1::N_cutClick},      {"复制", "Ctrl+C", &TForm1::N_copyClick},
                 {"粘贴", "Ctrl+V", &TForm1::N_pasteClick},    {"删除", "Del", &TForm1::N_deleteClick},
                 {nullptr, nullptr, nullptr},                  {"属性", nullptr, &TForm1::N_propertiesClick},
                 {"绘制设置", nullptr, &TForm1::N_object_draw_setClick}};
    for (const auto& it : items) {
        if (!it.caption) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction* a = PopupMenu1->addAction(QString::fromUtf8(it.caption));
        // Shown for reference: the main menu's entries own the keys.
        if (it.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(it.shortcut)));
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, [this, cmd = it.command] { (this->*cmd)(); });
    }
}

void TForm1::show_context_menu() {
    const Circuit& c = *c_;
    const QList<QAction*> a = PopupMenu1->actions();  // cut copy paste delete - properties drawing
    for (QAction* x : a) x->setEnabled(false);
    const bool any = !c.selection.empty();
    const bool clip = !clipboard_empty(c);
    const bool props = c.selection.size() == 1 && has_properties(c.selection[0]);
    const bool looks = std::any_of(c.selection.begin(), c.selection.end(), [](const std::string& n) { return has_own_look(n); });
    a[0]->setEnabled(any);
    a[1]->setEnabled(any);
    a[2]->setEnabled(clip);
    a[3]->setEnabled(any);
    a[4]->setVisible(props && (any || clip));
    a[5]->setEnabled(props);
    a[6]->setEnabled(looks);
    if (any || clip || props || looks) PopupMenu1->exec(QCursor::pos());
}

}  // namespace vorlisk
