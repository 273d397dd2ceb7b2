#include "instruments/forms/Unit_tu.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
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
#include "render/qt_surface.h"
#include "app/number_text.h"
#include "editor/dialog_checks.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/instrument_panel.h"
#include "model/output_file.h"

namespace vorlisk {

namespace {

constexpr int32_t kAxisGrey = 0x646464;
constexpr int32_t kGridGrey = 0xdcdcdc;
constexpr int32_t kNavy = 0x800000;

CanvasFont label_font() { return {"Arial", 14, true, false, false, false, kNavy}; }
CanvasFont axis_font() { return {"Arial", 11, false, false, false, false, kBlack}; }

// A trace's high and low lines are 30 pixels apart; each row is twice that
// high, so a low line and the next row's high line are as far apart as the
// two levels of one trace and never read as one double line.
constexpr int kRowPitch = 60;
constexpr int kTraceTop = 10;  // from the row's top to its band of 40 pixels
int row_top(int q) { return kRowPitch * q + kTraceTop; }

constexpr int kAxisHeight = 38;  // the strip below the grid in an exported picture

}  // namespace

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
        if (page != shown_page_) show_page(page);
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
    const QFontMetrics metrics(qt_font(label_font()));
    label_width = 0;
    for (const std::string& slot : c_.trace_items) {
        if (slot.empty()) continue;
        const int t = find_test_point(c_, slot);
        if (t >= 0)
            label_width = std::max(label_width, metrics.horizontalAdvance(QString::fromStdString(c_.test_points[t].label)));
    }
    trace_count = last_used_slot(c_.trace_items) + 1;
    start_time = 0.0;
    restart_pages();
    needs_full_redraw = true;
    draw_tu(1);
}

void TForm_tu::set_default_items() {
    vorlisk::set_default_items(c_, c_.trace_items);
    clear_trace();
}

void TForm_tu::redraw_tu() {
    const int w = canvas_.width(), h = canvas_.height();
    canvas_.set_pen(kWhite);
    canvas_.set_brush(kWhite);
    canvas_.rectangle(0, 0, w, h);
    canvas_.set_pen(kAxisGrey, 1);
    canvas_.line(label_width + 10, 0, label_width + 10, h);
    canvas_.set_pen(kAxisGrey, 2);
    canvas_.line(label_width + 13, 0, label_width + 13, h);

    canvas_.set_font(label_font());
    for (int q = 0; q < trace_count; ++q) {
        const std::string& slot = c_.trace_items[size_t(q)];
        if (slot.empty()) continue;
        const int t = find_test_point(c_, slot);
        if (t >= 0) canvas_.text(5, row_top(q) + 12, c_.test_points[t].label);
    }

    const int x0 = label_width + 13;
    canvas_.set_pen(kGridGrey, 1);
    for (int k = 1;; ++k) {
        canvas_.line(x0 + 1, kRowPitch * k, w, kRowPitch * k);
        canvas_.line(label_width + 9, kRowPitch * k, 0, kRowPitch * k);
        if (kRowPitch * k > h) break;
    }
    for (int k = 1;; ++k) {
        canvas_.line(kDivisionWidth * k + x0 + 1, 0, kDivisionWidth * k + x0 + 1, h);
        if (kDivisionWidth * k > w) break;
    }
}

void TForm_tu::draw_tu(int full) {
    if (full == 1) needs_full_redraw = true;
    if (needs_full_redraw) {
        redraw_tu();
        needs_full_redraw = false;
    }
    canvas_.set_pen(kBlack, 2);
    if (full == 0) {
        bool any = false;
        for (int q = 0; q < trace_count; ++q)
            any = any || (!c_.trace_items[size_t(q)].empty() && !trace_lists.list(q).empty());
        if (any && axis().x(c_.trace_drawn_time) >= canvas_.width()) {  // the next page
            const double next = page_start_at(c_.trace_drawn_time);
            // A page on which nothing was recorded (cleared while recording) is not kept.
            bool left_has_samples = false;
            for (int q = 0; q < trace_count; ++q) {
                const SampleList& list = trace_lists.list(q);
                left_has_samples = left_has_samples || (!list.empty() && list.front().time < next);
            }
            const bool was_following = following();
            if (left_has_samples) page_starts_.push_back(next);
            else page_starts_.back() = next;
            start_time = next;
            if (was_following) show_page(page_count() - 1);  // the new page from its start
            else update_page_controls();
            canvas_.set_pen(kBlack, 2);
        }
        // While the user looks at an earlier page, the recording goes on unseen.
        if (following()) {
            for (int q = 0; q < trace_count; ++q) {
                const SampleList& list = trace_lists.list(q);
                if (c_.trace_items[size_t(q)].empty() || list.empty()) continue;
                trace_stretch(list, 0, c_.trace_drawn_time, c_.sim_time, axis(), [this, dy = row_top(q)](const TraceLine& l) {
                    canvas_.line(l.x1, l.y1 + dy, l.x2, l.y2 + dy);
                });
            }
        }
        c_.trace_drawn_time = c_.sim_time;
    }
    canvas_.set_pen_width(1);
    Image1->show_changes();
}

