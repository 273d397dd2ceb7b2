// CH341 chips in EPP/MEM mode over libusb-1.0, behind the link's CH341
// interface. Device k is the k-th chip with USB ID 1A86:5512, ordered by bus
// and port path, so the same socket keeps the same index.
//
// The chip takes every bulk OUT transfer on endpoint 0x02 as one command:
// 0xA6/0xA7 write the bytes that follow at MEM address 0/1, 0xAC/0xAD n ask
// for n bytes from address 0/1, which come back raw on endpoint 0x82.
// Buffered sending keeps an ordered queue per device with a few transfers
// in flight; buffered receiving keeps IN transfers of 224 bytes (one
// answer: seven full packets, no short one ends it) resubmitting
// themselves into a buffer the reads empty. One libusb context and one
// event thread serve every device; no call waits for the box, except the
// direct (unbuffered) reads and writes, which the link does not use.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <vector>
#include <thread>

#include "engine/ch341.h"
#include "hardware/usb_api.h"

namespace vorlisk::usb {

constexpr uint16_t kVendorId = 0x1A86;
constexpr uint16_t kProductId = 0x5512;  // EPP/MEM mode
constexpr int kConfiguration = 1;
constexpr int kInterface = 0;
constexpr unsigned char kEndpointOut = 0x02;
constexpr unsigned char kEndpointIn = 0x82;
constexpr uint32_t kPacketSize = 32;
constexpr int kAnswerSize = 224;      // IN transfer size: the answer to one read request
constexpr int kOutInFlight = 4;       // OUT transfers submitted at once per device
constexpr int kInTransfers = 8;       // IN transfers kept waiting per device
constexpr size_t kReceiveCapacity = 64 * 1024;  // bytes received and not yet read
// Mode setting: vendor request 0x9A with value 0x2525, the mode in both
// bytes of the index.
constexpr uint8_t kModeRequestType = 0x40;
constexpr uint8_t kModeRequest = 0x9A;
constexpr uint16_t kModeValue = 0x2525;

class UsbCh341 final : public Ch341Interface {
public:
    explicit UsbCh341(const UsbApi& api = system_usb());
    ~UsbCh341() override;  // closes every device, then the event thread and the context
    UsbCh341(const UsbCh341&) = delete;
    UsbCh341& operator=(const UsbCh341&) = delete;

    intptr_t CH341OpenDevice(uint32_t index) override;
    void CH341CloseDevice(uint32_t index) override;
    bool CH341SetParaMode(uint32_t index, uint32_t mode) override;
    bool CH341SetBufDownload(uint32_t index, uint32_t enable) override;
    bool CH341SetBufUpload(uint32_t index, uint32_t enable) override;
    int32_t CH341QueryBufDownload(uint32_t index) override;
    bool CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) override;
    bool CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) override;

    static constexpr uint32_t kMaxDevices = 8;
    struct Device;

private:
    bool start_context();
    libusb_device_handle* open_kth(uint32_t index);
    Device* device(uint32_t index) const;

    const UsbApi& api_;
    libusb_context* ctx_ = nullptr;
    std::thread events_;
    std::atomic<bool> stopping_{false};
    std::array<std::unique_ptr<Device>, kMaxDevices> devices_;
    // Closed chips whose transfers never came back: libusb may still write
    // into them, so they are freed only once libusb is gone.
    std::vector<std::unique_ptr<Device>> hung_;
};

}  // namespace vorlisk::usb
