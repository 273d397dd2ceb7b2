#include "instruments/forms/Unit_biao.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>

#include "app/message_box.h"
#include "instruments/forms/Unit_b_t_list.h"
#include "instruments/forms/Unit_jilu_type.h"
#include "instruments/forms/instrument_panel.h"
#include "model/output_file.h"

namespace vorlisk {

// The grid over the recorder: the view's horizontal header is row 0 (the
// labels), its vertical header column 0 (the rows' numbers). It shows the rows it has
// been told about, so the recorder can grow during a pass while the view
// catches up between passes.
class TruthTableModel : public QAbstractTableModel {
public:
    explicit TruthTableModel(const TruthTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_) + 1; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        if (role != Qt::DisplayRole || size_t(index.row()) >= rows_) return {};
        const std::string_view text = cell_text(table_.cell(size_t(index.row()), index.column()));
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole) return {};
        // Rows numbered from 1, so a student can say which row is wrong; the
        // empty row that takes the next recording has none yet.
        if (o == Qt::Vertical) return size_t(section) < rows_ ? QVariant(section + 1) : QVariant();
        if (section >= table_.columns()) return {};
        return QString::fromStdString(table_.label(section));
    }

    // Columns rebuilt or rows dropped: everything anew.
    void reset() {
        beginResetModel();
        rows_ = table_.rows();
        columns_ = table_.columns();
        endResetModel();
    }
    // New rows at the end; returns whether there were any.
    bool catch_up() {
        if (table_.columns() != columns_ || table_.rows() < rows_) {
            reset();
            return true;
        }
        if (table_.rows() == rows_) return false;
        beginInsertRows({}, int(rows_) + 1, int(table_.rows()));
        rows_ = table_.rows();
        endInsertRows();
        return true;
    }

private:
    const TruthTable& table_;
    size_t rows_ = 0;
    int columns_ = 0;
};

TForm_biao::TForm_biao(Circuit& circuit, TForm_b_t_list& items, TForm_jilu_type& modes, QWidget* parent)
    : QWidget(parent, Qt::Tool), c_(circuit), items_(items), modes_(modes) {
    setObjectName("Form_biao");
    setWindowTitle(QStringLiteral("真值表"));
    resize(460, 330);

    model_ = new TruthTableModel(table_, this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setModel(model_);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(50);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setFixedWidth(50);  // column 0, the rows' numbers
    StringGrid1->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    StringGrid1->verticalHeader()->setHighlightSections(false);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setCornerButtonEnabled(false);

    Panel1 = new InstrumentPanel({"默认设置", "记录项设置", "记录方式设置", "手动记录", "清除", "导出", "关闭"}, this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(StringGrid1, 1);
    row->addWidget(Panel1);

    const std::vector<void (TForm_biao::*)()> handlers = {
        &TForm_biao::BitBtn1Click, &TForm_biao::BitBtn2Click, &TForm_biao::BitBtn3Click, &TForm_biao::BitBtn4Click,
        &TForm_biao::BitBtn5Click, &TForm_biao::BitBtn6Click, &TForm_biao::BitBtn7Click};
    for (size_t i = 0; i < handlers.size(); ++i)
        connect(Panel1->buttons[i], &QPushButton::clicked, this, [this, h = handlers[i]] { (this->*h)(); });

    choose_csv_file = [this](const QString& suggestion) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("导出真值表"), suggestion,
                                            QStringLiteral("CSV 文件 (*.csv)"));
    };
    suggest_export_file = [this](const QString& stem, const QString& suffix) {
        return export_file_suggestion(c_.file_name, stem, suffix);
    };
    clear_table();
}

TForm_biao::~TForm_biao() {
    // The grid would read the recorder while QWidget's destructor hides it.
    delete StringGrid1;
}

void TForm_biao::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) FormShow();
    QWidget::showEvent(e);
}

void TForm_biao::FormShow() {
    if (!first_eight_empty(c_.table_items)) return;
    set_default_items();
    if (on_shown_items) on_shown_items();
}

void TForm_biao::clear_table() {
    table_.clear_table(c_, c_.table_items);
    model_->reset();
}

void TForm_biao::record_row() {
    table_.record_row(c_);
    sync_grid();
}

void TForm_biao::set_default_items() {
    vorlisk::set_default_items(c_, c_.table_items);
    clear_table();
}

void TForm_biao::rows_changed() {
    if (sync_pending_) return;
    sync_pending_ = true;
    QTimer::singleShot(0, this, [this] { sync_grid(); });
}

void TForm_biao::sync_grid() {
    sync_pending_ = false;
    QScrollBar* bar = StringGrid1->verticalScrollBar();
    const bool at_end = bar->value() >= bar->maximum();
    // Following the newest row unless the user scrolled back to read.
    if (model_->catch_up() && at_end) StringGrid1->scrollToBottom();
}

QString TForm_biao::cell_text(int row, int column) const {
    if (column == 0) return row > 0 && size_t(row) <= table_.rows() ? QString::number(row) : QString();
    if (column < 0 || column > table_.columns()) return {};
    if (row == 0) return QString::fromStdString(table_.label(column - 1));
    if (size_t(row) > table_.rows()) return {};
    const std::string_view t = vorlisk::cell_text(table_.cell(size_t(row - 1), column - 1));
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

int TForm_biao::grid_rows() const { return int(table_.rows()) + 2; }

int TForm_biao::grid_columns() const { return table_.columns() + 1; }

// --- the side panel --------------------------------------------------------------

void TForm_biao::BitBtn1Click() {
    const RecordSlots before = c_.table_items;
    set_default_items();
    if (c_.table_items != before && on_items_changed) on_items_changed();
}

void TForm_biao::BitBtn2Click() {
    const RecordSlots before = c_.table_items;
    items_.item_edit_list = c_.table_items;
    items_.exec();
    c_.table_items = items_.item_edit_list;
    clear_table();
    if (c_.table_items != before && on_items_changed) on_items_changed();
}

void TForm_biao::BitBtn3Click() {
    const QString mode = modes_.choose(QString::fromStdString(c_.table_record_mode), false);
    if (mode.toStdString() == c_.table_record_mode) return;
    c_.table_record_mode = mode.toStdString();
    if (on_items_changed) on_items_changed();
}

void TForm_biao::BitBtn4Click() { record_row(); }

void TForm_biao::BitBtn5Click() { clear_table(); }

void TForm_biao::BitBtn6Click() {
    QMenu menu(this);
    menu.addAction(QStringLiteral("保存为 CSV 文件…"), this, [this] {
        const QString path =
            choose_csv_file(suggest_export_file(QStringLiteral("真值表"), QStringLiteral("csv")));
        if (!path.isEmpty()) export_csv(path);
    });
    menu.addAction(QStringLiteral("复制到剪贴板"), this, &TForm_biao::copy_to_clipboard);
    QPushButton* button = Panel1->buttons[5];
    menu.exec(button->mapToGlobal(QPoint(0, button->height())));
}

void TForm_biao::BitBtn7Click() { close(); }

bool TForm_biao::export_csv(const QString& path) {
    // Written whole or not at all: a half-written table would pass for a short one.
    std::string why;
    if (!write_output(QFile::encodeName(path).toStdString(), table_.csv(), SpecialFiles::write_into, why)) {
        show_message(this, QStringLiteral("无法写入“%1”：%2。").arg(path, QString::fromStdString(why)), MessageKind::error);
        return false;
    }
    return true;
}

void TForm_biao::copy_to_clipboard() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(table_.tsv()));
}

}  // namespace vorlisk
