#include "chips/forms/Unit_creat_chip.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

#include "app/message_box.h"
#include "editor/chip_pages.h"
#include "render/canvas.h"

namespace vorlisk {

namespace {

// 宋体 where the machine has it, else a Chinese face that is there.
QFont song_font(int pixels, bool bold = false) {
    QFont f;
    f.setFamilies({"宋体", "SimSun", "NSimSun", "AR PL UMing CN", "WenQuanYi Micro Hei"});
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// Shows the items whose type or function holds the text typed so far.
void filter_list(QListWidget* list, const QString& typed) {
    const std::string wanted = typed.toStdString();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setHidden(!chip_entry_matches(list->item(i)->text().toStdString(), wanted));
}

void tint(QWidget* w, int32_t bgr) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, to_qcolor(bgr));
    w->setPalette(p);
}

// One page: the type edit over the list, both tinted.
QWidget* build_page(const ChipPage& page, QLineEdit*& edit, QListWidget*& list) {
    auto* sheet = new QWidget;
    edit = new QLineEdit(sheet);
    edit->setGeometry(1, 4, 298, 22);
    edit->setFont(song_font(14, true));
    tint(edit, page.colour);
    list = new QListWidget(sheet);
    list->setGeometry(1, 30, 298, 175);
    list->setUniformItemSizes(true);
    tint(list, page.colour);
    for (const char* type : page.types) {
        auto* item = new QListWidgetItem(QString::fromStdString(chip_entry_text(type)), list);
        item->setData(Qt::UserRole, QString::fromUtf8(type));  // what the edit box takes
        item->setSizeHint(QSize(0, 17));
    }
    return sheet;
}

}  // namespace

TForm_creat_chip::TForm_creat_chip(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("集成芯片"));
    setModal(true);
    setFont(song_font(12));
    setFixedSize(392, 236);

    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(0, 1, 309, 233);
    TabSheet1 = build_page(chip_page(0), Edit1, ListBox1);
    TabSheet2 = build_page(chip_page(1), Edit2, ListBox2);
    PageControl1->addTab(TabSheet1, QString::fromUtf8(chip_page(0).caption));
    PageControl1->addTab(TabSheet2, QString::fromUtf8(chip_page(1).caption));

    BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn1->setGeometry(314, 20, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setGeometry(314, 48, 75, 25);

    PageControl1->setObjectName("PageControl1");
    Edit1->setObjectName("Edit1");
    ListBox1->setObjectName("ListBox1");
    Edit2->setObjectName("Edit2");
    ListBox2->setObjectName("ListBox2");
    BitBtn1->setObjectName("BitBtn1");
    BitBtn2->setObjectName("BitBtn2");

    FormCreate();

    // A click, also on the item already chosen, or a key moving the choice
    // copies the type into the edit; a double click takes it at once.
    connect(ListBox1, &QListWidget::itemClicked, this, &TForm_creat_chip::ListBox1Click);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm_creat_chip::ListBox1Click);
    connect(ListBox2, &QListWidget::itemClicked, this, &TForm_creat_chip::ListBox2Click);
    connect(ListBox2, &QListWidget::currentRowChanged, this, &TForm_creat_chip::ListBox2Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm_creat_chip::BitBtn1Click);
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, &TForm_creat_chip::BitBtn1Click);
    // Typing narrows the list; a type copied in from the list leaves it whole.
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& t) { filter_list(ListBox1, t); });
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& t) { filter_list(ListBox2, t); });
    connect(BitBtn1, &QPushButton::clicked, this, &TForm_creat_chip::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_creat_chip::BitBtn2Click);
}

void TForm_creat_chip::FormCreate() {
    ListBox1->setCurrentRow(0);
    ListBox2->setCurrentRow(0);
    Edit1->setText(ListBox1->item(0)->data(Qt::UserRole).toString());
    Edit2->setText(ListBox2->item(0)->data(Qt::UserRole).toString());
}

void TForm_creat_chip::ListBox1Click() {
    if (QListWidgetItem* item = ListBox1->currentItem()) Edit1->setText(item->data(Qt::UserRole).toString());
}

void TForm_creat_chip::ListBox2Click() {
    if (QListWidgetItem* item = ListBox2->currentItem()) Edit2->setText(item->data(Qt::UserRole).toString());
}

std::string TForm_creat_chip::choose(int page) {
    PageControl1->setCurrentIndex(page == 1 ? 1 : 0);
    chosen_kind.clear();
    filter_list(ListBox1, {});
    filter_list(ListBox2, {});
    // Typing replaces the shown type; Enter takes it.
    QLineEdit* edit = page == 1 ? Edit2 : Edit1;
    edit->selectAll();
    edit->setFocus();
    exec();
    return chosen_kind;
}

void TForm_creat_chip::BitBtn1Click() {
    const int page = PageControl1->currentIndex();
    if (page != 0 && page != 1) return;
    QLineEdit* edit = page == 0 ? Edit1 : Edit2;
    std::string kind;
    if (const auto refusal = chip_kind_for(page, edit->text().toStdString(), kind)) {
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        edit->selectAll();
        edit->setFocus();
        return;
    }
    chosen_kind = kind;
    accept();
}

void TForm_creat_chip::BitBtn2Click() {
    chosen_kind.clear();
    reject();
}

}  // namespace vorlisk
