// The main window's commands: scrolling, opening and saving with the save
// question, Run and Stop around the nested event processing, the time
// label, and the double click (a level switch toggles, other items open
// their dialog).
#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QTextBrowser>
#include <QMessageBox>
#include <QPushButton>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/Unit1.h"
#include "app/Unit_help.h"
#include "app/application.h"
#include "app/canvas_view.h"
#include "editor/forms/Unit_creat_button.h"
#include "editor/hit_test.h"
#include "gui_support.h"
#include "model/edit.h"

using namespace vorlisk;
using vorlisk::test::MessageCapture;
using vorlisk::test::place;

class MainWindowTest : public vorlisk::test::WindowTest {
    Q_OBJECT

    // A switch driving an inverter driving an LED, wired pin to pin.
    void build_small_circuit() {
        const int sw = place(c(), "高低电平控制器", 100, 100);
        const int inv = place(c(), "非门", 200, 100);
        const int led = place(c(), "发光二极管", 300, 100);
        add_wire(c(), output_pin(c().objects[sw], 0), input_pin(c().objects[inv], 0));
        add_wire(c(), output_pin(c().objects[inv], 0), input_pin(c().objects[led], 0));
    }

private slots:
    void scroll_moves_every_record_data();
    void scroll_moves_every_record();
    void time_label_text_data();
    void time_label_text();
    void open_bad_file_keeps_what_was_on_screen();
    void open_with_refused_timing_values_warns_once_and_resets_them();
    void save_question_on_new_data();
    void save_question_on_new();
    void failed_save_is_an_error();
    void run_until_a_timer_stops_it();
    void run_while_running_is_ignored();
    void closing_while_running_ends_the_loop();
    void double_click_data();
    void double_click();
    void palette_stays_beside_its_button_when_the_box_scrolls();
    void object_at_counts_the_edges_data();
    void object_at_counts_the_edges();
    void view_toggles_resize_the_canvas();
    void events_are_answered_quickly_while_running();
    void close_asks_before_losing_work_data();
    void close_asks_before_losing_work();
    void palette_tools_and_the_right_button();
    void print_scales_the_canvas_onto_the_page();
    void save_as_adds_the_extension_and_spares_the_examples();
    void qt_texts_are_chinese();
    void the_manual_opens_in_its_own_window();
};

// Columns: the scroll bar, the action taken on it, pixels every record
// moves by (right or down).
void MainWindowTest::scroll_moves_every_record_data() {
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("shift");
    QTest::newRow("arrow right") << true << int(QAbstractSlider::SliderSingleStepAdd) << -10;
    QTest::newRow("arrow down") << false << int(QAbstractSlider::SliderSingleStepAdd) << -10;
    QTest::newRow("track click right") << true << int(QAbstractSlider::SliderPageStepAdd) << -200;
}

void MainWindowTest::scroll_moves_every_record() {
    QFETCH(bool, horizontal);
    QFETCH(int, action);
    QFETCH(int, shift);
    build_small_circuit();
    add_junction(c(), 250, 100);
    add_test_point(c(), 250, 150);
    ZHU_SHI_S& a = c().annotations[c().annotation_count++];
    a.name = "注释1", a.kind = "注释", a.x = 40, a.y = 60;
    c().wires[0].bends[c().wires[0].bend_count++] = {150, 120};
    c().drawing_wire.name = "导线9";
    c().drawing_wire.x1 = 10, c().drawing_wire.y1 = 20, c().drawing_wire.x2 = 30, c().drawing_wire.y2 = 40;
    c().modified = false;

    auto snapshot = [this] {
        QList<int> v;
        for (int i = 0; i < c().object_count; ++i) v << c().objects[i].x << c().objects[i].y;
        for (int i = 0; i < c().wire_count; ++i) {
            const MY_LINK& l = c().wires[i];
            v << l.x1 << l.y1 << l.x2 << l.y2;
            for (int b = 0; b < l.bend_count; ++b) v << l.bends[b].x << l.bends[b].y;
        }
        v << c().junctions[0].x << c().junctions[0].y << c().test_points[0].x << c().test_points[0].y;
        v << c().annotations[0].x << c().annotations[0].y;
        v << c().drawing_wire.x1 << c().drawing_wire.y1 << c().drawing_wire.x2 << c().drawing_wire.y2;
        return v;
    };
    const QList<int> before = snapshot();
    QScrollBar* bar = horizontal ? w->ScrollBar_H : w->ScrollBar_V;
    bar->triggerAction(QAbstractSlider::SliderAction(action));
    const QList<int> moved = snapshot();
    for (int k = 0; k < before.size(); ++k) {
        const bool along = (k % 2 == 0) == horizontal;  // x and y alternate
        QCOMPARE(moved[k], before[k] + (along ? shift : 0));
    }
    QCOMPARE(w->canvas_bitmap().size(), w->canvas().image().size());
    QVERIFY(!c().modified);
    bar->setValue(0);
    QCOMPARE(snapshot(), before);
}

