// "时序图": the timing-diagram window. While it is visible and the circuit
// runs, the pass samples every change of the chosen test points
// (TForm1::deal_tu_data); while recording, the main window's status timer
// extends the traces up to the current time (draw_tu(0)), one division of
// 30 pixels per `trace_scale` seconds, a row of 60 pixels per trace, and
// starts a new page at the right edge. Earlier pages of the recording stay
// in reach: the scroll bar below the traces goes back to any of them and
// redraws it from the samples.
#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "instruments/trace.h"
#include "instruments/trace_pages.h"
#include "render/trace_diagram.h"
#include "render/canvas.h"

class QImage;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

namespace vorlisk {

class CanvasView;
class InstrumentPanel;
class TForm_b_t_list;

class TForm_tu : public QWidget {
    Q_OBJECT
public:
    TForm_tu(Circuit& circuit, TForm_b_t_list& items, QWidget* parent = nullptr);
    ~TForm_tu() override;

    TraceRecorder& samples() { return trace_lists; }
    const Canvas& picture() const { return canvas_; }

    void clear_trace();
    void set_default_items();
    void redraw_tu();
    void draw_tu(int full);

    void FormShow();
    void FormResize();
    void UpDown1Click(bool up);  // the spin button
    void BitBtn1Click();  // 默认设置
    void BitBtn2Click();  // 记录项设置
    void BitBtn3Click();  // 开始纪录
    void BitBtn4Click();  // 停止纪录
    void BitBtn5Click();  // 清除
    void BitBtn6Click();  // 导出
    void BitBtn7Click();  // 关闭
    // The two exports behind "导出".
    bool export_vcd(const QString& path);
    bool export_png(const QString& path);
    // The page shown, with the time axis below the grid: a time under
    // every labelled division and the scale.
    QImage export_picture() const;
    // The times under the grid of the page shown.
    std::vector<TraceAxisLabel> axis_labels() const;

    // Pages of the recording: each starts where the one before ran off the
    // right edge. The last is the one being recorded.
    int page_count() const { return pages_.count(); }
    int shown_page() const { return pages_.shown(); }
    // Simulation time at the left end of the live page's axis.
    double start_time() const { return pages_.live_start(); }
    void show_page(int page);

    // Told when the user changed the circuit's slots or scale.
    std::function<void()> on_items_changed;
    // Showing wrote default items (or the recording mode) into the circuit:
    // not an edit of the user's, so no undo step.
    std::function<void()> on_shown_items;
    // Starts the simulation (Run); the main window leaves it out while closing.
    std::function<void()> start_simulation;
    // The file name an export is first offered under (`stem` when the
    // circuit has no file); the main window gives its own rule.
    std::function<QString(const QString& stem, const QString& suffix)> suggest_export_file;
    // Asks for an export file name; tests replace it.
    std::function<QString(const QString& suggestion, const QString& filter)> choose_export_file;

    int label_width = 0;          // pixels, the widest label
    int trace_count = 0;          // rows drawn: the highest used slot + 1
    bool recording = false;
    bool needs_full_redraw = true;

    QLabel* Label1;        // 比例：
    QLineEdit* Edit1;      // seconds per division
    QToolButton* UpDown_up;
    QToolButton* UpDown_down;
    QLabel* Label2;        // 秒/格
    QLabel* Label_page;    // 第 n/m 页
    CanvasView* Image1;
    QScrollBar* ScrollBar_page;  // earlier pages of the recording
    InstrumentPanel* Panel1;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TraceAxis axis() const { return {label_width, start_time(), c_.trace_scale}; }
    // The axis of the page shown, which is the live one unless the user went back.
    TraceAxis shown_axis() const;
    bool following() const { return pages_.following(); }
    // One page of pages, from the start of a recording or a clear.
    void restart_pages(double start);
    void update_page_controls();
    // The page shown from its first time to its last.
    std::pair<double, double> shown_span() const;
    TraceLayout layout() const;
    // The scale field as a positive real, or the message and the focus.
    bool read_scale(double& value);
    void set_scale_controls_enabled(bool on);

    Circuit& c_;
    TForm_b_t_list& items_;
    TraceRecorder trace_lists;
    Canvas canvas_;
    TracePages pages_;
};

}  // namespace vorlisk
