// Decoders, encoder, selectors, comparator and seven-segment decoders,
// driven pin by pin, plus each type once in a wired circuit.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/chip_harness.h"

namespace vorlisk::test {
namespace {

std::string repeat(char ch, int n) { return std::string(size_t(n), ch); }

// ---- 74LS42 -------------------------------------------------------------------------

// Columns: code D C B A, outputs 0..9 (pins 1 2 3 4 5 6 7 9 10 11).
struct Bcd42Row {
    int code;
    const char* outputs;
};
constexpr Bcd42Row k42Rows[] = {
    {0, "LHHHHHHHHH"},  {1, "HLHHHHHHHH"},  {2, "HHLHHHHHHH"},  {3, "HHHLHHHHHH"},
    {4, "HHHHLHHHHH"},  {5, "HHHHHLHHHH"},  {6, "HHHHHHLHHH"},  {7, "HHHHHHHLHH"},
    {8, "HHHHHHHHLH"},  {9, "HHHHHHHHHL"},  {10, "HHHHHHHHHH"}, {11, "HHHHHHHHHH"},
    {12, "HHHHHHHHHH"}, {13, "HHHHHHHHHH"}, {14, "HHHHHHHHHH"}, {15, "HHHHHHHHHH"},
};

TEST(Chip74LS42, DecodesEveryCode) {
    ChipBench b("74LS42");
    for (const Bcd42Row& r : k42Rows) {
        b.set_code({15, 14, 13, 12}, r.code);
        b.eval();
        EXPECT_EQ(b.levels({1, 2, 3, 4, 5, 6, 7, 9, 10, 11}), r.outputs) << "code " << r.code;
    }
}

// ---- 74LS138 ------------------------------------------------------------------------

// Columns: G1, G2A, G2B (enable levels).
struct Enable138 {
    bool g1, g2a, g2b;
};
constexpr Enable138 kDisabled138[] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1},
                                      {1, 1, 0}, {1, 0, 1}, {1, 1, 1}};
// Outputs Y0..Y7 (pins 15 14 13 12 11 10 9 7) for select codes 0..7, enabled.
constexpr const char* k138Enabled[] = {"LHHHHHHH", "HLHHHHHH", "HHLHHHHH", "HHHLHHHH",
                                       "HHHHLHHH", "HHHHHLHH", "HHHHHHLH", "HHHHHHHL"};

TEST(Chip74LS138, EverySelectCodeUnderEveryEnableCase) {
    ChipBench b("74LS138");
    for (int n = 0; n < 8; ++n) {
        b.set_code({1, 2, 3}, n);
        b.set(6, true), b.set(4, false), b.set(5, false);
        b.eval();
        EXPECT_EQ(b.levels({15, 14, 13, 12, 11, 10, 9, 7}), k138Enabled[n]) << "code " << n;
        for (const Enable138& e : kDisabled138) {
            b.set(6, e.g1), b.set(4, e.g2a), b.set(5, e.g2b);
            b.eval();
            EXPECT_EQ(b.levels({15, 14, 13, 12, 11, 10, 9, 7}), "HHHHHHHH")
                << "code " << n << " G1 G2A G2B " << e.g1 << e.g2a << e.g2b;
        }
    }
}

// ---- 74LS148 ------------------------------------------------------------------------

constexpr std::array<int, 8> k148Inputs = {10, 11, 12, 13, 1, 2, 3, 4};  // I0..I7

// Columns: EI, inputs I7..I0 ('0' low), outputs A2 A1 A0 GS EO.
struct Encoder148Row {
    bool ei;
    const char* inputs;
    const char* outputs;
};
constexpr Encoder148Row k148Rows[] = {
    {1, "11111111", "HHHHH"}, {1, "00000000", "HHHHH"}, {0, "11111111", "HHHHL"},
    {0, "01111111", "LLLLH"}, {0, "10111111", "LLHLH"}, {0, "11011111", "LHLLH"},
    {0, "11101111", "LHHLH"}, {0, "11110111", "HLLLH"}, {0, "11111011", "HLHLH"},
    {0, "11111101", "HHLLH"}, {0, "11111110", "HHHLH"}, {0, "11010111", "LHLLH"},
    {0, "00000000", "LLLLH"},
};

void set_148(ChipBench& b, bool ei, const char* i7_to_i0) {
    b.set(5, ei);
    for (int i = 0; i < 8; ++i) b.set(k148Inputs[size_t(i)], i7_to_i0[7 - i] == '1');
}

