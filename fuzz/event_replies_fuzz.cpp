// Replies of any bytes and lengths to the event commands 'U' and 'V', and the
// trace decoded from them as the event engine decodes it: nothing is read
// outside a reply, a reply short of its command's length never counts, and
// the records never outnumber the trace.
#include "events/event_commands.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A command whose reply is the fuzzer's bytes, received into the command's
// own buffer as the link would receive it.
template <typename Command>
class Fuzzed : public Command {
public:
    using Command::Command;
    bool Receive(const std::uint8_t* data, std::size_t size) {
        this->m_reply.assign(5 * this->m_replyLength, 0);
        const std::size_t received = std::min(size, this->m_reply.size());
        std::copy_n(data, received, this->m_reply.begin());
        if (!this->IsReplyOk(received)) {
            return false;
        }
        this->Decode();
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const DWORD traceSize = static_cast<DWORD>(data[0]) + 1;
    const LONG traceType = data[1] % 3;
    const std::size_t split = std::min<std::size_t>(data[2], size - 3);
    const std::uint8_t* pointerReply = data + 3;
    const std::uint8_t* entriesReply = pointerReply + split;
    const std::size_t entriesSize = size - 3 - split;

    Fuzzed<CEventCommandU> pointer(nullptr, BYTE{0x21});
    if (!pointer.Receive(pointerReply, split)) {
        return 0;
    }
    if (split < 12 || pointer.m_pointer > 0xFF) {
        std::abort();
    }
    Fuzzed<CEventCommandV> entries(nullptr, BYTE{0x22}, BYTE{0x23}, traceSize);
    if (!entries.Receive(entriesReply, entriesSize)) {
        return 0;
    }
    if (entriesSize < 4 * traceSize + 10 || entries.m_entries.size() != traceSize) {
        std::abort();
    }
    const auto records =
        DecodeTraceEntries(entries.m_entries, pointer.m_pointer, pointer.m_wrapped != 0, traceSize, traceType);
    if (records.size() > traceSize) {
        std::abort();
    }
    for (const CEventTraceRecord& record : records) {
        if (record.value > 0xFFFFFF || (record.kind == 0 && record.size == 1 && record.value > 0xFF)) {
            std::abort();
        }
    }
    return 0;
}
