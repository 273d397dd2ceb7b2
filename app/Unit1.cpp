#include "app/Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollArea>
#include <QSettings>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/Unit_about.h"
#include "app/Unit_bitmap.h"
#include "app/Unit_help.h"
#include "chips/forms/Unit_creat_chip.h"
#include "editor/canvas_hints.h"
#include "editor/forms/Unit_creat_button.h"
#include "editor/forms/Unit_guanlian_fgejg.h"
#include "editor/forms/Unit_guanlian_smg.h"
#include "editor/forms/Unit_huizhi_set.h"
#include "editor/forms/Unit_jcd.h"
#include "editor/forms/Unit_zhu_shi_s.h"
#include "app/canvas_view.h"
#include "app/message_box.h"
#include "engine/forms/Unit_compute_set.h"
#include "engine/forms/Unit_xinhaoyuan.h"
#include "model/data_dir.h"
#include "model/edit.h"
#include "render/Unit_set.h"
#include "render/qt_surface.h"
#include "render/redraw.h"

namespace vorlisk {

namespace {
constexpr const char* kPinNumbersKey = "view/pin_numbers";
constexpr const char* kPinNamesKey = "view/pin_names";
constexpr const char* kZoomKey = TForm1::kZoomSetting;
constexpr const char* kWiresFollowKey = "view/wires_follow";
constexpr const char* kLevelsKey = "view/levels";
QSettings view_settings() { return QSettings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk")); }
}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), c_(make_circuit()) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Vorlisk"));
    setFont(qt_font({"MS Sans Serif", 11, false, false, false, false, 0}));
    resize(823, 613);

    app_dir = QCoreApplication::applicationDirPath();
    data_dir = QString::fromStdString(vorlisk::data_dir(app_dir.toStdString()).string());
    c_->report = [this](std::string_view text) {
        show_message(this, QString::fromUtf8(text.data(), qsizetype(text.size())), MessageKind::warning);
    };

    Form_bitmap = new TForm_bitmap(this);
    Form_creat_button = new TForm_creat_button(Form_bitmap->pictures(), this);
    Form_xinhaoyuan = new TForm_xinhaoyuan(this);
    Form_zhu_shi_s = new TForm_zhu_shi_s(this);
    Form_set = new TForm_set(*c_, this);
    Form_compute_set = new TForm_compute_set(*c_, this);
    Form_huizhi_set = new TForm_huizhi_set(this);
    Form_guanlian_smg = new TForm_guanlian_smg(this);
    Form_guanlian_fgejg = new TForm_guanlian_fgejg(this);
    Form_jcd = new TForm_jcd(this);
    Form_about = new TForm_about(this);
    Form_creat_chip = new TForm_creat_chip(this);
    Form_help = new TForm_help(this);
    view_.pictures = &Form_bitmap->pictures();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    build_layout();
    build_menus();
    build_toolbar();
    build_context_menu();
    // Students wire chips pin by pin from the datasheet: numbers shown unless turned off.
    view_.pin_numbers = view_settings().value(kPinNumbersKey, true).toBool();
    N_pin_numbers->setChecked(view_.pin_numbers);
    // Inside the body, from the sizes where they can be read.
    view_.pin_names = view_settings().value(kPinNamesKey, true).toBool();
    N_pin_names->setChecked(view_.pin_names);
    zoom_percent_ = view_settings().value(kZoomKey, 100).toInt();
    if (std::find(std::begin(kZoomSteps), std::end(kZoomSteps), zoom_percent_) == std::end(kZoomSteps)) zoom_percent_ = 100;
    update_zoom_label();
    editor_.wires_follow = view_settings().value(kWiresFollowKey, true).toBool();
    N_wires_follow->setChecked(editor_.wires_follow);
    show_levels_ = view_settings().value(kLevelsKey, true).toBool();
    N_levels->setChecked(show_levels_);

