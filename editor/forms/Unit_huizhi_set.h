// "绘制设置": the border, fill and font looks of the selected components,
// and the lit and unlit colours when LEDs or displays are among them (the
// long form, with two more rows).
#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vorlisk {

struct Circuit;
class ColourSwatch;

class TForm_huizhi_set : public QDialog {
    Q_OBJECT
public:
    explicit TForm_huizhi_set(QWidget* parent = nullptr);

    static constexpr int kShortBoxHeight = 128;
    static constexpr int kLongBoxHeight = 174;

    // Presets the controls from the first selected component with a look of
    // its own (and the lamp colours from the first selected LED or display,
    // showing the long form then), shows the dialog modally, and on OK gives
    // every selected component with a look of its own the chosen look, and
    // every selected LED and display the chosen lamp colours. Returns
    // whether OK was pressed.
    bool edit(Circuit& c);

    void FormShow();
    void ok_clicked();      // 确定
    void cancel_clicked();  // 取消
    // The long form shows the lamp colour rows.
    void set_long_form(bool on);
    bool long_form() const { return long_form_; }

    bool confirmed = false;  // set only by 确定

    QGroupBox* group_box;         // frames the rows; 128 pixels high, 174 in the long form
    ColourSwatch* border_swatch;  // "边框颜色:"
    ColourSwatch* fill_swatch;    // "填充颜色:"
    ColourSwatch* font_swatch;    // "字体颜色:"
    QComboBox* font_weight;       // "字体粗细:" 细 (regular), 粗 (bold)
    QComboBox* border_width;      // "边框宽度:" 细 (1 pixel), 粗 (2 pixels)
    ColourSwatch* lit_swatch;     // "发光颜色:" (long form)
    ColourSwatch* unlit_swatch;   // "无光颜色:" (long form)
    QPushButton* ok_button;       // "确定"
    QPushButton* cancel_button;   // "取消"

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLabel* lit_caption_;
    QLabel* unlit_caption_;
    bool long_form_ = true;
};

}  // namespace vorlisk
