#include "gui_support.h"

#include <QTest>
#include <QtGlobal>

#include "app/Unit1.h"

#include "model/edit.h"

namespace vorlisk::test {

namespace {
QtMessageHandler previous = nullptr;
void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previous) previous(type, context, text);
}
}  // namespace

void quiet_offscreen_notices() { previous = qInstallMessageHandler(filter); }

std::unique_ptr<TForm1> start_main_window() {
    TForm1::show_splash = false;
    auto w = std::make_unique<TForm1>();
    bool started = false;
    w->after_start = [&] { started = true; };
    w->resize(900, 650);
    w->show();
    if (!QTest::qWaitFor([&] { return started; }, 5000)) return nullptr;
    w->after_start = nullptr;
    // The zoom is remembered between sessions; the tests start at 100 %.
    if (w->zoom() != 100) w->set_zoom(100, QPointF(0, 0));
    return w;
}

void WindowTest::initTestCase() { quiet_offscreen_notices(); }

void WindowTest::init() {
    w = start_main_window();
    QVERIFY(w);
}

void WindowTest::cleanup() {
    if (!w) return;
    w->circuit().modified = false;
    if (w->zoom() != 100) w->set_zoom(100, QPointF(0, 0));
    w.reset();
}

int place(Circuit& c, const char* kind, int x, int y) {
    const int i = add_component(c, kind, x, y);
    if (i < 0) qFatal("component table full");
    return i;
}

MessageCapture::MessageCapture(SaveAnswer a) : answer(a) {
    set_message_sink([this](const QString& text, MessageKind) { messages << text; });
    set_save_asker([this] {
        ++save_questions;
        return answer;
    });
}

MessageCapture::~MessageCapture() {
    set_message_sink({});
    set_save_asker({});
}

}  // namespace vorlisk::test
