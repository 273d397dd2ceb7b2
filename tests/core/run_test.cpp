// The run pass: time, device delay, order of evaluation, Run and Stop.
#include <gtest/gtest.h>

#include <thread>

#include "engine/nets.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

constexpr float L = 0.5f, H = 3.6f;

// An inverter fed back on itself: it toggles on every computation.
int oscillator(Harness& h, int x, int y) {
    int inv = h.add("非门", x, y);
    h.wire(output_pin(h.obj(inv), 0), input_pin(h.obj(inv), 0), {{x + 30, y}, {x + 30, y + 40}, {x - 40, y + 40}, {x - 40, y}});
    return inv;
}

TEST(RunPass, DeviceDelayGatesTheLogicKindsOnly) {
    //   device delay, passes, computations of the inverter, expected time
    const struct {
        int delay, passes, computations;
    } cases[] = {{1, 6, 6}, {3, 6, 2}, {2, 7, 3}, {0, 5, 0}, {-3, 5, 0}};
    for (auto t : cases) {
        Harness h;
        int inv = oscillator(h, 200, 200);
        int led = h.add("发光二极管", 400, 200);
        h.wire(output_pin(h.obj(inv), 0), input_pin(h.obj(led), 0));
        h.c.device_delay = t.delay;
        h.start(0.001);
        int toggles = 0, led_changes = 0;
        float last = h.obj(inv).out_v[0], last_led = h.obj(led).out_v[0];
        for (int p = 0; p < t.passes; ++p) {
            h.run_passes(1);
            toggles += h.obj(inv).out_v[0] != last;
            led_changes += h.obj(led).out_v[0] != last_led;
            last = h.obj(inv).out_v[0], last_led = h.obj(led).out_v[0];
        }
        EXPECT_EQ(toggles, t.computations) << "device delay " << t.delay;
        EXPECT_LT(h.c.step_counter, std::max(t.delay, 1)) << "a delay the counter never meets must not let it grow";
        EXPECT_NEAR(h.c.sim_time, 0.001 * t.passes, 1e-12);
        if (t.delay == 1) {
            EXPECT_GE(led_changes, t.passes - 1) << "the LED follows every pass";
        }
    }
}

