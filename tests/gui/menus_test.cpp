// What a new student meets first: the instruments and the examples in the
// menus, one program name on every box, the families of the component box
// named in full, and Qt's own dialogs in Chinese.
#include <QtTest>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/Unit1.h"
#include "app/application.h"
#include "app/canvas_view.h"
#include "editor/forms/Unit_creat_button.h"
#include "gui_support.h"
#include "instruments/forms/Unit_biao.h"
#include "instruments/forms/Unit_tu.h"

using namespace vorlisk;
using vorlisk::test::MessageCapture;
using vorlisk::test::place;

namespace {

QAction* entry(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions())
        if (a->text() == caption) return a;
    return nullptr;
}

QMenu* menu_of(QMainWindow* w, const QString& title) {
    for (QAction* a : w->menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every text a user can read in a window: titles, captions, list entries,
// column headings, cells and tooltips of the widgets that are shown.
QStringList visible_texts(QWidget* root) {
    QStringList out{root->windowTitle()};
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root)) continue;
        out << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w)) out << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out << b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) out << g->title();
        if (auto* e = qobject_cast<QLineEdit*>(w)) out << e->placeholderText();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            const QModelIndex top = v->rootIndex();
            for (int col = 0; col < m->columnCount(top); ++col) {
                out << m->headerData(col, Qt::Horizontal).toString();
                for (int row = 0; row < std::min(m->rowCount(top), 20); ++row)
                    out << m->index(row, col, top).data().toString();
            }
        }
    }
    return out;
}

// Texts with an English word in them; `allowed` are the words that are
// names rather than words (file names, font families, formats).
QStringList english(const QStringList& texts, const QStringList& allowed) {
    // A word of letters alone: chip types such as 74LS00 are names.
    static const QRegularExpression word(QStringLiteral("\\b[A-Za-z]{2,}\\b"));
    QStringList names = allowed;  // longest first: "DejaVu Sans Mono" before "DejaVu Sans"
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    QStringList out;
    for (const QString& t : texts) {
        QString rest = t;
        rest.remove(program_name());
        for (const QString& a : names) rest.remove(a);
        rest.remove(QRegularExpression(QStringLiteral("&")));
        // Qt's Chinese paper names keep the English one beside them in brackets.
        rest.remove(QRegularExpression(QStringLiteral("\\([^)]*\\)")));
        if (word.match(rest).hasMatch()) out << t;
    }
    out.removeDuplicates();
    return out;
}

}  // namespace

class MenusTest : public vorlisk::test::WindowTest {
    Q_OBJECT

private slots:
    void initTestCase() {
        WindowTest::initTestCase();
        QVERIFY(install_chinese_translation(*qApp));
    }

    void view_menu_opens_the_instruments_data();
    void view_menu_opens_the_instruments();
    void no_two_entries_share_a_key();
    void examples_menu_lists_the_folder_and_opens_like_open();
    void save_spares_every_file_under_the_examples_data();
    void save_spares_every_file_under_the_examples();
    void message_boxes_carry_the_program_name();
    void family_buttons_name_every_member();
    void button_pictures_are_drawn_for_dense_screens();
    void program_windows_are_chinese();
    void qt_dialogs_are_chinese_data();
    void qt_dialogs_are_chinese();
};

// Columns: the entry of 查看, its key, and what must be shown after it
// (a window, or the record items dialog over it).
void MenusTest::view_menu_opens_the_instruments_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("dialog");
    QTest::newRow("truth table") << "真值表" << "Ctrl+T" << false;
    QTest::newRow("timing diagram") << "时序图" << "Ctrl+D" << false;
    QTest::newRow("truth table items") << "真值表记录项…" << "Ctrl+Shift+T" << true;
    QTest::newRow("timing diagram items") << "时序图记录项…" << "Ctrl+Shift+D" << true;
}

