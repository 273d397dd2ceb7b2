// "虚拟实验箱" from the "运行" menu: its switches reach the circuit and the
// circuit reaches its lamps during a Run, also when it opens mid-run, and
// closing the window pulls the box out, so the next pass finds no box.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "app/Unit1.h"
#include "engine/forms/Unit_xuni_shiyanxiang.h"
#include "gui_support.h"
#include "model/edit.h"

using namespace vorlisk;
using vorlisk::test::place;

class BoxWindowTest : public vorlisk::test::WindowTest {
    Q_OBJECT

    // The box's switches wired straight to its lamps.
    void build_loopback() {
        const int in = place(c(), "信号输入器件", 100, 100);
        const int out = place(c(), "信号输出器件", 300, 100);
        for (int k = 0; k < 8; ++k) add_wire(c(), output_pin(c().objects[in], k), input_pin(c().objects[out], k));
    }
    // Runs for a moment, calling `during` once mid-run.
    void run_for_a_moment(const std::function<void()>& during = {}) {
        QTimer::singleShot(50, w.get(), [&] {
            if (during) during();
            QTimer::singleShot(50, w.get(), [&] { w->N_stopClick(); });
        });
        w->N_runClick();
    }
    QAction* menu_entry(const QString& menu, const QString& caption) {
        for (QAction* m : w->menuBar()->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == caption) return a;
        return nullptr;
    }

private slots:
    void switches_reach_the_lamps_through_the_circuit() {
        QAction* entry = menu_entry(QStringLiteral("运行 (&R)"), QStringLiteral("虚拟实验箱"));
        QVERIFY(entry);
        entry->trigger();
        TForm_xuni_shiyanxiang* box = w->Form_xuni_shiyanxiang;
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("虚拟实验箱"));
        build_loopback();
        QTest::mouseClick(box->Switches[0], Qt::LeftButton);  // switch 1: bit 0
        QTest::mouseClick(box->Switches[3], Qt::LeftButton);  // switch 4: bit 3
        bool linked = false;
        run_for_a_moment([&] {
            linked = c().hw.input_open && c().hw.output_open;
            QCOMPARE(box->Lamps->byte(), uint8_t(0x90));  // lamp 1 is bit 7
            QTest::mouseClick(box->Switches[7], Qt::LeftButton);  // switched mid-run
        });
        QVERIFY(linked);
        QCOMPARE(box->Lamps->byte(), uint8_t(0x91));
        QVERIFY(box->Label_lamps->text().contains(QStringLiteral("0x91")));
        QVERIFY(box->Label_switches->text().contains(QStringLiteral("10001001")));
        QVERIFY(!c().hw.input_open && !c().hw.output_open);  // Stop closed both
    }

    // The window opened mid-run links at the next pass, and closing it
    // mid-run unlinks, without a Stop and Run.
    void opening_and_closing_while_running_links_and_unlinks() {
        build_loopback();
        bool linked = false, unlinked = false;
        uint8_t lamps = 0;
        QTimer::singleShot(50, w.get(), [&] {
            w->N_boxClick();
            for (int k : {0, 2, 7}) QTest::mouseClick(w->Form_xuni_shiyanxiang->Switches[k], Qt::LeftButton);
            QTimer::singleShot(50, w.get(), [&] {
                linked = c().hw.input_open && c().hw.output_open;
                lamps = w->Form_xuni_shiyanxiang->Lamps->byte();
                w->Form_xuni_shiyanxiang->close();
                QTimer::singleShot(50, w.get(), [&] {
                    unlinked = !c().hw.input_open && !c().hw.output_open;
                    w->N_stopClick();
                });
            });
        });
        w->N_runClick();
        QVERIFY(linked);
        QCOMPARE(lamps, uint8_t(0xA1));  // switches 1, 3, 8 light lamps 1, 3, 8; lamp 1 is bit 7
        QVERIFY(unlinked);
    }

    void closing_the_window_pulls_the_box_out() {
        w->N_boxClick();
        build_loopback();
        w->Form_xuni_shiyanxiang->set_switch_byte(0x01);
        bool open_after_close = true;
        run_for_a_moment([&] {
            w->Form_xuni_shiyanxiang->close();
            QTimer::singleShot(20, w.get(), [&] { open_after_close = c().hw.input_open || c().hw.output_open; });
        });
        QVERIFY(!open_after_close);
        bool linked = true;
        run_for_a_moment([&] { linked = c().hw.input_open; });
        QVERIFY(!linked);
        QCOMPARE(c().hw.input_ring[c().hw.input_ring_index], uint8_t(0x01));  // the last byte received stays
    }
};

QTEST_MAIN(BoxWindowTest)
#include "box_window_test.moc"
