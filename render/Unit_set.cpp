#include "render/Unit_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/circuit.h"
#include "render/colour_swatch.h"
#include "model/restyle.h"

namespace vorlisk {

namespace {

QComboBox* choice(QWidget* parent, std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    for (const char* s : items) box->addItem(QString::fromUtf8(s));
    return box;
}

// A list index from a stored value, kept inside the list.
void pick(QComboBox* box, int index) { box->setCurrentIndex(std::clamp(index, 0, box->count() - 1)); }

}  // namespace

TForm_set::TForm_set(Circuit& circuit, QWidget* parent) : QDialog(parent), c_(circuit) {
    setWindowTitle(QStringLiteral("绘图设置"));
    setModal(true);

    auto group = [this](const QString& title, QFormLayout*& form) {
        auto* g = new QGroupBox(title, this);
        form = new QFormLayout(g);
        form->setLabelAlignment(Qt::AlignRight);
        return g;
    };
    auto swatch = [this](QFormLayout* form, const char* caption) {
        auto* s = new ColourSwatch(this);
        form->addRow(QString::fromUtf8(caption), s);
        return s;
    };

    QFormLayout* f = nullptr;
    auto* grid = new QGridLayout;
    int cell = 0;
    auto place = [&](QGroupBox* g) {
        grid->addWidget(g, cell / 4, cell % 4);
        ++cell;
    };

    QGroupBox* area = group(QStringLiteral("实验区"), f);
    back_color = swatch(f, "背景颜色:");
    grid_color = swatch(f, "网格颜色:");
    show_grid = new QCheckBox(this);
    f->addRow(QStringLiteral("显示网格:"), show_grid);
    place(area);

    QGroupBox* wire = group(QStringLiteral("导线"), f);
    wire_color = swatch(f, "导线颜色:");
    wire_width = choice(this, {"细", "粗"});
    f->addRow(QStringLiteral("导线粗细:"), wire_width);
    place(wire);

    QGroupBox* junction = group(QStringLiteral("焊接点"), f);
    junction_color = swatch(f, "焊点颜色:");
    junction_size = choice(this, {"细", "粗1", "粗2"});
    f->addRow(QStringLiteral("焊点粗细:"), junction_size);
    place(junction);

    QGroupBox* tp = group(QStringLiteral("检测点"), f);
    test_point_ring = swatch(f, "圆环颜色:");
    test_point_fill = swatch(f, "填充颜色:");
    test_point_font = swatch(f, "字体颜色:");
    test_point_bold = choice(this, {"细", "粗"});
    f->addRow(QStringLiteral("字体粗细:"), test_point_bold);
    place(tp);

    for (int k = 0; k < kCategoryCount; ++k) {
        const auto cat = static_cast<Category>(k);
        const std::string_view caption = category_caption(cat);
        CategoryControls& cc = categories[k];
        cc.group = group(QString::fromUtf8(caption.data(), qsizetype(caption.size())), f);
        cc.border = swatch(f, "边框颜色:");
        cc.fill = swatch(f, "填充颜色:");
        cc.font = swatch(f, "字体颜色:");
        cc.bold = choice(this, {"细", "粗"});
        f->addRow(QStringLiteral("字体粗细:"), cc.bold);
        cc.width = choice(this, {"细", "粗"});
        f->addRow(QStringLiteral("边框宽度:"), cc.width);
        if (cat == Category::leds || cat == Category::displays) {
            cc.lit = swatch(f, "发光颜色:");
            cc.unlit = swatch(f, "无光颜色:");
        }
        place(cc.group);
    }

    BitBtn1 = new QPushButton(QStringLiteral("默认设置"), this);
    BitBtn2 = new QPushButton(QStringLiteral("确定"), this);
    BitBtn3 = new QPushButton(QStringLiteral("取消"), this);
    BitBtn2->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm_set::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm_set::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm_set::BitBtn3Click);
}

void TForm_set::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_set::FormShow() { show_settings(c_.draw); }

void TForm_set::show_settings(const DrawSettings& d) {
    back_color->set_colour(d.back_color);
    grid_color->set_colour(d.grid_color);
    show_grid->setChecked(d.show_grid);
    wire_color->set_colour(d.wire_color);
    pick(wire_width, d.wire_width - 1);
    junction_color->set_colour(d.junction_color);
    pick(junction_size, d.junction_size - 2);
    test_point_ring->set_colour(d.test_point_ring_color);
    test_point_fill->set_colour(d.test_point_fill_color);
    test_point_font->set_colour(d.test_point_font_color);
    pick(test_point_bold, d.test_point_font_bold ? 1 : 0);
    for (int k = 0; k < kCategoryCount; ++k) {
        const CategoryStyle& s = d.category[k];
        CategoryControls& cc = categories[k];
        cc.border->set_colour(s.border_color);
        cc.fill->set_colour(s.fill_color);
        cc.font->set_colour(s.font_color);
        pick(cc.bold, s.font_bold ? 1 : 0);
        pick(cc.width, s.border_width - 1);
    }
    categories[int(Category::leds)].lit->set_colour(d.led_on_color);
    categories[int(Category::leds)].unlit->set_colour(d.led_off_color);
    categories[int(Category::displays)].lit->set_colour(d.seg_on_color);
    categories[int(Category::displays)].unlit->set_colour(d.seg_off_color);
}

DrawSettings TForm_set::settings_in_controls() const {
    DrawSettings d = c_.draw;
    d.back_color = back_color->colour();
    d.grid_color = grid_color->colour();
    d.show_grid = show_grid->isChecked();
    d.wire_color = wire_color->colour();
    d.wire_width = wire_width->currentIndex() + 1;
    d.junction_color = junction_color->colour();
    d.junction_size = junction_size->currentIndex() + 2;
    d.test_point_ring_color = test_point_ring->colour();
    d.test_point_fill_color = test_point_fill->colour();
    d.test_point_font_color = test_point_font->colour();
    d.test_point_font_bold = test_point_bold->currentIndex() == 1;
    for (int k = 0; k < kCategoryCount; ++k) {
        const CategoryControls& cc = categories[k];
        CategoryStyle& s = d.category[k];
        s.border_color = cc.border->colour();
        s.fill_color = cc.fill->colour();
        s.font_color = cc.font->colour();
        s.font_bold = cc.bold->currentIndex() == 1;
        s.border_width = cc.width->currentIndex() + 1;
    }
    d.led_on_color = categories[int(Category::leds)].lit->colour();
    d.led_off_color = categories[int(Category::leds)].unlit->colour();
    d.seg_on_color = categories[int(Category::displays)].lit->colour();
    d.seg_off_color = categories[int(Category::displays)].unlit->colour();
    return d;
}

void TForm_set::BitBtn1Click() { show_settings(default_button_draw_settings()); }

void TForm_set::BitBtn2Click() {
    c_.modified = true;
    c_.draw = settings_in_controls();
    restyle_components(c_);
    accept();
}

void TForm_set::BitBtn3Click() { reject(); }

}  // namespace vorlisk
