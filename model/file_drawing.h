// The drawing values a circuit file holds, each with the range its dialog
// offers or the canvas can show. The loader puts the reset value in place
// of a value outside it and names its line: none of them changes what a
// circuit computes, so the file opens all the same, while a value far out
// (a wire 30000 pixels wide) would make every repaint take minutes and the
// picture's bounds overflow.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorlisk {

enum class DrawingValue : uint8_t {
    wire_width,     // settings: the pen of wires and pin strokes
    junction_size,  // settings: the junctions' radius
    border_width,   // the eight categories and every component
    line_width,     // a component's symbol lines
    outline,        // a component's body and outline rectangles, from its origin
    label_offset,   // a test point's label, from the test point
    note_size,      // an annotation's width and height
    font_height,    // an annotation's font: pixels (negative: character height)
    font_size,      // its points, used where the height is 0
};

struct DrawingRange {
    DrawingValue value;
    std::string_view what;  // how a message names it
    int32_t low, high;      // the values accepted, both included
    // What takes the place of a value outside. For the three values that
    // derive from the record (outline, label offset, note size) the loader
    // gives what placement, a new test point and the annotation dialog
    // would: see `derived`.
    int32_t reset;
    bool derived;
};

// The font dialog offers 1 to 512 points; at 96 pixels to the inch that is
// 683 pixels. Files written on Windows may hold a cell height, positive.
inline constexpr int32_t kLargestFontPoints = 512;
inline constexpr int32_t kLargestFontPixels = 683;

inline constexpr DrawingRange kDrawingRanges[] = {
    // value                        what            low      high       reset derived
    {DrawingValue::wire_width,    "导线粗细",       1,       2,         2,    false},  // 绘图设置: 细, 粗
    {DrawingValue::junction_size, "焊点粗细",       2,       4,         3,    false},  // 细, 粗1, 粗2
    {DrawingValue::border_width,  "边框宽度",       1,       2,         2,    false},  // 绘图设置, 绘制设置: 细, 粗
    {DrawingValue::line_width,    "符号线条宽度",   1,       2,         2,    false},  // placement: 1 or the border width
    // Offsets from a position reach as far as positions do (16 bits).
    {DrawingValue::outline,       "元件外框",       -32768,  32767,     0,    true},
    {DrawingValue::label_offset,  "检测点标签位置", -32768,  32767,     0,    true},
    // The dialog measures at most 256 lines of 512 characters at 683 pixels.
    {DrawingValue::note_size,     "注释大小",       0,       1 << 20,   0,    true},
    {DrawingValue::font_height,   "注释字体高度",   -kLargestFontPixels, kLargestFontPixels, -16, false},
    {DrawingValue::font_size,     "注释字号",       -kLargestFontPoints, kLargestFontPoints, 12, false},
};

struct ZHU_SHI_S;
// The note size's derived value: the width and height of the annotation's
// text lines in its font, within the note size's range.
void measure_annotation(ZHU_SHI_S& a);

constexpr const DrawingRange& drawing_range(DrawingValue v) {
    for (const DrawingRange& r : kDrawingRanges)
        if (r.value == v) return r;
    return kDrawingRanges[0];
}

constexpr bool drawing_value_ok(DrawingValue v, int64_t value) {
    const DrawingRange& r = drawing_range(v);
    return value >= r.low && value <= r.high;
}

}  // namespace vorlisk
