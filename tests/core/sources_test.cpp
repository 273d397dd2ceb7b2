// Rails, level switch, pulse sources, LEDs, displays and the probe
// indicators bound to test points.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

constexpr float L = 0.5f, H = 3.6f;

TEST(Sources, RailsAndSwitch) {
    Harness h;
    int vcc = h.add("Vcc"), gnd = h.add("Gnd"), sw = h.add("高低电平控制器");
    h.compute(vcc);
    h.compute(gnd);
    h.compute(sw);
    EXPECT_EQ(h.obj(vcc).out_v[0], H);
    EXPECT_EQ(h.obj(gnd).out_v[0], 0.0f) << "Gnd drives 0 V, not 0.5 V";
    EXPECT_EQ(h.obj(sw).out_v[0], L);
    h.obj(sw).param_int[0] = 1;
    h.compute(sw);
    EXPECT_EQ(h.obj(sw).out_v[0], H);
    h.obj(sw).param_int[0] = 2;  // anything but 1 is low
    h.compute(sw);
    EXPECT_EQ(h.obj(sw).out_v[0], L);
}

// A pulse source driven at chosen simulation times; the enable rose at 0.
struct Pulse : Harness {
    int p;
    explicit Pulse(const char* kind, const char* idle = "常低") {
        p = add(kind);
        obj(p).idle_level = idle;
        obj(p).in_v[0] = 0.0f;
        compute(p);  // disabled: idle level
        obj(p).in_v[0] = H;
        c.sim_time = 0.0;
        compute(p);  // the enable rises at t = 0
    }
    float at(double t) {
        c.sim_time = t;
        compute(p);
        return obj(p).out_v[0];
    }
};

TEST(Pulses, DefaultWindowIsTheSecondHalfOfEachSecond) {
    Pulse s("连续脉冲");
    //        time, expected output
    const std::pair<double, float> cases[] = {
        {0.1, L}, {0.49, L}, {0.5, H}, {0.75, H}, {0.999, H}, {1.2, L}, {1.6, H}, {7.7, H}, {8.25, L}};
    for (auto [t, v] : cases) EXPECT_EQ(s.at(t), v) << "t=" << t;
}

TEST(Pulses, WindowIsInclusiveAtBothEnds) {
    Pulse s("连续脉冲");
    s.obj(s.p).pulse_phase = 0.0;
    s.obj(s.p).pulse_width = 0.25;
    EXPECT_EQ(s.at(0.0), H) << "phase 0: high at the very start of a period";
    EXPECT_EQ(s.at(0.25), H);
    EXPECT_EQ(s.at(0.2501), L);
    EXPECT_EQ(s.at(2.0), H);
}

TEST(Pulses, NormallyHighDropsDuringTheWindow) {
    Pulse s("连续脉冲", "常高");
    EXPECT_EQ(s.at(0.2), H);
    EXPECT_EQ(s.at(0.7), L);
    s.obj(s.p).in_v[0] = 0.0f;
    EXPECT_EQ(s.at(0.7), H) << "disabled: the idle level";
}

TEST(Pulses, PresetBurstThenRestUntilTheEnableRisesAgain) {
    Pulse s("可置数脉冲");
    s.obj(s.p).pulse_count = 3;
    int pulses = 0;
    float last = L;
    for (int ms = 1; ms <= 6000; ++ms) {
        float v = s.at(ms / 1000.0);
        if (v == H && last == L) ++pulses;
        last = v;
    }
    EXPECT_EQ(pulses, 3);
    EXPECT_EQ(s.at(6.5), L);
    // Lower and raise the enable: a new burst counted from the new edge.
    s.obj(s.p).in_v[0] = 0.0f;
    s.at(7.0);
    s.obj(s.p).in_v[0] = H;
    s.at(7.0);
    EXPECT_EQ(s.at(7.6), H);
    EXPECT_EQ(s.obj(s.p).param_real[0], 7.0);
}

TEST(Pulses, EnableUndrivenStaysIdleInModeZeroAndRunsInModeOne) {
    for (int mode : {0, 1}) {
        Harness h;
        h.c.net_mode = mode;
        int p = h.add("连续脉冲");
        h.start();
        h.run_passes(800);  // 0.8 s: inside the first pulse window
        EXPECT_EQ(h.obj(p).out_v[0], mode == 0 ? L : H) << "net_mode " << mode;
    }
}

