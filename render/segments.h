// The seven-segment pattern as data: the strokes of each segment relative to
// the display's anchor (the segments each digit lights: engine/indicators.h).
#pragma once

#include <array>
#include <cstdint>

#include "engine/indicators.h"

namespace vorlisk {

struct SegmentStroke {
    int8_t x1, y1, x2, y2;  // a 1-pixel line from (x1, y1) up to, not including, (x2, y2)
};

struct SegmentShape {
    char name;  // 'a' .. 'g'
    std::array<SegmentStroke, 5> strokes;
};

// Segments a..g; each bevelled so neighbouring segments meet at a point.
inline constexpr std::array<SegmentShape, 7> kSegmentShapes = {{
    {'a', {{{-11, -21, 12, -21}, {-10, -20, 11, -20}, {-9, -19, 10, -19}, {-8, -18, 9, -18}, {-7, -17, 8, -17}}}},
    {'b', {{{12, -19, 12, 0}, {11, -18, 11, -1}, {10, -17, 10, -2}, {9, -16, 9, -3}, {8, -15, 8, -4}}}},
    {'c', {{{12, 19, 12, 0}, {11, 18, 11, 1}, {10, 17, 10, 2}, {9, 16, 9, 3}, {8, 15, 8, 4}}}},
    {'d', {{{-11, 21, 12, 21}, {-10, 20, 11, 20}, {-9, 19, 10, 19}, {-8, 18, 9, 18}, {-7, 17, 8, 17}}}},
    {'e', {{{-12, 19, -12, 0}, {-11, 18, -11, 1}, {-10, 17, -10, 2}, {-9, 16, -9, 3}, {-8, 15, -8, 4}}}},
    {'f', {{{-12, -19, -12, 0}, {-11, -18, -11, -1}, {-10, -17, -10, -2}, {-9, -16, -9, -3}, {-8, -15, -8, -4}}}},
    {'g', {{{-10, 0, 11, 0}, {-9, -1, 10, -1}, {-8, -2, 9, -2}, {-9, 1, 10, 1}, {-8, 2, 9, 2}}}},
}};

// The decimal point of the plain display: a filled box relative to the anchor.
inline constexpr int kPointLeft = 18, kPointTop = 17, kPointRight = 23, kPointBottom = 22;

}  // namespace vorlisk
