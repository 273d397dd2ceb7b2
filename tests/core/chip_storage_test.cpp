// Flip-flop, register and latch chips: step sequences on a lone chip, and
// each type once in a wired circuit.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/chip_harness.h"

namespace vorlisk::test {
namespace {

// ---- dual flip-flops ----------------------------------------------------------------

// Columns: type, clock edge rising, K input is K-bar, then per flip-flop
// the pins CLK PRE CLR J(D) K Q Q-bar (K 0 on the D flip-flop).
struct FlipFlopPins {
    int clk, pre, clr, j, k, q, qbar;
};
struct DualType {
    const char* type;
    bool rising;
    bool k_inverted;
    std::array<FlipFlopPins, 2> ff;
};
const DualType k74{"74LS74", true, false, {{{3, 4, 1, 2, 0, 5, 6}, {11, 10, 13, 12, 0, 9, 8}}}};
const DualType kJkTypes[] = {
    {"74LS76", false, false, {{{1, 2, 3, 4, 16, 15, 14}, {6, 7, 8, 9, 12, 11, 10}}}},
    {"74LS112", false, false, {{{1, 4, 15, 3, 2, 5, 6}, {13, 10, 14, 11, 12, 9, 7}}}},
    {"74LS109", true, true, {{{4, 5, 1, 2, 3, 6, 7}, {12, 11, 15, 14, 13, 10, 9}}}},
};

enum Clock { none, active, opposite };  // no transition, the counting edge, the other edge only

// Columns of a step: PRE, CLR, J (or D), K (logical K; K-bar pins get the
// complement), clock, then Q and Q-bar after the step.
struct FfStep {
    bool pre, clr, j, k;
    Clock clock;
    const char* q_qbar;
};

// Sets the levels, then moves the clock: the pre-edge level first, then the
// post-edge level, evaluating after each.
void apply(ChipBench& b, const DualType& t, const FlipFlopPins& f, const FfStep& s) {
    b.set(f.pre, s.pre), b.set(f.clr, s.clr), b.set(f.j, s.j);
    if (f.k) b.set(f.k, t.k_inverted ? !s.k : s.k);
    if (s.clock == none) return b.eval();
    bool before = t.rising == (s.clock == opposite);  // level the edge starts from
    b.step(f.clk, before);
    b.step(f.clk, !before);
}

std::string q_of(const ChipBench& b, const FlipFlopPins& f) { return b.levels({f.q, f.qbar}); }

const FfStep kDSteps[] = {
    {1, 1, 0, 0, none, "LH"},      // first powered pass: Q-bar from the stored 0
    {1, 1, 1, 0, active, "HL"},    // D taken on the edge
    {1, 1, 0, 0, none, "HL"},      // D falls without an edge
    {1, 1, 0, 0, opposite, "HL"},  // falling clock does nothing
    {1, 1, 0, 0, active, "LH"},
    {1, 1, 0, 0, opposite, "LH"},  // clock left low
    {1, 0, 1, 0, active, "LH"},    // edge during clear is used up
    {1, 1, 1, 0, none, "LH"},      // and not taken on release
    {0, 1, 0, 0, none, "HL"},      // preset
    {1, 0, 0, 0, none, "LH"},      // clear
    {0, 0, 0, 0, none, "HH"},      // both
    {1, 1, 0, 0, none, "HL"},      // released together: stores 1
    {0, 0, 0, 0, none, "HH"},
    {1, 0, 0, 0, none, "LH"},      // clear wins once preset is released
};

TEST(Chip74LS74, StepSequenceOnEachFlipFlop) {
    for (size_t i = 0; i < 2; ++i) {
        ChipBench b("74LS74");
        const FlipFlopPins& f = k74.ff[i];
        const FlipFlopPins& other = k74.ff[1 - i];
        b.set(other.pre, true), b.set(other.clr, true);
        int n = 0;
        for (const FfStep& s : kDSteps) {
            apply(b, k74, f, s);
            EXPECT_EQ(q_of(b, f), s.q_qbar) << "flip-flop " << i + 1 << " step " << n;
            EXPECT_EQ(q_of(b, other), "LH") << "the other flip-flop moved, step " << n;
            ++n;
        }
    }
}

TEST(Chip74LS74, PassesTheDataVoltageAndTakesAClockHighAtFirstPass) {
    ChipBench b("74LS74");
    b.set(1, true), b.set(4, true), b.set_volts(2, 0.0f), b.set(3, true);
    b.set(13, true), b.set(10, true), b.set(12, true), b.set(11, true);
    b.eval();
    EXPECT_EQ(b.levels({5, 6, 9, 8}), "0HHL");
}

const FfStep kJkSteps[] = {
    {1, 1, 0, 0, none, "LH"},
    {1, 1, 1, 0, active, "HL"},    // set
    {1, 1, 0, 0, active, "HL"},    // hold
    {1, 1, 0, 1, active, "LH"},    // reset
    {1, 1, 1, 1, active, "HL"},    // toggle
    {1, 1, 1, 1, active, "LH"},
    {1, 1, 1, 1, opposite, "LH"},  // the other edge never counts
    {1, 1, 1, 1, active, "HL"},
    {1, 1, 1, 1, opposite, "HL"},  // clock left at the level an edge starts from
    {1, 0, 1, 1, active, "LH"},    // edge during clear is used up
    {1, 1, 1, 1, none, "LH"},
    {0, 1, 0, 1, active, "HL"},    // preset beats the clocked reset
    {0, 0, 0, 0, none, "HH"},
    {1, 1, 0, 0, none, "HL"},      // released together: stores 1
    {1, 1, 1, 1, active, "LH"},
};

TEST(JkFlipFlopChips, StepSequenceOnEachFlipFlop) {
    for (const DualType& t : kJkTypes) {
        for (size_t i = 0; i < 2; ++i) {
            ChipBench b(t.type);
            const FlipFlopPins& f = t.ff[i];
            const FlipFlopPins& other = t.ff[1 - i];
            b.set(other.pre, true), b.set(other.clr, true);
            int n = 0;
            for (const FfStep& s : kJkSteps) {
                apply(b, t, f, s);
                EXPECT_EQ(q_of(b, f), s.q_qbar) << t.type << " flip-flop " << i + 1 << " step " << n;
                EXPECT_EQ(q_of(b, other), "LH") << t.type << " other flip-flop moved, step " << n;
                ++n;
            }
        }
    }
}

// ---- registers ---------------------------------------------------------------------

struct Bit {
    int d, q, qbar;  // qbar 0: none
};
// Columns: type, CLR pin, CLK pin, bits {D, Q, Q-bar}.
struct RegisterType {
    const char* type;
    int clr, clk;
    std::vector<Bit> bits;
};
const RegisterType kRegisters[] = {
    {"74LS174", 1, 9, {{3, 2, 0}, {4, 5, 0}, {6, 7, 0}, {11, 10, 0}, {13, 12, 0}, {15, 14, 0}}},
    {"74LS175", 1, 9, {{4, 2, 3}, {5, 7, 6}, {12, 10, 11}, {13, 15, 14}}},
    {"74LS273", 1, 11,
     {{3, 2, 0}, {4, 5, 0}, {7, 6, 0}, {8, 9, 0}, {13, 12, 0}, {14, 15, 0}, {17, 16, 0}, {18, 19, 0}}},
};

// Q of every bit, then Q-bar of every bit that has one.
std::string register_outputs(const ChipBench& b, const RegisterType& r) {
    std::string s;
    for (const Bit& bit : r.bits) s += level_char(b.out(bit.q));
    for (const Bit& bit : r.bits)
        if (bit.qbar) s += level_char(b.out(bit.qbar));
    return s;
}

float volts_of(char level) { return level == 'H' ? kHigh : level == 'L' ? kLow : 0.0f; }

// Data pattern by bit, repeated over the bits: 'H' 3.6 V, 'L' 0.5 V, '0' 0 V.
void set_data(ChipBench& b, const RegisterType& r, const std::string& pattern) {
    for (size_t i = 0; i < r.bits.size(); ++i) b.set_volts(r.bits[i].d, volts_of(pattern[i % pattern.size()]));
}

// Expected outputs for a stored data pattern: Q copies it, Q-bar is its complement.
std::string stored(const RegisterType& r, const std::string& pattern) {
    std::string s;
    for (size_t i = 0; i < r.bits.size(); ++i) s += pattern[i % pattern.size()];
    for (size_t i = 0; i < r.bits.size(); ++i)
        if (r.bits[i].qbar) s += pattern[i % pattern.size()] == 'H' ? 'L' : 'H';
    return s;
}

std::string all_low(const RegisterType& r) { return std::string(stored(r, "L").size(), 'L'); }

TEST(RegisterChips, EdgeClearAndHold) {
    for (const RegisterType& r : kRegisters) {
        SCOPED_TRACE(r.type);
        ChipBench b(r.type);
        b.set(r.clr, true);
        b.eval();
        EXPECT_EQ(register_outputs(b, r), all_low(r)) << "after Stop, Q-bar too reads L";
        set_data(b, r, "HL0");
        b.step(r.clk, true);
        EXPECT_EQ(register_outputs(b, r), stored(r, "HL0"));
        set_data(b, r, "LHH");
        b.step(r.clk, false);  // falling edge
        b.eval();
        EXPECT_EQ(register_outputs(b, r), stored(r, "HL0")) << "held";
        b.step(r.clk, true);
        EXPECT_EQ(register_outputs(b, r), stored(r, "LHH"));
        b.step(r.clk, false);
        b.step(r.clr, false);
        EXPECT_EQ(register_outputs(b, r), all_low(r)) << "clear";
        b.step(r.clk, true);  // lost during clear
        b.step(r.clr, true);
        EXPECT_EQ(register_outputs(b, r), all_low(r)) << "edge during clear";
        b.step(r.clk, false);
        b.step(r.clk, true);
        EXPECT_EQ(register_outputs(b, r), stored(r, "LHH"));
    }
}

TEST(Chip74LS373, TransparentLatchHoldAndOutputControl) {
    ChipBench b("74LS373");
    const auto q = {2, 5, 6, 9, 12, 15, 16, 19};
    const std::array<int, 8> d = {3, 4, 7, 8, 13, 14, 17, 18};
    auto data = [&](const char* p) {
        for (size_t i = 0; i < 8; ++i) b.set_volts(d[i], volts_of(p[i]));
    };
    // Columns: OC, LE, data D1..D8, outputs Q1..Q8 after one pass.
    struct Row {
        bool oc, le;
        const char* data;
        const char* q;
    };
    const Row rows[] = {
        {0, 1, "HLHL0HHL", "HLHL0HHL"},  // transparent
        {0, 1, "LLLLHHHH", "LLLLHHHH"},
        {0, 0, "HHHHLLLL", "LLLLHHHH"},  // frozen
        {1, 0, "HHHHLLLL", "LLLLLLLL"},  // output control forces L
        {1, 1, "HHHHLLLL", "LLLLLLLL"},
        {0, 0, "HHHHLLLL", "LLLLLLLL"},  // the latched data are gone
        {0, 1, "HHHHLLLL", "HHHHLLLL"},
    };
    int n = 0;
    for (const Row& r : rows) {
        b.set(1, r.oc), b.set(11, r.le);
        data(r.data);
        b.eval();
        EXPECT_EQ(b.levels(q), r.q) << "row " << n++;
    }
}

// ---- power ------------------------------------------------------------------------

// Columns: type, input pins set high, outputs read, expected levels while
// powered, after losing power, and once power returns.
struct PowerRow {
    const char* type;
    std::vector<int> high;
    std::vector<int> outputs;
    const char* powered;
    const char* unpowered;
    const char* restored;
};

TEST(StorageChips, PowerLossDropsEveryOutputAndTheStoredBits) {
    const PowerRow rows[] = {
        // flip-flop 1 preset, flip-flop 2 clocked a 1 in at the first pass
        {"74LS74", {1, 13, 10, 12, 11}, {5, 6, 9, 8}, "HLHL", "LLLL", "HLLH"},
        // flip-flop 1 set by J and K-bar high on a first-pass edge
        {"74LS109", {5, 1, 2, 3, 4, 11, 15}, {6, 7, 10, 9}, "HLLH", "LLLL", "LHLH"},
        {"74LS175", {1, 4, 9}, {2, 3, 15, 14}, "HLLH", "LLLL", "LLLL"},
        {"74LS273", {1, 3, 11}, {2, 5}, "HL", "LL", "LL"},
    };
    for (const PowerRow& r : rows) {
        ChipBench b(r.type);
        for (int pin : r.high) b.set(pin, true);
        b.eval();
        auto read = [&] {
            std::string s;
            for (int pin : r.outputs) s += level_char(b.out(pin));
            return s;
        };
        EXPECT_EQ(read(), r.powered) << r.type;
        b.power(false);
        b.eval();
        EXPECT_EQ(read(), r.unpowered) << r.type;
        b.power(true);
        b.eval();
        EXPECT_EQ(read(), r.restored) << r.type;
    }
}

// ---- in a wired circuit -----------------------------------------------------------

// Columns: type, switch changes applied in order (each followed by settled
// passes), outputs read, expected levels.
struct WiredRow {
    const char* type;
    std::vector<std::pair<int, bool>> steps;
    std::vector<int> outputs;
    const char* expected;
};

TEST(StorageChipsWired, EachTypeStoresThroughItsPins) {
    const WiredRow rows[] = {
        {"74LS74", {{1, 1}, {4, 1}, {2, 1}, {3, 1}, {2, 0}}, {5, 6}, "HL"},
        {"74LS76", {{2, 1}, {3, 1}, {4, 1}, {16, 1}, {1, 1}, {1, 0}, {1, 1}, {1, 0}, {1, 1}, {1, 0}}, {15, 14}, "HL"},
        {"74LS109", {{5, 1}, {1, 1}, {2, 1}, {4, 1}, {4, 0}, {4, 1}}, {6, 7}, "LH"},
        {"74LS112", {{4, 1}, {15, 1}, {3, 1}, {1, 1}, {1, 0}}, {5, 6}, "HL"},
        {"74LS174", {{1, 1}, {3, 1}, {15, 1}, {9, 1}}, {2, 5, 14}, "H0H"},
        {"74LS175", {{1, 1}, {4, 1}, {9, 1}}, {2, 3, 7, 6}, "HL0H"},
        {"74LS273", {{1, 1}, {3, 1}, {18, 1}, {11, 1}, {3, 0}}, {2, 5, 19}, "H0H"},
        {"74LS373", {{11, 1}, {3, 1}, {11, 0}, {3, 0}}, {2, 5}, "H0"},
    };
    for (const WiredRow& r : rows) {
        WiredChip w(r.type);
        w.run();
        for (auto [pin, level] : r.steps) {
            w.set(pin, level);
            w.run();
        }
        std::string got;
        for (int pin : r.outputs) got += level_char(w.out(pin));
        EXPECT_EQ(got, r.expected) << r.type;
    }
}

TEST(StorageChipsWired, StopLosesTheStoredBitsAndTheRegisterQBarStaysLow) {
    WiredChip w("74LS175");
    w.set(1, true), w.set(4, true);
    w.run();
    w.set(9, true);
    w.run();
    EXPECT_EQ(w.levels({2, 3, 7, 6}), "HL0H");
    w.set(9, false);
    w.run();
    w.stop();
    w.run(1);
    EXPECT_EQ(w.levels({2, 3, 7, 6}), "LLLL") << "first pass after Stop: unpowered";
    w.run();
    EXPECT_EQ(w.levels({2, 3, 7, 6}), "LLLL") << "Q-bar waits for an edge";
    w.set(9, true);
    w.run();
    EXPECT_EQ(w.levels({2, 3, 7, 6}), "HL0H");
}

}  // namespace
}  // namespace vorlisk::test
