// The main window: menus, toolbar, component box, the canvas `Image1` with
// its scroll bars, and the commands behind them. The run loop runs inside
// the Run command; every other command, Stop included, runs nested inside
// one of its passes while the circuit runs.
#pragma once

#include <QMainWindow>
#include <QImage>
#include <chrono>
#include <functional>
#include <memory>

#include "app/component_box.h"
#include "model/circuit.h"
#include "render/canvas.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QScrollBar;
class QTimer;
class QToolButton;

namespace vorlisk {

class CanvasView;
class TForm_about;
class TForm_bitmap;
class TForm_compute_set;
class TForm_set;
class TForm_xinhaoyuan;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Circuit& circuit() { return *c_; }
    Canvas& canvas() { return canvas_; }
    // The picture of the canvas taken after scrolling, from which the
    // editor restores the canvas while it drags.
    const QImage& canvas_bitmap() const { return canvas_bitmap_; }

    // --- start-up and shutdown -------------------------------------------------
    void FormShow();
    void FormResize();
    static inline bool show_splash = true;  // tests and screenshots skip it
    std::function<void()> after_start;      // run once the window is up

    // --- file menu ---------------------------------------------------------------
    void N_newClick();
    void N_openClick();
    void N_saveClick();
    void N_save_asClick();
    void N_print_setupClick();
    void N_printClick();
    void N_exitClick();
    // --- edit menu (cut, copy, paste, delete, properties, rotation: the editor's) --
    void N_compute_setClick();
    void N_draw_setClick();
    void N_cutClick() {}
    void N_copyClick() {}
    void N_pasteClick() {}
    void N_deleteClick() {}
    void N_propertiesClick() {}
    void N_object_draw_setClick() {}
    void N_rotate_leftClick() {}
    void N_rotate_rightClick() {}
    // --- run -----------------------------------------------------------------------
    void N_runClick();
    void N_stopClick();
    void Timer1Timer();
    // --- view, instruments, help ------------------------------------------------
    void N_toolbarClick();
    void N_paletteClick();
    void N_statusbarClick();
    void N_manualClick();
    void N_homeClick();
    void N_mailClick();
    void N_aboutClick();

    // --- scrolling and the canvas ---------------------------------------------
    void ScrollBar_HChange(int position);
    void ScrollBar_VChange(int position);
    void Image1MouseDown(QMouseEvent* e);
    void Image1MouseMove(QMouseEvent* e);
    void Image1MouseUp(QMouseEvent* e);
    void Image1DblClick();

    // --- helpers the commands share --------------------------------------------
    void full_redraw();
    void dynamic_redraw();
    // Open without the dialog: reset, load, stop. False when loading failed.
    bool open_file(const QString& path);
    bool save_to(const QString& path);
    // The canvas picture, as large as the printer's page allows.
    bool print_canvas(QPrinter& printer);
    // Asks whether to save unsaved work; false when the user cancelled.
    bool confirm_discard();
    void reset_circuit();
    void choose_select_tool();
    void choose_tool(const QString& tool);
    // Simulation seconds as the time label shows them (3 significant digits).
    static QString time_text(double seconds);

    // The file dialogs; tests replace them.
    std::function<QString()> choose_open_file;
    std::function<QString()> choose_save_file;

    QString app_dir;   // folder of the program
    QString data_dir;  // where "例子" and the manual are: app_dir, or the installed share folder
    bool closing = false;
    long long passes_run = 0;  // passes of the latest Run, for measuring the pass rate
    bool mouse_down = false;
    int mouse_x = 0, mouse_y = 0;

    // --- controls ----------------------------------------------------------------
    QWidget* ControlBar1 = nullptr;
    QLabel* Label_time = nullptr;
    ComponentBox* Panel6 = nullptr;
    QWidget* Panel_image = nullptr;
    CanvasView* Image1 = nullptr;
    QScrollBar* ScrollBar_H = nullptr;
    QScrollBar* ScrollBar_V = nullptr;
    QLineEdit* Edit_focus = nullptr;
    QTimer* Timer1 = nullptr;
    QToolButton* SpeedButton_run = nullptr;
    QToolButton* SpeedButton_stop = nullptr;
    QAction* N_toolbar = nullptr;
    QAction* N_palette = nullptr;
    QAction* N_statusbar = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // --- the other windows, created once ---------------------------------------
    TForm_bitmap* Form_bitmap = nullptr;
    TForm_xinhaoyuan* Form_xinhaoyuan = nullptr;
    TForm_set* Form_set = nullptr;
    TForm_compute_set* Form_compute_set = nullptr;
    TForm_about* Form_about = nullptr;

    // --- instruments (Unit1_instruments.cpp) ------------------------------------------
    // The truth-table and timing-diagram windows with their two dialogs,
    // created together the first time one of them is needed. (The window
    // classes are declared here by "class X*", which keeps this block whole.)
    void show_truth_table();
    void show_timing_diagram();
    class TForm_biao* truth_table_window();
    class TForm_tu* timing_diagram_window();
    // The recorder steps of a pass, between reading the test points and
    // keeping the readings as the previous ones.
    void deal_biao_data();
    void deal_tu_data();
    // Run clears the visible instruments; New and Open close both and clear them.
    void clear_visible_instruments();
    void close_instruments();
    void clear_instruments();
    // The status timer's part: extends a recording timing diagram.
    void instruments_tick();

private:
    void create_instruments();
    // The record-items and recording-mode dialogs changed the document.
    void instruments_changed();
    class TForm_biao* Form_biao = nullptr;
    class TForm_tu* Form_tu = nullptr;
    class TForm_b_t_list* Form_b_t_list = nullptr;
    class TForm_jilu_type* Form_jilu_type = nullptr;
    // --- end of instruments ------------------------------------------------------------

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void build_layout();
    void build_menus();
    void build_toolbar();
    void build_context_menu();
    void show_context_menu();
    void sync_scroll_bars();
    void pump_events();

    std::unique_ptr<Circuit> c_;
    Canvas canvas_;
    QImage canvas_bitmap_;
    std::unique_ptr<QPrinter> printer_;
    bool shown_once_ = false;
    std::chrono::steady_clock::time_point last_pump_{};
};

}  // namespace vorlisk