TEST(Chip74LS148, EncodesTheHighestRequest) {
    ChipBench b("74LS148");
    for (const Encoder148Row& r : k148Rows) {
        set_148(b, r.ei, r.inputs);
        b.eval();
        EXPECT_EQ(b.levels({6, 7, 9, 14, 15}), r.outputs) << "EI " << r.ei << " I7..I0 " << r.inputs;
    }
}

TEST(Chip74LS148, LowerRequestsNeverChangeTheCode) {
    ChipBench b("74LS148");
    for (int top = 0; top < 8; ++top) {
        std::string single(8, '1');
        single[size_t(7 - top)] = '0';
        set_148(b, false, single.c_str());
        b.eval();
        const std::string expected = b.levels({6, 7, 9, 14, 15});
        for (int lower = 0; lower < (1 << top); ++lower) {
            std::string in = single;
            for (int i = 0; i < top; ++i) in[size_t(7 - i)] = (lower >> i) & 1 ? '1' : '0';
            set_148(b, false, in.c_str());
            b.eval();
            EXPECT_EQ(b.levels({6, 7, 9, 14, 15}), expected) << in;
        }
    }
}

// ---- selectors --------------------------------------------------------------------------

constexpr std::array<int, 8> k151Data = {4, 3, 2, 1, 15, 14, 13, 12};  // D0..D7

// The selected input alone differs from the rest, in both directions, so a
// wrong pick shows; Y copies the voltage exactly (0 V included).
TEST(Chip74LS151, SelectsEachDataInputAndPassesItsVoltage) {
    ChipBench b("74LS151");
    constexpr float kVolts[] = {kHigh, kLow, 0.0f};
    constexpr const char* kYW[] = {"HL", "LH", "0H"};  // columns: Y, W per voltage
    for (int n = 0; n < 8; ++n) {
        for (int v = 0; v < 3; ++v) {
            for (int pin : k151Data) b.set_volts(pin, v == 0 ? kLow : kHigh);
            b.set_volts(k151Data[size_t(n)], kVolts[v]);
            b.set_code({11, 10, 9}, n);
            b.set(7, false);
            b.eval();
            EXPECT_EQ(b.levels({5, 6}), kYW[v]) << "code " << n << " voltage " << kVolts[v];
            b.set(7, true);
            b.eval();
            EXPECT_EQ(b.levels({5, 6}), "LH") << "strobe high, code " << n;
        }
    }
}

// Columns: strobe pin, data C0..C3 pins, output pin.
struct Section153 {
    int strobe;
    std::array<int, 4> data;
    int out;
};
constexpr Section153 k153[] = {{1, {6, 5, 4, 3}, 7}, {15, {10, 11, 12, 13}, 9}};

TEST(Chip74LS153, EachSectionSelectsByTheCommonCodeUnderItsStrobe) {
    ChipBench b("74LS153");
    for (int n = 0; n < 4; ++n) {
        for (size_t s = 0; s < 2; ++s) {
            const Section153& me = k153[s];
            const Section153& other = k153[1 - s];
            for (int pin : me.data) b.set(pin, false);
            for (int pin : other.data) b.set(pin, true);
            b.set(me.data[size_t(n)], true);
            b.set(other.data[size_t(n)], false);
            b.set_code({14, 2}, n);
            b.set(me.strobe, false), b.set(other.strobe, false);
            b.eval();
            EXPECT_EQ(level_char(b.out(me.out)), 'H') << "section " << s << " code " << n;
            EXPECT_EQ(level_char(b.out(other.out)), 'L') << "section " << 1 - s << " code " << n;
            b.set(me.strobe, true);
            b.eval();
            EXPECT_EQ(level_char(b.out(me.out)), 'L') << "strobed off, section " << s;
            EXPECT_EQ(level_char(b.out(other.out)), 'L');
        }
    }
    // Both strobes high: low at both outputs whatever the data.
    for (int pin : {6, 5, 4, 3, 10, 11, 12, 13}) b.set(pin, true);
    b.set(1, true), b.set(15, true);
    b.eval();
    EXPECT_EQ(b.levels({7, 9}), "LL");
}

// Columns: G, S, data voltage pattern on A inputs / B inputs, outputs 4 7 9 12.
TEST(Chip74LS157, RoutesAOrBInputsUnderTheStrobe) {
    ChipBench b("74LS157");
    const std::array<int, 4> a = {2, 5, 11, 14}, bb = {3, 6, 10, 13};
    // A inputs 1 0 1 0 (the last at 0 V), B inputs 0 1 0 1.
    b.set(a[0], true), b.set(a[1], false), b.set(a[2], true), b.set_volts(a[3], 0.0f);
    b.set(bb[0], false), b.set(bb[1], true), b.set(bb[2], false), b.set(bb[3], true);
    struct Row {
        bool g, s;
        const char* outputs;
    };
    constexpr Row rows[] = {{0, 0, "HLH0"}, {0, 1, "LHLH"}, {1, 0, "LLLL"}, {1, 1, "LLLL"}};
    for (const Row& r : rows) {
        b.set(15, r.g), b.set(1, r.s);
        b.eval();
        EXPECT_EQ(b.levels({4, 7, 9, 12}), r.outputs) << "G " << r.g << " S " << r.s;
    }
}

