// Decoders, the priority encoder, the data selectors and the comparator.
// They hold nothing between passes except the seven-segment decoders, which
// keep their outputs while a zero is ripple-blanked (see seven_segment).
#include <array>
#include <cstdint>
#include <span>

#include "chips/chip_models.h"

namespace vorlisk {
namespace {

// Binary code of a group of inputs, least significant pin first.
int code_of(const ChipPins& p, std::span<const uint8_t> lsb_first) {
    int n = 0;
    for (size_t i = 0; i < lsb_first.size(); ++i)
        if (p.high(lsb_first[i])) n |= 1 << i;
    return n;
}

// An active-low input is asserted unless it reads high.
bool asserted_low(const ChipPins& p, int pin) { return !p.high(pin); }

// ---- seven-segment decoders -------------------------------------------------

// Lit segments a b c d e f g by code; the six has no tail (segment a) and
// the nine none either (segment d), on every decoder type.
constexpr std::array<const char*, 16> kSegmentPattern = {
    "1111110", "0110000", "1101101", "1111001", "0110011", "1011011", "0011111", "1110000",
    "1111111", "1110011", "0001101", "0111001", "0100011", "1001011", "0001111", "0000000",
};

struct SegmentDecoder {
    std::array<uint8_t, 4> code;      // A B C D
    uint8_t lt, bi, rbi;              // active low; 0: the package has none
    std::array<uint8_t, 7> segments;  // a b c d e f g
    bool active_high;                 // a lit segment drives H
};

constexpr SegmentDecoder k74LS47{{7, 1, 2, 6}, 3, 4, 5, {13, 12, 11, 10, 9, 15, 14}, false};
constexpr SegmentDecoder k74LS48{{7, 1, 2, 6}, 3, 4, 5, {13, 12, 11, 10, 9, 15, 14}, true};
constexpr SegmentDecoder k74LS49{{5, 1, 2, 4}, 0, 3, 0, {11, 10, 9, 8, 6, 13, 12}, true};

void drive_segments(ChipPins& p, const SegmentDecoder& d, const char* lit) {
    for (size_t s = 0; s < d.segments.size(); ++s)
        p.drive(d.segments[s], (lit[s] == '1') == d.active_high);
}

void seven_segment(ChipPins& p, const SegmentDecoder& d) {
    if (asserted_low(p, d.bi)) {
        drive_segments(p, d, kSegmentPattern[15]);  // all dark
        return;
    }
    if (d.lt && asserted_low(p, d.lt)) {
        drive_segments(p, d, kSegmentPattern[8]);  // all lit
        return;
    }
    int n = code_of(p, d.code);
    // A blanked zero leaves the outputs as they were: there is no ripple
    // blanking output, and the display keeps the previous digit.
    if (n == 0 && d.rbi && asserted_low(p, d.rbi)) return;
    drive_segments(p, d, kSegmentPattern[n]);
}

// ---- selectors ----------------------------------------------------------------

struct Section153 {
    uint8_t strobe;
    std::array<uint8_t, 4> data;  // C0..C3
    uint8_t out;
};
constexpr std::array<Section153, 2> k153Sections = {{{1, {6, 5, 4, 3}, 7}, {15, {10, 11, 12, 13}, 9}}};

struct Section157 {
    uint8_t a, b, out;
};
constexpr std::array<Section157, 4> k157Sections = {{{2, 3, 4}, {5, 6, 7}, {11, 10, 9}, {14, 13, 12}}};

}  // namespace

void chip_74ls42(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 4> kCode = {15, 14, 13, 12};
    static constexpr std::array<uint8_t, 10> kOutputs = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11};
    int n = code_of(p, kCode);  // 10..15 select no output
    for (int k = 0; k < 10; ++k) p.drive(kOutputs[k], k != n);
}

void chip_74ls47(ChipPins& p, const ChipRow&) { seven_segment(p, k74LS47); }
void chip_74ls48(ChipPins& p, const ChipRow&) { seven_segment(p, k74LS48); }
void chip_74ls49(ChipPins& p, const ChipRow&) { seven_segment(p, k74LS49); }

void chip_74ls85(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 4> kA = {10, 12, 13, 15};  // A0..A3
    static constexpr std::array<uint8_t, 4> kB = {9, 11, 14, 1};    // B0..B3
    constexpr int kLess = 2, kEqual = 3, kGreater = 4;              // cascade inputs
    constexpr int kOutGreater = 5, kOutEqual = 6, kOutLess = 7;
    bool greater = false, equal = false, less = false;
    int bit = 3;
    for (; bit >= 0; --bit) {
        bool a = p.high(kA[bit]), b = p.high(kB[bit]);
        if (a != b) {
            greater = a;
            less = b;
            break;
        }
    }
    if (bit < 0) {
        bool gt = p.high(kGreater), lt = p.high(kLess);
        if (p.high(kEqual)) {
            equal = true;
        } else if (gt != lt) {
            greater = gt;
            less = lt;
        } else if (!gt) {
            greater = less = true;  // no cascade input asserted
        }  // both asserted: all three outputs stay low
    }
    p.drive(kOutGreater, greater);
    p.drive(kOutEqual, equal);
    p.drive(kOutLess, less);
}

