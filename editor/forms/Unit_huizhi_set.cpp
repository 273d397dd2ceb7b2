#include "editor/forms/Unit_huizhi_set.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "editor/kind_words.h"
#include "model/circuit.h"
#include "model/edit.h"
#include "render/colour_swatch.h"

namespace vorlisk {

namespace {

// Rows inside the group box, one every kRowPitch pixels from kFirstRow.
constexpr int kFirstRow = 14;
constexpr int kRowPitch = 23;
constexpr int kCaptionX = 12;
constexpr int kControlX = 82;
constexpr int kBoxWidth = 170;
constexpr int kMargin = 8;
constexpr int kButtonX = kMargin + kBoxWidth + 10;

QComboBox* thin_thick(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->addItems({QStringLiteral("细"), QStringLiteral("粗")});
    return box;
}

}  // namespace

TForm_huizhi_set::TForm_huizhi_set(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("绘制设置"));
    setModal(true);
    group_box = new QGroupBox(this);
    border_swatch = new ColourSwatch(group_box);
    fill_swatch = new ColourSwatch(group_box);
    font_swatch = new ColourSwatch(group_box);
    font_weight = thin_thick(group_box);
    border_width = thin_thick(group_box);
    lit_swatch = new ColourSwatch(group_box);
    unlit_swatch = new ColourSwatch(group_box);
    font_weight->setObjectName("font_weight");
    border_width->setObjectName("border_width");

    struct Row {
        const char* caption;
        QWidget* control;
        QLabel** caption_out;
    };
    const Row rows[] = {
        {"边框颜色:", border_swatch, nullptr}, {"填充颜色:", fill_swatch, nullptr},
        {"字体颜色:", font_swatch, nullptr},   {"字体粗细:", font_weight, nullptr},
        {"边框宽度:", border_width, nullptr},  {"发光颜色:", lit_swatch, &lit_caption_},
        {"无光颜色:", unlit_swatch, &unlit_caption_},
    };
    int y = kFirstRow;
    for (const Row& r : rows) {
        auto* caption = new QLabel(QString::fromUtf8(r.caption), group_box);
        caption->setGeometry(kCaptionX, y, kControlX - kCaptionX, 21);
        caption->setBuddy(r.control);
        if (qobject_cast<QComboBox*>(r.control)) r.control->setGeometry(kControlX, y, 76, 21);
        else r.control->move(kControlX, y);
        if (r.caption_out) *r.caption_out = caption;
        y += kRowPitch;
    }

    ok_button = new QPushButton(QStringLiteral("确定"), this);
    cancel_button = new QPushButton(QStringLiteral("取消"), this);
    ok_button->setGeometry(kButtonX, kMargin + 6, 75, 25);
    cancel_button->setGeometry(kButtonX, kMargin + 36, 75, 25);
    ok_button->setDefault(true);
    ok_button->setObjectName("ok_button");
    cancel_button->setObjectName("cancel_button");

    set_long_form(false);

    connect(ok_button, &QPushButton::clicked, this, &TForm_huizhi_set::ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &TForm_huizhi_set::cancel_clicked);
}

void TForm_huizhi_set::set_long_form(bool on) {
    if (on == long_form_) return;
    long_form_ = on;
    const int box = on ? kLongBoxHeight : kShortBoxHeight;
    group_box->setGeometry(kMargin, kMargin / 2, kBoxWidth, box);
    for (QWidget* w : {static_cast<QWidget*>(lit_swatch), static_cast<QWidget*>(unlit_swatch),
                       static_cast<QWidget*>(lit_caption_), static_cast<QWidget*>(unlit_caption_)})
        w->setVisible(on);
    setFixedSize(kButtonX + 75 + kMargin, box + kMargin);
}

void TForm_huizhi_set::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_huizhi_set::FormShow() {
    confirmed = false;
    ok_button->setFocus();
}

bool TForm_huizhi_set::edit(Circuit& c) {
    // The first selected component with a look of its own shows its look.
    for (const std::string& name : c.selection) {
        const int i = has_own_look(name) ? find_object(c, name) : -1;
        if (i < 0) continue;
        const MY_BASE_OBJ& o = c.objects[i];
        border_swatch->set_colour(o.border_color);
        fill_swatch->set_colour(o.fill_color);
        font_swatch->set_colour(o.font_color);
        font_weight->setCurrentIndex(o.font_bold ? 1 : 0);
        border_width->setCurrentIndex(std::clamp<int>(o.border_width - 1, 0, 1));
        break;
    }
    bool lamps = false;
    for (const std::string& name : c.selection) {
        const int i = is_lamp(name) ? find_object(c, name) : -1;
        if (i < 0) continue;
        lit_swatch->set_colour(c.objects[i].param_int[0]);
        unlit_swatch->set_colour(c.objects[i].param_int[1]);
        lamps = true;
        break;
    }
    set_long_form(lamps);
    exec();
    if (!confirmed) return false;

    ComponentLook look;
    look.border_color = border_swatch->colour();
    look.fill_color = fill_swatch->colour();
    look.font_color = font_swatch->colour();
    look.font_bold = font_weight->currentIndex() == 1;
    look.border_width = int16_t(std::max(0, border_width->currentIndex()) + 1);
    const std::vector<std::string> names = c.selection;  // apply to what was selected when OK was pressed
    for (const std::string& name : names) {
        const int i = has_own_look(name) ? find_object(c, name) : -1;
        if (i < 0) continue;
        set_component_look(c, i, look);
        if (is_lamp(name)) set_lamp_colours(c, i, lit_swatch->colour(), unlit_swatch->colour());
    }
    return true;
}

void TForm_huizhi_set::ok_clicked() {
    confirmed = true;
    accept();
}

void TForm_huizhi_set::cancel_clicked() { reject(); }

}  // namespace vorlisk
