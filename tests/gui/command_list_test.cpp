// The command-list surface against the exact one, and the screen's running
// refresh against what printing does meanwhile.
#include <QtTest>

#include <filesystem>

#include "gui_support.h"
#include "model/circuit_file.h"
#include "render/canvas.h"
#include "render/command_list.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"
#include "tests/support/harness.h"

using namespace vorlisk;

class CommandListTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { vorlisk::test::quiet_offscreen_notices(); }

    // Every shipped example drawn on the exact surface, and recorded, sent
    // through the text form and replayed on another: the same pixels.
    void replay_of_every_example_gives_the_same_pixels() {
        const Pictures& pictures = component_pictures();
        DrawOptions view;
        view.pictures = &pictures;
        view.pin_numbers = true;
        int files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(VORLISK_EXAMPLES_DIR)) {
            if (entry.path().extension() != ".vlk") continue;
            auto c = make_circuit();
            QVERIFY2(bool(load_circuit(*c, entry.path().string())), entry.path().c_str());
            ++files;
            const Rect area(0, 0, 1400, 1000);
            Canvas direct(area.width(), area.height()), replayed(area.width(), area.height());
            draw_circuit(direct, *c, area, kRedrawFull, view);
            CommandList list;
            draw_circuit(list, *c, area, kRedrawFull, view);
            const auto back = parse_text(to_text(list.commands()));
            QVERIFY2(back && *back == list.commands(), entry.path().c_str());
            replay(*back, replayed, pictures);
            QVERIFY2(direct.image() == replayed.image(), entry.path().c_str());
        }
        QVERIFY(files >= 10);
    }

    // Printing while the circuit runs reads the records only: the screen's
    // next refresh still repaints the components that changed.
    void printing_while_running_leaves_the_next_refresh_right() {
        test::Harness h;
        QVERIFY(bool(load_circuit(h.c, VORLISK_EXAMPLES_DIR "/74LS161十进制计数器.vlk")));
        h.start(0.05);
        const Pictures& pictures = component_pictures();
        NetLevels levels;
        levels.update(h.c);
        DrawOptions view;
        view.pictures = &pictures;
        view.levels = &levels;
        const Rect area(0, 0, 900, 600);
        Canvas screen(area.width(), area.height()), fresh(area.width(), area.height());
        redraw_canvas(screen, h.c, area, kRedrawFull, view);
        int printed = 0;
        for (int tick = 0; tick < 40 && printed < 4; ++tick) {
            h.run_passes(3);
            bool any_dirty = false;
            for (int i = 0; i < h.c.object_count; ++i) any_dirty |= h.c.objects[i].dirty != 0;
            if (any_dirty) {
                QImage paper(450, 300, QImage::Format_RGB32);
                ScaledCanvas printer(&paper, 0.5);
                DrawOptions print = view;
                print.levels = nullptr;
                draw_circuit(printer, h.c, area, kRedrawFull, print);
                printer.end();
                ++printed;
            }
            const bool changed = levels.update(h.c);
            redraw_running(screen, h.c, area, changed, view);
            redraw_canvas(fresh, h.c, area, kRedrawFull, view);
            QVERIFY2(screen.image() == fresh.image(), qPrintable(QStringLiteral("tick %1").arg(tick)));
        }
        QVERIFY(printed > 0);
    }
};

QTEST_MAIN(CommandListTest)
#include "command_list_test.moc"
