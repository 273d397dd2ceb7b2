// Run and Stop, the status timer and the time label.
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "app/Unit1.h"
#include "editor/field_text.h"
#include "engine/hardware.h"
#include "engine/run.h"

namespace vorlisk {

namespace {
// Window events are handled at most this often while the loop runs: often
// enough for the 1-ms status timer and for input, rarely enough that a fast
// pass is not slowed down by asking the window system every time.
constexpr auto kPumpInterval = std::chrono::microseconds(1000);
}  // namespace

QString TForm1::time_text(double seconds) { return QString::fromStdString(vorlisk::time_text(seconds)); }

bool TForm1::pump_events() {
    if (c_->virtual_time == 0) {
        // In real time the pass has just read the clock into sim_time (the
        // seconds since Run): a second reading per pass would cost as much
        // as a gate's evaluation. A time that went back (the run clock
        // restarted, or virtual time was left) lets the events through.
        const double now = c_->sim_time;
        const double interval = std::chrono::duration<double>(kPumpInterval).count();
        if (now >= last_pump_seconds_ && now - last_pump_seconds_ < interval) return false;
        last_pump_seconds_ = now;
    } else {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_pump_ < kPumpInterval) return false;
        last_pump_ = now;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

void TForm1::N_runClick() {
    if (c_->running) return;  // a second loop nested in the first would never end first
    SpeedButton_run->setChecked(true);
    clear_visible_instruments();
    start_run(*c_);
    if (show_levels_) {
        // Every wire once in its level; the timer repaints the nets that change.
        restart_levels();
        full_redraw();
    }
    // A box that is not there leaves its link closed, unreported.
    open_links(*c_, box_link());
    Label_time->setText(QStringLiteral("T：0"));
    Timer1->start();
    last_pump_ = std::chrono::steady_clock::now();
    last_pump_seconds_ = 0.0;  // the run's clock starts from 0 too

    passes_run = 0;
    PassHooks hooks;
    link_pass_hooks(hooks, *c_, box_link());
    hooks.record_table = [this] { deal_biao_data(); };
    hooks.record_trace = [this] { deal_tu_data(); };
    hooks.process_events = [this] {
        ++passes_run;
        // The box is plugged or unplugged only by events (its window, the
        // device list): it is followed when they have been let through.
        if (pump_events()) follow_box();
    };
    try {
        run_loop(*c_, hooks);
    } catch (...) {
        // The top-level handler shows the error; the circuit must not be
        // left marked as running with nothing running it.
        if (c_->running) N_stopClick();
        throw;
    }
}

void TForm1::N_stopClick() {
    SpeedButton_stop->setChecked(true);
    stop_circuit(*c_);
    Timer1->stop();
    close_links(*c_, box_link());
    Label_time->setText(QStringLiteral("T：0"));
    full_redraw();
}

void TForm1::Timer1Timer() {
    if (!c_->running) return;
    Label_time->setText(QStringLiteral("T：") + time_text(c_->sim_time));
    dynamic_redraw();
    instruments_tick();
}

}  // namespace vorlisk