void MenusTest::view_menu_opens_the_instruments() {
    QFETCH(QString, caption);
    QFETCH(QString, key);
    QFETCH(bool, dialog);
    place(c(), "检测点", 100, 100);
    QMenu* view = menu_of(w.get(), QStringLiteral("查看 (&V)"));
    QVERIFY(view);
    QAction* a = entry(view, caption);
    QVERIFY2(a, qPrintable(caption));
    QCOMPARE(a->shortcut(), QKeySequence(key));
    QString dialog_title;
    if (dialog)
        QTimer::singleShot(0, w.get(), [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            dialog_title = box->windowTitle();
            box->close();
        });
    a->trigger();
    if (dialog) {
        QCOMPARE(dialog_title, QStringLiteral("设置记录项"));
    } else {
        const bool table = caption == QStringLiteral("真值表");
        QWidget* window = table ? static_cast<QWidget*>(w->truth_table_window()) : w->timing_diagram_window();
        QVERIFY(window->isVisible());
        window->close();
    }
}

// A key given to two entries does one of them at random, or neither.
void MenusTest::no_two_entries_share_a_key() {
    QMap<QString, QString> owner;
    QStringList clashes;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu()) walk(a->menu());
            for (const QKeySequence& k : a->shortcuts()) {
                const QString key = k.toString();
                if (owner.contains(key)) clashes << key + ": " + owner[key] + " / " + a->text();
                owner[key] = a->text();
            }
        }
    };
    for (QAction* top : w->menuBar()->actions()) walk(top->menu());
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join('\n')));
    QVERIFY(owner.contains(QStringLiteral("Ctrl+T")));
}

void MenusTest::examples_menu_lists_the_folder_and_opens_like_open() {
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("例子/批改实验/作业")));
    place(c(), "高低电平控制器", 100, 100);
    QVERIFY(w->save_to(dir.filePath(QStringLiteral("例子/半加器.vlk"))));
    QVERIFY(w->save_to(dir.filePath(QStringLiteral("例子/批改实验/参考答案.vlk"))));
    QVERIFY(w->save_to(dir.filePath(QStringLiteral("例子/批改实验/作业/2023001张三.vlk"))));
    QFile other(dir.filePath(QStringLiteral("例子/说明.txt")));  // not a circuit: not listed
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    w->data_dir = dir.path();
    w->N_newClick();

    QMenu* examples = menu_of(w.get(), QStringLiteral("实例"));
    QVERIFY(examples);
    emit examples->aboutToShow();
    QStringList top;
    for (QAction* a : examples->actions())
        if (!a->isSeparator()) top << a->text();
    QCOMPARE(top, (QStringList{"批改实验", "半加器"}));
    QMenu* grading = entry(examples, QStringLiteral("批改实验"))->menu();
    QVERIFY(grading);
    QVERIFY(entry(grading, QStringLiteral("作业"))->menu());
    QVERIFY(entry(entry(grading, QStringLiteral("作业"))->menu(), QStringLiteral("2023001张三")));

    // Like Open: the save question first, and cancelling keeps the circuit.
    place(c(), "非门", 200, 100);
    w->commit_edit();
    {
        MessageCapture capture(SaveAnswer::cancel);
        entry(grading, QStringLiteral("参考答案"))->trigger();
        QCOMPARE(capture.save_questions, 1);
        QCOMPARE(c().object_count, 1);
        QVERIFY(QString::fromStdString(c().objects[0].name).startsWith(QStringLiteral("非门")));
    }
    MessageCapture capture(SaveAnswer::discard);
    entry(grading, QStringLiteral("参考答案"))->trigger();
    QCOMPARE(QFileInfo(QString::fromStdString(c().file_name)).fileName(), QStringLiteral("参考答案.vlk"));
    QCOMPARE(c().object_count, 1);
    QVERIFY(QString::fromStdString(c().objects[0].name).startsWith(QStringLiteral("高低电平控制器")));
    QVERIFY(!c().modified);
    QVERIFY(capture.messages.isEmpty());

    // An empty examples folder says so instead of opening an empty menu.
    w->data_dir = dir.filePath(QStringLiteral("nothing"));
    emit examples->aboutToShow();
    QCOMPARE(examples->actions().size(), 1);
    QVERIFY(!examples->actions()[0]->isEnabled());
}

// Columns: where the opened file lies under the folder of the program's
// data, and whether it is an example: Save asks for a new name instead of
// writing over it, flipping a switch alone leaves nothing to save, and an
// export is offered in the home folder instead of beside it.
void MenusTest::save_spares_every_file_under_the_examples_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("asks");
    QTest::newRow("an example") << "例子/半加器.vlk" << true;
    QTest::newRow("the teacher's reference") << "例子/批改实验/参考答案.vlk" << true;
    QTest::newRow("a hand-in below it") << "例子/批改实验/作业/2023001张三.vlk" << true;
    QTest::newRow("a student's own file") << "我的/半加器.vlk" << false;
    QTest::newRow("a folder named like it") << "例子2/半加器.vlk" << false;
}

