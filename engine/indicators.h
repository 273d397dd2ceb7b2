// What the indicators show, decoded from their inputs as the canvas draws
// them: an LED is lit or dark, a display lights a set of segments. Shared by
// the drawers and by the command-line runner, so a reading printed for a
// teacher is what the student saw.
#pragma once

#include <array>
#include <cstdint>

#include "model/records.h"

namespace vorlisk {

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

// An LED (either kind) is lit while its input 0 is above 2.0 V.
bool led_lit(const MY_BASE_OBJ& o);

// Segments a display lights from its inputs, bit k for segment k (a .. g,
// h = the point at bit 7). The segment display "数码管" lights a segment
// whose input truncates to 3 V or more; the BCD displays decode inputs 0..3
// (weights 1, 2, 4, 8) through kBcdSegments and show nothing when an input
// sits exactly at 2.0 V.
unsigned lit_segments(const MY_BASE_OBJ& o);

}  // namespace vorlisk
