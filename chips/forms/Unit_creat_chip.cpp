#include "chips/forms/Unit_creat_chip.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

#include "app/message_box.h"
#include "chips/chip_table.h"
#include "render/canvas.h"

namespace vorlisk {

namespace {

// The two pages of the chooser: caption, the word the kind carries between
// "集成芯片" and the type, the background of the edit and list (0x00BBGGRR),
// and the types listed, in list order, each shown with its function from
// the chip table. The buffers 74LS126 and the Schmitt NAND 74LS132 keep no
// state: they are listed with the combinational types. Any modelled type
// may also be typed into either page's edit box; the category word follows
// the page, not the type.
struct ChipPage {
    const char* caption;
    const char* category;
    int32_t colour;
    std::vector<const char*> types;
};

const ChipPage kChipPages[2] = {
    {"组合逻辑芯片", "组合逻辑", 0xC8FFFF,  // light yellow
     {"74LS00", "74LS01", "74LS02", "74LS04", "74LS05", "74LS08", "74LS09", "74LS10", "74LS11", "74LS12",
      "74LS15", "74LS20", "74LS22", "74LS27", "74LS30", "74LS32", "74LS40", "74LS42", "74LS47", "74LS48",
      "74LS49", "74LS51", "74LS54", "74LS55", "74LS64", "74LS83", "74LS85", "74LS86", "74LS126", "74LS132",
      "74LS133", "74LS136", "74LS138", "74LS148", "74LS151", "74LS153", "74LS155", "74LS156", "74LS157",
      "74LS249", "74LS260", "74LS248", "CD4001", "CD4011", "CD4012", "CD4030", "CD4069", "CD4070", "CD4071",
      "CD4081", "CD4082", "CD40106"}},
    {"时序逻辑芯片", "时序逻辑", 0xC8FFC8,  // light green
     {"74LS74", "74LS75", "74LS76", "74LS90", "74LS93", "74LS109", "74LS112", "74LS121", "74LS122",
      "74LS123", "74LS160", "74LS161", "74LS162", "74LS163", "74LS174", "74LS175", "74LS190", "74LS192",
      "74LS193", "74LS194", "74LS221", "74LS273", "74LS290", "74LS293", "74LS373"}},
};

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
    const QString wanted = typed.trimmed();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setHidden(!list->item(i)->text().contains(wanted, Qt::CaseInsensitive));
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
        const std::string_view function = chip_function(type);
        QString text = QString::fromUtf8(type);
        if (!function.empty()) text += ' ' + QString::fromUtf8(function.data(), qsizetype(function.size()));
        auto* item = new QListWidgetItem(text, list);
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
    TabSheet1 = build_page(kChipPages[0], Edit1, ListBox1);
    TabSheet2 = build_page(kChipPages[1], Edit2, ListBox2);
    PageControl1->addTab(TabSheet1, QString::fromUtf8(kChipPages[0].caption));
    PageControl1->addTab(TabSheet2, QString::fromUtf8(kChipPages[1].caption));

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
    // The typed text is taken as it stands, but only a type the chip
    // library models: anything else would place a dead box without pins.
    QLineEdit* edit = page == 0 ? Edit1 : Edit2;
    const std::string type = edit->text().toStdString();
    if (!find_chip_row(type)) {
        show_message(this, QStringLiteral("没有芯片型号“%1”：请从列表中选择，或输入列表中的型号。").arg(edit->text()),
                     MessageKind::warning);
        edit->selectAll();
        edit->setFocus();
        return;
    }
    chosen_kind = std::string("集成芯片") + kChipPages[page].category + "(" + type + ")";
    accept();
}

void TForm_creat_chip::BitBtn2Click() {
    chosen_kind.clear();
    reject();
}

}  // namespace vorlisk
