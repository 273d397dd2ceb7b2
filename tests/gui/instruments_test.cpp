// The instrument windows in the main window: default items on showing,
// recording while the circuit runs and clearing on Run and New, the
// record-items and recording-mode dialogs as document changes, the scale
// field of the timing diagram, its page flip, the collapse button, the
// exports, and where the windows open.
#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <cmath>

#include "app/Unit1.h"
#include "app/tool_windows.h"
#include "gui_support.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/Unit_biao.h"
#include "instruments/forms/Unit_jilu_type.h"
#include "instruments/forms/Unit_tu.h"
#include "instruments/forms/instrument_panel.h"
#include "model/edit.h"

using namespace vorlisk;
using vorlisk::test::MessageCapture;
using vorlisk::test::place;

class InstrumentsTest : public vorlisk::test::WindowTest {
    Q_OBJECT

    // A level switch with test point "A" on its output, and test points B, C
    // elsewhere. Returns the switch.
    int switch_with_points() {
        const int sw = place(c(), "高低电平控制器", 100, 100);
        const BendPoint out = output_pin(c().objects[sw], 0);
        add_test_point(c(), out.x, out.y);
        add_test_point(c(), 400, 400);
        add_test_point(c(), 450, 400);
        c().modified = false;
        return sw;
    }
    // Runs the circuit for at least `ms`, running `during` halfway, with at
    // least 50 passes before `during` and 50 after it, so a busy machine
    // makes the run longer instead of leaving the circuit unsettled.
    void run_for(int ms, std::function<void()> during = {}) {
        constexpr long long kPasses = 50;
        QElapsedTimer clock;
        clock.start();
        long long mark = -1;  // passes_run when `during` ran
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, w.get(), [&] {
            if (mark < 0) {
                if (clock.elapsed() < ms / 2 || w->passes_run < kPasses) return;
                if (during) during();
                mark = w->passes_run;
            } else if (clock.elapsed() >= ms && w->passes_run - mark >= kPasses) {
                tick.stop();
                w->N_stopClick();
            }
        });
        tick.start(1);
        w->N_runClick();
    }

private slots:
    void showing_chooses_default_items_when_the_first_eight_are_empty();
    void truth_table_records_on_change_and_run_and_new_clear_it();
    void filling_default_items_is_no_undo_step();
    void record_items_dialog_is_a_document_change();
    void recording_mode_dialog_hides_timed_recording_for_the_table();
    void truth_table_records_settled_states();
    void scale_must_be_a_positive_real_data();
    void scale_must_be_a_positive_real();
    void spin_doubles_and_halves_the_field_only();
    void starting_a_recording_runs_the_circuit_and_draws();
    void traces_flip_to_a_new_page_at_the_right_edge();
    void collapse_button_folds_the_panel();
    void exports_write_what_the_recorders_hold();
    void tool_window_frame_data();
    void tool_window_frame();
    void windows_open_clear_of_the_menus_and_where_left();
};

void InstrumentsTest::showing_chooses_default_items_when_the_first_eight_are_empty() {
    w->show_truth_table();
    QCOMPARE(w->truth_table_window()->grid_columns(), 1);  // no test points: only the empty column 0
    w->truth_table_window()->close();

    switch_with_points();
    for (int i = 8; i < 16; ++i) c().table_items[size_t(i)] = "检测点1";
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    QCOMPARE(c().table_items[0], c().test_points[0].name);
    QCOMPARE(c().table_items[2], c().test_points[2].name);
    QVERIFY(c().table_items[3].empty() && c().table_items[15].empty());
    QCOMPARE(t->grid_columns(), 4);
    QCOMPARE(t->cell_text(0, 1), QStringLiteral("A"));
    QCOMPARE(t->grid_rows(), 2);  // the header and the empty last row
    QVERIFY(!c().modified);  // the same defaults would be chosen from the file again

    c().trace_record_mode = "状态改变时记录";
    w->show_timing_diagram();
    QCOMPARE(c().trace_record_mode, std::string("时序记录"));
    QCOMPARE(w->timing_diagram_window()->trace_count, 3);
}