    const QString examples = examples_dir();
    const QString filter = QStringLiteral("电路文件 (*.vlk);;所有文件 (*)");
    choose_open_file = [this, examples, filter] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("打开"), examples, filter);
    };
    choose_save_file = [this, filter] {
        // A shipped example is saved elsewhere: start in the home folder.
        QString start = QString::fromStdString(c_->file_name);
        if (start.isEmpty() || is_example(start))
            start = QDir::home().filePath(start.isEmpty() ? QStringLiteral("电路.vlk") : QFileInfo(start).fileName());
        QFileDialog d(this, QStringLiteral("另存为"), start, filter);
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setDefaultSuffix(QStringLiteral("vlk"));
        return d.exec() == QDialog::Accepted ? d.selectedFiles().value(0) : QString();
    };
    Edit_focus->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::build_layout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    ControlBar1 = new QWidget(central);
    ControlBar1->setObjectName("ControlBar1");
    ControlBar1->setFixedHeight(31);
    column->addWidget(ControlBar1);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    // On a low screen the component box scrolls instead of losing its last rows.
    Panel6_scroll = new QScrollArea(central);
    Panel6_scroll->setObjectName("Panel6_scroll");
    Panel6_scroll->setFrameShape(QFrame::NoFrame);
    Panel6_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Panel6 = new ComponentBox(Form_bitmap->pictures(), Panel6_scroll);
    Panel6_scroll->setWidget(Panel6);
    Panel6_scroll->setFixedWidth(ComponentBox::kWidth);
    Panel6_scroll->verticalScrollBar()->installEventFilter(this);
    row->addWidget(Panel6_scroll);

    Panel_image = new QWidget(central);
    Panel_image->setObjectName("Panel_image");
    auto* grid = new QGridLayout(Panel_image);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    Image1 = new CanvasView(canvas_, Panel_image);
    ScrollBar_H = new QScrollBar(Qt::Horizontal, Panel_image);
    ScrollBar_V = new QScrollBar(Qt::Vertical, Panel_image);
    for (QScrollBar* s : {ScrollBar_H, ScrollBar_V}) {
        // One position is one grid cell, 10 pixels.
        s->setRange(0, 101);
        s->setSingleStep(1);
        s->setPageStep(20);
    }
    ScrollBar_H->setObjectName("ScrollBar_H");
    ScrollBar_V->setObjectName("ScrollBar_V");
    ScrollBar_H->setFixedHeight(16);
    ScrollBar_V->setFixedWidth(16);
    auto* corner = new QWidget(Panel_image);
    corner->setFixedSize(16, 16);
    grid->addWidget(Image1, 0, 0);
    grid->addWidget(ScrollBar_V, 0, 1);
    grid->addWidget(ScrollBar_H, 1, 0);
    grid->addWidget(corner, 1, 1);
    row->addWidget(Panel_image, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);

    // Takes the keyboard focus whenever the canvas must not have it. A
    // plain widget: unlike an edit box it claims no keys, so Ctrl+X, Ctrl+C,
    // Ctrl+V, Del and the undo keys reach the Edit menu.
    Edit_focus = new QWidget(central);
    Edit_focus->setObjectName("Edit_focus");
    Edit_focus->setFocusPolicy(Qt::StrongFocus);
    Edit_focus->setGeometry(-100, 0, 20, 20);

    statusBar()->setSizeGripEnabled(true);
    Label_hint = new QLabel(statusBar());
    Label_hint->setObjectName("Label_hint");
    // A long line is cut, never widens the window.
    Label_hint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label_hint->setMinimumWidth(1);
    statusBar()->addWidget(Label_hint, 1);
    Label_xy = new QLabel(statusBar());
    Label_xy->setObjectName("Label_xy");
    Label_xy->setMinimumWidth(Label_xy->fontMetrics().horizontalAdvance(QStringLiteral("X 10000  Y 10000")));
    Label_xy->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(Label_xy);
    Label_zoom = new QLabel(statusBar());
    Label_zoom->setObjectName("Label_zoom");
    Label_zoom->setMinimumWidth(50);
    Label_zoom->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(Label_zoom);

    connect(ScrollBar_H, &QScrollBar::valueChanged, this, &TForm1::ScrollBar_HChange);
    connect(ScrollBar_V, &QScrollBar::valueChanged, this, &TForm1::ScrollBar_VChange);
    connect(Panel6, &ComponentBox::select_chosen, this, &TForm1::choose_select_tool);
    connect(Panel6, &ComponentBox::tool_chosen, this, &TForm1::choose_tool);
    connect(Panel6, &ComponentBox::group_pressed, this,
            // Measured from the box itself: it moves inside its scroll area.
            [this](KindGroup g, QToolButton*) { Form_creat_button->show_group(g, this, Panel6); });
    connect(Form_creat_button, &TForm_creat_button::kind_picked, this, &TForm1::choose_tool);
    connect(Form_creat_button, &TForm_creat_button::closed_without_pick, this, &TForm1::choose_select_tool);
    connect(Panel6, &ComponentBox::chip_page_pressed, this, &TForm1::choose_chip);
    Image1->on_press = [this](QMouseEvent* e) { Image1MouseDown(e); };
    Image1->on_move = [this](QMouseEvent* e) { Image1MouseMove(e); };
    Image1->on_release = [this](QMouseEvent* e) { Image1MouseUp(e); };
    Image1->on_double_click = [this](QMouseEvent* e) {
        // The second press of a double click is a press like the first.
        Image1MouseDown(e);
        Image1DblClick(e);
    };
    Image1->on_resize = [this](int, int) { FormResize(); };
    Image1->on_wheel = [this](QWheelEvent* e) { Image1Wheel(e); };
    Image1->on_leave = [this] {
        clear_hints();
        Label_xy->clear();
    };
    Image1->on_tooltip = [this](QPoint at) {
        const QPoint p = to_canvas(at);
        return QString::fromStdString(hover_text(*c_, p.x(), p.y()));
    };
}