// Columns: simulation seconds, the label's number.
void MainWindowTest::time_label_text_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("a millisecond") << 0.001 << "0.001";
    QTest::newRow("a quarter") << 0.25 << "0.25";
    QTest::newRow("three digits") << 12.345 << "12.3";
    QTest::newRow("thousands in exponent form") << 1234.0 << "1.23e+03";
    QTest::newRow("below 0.0001 in exponent form") << 0.00001234 << "1.23e-05";
    QTest::newRow("0.0001 still plain") << 0.0001 << "0.0001";
}

void MainWindowTest::time_label_text() {
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(TForm1::time_text(seconds), text);
}

void MainWindowTest::open_bad_file_keeps_what_was_on_screen() {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.vlk");
    build_small_circuit();
    QVERIFY(w->save_to(good));
    c().selection = {c().objects[0].name};
    w->N_deleteClick();  // an unsaved change
    const int objects = c().object_count;
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } bad[] = {
        {"bad.txt", "Not a circuit\r\n1\r\n", "打开文件失败。"},
        {"cut.vlk", [&] { QFile f(good); f.open(QIODevice::ReadOnly); return f.read(f.size() * 2 / 3); }(), "第 "},
    };
    for (const auto& b : bad) {
        const QString path = dir.filePath(b.name);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b.bytes);
        f.close();
        MessageCapture capture{SaveAnswer::discard};
        w->choose_open_file = [&] { return path; };
        w->N_openClick();
        QCOMPARE(capture.messages.size(), 1);
        QVERIFY2(capture.messages[0].contains(QString::fromUtf8(b.message)), qPrintable(capture.messages[0]));
        QVERIFY2(capture.messages[0].contains(path), qPrintable(capture.messages[0]));
        QCOMPARE(c().object_count, objects);
        QCOMPARE(QFile::decodeName(QByteArray::fromStdString(c().file_name)), good);
        QVERIFY(c().modified);
        QVERIFY(w->isWindowModified());
        QVERIFY(w->SpeedButton_stop->isChecked());
    }
}

void MainWindowTest::open_with_refused_timing_values_warns_once_and_resets_them() {
    QTemporaryDir dir;
    build_small_circuit();
    c().virtual_time = 1;
    c().time_step = 0.5;
    c().device_delay = 3;
    const QString path = dir.filePath(QStringLiteral("延时.vlk"));
    QVERIFY(w->save_to(path));
    // A step of 0 and a delay of -5, as no dialog would have stored them.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    lines[4] = "0\r";
    lines[5] = "-5\r";
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join('\n'));
    f.close();

    MessageCapture capture{SaveAnswer::discard};
    QVERIFY(w->open_file(path));  // students are not locked out of their files
    QCOMPARE(capture.messages.size(), 1);
    QVERIFY2(capture.messages[0].contains(QStringLiteral("第 5 行")), qPrintable(capture.messages[0]));
    QVERIFY2(capture.messages[0].contains(QStringLiteral("第 6 行")), qPrintable(capture.messages[0]));
    QVERIFY2(capture.messages[0].contains(path), qPrintable(capture.messages[0]));
    QCOMPARE(c().time_step, 0.001);
    QCOMPARE(c().device_delay, 1);
    QCOMPARE(c().virtual_time, 1);
    QVERIFY(c().modified);
    QVERIFY(w->isWindowModified());
    QCOMPARE(c().object_count, 3);
}