// A test point, then an inverter; the truth table shows, fills its items
// and records two rows. Ctrl+Z takes back the inverter and keeps the items
// and the rows; Ctrl+Y brings the inverter back, rows still there.
void InstrumentsTest::filling_default_items_is_no_undo_step() {
    add_test_point(c(), 400, 400);
    w->commit_edit();
    place(c(), "非门", 200, 200);
    w->commit_edit();
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    QCOMPARE(c().table_items[0], c().test_points[0].name);
    t->BitBtn4Click();
    t->BitBtn4Click();
    QCOMPARE(t->table().rows(), size_t(2));
    w->show_timing_diagram();  // fills its items and sets its mode: no step either

    w->N_undoClick();
    QCOMPARE(c().object_count, 0);
    QCOMPARE(c().test_point_count, 1);
    QCOMPARE(c().table_items[0], c().test_points[0].name);
    QCOMPARE(t->table().rows(), size_t(2));
    w->N_redoClick();
    QCOMPARE(c().object_count, 1);
    QCOMPARE(t->table().rows(), size_t(2));
    w->N_undoClick();
    w->N_undoClick();  // the test point
    QCOMPARE(c().test_point_count, 0);
}

void InstrumentsTest::truth_table_records_on_change_and_run_and_new_clear_it() {
    const int sw = switch_with_points();
    c().table_record_mode = "状态改变时记录";
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    run_for(60, [&] { toggle_level_switch(c(), sw); });
    QCOMPARE(t->table().rows(), size_t(2));  // the first step, then the switch
    QCOMPARE(t->cell_text(1, 1), QStringLiteral("0"));
    QCOMPARE(t->cell_text(2, 1), QStringLiteral("1"));
    QTRY_COMPARE(t->StringGrid1->model()->rowCount(), 3);  // the grid caught up
    const QAbstractItemModel* grid = t->StringGrid1->model();
    QCOMPARE(grid->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));  // rows numbered from 1
    QVERIFY(grid->headerData(2, Qt::Vertical).toString().isEmpty());             // not the row to come

    t->BitBtn4Click();  // stopped: records the readings of the last step
    QCOMPARE(t->cell_text(3, 1), QStringLiteral("1"));
    run_for(30);
    // Run cleared the visible table; the readings are those the last run
    // ended with, so nothing has changed since.
    QCOMPARE(t->table().rows(), size_t(0));

    MessageCapture capture{SaveAnswer::discard};  // the switch was toggled
    w->N_newClick();
    QVERIFY(!t->isVisible());
    QCOMPARE(t->grid_columns(), 1);
    QCOMPARE(t->table().rows(), size_t(0));
}

void InstrumentsTest::record_items_dialog_is_a_document_change() {
    switch_with_points();
    set_test_point_label(c(), 2, "A");  // two points labelled "A"
    c().modified = false;
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    t->BitBtn4Click();
    const RecordSlots defaults = c().table_items;

    // Cancel: the slots stay, the recorded rows go all the same.
    QTimer::singleShot(0, w.get(), [this] {
        auto* d = w->findChild<TForm_b_t_list*>();
        d->ComboBoxes[0]->setCurrentIndex(0);
        d->BitBtn4->click();
    });
    t->BitBtn2Click();
    QVERIFY(c().table_items == defaults);
    QCOMPARE(t->table().rows(), size_t(0));
    QVERIFY(!c().modified);

    // OK: list 1 clear, list 2 the second "A" (stores the first one's name).
    QTimer::singleShot(0, w.get(), [this] {
        auto* d = w->findChild<TForm_b_t_list*>();
        QCOMPARE(d->ComboBoxes[2]->currentIndex(), -1);  // slot 2 names the second "A": never shown as chosen
        d->ComboBoxes[0]->setCurrentIndex(0);
        d->ComboBoxes[1]->setCurrentIndex(3);
        d->BitBtn3->click();
    });
    t->BitBtn2Click();
    QCOMPARE(c().table_items[0], std::string());
    QCOMPARE(c().table_items[1], c().test_points[0].name);
    QCOMPARE(c().table_items[2], std::string());
    QCOMPARE(t->grid_columns(), 3);
    QVERIFY(c().modified);
}

