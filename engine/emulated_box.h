// The emulated experiment box: eight switches on CH341 device 0 and eight
// lamps on device 1, answering the link as the real box does, for students
// without one. The window "虚拟实验箱" plugs it in while it is open, and
// vorlisk-sim's --box-in and --box-out use it headless.
//
// Device 0 answers every read request with its switches, one byte per byte
// asked for; device 1 latches the last byte written at MEM address 1 onto
// its lamps (and reads back the lamps). Read requests wait in the box's
// queue until the next read, which answers all of them with the switches
// as they are now: the buffer is filled with the newest bytes and the rest
// overflows, as a real interface's receive buffer does when the reads fall
// behind. So the queue drains at every read, the pass sees the switches at
// once, and Stop finds nothing waiting.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>

#include "engine/ch341.h"
#include "model/circuit.h"

namespace vorlisk {

class EmulatedBox : public Ch341Interface {
public:
    static constexpr uint32_t kDevices = 2;

    // Plugging out closes every open device: the link's next call fails
    // and closes its side, as with a real box pulled from the socket.
    void attach() { attached_ = true; }
    void detach();
    bool attached() const { return attached_; }

    void set_switches(uint8_t b) { switches_ = b; }
    uint8_t switches() const { return switches_; }
    uint8_t lamps() const { return lamps_; }
    // Called with the new byte whenever the lamps change.
    std::function<void(uint8_t)> on_lamps;

    intptr_t CH341OpenDevice(uint32_t index) override;
    void CH341CloseDevice(uint32_t index) override;
    bool CH341SetParaMode(uint32_t index, uint32_t mode) override;
    bool CH341SetBufDownload(uint32_t index, uint32_t enable) override;
    bool CH341SetBufUpload(uint32_t index, uint32_t enable) override;
    int32_t CH341QueryBufDownload(uint32_t index) override;
    bool CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) override;
    bool CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) override;

private:
    struct Device {
        bool open = false;
        bool mem_mode = false;          // commands are understood only in MEM mode
        bool buffered_receive = false;  // reads answer every request, not what is asked
        std::deque<uint32_t> queue;     // bytes still owed per waiting read request
    };
    Device* usable(uint32_t index);
    void show(uint8_t b);

    bool attached_ = false;
    uint8_t switches_ = 0;
    uint8_t lamps_ = 0;
    std::array<Device, kDevices> devices_{};
};

// What the program links to: the emulated box for every device opened
// while it is plugged in, the real interface (if any) otherwise. A device
// stays with the side it was opened on until it is closed.
class Ch341Chooser : public Ch341Interface {
public:
    Ch341Chooser(EmulatedBox& box, Ch341Interface* real) : box_(box), real_(real) {}

    intptr_t CH341OpenDevice(uint32_t index) override;
    void CH341CloseDevice(uint32_t index) override;
    bool CH341SetParaMode(uint32_t index, uint32_t mode) override;
    bool CH341SetBufDownload(uint32_t index, uint32_t enable) override;
    bool CH341SetBufUpload(uint32_t index, uint32_t enable) override;
    int32_t CH341QueryBufDownload(uint32_t index) override;
    bool CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) override;
    bool CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) override;

    // The box was plugged in or pulled out since a device was last opened.
    bool box_replugged() const { return box_.attached() != attached_at_open_; }

private:
    static constexpr uint32_t kRouted = 16;  // device indices that remember their side
    Ch341Interface* side(uint32_t index) const;

    EmulatedBox& box_;
    Ch341Interface* real_;
    std::array<Ch341Interface*, kRouted> opened_on_{};
    bool attached_at_open_ = false;
};

// Between two passes of a Run: when the box was plugged in or pulled out
// (its window opened or closed) since the links were opened, closes them
// and opens them again on the side chosen now, so the next pass reads and
// writes there. Does nothing while stopped or when nothing changed.
void follow_box_plugging(Circuit& c, Ch341Chooser& ch);

}  // namespace vorlisk
