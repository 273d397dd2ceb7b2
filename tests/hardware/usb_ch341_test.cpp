// The libusb backend against a fake USB layer: which chip an index opens,
// the mode request, the endpoints and sizes of the transfers, the order of
// buffered packets, reads that never wait, and a bus failure. The fake
// completes transfers from the backend's own event thread.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/hardware.h"
#include "hardware/usb_ch341.h"

namespace vorlisk::usb {
namespace {

struct FakeDevice {
    uint8_t bus;
    std::vector<uint8_t> ports;
    uint16_t vendor, product;
};

struct Sent {
    unsigned char endpoint;
    std::vector<uint8_t> data;  // OUT: the bytes; IN: empty
    int length;
};

struct FakeUsb {
    std::deque<FakeDevice> devices;
    std::mutex m;
    std::condition_variable wake;
    std::vector<std::string> log;
    std::vector<Sent> submitted;
    std::deque<libusb_transfer*> out, in, cancelled;
    bool hold_out = false;                                   // OUT transfers wait
    libusb_transfer_status out_status = LIBUSB_TRANSFER_COMPLETED;
    std::vector<uint8_t> answers;                            // bytes the box sends back
    int allocated = 0;
    int control_result = 0;     // what the mode request returns
    bool cancels_lost = false;  // a hung chip: cancelled transfers never come back
};
FakeUsb* fake = nullptr;

FakeDevice* dev(void* p) { return static_cast<FakeDevice*>(p); }
int index_of(void* p) {
    for (size_t k = 0; k < fake->devices.size(); ++k)
        if (&fake->devices[k] == p) return int(k);
    return -1;
}
void note(std::string s) {
    std::lock_guard lock(fake->m);
    fake->log.push_back(std::move(s));
}

const UsbApi kFakeApi = {
    [](libusb_context** ctx) {
        *ctx = reinterpret_cast<libusb_context*>(fake);
        return 0;
    },
    [](libusb_context*) {},
    [](libusb_context*, libusb_device*** list) -> ssize_t {
        auto** l = new libusb_device*[fake->devices.size() + 1];
        for (size_t k = 0; k < fake->devices.size(); ++k) l[k] = reinterpret_cast<libusb_device*>(&fake->devices[k]);
        l[fake->devices.size()] = nullptr;
        *list = l;
        return ssize_t(fake->devices.size());
    },
    [](libusb_device** list, int) { delete[] list; },
    [](libusb_device* d, libusb_device_descriptor* desc) {
        *desc = {};
        desc->idVendor = dev(d)->vendor;
        desc->idProduct = dev(d)->product;
        return 0;
    },
    [](libusb_device* d) { return dev(d)->bus; },
    [](libusb_device* d, uint8_t* ports, int len) {
        const auto& p = dev(d)->ports;
        std::copy_n(p.begin(), std::min<size_t>(p.size(), size_t(len)), ports);
        return int(p.size());
    },
    [](libusb_device* d, libusb_device_handle** h) {
        note("open " + std::to_string(index_of(d)));
        *h = reinterpret_cast<libusb_device_handle*>(d);
        return 0;
    },
    [](libusb_device_handle*) { note("close"); },
    [](libusb_device_handle*, int on) {
        note("auto-detach " + std::to_string(on));
        return 0;
    },
    [](libusb_device_handle*, int* config) {
        *config = 1;
        return 0;
    },
    [](libusb_device_handle*, int config) {
        note("set-configuration " + std::to_string(config));
        return 0;
    },
    [](libusb_device_handle*, int i) {
        note("claim " + std::to_string(i));
        return 0;
    },
    [](libusb_device_handle*, int i) {
        note("release " + std::to_string(i));
        return 0;
    },
    [](libusb_device_handle*, uint8_t type, uint8_t request, uint16_t value, uint16_t index, unsigned char*,
       uint16_t length, unsigned int) {
        char s[64];
        std::snprintf(s, sizeof s, "control %02X %02X %04X %04X %u", type, request, value, index, length);
        note(s);
        return fake->control_result;
    },
    [](libusb_device_handle*, unsigned char, unsigned char*, int, int*, unsigned int) { return int(LIBUSB_ERROR_IO); },
    [](int) {
        ++fake->allocated;
        return static_cast<libusb_transfer*>(std::calloc(1, sizeof(libusb_transfer)));
    },
    [](libusb_transfer* t) {
        --fake->allocated;
        std::free(t);
    },
    [](libusb_transfer* t) {
        std::lock_guard lock(fake->m);
        const bool is_in = t->endpoint & 0x80;
        fake->submitted.push_back({t->endpoint, is_in ? std::vector<uint8_t>{} : std::vector<uint8_t>(t->buffer, t->buffer + t->length), t->length});
        (is_in ? fake->in : fake->out).push_back(t);
        fake->wake.notify_all();
        return 0;
    },
    [](libusb_transfer* t) {
        std::lock_guard lock(fake->m);
        if (fake->cancels_lost) return 0;
        for (auto* q : {&fake->out, &fake->in}) {
            auto it = std::find(q->begin(), q->end(), t);
            if (it == q->end()) continue;
            q->erase(it);
            fake->cancelled.push_back(t);
            fake->wake.notify_all();
            return 0;
        }
        return int(LIBUSB_ERROR_NOT_FOUND);
    },
    // Completes whatever is ready, calling back outside the fake's lock.
    [](libusb_context*, timeval*, int*) {
        std::vector<libusb_transfer*> done;
        {
            std::unique_lock lock(fake->m);
            fake->wake.wait_for(lock, std::chrono::milliseconds(5));
            for (libusb_transfer* t : fake->cancelled) t->status = LIBUSB_TRANSFER_CANCELLED, done.push_back(t);
            fake->cancelled.clear();
            while (!fake->hold_out && !fake->out.empty()) {
                libusb_transfer* t = fake->out.front();
                fake->out.pop_front();
                t->status = fake->out_status;
                t->actual_length = t->status == LIBUSB_TRANSFER_COMPLETED ? t->length : 0;
                done.push_back(t);
            }
            while (!fake->answers.empty() && !fake->in.empty()) {
                libusb_transfer* t = fake->in.front();
                fake->in.pop_front();
                const size_t n = std::min<size_t>(fake->answers.size(), size_t(t->length));
                std::copy_n(fake->answers.begin(), n, t->buffer);
                fake->answers.erase(fake->answers.begin(), fake->answers.begin() + long(n));
                t->status = LIBUSB_TRANSFER_COMPLETED;
                t->actual_length = int(n);
                done.push_back(t);
            }
        }
        for (libusb_transfer* t : done) t->callback(t);
        return 0;
    },
    [](libusb_context*) { fake->wake.notify_all(); },
};

// A fake bus with three CH341 chips and one other device.
struct Bus : ::testing::Test {
    FakeUsb usb;
    std::unique_ptr<UsbCh341> ch;
    void SetUp() override {
        fake = &usb;
        usb.devices = {{2, {1}, kVendorId, kProductId},
                       {1, {3, 2}, kVendorId, kProductId},
                       {1, {3, 1}, 0x1234, kProductId},
                       {1, {1}, kVendorId, kProductId}};
        ch = std::make_unique<UsbCh341>(kFakeApi);
    }
    void TearDown() override {
        ch.reset();
        EXPECT_EQ(usb.allocated, 0) << "every transfer is freed";
        fake = nullptr;
    }
    // Waits (up to a second) for the event thread to make `ok` true.
    bool eventually(const std::function<bool()>& ok) {
        for (int k = 0; k < 200; ++k) {
            if (ok()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return ok();
    }
    std::vector<Sent> sent() {
        std::lock_guard lock(usb.m);
        return usb.submitted;
    }
    std::vector<std::string> log() {
        std::lock_guard lock(usb.m);
        return usb.log;
    }
};

TEST_F(Bus, IndexCountsChipsByBusAndPortPathAndModeIsOneVendorRequest) {
    // Chips sorted: bus 1 port 1 (fake #3), bus 1 port 3.2 (#1), bus 2 port 1 (#0).
    EXPECT_EQ(ch->CH341OpenDevice(1), 1);
    EXPECT_TRUE(ch->CH341SetParaMode(1, 2));
    EXPECT_EQ(ch->CH341OpenDevice(3), kCh341Invalid) << "only three chips";
    ch->CH341CloseDevice(1);
    EXPECT_EQ(log(), (std::vector<std::string>{"open 1", "auto-detach 1", "claim 0", "control 40 9A 2525 0202 0",
                                               "release 0", "close"}));
    EXPECT_EQ(ch->CH341OpenDevice(0), 0);
    EXPECT_EQ(log()[6], "open 3");
}

TEST_F(Bus, BufferedPacketsGoOutOneTransferEachInOrder) {
    ASSERT_EQ(ch->CH341OpenDevice(0), 0);
    ASSERT_TRUE(ch->CH341SetBufDownload(0, 1));
    {
        std::lock_guard lock(usb.m);
        usb.hold_out = true;
    }
    const uint8_t request[2] = {0xAC, 0xE0};
    const uint8_t packet[3] = {0xA7, 0x01, 0x5A};
    for (int k = 0; k < 5; ++k) {
        uint32_t n = 2;
        ASSERT_TRUE(ch->CH341WriteData(0, request, n));
    }
    uint32_t n = 3;
    ASSERT_TRUE(ch->CH341WriteData(0, packet, n));
    EXPECT_EQ(ch->CH341QueryBufDownload(0), 6) << "queued and in flight";
    EXPECT_EQ(sent().size(), size_t(kOutInFlight));
    {
        std::lock_guard lock(usb.m);
        usb.hold_out = false;
        usb.wake.notify_all();
    }
    ASSERT_TRUE(eventually([&] { return ch->CH341QueryBufDownload(0) == 0; }));
    const std::vector<Sent> s = sent();
    ASSERT_EQ(s.size(), 6u);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(s[k].data, (std::vector<uint8_t>{0xAC, 0xE0})) << k;
    EXPECT_EQ(s[5].data, (std::vector<uint8_t>{0xA7, 0x01, 0x5A}));
    for (const Sent& x : s) EXPECT_EQ(x.endpoint, kEndpointOut);
    uint32_t too_long = kPacketSize + 1;
    uint8_t big[kPacketSize + 1] = {};
    EXPECT_FALSE(ch->CH341WriteData(0, big, too_long)) << "a command is one packet";
}

TEST_F(Bus, BufferedReceivingGathersAnswersAndReadsReturnAtOnce) {
    ASSERT_EQ(ch->CH341OpenDevice(0), 0);
    ASSERT_TRUE(ch->CH341SetBufUpload(0, 1));
    std::vector<Sent> s = sent();
    ASSERT_EQ(s.size(), size_t(kInTransfers));
    for (const Sent& x : s) {
        EXPECT_EQ(x.endpoint, kEndpointIn);
        EXPECT_EQ(x.length, 224) << "one answer: no short packet ends it";
    }
    std::vector<uint8_t> buffer(4096);
    uint32_t length = 32;
    EXPECT_TRUE(ch->CH341ReadData(0, buffer, length));
    EXPECT_EQ(length, 0u) << "nothing yet, and the read does not wait";
    {
        std::lock_guard lock(usb.m);
        for (int k = 0; k < 2 * 224; ++k) usb.answers.push_back(uint8_t(k));
        usb.wake.notify_all();
    }
    // Both answers are in once their transfers have gone out again.
    ASSERT_TRUE(eventually([&] { return sent().size() == size_t(kInTransfers + 2); }));
    std::vector<uint8_t> small(300);
    length = 32;
    ASSERT_TRUE(ch->CH341ReadData(0, small, length));
    EXPECT_EQ(length, 300u) << "the 32 passed in does not cap a buffered read; the buffer does";
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(small[299], uint8_t(299));
    length = 32;
    ASSERT_TRUE(ch->CH341ReadData(0, buffer, length));
    EXPECT_EQ(length, 148u) << "the rest, in order";
    EXPECT_EQ(buffer[0], uint8_t(300));
    EXPECT_EQ(sent().size(), size_t(kInTransfers + 2)) << "each answered transfer goes out again";
}

TEST_F(Bus, AFailedTransferLeavesTheDeviceUnusableUntilClosed) {
    ASSERT_EQ(ch->CH341OpenDevice(0), 0);
    ch->CH341SetBufDownload(0, 1);
    ch->CH341SetBufUpload(0, 1);
    {
        std::lock_guard lock(usb.m);
        usb.out_status = LIBUSB_TRANSFER_NO_DEVICE;  // pulled from the socket
    }
    const uint8_t packet[3] = {0xA7, 0x01, 0x00};
    uint32_t n = 3;
    ch->CH341WriteData(0, packet, n);
    ASSERT_TRUE(eventually([&] { return ch->CH341QueryBufDownload(0) == -1; }));
    n = 3;
    EXPECT_FALSE(ch->CH341WriteData(0, packet, n));
    std::vector<uint8_t> buffer(64);
    n = 32;
    EXPECT_FALSE(ch->CH341ReadData(0, buffer, n));
    ch->CH341CloseDevice(0);  // cancels the waiting IN transfers and frees them
    EXPECT_EQ(log().back(), "close");
    EXPECT_EQ(usb.allocated, 0);
}

TEST_F(Bus, EveryRunAfterAFailureOpensTheChipAfresh) {
    auto opens = [&] {
        const std::vector<std::string> l = log();
        return std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.starts_with("open"); });
    };
    auto c = make_circuit();
    // The mode request fails (the box was unplugged): the link closes the chip.
    usb.control_result = LIBUSB_ERROR_NO_DEVICE;
    open_links(*c, *ch);
    EXPECT_FALSE(c->hw.input_open);
    close_links(*c, *ch);
    const std::vector<std::string> after = log();
    EXPECT_EQ(std::count(after.begin(), after.end(), "close"), 2) << "both chips closed after the refused mode";
    // Plugged in again: the next Run opens both chips anew and links them.
    usb.control_result = 0;
    open_links(*c, *ch);
    EXPECT_EQ(opens(), 4);
    EXPECT_TRUE(c->hw.input_open && c->hw.output_open);

