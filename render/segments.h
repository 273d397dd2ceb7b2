// The seven-segment pattern as data: the strokes of each segment relative to
// the display's anchor, and the segments a BCD digit lights.
#pragma once

#include <array>
#include <cstdint>

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

// Lit segments of BCD digits 0..15, bit k for segment k (a = bit 0).
inline constexpr std::array<uint8_t, 16> kBcdSegments = {
    0x3f,  // 0: a b c d e f
    0x06,  // 1: b c
    0x5b,  // 2: a b d e g
    0x4f,  // 3: a b c d g
    0x66,  // 4: b c f g
    0x6d,  // 5: a c d f g
    0x7c,  // 6: c d e f g
    0x07,  // 7: a b c
    0x7f,  // 8: all seven
    0x67,  // 9: a b c f g
    0x58,  // 10: d e g
    0x4c,  // 11: c d g
    0x62,  // 12: b f g
    0x69,  // 13: a d f g
    0x78,  // 14: d e f g
    0x00,  // 15: blank
};

}  // namespace vorlisk