// --- start-up and shutdown -----------------------------------------------------

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    // The box widens by its scroll bar while the bar is shown.
    if (watched == Panel6_scroll->verticalScrollBar() && (e->type() == QEvent::Show || e->type() == QEvent::Hide))
        Panel6_scroll->setFixedWidth(ComponentBox::kWidth +
                                     (e->type() == QEvent::Show ? Panel6_scroll->verticalScrollBar()->sizeHint().width() : 0));
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (shown_once_) return;
    shown_once_ = true;
    // After the window has painted once, so the splash shows over it.
    QTimer::singleShot(0, this, &TForm1::FormShow);
}

void TForm1::FormShow() {
    setWindowTitle(QStringLiteral("Vorlisk"));
    if (show_splash) Form_about->show_splash();
    reset_circuit();
    Label_time->setText(QStringLiteral("T：0"));
    full_redraw();
    Edit_focus->setFocus();
    if (after_start) after_start();
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (!confirm_discard()) {
        e->ignore();
        return;
    }
    closing = true;
    // Ends the run loop: the Run command returns once this event is done.
    if (c_->running) N_stopClick();
    reset_circuit();
    e->accept();
}

void TForm1::FormResize() {
    if (closing) return;
    if (Image1->width() != canvas_.width() || Image1->height() != canvas_.height())
        canvas_.resize(Image1->width(), Image1->height());
    make_screen();
    full_redraw();
}

void TForm1::reset_circuit() {
    new_circuit(*c_);
    c_->selection.clear();  // names restart at 1: an old selection would pick new records
    editor_ = Editor{};
    sync_scroll_bars();
    history_.reset(*c_);
    follow_file_place();
    update_edit_state();
    clear_hints();
    if (free_origin()) {  // a view centred on the old drawing
        origin_ = QPointF();
        make_screen();
    }
}

void TForm1::sync_scroll_bars() {
    // The core already holds the records where these positions put them, so
    // the change handlers find nothing to move.
    ScrollBar_H->setValue(c_->scroll_h);
    ScrollBar_V->setValue(c_->scroll_v);
}

// --- view toggles --------------------------------------------------------------

void TForm1::N_toolbarClick() {
    ControlBar1->setVisible(N_toolbar->isChecked());
    FormResize();
}

void TForm1::N_paletteClick() {
    Panel6_scroll->setVisible(N_palette->isChecked());
    FormResize();
}

