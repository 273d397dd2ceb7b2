// "真值表": the truth-table window. Shows the recorder's table as a grid
// (header row of labels, column 0 numbering the rows, 50-pixel columns, the empty
// last row that receives the next recording) with the side panel of
// commands. The run pass records into it through TForm1::deal_biao_data.
#pragma once

#include <QWidget>
#include <functional>

#include "instruments/truth_table.h"

class QTableView;

namespace vorlisk {

class InstrumentPanel;
class TForm_b_t_list;
class TForm_jilu_type;
class TruthTableModel;

class TForm_biao : public QWidget {
    Q_OBJECT
public:
    TForm_biao(Circuit& circuit, TForm_b_t_list& items, TForm_jilu_type& modes, QWidget* parent = nullptr);
    ~TForm_biao() override;

    TruthTable& table() { return table_; }

    void clear_table();
    void record_row();
    void set_default_items();
    // Rows were recorded behind the grid's back (the run pass): the grid
    // catches up once the current pass has let events through.
    void rows_changed();

    void FormShow();
    void BitBtn1Click();  // 默认设置
    void BitBtn2Click();  // 记录项设置
    void BitBtn3Click();  // 记录方式设置
    void BitBtn4Click();  // 手动记录
    void BitBtn5Click();  // 清除
    void BitBtn6Click();  // 导出
    void BitBtn7Click();  // 关闭
    // The two exports behind "导出".
    bool export_csv(const QString& path);
    void copy_to_clipboard();

    // Text of grid cell (row, column) as shown: row 0 the header, column 0
    // the row's number (none on the header and the empty last row).
    QString cell_text(int row, int column) const;
    int grid_rows() const;     // header, recorded rows and the empty last row
    int grid_columns() const;  // column 0 and one per slot up to the last used

    // Told when the user changed the circuit's slots or mode.
    std::function<void()> on_items_changed;
    // Showing wrote default items (or the recording mode) into the circuit:
    // not an edit of the user's, so no undo step.
    std::function<void()> on_shown_items;
    // The file name an export is first offered under (`stem` when the
    // circuit has no file); the main window gives its own rule.
    std::function<QString(const QString& stem, const QString& suffix)> suggest_export_file;
    // Asks for the CSV file name; tests replace it.
    std::function<QString(const QString& suggestion)> choose_csv_file;

    QTableView* StringGrid1;
    InstrumentPanel* Panel1;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void sync_grid();

    Circuit& c_;
    TForm_b_t_list& items_;
    TForm_jilu_type& modes_;
    TruthTable table_;
    TruthTableModel* model_;
    bool sync_pending_ = false;
};

}  // namespace vorlisk
