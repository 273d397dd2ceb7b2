// Pictures of the two instrument windows recording a circuit, for the
// manual: opens FILE, shows the truth table (recording on every change)
// and the timing diagram, starts recording at SCALE seconds per division,
// lets the circuit run for MS milliseconds and saves both windows (and the
// diagram's samples as a Value Change Dump, and its exported picture with
// the time axis), then
// the record-items and recording-mode dialogs.
//   instrument_shots FILE OUT_DIR [MS] [SCALE]
// Runs under xvfb-run or the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "app/Unit1.h"
#include "app/message_box.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/Unit_biao.h"
#include "instruments/forms/Unit_jilu_type.h"
#include "instruments/forms/Unit_tu.h"

using namespace vorlisk;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: instrument_shots FILE OUT_DIR [MS] [SCALE]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const int ms = argc > 3 ? std::atoi(argv[3]) : 1500;
    const QString scale = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("0.1");
    set_message_sink([](const QString& text, MessageKind) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    set_save_asker([] { return SaveAnswer::discard; });
    TForm1::show_splash = false;

    TForm1 form;
    int result = 0;
    form.after_start = [&] {
        if (!form.open_file(file)) result = 1;
        form.circuit().table_record_mode = "状态改变时记录";
        form.show_truth_table();
        form.show_timing_diagram();
        TForm_biao* table = form.truth_table_window();
        TForm_tu* diagram = form.timing_diagram_window();
        table->setGeometry(20, 40, 440, 520);
        diagram->setGeometry(420, 40, 760, 370);  // five rows of 60 pixels
        diagram->Edit1->setText(scale);
        QTimer::singleShot(ms, &form, [&, table, diagram] {
            // Taken while the circuit still runs.
            if (!table->grab().save(out.absoluteFilePath("truth_table.png"))) result = 1;
            if (!diagram->grab().save(out.absoluteFilePath("timing_diagram.png"))) result = 1;
            if (!diagram->export_vcd(out.absoluteFilePath("timing_diagram.vcd"))) result = 1;
            if (!diagram->export_png(out.absoluteFilePath("timing_diagram_export.png"))) result = 1;
            form.N_stopClick();
            // The two dialogs, shown without waiting for an answer.
            auto* items = form.findChild<TForm_b_t_list*>();
            items->item_edit_list = form.circuit().table_items;
            items->show();
            if (!items->grab().save(out.absoluteFilePath("record_items.png"))) result = 1;
            items->hide();
            auto* modes = form.findChild<TForm_jilu_type*>();
            modes->mode = QString::fromStdString(form.circuit().table_record_mode);
            modes->show();
            if (!modes->grab().save(out.absoluteFilePath("recording_mode.png"))) result = 1;
            modes->hide();
            form.circuit().modified = false;
            form.close();
        });
        // Starting a recording runs the circuit; Run returns only at Stop.
        QTimer::singleShot(0, &form, [diagram] { diagram->BitBtn3Click(); });
    };
    form.resize(1200, 700);
    form.show();
    app.exec();
    return result;
}