void TForm1::N_statusbarClick() {
    statusBar()->setVisible(N_statusbar->isChecked());
    FormResize();
}

void TForm1::N_pin_numbersClick() {
    view_.pin_numbers = N_pin_numbers->isChecked();
    view_settings().setValue(kPinNumbersKey, view_.pin_numbers);
    full_redraw();
}

void TForm1::N_pin_namesClick() {
    view_.pin_names = N_pin_names->isChecked();
    view_settings().setValue(kPinNamesKey, view_.pin_names);
    full_redraw();
}

void TForm1::N_wires_followClick() {
    editor_.wires_follow = N_wires_follow->isChecked();
    view_settings().setValue(kWiresFollowKey, editor_.wires_follow);
}

void TForm1::N_levelsClick() {
    show_levels_ = N_levels->isChecked();
    view_settings().setValue(kLevelsKey, show_levels_);
    if (!c_->running) return;  // a stopped circuit looks the same either way
    if (show_levels_) restart_levels();
    full_redraw();
}

void TForm1::restart_levels() {
    levels_ = NetLevels{};
    levels_.update(*c_);
}

// --- redrawing and scrolling ---------------------------------------------------

void TForm1::full_redraw() { redraw(kRedrawFull); }

void TForm1::dynamic_redraw() {
    PaintSurface& surface = screen_surface();
    // Levels first, so components repainted for their own state show the
    // same levels on their pins as the nets repainted after them.
    const DrawOptions view = screen_view();
    const bool levels_changed = view.levels && levels_.update(*c_);
    redraw_running(surface, *c_, canvas_area(), levels_changed, view);
    show_screen_changes();
}

void TForm1::ScrollBar_HChange(int position) {
    scroll_to(*c_, position, c_->scroll_v);  // moves the wire being drawn too
    clear_hints();
    Edit_focus->setFocus();
    full_redraw();
    canvas_bitmap_ = screen_image().copy();
}

void TForm1::ScrollBar_VChange(int position) {
    scroll_to(*c_, c_->scroll_h, position);
    clear_hints();
    Edit_focus->setFocus();
    full_redraw();
    canvas_bitmap_ = screen_image().copy();
}

// --- tools and the canvas --------------------------------------------------------

void TForm1::choose_select_tool() { editor_.choose_select_tool(*c_, *this); }

void TForm1::choose_tool(const QString& tool) {
    const bool had_selection = !c_->selection.empty();
    editor_.choose_tool(*c_, tool.toStdString());
    clear_hints();
    Image1->setCursor(Qt::CrossCursor);
    if (had_selection) full_redraw();
}

void TForm1::choose_chip(int page) {
    const std::string kind = Form_creat_chip->choose(page);
    if (kind.empty()) choose_select_tool();
    else choose_tool(QString::fromStdString(kind));
}

QPoint TForm1::to_canvas(QPointF p) const {
    const double z = zoom_percent_ / 100.0;
    return QPoint(int(std::floor(p.x() / z + origin_.x())), int(std::floor(p.y() / z + origin_.y())));
}

void TForm1::show_hints() {
    std::optional<QPoint> ring;
    std::optional<QRect> outline;
    if (editor_.hover_anchor) ring = QPoint(editor_.hover_anchor->x, editor_.hover_anchor->y);
    if (const auto& o = editor_.hover_outline) outline = QRect(QPoint(o->left, o->top), QPoint(o->right, o->bottom));
    Image1->set_hints(ring, outline);
    Label_hint->setText(QString::fromStdString(editor_.note.empty() ? tool_hint(c_->current_tool) : editor_.note));
}

void TForm1::show_touch_marks(bool shown) {
    std::vector<QPoint> marks;
    if (shown)
        for (BendPoint p : touches_.of(*c_)) marks.emplace_back(p.x, p.y);
    Image1->set_touch_marks(std::move(marks));
}

void TForm1::clear_hints() {
    editor_.hover_anchor.reset();
    editor_.hover_outline.reset();
    show_hints();
}

