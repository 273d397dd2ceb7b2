// Ripple counters: each stage clocked alone on a lone chip, the reset rows,
// power loss, and the two stages cascaded in a wired circuit.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/chip_harness.h"

namespace vorlisk::test {
namespace {

// Columns: type, CKA, CKB, R0(1), R0(2), R9(1), R9(2) (0: none), QA, QB, QC,
// QD, length of the upper stage's cycle.
struct CounterType {
    const char* type;
    int cka, ckb, r0_1, r0_2, r9_1, r9_2, qa, qb, qc, qd;
    int upper_cycle;
};
constexpr CounterType kCounters[] = {
    {"74LS90", 14, 1, 2, 3, 6, 7, 12, 9, 8, 11, 5},
    {"74LS93", 14, 1, 2, 3, 0, 0, 12, 9, 8, 11, 8},
    {"74LS290", 10, 11, 12, 13, 1, 3, 9, 5, 4, 8, 5},
    {"74LS293", 10, 11, 12, 13, 0, 0, 9, 5, 4, 8, 8},
};

// QD QC QB QA as "HLLH".
std::string count_of(const ChipBench& b, const CounterType& t) { return b.levels({t.qd, t.qc, t.qb, t.qa}); }

std::string as_levels(int value) {
    std::string s;
    for (int bit = 3; bit >= 0; --bit) s += (value >> bit) & 1 ? 'H' : 'L';
    return s;
}

// A rise then a fall, evaluating after each: one count, so a model that
// also counted rising edges would count twice.
void fall(ChipBench& b, int pin) { b.pulse(pin); }

TEST(CounterChips, LowerStageDividesByTwo) {
    for (const CounterType& t : kCounters) {
        ChipBench b(t.type);
        b.eval();
        EXPECT_EQ(count_of(b, t), "LLLL") << t.type;
        for (int edge = 1; edge <= 4; ++edge) {
            fall(b, t.cka);
            EXPECT_EQ(count_of(b, t), edge % 2 ? "LLLH" : "LLLL") << t.type << " edge " << edge;
        }
    }
}

TEST(CounterChips, UpperStageRunsItsCycleAndWraps) {
    for (const CounterType& t : kCounters) {
        ChipBench b(t.type);
        b.eval();
        for (int edge = 1; edge <= t.upper_cycle + 2; ++edge) {
            fall(b, t.ckb);
            EXPECT_EQ(count_of(b, t), as_levels(2 * (edge % t.upper_cycle))) << t.type << " edge " << edge;
        }
    }
}

// Columns: R0(1), R0(2), R9(1), R9(2), QD QC QB QA on a decade counter
// holding 0101 (the rows that leave it counting keep it).
struct ResetRow {
    bool r0_1, r0_2, r9_1, r9_2;
    const char* decade;
    const char* binary;  // the same inputs on a counter without R9
};
constexpr ResetRow kResetRows[] = {
    {1, 1, 0, 0, "LLLL", "LLLL"}, {1, 1, 1, 0, "LLLL", "LLLL"}, {1, 1, 0, 1, "LLLL", "LLLL"},
    {1, 1, 1, 1, "HLLH", "LLLL"}, {0, 0, 1, 1, "HLLH", "LHLH"}, {1, 0, 1, 1, "HLLH", "LHLH"},
    {1, 0, 0, 0, "LHLH", "LHLH"}, {0, 1, 1, 0, "LHLH", "LHLH"},
};

TEST(CounterChips, ResetToZeroAndSetToNine) {
    for (const CounterType& t : kCounters) {
        for (const ResetRow& r : kResetRows) {
            ChipBench b(t.type);
            fall(b, t.cka);
            fall(b, t.ckb), fall(b, t.ckb);  // 0101
            b.set(t.r0_1, r.r0_1), b.set(t.r0_2, r.r0_2);
            if (t.r9_1) {
                b.set(t.r9_1, r.r9_1);
                b.set(t.r9_2, r.r9_2);
            }
            b.eval();
            EXPECT_EQ(count_of(b, t), t.r9_1 ? r.decade : r.binary)
                << t.type << " R0 " << r.r0_1 << r.r0_2 << " R9 " << r.r9_1 << r.r9_2;
        }
    }
}

// A clock that falls while the reset holds is used up: releasing the reset
// with the clock low must not count.
TEST(CounterChips, EdgesDuringAResetAreLost) {
    for (const CounterType& t : kCounters) {
        for (int clock : {t.cka, t.ckb}) {
            ChipBench b(t.type);
            b.step(clock, true);
            b.set(t.r0_1, true), b.set(t.r0_2, true);
            b.step(clock, false);
            b.step(t.r0_1, false);
            EXPECT_EQ(count_of(b, t), "LLLL") << t.type << " clock pin " << clock;
            fall(b, clock);
            EXPECT_EQ(count_of(b, t), clock == t.cka ? "LLLH" : "LLHL") << t.type << " clock pin " << clock;
        }
    }
}

TEST(CounterChips, NineThenUpperStageWrapsToZero) {
    ChipBench b("74LS90");
    b.set(6, true), b.set(7, true);
    b.eval();
    b.set(6, false);
    b.eval();
    EXPECT_EQ(b.levels({11, 8, 9, 12}), "HLLH");
    fall(b, 14);
    fall(b, 1);
    EXPECT_EQ(b.levels({11, 8, 9, 12}), "LLLL");
}

TEST(CounterChips, PowerLossClearsTheCount) {
    for (const CounterType& t : kCounters) {
        ChipBench b(t.type);
        fall(b, t.cka), fall(b, t.ckb);
        EXPECT_EQ(count_of(b, t), "LLHH") << t.type;
        b.power(false);
        b.step(t.cka, true);  // clocks are not sampled without power
        EXPECT_EQ(count_of(b, t), "LLLL") << t.type;
        b.power(true);
        b.eval();
        EXPECT_EQ(count_of(b, t), "LLLL") << t.type;
        b.step(t.cka, false);
        EXPECT_EQ(count_of(b, t), "LLLH") << t.type << " counting again from 0";
    }
}

// ---- in a wired circuit: QA wired to CKB ---------------------------------------------

TEST(CounterChipsWired, CascadedStagesCountThroughTheirCycle) {
    for (const CounterType& t : kCounters) {
        SCOPED_TRACE(t.type);
        WiredChip w(t.type, {{t.qa, t.ckb}});
        w.run();
        const int cycle = 2 * t.upper_cycle;
        for (int edge = 1; edge <= cycle + 1; ++edge) {
            w.set(t.cka, true);
            w.run();
            w.set(t.cka, false);
            w.run();
            EXPECT_EQ(w.levels({t.qd, t.qc, t.qb, t.qa}), as_levels(edge % cycle)) << "edge " << edge;
        }
    }
}

// QA falls in one pass; the upper stage sees it at the next.
TEST(CounterChipsWired, UpperStageStepsOnePassAfterQaFalls) {
    WiredChip w("74LS90", {{12, 1}});
    w.set(14, true);
    w.run();
    w.set(14, false);
    w.run();
    ASSERT_EQ(w.levels({11, 8, 9, 12}), "LLLH");
    w.set(14, true);
    w.run();
    w.set(14, false);
    int passes = 0;
    while (w.levels({12}) == "H" && passes < 5) w.run(1), ++passes;
    EXPECT_EQ(w.levels({11, 8, 9, 12}), "LLLL") << "QA just fell";
    w.run(1);
    EXPECT_EQ(w.levels({11, 8, 9, 12}), "LLHL");
}

TEST(CounterChipsWired, StopLosesTheCountAndSetToNineWinsOverReset) {
    WiredChip w("74LS290", {{9, 11}});
    w.set(10, true), w.run(), w.set(10, false), w.run();
    ASSERT_EQ(w.levels({8, 4, 5, 9}), "LLLH");
    w.stop();
    w.run();
    EXPECT_EQ(w.levels({8, 4, 5, 9}), "LLLL");
    w.set(12, true), w.set(13, true), w.set(1, true), w.run();
    EXPECT_EQ(w.levels({8, 4, 5, 9}), "LLLL");
    w.set(3, true), w.run();
    EXPECT_EQ(w.levels({8, 4, 5, 9}), "HLLH");
}

}  // namespace
}  // namespace vorlisk::test