// ---- 74LS85 -------------------------------------------------------------------------

void set_85(ChipBench& b, int a, int bv, bool lt, bool eq, bool gt) {
    b.set_code({10, 12, 13, 15}, a);
    b.set_code({9, 11, 14, 1}, bv);
    b.set(2, lt), b.set(3, eq), b.set(4, gt);
}

// Unequal words decide alone, whatever the cascade inputs.
TEST(Chip74LS85, ComparesEveryPairOfWords) {
    ChipBench b("74LS85");
    for (int a = 0; a < 16; ++a)
        for (int bv = 0; bv < 16; ++bv) {
            if (a == bv) continue;
            for (int cascade = 0; cascade < 8; ++cascade) {
                set_85(b, a, bv, cascade & 1, cascade & 2, cascade & 4);
                b.eval();
                EXPECT_EQ(b.levels({5, 6, 7}), a > bv ? "HLL" : "LLH") << a << " vs " << bv << " cascade " << cascade;
            }
        }
}

// Columns: IA<B, IA=B, IA>B, outputs OA>B OA=B OA<B, for equal words.
struct Cascade85Row {
    bool lt, eq, gt;
    const char* outputs;
};
constexpr Cascade85Row k85Cascade[] = {
    {0, 1, 0, "LHL"}, {1, 1, 1, "LHL"}, {0, 1, 1, "LHL"}, {1, 1, 0, "LHL"},
    {0, 0, 1, "HLL"}, {1, 0, 0, "LLH"}, {1, 0, 1, "LLL"}, {0, 0, 0, "HLH"},
};

TEST(Chip74LS85, EqualWordsFollowTheCascadeInputs) {
    ChipBench b("74LS85");
    for (int word : {0, 9, 15}) {
        for (const Cascade85Row& r : k85Cascade) {
            set_85(b, word, word, r.lt, r.eq, r.gt);
            b.eval();
            EXPECT_EQ(b.levels({5, 6, 7}), r.outputs) << "word " << word << " cascade " << r.lt << r.eq << r.gt;
        }
    }
}

TEST(Chip74LS85, ZeroVoltsAndLowAreTheSameLevel) {
    ChipBench b("74LS85");
    set_85(b, 5, 5, false, true, false);
    b.set_volts(12, 0.0f);  // A1 at 0 V against B1 at 0.5 V
    b.set_volts(1, 0.0f);   // B3 at 0 V against A3 at 0.5 V
    b.eval();
    EXPECT_EQ(b.levels({5, 6, 7}), "LHL");
}

// ---- seven-segment decoders --------------------------------------------------------------

// Lit segments a..g by code.
constexpr const char* kLit[16] = {
    "1111110", "0110000", "1101101", "1111001", "0110011", "1011011", "0011111", "1110000",
    "1111111", "1110011", "0001101", "0111001", "0100011", "1001011", "0001111", "0000000",
};

std::string segments(const char* lit, bool active_high) {
    std::string s;
    for (const char* p = lit; *p; ++p) s += (*p == '1') == active_high ? 'H' : 'L';
    return s;
}

constexpr auto kSeg16 = {13, 12, 11, 10, 9, 15, 14};  // a..g of the 16-pin decoders

// Columns: type, segment outputs active high.
struct SegmentType {
    const char* type;
    bool active_high;
};
constexpr SegmentType kSegTypes[] = {
    {"74LS47", false}, {"74LS48", true}, {"74LS248", true}, {"74LS249", true}};

void set_seg(ChipBench& b, int code, bool lt, bool bi, bool rbi) {
    b.set_code({7, 1, 2, 6}, code);
    b.set(3, lt), b.set(4, bi), b.set(5, rbi);
}

TEST(SevenSegment, EveryCodeWithRippleBlankingOff) {
    for (const SegmentType& t : kSegTypes) {
        ChipBench b(t.type);
        for (int n = 0; n < 16; ++n) {
            set_seg(b, n, true, true, true);
            b.eval();
            EXPECT_EQ(b.levels(kSeg16), segments(kLit[n], t.active_high)) << t.type << " code " << n;
        }
    }
}