namespace {
bool modifier_held(const QMouseEvent* e) { return e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier); }
MouseButton button_of(const QMouseEvent* e) {
    return e->button() == Qt::RightButton ? MouseButton::right
           : e->button() == Qt::MiddleButton ? MouseButton::middle
                                              : MouseButton::left;
}
}  // namespace

void TForm1::Image1MouseDown(QMouseEvent* e) {
    MouseButton b = MouseButton::left;
    if (e->button() == Qt::RightButton) b = MouseButton::right;
    else if (e->button() == Qt::MiddleButton) b = MouseButton::middle;
    else if (e->button() != Qt::LeftButton) return;
    const QPoint p = to_canvas(e->position());
    editor_.mouse_press(*c_, *this, b, modifier_held(e), p.x(), p.y());
    show_hints();  // the press took the marks away
    // A gesture that ended with its press (a right press, an annotation
    // dialog) is a step of its own; the others end at the release.
    if (!editor_.mouse_down) commit_edit();
}

void TForm1::Image1MouseMove(QMouseEvent* e) {
    const QPoint p = to_canvas(e->position());
    Image1->setCursor(c_->current_tool.empty() ? Qt::ArrowCursor : Qt::CrossCursor);
    editor_.mouse_move(*c_, *this, modifier_held(e), p.x(), p.y());
    show_hints();
    if (editor_.note.empty() && !editor_.mouse_down && Image1->on_touch_mark(p))
        Label_hint->setText(QString::fromUtf8(kTouchHint.data(), qsizetype(kTouchHint.size())));
    // Counted in the drawing, so a place keeps its numbers when the view scrolls.
    Label_xy->setText(QStringLiteral("X %1  Y %2").arg(p.x() + c_->scroll_h * 10).arg(p.y() + c_->scroll_v * 10));
}

void TForm1::Image1MouseUp(QMouseEvent* e) {
    const QPoint p = to_canvas(e->position());
    editor_.mouse_release(*c_, *this, button_of(e), modifier_held(e), p.x(), p.y());
    if (!editor_.rubber_band_active) Image1->set_rubber_band(std::nullopt);
    commit_edit();
}

void TForm1::Image1DblClick(QMouseEvent* e) {
    // The side buttons of some mice are no left button.
    if (!(e->button() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton))) return;
    editor_.double_click(*c_, *this, button_of(e));
    commit_edit();
}

// --- what the editor asks of the canvas ----------------------------------------------

void TForm1::redraw(int mode) {
    PaintSurface& surface = screen_surface();
    redraw_canvas(surface, *c_, canvas_area(), mode, screen_view());
    if (zoom_canvas_) zoom_canvas_->take_touched();
    else canvas_.take_touched();
    show_touch_marks(mode != kRedrawMoving);
    Image1->update();
    // Dropped, ended, or moved by a scroll: the view shows it as it now is.
    Image1->set_wire(to_qpoints(wire_in_progress_route(*c_)));
}

void TForm1::keep_picture() { canvas_bitmap_ = screen_image().copy(); }

void TForm1::restore_picture() {
    if (canvas_bitmap_.size() != screen_image().size()) {
        redraw(kRedrawStatic);  // resized or zoomed since: the picture is made again
        return;
    }
    if (zoom_canvas_) {
        zoom_canvas_->end();
        zoom_image_ = canvas_bitmap_;
        zoom_image_.detach();
        Image1->update();
    } else {
        canvas_.restore(canvas_bitmap_);
    }
}

void TForm1::draw_wire_in_progress() { Image1->set_wire(to_qpoints(wire_in_progress_route(*c_))); }

void TForm1::draw_rubber_band(const Rect32& r) {
    // Over the picture, as the wire in progress: each call shows the band
    // where it now is (the editor's second call of a move).
    Image1->set_rubber_band(r);
}

void TForm1::show_select_tool() {
    clear_hints();
    Image1->setCursor(Qt::ArrowCursor);
    Panel6->show_select_down();
}

bool TForm1::ask_annotation(ZHU_SHI_S& draft) { return Form_zhu_shi_s->edit(draft); }

}  // namespace vorlisk
