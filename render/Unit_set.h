// "绘图设置": the colours and widths of the canvas, wires, junctions, test
// points and the eight component categories. OK stores them and gives every
// existing component its category's new look; the caller redraws.
#pragma once

#include <QDialog>
#include <array>

#include "model/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace vorlisk {

struct Circuit;
class ColourSwatch;

class TForm_set : public QDialog {
    Q_OBJECT
public:
    TForm_set(Circuit& circuit, QWidget* parent = nullptr);

    void FormShow();      // controls from the current settings
    void BitBtn1Click();  // 默认设置: controls from the defaults, nothing applied
    void BitBtn2Click();  // 确定
    void BitBtn3Click();  // 取消

    // What the controls hold, and showing settings in them.
    DrawSettings settings_in_controls() const;
    void show_settings(const DrawSettings& d);

    ColourSwatch* back_color;
    ColourSwatch* grid_color;
    QCheckBox* show_grid;
    ColourSwatch* wire_color;
    QComboBox* wire_width;  // 细 = 1, 粗 = 2
    ColourSwatch* junction_color;
    QComboBox* junction_size;  // 细 = 2, 粗1 = 3, 粗2 = 4
    ColourSwatch* test_point_ring;
    ColourSwatch* test_point_fill;
    ColourSwatch* test_point_font;
    QComboBox* test_point_bold;

    struct CategoryControls {
        QGroupBox* group = nullptr;
        ColourSwatch* border = nullptr;
        ColourSwatch* fill = nullptr;
        ColourSwatch* font = nullptr;
        QComboBox* bold = nullptr;   // 细 = false, 粗 = true
        QComboBox* width = nullptr;  // 细 = 1, 粗 = 2
        ColourSwatch* lit = nullptr;    // LEDs and displays only
        ColourSwatch* unlit = nullptr;
    };
    std::array<CategoryControls, kCategoryCount> categories;

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Circuit& c_;
};

}  // namespace vorlisk
