// Not a test: the desktop program's Open, its double click on level
// switches, and its Save, for the browser edition's tests, which hold the
// bytes the page saves against these.
// Usage: desktop_resave IN.vlk OUT.vlk [SWITCH=LEVEL ...] (a switch by its
// test point's label or its component name, as vorlisk-sim --set takes it)
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

#include "gui_support.h"
#include "model/edit.h"
#include "tools/vorlisk_sim/signals.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: desktop_resave IN.vlk OUT.vlk [SWITCH=LEVEL ...]\n");
        return 2;
    }
    vorlisk::test::quiet_offscreen_notices();
    vorlisk::test::MessageCapture quiet(vorlisk::SaveAnswer::discard);
    auto w = vorlisk::test::start_main_window();
    if (!w || !w->open_file(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "desktop_resave: cannot open %s\n", argv[1]);
        return 2;
    }
    vorlisk::Circuit& c = w->circuit();
    const vorlisk::sim::Signals found = vorlisk::sim::find_signals(c);
    for (int k = 3; k < argc; ++k) {
        const std::string set = argv[k];
        const size_t eq = set.find('=');
        const int s = eq == std::string::npos ? -1 : vorlisk::sim::find_switch(found, set.substr(0, eq));
        if (s < 0) {
            std::fprintf(stderr, "desktop_resave: no switch %s\n", set.c_str());
            return 2;
        }
        const int object = found.switches[size_t(s)].object;
        if ((c.objects[object].param_int[0] != 0) != (set.substr(eq + 1) == "1")) {
            vorlisk::toggle_level_switch(c, object);
            w->commit_edit();
        }
    }
    if (!w->save_to(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "desktop_resave: cannot save %s\n", argv[2]);
        return 2;
    }
    return 0;
}
