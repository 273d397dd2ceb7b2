#include "instruments/forms/Unit_tu.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "app/canvas_view.h"
#include "app/message_box.h"
#include "render/trace_diagram.h"
#include "app/number_text.h"
#include "editor/dialog_checks.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/instrument_panel.h"
#include "model/output_file.h"

namespace vorlisk {

TForm_tu::TForm_tu(Circuit& circuit, TForm_b_t_list& items, QWidget* parent)
    : QWidget(parent, Qt::Tool), c_(circuit), items_(items) {
    setObjectName("Form_tu");
    setWindowTitle(QStringLiteral("时序图"));
    resize(640, 420);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->setSpacing(4);
    Label1 = new QLabel(QStringLiteral("比例："), this);
    Edit1 = new QLineEdit(QStringLiteral("1"), this);
    Edit1->setObjectName("Edit1");
    Edit1->setFixedWidth(80);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    UpDown_up = new QToolButton(this);
    UpDown_down = new QToolButton(this);
    UpDown_up->setObjectName("UpDown_up");
    UpDown_down->setObjectName("UpDown_down");
    UpDown_up->setArrowType(Qt::UpArrow);
    UpDown_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {UpDown_up, UpDown_down}) {
        b->setFixedSize(16, 11);
        spin->addWidget(b);
    }
    Label2 = new QLabel(QStringLiteral("秒/格"), this);
    bar->addWidget(Label1);
    bar->addWidget(Edit1);
    bar->addLayout(spin);
    bar->addWidget(Label2);
    bar->addStretch();
    Label_page = new QLabel(this);
    Label_page->setObjectName("Label_page");
    bar->addWidget(Label_page);

    Image1 = new CanvasView(canvas_, this);
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addLayout(bar);
    left->addWidget(Image1, 1);
    ScrollBar_page = new QScrollBar(Qt::Horizontal, this);
    ScrollBar_page->setObjectName("ScrollBar_page");
    ScrollBar_page->setPageStep(1);
    ScrollBar_page->setToolTip(QStringLiteral("翻看记录的前后各页"));
    left->addWidget(ScrollBar_page);

    Panel1 = new InstrumentPanel({"默认设置", "记录项设置", "开始纪录", "停止纪录", "清除", "导出", "关闭"}, this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addLayout(left, 1);
    row->addWidget(Panel1);

    const std::vector<void (TForm_tu::*)()> handlers = {
        &TForm_tu::BitBtn1Click, &TForm_tu::BitBtn2Click, &TForm_tu::BitBtn3Click, &TForm_tu::BitBtn4Click,
        &TForm_tu::BitBtn5Click, &TForm_tu::BitBtn6Click, &TForm_tu::BitBtn7Click};
    for (size_t i = 0; i < handlers.size(); ++i)
        connect(Panel1->buttons[i], &QPushButton::clicked, this, [this, h = handlers[i]] { (this->*h)(); });
    connect(UpDown_up, &QToolButton::clicked, this, [this] { UpDown1Click(true); });
    connect(UpDown_down, &QToolButton::clicked, this, [this] { UpDown1Click(false); });
    Image1->on_resize = [this](int, int) { FormResize(); };
    connect(ScrollBar_page, &QScrollBar::valueChanged, this, [this](int page) {
        if (page != pages_.shown()) show_page(page);
    });
    update_page_controls();

    choose_export_file = [this](const QString& suggestion, const QString& filter) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出时序图"), suggestion, filter);
    };
    suggest_export_file = [this](const QString& stem, const QString& suffix) {
        return export_file_suggestion(c_.file_name, stem, suffix);
    };
}

TForm_tu::~TForm_tu() {
    delete Image1;  // it shows canvas_, which goes before QWidget's destructor runs
}

void TForm_tu::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FormShow();
    QWidget::showEvent(e);
}

void TForm_tu::hideEvent(QHideEvent* e) {
    // A hidden diagram draws nothing: recording ends with it.
    if (!e->spontaneous()) BitBtn4Click();
    QWidget::hideEvent(e);
}

