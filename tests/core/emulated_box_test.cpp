// The emulated experiment box through the same link the program uses:
// pulling the box out (or never plugging it in) leaves the run going
// without it. Switches reaching lamps is the box example's lesson.
#include <gtest/gtest.h>

#include "engine/emulated_box.h"
#include "engine/hardware.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

// Input device output k wired to output device input k. The input device
// puts bit 0 on output 0, the output device puts input 0 into bit 7, so
// the lamps show the switches in reverse bit order.
struct Loopback : test::Harness {
    EmulatedBox box;
    Ch341Chooser chooser{box, nullptr};
    PassHooks hooks;
    int in = -1, out = -1;

    Loopback() {
        in = add("信号输入器件", 100, 100);
        out = add("信号输出器件", 300, 100);
        for (int k = 0; k < 8; ++k) wire(output_pin(obj(in), k), input_pin(obj(out), k));
        link_pass_hooks(hooks, c, chooser);
    }
    void run(int passes) {
        start();
        open_links(c, chooser);
        for (int p = 0; p < passes; ++p) run_pass(c, hooks);
    }
};

TEST(EmulatedBox, WithoutABoxTheRunGoesOnAndShowsTheLastByte) {
    Loopback l;
    l.run(3);  // never plugged in, no real interface
    EXPECT_FALSE(l.c.hw.input_open || l.c.hw.output_open);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(l.obj(l.in).out_v[k], kLow) << "zero since the program started";

    l.box.attach();
    l.box.set_switches(0x81);
    l.run(3);
    l.box.detach();  // pulled out mid-run: both links close at their next call
    l.box.set_switches(0x00);
    for (int p = 0; p < 3; ++p) run_pass(l.c, l.hooks);
    EXPECT_FALSE(l.c.hw.input_open || l.c.hw.output_open);
    EXPECT_EQ(l.obj(l.in).out_v[0], kHigh) << "the last byte received stays";
    EXPECT_EQ(l.c.hw.output_byte, 0x81) << "still computed, no longer sent";
}

}  // namespace
}  // namespace vorlisk