void MenusTest::save_spares_every_file_under_the_examples() {
    QFETCH(QString, file);
    QFETCH(bool, asks);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    place(c(), "高低电平控制器", 100, 100);
    QVERIFY(w->save_to(path));
    w->data_dir = dir.path();
    QVERIFY(w->open_file(path));
    QTest::mouseDClick(w->Image1, Qt::LeftButton, {}, {100, 100});
    QCOMPARE(c().objects[0].param_int[0], 1);
    QCOMPARE(c().modified, !asks);
    const QString folder = QFileInfo(w->export_suggestion(QStringLiteral("电路"), QStringLiteral("svg"))).absolutePath();
    QCOMPARE(folder, asks ? QDir::homePath() : QFileInfo(path).absolutePath());
    const QByteArray before = contents(path);
    int asked = 0;
    w->choose_save_file = [&] {
        ++asked;
        return dir.filePath(QStringLiteral("另存.vlk"));
    };
    place(c(), "非门", 200, 100);
    w->commit_edit();
    w->N_saveClick();
    QCOMPARE(asked, asks ? 1 : 0);
    QCOMPARE(contents(path) == before, asks);
    QVERIFY(!c().modified);
}

void MenusTest::message_boxes_carry_the_program_name() {
    QString title, button;
    QTimer::singleShot(0, w.get(), [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        button = box->buttons().value(0) ? box->buttons()[0]->text() : QString();
        box->accept();
    });
    show_message(w.get(), QStringLiteral("保存文件失败。"), MessageKind::error);
    QCOMPARE(title, QStringLiteral("Vorlisk"));
    QCOMPARE(button, QStringLiteral("确定"));
}

// On a screen of twice the density, every picture of the toolbar, the
// component box and the family windows has twice the pixels: drawn at that
// size, not the plain picture enlarged (which blurs "&" into a smudge).
void MenusTest::button_pictures_are_drawn_for_dense_screens() {
    QList<QToolButton*> buttons = w->ControlBar1->findChildren<QToolButton*>();
    buttons += w->Panel6->findChildren<QToolButton*>();
    buttons += w->Form_creat_button->findChildren<QToolButton*>();
    int pictures = 0;
    for (QToolButton* b : buttons) {
        if (b->icon().isNull()) continue;  // 注释 is a word
        ++pictures;
        const QPixmap plain = b->icon().pixmap(b->iconSize(), 1.0), dense = b->icon().pixmap(b->iconSize(), 2.0);
        QVERIFY2(dense.size() == plain.size() * 2 && dense.deviceIndependentSize().toSize() == plain.size(),
                 qPrintable(b->objectName()));
    }
    QVERIFY(pictures >= 16 + 26 + 29);  // toolbar, box, family windows
}

void MenusTest::family_buttons_name_every_member() {
    // The level switch a lab starts with is found under the sources' button.
    QCOMPARE(w->Panel6->button("SpeedButton43")->toolTip(), QStringLiteral("信号源：高低电平控制器、连续脉冲、可置数脉冲"));
    const struct {
        const char* button;
        KindGroup group;
    } families[] = {{"SpeedButton30", KindGroup::and_}, {"SpeedButton31", KindGroup::or_},
                    {"SpeedButton33", KindGroup::nand_}, {"SpeedButton34", KindGroup::nor_},
                    {"SpeedButton40", KindGroup::rs},  {"SpeedButton41", KindGroup::d},
                    {"SpeedButton43", KindGroup::sources}, {"SpeedButton44", KindGroup::leds},
                    {"SpeedButton45", KindGroup::displays}};
    for (const auto& f : families) {
        QTest::mouseClick(w->Panel6->button(f.button), Qt::LeftButton);
        QVERIFY(w->Form_creat_button->isVisible());
        const QString tip = w->Panel6->button(f.button)->toolTip();
        const QString shown = w->Form_creat_button->Label_family->text();
        QCOMPARE(QString(shown).remove(QLatin1Char('\n')), tip);  // broken into lines only between kinds
        QVERIFY(w->Form_creat_button->Label_family->isVisible());
        for (QToolButton* b : w->Form_creat_button->buttons_of(f.group))
            QVERIFY2(tip.contains(b->objectName()), qPrintable(tip + " lacks " + b->objectName()));
        w->Form_creat_button->FormDeactivate();
    }
}