// Columns: LT, BI, RBI, then whether all segments are dark, all lit, or the
// code's pattern (code 0 held when RBI is low).
TEST(SevenSegment, LampTestBlankingAndRippleBlanking) {
    for (const SegmentType& t : kSegTypes) {
        ChipBench b(t.type);
        const std::string dark = segments(kLit[15], t.active_high), lit = segments(kLit[8], t.active_high);
        for (int n = 0; n < 16; ++n) {
            for (int lt = 0; lt < 2; ++lt)
                for (int rbi = 0; rbi < 2; ++rbi) {
                    set_seg(b, n, lt, false, rbi);
                    b.eval();
                    EXPECT_EQ(b.levels(kSeg16), dark) << t.type << " BI low, code " << n;
                    set_seg(b, n, false, true, rbi);
                    b.eval();
                    EXPECT_EQ(b.levels(kSeg16), lit) << t.type << " LT low, code " << n;
                }
            set_seg(b, n, true, true, false);
            b.eval();
            // A ripple-blanked zero keeps whatever was there: here the lamp test.
            EXPECT_EQ(b.levels(kSeg16), n == 0 ? lit : segments(kLit[n], t.active_high))
                << t.type << " RBI low, code " << n;
        }
    }
}

TEST(SevenSegment, RippleBlankedZeroKeepsThePreviousDigit) {
    ChipBench b("74LS47");
    set_seg(b, 0, true, true, false);
    b.eval();
    EXPECT_EQ(b.levels(kSeg16), repeat('L', 7)) << "held since Stop";
    for (int n : {9, 0}) {
        set_seg(b, n, true, true, false);
        b.eval();
        EXPECT_EQ(b.levels(kSeg16), segments(kLit[9], false)) << "code " << n;
    }
    set_seg(b, 1, true, true, false);
    b.eval();
    EXPECT_EQ(b.levels(kSeg16), segments(kLit[1], false));
}

TEST(Chip74LS49, EveryCodeAndBlanking) {
    ChipBench b("74LS49");
    const auto seg = {11, 10, 9, 8, 6, 13, 12};
    for (int n = 0; n < 16; ++n) {
        b.set_code({5, 1, 2, 4}, n);
        b.set(3, true);
        b.eval();
        EXPECT_EQ(b.levels(seg), segments(kLit[n], true)) << "code " << n;
        b.set(3, false);
        b.eval();
        EXPECT_EQ(b.levels(seg), repeat('L', 7)) << "blanked, code " << n;
    }
}

// ---- in a wired circuit -------------------------------------------------------------------

// Columns: type, input pins switched high (the others low), output pins
// read, their expected levels.
struct WiredRow {
    const char* type;
    std::vector<int> high_inputs;
    std::vector<int> outputs;
    const char* expected;
};

TEST(CombinationalChipsWired, EachTypeComputesThroughItsPins) {
    const WiredRow rows[] = {
        {"74LS42", {15, 13}, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}, "HHHHHLHHHH"},
        {"74LS138", {6, 1, 3}, {15, 14, 13, 12, 11, 10, 9, 7}, "HHHHHLHH"},
        {"74LS148", {10, 11, 12, 1, 3, 4}, {6, 7, 9, 14, 15}, "LHLLH"},
        {"74LS151", {9, 10, 13}, {5, 6}, "HL"},
        {"74LS153", {14, 5, 15}, {7, 9}, "HL"},
        {"74LS157", {1, 3, 13}, {4, 7, 9, 12}, "H00H"},  // a low net reads 0 V
        {"74LS85", {15, 12, 1, 9}, {5, 6, 7}, "HLL"},
        {"74LS47", {3, 4, 5, 7, 1}, {13, 12, 11, 10, 9, 15, 14}, "LLLLHHL"},
        {"74LS48", {3, 4, 5, 6}, {13, 12, 11, 10, 9, 15, 14}, "HHHHHHH"},
        {"74LS248", {3, 4, 5, 1, 2}, {13, 12, 11, 10, 9, 15, 14}, "LLHHHHH"},
        {"74LS249", {3, 5, 6, 7}, {13, 12, 11, 10, 9, 15, 14}, "LLLLLLL"},
        {"74LS49", {3, 5, 4}, {11, 10, 9, 8, 6, 13, 12}, "HHHLLHH"},
    };
    for (const WiredRow& r : rows) {
        WiredChip w(r.type);
        for (int pin : r.high_inputs) w.set(pin, true);
        w.run(4);
        std::string got;
        for (int pin : r.outputs) got += level_char(w.out(pin));
        EXPECT_EQ(got, r.expected) << r.type;
    }
}

}  // namespace
}  // namespace vorlisk::test