void InstrumentsTest::recording_mode_dialog_hides_timed_recording_for_the_table() {
    w->show_truth_table();
    bool timed_hidden = false, manual_checked = false;
    QTimer::singleShot(0, w.get(), [&] {
        auto* d = w->findChild<TForm_jilu_type*>();
        timed_hidden = !d->RadioButton3->isVisible();
        manual_checked = d->RadioButton1->isChecked();
        d->RadioButton2->setChecked(true);
        d->BitBtn1->click();
    });
    w->truth_table_window()->BitBtn3Click();
    QVERIFY(timed_hidden);
    QVERIFY(manual_checked);
    QCOMPARE(c().table_record_mode, std::string("状态改变时记录"));
    QVERIFY(c().modified);

    bool settled_offered = false;
    QTimer::singleShot(0, w.get(), [&] {
        auto* d = w->findChild<TForm_jilu_type*>();
        settled_offered = d->RadioButton4->isVisible() && d->RadioButton4->text() == QStringLiteral("稳定时记录");
        d->RadioButton4->setChecked(true);
        d->BitBtn1->click();
    });
    w->truth_table_window()->BitBtn3Click();
    QVERIFY(settled_offered);
    QCOMPARE(c().table_record_mode, std::string("稳定时记录"));
    // Back to on-change for the check below.
    c().table_record_mode = "状态改变时记录";
    QCOMPARE(c().table_record_mode, std::string("状态改变时记录"));
    QVERIFY(c().modified);
}

void InstrumentsTest::truth_table_records_settled_states() {
    // An inverter chain of three from the switch to test point Y: on change,
    // Y's old level is a row of its own after the switch changed; once
    // settled, only the new state is.
    const int sw = place(c(), "高低电平控制器", 100, 100);
    int from = sw;
    for (int k = 0; k < 3; ++k) {
        const int inv = place(c(), "非门", 200 + 100 * k, 100);
        add_wire(c(), output_pin(c().objects[from], 0), input_pin(c().objects[inv], 0), {});
        from = inv;
    }
    const BendPoint s = output_pin(c().objects[sw], 0), y = output_pin(c().objects[from], 0);
    add_test_point(c(), s.x, s.y);
    add_test_point(c(), y.x, y.y);
    c().table_record_mode = "稳定时记录";
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    run_for(100, [&] { toggle_level_switch(c(), sw); });
    QCOMPARE(t->table().rows(), size_t(2));
    QCOMPARE(t->cell_text(1, 1) + t->cell_text(1, 2), QStringLiteral("01"));
    QCOMPARE(t->cell_text(2, 1) + t->cell_text(2, 2), QStringLiteral("10"));
    // Toggled back on change: the passing state "00" (S low, Y not yet
    // high) is a row too.
    c().table_record_mode = "状态改变时记录";
    run_for(100, [&] { toggle_level_switch(c(), sw); });
    QVERIFY(t->table().rows() > 2);
    bool passing = false;
    for (size_t r = 1; r <= t->table().rows(); ++r)
        passing = passing || t->cell_text(int(r), 1) + t->cell_text(int(r), 2) == QStringLiteral("00");
    QVERIFY(passing);
}

// Columns: the scale field's text.
void InstrumentsTest::scale_must_be_a_positive_real_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-1";
    QTest::newRow("not a number") << "abc";
}

void InstrumentsTest::scale_must_be_a_positive_real() {
    QFETCH(QString, text);
    w->show_timing_diagram();
    TForm_tu* d = w->timing_diagram_window();
    MessageCapture capture;
    d->Edit1->setText(text);
    d->BitBtn3Click();
    d->UpDown1Click(true);
    d->UpDown1Click(false);
    const QString message = QStringLiteral("比例必须是大于零的实数，请重新输入。");
    QCOMPARE(capture.messages, (QStringList{message, message, message}));
    QVERIFY(!d->recording);
    QVERIFY(!c().running);
    QCOMPARE(d->Edit1->text(), text);
}

void InstrumentsTest::spin_doubles_and_halves_the_field_only() {
    w->show_timing_diagram();
    TForm_tu* d = w->timing_diagram_window();
    QCOMPARE(d->Edit1->text(), QStringLiteral("1"));
    d->UpDown_up->click();
    QCOMPARE(d->Edit1->text(), QStringLiteral("2"));
    d->UpDown_down->click();
    d->UpDown_down->click();
    QCOMPARE(d->Edit1->text(), QStringLiteral("0.5"));
    QCOMPARE(c().trace_scale, 1.0);  // the traces keep their scale until the next start
}

