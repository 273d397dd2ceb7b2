#include "engine/hardware.h"

#include <array>
#include <chrono>
#include <thread>

#include "engine/rules.h"

namespace vorlisk {
namespace {

// Closing waits for the sending buffer to empty, 10 ms at a time. A box
// that stops taking data (unplugged, hung) must not hang Stop for ever, so
// the wait gives up after five seconds, and a device that reports an error
// instead of a count has nothing left to wait for.
constexpr auto kDrainPoll = std::chrono::milliseconds(10);
constexpr int kDrainRounds = 500;

void wait_until_sent(Ch341Interface& ch, int32_t d) {
    for (int round = 0; round < kDrainRounds && ch.CH341QueryBufDownload(d) > 0; ++round)
        std::this_thread::sleep_for(kDrainPoll);
}

int open_link(Ch341Interface& ch, int32_t d, bool& open, bool buffered_receiving) {
    if (ch.CH341OpenDevice(d) == kCh341Invalid) {
        ch.CH341CloseDevice(d);
        open = false;
        return link_not_open;
    }
    // A chip that refuses the mode may be gone (unplugged and plugged in
    // again): closed, so that the next Run opens it afresh.
    if (!ch.CH341SetParaMode(d, kCh341MemMode)) {
        ch.CH341CloseDevice(d);
        open = false;
        return link_no_mode;
    }
    ch.CH341SetBufDownload(d, 1);
    if (buffered_receiving) ch.CH341SetBufUpload(d, 1);
    open = true;
    return link_ok;
}

int fail(Ch341Interface& ch, int32_t d, bool& open, int code) {
    ch.CH341CloseDevice(d);
    open = false;
    return code;
}

}  // namespace

int open_input(Circuit& c, Ch341Interface& ch, int32_t device) {
    return open_link(ch, device, c.hw.input_open, true);
}

int open_output(Circuit& c, Ch341Interface& ch, int32_t device) {
    return open_link(ch, device, c.hw.output_open, false);
}

int close_input(Circuit& c, Ch341Interface& ch, int32_t device) {
    if (!c.hw.input_open) return link_ok;
    wait_until_sent(ch, device);
    ch.CH341SetBufUpload(device, 0);
    ch.CH341SetBufDownload(device, 0);
    ch.CH341CloseDevice(device);
    c.hw.input_open = false;
    return link_ok;
}

int close_output(Circuit& c, Ch341Interface& ch, int32_t device) {
    if (!c.hw.output_open) return link_ok;
    wait_until_sent(ch, device);
    ch.CH341SetBufUpload(device, 0);
    ch.CH341CloseDevice(device);
    c.hw.output_open = false;
    return link_ok;
}

int read_input(Circuit& c, Ch341Interface& ch, int32_t device) {
    HardwareState& hw = c.hw;
    if (!hw.input_open) return link_not_open;

    // Keep about 32 KB of answers on their way so a pass never waits for
    // data. At most one full queue per pass: an interface that answers the
    // count with an error must not keep the loop here.
    const uint8_t request[2] = {device == 0 ? kReadAddress0 : kReadAddress1, kRequestBytes};
    for (int sent = 0; sent < kRequestsQueued && ch.CH341QueryBufDownload(device) < kRequestsQueued; ++sent) {
        uint32_t length = sizeof request;
        if (!ch.CH341WriteData(device, request, length)) return fail(ch, device, hw.input_open, link_send_failed);
    }

    std::array<uint8_t, kReceiveBuffer> buffer;
    uint32_t length = 32;
    if (!ch.CH341ReadData(device, buffer, length)) return fail(ch, device, hw.input_open, link_read_failed);
    if (length > kReceiveBuffer) return fail(ch, device, hw.input_open, link_overrun);

    int32_t at = hw.input_ring_index;
    for (uint32_t k = 0; k < length; ++k) {
        at = at + 1 == kInputRingSize ? 0 : at + 1;
        hw.input_ring[at] = buffer[k];
    }
    hw.input_ring_index = at;
    // Every byte of one read arrives at the same moment as far as the pass
    // can tell: one clock reading serves them all.
    if (length > 0) hw.input_time = clock_seconds(c, kRunClock);
    return length == kReceiveBuffer ? link_full : link_ok;
}

int write_output(Circuit& c, Ch341Interface& ch, int32_t device) {
    HardwareState& hw = c.hw;
    if (!hw.output_open) return link_not_open;
    const uint8_t packet[3] = {device == 0 ? kWriteAddress0 : kWriteAddress1, 0x01, hw.output_byte};
    // A box that does not keep up misses passes rather than letting the
    // backlog grow without end.
    if (ch.CH341QueryBufDownload(device) <= kOutputBacklog) {
        uint32_t length = sizeof packet;
        if (!ch.CH341WriteData(device, packet, length)) return fail(ch, device, hw.output_open, link_send_failed);
    }
    return link_ok;
}

void open_links(Circuit& c, Ch341Interface& ch) {
    open_input(c, ch, input_device);
    open_output(c, ch, output_device);
}

void close_links(Circuit& c, Ch341Interface& ch) {
    close_input(c, ch, input_device);
    close_output(c, ch, output_device);
}

void link_pass_hooks(PassHooks& hooks, Circuit& c, Ch341Interface& ch) {
    hooks.read_hardware = [&c, &ch] { read_input(c, ch, input_device); };
    hooks.write_hardware = [&c, &ch] { write_output(c, ch, output_device); };
}

void signal_input_rule(const Circuit& c, MY_BASE_OBJ& o) {
    const uint8_t b = c.hw.input_ring[c.hw.input_ring_index];
    for (int k = 0; k < 8; ++k) o.out_v[k] = level((b >> k) & 1);
}

void signal_output_rule(Circuit& c, const MY_BASE_OBJ& o) {
    uint8_t b = 0;
    for (int k = 0; k < 8; ++k) b = uint8_t((b << 1) | (is_high(o.in_v[k]) ? 1 : 0));
    c.hw.output_byte = b;
}

}  // namespace vorlisk
