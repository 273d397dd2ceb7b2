// The main window's side of the instruments: showing the truth-table and
// timing-diagram windows, feeding them from the run pass, clearing them on
// Run, New and Open, and extending the timing diagram on the status timer.
#include <QMenuBar>

#include "app/Unit1.h"
#include "app/tool_windows.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/Unit_biao.h"
#include "instruments/forms/Unit_jilu_type.h"
#include "instruments/forms/Unit_tu.h"

namespace vorlisk {

void TForm1::create_instruments() {
    if (Form_biao) return;
    Form_b_t_list = new TForm_b_t_list(*c_, this);
    Form_jilu_type = new TForm_jilu_type(this);
    Form_biao = new TForm_biao(*c_, *Form_b_t_list, *Form_jilu_type, this);
    Form_tu = new TForm_tu(*c_, *Form_b_t_list, this);
    Form_biao->on_items_changed = [this] { instruments_changed(); };
    Form_tu->on_items_changed = [this] { instruments_changed(); };
    Form_biao->on_shown_items = [this] { history().take_in_shown_items(*c_); };
    Form_tu->on_shown_items = [this] { history().take_in_shown_items(*c_); };
    const auto suggest = [this](const QString& stem, const QString& suffix) { return export_suggestion(stem, suffix); };
    Form_biao->suggest_export_file = suggest;
    Form_tu->suggest_export_file = suggest;
    Form_tu->start_simulation = [this] {
        if (!closing) N_runClick();
    };
}

TForm_biao* TForm1::truth_table_window() {
    create_instruments();
    return Form_biao;
}

TForm_tu* TForm1::timing_diagram_window() {
    create_instruments();
    return Form_tu;
}

void TForm1::instruments_changed() { commit_edit(); }

MainWindowArea TForm1::tool_window_area() const {
    const QWidget* last_bar = ControlBar1->isVisible() ? ControlBar1 : static_cast<const QWidget*>(menuBar());
    const QRect frame = frameGeometry();
    const int menus_bottom = last_bar->mapToGlobal(QPoint(0, last_bar->height())).y() - 1;
    return {frame, QRect(frame.topLeft(), QPoint(frame.right(), menus_bottom)),
            QRect(Panel_image->mapToGlobal(QPoint(0, 0)), Panel_image->size()), frame.size() - size()};
}

void TForm1::show_truth_table() {
    place_tool_window(truth_table_window(), QStringLiteral("windows/truth_table"), ToolCorner::top_right,
                      tool_window_area());
    Form_biao->show();
    Form_biao->raise();
}

void TForm1::show_timing_diagram() {
    place_tool_window(timing_diagram_window(), QStringLiteral("windows/timing_diagram"), ToolCorner::bottom_right,
                      tool_window_area());
    Form_tu->show();
    Form_tu->raise();
}

void TForm1::N_table_itemsClick() { truth_table_window()->BitBtn2Click(); }

void TForm1::N_trace_itemsClick() { timing_diagram_window()->BitBtn2Click(); }

void TForm1::deal_biao_data() {
    if (!Form_biao || !Form_biao->isVisible()) return;
    const std::string& mode = c_->table_record_mode;
    if (mode != kRecordOnChange && mode != kRecordOnSettle) return;
    const bool recorded = mode == kRecordOnChange ? record_on_change(*c_, c_->table_items, Form_biao->table())
                                                  : record_on_settle(*c_, c_->table_items, Form_biao->table());
    if (recorded) Form_biao->rows_changed();  // the grid follows once the pass lets events through
}

void TForm1::deal_tu_data() {
    if (!Form_tu || !Form_tu->isVisible() || c_->trace_record_mode != kRecordTimed) return;
    Form_tu->samples().sample_step(*c_, c_->trace_items);
}

void TForm1::follow_restored_items(const std::array<std::string, kRecordSlots>& table_before,
                                   const std::array<std::string, kRecordSlots>& trace_before) {
    if (Form_biao && c_->table_items != table_before) Form_biao->clear_table();
    if (Form_tu && c_->trace_items != trace_before) Form_tu->clear_trace();
}

void TForm1::clear_visible_instruments() {
    if (Form_biao && Form_biao->isVisible()) Form_biao->clear_table();
    if (Form_tu && Form_tu->isVisible()) Form_tu->clear_trace();
}

void TForm1::close_instruments() {
    if (Form_tu && Form_tu->isVisible()) Form_tu->close();
    if (Form_biao && Form_biao->isVisible()) Form_biao->close();
}

void TForm1::clear_instruments() {
    if (!Form_biao) return;
    Form_biao->clear_table();
    Form_tu->clear_trace();
}

void TForm1::instruments_tick() {
    if (Form_tu && Form_tu->isVisible() && c_->trace_record_mode == kRecordTimed && Form_tu->recording)
        Form_tu->draw_tu(0);
}

}  // namespace vorlisk
