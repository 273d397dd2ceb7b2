// The lab handouts' chips, each against its datasheet function table: the
// combinational ones exhaustively, the sequential ones as step sequences
// that pass through every row of their tables. Expectations are the
// datasheets' (and, for the one-shots, times worked by hand).
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine/activity.h"
#include "tests/support/chip_harness.h"

namespace vorlisk::test {
namespace {

// "HLLH" for a count, most significant first, over `bits` outputs.
std::string as_levels(int value, int bits = 4) {
    std::string s;
    for (int bit = bits - 1; bit >= 0; --bit) s += (value >> bit) & 1 ? 'H' : 'L';
    return s;
}

TEST(LabChips, Adder74LS83AddsEveryPairWithCarry) {
    ChipBench b("74LS83");
    for (int code = 0; code < 512; ++code) {
        const int a = code & 15, bb = (code >> 4) & 15, c0 = code >> 8;
        b.set_code({10, 8, 3, 1}, a);
        b.set_code({11, 7, 4, 16}, bb);
        b.set(13, c0);
        b.eval();
        EXPECT_EQ(b.levels({14, 15, 2, 6, 9}), as_levels(a + bb + c0, 5)) << a << " + " << bb << " + " << c0;
    }
}

// Function table of both sections. Columns: B A, strobe G, data C (/2C on
// section 2), outputs Y0..Y3; X is either level.
struct DecoderRow {
    const char* inputs;  // B A G C
    const char* section1;
    const char* section2;
};
constexpr DecoderRow k155Table[] = {
    {"XXHX", "HHHH", "HHHH"}, {"LLLH", "LHHH", "HHHH"}, {"LHLH", "HLHH", "HHHH"}, {"HLLH", "HHLH", "HHHH"},
    {"HHLH", "HHHL", "HHHH"}, {"LLLL", "HHHH", "LHHH"}, {"LHLL", "HHHH", "HLHH"}, {"HLLL", "HHHH", "HHLH"},
    {"HHLL", "HHHH", "HHHL"},
};

TEST(LabChips, Decoders74LS155And156FollowTheirTable) {
    for (const char* type : {"74LS155", "74LS156"}) {
        for (const DecoderRow& row : k155Table) {
            for (int x = 0; x < 16; ++x) {  // every choice of the X inputs
                ChipBench b(type);
                const int pins[2][4] = {{3, 13, 2, 1}, {3, 13, 14, 15}};  // B A G C per section
                for (int s = 0; s < 2; ++s)
                    for (int k = 0; k < 4; ++k)
                        b.set(pins[s][k], row.inputs[k] == 'X' ? (x >> k) & 1 : row.inputs[k] == 'H');
                b.eval();
                // With both sections fed alike, each section's own table row holds.
                EXPECT_EQ(b.levels({7, 6, 5, 4}), row.section1) << type << " " << row.inputs << " x" << x;
                EXPECT_EQ(b.levels({9, 10, 11, 12}), row.section2) << type << " " << row.inputs << " x" << x;
            }
        }
    }
}

TEST(LabChips, Buffer74LS126PassesWhileEnabledElseDrivesLow) {
    //   C A -> Y
    const char* rows[] = {"HHH", "HLL", "LHL", "LLL"};
    const int buffers[4][3] = {{1, 2, 3}, {4, 5, 6}, {10, 9, 8}, {13, 12, 11}};
    for (const char* r : rows) {
        ChipBench b("74LS126");
        for (const auto& f : buffers) b.set(f[0], r[0] == 'H'), b.set(f[1], r[1] == 'H');
        b.eval();
        EXPECT_EQ(b.levels({3, 6, 8, 11}), std::string(4, r[2])) << r;
    }
}

TEST(LabChips, Nand74LS132IsAQuadNand) {
    for (int ab = 0; ab < 4; ++ab) {
        ChipBench b("74LS132");
        for (auto [x, y] : {std::pair{1, 2}, {4, 5}, {9, 10}, {12, 13}}) b.set(x, ab & 1), b.set(y, ab >> 1);
        b.eval();
        EXPECT_EQ(b.levels({3, 6, 8, 11}), ab == 3 ? "LLLL" : "HHHH") << ab;
    }
}

// Steps on all four latches at once: enable, D, then Q and /Q.
TEST(LabChips, Latch74LS75IsTransparentWhileEnabledAndHoldsAfter) {
    //  C D -> Q /Q
    const char* steps[] = {"LL LH", "LH LH", "HH HL", "HL LH", "HH HL", "LL HL", "LH HL", "HL LH", "LH LH"};
    ChipBench b("74LS75");
    for (const char* s : steps) {
        for (int c : {13, 4}) b.set(c, s[0] == 'H');
        for (int d : {2, 3, 6, 7}) b.set(d, s[1] == 'H');
        b.eval();
        const std::string q(s + 3, 1), qbar(s + 4, 1);
        EXPECT_EQ(b.levels({16, 15, 10, 9}), std::string(4, q[0])) << s;
        EXPECT_EQ(b.levels({1, 14, 11, 8}), std::string(4, qbar[0])) << s;
    }
}

// 74LS160-163 side by side. Inputs /CLR /LOAD ENP ENT, the data D C B A as
// a number, whether CLK rises; expected count and RCO for 160 161 162 163.
struct SyncStep {
    const char* in;  // /CLR /LOAD ENP ENT
    int data;
    bool clock;
    int count[4];
    const char* rco;  // 160 161 162 163
};
constexpr SyncStep kSyncSteps[] = {
    {"HHHH", 0, true, {1, 1, 1, 1}, "LLLL"},         // count
    {"HLHH", 7, true, {7, 7, 7, 7}, "LLLL"},         // load on the edge
    {"HLHH", 14, false, {7, 7, 7, 7}, "LLLL"},       // no edge, no load
    {"HLHH", 14, true, {14, 14, 14, 14}, "LLLL"},    // a decade count loaded outside 0-9
    {"HHHH", 0, true, {15, 15, 15, 15}, "HHHH"},     // QA and QD: the decade carry too
    {"HHHH", 0, true, {2, 0, 2, 0}, "LLLL"},         // 15 -> 2 on the decade types
    {"HHLH", 0, true, {2, 0, 2, 0}, "LLLL"},         // ENP low holds
    {"HHHL", 0, true, {2, 0, 2, 0}, "LLLL"},         // ENT low holds
    {"HLLL", 9, true, {9, 9, 9, 9}, "LLLL"},         // load wins over the enables
    {"HHLH", 0, false, {9, 9, 9, 9}, "HLHL"},        // RCO follows ENT, not ENP
    {"HHHH", 0, true, {0, 10, 0, 10}, "LLLL"},
    {"HHHH", 0, true, {1, 11, 1, 11}, "LLLL"},
    {"LHHH", 0, false, {0, 0, 1, 11}, "LLLL"},       // clear: at once, or at the next edge
    {"LLHH", 5, true, {0, 0, 0, 0}, "LLLL"},         // the synchronous clear wins over load
    {"HLHH", 10, true, {10, 10, 10, 10}, "LLLL"},
    {"HHHH", 0, true, {11, 11, 11, 11}, "HLHL"},
    {"HHHH", 0, true, {6, 12, 6, 12}, "LLLL"},       // 10 -> 11 -> 6
    {"HLHH", 12, true, {12, 12, 12, 12}, "LLLL"},
    {"HHHH", 0, true, {13, 13, 13, 13}, "HLHL"},
    {"HHHH", 0, true, {4, 14, 4, 14}, "LLLL"},       // 12 -> 13 -> 4
};

TEST(LabChips, SyncCounters74LS160To163StepThroughTheirTable) {
    const char* types[] = {"74LS160", "74LS161", "74LS162", "74LS163"};
    for (int t = 0; t < 4; ++t) {
        ChipBench b(types[t]);
        int n = 0;
        for (const SyncStep& s : kSyncSteps) {
            ++n;
            b.set(1, s.in[0] == 'H'), b.set(9, s.in[1] == 'H'), b.set(7, s.in[2] == 'H'), b.set(10, s.in[3] == 'H');
            b.set_code({3, 4, 5, 6}, s.data);
            if (s.clock) b.step(2, true);
            b.step(2, false);
            EXPECT_EQ(b.levels({11, 12, 13, 14}), as_levels(s.count[t])) << types[t] << " step " << n;
            EXPECT_EQ(b.levels({15}), std::string(1, s.rco[t])) << types[t] << " RCO, step " << n;
        }
    }
}

// 74LS190. Inputs CLK /LOAD /CTEN D/U, data; count, MAX/MIN, /RCO.
struct UpDownStep {
    const char* in;
    int data;
    int count;
    const char* out;  // MAX/MIN /RCO
};
constexpr UpDownStep k190Steps[] = {
    {"HHLL", 0, 1, "LH"},   // rising CLK counts up
    {"LHLL", 0, 1, "LH"},
    {"LLLL", 8, 8, "LH"},   // load, asynchronous
    {"LLLL", 9, 9, "HL"},   // and transparent; 9 counting up, CLK low, /CTEN low
    {"HHLL", 0, 0, "LH"},   // 9 -> 0
    {"LHLL", 0, 0, "LH"},
    {"LHLH", 0, 0, "HL"},   // counting down, 0 is the minimum
    {"HHLH", 0, 9, "LH"},   // 0 -> 9 down
    {"LHHH", 0, 9, "LH"},
    {"HHHH", 0, 9, "LH"},   // /CTEN high: no count
    {"LHLH", 0, 9, "LH"},
    {"HHLH", 0, 8, "LH"},
    {"LHLL", 0, 8, "LH"},
    {"LLLL", 12, 12, "LH"},
    {"HHLL", 0, 13, "HH"},  // QA and QD: MAX/MIN, /RCO high while CLK is
    {"LHLL", 0, 13, "HL"},
    {"LHHL", 0, 13, "HH"},  // MAX/MIN whatever /CTEN
    {"HHHL", 0, 13, "HH"},  // the rise came with /CTEN high: no count
    {"LHLL", 0, 13, "HL"},
    {"HHLL", 0, 4, "LH"},   // 12 -> 13 -> 4
};

TEST(LabChips, UpDownCounter74LS190StepsThroughItsTable) {
    ChipBench b("74LS190");
    int n = 0;
    for (const UpDownStep& s : k190Steps) {
        ++n;
        b.set(11, s.in[1] == 'H'), b.set(4, s.in[2] == 'H'), b.set(5, s.in[3] == 'H');
        b.set_code({15, 1, 10, 9}, s.data);
        b.step(14, s.in[0] == 'H');
        EXPECT_EQ(b.levels({7, 6, 2, 3}), as_levels(s.count)) << "step " << n;
        EXPECT_EQ(b.levels({12, 13}), s.out) << "step " << n;
    }
}

// 74LS192 and 74LS193. Inputs UP DOWN CLR /LOAD, data; count, /CO /BO of
// each.
struct DualClockStep {
    const char* in;
    int data;
    int count[2];
    const char* out[2];
};
constexpr DualClockStep kDualClockSteps[] = {
    {"LHLH", 0, {0, 0}, {"HH", "HH"}},
    {"HHLH", 0, {1, 1}, {"HH", "HH"}},    // UP rises while DOWN is high
    {"LHLH", 0, {1, 1}, {"HH", "HH"}},
    {"LHLL", 8, {8, 8}, {"HH", "HH"}},    // load, asynchronous
    {"LHLL", 9, {9, 9}, {"LH", "HH"}},    // transparent; 192 carry at 9 while UP is low
    {"HHLH", 0, {0, 10}, {"HH", "HH"}},
    {"LHLH", 0, {0, 10}, {"HH", "HH"}},
    {"LLLH", 0, {0, 10}, {"HL", "HH"}},   // borrow at 0 while DOWN is low
    {"HLLH", 0, {0, 10}, {"HL", "HH"}},   // UP pulsed while DOWN is low: no count
    {"LLLH", 0, {0, 10}, {"HL", "HH"}},
    {"LHLH", 0, {0, 10}, {"HH", "HH"}},   // DOWN rises while UP is low: no count
    {"HHLH", 0, {1, 11}, {"HH", "HH"}},
    {"HLLH", 0, {1, 11}, {"HH", "HH"}},
    {"HHLH", 0, {0, 10}, {"HH", "HH"}},   // DOWN rises while UP is high: down
    {"HLLH", 0, {0, 10}, {"HL", "HH"}},
    {"HHLH", 0, {9, 9}, {"HH", "HH"}},    // 0 -> 9 on the decade counter
    {"HHHL", 5, {0, 0}, {"HH", "HH"}},    // CLR wins over /LOAD
    {"HHLL", 5, {5, 5}, {"HH", "HH"}},
    {"LLLH", 0, {5, 5}, {"HH", "HH"}},
    {"HHLH", 0, {5, 5}, {"HH", "HH"}},    // both clocks rise together: no count
    {"LHLL", 11, {11, 11}, {"LH", "HH"}}, // the 192's carry decodes QA and QD
    {"LHLL", 15, {15, 15}, {"LH", "LH"}},
    {"HHLH", 0, {2, 0}, {"HH", "HH"}},    // 15 -> 2 up on the decade counter
};

TEST(LabChips, DualClockCounters74LS192And193StepThroughTheirTable) {
    const char* types[] = {"74LS192", "74LS193"};
    for (int t = 0; t < 2; ++t) {
        ChipBench b(types[t]);
        int n = 0;
        for (const DualClockStep& s : kDualClockSteps) {
            ++n;
            b.set(5, s.in[0] == 'H'), b.set(4, s.in[1] == 'H'), b.set(14, s.in[2] == 'H'), b.set(11, s.in[3] == 'H');
            b.set_code({15, 1, 10, 9}, s.data);
            b.eval();
            EXPECT_EQ(b.levels({7, 6, 2, 3}), as_levels(s.count[t])) << types[t] << " step " << n;
            EXPECT_EQ(b.levels({12, 13}), s.out[t]) << types[t] << " step " << n;
        }
    }
}

// 74LS194. Inputs /CLR S1 S0 SR SL, data A B C D, whether CLK rises;
// QA QB QC QD.
TEST(LabChips, ShiftRegister74LS194StepsThroughItsModes) {
    const struct {
        const char* in;    // /CLR S1 S0 SR SL
        const char* data;  // A B C D
        bool clock;
        const char* q;  // QA QB QC QD
    } steps[] = {
        {"HHHLL", "HLHH", true, "HLHH"},  // load
        {"HLLLL", "LLLL", true, "HLHH"},  // hold
        {"HLHLL", "LLLL", true, "LHLH"},  // shift right, SR low into QA
        {"HLHHL", "LLLL", true, "HLHL"},  // SR high
        {"HHLLL", "LLLL", true, "LHLL"},  // shift left, SL low into QD
        {"HHLLH", "LLLL", true, "HLLH"},  // SL high
        {"HHHLL", "LHHL", false, "HLLH"}, // no edge, no load
        {"LHHLL", "LHHL", false, "LLLL"}, // clear, asynchronous
        {"LHHLL", "LHHL", true, "LLLL"},  // and ahead of the clock
        {"HHHLL", "LHHL", true, "LHHL"},
    };
    ChipBench b("74LS194");
    int n = 0;
    for (const auto& s : steps) {
        ++n;
        const int inputs[] = {1, 10, 9, 2, 7}, data[] = {3, 4, 5, 6};
        for (int k = 0; k < 5; ++k) b.set(inputs[k], s.in[k] == 'H');
        for (int k = 0; k < 4; ++k) b.set(data[k], s.data[k] == 'H');
        if (s.clock) b.step(11, true);
        b.step(11, false);
        EXPECT_EQ(b.levels({15, 14, 13, 12}), s.q) << "step " << n;
    }
}

// One-shots: time in seconds, the inputs set at that time (pin, level),
// Q then /Q of each section afterwards. Widths are set to 1 s (section 2
// of the duals: 2 s) unless a test says otherwise.
struct ShotStep {
    double t;
    std::vector<std::pair<int, bool>> set;
    const char* q;
};

void run_shots(const char* type, const std::vector<int>& q_pins, const std::vector<ShotStep>& steps,
               std::initializer_list<std::pair<int, bool>> start, bool default_width = false) {
    ChipBench b(type);
    if (!default_width) b.object().param_real[1] = 1.0, b.object().param_real[2] = 2.0;
    for (auto [pin, high] : start) b.set(pin, high);
    int n = 0;
    for (const ShotStep& s : steps) {
        ++n;
        b.at(s.t);
        for (auto [pin, high] : s.set) b.set(pin, high);
        b.eval();
        std::string got;
        for (int pin : q_pins) got += b.levels({pin});
        EXPECT_EQ(got, s.q) << type << " step " << n << " at " << s.t << " s";
    }
}

TEST(LabChips, OneShot74LS121FiresOnceAndTimesItsPulse) {
    //                   t     inputs (A1 3, A2 4, B 5)  Q /Q
    run_shots("74LS121", {6, 1},
              {{0.0, {}, "LH"},
               {0.1, {{5, true}}, "HL"},    // B rises while an A is low
               {0.5, {{5, false}}, "HL"},
               {0.6, {{5, true}}, "HL"},    // not retriggerable: still ends at 1.1
               {1.05, {}, "HL"},
               {1.1, {}, "LH"},
               {1.2, {{3, true}, {4, true}}, "LH"},
               {1.3, {{5, false}}, "LH"},
               {1.35, {{5, true}}, "LH"},   // both A high inhibit
               {1.4, {{3, false}}, "HL"},   // an A falls while the other A and B are high
               {2.39, {}, "HL"},
               {2.4, {}, "LH"}},
              {});
    // Without a width of its own: 0.5 s.
    run_shots("74LS121", {6}, {{0.0, {}, "L"}, {1.0, {{5, true}}, "H"}, {1.49, {}, "H"}, {1.5, {}, "L"}}, {}, true);
    // A trigger already true when the run starts does not fire.
    run_shots("74LS121", {6}, {{0.0, {}, "L"}, {0.1, {}, "L"}}, {{5, true}});
}

TEST(LabChips, OneShot74LS122RetriggersAndClears) {
    //                 inputs A1 1, A2 2, B1 3, B2 4, /CLR 5       Q /Q
    run_shots("74LS122", {8, 6},
              {{0.0, {}, "LH"},
               {0.1, {{4, true}}, "HL"},
               {0.8, {{4, false}}, "HL"},
               {0.9, {{4, true}}, "HL"},    // retriggered: ends at 1.9, not 1.1
               {1.5, {}, "HL"},
               {1.9, {}, "LH"},
               {2.0, {{4, false}}, "LH"},
               {2.1, {{4, true}}, "HL"},
               {2.2, {{5, false}}, "LH"},   // clear ends the pulse
               {2.3, {{5, true}}, "HL"},    // and its rise fires
               {2.4, {{1, true}, {2, true}}, "HL"},
               {2.5, {{1, false}}, "HL"},   // an A falls: retriggered at 2.5
               {3.3, {}, "HL"},
               {3.5, {}, "LH"}},
              {{5, true}, {3, true}});
}

TEST(LabChips, DualOneShots74LS123And221) {
    // Sections: /A 1 and 9, B 2 and 10, /CLR 3 and 11; Q 13 and 5, /Q 4 and 12.
    // Expected Q1 Q2 for the 123 (retriggerable) and the 221.
    const struct {
        double t;
        std::vector<std::pair<int, bool>> set;
        const char* q123;
        const char* q221;
    } steps[] = {
        {0.0, {}, "LL", "LL"},
        {0.1, {{2, true}}, "HL", "HL"},             // B rises while /A is low
        {0.2, {{9, true}, {10, true}}, "HL", "HL"},
        {0.3, {{9, false}}, "HH", "HH"},            // /A falls while B is high
        {0.6, {{2, false}}, "HH", "HH"},
        {0.7, {{2, true}}, "HH", "HH"},             // the 123 restarts section 1
        {1.1, {}, "HH", "LH"},
        {1.7, {}, "LH", "LH"},
        {1.8, {{11, false}}, "LL", "LL"},           // clear ends section 2
        {1.9, {{11, true}}, "LH", "LL"},            // its rise fires the 123 again; the 221's latch is used up
        {3.89, {}, "LH", "LL"},
        {3.9, {}, "LL", "LL"},
    };
    for (const char* type : {"74LS123", "74LS221"}) {
        std::vector<ShotStep> shots;
        for (const auto& s : steps) {
            const char* q = std::string_view(type) == "74LS123" ? s.q123 : s.q221;
            shots.push_back({s.t, s.set, q});
        }
        run_shots(type, {13, 5}, shots, {{3, true}, {11, true}});
        // /Q is the complement.
        ChipBench b(type);
        b.eval();
        EXPECT_EQ(b.levels({4, 12}), "HH") << type;
    }
}

// The 74LS221's input latch (its function table's note): releasing /CLR
// with /A low and B high fires it only when /A was taken high or B low
// since its last trigger; the 74LS123 fires every time.
TEST(LabChips, The221FiresOnTheClearsReleaseOnlyWhenItsLatchWasSetAgain) {
    // Section 1: /A 1 (low unless set), B 2, /CLR 3; Q 13. Width 1 s.
    const struct {
        double t;
        std::vector<std::pair<int, bool>> set;
        const char* q123;
        const char* q221;
    } steps[] = {
        {0.0, {}, "L", "L"},
        {0.1, {{2, true}}, "H", "H"},   // B rises: both fire
        {1.2, {}, "L", "L"},
        {1.3, {{3, false}}, "L", "L"},
        {1.4, {{3, true}}, "H", "L"},   // released as /A and B were at the trigger
        {1.5, {{3, false}}, "L", "L"},
        {1.6, {{1, true}}, "L", "L"},   // /A high while cleared sets the latch
        {1.7, {{1, false}}, "L", "L"},
        {1.8, {{3, true}}, "H", "H"},
        {1.9, {{3, false}}, "L", "L"},
        {2.0, {{2, false}}, "L", "L"},  // and so does B low
        {2.1, {{2, true}}, "L", "L"},
        {2.2, {{3, true}}, "H", "H"},
    };
    for (const char* type : {"74LS123", "74LS221"}) {
        std::vector<ShotStep> shots;
        for (const auto& s : steps) shots.push_back({s.t, s.set, std::string_view(type) == "74LS123" ? s.q123 : s.q221});
        run_shots(type, {13}, shots, {{3, true}});
    }
}

// A width a whole number of steps long lasts that many passes, however
// small the step.
TEST(LabChipsWired, OneShotWidthsCountWholeSteps) {
    //   seconds a pass, width, passes Q is high
    const std::vector<std::tuple<double, double, int>> widths = {
        {1e-10, 1e-9, 10}, {1e-9, 1e-8, 10}, {1e-9, 1e-9, 1}, {1e-10, 1e-8, 100},
        {1e-3, 0.5, 500},  {0.1, 0.3, 3},    {0.3, 1.0, 4},   {1e-6, 2.5e-5, 25},
    };
    for (const auto& [step, width, passes] : widths) {
        WiredChip w("74LS121");
        w.circuit().time_step = step;
        w.run();
        for (int i = 0; i < w.circuit().object_count; ++i)
            if (contains(w.circuit().objects[i].kind, "74LS121")) w.circuit().objects[i].param_real[1] = width;
        w.set(5, true);  // B rises with A1, A2 low
        int high = 0;
        for (int n = 0; n < passes + 10; ++n) {
            w.run(1);
            high += w.levels({6}) == "H";
        }
        EXPECT_EQ(high, passes) << width << " s at " << step << " s a pass";
    }
}

// In the pass loop: the pulse ends by the circuit's clock alone, with no
// input changing (0.5 s at 1 ms a pass), the activity-driven pass agrees
// with the full sweep, and Stop ends a pulse under way.
TEST(LabChipsWired, OneShotTimesItsPulseOnTheCircuitsClock) {
    WiredChip w("74LS121");
    w.circuit().time_step = 0.001;
    set_pass_mode(w.circuit(), PassMode::checked);
    w.run();
    w.set(5, true);  // B rises with A1, A2 low
    w.run(3);
    ASSERT_EQ(w.levels({6, 1}), "HL");
    int passes = 3;
    while (w.levels({6}) == "H" && passes < 2000) w.run(1), ++passes;
    EXPECT_GE(passes, 499);
    EXPECT_LE(passes, 503);
    EXPECT_EQ(w.levels({6, 1}), "LH");
    EXPECT_EQ(pass_check_mismatches(w.circuit()), 0u) << pass_check_report(w.circuit());
    w.set(5, false), w.run(), w.set(5, true), w.run();
    ASSERT_EQ(w.levels({6}), "H");
    w.stop();
    w.run(20);
    EXPECT_EQ(w.levels({6, 1}), "LH") << "B still high: no new trigger after Stop";
}

}  // namespace
}  // namespace vorlisk::test