void chip_74ls138(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 3> kSelect = {1, 2, 3};
    static constexpr std::array<uint8_t, 8> kOutputs = {15, 14, 13, 12, 11, 10, 9, 7};
    bool enabled = asserted_low(p, 4) && asserted_low(p, 5) && p.high(6);
    int n = enabled ? code_of(p, kSelect) : -1;
    for (int k = 0; k < 8; ++k) p.drive(kOutputs[k], k != n);
}

void chip_74ls148(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 8> kInputs = {10, 11, 12, 13, 1, 2, 3, 4};  // I0..I7
    constexpr int kEnable = 5, kA2 = 6, kA1 = 7, kA0 = 9, kGroup = 14, kEnableOut = 15;
    if (!asserted_low(p, kEnable)) {
        for (int pin : {kA2, kA1, kA0, kGroup, kEnableOut}) p.drive(pin, true);
        return;
    }
    int i = 7;
    while (i >= 0 && !asserted_low(p, kInputs[i])) --i;
    if (i < 0) {  // no request
        for (int pin : {kA2, kA1, kA0, kGroup}) p.drive(pin, true);
        p.drive(kEnableOut, false);
        return;
    }
    p.drive(kA2, !(i & 4));
    p.drive(kA1, !(i & 2));
    p.drive(kA0, !(i & 1));
    p.drive(kGroup, false);
    p.drive(kEnableOut, true);
}

void chip_74ls151(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 8> kData = {4, 3, 2, 1, 15, 14, 13, 12};  // D0..D7
    static constexpr std::array<uint8_t, 3> kSelect = {11, 10, 9};
    constexpr int kStrobe = 7, kY = 5, kW = 6;
    if (!asserted_low(p, kStrobe)) {
        p.drive(kY, false);
        p.drive(kW, true);
        return;
    }
    int d = kData[code_of(p, kSelect)];
    p.pass(kY, d);
    p.pass_inverted(kW, d);
}

void chip_74ls153(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 2> kSelect = {14, 2};
    int n = code_of(p, kSelect);
    for (const Section153& s : k153Sections) {
        if (asserted_low(p, s.strobe))
            p.pass(s.out, s.data[n]);
        else
            p.drive(s.out, false);
    }
}

void chip_74ls157(ChipPins& p, const ChipRow&) {
    constexpr int kSelect = 1, kStrobe = 15;
    bool enabled = asserted_low(p, kStrobe);
    bool take_b = p.high(kSelect);
    for (const Section157& s : k157Sections) {
        if (enabled)
            p.pass(s.out, take_b ? s.b : s.a);
        else
            p.drive(s.out, false);
    }
}

// 4-bit binary full adder: Σ4..Σ1 and C4 from A + B + C0.
void chip_74ls83(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 4> kA = {10, 8, 3, 1};    // A1..A4
    static constexpr std::array<uint8_t, 4> kB = {11, 7, 4, 16};   // B1..B4
    static constexpr std::array<uint8_t, 4> kSum = {9, 6, 2, 15};  // Σ1..Σ4
    constexpr int kC0 = 13, kC4 = 14;
    const int sum = code_of(p, kA) + code_of(p, kB) + (p.high(kC0) ? 1 : 0);
    for (int bit = 0; bit < 4; ++bit) p.drive(kSum[bit], (sum >> bit) & 1);
    p.drive(kC4, sum > 15);
}

// Dual 2-to-4 decoder, active-low outputs, common select B A. Section 1
// is enabled by /1G low and 1C high (1C is the demultiplexer's data),
// section 2 by /2G and /2C both low; a disabled section drives all H.
void chip_74ls155(ChipPins& p, const ChipRow&) {
    static constexpr std::array<uint8_t, 2> kSelect = {13, 3};  // A, B
    static constexpr std::array<uint8_t, 4> kY1 = {7, 6, 5, 4};
    static constexpr std::array<uint8_t, 4> kY2 = {9, 10, 11, 12};
    const int n = code_of(p, kSelect);
    const bool on1 = asserted_low(p, 2) && p.high(1);
    const bool on2 = asserted_low(p, 14) && asserted_low(p, 15);
    for (int k = 0; k < 4; ++k) {
        p.drive(kY1[k], !(on1 && k == n));
        p.drive(kY2[k], !(on2 && k == n));
    }
}

// Quad bus buffer: Y = A while C is high. A disabled buffer drives L, as
// a disabled 74LS373 does, since no output floats.
void chip_74ls126(ChipPins& p, const ChipRow&) {
    struct Buffer {
        uint8_t c, a, y;
    };
    static constexpr std::array<Buffer, 4> kBuffers = {{{1, 2, 3}, {4, 5, 6}, {10, 9, 8}, {13, 12, 11}}};
    for (const Buffer& b : kBuffers) p.drive(b.y, p.high(b.c) && p.high(b.a));
}

}  // namespace vorlisk