TEST(Pulses, FrequencyFromAFileThatMakesNoPeriodKeepsTheIdleLevel) {
    for (double f : {0.0, -1.0, std::nan(""), double(INFINITY)}) {
        Pulse s("连续脉冲", "常高");
        s.obj(s.p).pulse_frequency = f;
        EXPECT_EQ(s.at(0.7), H) << f;
    }
}

TEST(Pulses, MarkedDirtyOnlyWhenTheOutputChanges) {
    Pulse s("连续脉冲");
    s.obj(s.p).dirty = 0;
    s.at(0.2);
    EXPECT_EQ(s.obj(s.p).dirty, 0);
    s.at(0.6);
    EXPECT_EQ(s.obj(s.p).dirty, 1);
}

TEST(Indicators, LedFollowsItsInputAndMarksChangesAboveATenth) {
    Harness h;
    int led = h.add("发光二极管");
    h.obj(led).out_v[0] = 1.0f;
    //   input, expected dirty
    const std::pair<float, int> cases[] = {{1.1f, 0}, {1.25f, 1}, {H, 1}};
    for (auto [v, dirty] : cases) {
        h.obj(led).out_v[0] = v - (dirty ? 0.5f : 0.0625f);
        h.obj(led).dirty = 0;
        h.compute(led, {v});
        EXPECT_EQ(h.obj(led).out_v[0], v);
        EXPECT_EQ(h.obj(led).dirty, dirty) << v;
    }
}

TEST(Indicators, ProbesReadTheirTestPointsByName) {
    Harness h;
    int led = h.add("发光二极管测点");
    int bcd = h.add("数码管BCD测点");
    for (int k = 0; k < 4; ++k) {
        int t = add_test_point(h.c, 100 * k, 500);
        h.c.test_points[t].value = k % 2 ? 3.6 : 0.0;
        h.obj(bcd).param_text[k] = h.c.test_points[t].name;
    }
    h.obj(led).param_text[0] = h.c.test_points[1].name;
    h.compute(led);
    h.compute(bcd);
    EXPECT_EQ(h.obj(led).out_v[0], 3.6f);
    EXPECT_EQ(h.obj(bcd).out_v[0], 0.0f);
    EXPECT_EQ(h.obj(bcd).out_v[1], 3.6f);
    EXPECT_EQ(h.obj(bcd).out_v[3], 3.6f);
    h.obj(led).param_text[0] = "检测点999";  // names no test point: reads 0 V
    h.compute(led);
    EXPECT_EQ(h.obj(led).out_v[0], 0.0f);
}

TEST(Indicators, SegmentDisplayCopiesEightInputsBcdFour) {
    Harness h;
    int seg = h.add("数码管");
    int bcd = h.add("数码管BCD");
    h.compute(seg, {H, H, H, H, H, H, H, H});
    h.compute(bcd, {H, H, H, H, H, H, H, H});
    EXPECT_EQ(h.obj(seg).out_v[7], H);
    EXPECT_EQ(h.obj(bcd).out_v[3], H);
    EXPECT_EQ(h.obj(bcd).out_v[4], L) << "a BCD display copies only its four inputs";
    EXPECT_EQ(h.obj(seg).dirty, 1);
}

TEST(HardwareDevices, InputShowsTheNewestByteOutputPacksMostSignificantFirst) {
    Harness h;
    int in = h.add("信号输入器件");
    int out = h.add("信号输出器件");
    h.c.hw.input_ring[1] = 0x01;
    h.c.hw.input_ring[2] = 0x80;
    h.c.hw.input_ring_index = 2;
    h.compute(in);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(h.obj(in).out_v[k], k == 7 ? H : L) << k;
    h.compute(out, {H, L, L, L, L, L, L, L});
    EXPECT_EQ(h.c.hw.output_byte, 0x80);
    h.compute(out, {L, L, L, L, L, L, H, H});
    EXPECT_EQ(h.c.hw.output_byte, 0x03);
}

}  // namespace
}  // namespace vorlisk
