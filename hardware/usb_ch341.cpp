#include "hardware/usb_ch341.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <tuple>
#include <vector>

namespace vorlisk::usb {

namespace {

using namespace std::chrono_literals;

constexpr unsigned kOutTimeoutMs = 1000;    // a box that takes no command for a second has failed
constexpr unsigned kDirectReadTimeoutMs = 500;
constexpr unsigned kControlTimeoutMs = 1000;
constexpr auto kCancelWait = 2s;            // for cancelled transfers to come back

struct Packet {
    std::array<uint8_t, kPacketSize> bytes{};
    uint32_t length = 0;
};

}  // namespace

// One open chip. The user-interface thread queues and reads; the event
// thread completes transfers; `m` guards everything they share.
struct UsbCh341::Device {
    struct Slot {
        libusb_transfer* t = nullptr;
        bool busy = false;  // submitted and not yet come back
    };

    const UsbApi& api;
    libusb_device_handle* handle;
    std::mutex m;
    std::condition_variable returned;  // a transfer came back
    bool buffered_send = false;
    bool receiving = false;  // IN transfers resubmit themselves
    bool closing = false;
    bool failed = false;     // a transfer failed: unusable until closed
    std::deque<Packet> queue;  // waiting to be submitted, in order
    std::array<Slot, kOutInFlight> out{};
    std::array<std::array<uint8_t, kPacketSize>, kOutInFlight> out_data{};
    int out_busy = 0;
    std::array<Slot, kInTransfers> in{};
    std::array<std::array<uint8_t, kAnswerSize>, kInTransfers> in_data{};
    int in_busy = 0;
    std::vector<uint8_t> received = std::vector<uint8_t>(kReceiveCapacity);
    size_t head = 0, count = 0;  // received bytes not yet read: a ring

    Device(const UsbApi& a, libusb_device_handle* h) : api(a), handle(h) {}

    void fail() {
        failed = true;
        queue.clear();
    }

    // Submits queued packets while slots are free. Holds m.
    void pump() {
        for (int s = 0; s < kOutInFlight && !failed && !closing && !queue.empty(); ++s) {
            if (out[s].busy) continue;
            const Packet& p = queue.front();
            std::memcpy(out_data[s].data(), p.bytes.data(), p.length);
            libusb_fill_bulk_transfer(out[s].t, handle, kEndpointOut, out_data[s].data(), int(p.length), out_done,
                                      this, kOutTimeoutMs);
            if (api.submit_transfer(out[s].t) != 0) {
                fail();
                return;
            }
            out[s].busy = true;
            ++out_busy;
            queue.pop_front();
        }
    }

    // Submits an IN transfer in slot s. Holds m.
    bool submit_in(int s) {
        libusb_fill_bulk_transfer(in[s].t, handle, kEndpointIn, in_data[s].data(), kAnswerSize, in_done, this, 0);
        if (api.submit_transfer(in[s].t) != 0) {
            fail();
            return false;
        }
        in[s].busy = true;
        ++in_busy;
        return true;
    }

    // Keeps the newest bytes when the reads fall behind. Holds m.
    void store(const uint8_t* p, size_t n) {
        if (n >= kReceiveCapacity) {
            p += n - kReceiveCapacity;
            n = kReceiveCapacity;
        }
        const size_t overflow = count + n > kReceiveCapacity ? count + n - kReceiveCapacity : 0;
        head = (head + overflow) % kReceiveCapacity;
        count -= overflow;
        for (size_t k = 0; k < n; ++k) received[(head + count + k) % kReceiveCapacity] = p[k];
        count += n;
    }

    size_t take(uint8_t* p, size_t room) {
        const size_t n = std::min(room, count);
        for (size_t k = 0; k < n; ++k) p[k] = received[(head + k) % kReceiveCapacity];
        head = (head + n) % kReceiveCapacity;
        count -= n;
        return n;
    }

    template <size_t N>
    static int slot_of(const std::array<Slot, N>& slots, const libusb_transfer* t) {
        for (size_t s = 0; s < N; ++s)
            if (slots[s].t == t) return int(s);
        return -1;
    }

    static void LIBUSB_CALL out_done(libusb_transfer* t) {
        auto* d = static_cast<Device*>(t->user_data);
        std::lock_guard lock(d->m);
        if (int s = slot_of(d->out, t); s >= 0) d->out[s].busy = false;
        --d->out_busy;
        if (t->status == LIBUSB_TRANSFER_COMPLETED && t->actual_length == t->length)
            d->pump();
        else if (t->status != LIBUSB_TRANSFER_CANCELLED)
            d->fail();
        d->returned.notify_all();
    }