    // A transfer fails during the run; the link keeps its flag (the
    // interface answers nothing), and the next open replaces the dead handle.
    {
        std::lock_guard lock(usb.m);
        usb.out_status = LIBUSB_TRANSFER_NO_DEVICE;
    }
    const uint8_t packet[3] = {0xA7, 0x01, 0x00};
    uint32_t n = 3;
    ch->CH341WriteData(1, packet, n);
    ASSERT_TRUE(eventually([&] { return ch->CH341QueryBufDownload(1) == -1; }));
    {
        std::lock_guard lock(usb.m);
        usb.out_status = LIBUSB_TRANSFER_COMPLETED;
    }
    EXPECT_EQ(ch->CH341OpenDevice(1), 1);
    EXPECT_EQ(opens(), 5) << "a failed device is closed and opened again";
    EXPECT_EQ(ch->CH341QueryBufDownload(1), 0) << "and works";
    close_links(*c, *ch);
}

TEST_F(Bus, AHungChipIsGivenBackToTheSystemOnClose) {
    ASSERT_EQ(ch->CH341OpenDevice(0), 0);
    ASSERT_TRUE(ch->CH341SetBufUpload(0, 1));  // IN transfers waiting
    {
        std::lock_guard lock(usb.m);
        usb.cancels_lost = true;  // the chip hangs: nothing comes back
    }
    ch->CH341CloseDevice(0);
    const std::vector<std::string> l = log();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l[l.size() - 2], "release 0");
    EXPECT_EQ(l.back(), "close");
    EXPECT_EQ(ch->CH341OpenDevice(0), 0);
    EXPECT_EQ(log().back(), "claim 0") << "opened again";
    // The hung transfers keep their memory until libusb is gone (TearDown
    // checks that every one is freed then).
    {
        std::lock_guard lock(usb.m);
        usb.cancels_lost = false;
    }
}

}  // namespace
}  // namespace vorlisk::usb
