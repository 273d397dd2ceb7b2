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

    // Printing while the circuit runs reads the records only: a screen
    // refreshed between printings shows what one refreshed without them does.
    // Levels are not shown, so only the components marked dirty (the
    // counter's display) are repainted.
    void printing_while_running_leaves_the_next_refresh_right() {
        test::Harness printed_h, quiet_h;
        const Pictures& pictures = component_pictures();
        const Rect area(0, 0, 900, 600);
        struct Screen {
            explicit Screen(test::Harness& harness) : h(harness) {}
            test::Harness& h;
            Canvas canvas{900, 600};
            DrawOptions view;
        } printed(printed_h), quiet(quiet_h);
        for (Screen* s : {&printed, &quiet}) {
            QVERIFY(bool(load_circuit(s->h.c, VORLISK_EXAMPLES_DIR "/74LS161十进制计数器.vlk")));
            s->h.start(0.05);
            s->view.pictures = &pictures;
            redraw_canvas(s->canvas, s->h.c, area, kRedrawFull, s->view);
        }
        int prints = 0;
        for (int tick = 0; tick < 40; ++tick) {
            for (Screen* s : {&printed, &quiet}) s->h.run_passes(3);
            for (int i = 0; i < printed.h.c.object_count; ++i) prints += printed.h.c.objects[i].dirty != 0;
            QImage paper(450, 300, QImage::Format_RGB32);
            ScaledCanvas printer(&paper, 0.5);
            DrawOptions print;
            print.pictures = &pictures;
            draw_circuit(printer, printed.h.c, area, kRedrawFull, print);
            printer.end();
            for (Screen* s : {&printed, &quiet}) {
                redraw_running(s->canvas, s->h.c, area, false, s->view);
            }
            QVERIFY2(printed.canvas.image() == quiet.canvas.image(), qPrintable(QStringLiteral("tick %1").arg(tick)));
        }
        QVERIFY(prints > 0);  // printed while components waited for their refresh
    }
};

QTEST_MAIN(CommandListTest)
#include "command_list_test.moc"