// Columns: modified before New, the answer, what Save As returns, whether
// the circuit was reset, how many questions were asked.
void MainWindowTest::save_question_on_new_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("save_as_chosen");
    QTest::addColumn<bool>("reset");
    QTest::addColumn<int>("questions");
    QTest::newRow("unmodified: no question") << false << int(SaveAnswer::cancel) << false << true << 0;
    QTest::newRow("cancel keeps the work") << true << int(SaveAnswer::cancel) << false << false << 1;
    QTest::newRow("discard") << true << int(SaveAnswer::discard) << false << true << 1;
    QTest::newRow("save, name dialog cancelled") << true << int(SaveAnswer::save) << false << false << 1;
    QTest::newRow("save, then new") << true << int(SaveAnswer::save) << true << true << 1;
}

void MainWindowTest::save_question_on_new() {
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, save_as_chosen);
    QFETCH(bool, reset);
    QFETCH(int, questions);
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.txt");
    build_small_circuit();
    c().modified = modified;
    MessageCapture capture{SaveAnswer(answer)};
    w->choose_save_file = [&] { return save_as_chosen ? path : QString(); };
    w->N_newClick();
    QCOMPARE(capture.save_questions, questions);
    QCOMPARE(c().object_count == 0, reset);
    QCOMPARE(capture.messages, QStringList{});
    if (save_as_chosen) QVERIFY(QFile::exists(path));
}

void MainWindowTest::failed_save_is_an_error() {
    build_small_circuit();
    MessageCapture capture;
    QTemporaryDir dir;
    w->choose_save_file = [&] { return dir.filePath("no such folder/x.txt"); };
    w->N_save_asClick();
    QCOMPARE(capture.messages.size(), 1);
    QVERIFY(c().modified);
    QVERIFY(c().file_name.empty());
}

void MainWindowTest::run_until_a_timer_stops_it() {
    build_small_circuit();
    c().objects[0].param_int[0] = 1;  // switch high: the inverter drives the LED low
    bool ran = false;
    QString label_while_running;
    QTimer::singleShot(100, w.get(), [&] {
        ran = c().running && c().objects[1].in_v[0] > 2.0f;
        label_while_running = w->Label_time->text();
        w->N_stopClick();
    });
    w->N_runClick();  // returns when the loop has ended
    QVERIFY(ran);
    QVERIFY(label_while_running.startsWith(QStringLiteral("T：")));
    QVERIFY(label_while_running != QStringLiteral("T：0"));
    QCOMPARE(c().running, 0);
    QCOMPARE(w->Label_time->text(), QStringLiteral("T：0"));
    QVERIFY(w->SpeedButton_stop->isChecked());
    for (int i = 0; i < c().object_count; ++i)
        for (int k = 0; k < kMaxPins; ++k) {
            QCOMPARE(c().objects[i].in_v[k], 0.5f);
            QCOMPARE(c().objects[i].out_v[k], 0.5f);
        }
}

void MainWindowTest::run_while_running_is_ignored() {
    build_small_circuit();
    bool nested_returned_while_running = false;
    QTimer::singleShot(30, w.get(), [&] {
        w->N_runClick();
        nested_returned_while_running = c().running != 0;
        w->N_stopClick();
    });
    w->N_runClick();
    QVERIFY(nested_returned_while_running);
}

void MainWindowTest::closing_while_running_ends_the_loop() {
    build_small_circuit();
    c().modified = false;
    QTimer::singleShot(30, w.get(), [&] { w->close(); });
    QElapsedTimer t;
    t.start();
    w->N_runClick();
    QCOMPARE(c().running, 0);
    QVERIFY(!w->isVisible());
    QVERIFY(t.elapsed() < 5000);
}

// Columns: the item under the double click (a kind, "检测点" for a test
// point, empty for the canvas), the button, running, whether the switch
// toggled, whether it is left dirty, the caption of the dialog that opened
// (cancelled at once), modified after (the circuit was just saved: only a
// real change marks it).
void MainWindowTest::double_click_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("toggled");
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("modified");
    const auto left = Qt::LeftButton;
    QTest::newRow("switch, stopped") << "高低电平控制器" << left << false << true << false << "" << true;
    QTest::newRow("switch, running") << "高低电平控制器" << left << true << true << true << "" << true;
    QTest::newRow("switch, middle button") << "高低电平控制器" << Qt::MiddleButton << false << false << false << "" << false;
    QTest::newRow("switch, right button") << "高低电平控制器" << Qt::RightButton << false << false << false << "" << false;
    QTest::newRow("a pulse") << "连续脉冲" << left << false << false << false << "信号源设置" << false;
    QTest::newRow("a test point") << "检测点" << left << false << false << false << "检测点属性" << false;
    QTest::newRow("a gate: its drawing settings") << "与门" << left << false << false << false << "绘制设置" << false;
    QTest::newRow("empty canvas") << "" << left << false << false << false << "" << false;
}

