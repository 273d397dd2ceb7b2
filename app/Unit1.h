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
#include "editor/editor.h"
#include "editor/history.h"
#include "editor/net_touches.h"
#include "engine/net_queries.h"
#include "model/circuit.h"
#include "render/canvas.h"
#include "render/scaled_canvas.h"

class QAction;
class QLabel;
class QWheelEvent;
class QLineEdit;
class QMenu;
class QPrinter;
class QScrollArea;
class QScrollBar;
class QTimer;
class QToolButton;

namespace vorlisk {

class CanvasView;
class Ch341Interface;
struct BoxLink;
class TForm_xuni_shiyanxiang;
class TForm_about;
class TForm_help;
class TForm_creat_button;
class TForm_creat_chip;
class TForm_guanlian_fgejg;
class TForm_guanlian_smg;
class TForm_huizhi_set;
class TForm_jcd;
class TForm_zhu_shi_s;
class TForm_bitmap;
class TForm_compute_set;
class TForm_set;
class TForm_xinhaoyuan;
struct MainWindowArea;

class TForm1 : public QMainWindow, private EditorView {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Circuit& circuit() { return *c_; }
    Editor& editor() { return editor_; }
    History& history() { return history_; }
    Canvas& canvas() { return canvas_; }
    // The picture of the canvas without the selection (or without the wire
    // being drawn), from which the editor restores the canvas while it drags.
    const QImage& canvas_bitmap() const { return canvas_bitmap_; }

    // --- start-up and shutdown -------------------------------------------------
    void FormShow();
    void FormResize();
    static inline bool show_splash = true;  // tests and screenshots skip it
    std::function<void()> after_start;      // run once the window is up

    // --- file menu ---------------------------------------------------------------
    void N_newClick();
    void N_openClick();
    // Open with the path the chooser gives (the file dialog, or an entry of 实例).
    void open_command(const std::function<QString()>& choose);
    void N_saveClick();
    void N_save_asClick();
    void N_print_setupClick();
    void N_printClick();
    void N_exitClick();
    // --- edit menu ---------------------------------------------------------------
    void N_undoClick();
    void N_redoClick();
    void N_compute_setClick();
    void N_draw_setClick();
    void N_cutClick();     // N48Click
    void N_copyClick();    // N49Click
    void N_pasteClick();   // N50Click
    void N_deleteClick();  // N51Click
    void N_select_allClick();
    void N_propertiesClick() { properties_command(); }          // N53Click
    void N_object_draw_setClick() { object_drawing_settings_command(); }  // N1Click
    void N_rotate_leftClick();
    void N_rotate_rightClick();
    void properties_command();
    void object_drawing_settings_command();
    // After every command that may have changed the circuit: one step of
    // the undo history, and `modified` kept true to what is on disk.
    void commit_edit();
    // --- run -----------------------------------------------------------------------
    void N_runClick();
    void N_stopClick();
    void Timer1Timer();
    // --- experiment box (Unit1_hardware.cpp) -------------------------------------
    // What Run links to: the emulated box while its window "虚拟实验箱" is
    // open, real CH341 chips otherwise. Made on first use.
    Ch341Interface& box_link();
    void N_boxClick();  // opens "虚拟实验箱"
    // Between passes: the links follow the box window opened or closed mid-run.
    void follow_box();
    TForm_xuni_shiyanxiang* Form_xuni_shiyanxiang = nullptr;
    std::shared_ptr<BoxLink> box_link_;  // shared_ptr: BoxLink is complete only in Unit1_hardware.cpp
    // --- end of experiment box -----------------------------------------------------

    // --- view, instruments, help ------------------------------------------------
    void N_toolbarClick();
    void N_paletteClick();
    void N_statusbarClick();
    void N_pin_numbersClick();  // chips show their package pin numbers; remembered between sessions
    void N_pin_namesClick();    // chips show their datasheet pin names; remembered
    void N_table_itemsClick();  // the truth table's record items dialog
    void N_trace_itemsClick();  // the timing diagram's record items dialog
    void N_wires_followClick();  // dragged components take their wires along; remembered
    void N_levelsClick();        // wires show their levels while running; remembered
    void N_manualClick();
    void N_homeClick();
    void N_mailClick();
    void N_aboutClick();
    QString manual_path() const;

