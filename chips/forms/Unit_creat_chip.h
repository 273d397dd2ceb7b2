// "集成芯片": the chooser of the chip type the chip tool places next. One
// page lists combinational types, the other sequential ones; the edit box
// above each list holds the type that OK takes, typed freely or copied from
// the list, and keeps it between uses.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace vorlisk {

class TForm_creat_chip : public QDialog {
    Q_OBJECT
public:
    explicit TForm_creat_chip(QWidget* parent = nullptr);

    // Makes page 0 ("组合逻辑芯片") or 1 ("时序逻辑芯片") active, shows the
    // dialog modally and returns the kind OK built, or "" when cancelled.
    std::string choose(int page);

    void FormCreate();
    void ListBox1Click();
    void ListBox2Click();
    void BitBtn1Click();  // 确定
    void BitBtn2Click();  // 取消

    std::string chosen_kind;  // what the last OK built; empty after Cancel

    QTabWidget* PageControl1;  // the two pages
    QWidget* TabSheet1;        // "组合逻辑芯片"
    QLineEdit* Edit1;          // combinational type taken by OK
    QListWidget* ListBox1;     // combinational types
    QWidget* TabSheet2;        // "时序逻辑芯片"
    QLineEdit* Edit2;          // sequential type taken by OK
    QListWidget* ListBox2;     // sequential types
    QPushButton* BitBtn1;      // "确定"
    QPushButton* BitBtn2;      // "取消"
};

}  // namespace vorlisk
