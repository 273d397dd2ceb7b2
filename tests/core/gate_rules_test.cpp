// Gates and adders, including each family's reading of exactly 2.0 V.
#include <gtest/gtest.h>

#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

struct GateCase {
    const char* kind;
    std::vector<float> inputs;
    std::vector<float> outputs;  // expected out_v[0], out_v[1] ...
};

void PrintTo(const GateCase& g, std::ostream* os) {
    *os << g.kind << " (";
    for (float v : g.inputs) *os << v << ' ';
    *os << ")";
}

class GateRules : public ::testing::TestWithParam<GateCase> {};

TEST_P(GateRules, ComputeFromTheirInputs) {
    const GateCase& g = GetParam();
    Harness h;
    int i = h.add(g.kind);
    for (size_t k = 0; k < g.inputs.size(); ++k) h.obj(i).in_v[k] = g.inputs[k];
    h.compute(i);
    for (size_t k = 0; k < g.outputs.size(); ++k) EXPECT_EQ(h.obj(i).out_v[k], g.outputs[k]) << "output " << k;
}

constexpr float L = 0.5f, H = 3.6f, Z = 0.0f, T = 2.0f;  // T: exactly the threshold

INSTANTIATE_TEST_SUITE_P(
    Gates, GateRules,
    ::testing::Values(
        //        kind, inputs, outputs
        GateCase{"与门", {H, H}, {H}}, GateCase{"与门", {H, L}, {L}}, GateCase{"与门", {T, T}, {H}},
        GateCase{"与门", {H, Z}, {L}},  // an undriven input pulls an AND low
        GateCase{"8线与门", {H, H, H, H, H, H, H, T}, {H}}, GateCase{"8线与门", {H, H, H, H, H, H, H, L}, {L}},
        GateCase{"或门", {L, L}, {L}}, GateCase{"或门", {L, H}, {H}}, GateCase{"或门", {T, T}, {L}},
        GateCase{"5线或门", {L, L, L, L, H}, {H}},
        GateCase{"与非门", {H, H}, {L}}, GateCase{"与非门", {T, H}, {L}}, GateCase{"与非门", {Z, H}, {H}},
        GateCase{"3线与非门", {H, H, L}, {H}},
        GateCase{"或非门", {L, L}, {H}}, GateCase{"或非门", {T, L}, {H}}, GateCase{"4线或非门", {L, L, L, H}, {L}},
        GateCase{"非门", {T}, {L}}, GateCase{"非门", {1.9f}, {H}}, GateCase{"非门", {H}, {L}},
        // The exclusive gates compare voltages: 0.5 V against 0 V is no difference.
        GateCase{"异或门", {Z, H}, {H}}, GateCase{"异或门", {H, H}, {L}}, GateCase{"异或门", {L, Z}, {H}},
        GateCase{"异或门", {L, L}, {L}}, GateCase{"同或门", {L, H}, {L}}, GateCase{"同或门", {H, H}, {H}},
        GateCase{"与或非门", {H, H, L, L}, {L}}, GateCase{"与或非门", {L, L, T, T}, {L}},
        GateCase{"与或非门", {H, L, L, H}, {H}},
        //        half adder: sum, carry
        GateCase{"半加器", {L, L}, {L, L}}, GateCase{"半加器", {H, L}, {H, L}}, GateCase{"半加器", {H, H}, {L, H}},
        GateCase{"半加器", {T, T}, {L, L}},  // carry needs both above 2.0 V
        //        full adder: A, B, carry in -> sum, carry out
        GateCase{"全加器", {L, L, L}, {L, L}}, GateCase{"全加器", {L, L, H}, {H, L}},
        GateCase{"全加器", {L, H, L}, {H, L}}, GateCase{"全加器", {L, H, H}, {L, H}},
        GateCase{"全加器", {H, L, L}, {H, L}}, GateCase{"全加器", {H, L, H}, {L, H}},
        GateCase{"全加器", {H, H, L}, {L, H}}, GateCase{"全加器", {H, H, H}, {H, H}},
        GateCase{"全加器", {Z, Z, Z}, {L, L}}));

TEST(GateRules, FullAdderAtTheThresholdHoldsBothOutputs) {
    Harness h;
    int fa = h.add("全加器");
    h.compute(fa, {H, H, H});
    h.compute(fa, {T, L, L});
    EXPECT_EQ(h.obj(fa).out_v[0], H);
    EXPECT_EQ(h.obj(fa).out_v[1], H);
}

TEST(GateRules, LogicKindsKeepTheirPreviousVoltages) {
    Harness h;
    int g = h.add("与非门");
    h.compute(g, {H, H});
    h.compute(g, {L, H});
    EXPECT_EQ(h.obj(g).prev_out_v[0], L) << "output before the latest computation";
    EXPECT_EQ(h.obj(g).out_v[0], H);
    EXPECT_EQ(h.obj(g).prev_in_v[0], L) << "inputs of the latest computation";
}

}  // namespace
}  // namespace vorlisk