    // --- scrolling and the canvas ---------------------------------------------
    void ScrollBar_HChange(int position);
    void ScrollBar_VChange(int position);
    void Image1MouseDown(QMouseEvent* e);
    void Image1MouseMove(QMouseEvent* e);
    void Image1MouseUp(QMouseEvent* e);
    void Image1DblClick(QMouseEvent* e);
    // Widget pixels to canvas pixels, through the zoom and the view origin.
    QPoint to_canvas(QPointF widget_pos) const;
    // The status line of the current tool, and the ring or outline the
    // editor found under the cursor drawn over the canvas.
    void show_hints();
    // Takes the ring and the outline away (the cursor left, the view moved,
    // the tool changed).
    void clear_hints();
    QLabel* Label_hint = nullptr;  // the current tool's line
    QLabel* Label_xy = nullptr;    // the cursor's place in the drawing

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
    // The two chip buttons: page 0 combinational, 1 sequential.
    void choose_chip(int page);
    // Simulation seconds as the time label shows them (3 significant digits).
    static QString time_text(double seconds);

    // The file dialogs; tests replace them.
    std::function<QString()> choose_open_file;
    std::function<QString()> choose_save_file;

    QString examples_dir() const;
    // In the shipped examples folder or one of its subfolders.
    bool is_example(const QString& path) const;
    // Tells the history whether the current file's switch levels are worth
    // saving: not an example's, which are there to be tried.
    void follow_file_place();
    // Where an export (picture, table, waveform) is first offered: beside the
    // circuit file, named after it; in the home folder for a new circuit
    // (named `stem`) or an example.
    QString export_suggestion(const QString& stem, const QString& suffix) const;
    // 实例: the circuit files of a folder, its subfolders as submenus.
    void fill_examples_menu(QMenu* menu, const QString& folder);

    QString app_dir;   // folder of the program
    QString data_dir;  // where "例子" and the manual are: app_dir, or the installed share folder
    bool closing = false;
    long long passes_run = 0;  // passes of the latest Run, for measuring the pass rate

    // --- controls ----------------------------------------------------------------
    QWidget* ControlBar1 = nullptr;
    QLabel* Label_time = nullptr;
    ComponentBox* Panel6 = nullptr;
    QScrollArea* Panel6_scroll = nullptr;  // holds the component box
    QWidget* Panel_image = nullptr;
    CanvasView* Image1 = nullptr;
    QScrollBar* ScrollBar_H = nullptr;
    QScrollBar* ScrollBar_V = nullptr;
    QWidget* Edit_focus = nullptr;  // holds the keyboard focus off the canvas; lets the menu keys through
    QTimer* Timer1 = nullptr;
    QToolButton* SpeedButton_run = nullptr;
    QToolButton* SpeedButton_stop = nullptr;
    QAction* N_undo = nullptr;
    QAction* N_redo = nullptr;
    QAction* N_toolbar = nullptr;
    QAction* N_palette = nullptr;
    QAction* N_statusbar = nullptr;
    QAction* N_pin_numbers = nullptr;
    QAction* N_pin_names = nullptr;
    QAction* N_wires_follow = nullptr;
    QAction* N_levels = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* N_examples = nullptr;  // 实例

    // --- the other windows, created once ---------------------------------------
    TForm_creat_button* Form_creat_button = nullptr;
    TForm_bitmap* Form_bitmap = nullptr;
    TForm_xinhaoyuan* Form_xinhaoyuan = nullptr;
    TForm_zhu_shi_s* Form_zhu_shi_s = nullptr;
    TForm_set* Form_set = nullptr;
    TForm_compute_set* Form_compute_set = nullptr;
    TForm_huizhi_set* Form_huizhi_set = nullptr;
    TForm_guanlian_smg* Form_guanlian_smg = nullptr;
    TForm_guanlian_fgejg* Form_guanlian_fgejg = nullptr;
    TForm_jcd* Form_jcd = nullptr;
    TForm_about* Form_about = nullptr;
    TForm_creat_chip* Form_creat_chip = nullptr;
    TForm_help* Form_help = nullptr;

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
    // After undo or redo: a window whose items changed starts over with the
    // items the circuit has now.
    void follow_restored_items(const std::array<std::string, kRecordSlots>& table_before,
                               const std::array<std::string, kRecordSlots>& trace_before);

