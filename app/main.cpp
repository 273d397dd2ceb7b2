// Vorlisk: start-up. Accepts one circuit file to open once the window is up;
// --help and --version print their text and quit, without a display.
// Hidden options for screenshots: --no-splash, --run-for-ms N (run the
// circuit that long), --screenshot PATH (save a picture of the window, quit),
// --box BYTE (open "虚拟实验箱" with its switches set; the picture is then of
// the whole screen, so it shows both windows).
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <string_view>

#include "app/Unit1.h"
#include "app/application.h"
#include "engine/forms/Unit_xuni_shiyanxiang.h"
#include "app/message_box.h"

using namespace vorlisk;

namespace {

int run(Application& app) {
    app.setWindowIcon(QIcon(QStringLiteral(":/vorlisk.png")));

    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("要打开的电路文件"));
    QCommandLineOption no_splash(QStringLiteral("no-splash"));
    QCommandLineOption run_for(QStringLiteral("run-for-ms"), QString(), QStringLiteral("ms"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("path"));
    QCommandLineOption box(QStringLiteral("box"), QString(), QStringLiteral("byte"));
    for (QCommandLineOption* o : {&no_splash, &run_for, &screenshot, &box}) {
        o->setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(*o);
    }
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    const QString file = files.isEmpty() ? QString() : files.first();
    const QString shot = parser.value(screenshot);
    const int run_ms = parser.value(run_for).toInt();
    if (parser.isSet(no_splash)) TForm1::show_splash = false;
    if (!shot.isEmpty()) {
        // Unattended: a message box would wait for ever.
        set_message_sink([](const QString& text, MessageKind) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
        set_save_asker([] { return SaveAnswer::discard; });
    }

    TForm1 form;
    QElapsedTimer running_for;
    form.after_start = [&] {
        if (!file.isEmpty()) form.open_file(file);
        if (parser.isSet(box)) {
            form.N_boxClick();
            form.Form_xuni_shiyanxiang->set_switch_byte(uint8_t(parser.value(box).toUInt(nullptr, 0)));
        }
        if (shot.isEmpty()) return;
        running_for.start();
        QTimer::singleShot(run_ms, &form, [&] {
            if (run_ms > 0)
                std::fprintf(stderr, "%lld passes in %.3f s: %.0f passes/s\n", form.passes_run,
                             running_for.elapsed() / 1000.0, form.passes_run * 1000.0 / running_for.elapsed());
            const QPixmap picture = parser.isSet(box) ? form.screen()->grabWindow(0) : form.grab();
            if (!picture.save(shot)) std::fprintf(stderr, "cannot write %s\n", qPrintable(shot));
            form.close();  // stops a running circuit first
        });
        // Run returns only when the loop ends, so it starts from the event loop.
        if (run_ms > 0) QTimer::singleShot(0, &form, [&] { form.N_runClick(); });
    };
    form.showMaximized();
    // Without a window manager nothing maximises: take the screen by hand.
    if (!shot.isEmpty()) form.setGeometry(form.screen()->availableGeometry());
    return app.exec();
}

#ifndef VORLISK_VERSION
#define VORLISK_VERSION "0"
#endif

constexpr const char* kHelp =
    "用法：vorlisk [电路文件]\n"
    "打开 Vorlisk 数字逻辑电路仿真的窗口；给出电路文件时打开它。\n"
    "\n"
    "  --help, -h             显示本说明\n"
    "  --version              显示版本\n";

// The text of --help or --version when one of them is asked for (before
// "--", which ends the options), else null.
const char* text_only_answer(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--") break;
        if (a == "--help" || a == "-h") return kHelp;
        if (a == "--version") return "vorlisk " VORLISK_VERSION "\n";
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before the application exists, so they need no display.
    if (const char* text = text_only_answer(argc, argv)) {
        std::fputs(text, stdout);
        return 0;
    }
    Application app(argc, argv);
    // Errors inside commands are caught by the application; this catches
    // those of start-up itself.
    try {
        return run(app);
    } catch (const std::exception& e) {
        show_message(nullptr, QString::fromLocal8Bit(e.what()), MessageKind::error);
    }
    return 1;
}
