// The timing diagram as a student reads it: rows that do not run into each
// other, earlier pages of a long recording brought back, and the exported
// picture with its time axis.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "app/Unit1.h"
#include "gui_support.h"
#include "instruments/forms/Unit_tu.h"
#include "model/edit.h"

using namespace vorlisk;
using vorlisk::test::place;

class TimingPagesTest : public vorlisk::test::WindowTest {
    Q_OBJECT

    TForm_tu* d = nullptr;

    // Test points A and B (slots 0 and 1), the diagram shown and recording.
    void diagram_with_two_points() {
        add_test_point(c(), 400, 400);
        add_test_point(c(), 450, 400);
        c().modified = false;
        w->show_timing_diagram();
        d = w->timing_diagram_window();
        d->start_simulation = nullptr;
        d->recording = true;
    }
    // The readings of A and B at simulation time t, as a pass would sample them.
    void pass_at(double t, double a, double b) {
        c().sim_time = t;
        c().test_points[0].value = a;
        c().test_points[1].value = b;
        c().readings_changed = true;
        d->samples().sample_step(c(), c().trace_items);
        for (MY_TEST_POINT& p : c().test_points) p.prev_value = p.value;
        c().readings_changed = false;
    }
    bool black(int x, int y) const { return d->picture().pixel_at(x, y) == 0; }

private slots:
    void a_low_trace_and_the_next_high_one_stand_apart();
    void earlier_pages_come_back();
    void exported_picture_has_a_time_axis_data();
    void exported_picture_has_a_time_axis();
};

void TimingPagesTest::a_low_trace_and_the_next_high_one_stand_apart() {
    diagram_with_two_points();
    pass_at(0.5, 0.0, 3.6);  // A low, B high
    c().sim_time = 2.0;
    d->draw_tu(0);
    const int x = d->label_width + 13 + 45;  // 1.5 s
    // Row 0's low line at 45, row 1's high line at 75: a trace's own
    // levels are 30 pixels apart, and so are two rows.
    QVERIFY(black(x, 45));
    QVERIFY(black(x, 75));
    for (int y = 48; y < 74; ++y) QVERIFY2(!black(x, y), qPrintable(QString::number(y)));
}

void TimingPagesTest::earlier_pages_come_back() {
    diagram_with_two_points();
    const int x0 = d->label_width + 13;
    const double edge = double(d->picture().width() - x0) / 30.0;  // seconds on a page at 1 s a division
    pass_at(1.0, 0.0, 0.0);
    c().sim_time = 2.0;
    d->draw_tu(0);
    pass_at(3.0, 3.6, 0.0);  // A rises at 3 s
    c().sim_time = edge + 1.0;
    d->draw_tu(0);
    c().sim_time = edge + 2.0;
    d->draw_tu(0);  // ran off the right edge: page 2
    QCOMPARE(d->page_count(), 2);
    QCOMPARE(d->shown_page(), 1);
    QVERIFY(!black(x0 + 45, 45));
    QVERIFY(black(x0 + 5, 15));  // A still high at the left of the new page
    QVERIFY(d->Label_page->text().startsWith(QStringLiteral("第 2/2 页")));

    d->ScrollBar_page->setValue(0);  // back to the first page, drawn again from the samples
    QCOMPARE(d->shown_page(), 0);
    QVERIFY(black(x0 + 45, 45));   // A low at 1.5 s
    QVERIFY(black(x0 + 90, 30));   // its rising edge at 3 s
    QVERIFY(black(x0 + 105, 15));  // high at 3.5 s
    QVERIFY(black(x0 + 45, 105));  // B low
    QVERIFY(d->Label_page->text().startsWith(QStringLiteral("第 1/2 页，从 0 秒起")));

    // The recording goes on while the student reads: the page stays, pages are added.
    c().sim_time = 2 * edge + 3.0;
    d->draw_tu(0);
    c().sim_time = 2 * edge + 4.0;
    d->draw_tu(0);
    QCOMPARE(d->page_count(), 3);
    QCOMPARE(d->shown_page(), 0);
    QVERIFY(black(x0 + 45, 45));
    QVERIFY(d->ScrollBar_page->isEnabled());

    d->ScrollBar_page->setValue(2);  // the live page again, followed from here on
    QCOMPARE(d->shown_page(), 2);
    QVERIFY(black(x0 + 5, 15));
    c().sim_time = 2 * edge + 5.0;
    d->draw_tu(0);
    const int now = d->label_width + 13 + int((c().sim_time - d->start_time()) * 30);
    QVERIFY(black(now - 2, 15));

    d->clear_trace();
    QCOMPARE(d->page_count(), 1);
    QVERIFY(!d->ScrollBar_page->isEnabled());
}

// Columns: scale, the time recording starts at, and the times the first two
// labelled division lines must show (worked by hand: pages start at a whole
// division, so the lines fall on round times).
void TimingPagesTest::exported_picture_has_a_time_axis_data() {
    QTest::addColumn<QString>("scale");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("step");
    QTest::newRow("half seconds from 0") << "0.5" << 0.0 << 0.0 << 0.5;
    QTest::newRow("1 ms, started at 127.7415 s") << "0.001" << 127.7415 << 127.741 << 0.001;
    QTest::newRow("2 s, started at 7 s") << "2" << 7.0 << 6.0 << 2.0;
}

void TimingPagesTest::exported_picture_has_a_time_axis() {
    QFETCH(QString, scale);
    QFETCH(double, start);
    QFETCH(double, first);
    QFETCH(double, step);
    diagram_with_two_points();
    d->recording = false;
    d->Edit1->setText(scale);
    c().sim_time = start;
    d->BitBtn3Click();
    QVERIFY(d->recording);
    pass_at(start + step, 3.6, 0.0);
    c().sim_time = start + 4 * step;
    d->draw_tu(0);

    const std::vector<TraceAxisLabel> labels = d->axis_labels();
    QVERIFY(labels.size() >= 2);
    const int x0 = d->label_width + 13;
    QCOMPARE(labels[0].x, x0);
    QCOMPARE(std::stod(labels[0].text), first);
    // Labels stand on division lines, every n divisions, n the same throughout.
    const int n = (labels[1].x - x0 - 1) / 30;
    QVERIFY(n >= 1);
    for (size_t i = 1; i < labels.size(); ++i) {
        QCOMPARE(labels[i].x, x0 + 30 * n * int(i) + 1);
        QVERIFY(qAbs(std::stod(labels[i].text) - (first + double(n) * double(i) * step)) < step * 1e-6);
    }

    const QImage picture = d->export_picture();
    const QImage& traces = d->picture().image();
    QCOMPARE(picture.width(), traces.width());
    QVERIFY(picture.height() >= traces.height() + 30);
    QCOMPARE(picture.copy(traces.rect()), traces.convertToFormat(picture.format()));
    // A tick under the first labelled line, and ink (the times, the scale) below.
    QVERIFY(picture.pixel(labels[1].x, traces.height() + 2) != qRgb(255, 255, 255));
    int ink = 0;
    for (int y = traces.height() + 5; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ink += picture.pixel(x, y) != qRgb(255, 255, 255);
    QVERIFY(ink > 100);
}

QTEST_MAIN(TimingPagesTest)
#include "timing_pages_test.moc"