void MenusTest::program_windows_are_chinese() {
    QStringList texts;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            texts << a->text() << a->toolTip().remove(QRegularExpression(QStringLiteral("\\(Ctrl[^)]*\\)")));
            if (a->menu()) walk(a->menu());
        }
    };
    for (QAction* top : w->menuBar()->actions()) walk(top->menu());
    w->show_truth_table();
    w->show_timing_diagram();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() != QLatin1String("Form_bitmap"))  // holds pictures, never shown
            texts << visible_texts(window);
    texts.removeAll(QString());
    // Names of parts, pins and signals as the lab sheets write them.
    const QStringList names{"Vcc", "Gnd", "CP", "BCD", "CMOSD", "RS", "JK", "E-mail", "Ctrl", "Del", "Shift"};
    const QStringList left = english(texts, names);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(" | "))));
}

// Columns: a dialog of Qt's that the program shows, and the words in it that
// are names (of files, fonts, formats) rather than English.
void MenusTest::qt_dialogs_are_chinese_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("open") << "open" << QStringList{"vlk"};
    QTest::newRow("save") << "save" << QStringList{"vlk"};
    QTest::newRow("colour") << "colour" << QStringList{"HTML"};
    QTest::newRow("message") << "message" << QStringList{};
    QTest::newRow("font") << "font" << QFontDatabase::families() + QStringList{"Bold", "Italic", "Oblique", "Roman", "Regular", "Book", "Condensed", "Light", "Medium"};
    QTest::newRow("print") << "print" << QStringList{"PDF"};
    QTest::newRow("page setup") << "page setup" << QStringList{"PDF", "JIS", "ANSI", "ISO", "DL", "in", "mm"};
}

void MenusTest::qt_dialogs_are_chinese() {
    QFETCH(QString, dialog);
    QFETCH(QStringList, names);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("子文件夹")));
    QFile f(dir.filePath(QStringLiteral("电路.vlk")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QPrinter printer;
    std::unique_ptr<QWidget> shown;
    if (dialog == "open" || dialog == "save") {
        auto* d = new QFileDialog(w.get(), QStringLiteral("打开"), dir.path(), QStringLiteral("电路文件 (*.vlk)"));
        d->setOption(QFileDialog::DontUseNativeDialog);
        d->setViewMode(QFileDialog::Detail);
        if (dialog == "save") {
            d->setAcceptMode(QFileDialog::AcceptSave);
            d->selectFile(QStringLiteral("我的电路.vlk"));
        }
        shown.reset(d);
        d->show();
        // The folder is read on another thread: wait for both entries and their kinds.
        auto* view = d->findChild<QAbstractItemView*>(QStringLiteral("treeView"));
        QVERIFY(view);
        QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) == 2 &&
                    !view->model()->index(0, 2, view->rootIndex()).data().toString().isEmpty());
        if (dialog == "save") QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("我的电路.vlk"));
    } else if (dialog == "colour") {
        shown = std::make_unique<QColorDialog>(w.get());
        shown->show();
    } else if (dialog == "font") {
        shown = std::make_unique<QFontDialog>(w.get());
        shown->show();
    } else if (dialog == "print") {
        shown = std::make_unique<QPrintDialog>(&printer, w.get());
        shown->show();
    } else if (dialog == "page setup") {
        shown = std::make_unique<QPageSetupDialog>(&printer, w.get());
        shown->show();
    } else {
        shown = std::make_unique<QMessageBox>(QMessageBox::Question, program_name(), QStringLiteral("当前电路已修改。"),
                                              QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                                                  QMessageBox::No | QMessageBox::Save | QMessageBox::Discard,
                                              w.get());
        shown->show();
    }
    // The folders on the way to the files are names too.
    for (const QString& path : {dir.path(), QDir::homePath()}) names << path.split('/', Qt::SkipEmptyParts);
    const QStringList left = english(visible_texts(shown.get()), names);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(" | "))));
}

QTEST_MAIN(MenusTest)
#include "menus_test.moc"
