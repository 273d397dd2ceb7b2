// A circuit drawn with the mouse alone, as a student draws it: parts from
// the palette window, wires with corners, a test point; run, a switch
// toggled by double click while running, saved, and the saved file giving
// the same readings without a window.
#include <QtTest>

#include <QTemporaryDir>
#include <QToolButton>

#include "app/Unit1.h"
#include "app/canvas_view.h"
#include "editor/forms/Unit_creat_button.h"
#include "engine/run.h"
#include "gui_support.h"
#include "model/circuit_file.h"

using namespace vorlisk;

class DrawingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TForm1> w;
    Circuit& c() { return w->circuit(); }

    void click(QPoint p) { QTest::mouseClick(w->Image1, Qt::LeftButton, {}, p); }
    void move(QPoint p) { QTest::mouseMove(w->Image1, p); }
    // A kind from a family: the group button, then the kind's button in the palette window.
    void pick(const char* group_button, KindGroup g, int index) {
        QTest::mouseClick(w->Panel6->button(group_button), Qt::LeftButton);
        QVERIFY(w->Form_creat_button->isVisible());
        QTest::mouseClick(w->Form_creat_button->buttons_of(g).at(size_t(index)), Qt::LeftButton);
        QVERIFY(!w->Form_creat_button->isVisible());
    }
    // A wire from `from` through one corner to `to`, clicked as the tool wants.
    void wire(QPoint from, QPoint corner, QPoint to) {
        click(from);
        move(corner);
        click(corner);
        move(to);
        click(to);
    }

private slots:
    void initTestCase() {
        vorlisk::test::quiet_offscreen_notices();
        TForm1::show_splash = false;
    }

    void draw_run_save_and_check_headless() {
        w = vorlisk::test::start_main_window();
        QVERIFY(w);

        pick("SpeedButton43", KindGroup::sources, 0);  // level switch
        QCOMPARE(c().current_tool, std::string("高低电平控制器"));
        click({100, 100});
        click({100, 200});
        pick("SpeedButton33", KindGroup::nand_, 0);
        click({250, 150});
        pick("SpeedButton44", KindGroup::leds, 0);
        click({400, 150});
        QCOMPARE(c().object_count, 4);

        QTest::mouseClick(w->Panel6->button("SpeedButton27"), Qt::LeftButton);  // wire tool
        wire({131, 101}, {180, 100}, {221, 139});  // switch 1 to NAND input 0, a 45-degree end
        wire({131, 199}, {180, 200}, {219, 161});  // switch 2 to NAND input 1
        click({270, 150});                          // NAND output straight to the LED
        move({379, 151});
        click({379, 151});
        QCOMPARE(c().wire_count, 3);
        QTest::mouseClick(w->Panel6->button("SpeedButton29"), Qt::LeftButton);  // test point tool
        click({320, 150});
        QCOMPARE(c().test_point_count, 1);
        QTest::mouseClick(w->Panel6->button("SpeedButton26"), Qt::LeftButton);
        QVERIFY(c().modified);

        // Both switches low: the NAND lights the LED. Both high: it goes dark.
        bool lit_first = false, dark_after = false;
        double reading_after = -1;
        QTimer::singleShot(150, w.get(), [&] {
            lit_first = c().objects[3].in_v[0] > kThreshold;
            QTest::mouseDClick(w->Image1, Qt::LeftButton, {}, {100, 100});
            QTest::mouseDClick(w->Image1, Qt::LeftButton, {}, {100, 200});
            QTimer::singleShot(150, w.get(), [&] {
                dark_after = c().objects[3].in_v[0] < kThreshold;
                reading_after = c().test_points[0].value;
                w->N_stopClick();
            });
        });
        w->N_runClick();
        QVERIFY(lit_first);
        QVERIFY(dark_after);
        QCOMPARE(reading_after, 0.0);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("与非门.vlk"));
        QVERIFY(w->save_to(path));
        QVERIFY(!c().modified);

        auto loaded = make_circuit();
        QVERIFY(bool(load_circuit(*loaded, QFile::encodeName(path).toStdString())));
        loaded->virtual_time = 1;
        start_run(*loaded);
        for (int p = 0; p < 20; ++p) run_pass(*loaded, {});
        QCOMPARE(loaded->objects[3].in_v[0] < kThreshold, true);
        QCOMPARE(loaded->test_points[0].value, reading_after);
        c().modified = false;
        w.reset();
    }
};

QTEST_MAIN(DrawingTest)
#include "drawing_test.moc"