void MainWindowTest::double_click() {
    QFETCH(QString, kind);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, running);
    QFETCH(bool, toggled);
    QFETCH(bool, dirty);
    QFETCH(QString, dialog);
    QFETCH(bool, modified);
    int i = -1;
    if (kind == QStringLiteral("检测点")) add_test_point(c(), 200, 200);
    else if (!kind.isEmpty()) i = place(c(), kind.toUtf8().constData(), 200, 200);
    w->history().reset(c());  // as if just saved
    c().running = running;  // as inside a pass
    // Whatever opens (a dialog, the context menu) is closed unchanged.
    QStringList opened;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* m = QApplication::activePopupWidget()) m->close();
        if (QWidget* m = QApplication::activeModalWidget()) {
            opened << m->windowTitle();
            m->close();
        }
    });
    closer.start(20);
    const QPoint at = kind.isEmpty() ? QPoint(400, 205) : kind == QStringLiteral("检测点") ? QPoint(202, 202) : QPoint(205, 205);
    QTest::mouseDClick(w->Image1, button, {}, at);
    closer.stop();
    c().running = 0;
    QCOMPARE(opened, dialog.isEmpty() ? QStringList() : QStringList{dialog});
    QCOMPARE(c().modified, modified);
    if (i < 0) return;
    QCOMPARE(c().objects[i].param_int[0], toggled ? 1 : 0);
    QCOMPARE(c().objects[i].dirty != 0, dirty);
}

// On a low window the component box scrolls: the family's pop-up keeps
// its place beside the button, wherever the scroll put the button.
void MainWindowTest::palette_stays_beside_its_button_when_the_box_scrolls() {
    w->move(0, 0);
    w->resize(900, 450);
    QTRY_VERIFY(w->Panel6_scroll->verticalScrollBar()->maximum() >= 30);
    QToolButton* sources = w->Panel6->button("SpeedButton43");  // the signal sources
    auto offset = [&] {
        emit w->Panel6->group_pressed(KindGroup::sources, sources);
        const int dy = w->Form_creat_button->pos().y() - sources->mapToGlobal(QPoint()).y();
        w->Form_creat_button->FormDeactivate();
        return dy;
    };
    w->Panel6_scroll->verticalScrollBar()->setValue(0);
    const int unscrolled = offset();
    w->Panel6_scroll->verticalScrollBar()->setValue(w->Panel6_scroll->verticalScrollBar()->maximum());
    QCOMPARE(offset(), unscrolled);
}

// Columns: point relative to an AND gate at (100, 100), whether it is hit.
void MainWindowTest::object_at_counts_the_edges_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("hit");
    QTest::newRow("left edge") << QPoint(-20, 0) << true;
    QTest::newRow("bottom right corner") << QPoint(10, 20) << true;
    QTest::newRow("left of the body") << QPoint(-21, 0) << false;
    QTest::newRow("below the body") << QPoint(0, 21) << false;
    QTest::newRow("on a pin, outside the body") << QPoint(-30, -10) << false;
}

void MainWindowTest::object_at_counts_the_edges() {
    QFETCH(QPoint, at);
    QFETCH(bool, hit);
    const int i = place(c(), "与门", 100, 100);
    QCOMPARE(object_at(c(), 100 + at.x(), 100 + at.y()), hit ? c().objects[i].name : std::string());
}

void MainWindowTest::view_toggles_resize_the_canvas() {
    const int before = w->canvas().width();
    w->N_palette->trigger();
    QTRY_VERIFY(w->canvas().width() > before);
    QCOMPARE(w->canvas().width(), w->Image1->width());
    w->N_palette->trigger();
    QTRY_COMPARE(w->canvas().width(), before);
}

