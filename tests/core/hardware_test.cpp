// The hardware link against a recording CH341 interface: the calls and
// bytes sent, the codes, the ring of received bytes, and links that close
// on failure and stay closed until the next Run.
#include <gtest/gtest.h>

#include "engine/hardware.h"
#include "tests/support/fake_ch341.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::FakeCh341;
using test::Harness;
using Calls = std::vector<std::string>;

struct Link : Harness {
    FakeCh341 ch;
};

TEST(HardwareLink, OpenAndCloseSequences) {
    //  opened?           mode ok   code  calls
    struct Row {
        bool input;
        intptr_t open_result;
        bool mode_ok;
        int code;
        Calls calls;
    } rows[] = {
        {true, 7, true, 0, {"Open 0", "Mode 0 2", "BufDown 0 1", "BufUp 0 1"}},
        {true, kCh341Invalid, true, 1, {"Open 0", "Close 0"}},
        {true, 7, false, 2, {"Open 0", "Mode 0 2", "Close 0"}},  // closed: the next Run opens it afresh
        {false, 7, true, 0, {"Open 1", "Mode 1 2", "BufDown 1 1"}},
        {false, kCh341Invalid, true, 1, {"Open 1", "Close 1"}},
        {false, 7, false, 2, {"Open 1", "Mode 1 2", "Close 1"}},
    };
    for (const Row& r : rows) {
        Link l;
        l.ch.open_result = r.open_result;
        l.ch.mode_ok = r.mode_ok;
        int code = r.input ? open_input(l.c, l.ch, input_device) : open_output(l.c, l.ch, output_device);
        EXPECT_EQ(code, r.code);
        EXPECT_EQ(l.ch.take(), r.calls);
        EXPECT_EQ(r.input ? l.c.hw.input_open : l.c.hw.output_open, r.code == 0);
    }
}

TEST(HardwareLink, CloseWaitsForTheSendingBufferThenShutsDown) {
    Link l;
    open_links(l.c, l.ch);
    l.ch.take();
    l.ch.waiting = 2;
    l.ch.drained_per_query = 1;
    EXPECT_EQ(close_input(l.c, l.ch, input_device), 0);
    EXPECT_EQ(l.ch.take(), (Calls{"Query 0", "Query 0", "Query 0", "BufUp 0 0", "BufDown 0 0", "Close 0"}));
    EXPECT_EQ(close_output(l.c, l.ch, output_device), 0);
    EXPECT_EQ(l.ch.take(), (Calls{"Query 1", "BufUp 1 0", "Close 1"}));
    EXPECT_FALSE(l.c.hw.input_open || l.c.hw.output_open);
    close_links(l.c, l.ch);  // closing a closed link touches nothing
    EXPECT_TRUE(l.ch.take().empty());
}

TEST(HardwareLink, CloseGivesUpOnADeviceThatAnswersWithAnError) {
    Link l;
    open_input(l.c, l.ch, input_device);
    l.ch.take();
    l.ch.waiting = -1;  // the interface's error answer; waiting on it would hang Stop
    EXPECT_EQ(close_input(l.c, l.ch, input_device), 0);
    EXPECT_EQ(l.ch.take(), (Calls{"Query 0", "BufUp 0 0", "BufDown 0 0", "Close 0"}));
}

TEST(HardwareLink, ReadTopsRequestsUpTo146AndStoresEveryByte) {
    Link l;
    open_input(l.c, l.ch, input_device);
    l.ch.take();
    l.ch.waiting = 143;
    l.ch.incoming = {0x01, 0x80};
    EXPECT_EQ(read_input(l.c, l.ch, input_device), 0);
    EXPECT_EQ(l.ch.take(), (Calls{"Query 0", "Write 0 AC E0", "Query 0", "Write 0 AC E0", "Query 0",
                                  "Write 0 AC E0", "Query 0", "Read 0 32"}));
    // The first byte since the program started lands at index 1.
    EXPECT_EQ(l.c.hw.input_ring[1], 0x01);
    EXPECT_EQ(l.c.hw.input_ring[2], 0x80);
    EXPECT_EQ(l.c.hw.input_ring_index, 2);
    // Device 1 asks at address 1.
    l.c.hw.input_open = true;
    l.ch.waiting = 145;
    read_input(l.c, l.ch, output_device);
    EXPECT_EQ(l.ch.take()[1], "Write 1 AD E0");
}

