// A CH341 interface that records every call as a line of text ("Write 0 AC
// E0") and answers from a script: whether opening and the mode succeed, how
// many packets wait in the sending buffer, which writes fail, and what the
// next read delivers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/ch341.h"

namespace vorlisk::test {

struct FakeCh341 : Ch341Interface {
    std::vector<std::string> calls;

    intptr_t open_result = 7;       // a handle, or kCh341Invalid
    bool mode_ok = true;
    int32_t waiting = 0;            // what the next query answers; each write adds one
    int32_t drained_per_query = 0;  // packets the box takes between two queries
    int writes_before_failure = -1; // writes that succeed before every later one fails; -1 never
    bool read_ok = true;
    std::vector<uint8_t> incoming;          // delivered by the next read, then cleared
    std::optional<uint32_t> claimed_length; // a length the read claims instead of the real one

    intptr_t CH341OpenDevice(uint32_t index) override;
    void CH341CloseDevice(uint32_t index) override;
    bool CH341SetParaMode(uint32_t index, uint32_t mode) override;
    bool CH341SetBufDownload(uint32_t index, uint32_t enable) override;
    bool CH341SetBufUpload(uint32_t index, uint32_t enable) override;
    int32_t CH341QueryBufDownload(uint32_t index) override;
    bool CH341WriteData(uint32_t index, const uint8_t* data, uint32_t& length) override;
    bool CH341ReadData(uint32_t index, std::span<uint8_t> buffer, uint32_t& length) override;

    // The calls since the last take, which clears them.
    std::vector<std::string> take();
};

}  // namespace vorlisk::test
