#include "instruments/forms/Unit_tu.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <sstream>

#include "app/canvas_view.h"
#include "app/message_box.h"
#include "app/number_text.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/instrument_panel.h"

namespace vorlisk {

namespace {

constexpr int32_t kAxisGrey = 0x646464;
constexpr int32_t kGridGrey = 0xdcdcdc;
constexpr int32_t kNavy = 0x800000;

CanvasFont label_font() { return {"Arial", 14, true, false, false, false, kNavy}; }

const QString kScaleMessage = QStringLiteral("比例必须是大于零的实数，请重新输入。");

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

    Image1 = new CanvasView(canvas_, this);
    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addLayout(bar);
    left->addWidget(Image1, 1);

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

    choose_export_file = [this](const QString& suggestion, const QString& filter) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出时序图"), suggestion, filter);
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
    if (parse_real(Edit1->text(), value) && value > 0.0) return true;
    show_message(this, kScaleMessage, MessageKind::warning);
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
        if (t >= 0) canvas_.text(5, kRowHeight * q + 12, c_.test_points[t].label);
    }

    const int x0 = label_width + 13;
    canvas_.set_pen(kGridGrey, 1);
    for (int k = 1;; ++k) {
        canvas_.line(x0 + 1, kRowHeight * k, w, kRowHeight * k);
        canvas_.line(label_width + 9, kRowHeight * k, 0, kRowHeight * k);
        if (kRowHeight * k > h) break;
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
        for (int q = 0; q < trace_count; ++q) {
            const SampleList& list = trace_lists.list(q);
            if (c_.trace_items[size_t(q)].empty() || list.empty()) continue;
            if (axis().x(c_.trace_drawn_time) >= canvas_.width()) {  // the next page
                start_time = c_.trace_drawn_time;
                redraw_tu();
                canvas_.set_pen(kBlack, 2);
            }
            trace_stretch(list, q, c_.trace_drawn_time, c_.sim_time, axis(),
                          [this](const TraceLine& l) { canvas_.line(l.x1, l.y1, l.x2, l.y2); });
        }
        c_.trace_drawn_time = c_.sim_time;
    }
    canvas_.set_pen_width(1);
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
    start_time = c_.sim_time;
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
            export_file_suggestion(c_.file_name, QStringLiteral("时序图"), QStringLiteral("vcd")),
            QStringLiteral("波形文件 (*.vcd)"));
        if (!path.isEmpty()) export_vcd(path);
    });
    menu.addAction(QStringLiteral("保存为图片 (PNG)…"), this, [this] {
        const QString path = choose_export_file(
            export_file_suggestion(c_.file_name, QStringLiteral("时序图"), QStringLiteral("png")),
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
    const bool ok = write_trace_vcd(text, trace_lists, names);
    const std::string dump = text.str();
    QSaveFile file(path);
    if (!ok || !file.open(QIODevice::WriteOnly) || file.write(dump.data(), qint64(dump.size())) != qint64(dump.size()) ||
        !file.commit()) {
        show_message(this, QStringLiteral("无法写入“%1”。").arg(path), MessageKind::error);
        return false;
    }
    return true;
}

bool TForm_tu::export_png(const QString& path) {
    if (!canvas_.image().save(path, "PNG")) {
        show_message(this, QStringLiteral("无法写入“%1”。").arg(path), MessageKind::error);
        return false;
    }
    return true;
}

}  // namespace vorlisk
