#include "engine/emulated_box.h"

#include <algorithm>

#include "engine/hardware.h"

namespace vorlisk {

void EmulatedBox::detach() {
    attached_ = false;
    for (Device& d : devices_) d = Device{};
}

EmulatedBox::Device* EmulatedBox::usable(uint32_t index) {
    if (!attached_ || index >= kDevices || !devices_[index].open) return nullptr;
    return &devices_[index];
}

void EmulatedBox::show(uint8_t b) {
    if (b == lamps_) return;
    lamps_ = b;
    if (on_lamps) on_lamps(b);
}

intptr_t EmulatedBox::CH341OpenDevice(uint32_t index) {
    if (!attached_ || index >= kDevices) return kCh341Invalid;
    devices_[index].open = true;  // opening an open device again is harmless
    return intptr_t(index);
}

void EmulatedBox::CH341CloseDevice(uint32_t index) {
    if (index < kDevices) devices_[index] = Device{};
}

bool EmulatedBox::CH341SetParaMode(uint32_t index, uint32_t mode) {
    Device* d = usable(index);
    if (!d) return false;
    d->mem_mode = mode == kCh341MemMode;
    return true;
}

bool EmulatedBox::CH341SetBufDownload(uint32_t index, uint32_t) {
    Device* d = usable(index);
    if (!d) return false;
    d->queue.clear();
    return true;
}

bool EmulatedBox::CH341SetBufUpload(uint32_t index, uint32_t enable) {
    Device* d = usable(index);
    if (!d) return false;
    d->buffered_receive = enable != 0;
    return true;
}

int32_t EmulatedBox::CH341QueryBufDownload(uint32_t index) {
    Device* d = usable(index);
    return d ? int32_t(d->queue.size()) : -1;
}

bool EmulatedBox::CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) {
    Device* d = usable(index);
    if (!d) {
        length = 0;
        return false;
    }
    if (!d->mem_mode || length == 0) return true;
    switch (data[0]) {
        case kReadAddress0:
        case kReadAddress1:
            if (length >= 2 && data[1] > 0) d->queue.push_back(data[1]);
            break;
        case kWriteAddress1:
            // Every byte after the command is written at address 1 in turn;
            // the lamps' latch keeps the last.
            if (index == output_device && length >= 2) show(data[length - 1]);
            break;
        default: break;  // address 0 of the lamp chip and other commands drive nothing
    }
    return true;
}

bool EmulatedBox::CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) {
    Device* d = usable(index);
    if (!d) {
        length = 0;
        return false;
    }
    const uint8_t value = index == input_device ? switches_ : lamps_;
    size_t n = 0;
    if (d->buffered_receive) {
        size_t owed = 0;
        for (uint32_t r : d->queue) owed += r;
        n = std::min(owed, buffer.size());
        d->queue.clear();
    } else {
        size_t room = std::min<size_t>(buffer.size(), length);
        while (room > 0 && !d->queue.empty()) {
            const uint32_t take = uint32_t(std::min<size_t>(room, d->queue.front()));
            n += take;
            room -= take;
            if ((d->queue.front() -= take) == 0) d->queue.pop_front();
        }
    }
    std::fill_n(buffer.begin(), n, value);
    length = uint32_t(n);
    return true;
}

Ch341Interface* Ch341Chooser::side(uint32_t index) const {
    return index < kRouted ? opened_on_[index] : real_;
}

intptr_t Ch341Chooser::CH341OpenDevice(uint32_t index) {
    attached_at_open_ = box_.attached();
    Ch341Interface* to = attached_at_open_ ? static_cast<Ch341Interface*>(&box_) : real_;
    if (index < kRouted) opened_on_[index] = to;
    return to ? to->CH341OpenDevice(index) : kCh341Invalid;
}

void Ch341Chooser::CH341CloseDevice(uint32_t index) {
    if (Ch341Interface* s = side(index)) s->CH341CloseDevice(index);
    if (index < kRouted) opened_on_[index] = nullptr;
}

bool Ch341Chooser::CH341SetParaMode(uint32_t index, uint32_t mode) {
    Ch341Interface* s = side(index);
    return s && s->CH341SetParaMode(index, mode);
}

bool Ch341Chooser::CH341SetBufDownload(uint32_t index, uint32_t enable) {
    Ch341Interface* s = side(index);
    return s && s->CH341SetBufDownload(index, enable);
}

bool Ch341Chooser::CH341SetBufUpload(uint32_t index, uint32_t enable) {
    Ch341Interface* s = side(index);
    return s && s->CH341SetBufUpload(index, enable);
}

int32_t Ch341Chooser::CH341QueryBufDownload(uint32_t index) {
    Ch341Interface* s = side(index);
    return s ? s->CH341QueryBufDownload(index) : -1;
}

bool Ch341Chooser::CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) {
    Ch341Interface* s = side(index);
    if (s) return s->CH341WriteData(index, data, length);
    length = 0;
    return false;
}

bool Ch341Chooser::CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) {
    Ch341Interface* s = side(index);
    if (s) return s->CH341ReadData(index, buffer, length);
    length = 0;
    return false;
}

void follow_box_plugging(Circuit& c, Ch341Chooser& ch) {
    if (!c.running || !ch.box_replugged()) return;
    close_links(c, ch);
    open_links(c, ch);
}

}  // namespace vorlisk