// --- pages -----------------------------------------------------------------------------

double TForm_tu::page_start_at(double t) const {
    const double scale = c_.trace_scale > 0 ? c_.trace_scale : 1.0;
    return std::floor(t / scale + 1e-9) * scale;
}

TraceAxis TForm_tu::shown_axis() const { return {label_width, page_starts_[size_t(shown_page_)], c_.trace_scale}; }

void TForm_tu::restart_pages() {
    page_starts_.assign(1, start_time);
    shown_page_ = 0;
    update_page_controls();
}

void TForm_tu::update_page_controls() {
    const QSignalBlocker quiet(ScrollBar_page);
    ScrollBar_page->setRange(0, page_count() - 1);
    ScrollBar_page->setValue(shown_page_);
    ScrollBar_page->setEnabled(page_count() > 1);
    Label_page->setText(QStringLiteral("第 %1/%2 页，从 %3 秒起")
                            .arg(shown_page_ + 1)
                            .arg(page_count())
                            .arg(general_number(page_starts_[size_t(shown_page_)])));
}

void TForm_tu::draw_row(int q, double from, double to, const TraceAxis& axis) {
    const SampleList& list = trace_lists.list(q);
    auto later = [](double t, const Sample& s) { return t < s.time; };
    // The sample in force at `from` and every later one up to `to`.
    auto first = std::upper_bound(list.begin(), list.end(), from, later);
    if (first != list.begin()) --first;
    const auto last = std::upper_bound(first, list.end(), to, later);
    if (first == last) return;
    const SampleList page(first, last);
    trace_stretch(page, 0, page.front().time - 1.0, to, axis, [this, dy = row_top(q)](const TraceLine& l) {
        canvas_.line(l.x1, l.y1 + dy, l.x2, l.y2 + dy);
    });
}

void TForm_tu::show_page(int page) {
    shown_page_ = std::clamp(page, 0, page_count() - 1);
    needs_full_redraw = false;
    redraw_tu();
    canvas_.set_pen(kBlack, 2);
    const double from = page_starts_[size_t(shown_page_)];
    // The live page as far as it was recorded, an earlier one up to where the next begins.
    const double to = following() ? std::max(c_.trace_drawn_time, trace_lists.last_time())
                                  : page_starts_[size_t(shown_page_) + 1];
    for (int q = 0; q < trace_count; ++q)
        if (!c_.trace_items[size_t(q)].empty()) draw_row(q, from, to, shown_axis());
    canvas_.set_pen_width(1);
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
    start_time = page_start_at(c_.sim_time);
    restart_pages();
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
    const QImage& page = canvas_.image();
    const int w = page.width(), h = page.height();
    Canvas out(w, h + kAxisHeight);
    out.set_pen(kWhite);
    out.set_brush(kWhite);
    out.rectangle(0, 0, w, h + kAxisHeight);
    out.picture(0, 0, page, kWhite);
    const int x0 = label_width + 13;
    out.set_pen(kAxisGrey, 1);
    out.line(x0, h, w, h);
    for (int k = 0; kDivisionWidth * k + x0 < w; ++k) {
        const int x = k == 0 ? x0 : kDivisionWidth * k + x0 + 1;
        out.line(x, h, x, h + 4);
    }
    out.set_font(axis_font());
    const QFontMetrics metrics(qt_font(axis_font()));
    for (const AxisLabel& l : axis_labels()) {
        const int half = metrics.horizontalAdvance(l.text) / 2;
        out.text(std::clamp(l.x - half, 0, std::max(0, w - 2 * half)), h + 6, l.text.toStdString());
    }
    out.text(5, h + 21, QStringLiteral("比例：%1 秒/格").arg(general_number(c_.trace_scale)).toStdString());
    return out.image().copy();
}

std::vector<TForm_tu::AxisLabel> TForm_tu::axis_labels() const {
    const TraceAxis a = shown_axis();
    const int w = canvas_.width();
    // Pages start at a whole division: the division lines fall on whole multiples of the scale.
    const long long first = std::llround(a.start_time / a.scale);
    auto time_at = [&](int k) { return general_number(double(first + k) * a.scale); };
    const QFontMetrics metrics(qt_font(axis_font()));
    // Every division, or every 2nd, 5th, 10th ... where the times would run into each other.
    int every = 1;
    for (int n : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
        every = n;
        int widest = 0;
        for (int k = 0; kDivisionWidth * k + a.x0() < w; k += n)
            widest = std::max(widest, metrics.horizontalAdvance(time_at(k)));
        if (widest + 8 <= n * kDivisionWidth) break;
    }
    std::vector<AxisLabel> labels;
    for (int k = 0; kDivisionWidth * k + a.x0() < w; k += every)
        labels.push_back({k == 0 ? a.x0() : kDivisionWidth * k + a.x0() + 1, time_at(k)});
    return labels;
}

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