void MainWindowTest::events_are_answered_quickly_while_running() {
    build_small_circuit();
    QList<qint64> waits;  // nanoseconds from posting an event to its handling
    QElapsedTimer clock;
    clock.start();
    std::function<void()> probe = [&] {
        const qint64 posted = clock.nsecsElapsed();
        QTimer::singleShot(0, w.get(), [&, posted] {
            waits << clock.nsecsElapsed() - posted;
            if (waits.size() < 50) QTimer::singleShot(2, w.get(), probe);
            else w->N_stopClick();
        });
    };
    QTimer::singleShot(10, w.get(), probe);
    w->N_runClick();
    std::sort(waits.begin(), waits.end());
    QCOMPARE(waits.size(), 50);
    // A window that answers only between runs waits seconds; a busy
    // machine (tests beside builds) tens of milliseconds at most.
    QVERIFY2(waits[waits.size() / 2] < 50'000'000, qPrintable(QString("median %1 ns").arg(waits[25])));
    QVERIFY(w->passes_run > 50);
}

// Columns: the answer to the save question, whether the window closes.
void MainWindowTest::close_asks_before_losing_work_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("cancel keeps the window") << int(SaveAnswer::cancel) << false;
    QTest::newRow("discard closes") << int(SaveAnswer::discard) << true;
}

void MainWindowTest::close_asks_before_losing_work() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    build_small_circuit();
    c().modified = true;
    MessageCapture capture{SaveAnswer(answer)};
    w->close();
    QCOMPARE(capture.save_questions, 1);
    QCOMPARE(w->isVisible(), !closes);
    QCOMPARE(c().object_count == 0, closes);  // closing resets the circuit
}

void MainWindowTest::palette_tools_and_the_right_button() {
    QToolButton* inverter = w->Panel6->button("SpeedButton32");
    QToolButton* select = w->Panel6->button("SpeedButton26");
    QToolButton* vcc = w->Panel6->button("SpeedButton14");
    QVERIFY(select->isChecked());
    c().selection.push_back("something");
    QTest::mouseClick(inverter, Qt::LeftButton);
    QCOMPARE(c().current_tool, std::string("非门"));
    QVERIFY(c().selection.empty());
    QCOMPARE(w->Image1->cursor().shape(), Qt::CrossCursor);
    QTest::mousePress(vcc, Qt::RightButton);  // Vcc and Gnd ignore the right button
    QCOMPARE(c().current_tool, std::string("非门"));
    QTest::mousePress(inverter, Qt::RightButton);
    QCOMPARE(c().current_tool, std::string());
    QVERIFY(select->isChecked());
    QCOMPARE(w->Image1->cursor().shape(), Qt::ArrowCursor);
}

void MainWindowTest::print_scales_the_canvas_onto_the_page() {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("canvas.pdf"));
    build_small_circuit();
    w->full_redraw();
    QVERIFY(w->print_canvas(printer));
    QVERIFY(QFileInfo(dir.filePath("canvas.pdf")).size() > 1000);
}

void MainWindowTest::save_as_adds_the_extension_and_spares_the_examples() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("例子")));
    const QString example = dir.filePath(QStringLiteral("例子/半加器.vlk"));
    build_small_circuit();
    QVERIFY(w->save_to(example));
    w->data_dir = dir.path();
    QVERIFY(w->open_file(example));
    const QByteArray shipped = [&] { QFile f(example); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    int asked = 0;
    w->choose_save_file = [&] {
        ++asked;
        return dir.filePath(QStringLiteral("我的电路"));
    };
    c().selection = {c().objects[0].name};
    w->N_deleteClick();
    w->N_saveClick();  // an example: asks for a new name instead of writing over it
    QCOMPARE(asked, 1);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("我的电路.vlk"))));
    QFile f(example);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), shipped);
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("我的电路.vlk")));
    QVERIFY(!w->isWindowModified());
}

void MainWindowTest::qt_texts_are_chinese() {
    QVERIFY(install_chinese_translation(*qApp));
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
}

void MainWindowTest::the_manual_opens_in_its_own_window() {
    QTemporaryDir dir;
    w->data_dir = dir.path();
    w->N_manualClick();  // no manual beside the program: the window says where it should be
    QVERIFY(w->Form_help->isVisible());
    QVERIFY(w->Form_help->browser->toPlainText().contains(QStringLiteral("找不到用户手册")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("手册")));
    QFile f(dir.filePath(QStringLiteral("手册/用户手册.html")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1>\xe7\x94\xbb\xe7\x94\xb5\xe8\xb7\xaf</h1><h2 id=\"feedback\">feedback</h2></body></html>");
    f.close();
    w->N_mailClick();
    QVERIFY(w->Form_help->browser->toPlainText().contains(QStringLiteral("画电路")));
    w->Form_help->close();
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