void TForm_tu::FormShow() {
    c_.trace_record_mode = std::string(kRecordTimed);
    set_scale_controls_enabled(true);
    Edit1->setText(general_number(c_.trace_scale));
    if (first_eight_empty(c_.trace_items)) set_default_items();
    if (on_shown_items) on_shown_items();
}

void TForm_tu::FormResize() {
    if (Image1->width() != canvas_.width() || Image1->height() != canvas_.height())
        canvas_.resize(Image1->width(), Image1->height());
    clear_trace();
}

void TForm_tu::set_scale_controls_enabled(bool on) {
    Edit1->setEnabled(on);
    UpDown_up->setEnabled(on);
    UpDown_down->setEnabled(on);
}

bool TForm_tu::read_scale(double& value) {
    const auto refusal = check_trace_scale(Edit1->text().toStdString(), value);
    if (!refusal) return true;
    show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
    Edit1->setFocus();
    return false;
}

// --- recording ---------------------------------------------------------------------

void TForm_tu::clear_trace() {
    trace_lists.clear();
    const TraceLayout layout = trace_layout(c_, canvas_.width(), canvas_.height());
    label_width = layout.label_width;
    trace_count = layout.rows;
    restart_pages(0.0);
    needs_full_redraw = true;
    draw_tu(1);
}

void TForm_tu::set_default_items() {
    vorlisk::set_default_items(c_, c_.trace_items);
    clear_trace();
}

TraceLayout TForm_tu::layout() const { return {canvas_.width(), canvas_.height(), label_width, trace_count}; }

void TForm_tu::redraw_tu() { draw_trace_grid(canvas_, c_, layout()); }

void TForm_tu::draw_tu(int full) {
    if (full == 1) needs_full_redraw = true;
    if (needs_full_redraw) {
        redraw_tu();
        needs_full_redraw = false;
    }
    if (full == 0) {
        const bool was_following = following();
        if (pages_.turn(trace_lists, c_.trace_items, trace_count, c_.trace_drawn_time, c_.trace_scale, label_width,
                        canvas_.width())) {
            if (was_following) show_page(page_count() - 1);  // the new page from its start
            else update_page_controls();
        }
        // While the user looks at an earlier page, the recording goes on unseen.
        if (following())
            draw_trace_extension(canvas_, c_, trace_lists, layout(), c_.trace_drawn_time, c_.sim_time, axis());
        c_.trace_drawn_time = c_.sim_time;
    }
    Image1->show_changes();
}

// --- pages -----------------------------------------------------------------------------

std::pair<double, double> TForm_tu::shown_span() const {
    return pages_.shown_span(c_.trace_drawn_time, trace_lists.last_time());
}

TraceAxis TForm_tu::shown_axis() const { return {label_width, pages_.start(pages_.shown()), c_.trace_scale}; }

void TForm_tu::restart_pages(double start) {
    pages_.restart(start);
    update_page_controls();
}

void TForm_tu::update_page_controls() {
    const QSignalBlocker quiet(ScrollBar_page);
    ScrollBar_page->setRange(0, page_count() - 1);
    ScrollBar_page->setValue(pages_.shown());
    ScrollBar_page->setEnabled(page_count() > 1);
    Label_page->setText(QStringLiteral("第 %1/%2 页，从 %3 秒起")
                            .arg(pages_.shown() + 1)
                            .arg(page_count())
                            .arg(general_number(pages_.start(pages_.shown()))));
}

void TForm_tu::show_page(int page) {
    pages_.show(page);
    needs_full_redraw = false;
    redraw_tu();
    const auto [from, to] = shown_span();
    draw_trace_rows(canvas_, c_, trace_lists, layout(), from, to, shown_axis());
    update_page_controls();
    Image1->show_changes();
}

void TForm_tu::UpDown1Click(bool up) {
    double scale = 0.0;
    if (!read_scale(scale)) return;
    Edit1->setText(general_number(up ? scale * 2 : scale / 2));
}

