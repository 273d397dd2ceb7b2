// "注释设置": the text, colours, frame and font of an annotation, for a new
// one and for Properties. On OK the annotation's size is measured in the
// font the canvas draws it with.
#pragma once

#include <QDialog>

#include "model/records.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace vorlisk {

struct Circuit;
class ColourSwatch;

class TForm_zhu_shi_s : public QDialog {
    Q_OBJECT
public:
    explicit TForm_zhu_shi_s(QWidget* parent = nullptr);

    // Shows the draft's lines, colours, flags and font modally; on OK writes
    // them back with the measured width and height (name, kind and position
    // stay). Returns whether OK was pressed. A new annotation starts from a
    // default ZHU_SHI_S (no text, Arial 16 bold navy, white background not
    // shown, navy frame not shown).
    bool edit(ZHU_SHI_S& draft);
    // Properties of annotation a: edits a copy and gives the annotation the
    // result on OK (its position stays). Returns whether OK was pressed.
    bool edit(Circuit& c, int a);

    void FormShow();
    void font_button_clicked();          // opens the font dialog on the current font
    void font_chosen(const QFont& font); // what the font dialog chose
    void ok_clicked();                   // 确定: refuses an annotation without text
    void cancel_clicked();               // 取消

    // The text box's lines as the annotation keeps them: a line break at
    // the very end starts no further line.
    std::vector<std::string> lines() const;

    bool confirmed = false;  // set only by 确定

    QPlainTextEdit* text_box;   // the annotation's text, both scroll bars
    ColourSwatch* back_swatch;  // "背景色:"
    QCheckBox* show_back;       // "显示背景:" (an opaque background)
    ColourSwatch* frame_swatch; // "边框色:"
    QCheckBox* show_frame;      // "显示边框:"
    QPushButton* font_button;   // "选择字体"
    ColourSwatch* font_swatch;  // "字体颜色:", the colour the font dialog here has no field for
    QPushButton* ok_button;     // "确定"
    QPushButton* cancel_button; // "取消"

protected:
    void showEvent(QShowEvent* e) override;

private:
    void show_font();
    ZHU_SHI_S font_;  // its font fields are the font chosen so far
};

}  // namespace vorlisk
