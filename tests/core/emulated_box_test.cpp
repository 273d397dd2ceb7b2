// The emulated experiment box through the same link the program uses: a
// circuit that wires the signal input device to the signal output device
// turns the box's switches into its lamps, and pulling the box out (or
// never plugging it in) leaves the run going without it.
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

uint8_t reversed(uint8_t b) {
    uint8_t r = 0;
    for (int k = 0; k < 8; ++k) r = uint8_t(r << 1 | ((b >> k) & 1));
    return r;
}

TEST(EmulatedBox, SwitchesReachTheLampsThroughACircuit) {
    Loopback l;
    l.box.attach();
    int shown = -1;
    l.box.on_lamps = [&](uint8_t b) { shown = b; };
    for (uint8_t sw : {0x01, 0x80, 0xA5, 0x00, 0xFF}) {
        l.box.set_switches(sw);
        l.run(3);
        EXPECT_TRUE(l.c.hw.input_open && l.c.hw.output_open);
        EXPECT_EQ(l.c.hw.input_ring[l.c.hw.input_ring_index], sw);
        EXPECT_EQ(l.box.lamps(), reversed(sw)) << int(sw);
        EXPECT_EQ(shown, l.box.lamps());
        for (int k = 0; k < 8; ++k) EXPECT_EQ(l.obj(l.in).out_v[k] > 2.0f, bool((sw >> k) & 1)) << k;
        close_links(l.c, l.chooser);
    }
}

TEST(EmulatedBox, SwitchesChangedMidRunShowInTheNextPasses) {
    Loopback l;
    l.box.attach();
    l.run(3);
    l.box.set_switches(0x0F);
    for (int p = 0; p < 3; ++p) run_pass(l.c, l.hooks);
    EXPECT_EQ(l.box.lamps(), 0xF0);
}

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
