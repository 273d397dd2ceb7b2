#include "editor/forms/Unit_zhu_shi_s.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/message_box.h"
#include "editor/dialog_checks.h"
#include "model/circuit.h"
#include "model/circuit_file.h"
#include "model/edit.h"
#include "render/colour_swatch.h"
#include "render/drawers.h"
#include "render/qt_surface.h"

namespace vorlisk {

namespace {

// A check box with its caption before the box, as "显示背景:" reads.
QCheckBox* caption_first_check(const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

constexpr double kScreenDpi = 96.0;  // the circuit's fonts count 96 pixels to the inch

}  // namespace

TForm_zhu_shi_s::TForm_zhu_shi_s(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("注释设置"));
    setModal(true);
    text_box = new QPlainTextEdit(this);
    text_box->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_box->setMinimumSize(360, 150);
    back_swatch = new ColourSwatch(this);
    show_back = caption_first_check(QStringLiteral("显示背景:"), this);
    frame_swatch = new ColourSwatch(this);
    show_frame = caption_first_check(QStringLiteral("显示边框:"), this);
    font_button = new QPushButton(QStringLiteral("选择字体"), this);
    font_swatch = new ColourSwatch(this);
    ok_button = new QPushButton(QStringLiteral("确定"), this);
    cancel_button = new QPushButton(QStringLiteral("取消"), this);
    text_box->setObjectName("text_box");
    show_back->setObjectName("show_back");
    show_frame->setObjectName("show_frame");
    ok_button->setObjectName("ok_button");
    cancel_button->setObjectName("cancel_button");
    // Enter in the text box starts a new line; OK is a click away.
    ok_button->setAutoDefault(false);
    cancel_button->setAutoDefault(false);
    font_button->setAutoDefault(false);

    auto* looks = new QGridLayout;
    looks->addWidget(new QLabel(QStringLiteral("背景色:"), this), 0, 0);
    looks->addWidget(back_swatch, 0, 1);
    looks->addWidget(show_back, 0, 3);
    looks->addWidget(new QLabel(QStringLiteral("边框色:"), this), 1, 0);
    looks->addWidget(frame_swatch, 1, 1);
    looks->addWidget(show_frame, 1, 3);
    looks->addWidget(new QLabel(QStringLiteral("字体颜色:"), this), 2, 0);
    looks->addWidget(font_swatch, 2, 1);
    looks->addWidget(font_button, 2, 3);
    looks->setColumnMinimumWidth(2, 24);
    looks->setColumnStretch(4, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_button);
    buttons->addWidget(cancel_button);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(looks, 1);
    bottom->addLayout(buttons);
    auto* top = new QVBoxLayout(this);
    top->addWidget(text_box, 1);
    top->addLayout(bottom);

    connect(font_button, &QPushButton::clicked, this, &TForm_zhu_shi_s::font_button_clicked);
    connect(font_swatch, &QPushButton::clicked, this, &TForm_zhu_shi_s::show_font);  // after the colour dialog
    connect(ok_button, &QPushButton::clicked, this, &TForm_zhu_shi_s::ok_clicked);
    connect(cancel_button, &QPushButton::clicked, this, &TForm_zhu_shi_s::cancel_clicked);
}

void TForm_zhu_shi_s::showEvent(QShowEvent* e) {
    FormShow();
    QDialog::showEvent(e);
}

void TForm_zhu_shi_s::FormShow() {
    confirmed = false;
    show_font();
    text_box->setFocus();
}

bool TForm_zhu_shi_s::edit(ZHU_SHI_S& draft) {
    QStringList text;
    for (const std::string& line : draft.text_lines) text << QString::fromStdString(line);
    text_box->setPlainText(text.join('\n'));
    back_swatch->set_colour(draft.back_color);
    show_back->setChecked(!draft.transparent);
    frame_swatch->set_colour(draft.frame_color);
    show_frame->setChecked(draft.framed);
    font_ = draft;
    font_swatch->set_colour(draft.font_color);
    exec();
    if (!confirmed) return false;

    draft.text_lines = lines();
    draft.back_color = back_swatch->colour();
    draft.transparent = !show_back->isChecked();
    draft.frame_color = frame_swatch->colour();
    draft.framed = show_frame->isChecked();
    draft.font_charset = font_.font_charset;
    draft.font_color = font_swatch->colour();
    draft.font_height = font_.font_height;
    draft.font_pitch = font_.font_pitch;
    draft.font_size = font_.font_size;
    draft.font_style = font_.font_style;
    draft.font_name = font_.font_name;
    // Measured in the very font the canvas draws the annotation with.
    const QFontMetrics metrics(qt_font(annotation_font(draft)));
    int widest = 0;
    for (const std::string& line : draft.text_lines)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    draft.width = widest;
    draft.height = int(double(draft.text_lines.size()) * std::abs(draft.font_height) * 1.1);
    return true;
}

bool TForm_zhu_shi_s::edit(Circuit& c, int a) {
    if (a < 0 || a >= c.annotation_count) return false;
    const std::string name = c.annotations[a].name;
    ZHU_SHI_S draft = c.annotations[a];
    if (!edit(draft)) return false;
    a = find_annotation(c, name);
    if (a < 0) return false;
    set_annotation_content(c, a, draft);
    return true;
}

std::vector<std::string> TForm_zhu_shi_s::lines() const {
    return annotation_lines(text_box->toPlainText().toStdString());
}

void TForm_zhu_shi_s::show_font() {
    font_.font_color = font_swatch->colour();
    text_box->setFont(qt_font(annotation_font(font_)));
    QPalette p = text_box->palette();
    p.setColor(QPalette::Text, to_qcolor(font_.font_color));
    text_box->setPalette(p);
}

void TForm_zhu_shi_s::font_button_clicked() {
    // The font dialog counts in points.
    QFont current = qt_font(annotation_font(font_));
    current.setPointSizeF(std::max(1, current.pixelSize()) * 72.0 / kScreenDpi);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this, QStringLiteral("字体"));
    if (ok) font_chosen(chosen);
}

void TForm_zhu_shi_s::font_chosen(const QFont& font) {
    // The face the record names stays when it is the one the dialog showed
    // for it (so "Arial" is not renamed after the face standing in for it).
    const QString shown_face = qt_font(annotation_font(font_)).families().value(0);
    if (font.family() != shown_face) font_.font_name = font.family().toStdString();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / kScreenDpi;
    font_.font_size = std::max(1, int(std::lround(points)));
    font_.font_height = -std::max(1, int(std::lround(points * kScreenDpi / 72.0)));
    font_.font_style = uint8_t((font.bold() ? kFontBold : 0) | (font.italic() ? kFontItalic : 0) |
                               (font.underline() ? kFontUnderline : 0) | (font.strikeOut() ? kFontStrikeOut : 0));
    show_font();
}

void TForm_zhu_shi_s::ok_clicked() {
    if (const auto refusal = check_annotation_lines(lines())) {
        show_message(this, QString::fromStdString(refusal->message), MessageKind::warning);
        text_box->setFocus();
        return;
    }
    confirmed = true;
    accept();
}

void TForm_zhu_shi_s::cancel_clicked() { reject(); }

}  // namespace vorlisk
