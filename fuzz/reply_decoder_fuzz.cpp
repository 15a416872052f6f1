// Monitor data of any content, as the monitor engine might leave it: the
// reply decoder and its accessors must never read or allocate beyond the
// monitor data buffer, whatever its header says.
#include "link/emu_response.h"
#include "link/monitor_data.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The header words come from the input, big-endian, then the payload.
void Fill(const std::uint8_t* data, std::size_t size) {
    for (std::size_t word = 0; word < kMonitorHeaderWords; ++word) {
        DWORD value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = word * 4 + i;
            value = (value << 8) | (at < size ? data[at] : 0);
        }
        g_monitorData.SetWord(word, value);
    }
    const std::size_t payload = size > kMonitorHeaderSize ? size - kMonitorHeaderSize : 0;
    std::copy_n(data + std::min(size, kMonitorHeaderSize), std::min(payload, kMonitorPayloadCapacity),
                g_monitorData.Payload().begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CEmuResponse decoder;
    Fill(data, size);
    g_monitorReplyState = kMonitorReplyPending;
    EmuReplyPtr record;
    decoder.Poll(record);
    if (record == nullptr || record->length > kMonitorPayloadCapacity || record->payload.size() < record->length) {
        std::abort();
    }
    DWORD length = 0;
    if (CEmuResponse::GetOutputLength(record.get(), &length) == 0) {
        std::string text(length, '\0');
        if (length == 0 || CEmuResponse::GetOutputText(record.get(), text) != 0) {
            std::abort();
        }
    }
    DWORD number = 0;
    CEmuResponse::GetErrorNumber(record.get(), &number);
    if (CEmuResponse::GetErrorTextLength(record.get(), &length) == 0) {
        std::string text(length, '\0');
        if (CEmuResponse::GetErrorText(record.get(), text) != 0) {
            std::abort();
        }
    }
    return 0;
}