TEST(HardwareLink, RingWrapsFromItsLastIndexToZero) {
    Link l;
    open_input(l.c, l.ch, input_device);
    l.ch.waiting = kRequestsQueued;
    l.c.hw.input_ring_index = kInputRingSize - 3;
    l.ch.incoming = {0x11, 0x22, 0x33};
    read_input(l.c, l.ch, input_device);
    EXPECT_EQ(l.c.hw.input_ring[kInputRingSize - 1], 0x22);
    EXPECT_EQ(l.c.hw.input_ring[0], 0x33);
    EXPECT_EQ(l.c.hw.input_ring_index, 0);
}

TEST(HardwareLink, WriteSendsOnePacketUnlessTooManyWait) {
    //  waiting  sent?
    struct Row {
        int32_t waiting;
        bool sent;
    } rows[] = {{0, true}, {1952, true}, {1953, false}};
    for (const Row& r : rows) {
        Link l;
        open_output(l.c, l.ch, output_device);
        l.ch.take();
        l.ch.waiting = r.waiting;
        l.c.hw.output_byte = 0x5A;
        EXPECT_EQ(write_output(l.c, l.ch, output_device), 0);
        Calls expected{"Query 1"};
        if (r.sent) expected.push_back("Write 1 A7 01 5A");
        EXPECT_EQ(l.ch.take(), expected) << r.waiting;
        EXPECT_TRUE(l.c.hw.output_open);
    }
}

TEST(HardwareLink, FailuresCloseTheLinkWithTheirCode) {
    enum Fault { request, read, overrun, full, packet };
    //  fault      code  link stays open
    struct Row {
        Fault fault;
        int code;
        bool open_after;
    } rows[] = {
        {request, 3, false}, {read, 5, false}, {overrun, 4, false}, {full, -1, true}, {packet, 3, false},
    };
    for (const Row& r : rows) {
        Link l;
        open_links(l.c, l.ch);
        l.ch.take();
        l.ch.waiting = r.fault == request ? 0 : kRequestsQueued;
        if (r.fault == request || r.fault == packet) l.ch.writes_before_failure = 0;
        l.ch.read_ok = r.fault != read;
        if (r.fault == overrun) l.ch.claimed_length = kReceiveBuffer + 1;
        if (r.fault == full) l.ch.incoming.assign(kReceiveBuffer + 100, 0x42);
        const bool output = r.fault == packet;
        l.ch.waiting = output ? 0 : l.ch.waiting;
        int code = output ? write_output(l.c, l.ch, output_device) : read_input(l.c, l.ch, input_device);
        EXPECT_EQ(code, r.code) << r.fault;
        const Calls calls = l.ch.take();
        EXPECT_EQ(calls.back() == (output ? "Close 1" : "Close 0"), !r.open_after) << r.fault;
        EXPECT_EQ(output ? l.c.hw.output_open : l.c.hw.input_open, r.open_after) << r.fault;
        if (r.fault == full) {
            EXPECT_EQ(l.c.hw.input_ring_index, int(kReceiveBuffer));
        }
        if (r.fault == overrun) {
            EXPECT_EQ(l.c.hw.input_ring_index, 0) << "nothing is stored from a bad read";
        }
    }
}

TEST(HardwareLink, ALinkClosedByAFailureStaysClosedUntilTheNextRun) {
    Link l;
    open_links(l.c, l.ch);
    l.ch.writes_before_failure = 0;
    PassHooks hooks;
    link_pass_hooks(hooks, l.c, l.ch);
    l.start();
    run_pass(l.c, hooks);  // fails sending a request and a packet
    EXPECT_FALSE(l.c.hw.input_open || l.c.hw.output_open);
    l.ch.take();
    l.ch.writes_before_failure = -1;
    for (int p = 0; p < 3; ++p) run_pass(l.c, hooks);
    EXPECT_TRUE(l.ch.take().empty()) << "the pass leaves a closed link alone";
    close_links(l.c, l.ch);
    EXPECT_TRUE(l.ch.take().empty());
    open_links(l.c, l.ch);  // the next Run
    EXPECT_TRUE(l.c.hw.input_open && l.c.hw.output_open);
}

}  // namespace
}  // namespace vorlisk