    // The main window's frame, menus and canvas on the screen, for placing
    // the tool windows clear of the menus.
    MainWindowArea tool_window_area() const;

private:
    void create_instruments();
    // The record-items and recording-mode dialogs changed the document.
    void instruments_changed();
    class TForm_biao* Form_biao = nullptr;
    class TForm_tu* Form_tu = nullptr;
    class TForm_b_t_list* Form_b_t_list = nullptr;
    class TForm_jilu_type* Form_jilu_type = nullptr;
    // --- end of instruments ------------------------------------------------------------

public:
    // --- zoom and report pictures (Unit1_zoom.cpp) ---------------------------------
    // The zoom is this window's view, remembered with the view settings and
    // never stored in the circuit; records keep canvas pixels.
    static constexpr int kZoomSteps[] = {25, 50, 75, 100, 150, 200, 300, 400};
    static constexpr const char* kZoomSetting = "view/zoom";  // percent, remembered between sessions
    void N_zoom_inClick();
    void N_zoom_outClick();
    void N_zoom_actualClick();
    void N_zoom_fitClick();
    // A file just opened: at 100 %, at its own scroll positions when its
    // drawing shows whole there, else with the drawing at the top-left.
    void show_opened_drawing();
    void N_export_pictureClick();  // 文件 → 导出图片
    void N_copy_pictureClick();    // 编辑 → 复制为图片
    // Zooms to `percent` (a step), keeping what is under widget point `at` there.
    void set_zoom(int percent, QPointF at);
    void set_zoom(int percent);  // about the middle of the view
    int zoom() const { return zoom_percent_; }
    // Canvas point at the widget's top-left corner (between 0 and one grid
    // cell: whole cells are scrolled by moving the records).
    QPointF view_origin() const { return origin_; }
    // What the canvas is painted on: the exact canvas at 100 % on a screen of
    // ratio 1, else a scaled surface on a picture at device resolution.
    PaintSurface& screen_surface();
    const QImage& screen_image();
    std::function<QString()> choose_picture_file;  // tests replace it
    QLabel* Label_zoom = nullptr;
    // Ctrl+wheel zooms about the cursor; the wheel alone scrolls.
    void Image1Wheel(QWheelEvent* e);

private:
    bool exact_screen() const { return !zoom_canvas_; }
    // Remakes the screen picture for the view's size, zoom and ratio.
    void make_screen();
    // Shows what the last painting on the screen surface changed.
    void show_screen_changes();
    // The canvas pixels the view shows.
    QRect canvas_area() const;
    void update_zoom_label();
    // Shows canvas point `corner` at the view's top-left at `percent`; with
    // `free`, also beyond the scroll range.
    void apply_view(int percent, QPointF corner, bool free = false);
    // The origin lies beyond one cell: the view shows past the scroll range.
    bool free_origin() const;
    int zoom_percent_ = 100;
    QPointF origin_;
    double ratio_ = 1.0;
    QImage zoom_image_;
    std::unique_ptr<ScaledCanvas> zoom_canvas_;
    // --- end of zoom and report pictures ------------------------------------------------

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // --- what the editor asks of the canvas --------------------------------
    void redraw(int mode) override;
    void keep_picture() override;
    void restore_picture() override;
    void draw_wire_in_progress() override;
    void draw_rubber_band(const Rect32& r) override;
    void show_select_tool() override;
    void show_context_menu() override;
    void show_properties() override;
    bool ask_annotation(ZHU_SHI_S& draft) override;

    // Undo and redo enabled as the history allows; the title names the file
    // and marks unsaved changes.
    void update_edit_state();
    void build_layout();
    void build_menus();
    void build_toolbar();
    void build_context_menu();
    void sync_scroll_bars();
    // Lets the events through when their interval has passed; true when it did.
    bool pump_events();

    std::unique_ptr<Circuit> c_;
    // The levels the canvas shows while running, and whether it shows them.
    NetLevels levels_;
    bool show_levels_ = true;
    const NetLevels* shown_levels() const { return show_levels_ && c_->running ? &levels_ : nullptr; }
    // What the screen's repaints are handed: the view's choices and, while
    // running with levels shown, the levels.
    DrawOptions screen_view() const {
        DrawOptions v = view_;
        v.levels = shown_levels();
        return v;
    }
    // Takes the levels afresh (Run, or levels turned on while running).
    void restart_levels();
    Editor editor_;
    History history_;
    // Where wires of two nets touch unconnected: marked over the canvas
    // after every redraw but a drag's (then the places are on the move).
    NetTouches touches_;
    void show_touch_marks(bool shown);
    Canvas canvas_;
    DrawOptions view_;  // pin numbers, pin names, the component pictures
    QImage canvas_bitmap_;
    std::unique_ptr<QPrinter> printer_;
    bool shown_once_ = false;
    std::chrono::steady_clock::time_point last_pump_{};  // in virtual time
    double last_pump_seconds_ = 0.0;                     // in real time: the run's seconds
};

}  // namespace vorlisk
