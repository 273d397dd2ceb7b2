#include "app/Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Unit_about.h"
#include "app/Unit_bitmap.h"
#include "app/canvas_view.h"
#include "app/message_box.h"
#include "editor/hit_test.h"
#include "engine/forms/Unit_compute_set.h"
#include "engine/forms/Unit_xinhaoyuan.h"
#include "model/edit.h"
#include "render/Unit_set.h"
#include "render/redraw.h"

namespace vorlisk {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), c_(make_circuit()) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Vorlisk"));
    setFont(qt_font({"MS Sans Serif", 11, false, false, false, false, 0}));
    resize(823, 613);

    app_dir = QCoreApplication::applicationDirPath();
    data_dir = app_dir;
    const QString shared = QDir(app_dir).absoluteFilePath("../share/vorlisk");
    if (!QDir(app_dir).exists(QStringLiteral("例子")) && QDir(shared).exists(QStringLiteral("例子")))
        data_dir = QDir::cleanPath(shared);
    c_->report = [this](std::string_view text) {
        show_message(this, QString::fromUtf8(text.data(), qsizetype(text.size())), MessageKind::warning);
    };

    Form_bitmap = new TForm_bitmap(this);
    Form_xinhaoyuan = new TForm_xinhaoyuan(this);
    Form_set = new TForm_set(*c_, this);
    Form_compute_set = new TForm_compute_set(*c_, this);
    Form_about = new TForm_about(this);
    canvas_.pictures = &Form_bitmap->pictures();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    build_layout();
    build_menus();
    build_toolbar();
    build_context_menu();

    const QString examples = QDir(data_dir).absoluteFilePath(QStringLiteral("例子"));
    choose_open_file = [this, examples] { return QFileDialog::getOpenFileName(this, QStringLiteral("打开"), examples); };
    choose_save_file = [this, examples] {
        const QString start = c_->file_name.empty() ? examples : QString::fromStdString(c_->file_name);
        return QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), start);
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
    Panel6 = new ComponentBox(Form_bitmap->pictures(), central);
    row->addWidget(Panel6, 0, Qt::AlignTop);

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

    // Takes the keyboard focus whenever the canvas must not have it.
    Edit_focus = new QLineEdit(central);
    Edit_focus->setObjectName("Edit_focus");
    Edit_focus->setGeometry(-100, 0, 20, 20);

    statusBar()->setSizeGripEnabled(true);

    connect(ScrollBar_H, &QScrollBar::valueChanged, this, &TForm1::ScrollBar_HChange);
    connect(ScrollBar_V, &QScrollBar::valueChanged, this, &TForm1::ScrollBar_VChange);
    connect(Panel6, &ComponentBox::select_chosen, this, &TForm1::choose_select_tool);
    connect(Panel6, &ComponentBox::tool_chosen, this, &TForm1::choose_tool);
    Image1->on_press = [this](QMouseEvent* e) { Image1MouseDown(e); };
    Image1->on_move = [this](QMouseEvent* e) { Image1MouseMove(e); };
    Image1->on_release = [this](QMouseEvent* e) { Image1MouseUp(e); };
    Image1->on_double_click = [this](QMouseEvent* e) {
        mouse_x = int(e->position().x());
        mouse_y = int(e->position().y());
        Image1DblClick();
    };
    Image1->on_resize = [this](int, int) { FormResize(); };
}

// --- start-up and shutdown -----------------------------------------------------

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
    full_redraw();
}

void TForm1::reset_circuit() {
    new_circuit(*c_);
    c_->selection.clear();  // names restart at 1: an old selection would pick new records
    sync_scroll_bars();
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
    Panel6->setVisible(N_palette->isChecked());
    FormResize();
}

void TForm1::N_statusbarClick() {
    statusBar()->setVisible(N_statusbar->isChecked());
    FormResize();
}

// --- redrawing and scrolling ---------------------------------------------------

void TForm1::full_redraw() {
    redraw_canvas(canvas_, *c_, Image1->width(), Image1->height(), kRedrawFull);
    canvas_.take_touched();
    Image1->update();
}

void TForm1::dynamic_redraw() {
    redraw_canvas(canvas_, *c_, Image1->width(), Image1->height(), kRedrawDynamic);
    Image1->show_changes();
}

void TForm1::ScrollBar_HChange(int position) {
    scroll_to(*c_, position, c_->scroll_v);  // moves the wire being drawn too
    Edit_focus->setFocus();
    full_redraw();
    canvas_bitmap_ = canvas_.image().copy();
}

void TForm1::ScrollBar_VChange(int position) {
    scroll_to(*c_, c_->scroll_h, position);
    Edit_focus->setFocus();
    full_redraw();
    canvas_bitmap_ = canvas_.image().copy();
}

// --- tools and the canvas --------------------------------------------------------

void TForm1::choose_select_tool() {
    c_->current_tool.clear();
    Image1->setCursor(Qt::ArrowCursor);
    Panel6->show_select_down();
}

void TForm1::choose_tool(const QString& tool) {
    c_->current_tool = tool.toStdString();
    const bool had_selection = !c_->selection.empty();
    c_->selection.clear();
    Image1->setCursor(Qt::CrossCursor);
    if (had_selection) full_redraw();
}

void TForm1::Image1MouseDown(QMouseEvent* e) {
    mouse_down = true;
    mouse_x = int(e->position().x());
    mouse_y = int(e->position().y());
    if (e->button() == Qt::RightButton) {
        choose_select_tool();
        full_redraw();
        mouse_down = false;
    }
}

void TForm1::Image1MouseMove(QMouseEvent* e) {
    mouse_x = int(e->position().x());
    mouse_y = int(e->position().y());
    Image1->setCursor(c_->current_tool.empty() ? Qt::ArrowCursor : Qt::CrossCursor);
}

void TForm1::Image1MouseUp(QMouseEvent* e) {
    mouse_down = false;
    mouse_x = int(e->position().x());
    mouse_y = int(e->position().y());
    if (e->button() == Qt::RightButton) show_context_menu();
    full_redraw();
}

void TForm1::Image1DblClick() {
    const std::string name = object_at(*c_, mouse_x, mouse_y);
    if (name.empty()) return;
    c_->modified = true;
    const int i = find_object(*c_, name);
    MY_BASE_OBJ& o = c_->objects[i];
    if (o.kind != "高低电平控制器") return;
    o.param_int[0] = o.param_int[0] == 0 ? 1 : 0;
    // While running the new level counts from the switch's next computation.
    if (c_->running) o.dirty = 1;
    else full_redraw();
}

}  // namespace vorlisk