void InstrumentsTest::starting_a_recording_runs_the_circuit_and_draws() {
    switch_with_points();
    w->show_timing_diagram();
    TForm_tu* d = w->timing_diagram_window();
    d->Edit1->setText(QStringLiteral("0.01"));
    bool drawn = false, disabled = false, looked = false;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    // From 80 ms on, until the line is drawn (a busy machine draws later).
    QObject::connect(&tick, &QTimer::timeout, w.get(), [&] {
        if (clock.elapsed() < 80) return;
        if (!looked) disabled = !d->Edit1->isEnabled() && !d->UpDown_up->isEnabled();
        looked = true;
        // Row 0 low line, just right of the axis: black once drawn.
        const int y = 45, x = d->label_width + 13 + 5;
        drawn = d->picture().pixel_at(x, y) == 0;
        if (drawn || clock.elapsed() > 5000) {
            tick.stop();
            w->N_stopClick();
        }
    });
    tick.start(5);
    d->BitBtn3Click();  // returns when the run stops
    QVERIFY(w->passes_run > 0);
    QVERIFY(d->recording);
    QVERIFY(disabled);
    QVERIFY(drawn);
    QCOMPARE(c().trace_scale, 0.01);
    QCOMPARE(d->samples().list(0).size(), size_t(1));  // a steady signal: one sample
    d->close();
    QVERIFY(!d->recording);  // hiding ends the recording
    QVERIFY(d->Edit1->isEnabled());
}

void InstrumentsTest::traces_flip_to_a_new_page_at_the_right_edge() {
    switch_with_points();
    w->show_timing_diagram();
    TForm_tu* d = w->timing_diagram_window();
    d->recording = true;
    const int x0 = d->label_width + 13;
    const int width = d->picture().width();
    // Scale 1: 30 pixels a second; the edge is reached after this many seconds.
    const double edge = double(width - x0) / 30.0;
    c().sim_time = 1.0;
    d->samples().sample_step(c(), c().trace_items);
    d->draw_tu(0);
    c().sim_time = edge + 1.0;
    d->draw_tu(0);
    QCOMPARE(d->start_time(), 0.0);
    QCOMPARE(d->picture().pixel_at(x0 + 45, 45), 0);  // row 0 low at 1.5 s
    c().sim_time = edge + 2.0;
    d->draw_tu(0);
    // The new page starts at the last whole second drawn: its lines read in round times.
    const double page = std::floor(edge + 1.0);
    QCOMPARE(d->start_time(), page);
    QCOMPARE(d->picture().pixel_at(x0 + 15, 45), 0);  // continues at the left
    const int now = x0 + int((edge + 2.0 - page) * 30);
    QCOMPARE(d->picture().pixel_at(now + 10, 45), 0xffffff);  // the old page is gone
    QCOMPARE(c().trace_drawn_time, edge + 2.0);
}

void InstrumentsTest::collapse_button_folds_the_panel() {
    w->show_truth_table();
    TForm_biao* t = w->truth_table_window();
    const int window_width = t->width();
    t->Panel1->SpeedButton1->click();
    QCOMPARE(t->Panel1->width(), 10);
    QCOMPARE(t->width(), window_width - 91);
    t->Panel1->SpeedButton1->click();
    QCOMPARE(t->Panel1->width(), 101);
    QCOMPARE(t->width(), window_width);
}

