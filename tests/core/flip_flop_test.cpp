// Flip-flop sequences: each step sets the inputs, computes once and checks Q
// (Q-bar is always its complement).
#include <gtest/gtest.h>

#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

constexpr float L = 0.5f, H = 3.6f, T = 2.0f;

struct Step {
    std::vector<float> inputs;
    float q;
};

struct Sequence {
    const char* name;
    const char* kind;
    std::vector<Step> steps;
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

class FlipFlops : public ::testing::TestWithParam<Sequence> {};

TEST_P(FlipFlops, FollowTheirSequence) {
    const Sequence& s = GetParam();
    Harness h;
    int f = h.add(s.kind);
    h.obj(f).out_v = {};  // as Stop leaves them: 0.5 V everywhere
    h.obj(f).out_v.fill(L);
    for (size_t n = 0; n < s.steps.size(); ++n) {
        for (size_t k = 0; k < s.steps[n].inputs.size(); ++k) h.obj(f).in_v[k] = s.steps[n].inputs[k];
        h.compute(f);
        EXPECT_EQ(h.obj(f).out_v[0], s.steps[n].q) << "step " << n;
        EXPECT_EQ(h.obj(f).out_v[1], h.obj(f).out_v[0] < 2.0f ? H : L) << "step " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FlipFlops,
    ::testing::Values(
        //               inputs per step, expected Q
        Sequence{"NorRs", "或非门基本RS触发器",  // S, R
                 {{{H, L}, H}, {{L, L}, H}, {{L, H}, L}, {{H, H}, L}, {{T, L}, L}, {{H, L}, H}, {{H, H}, H}}},
        Sequence{"NandRs", "与非门基本RS触发器",  // S-bar, R-bar (active low)
                 {{{L, H}, H}, {{H, H}, H}, {{H, L}, L}, {{L, L}, L}, {{L, H}, H}}},
        Sequence{"ClockedRs", "同步RS触发器",  // 1S, 1R, C1
                 {{{H, L, L}, L}, {{H, L, H}, H}, {{L, H, T}, H}, {{L, H, H}, L}, {{H, L, L}, L}}},
        // The master follows while the clock is low and reaches Q when it falls.
        Sequence{"MasterSlave", "同步主从RS触发器",  // 1S, 1R, C1
                 {{{H, L, L}, L}, {{L, H, H}, L}, {{L, H, L}, H}, {{L, H, L}, H}, {{L, L, H}, H}, {{H, L, L}, L}}},
        // CMOS D takes D in the first computation after the clock has fallen.
        Sequence{"CmosD", "CMOSD触发器",  // 1D, C1
                 {{{H, H}, L}, {{H, L}, H}, {{L, L}, H}, {{L, H}, H}, {{H, L}, H}, {{L, H}, H}, {{L, L}, L}}},
        // Edge D: a clock high in the first computation latches at once.
        Sequence{"EdgeD", "边沿D触发器",  // S, 1D, C1, R
                 {{{L, H, H, L}, H}, {{L, L, H, L}, H}, {{L, L, L, L}, H}, {{L, L, H, L}, L}, {{L, H, H, L}, L},
                  {{H, L, H, L}, H}, {{L, L, H, H}, L}, {{H, H, L, H}, L}, {{H, H, H, H}, H}}},
        // JK with J = K = 1 toggles on every falling edge.
        Sequence{"JkToggle", "边沿JK触发器",  // 1J, C1, 1K
                 {{{H, L, H}, L}, {{H, H, H}, L}, {{H, L, H}, H}, {{H, H, H}, H}, {{H, L, H}, L}, {{H, L, H}, L}}},
        Sequence{"JkSetReset", "边沿JK触发器",
                 {{{H, H, L}, L}, {{H, L, L}, H}, {{L, H, H}, H}, {{L, L, H}, L}, {{L, H, L}, L}, {{L, L, L}, L}}}));

TEST(FlipFlops, JkToggleWithoutADefiniteQReportsAndHolds) {
    Harness h;
    int f = h.add("边沿JK触发器");
    h.obj(f).out_v[0] = 2.0f;
    h.compute(f, {H, H, H});
    h.compute(f, {H, L, H});
    EXPECT_EQ(h.messages, std::vector<std::string>{"JK触发器计算出错。"});
    EXPECT_EQ(h.obj(f).out_v[0], 2.0f);
    EXPECT_EQ(h.obj(f).out_v[1], L) << "Q-bar is still rewritten from Q";
}

TEST(FlipFlops, JkWithAClockTogglingEveryComputationTogglesEverySecond) {
    // J and K tied to Vcc, clock from an inverter fed back on itself.
    Harness h;
    int vcc = h.add("Vcc", 50, 50);
    int inv = h.add("非门", 200, 200);
    int jk = h.add("边沿JK触发器", 400, 200);
    h.wire(output_pin(h.obj(inv), 0), input_pin(h.obj(inv), 0), {{230, 200}, {230, 240}, {160, 240}, {160, 200}});
    h.wire(output_pin(h.obj(inv), 0), input_pin(h.obj(jk), 1));
    h.wire(output_pin(h.obj(vcc), 0), input_pin(h.obj(jk), 0));
    h.wire(output_pin(h.obj(vcc), 0), input_pin(h.obj(jk), 2));
    h.start();
    std::vector<int> qs, clocks;
    for (int p = 0; p < 12; ++p) {
        h.run_passes(1);
        clocks.push_back(h.obj(inv).out_v[0] > 2.0f);
        qs.push_back(h.obj(jk).out_v[0] > 2.0f);
    }
    EXPECT_EQ(clocks, (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
    // The flip-flop sees the inverter's output of the same pass one
    // computation later; falling edges come every second computation.
    EXPECT_EQ(qs, (std::vector<int>{0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1}));
}

}  // namespace
}  // namespace vorlisk
