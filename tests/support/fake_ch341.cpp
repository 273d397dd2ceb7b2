#include "tests/support/fake_ch341.h"

#include <algorithm>
#include <cstdio>

namespace vorlisk::test {

namespace {
std::string line(const char* name, uint32_t index, std::initializer_list<uint32_t> args = {}) {
    std::string s = std::string(name) + ' ' + std::to_string(index);
    for (uint32_t a : args) s += ' ' + std::to_string(a);
    return s;
}
}  // namespace

intptr_t FakeCh341::CH341OpenDevice(uint32_t index) {
    calls.push_back(line("Open", index));
    return open_result;
}

void FakeCh341::CH341CloseDevice(uint32_t index) { calls.push_back(line("Close", index)); }

bool FakeCh341::CH341SetParaMode(uint32_t index, uint32_t mode) {
    calls.push_back(line("Mode", index, {mode}));
    return mode_ok;
}

bool FakeCh341::CH341SetBufDownload(uint32_t index, uint32_t enable) {
    calls.push_back(line("BufDown", index, {enable}));
    return true;
}

bool FakeCh341::CH341SetBufUpload(uint32_t index, uint32_t enable) {
    calls.push_back(line("BufUp", index, {enable}));
    return true;
}

int32_t FakeCh341::CH341QueryBufDownload(uint32_t index) {
    calls.push_back(line("Query", index));
    const int32_t now = waiting;
    waiting = std::max(0, waiting - drained_per_query);
    return now;
}

bool FakeCh341::CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) {
    std::string s = line("Write", index);
    for (uint32_t k = 0; k < length; ++k) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", data[k]);
        s += hex;
    }
    calls.push_back(s);
    if (writes_before_failure == 0) return false;
    if (writes_before_failure > 0) --writes_before_failure;
    ++waiting;
    return true;
}

bool FakeCh341::CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) {
    calls.push_back(line("Read", index, {length}));
    if (!read_ok) return false;
    const size_t n = std::min(buffer.size(), incoming.size());
    std::copy_n(incoming.begin(), n, buffer.begin());
    length = claimed_length ? *claimed_length : uint32_t(n);
    incoming.clear();
    return true;
}

std::vector<std::string> FakeCh341::take() {
    std::vector<std::string> out;
    out.swap(calls);
    return out;
}

}  // namespace vorlisk::test