void InstrumentsTest::exports_write_what_the_recorders_hold() {
    switch_with_points();
    c().table_record_mode = "状态改变时记录";
    w->show_truth_table();
    w->show_timing_diagram();
    run_for(40);
    QTemporaryDir dir;
    TForm_biao* t = w->truth_table_window();
    QVERIFY(t->export_csv(dir.filePath("t.csv")));
    QFile csv(dir.filePath("t.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().toStdString(), std::string("\xEF\xBB\xBF" "A,B,C\r\n0,0,0\r\n"));
    t->copy_to_clipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("A\tB\tC\n0\t0\t0\n"));

    TForm_tu* d = w->timing_diagram_window();
    QVERIFY(d->export_vcd(dir.filePath("t.vcd")));
    QFile vcd(dir.filePath("t.vcd"));
    QVERIFY(vcd.open(QIODevice::ReadOnly));
    const QByteArray dump = vcd.readAll();
    QVERIFY(dump.contains("$var wire 1 ! A $end"));
    QVERIFY(dump.contains("\n0!\n"));
    QVERIFY(d->export_png(dir.filePath("t.png")));
    QCOMPARE(QImage(dir.filePath("t.png")).size(), d->export_picture().size());

    MessageCapture capture;
    QVERIFY(!t->export_csv(dir.filePath("no/such/dir/t.csv")));
    QCOMPARE(capture.messages.size(), 1);
}

// A 1920 x 1040 screen whose main window, maximised, has its menus and
// toolbar in the top 80 pixels and its canvas at (84, 80), 1820 x 940.
// Columns: the main window's frame, the tool window's frame (its place
// counts when remembered), remembered, the corner, the frame it gets.
void InstrumentsTest::tool_window_frame_data() {
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<bool>("remembered");
    QTest::addColumn<int>("corner");
    QTest::addColumn<QRect>("frame");
    const QRect maximised(0, 0, 1920, 1040), small(100, 0, 1000, 700);
    const int top = int(ToolCorner::top_right), bottom = int(ToolCorner::bottom_right);
    QTest::newRow("maximised: over the canvas's top right") << maximised << QRect(0, 0, 460, 330) << false << top
                                                             << QRect(1424, 100, 460, 330);
    QTest::newRow("maximised: over its bottom right") << maximised << QRect(0, 0, 640, 420) << false << bottom
                                                       << QRect(1244, 580, 640, 420);
    QTest::newRow("room beside the main window") << small << QRect(0, 0, 460, 330) << false << top
                                                 << QRect(1100, 80, 460, 330);
    QTest::newRow("where it was left") << maximised << QRect(300, 500, 460, 330) << true << top
                                       << QRect(300, 500, 460, 330);
    QTest::newRow("left on a screen since unplugged") << maximised << QRect(2500, 100, 460, 330) << true << top
                                                      << QRect(1424, 100, 460, 330);
    QTest::newRow("left over the menus: below them") << maximised << QRect(300, 10, 460, 330) << true << top
                                                     << QRect(300, 80, 460, 330);
    QTest::newRow("too tall below the menus: shorter") << maximised << QRect(300, 10, 460, 1040) << true << top
                                                       << QRect(300, 80, 460, 960);
}

void InstrumentsTest::tool_window_frame() {
    QFETCH(QRect, main);
    QFETCH(QRect, wanted);
    QFETCH(bool, remembered);
    QFETCH(int, corner);
    QFETCH(QRect, frame);
    const MainWindowArea area{main, QRect(main.left(), main.top(), main.width(), 80),
                              QRect(main.left() + 84, 80, main.width() - 100, main.height() - 100), QSize()};
    QCOMPARE(vorlisk::tool_window_frame(wanted, remembered, ToolCorner(corner), area, {QRect(0, 0, 1920, 1040)}),
             frame);
}

// The windows themselves: clear of the menus and on the screen, and where
// the user left them in the next session.
void InstrumentsTest::windows_open_clear_of_the_menus_and_where_left() {
    const QStringList keys = {"windows/truth_table", "windows/timing_diagram"};
    const auto forget = [&] {
        QSettings settings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk"));
        for (const QString& k : keys) settings.remove(k);
    };
    forget();
    w->show_truth_table();
    w->show_timing_diagram();
    const QRect screen = w->screen()->availableGeometry();
    const QRect menus = w->tool_window_area().menus;
    QVERIFY(menus.height() > 30);  // the menu bar and the toolbar
    for (QWidget* tool : {static_cast<QWidget*>(w->truth_table_window()), static_cast<QWidget*>(w->timing_diagram_window())}) {
        QVERIFY2(!tool->frameGeometry().intersects(menus), qPrintable(tool->objectName()));
        QVERIFY2(screen.contains(tool->frameGeometry()), qPrintable(tool->objectName()));
    }
    w->truth_table_window()->move(40, 300);
    w->truth_table_window()->close();
    w->timing_diagram_window()->move(9000, 9000);  // off every screen
    w->timing_diagram_window()->close();

    w = vorlisk::test::start_main_window();
    QVERIFY(w);
    w->show_truth_table();
    w->show_timing_diagram();
    QCOMPARE(w->truth_table_window()->pos(), QPoint(40, 300));
    QVERIFY(screen.contains(w->timing_diagram_window()->frameGeometry()));
    forget();
}

QTEST_MAIN(InstrumentsTest)
#include "instruments_test.moc"