TEST(RunPass, RealTimeComputesEveryPassWhateverTheDelay) {
    Harness h;
    int inv = oscillator(h, 200, 200);
    h.c.device_delay = 5;
    stop_circuit(h.c);
    start_run(h.c);
    h.c.step_counter = 0;
    float last = h.obj(inv).out_v[0];
    for (int p = 0; p < 4; ++p) {
        h.run_passes(1);
        EXPECT_NE(h.obj(inv).out_v[0], last);
        last = h.obj(inv).out_v[0];
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    h.run_passes(1);
    EXPECT_GE(h.c.sim_time, 0.005) << "real time reads the clock";
    EXPECT_EQ(h.c.step_counter, 0);
}

TEST(RunPass, LaterObjectsSeeThisPassesOutputsEarlierOnesThePrevious) {
    // switch -> inverter A -> inverter B in table order, and a third inverter
    // placed before the switch in the table reading the switch.
    Harness h;
    int early = h.add("非门", 500, 500);
    int sw = h.add("高低电平控制器", 100, 100);
    int a = h.add("非门", 200, 100);
    int b = h.add("非门", 300, 100);
    h.wire(output_pin(h.obj(sw), 0), input_pin(h.obj(a), 0));
    h.wire(output_pin(h.obj(a), 0), input_pin(h.obj(b), 0));
    h.wire(output_pin(h.obj(sw), 0), input_pin(h.obj(early), 0));
    h.obj(sw).param_int[0] = 1;
    h.start();
    h.run_passes(1);
    // Pass 1: the switch drives high; A gathers it but computed from 0.5 V.
    EXPECT_EQ(h.obj(a).in_v[0], H);
    EXPECT_EQ(h.obj(a).out_v[0], H);
    EXPECT_EQ(h.obj(early).in_v[0], 0.0f) << "gathered before the switch computed";
    h.run_passes(1);
    EXPECT_EQ(h.obj(a).out_v[0], L);
    EXPECT_EQ(h.obj(b).in_v[0], 0.0f) << "B gathers A's output of this pass";
    EXPECT_EQ(h.obj(early).in_v[0], H);
}

TEST(RunPass, DuplicateNamesEvaluateTheEarlierTwiceAndTheLaterNever) {
    Harness h;
    int first = oscillator(h, 100, 100);
    int second = oscillator(h, 300, 300);
    h.obj(second).name = h.obj(first).name;
    h.c.touch();
    h.start();
    h.run_passes(1);
    EXPECT_EQ(h.obj(first).out_v[0], L) << "two computations: 0.5 -> 3.6 -> 0.5";
    EXPECT_EQ(h.obj(second).out_v[0], L) << "never computed: still the Stop voltage";
    EXPECT_EQ(h.obj(second).in_v[0], L) << "never gathered";
}

TEST(RunPass, EvaluateObjectReportsUnknownNames) {
    Harness h;
    EXPECT_EQ(evaluate_object(h.c, "与门 9"), -1);
    EXPECT_EQ(h.messages, std::vector<std::string>{"对象名称不存在。"});
    int g = h.add("与非门");
    EXPECT_EQ(evaluate_object(h.c, h.obj(g).name), 0);
    EXPECT_EQ(h.obj(g).out_v[0], H);
}

TEST(RunPass, TestPointsReadEveryPassAndKeepThePreviousReading) {
    Harness h;
    int sw = h.add("高低电平控制器", 100, 100);
    int t = add_test_point(h.c, 130, 100);
    EXPECT_EQ(h.c.test_points[t].prev_value, -2.0);
    h.obj(sw).param_int[0] = 1;
    h.start();
    h.run_passes(1);
    EXPECT_EQ(h.c.test_points[t].value, double(3.6f)) << "the single-precision 3.6 widened";
    EXPECT_EQ(h.c.test_points[t].prev_value, h.c.test_points[t].value);
}

TEST(RunAndStop, StopResetsPinsAndStateRunKeepsThem) {
    Harness h;
    int ff = h.add("边沿JK触发器", 200, 200);
    int sw = h.add("高低电平控制器", 100, 100);
    h.obj(ff).state[0] = 1;
    h.obj(ff).out_v[0] = H;
    h.obj(ff).dirty = 1;
    h.c.running = 1;
    h.c.sim_time = 5;
    stop_circuit(h.c);
    EXPECT_EQ(h.c.running, 0);
    EXPECT_EQ(h.c.sim_time, 0.0);
    for (int k : {0, 31}) {
        EXPECT_EQ(h.obj(ff).in_v[k], L);
        EXPECT_EQ(h.obj(ff).out_v[k], L);
        EXPECT_EQ(h.obj(ff).prev_out_v[k], L);
        EXPECT_EQ(h.obj(ff).state[k], 0);
    }
    EXPECT_EQ(h.obj(ff).dirty, 0);
    EXPECT_EQ(h.obj(sw).out_v[0], L) << "Stop also overrides the switch's placement voltage";
    h.obj(ff).in_v[3] = 1.5f;
    h.obj(ff).state[5] = 9;
    start_run(h.c);
    EXPECT_EQ(h.obj(ff).prev_in_v[3], 1.5f);
    EXPECT_EQ(h.obj(ff).state[5], 0);
    EXPECT_EQ(h.c.running, 1);
}

TEST(RunAndStop, TheLoopEndsWhenANestedCommandStops) {
    Harness h;
    oscillator(h, 200, 200);
    h.c.virtual_time = 1;
    start_run(h.c);
    int passes = 0;
    PassHooks hooks;
    hooks.process_events = [&] {
        if (++passes == 25) stop_circuit(h.c);
    };
    run_loop(h.c, hooks);
    EXPECT_EQ(passes, 25);
    EXPECT_EQ(h.c.running, 0);
    EXPECT_EQ(h.obj(0).out_v[0], L);
}

TEST(RunAndStop, EditsBetweenPassesRecompileTheNets) {
    Harness h;
    int sw = h.add("高低电平控制器", 100, 100);
    int led = h.add("发光二极管", 300, 100);
    h.obj(sw).param_int[0] = 1;
    h.start();
    h.run_passes(2);
    EXPECT_EQ(h.obj(led).in_v[0], 0.0f);
    h.wire(output_pin(h.obj(sw), 0), input_pin(h.obj(led), 0));
    h.run_passes(2);
    EXPECT_EQ(h.obj(led).out_v[0], H);
}

}  // namespace
}  // namespace vorlisk
