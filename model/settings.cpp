#include "model/settings.h"

#include "model/circuit.h"

namespace vorlisk {

DrawSettings reset_draw_settings() {
    DrawSettings d;
    auto set = [&](Category k, int32_t fill, bool bold) { d.of(k) = {0, 2, fill, 0, bold}; };
    set(Category::gates, 0xececec, true);
    set(Category::flip_flops, 0xffff78, true);
    set(Category::combinational, 0x78ffff, true);
    set(Category::sequential, 0x78ff78, true);
    set(Category::sources, 0xececec, true);
    set(Category::hardware, 0xececec, false);
    set(Category::leds, 0xececec, true);
    set(Category::displays, 0xececec, false);
    return d;
}

DrawSettings default_button_draw_settings() {
    DrawSettings d = reset_draw_settings();
    d.of(Category::hardware).font_bold = true;
    d.of(Category::displays).font_bold = true;
    return d;
}

std::string_view category_caption(Category k) {
    static constexpr std::string_view captions[kCategoryCount] = {
        "门器件", "触发器", "组合逻辑器件", "时序逻辑器件", "信号源", "硬件接口器件", "发光二极管", "数码管"};
    return captions[static_cast<int>(k)];
}

std::optional<Category> category_of_kind(std::string_view kind) {
    if (contains(kind, "门") && !contains(kind, "触发器")) return Category::gates;
    if (contains(kind, "触发器")) return Category::flip_flops;
    if (contains(kind, "组合") || contains(kind, "加器")) return Category::combinational;
    if (contains(kind, "时序")) return Category::sequential;
    if (contains(kind, "脉冲") || contains(kind, "电平控制器")) return Category::sources;
    if (kind == "信号输入器件" || kind == "信号输出器件") return Category::hardware;
    if (contains(kind, "发光二极管")) return Category::leds;
    if (contains(kind, "数码管")) return Category::displays;
    return std::nullopt;
}

}  // namespace vorlisk
