// Drawing settings: the looks of the canvas, wires, junctions, test points
// and the eight component categories. The reset gives them the defaults
// below; the circuit file stores them; placement copies a category's look
// into each new component.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorlisk {

// Order is the order of the category records in the circuit file.
enum class Category : int8_t {
    gates = 0,      // "门器件"
    flip_flops,     // "触发器"
    combinational,  // "组合逻辑器件"
    sequential,     // "时序逻辑器件"
    sources,        // "信号源"
    hardware,       // "硬件接口器件"
    leds,           // "发光二极管"
    displays,       // "数码管"
};
constexpr int kCategoryCount = 8;

struct CategoryStyle {
    int32_t border_color = 0;
    int32_t border_width = 2;  // 1 thin, 2 thick
    int32_t fill_color = 0xececec;
    int32_t font_color = 0;
    bool font_bold = true;
    bool operator==(const CategoryStyle&) const = default;
};

struct DrawSettings {
    int32_t back_color = 0xffffff;  // canvas background
    int32_t grid_color = 0xdedede;
    bool show_grid = true;
    int32_t wire_color = 0;         // wires and pin strokes; not stored in files
    int32_t wire_width = 2;         // 1 thin, 2 thick
    int32_t junction_color = 0;     // junctions and the Vcc/Gnd dots
    int32_t junction_size = 3;      // radius 2, 3 or 4
    int32_t test_point_ring_color = 0xff0000;
    int32_t test_point_fill_color = 0x00ffff;
    int32_t test_point_font_color = 0x800000;
    bool test_point_font_bold = true;
    std::array<CategoryStyle, kCategoryCount> category{};
    int32_t led_on_color = 0x0000ff;
    int32_t led_off_color = 0x808080;
    int32_t seg_on_color = 0x0000ff;
    int32_t seg_off_color = 0xc8c8c8;

    CategoryStyle& of(Category k) { return category[static_cast<int>(k)]; }
    const CategoryStyle& of(Category k) const { return category[static_cast<int>(k)]; }
    bool operator==(const DrawSettings&) const = default;
};

// The values of a new circuit and of program start.
DrawSettings reset_draw_settings();
// The values of the dialog's "默认设置" button: as the reset, but the
// hardware-interface and display labels are bold.
DrawSettings default_button_draw_settings();

// Dialog group caption of a category ("门器件", ...).
std::string_view category_caption(Category k);

// Category of a component for restyling, decided from its kind by the
// ordered word tests; Vcc, Gnd and unknown kinds have none.
std::optional<Category> category_of_kind(std::string_view kind);

}  // namespace vorlisk