    static void LIBUSB_CALL in_done(libusb_transfer* t) {
        auto* d = static_cast<Device*>(t->user_data);
        std::lock_guard lock(d->m);
        const int s = slot_of(d->in, t);
        if (s >= 0) d->in[s].busy = false;
        --d->in_busy;
        if (t->status == LIBUSB_TRANSFER_COMPLETED) {
            d->store(t->buffer, size_t(std::max(0, t->actual_length)));
            if (d->receiving && !d->closing && !d->failed && s >= 0) d->submit_in(s);
        } else if (t->status != LIBUSB_TRANSFER_CANCELLED) {
            d->fail();  // unplugged, stalled, or another error of the bus
        }
        d->returned.notify_all();
    }

    // Cancels every transfer in flight (or only the IN ones) and waits for
    // them to come back. False when they did not, so their memory must stay.
    bool cancel_and_wait(bool out_too) {
        std::vector<libusb_transfer*> flying;
        {
            std::lock_guard lock(m);
            for (Slot& s : in)
                if (s.busy) flying.push_back(s.t);
            if (out_too)
                for (Slot& s : out)
                    if (s.busy) flying.push_back(s.t);
        }
        for (libusb_transfer* t : flying) api.cancel_transfer(t);
        std::unique_lock lock(m);
        return returned.wait_for(lock, kCancelWait, [&] { return in_busy == 0 && (!out_too || out_busy == 0); });
    }
};

UsbCh341::UsbCh341(const UsbApi& api) : api_(api) {}

UsbCh341::~UsbCh341() {
    for (uint32_t k = 0; k < kMaxDevices; ++k) CH341CloseDevice(k);
    if (!ctx_) return;
    stopping_ = true;
    api_.interrupt_event_handler(ctx_);
    if (events_.joinable()) events_.join();
    api_.exit(ctx_);
    for (auto& d : hung_) {
        for (auto& s : d->out) api_.free_transfer(s.t);
        for (auto& s : d->in) api_.free_transfer(s.t);
    }
    hung_.clear();
}

UsbCh341::Device* UsbCh341::device(uint32_t index) const {
    return index < kMaxDevices ? devices_[index].get() : nullptr;
}

bool UsbCh341::start_context() {
    if (ctx_) return true;
    if (api_.init(&ctx_) != 0) {
        ctx_ = nullptr;
        return false;
    }
    events_ = std::thread([this] {
        while (!stopping_) {
            timeval tv{0, 200000};
            api_.handle_events_timeout_completed(ctx_, &tv, nullptr);
        }
    });
    return true;
}

libusb_device_handle* UsbCh341::open_kth(uint32_t index) {
    libusb_device** list = nullptr;
    const ssize_t n = api_.get_device_list(ctx_, &list);
    if (n < 0) return nullptr;
    struct Found {
        uint8_t bus;
        std::vector<uint8_t> ports;
        libusb_device* dev;
    };
    std::vector<Found> chips;
    for (ssize_t k = 0; k < n; ++k) {
        libusb_device_descriptor desc{};
        if (api_.get_device_descriptor(list[k], &desc) != 0) continue;
        if (desc.idVendor != kVendorId || desc.idProduct != kProductId) continue;
        uint8_t ports[8];
        const int depth = api_.get_port_numbers(list[k], ports, int(sizeof ports));
        chips.push_back({api_.get_bus_number(list[k]), std::vector<uint8_t>(ports, ports + std::max(depth, 0)), list[k]});
    }
    std::sort(chips.begin(), chips.end(),
              [](const Found& a, const Found& b) { return std::tie(a.bus, a.ports) < std::tie(b.bus, b.ports); });
    libusb_device_handle* h = nullptr;
    if (index < chips.size() && api_.open(chips[index].dev, &h) != 0) h = nullptr;
    api_.free_device_list(list, 1);
    return h;
}

intptr_t UsbCh341::CH341OpenDevice(uint32_t index) {
    if (index >= kMaxDevices) return kCh341Invalid;
    if (Device* d = devices_[index].get()) {
        bool failed = false;
        {
            std::lock_guard lock(d->m);
            failed = d->failed;
        }
        if (!failed) return intptr_t(index);  // still open from an earlier call
        // A failed transfer leaves the handle dead (the chip unplugged, say):
        // a fresh one, to the chip now in that place.
        CH341CloseDevice(index);
    }
    if (!start_context()) return kCh341Invalid;
    libusb_device_handle* h = open_kth(index);
    if (!h) return kCh341Invalid;
    // The kernel's serial driver may hold the chip; libusb lends it to us
    // while the interface is claimed.
    api_.set_auto_detach_kernel_driver(h, 1);
    int config = 0;
    bool ok = api_.get_configuration(h, &config) == 0 &&
              (config == kConfiguration || api_.set_configuration(h, kConfiguration) == 0) &&
              api_.claim_interface(h, kInterface) == 0;
    auto d = std::make_unique<Device>(api_, h);
    for (auto& s : d->out) ok = ok && (s.t = api_.alloc_transfer(0)) != nullptr;
    for (auto& s : d->in) ok = ok && (s.t = api_.alloc_transfer(0)) != nullptr;
    if (!ok) {
        for (auto& s : d->out) if (s.t) api_.free_transfer(s.t);
        for (auto& s : d->in) if (s.t) api_.free_transfer(s.t);
        api_.close(h);
        return kCh341Invalid;
    }
    devices_[index] = std::move(d);
    return intptr_t(index);
}

void UsbCh341::CH341CloseDevice(uint32_t index) {
    Device* d = device(index);
    if (!d) return;
    {
        std::lock_guard lock(d->m);
        d->closing = true;
        d->receiving = false;
        d->queue.clear();
    }
    const bool back = d->cancel_and_wait(true);
    // The chip goes back to the system either way: a hung one too, so that
    // it can be opened again once it answers.
    api_.release_interface(d->handle, kInterface);
    api_.close(d->handle);
    if (!back) {
        // Transfers that never came back still point into the device: keep
        // its memory rather than let libusb write into freed memory.
        hung_.push_back(std::move(devices_[index]));
        return;
    }
    for (auto& s : d->out) api_.free_transfer(s.t);
    for (auto& s : d->in) api_.free_transfer(s.t);
    devices_[index].reset();
}

bool UsbCh341::CH341SetParaMode(uint32_t index, uint32_t mode) {
    Device* d = device(index);
    if (!d) return false;
    const uint16_t both = uint16_t((mode & 0xFF) << 8 | (mode & 0xFF));
    return api_.control_transfer(d->handle, kModeRequestType, kModeRequest, kModeValue, both, nullptr, 0,
                                 kControlTimeoutMs) >= 0;
}

bool UsbCh341::CH341SetBufDownload(uint32_t index, uint32_t enable) {
    Device* d = device(index);
    if (!d) return false;
    std::lock_guard lock(d->m);
    d->queue.clear();
    d->buffered_send = enable != 0;
    return !d->failed;
}

bool UsbCh341::CH341SetBufUpload(uint32_t index, uint32_t enable) {
    Device* d = device(index);
    if (!d) return false;
    if (enable) {
        std::lock_guard lock(d->m);
        if (d->failed) return false;
        d->head = d->count = 0;
        if (d->receiving) return true;
        d->receiving = true;
        for (int s = 0; s < kInTransfers; ++s)
            if (!d->in[s].busy && !d->submit_in(s)) return false;
        return true;
    }
    {
        std::lock_guard lock(d->m);
        d->receiving = false;
    }
    const bool back = d->cancel_and_wait(false);
    std::lock_guard lock(d->m);
    d->head = d->count = 0;
    return back && !d->failed;
}

int32_t UsbCh341::CH341QueryBufDownload(uint32_t index) {
    Device* d = device(index);
    if (!d) return -1;
    std::lock_guard lock(d->m);
    if (d->failed) return -1;
    return int32_t(d->queue.size()) + d->out_busy;
}

bool UsbCh341::CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) {
    Device* d = device(index);
    if (!d || length > kPacketSize) {
        length = 0;
        return false;
    }
    if (length == 0) return true;
    std::unique_lock lock(d->m);
    if (d->failed) {
        length = 0;
        return false;
    }
    if (d->buffered_send) {
        Packet p;
        std::memcpy(p.bytes.data(), data, length);
        p.length = length;
        d->queue.push_back(p);
        d->pump();
        return !d->failed;
    }
    lock.unlock();
    std::array<uint8_t, kPacketSize> copy{};
    std::memcpy(copy.data(), data, length);
    int done = 0;
    const int r = api_.bulk_transfer(d->handle, kEndpointOut, copy.data(), int(length), &done, kOutTimeoutMs);
    length = uint32_t(std::max(done, 0));
    return r == 0;
}

bool UsbCh341::CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) {
    Device* d = device(index);
    if (!d) {
        length = 0;
        return false;
    }
    std::unique_lock lock(d->m);
    if (d->failed) {
        length = 0;
        return false;
    }
    if (d->receiving) {
        length = uint32_t(d->take(buffer.data(), buffer.size()));
        return true;
    }
    lock.unlock();
    int got = 0;
    const int want = int(std::min<size_t>(length, buffer.size()));
    const int r = api_.bulk_transfer(d->handle, kEndpointIn, buffer.data(), want, &got, kDirectReadTimeoutMs);
    length = uint32_t(std::max(got, 0));
    return r == 0;
}

}  // namespace vorlisk::usb
