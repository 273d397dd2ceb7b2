// The CH341 interface the hardware link talks to: the eight calls of the
// chip vendor's interface library, with the arguments the link passes and
// the results it relies on. Served by a libusb backend for real chips
// (hardware/), by the emulated experiment box, and by a recording fake in
// the tests. Every call takes the device index first: the k-th CH341 in
// parallel mode on the machine.
#pragma once

#include <cstdint>
#include <span>

namespace vorlisk {

// Returned by CH341OpenDevice when the device cannot be opened.
constexpr intptr_t kCh341Invalid = -1;
// The parallel mode the link selects: EPP/MEM, read and written by address.
constexpr uint32_t kCh341MemMode = 2;

class Ch341Interface {
public:
    virtual ~Ch341Interface() = default;

    // A handle for the device, or kCh341Invalid.
    virtual intptr_t CH341OpenDevice(uint32_t index) = 0;
    // Closes the device, dropping whatever waits in its buffers.
    virtual void CH341CloseDevice(uint32_t index) = 0;
    // Selects the parallel mode (kCh341MemMode); true on success.
    virtual bool CH341SetParaMode(uint32_t index, uint32_t mode) = 0;
    // 1 enables buffered sending (writes queue and return at once), 0
    // returns to direct sending; both start from an empty queue.
    virtual bool CH341SetBufDownload(uint32_t index, uint32_t enable) = 0;
    // 1 enables buffered receiving (the interface keeps reading into a
    // buffer of its own), 0 stops it; both start from an empty buffer.
    virtual bool CH341SetBufUpload(uint32_t index, uint32_t enable) = 0;
    // Packets still waiting to be sent in buffered mode, or -1 when the
    // device is not usable (closed, unplugged, failed).
    virtual int32_t CH341QueryBufDownload(uint32_t index) = 0;
    // Sends `length` bytes as one packet (one command to the chip); on
    // return `length` holds the bytes taken. True on success.
    virtual bool CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) = 0;
    // Reads into `buffer`. `length` passes the size asked for and returns
    // the bytes delivered. In buffered mode the call returns at once with
    // everything received so far, as much as `buffer` holds, whatever
    // `length` asked for; zero bytes is a success. True on success.
    virtual bool CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) = 0;
};

}  // namespace vorlisk