void TForm_tu::BitBtn1Click() {
    const RecordSlots before = c_.trace_items;
    set_default_items();
    if (c_.trace_items != before && on_items_changed) on_items_changed();
}

void TForm_tu::BitBtn2Click() {
    const RecordSlots before = c_.trace_items;
    items_.item_edit_list = c_.trace_items;
    items_.exec();
    c_.trace_items = items_.item_edit_list;
    clear_trace();
    if (c_.trace_items != before && on_items_changed) on_items_changed();
}

void TForm_tu::BitBtn3Click() {
    double scale = 0.0;
    if (!read_scale(scale)) return;
    const bool changed = scale != c_.trace_scale;
    c_.trace_scale = scale;
    trace_lists.clear();
    restart_pages(TracePages::start_at(c_.sim_time, c_.trace_scale));
    recording = true;
    needs_full_redraw = true;
    set_scale_controls_enabled(false);
    if (changed && on_items_changed) on_items_changed();
    // Run returns only when the simulation stops.
    if (!c_.running && start_simulation) start_simulation();
}

void TForm_tu::BitBtn4Click() {
    recording = false;
    set_scale_controls_enabled(true);
}

void TForm_tu::BitBtn5Click() { clear_trace(); }

void TForm_tu::BitBtn6Click() {
    QMenu menu(this);
    menu.addAction(QStringLiteral("保存为波形文件 (VCD)…"), this, [this] {
        const QString path = choose_export_file(
            suggest_export_file(QStringLiteral("时序图"), QStringLiteral("vcd")),
            QStringLiteral("波形文件 (*.vcd)"));
        if (!path.isEmpty()) export_vcd(path);
    });
    menu.addAction(QStringLiteral("保存为图片 (PNG)…"), this, [this] {
        const QString path = choose_export_file(
            suggest_export_file(QStringLiteral("时序图"), QStringLiteral("png")),
            QStringLiteral("PNG 图片 (*.png)"));
        if (!path.isEmpty()) export_png(path);
    });
    QPushButton* button = Panel1->buttons[5];
    menu.exec(button->mapToGlobal(QPoint(0, button->height())));
}

void TForm_tu::BitBtn7Click() { close(); }

// --- export --------------------------------------------------------------------------

bool TForm_tu::export_vcd(const QString& path) {
    std::vector<std::string> names;
    for (const std::string& slot : c_.trace_items) {
        const int t = slot.empty() ? -1 : find_test_point(c_, slot);
        names.push_back(t < 0 ? std::string() : c_.test_points[t].label);
    }
    std::ostringstream text;
    std::string why;
    if (!write_trace_vcd(text, trace_lists, names)) why = "记录的时刻超出 VCD 能表示的范围";
    else if (write_output(QFile::encodeName(path).toStdString(), text.str(), SpecialFiles::write_into, why)) return true;
    show_message(this, QStringLiteral("无法写入“%1”：%2。").arg(path, QString::fromStdString(why)), MessageKind::error);
    return false;
}

QImage TForm_tu::export_picture() const {
    const TraceLayout l = layout();
    Canvas out(l.width, l.height + kTraceAxisHeight);
    const auto [from, to] = shown_span();
    draw_trace_picture(out, c_, trace_lists, l, from, to, shown_axis());
    return out.image().copy();
}

std::vector<TraceAxisLabel> TForm_tu::axis_labels() const { return trace_axis_labels(shown_axis(), canvas_.width()); }

bool TForm_tu::export_png(const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string why = "无法生成图片";
    if (export_picture().save(&buffer, "PNG") &&
        write_output(QFile::encodeName(path).toStdString(), std::string_view(png.constData(), size_t(png.size())),
                     SpecialFiles::write_into, why))
        return true;
    show_message(this, QStringLiteral("无法写入“%1”：%2。").arg(path, QString::fromStdString(why)), MessageKind::error);
    return false;
}

}  // namespace vorlisk
