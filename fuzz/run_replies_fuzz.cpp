// Reply texts of any content, as the monitor might leave them at a stop:
// run control's scanners (the stop-cause line, "BREAK !", the step out's
// return words, the status line) and its reply processing must never read
// beyond the text, whatever its length; every length from 0 to 8 is tried
// on each input's prefix.
#include "link/emu_response.h"
#include "target/target_exec_vk3.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kShortLengths = 8;

EmuReplyPtr TextReply(std::string_view text) {
    auto record = std::make_unique<CEmuReply>();
    record->replyClass = kReplyText;
    record->length = static_cast<DWORD>(text.size());
    record->payload.assign(text.begin(), text.end());
    record->payload.push_back(0);
    return record;
}

void Scan(CTargetExecVk3& handler, std::string_view text) {
    std::string out;
    if (exec_reply::FindStopCause(text, out) && out.size() > 79) {
        std::abort();
    }
    static_cast<void>(exec_reply::IsBreakText(text));
    static_cast<void>(exec_reply::FindStepOutMark(text));
    static_cast<void>(exec_reply::FindStatusLine(text, out));
    handler.SetStopCauseText(text);
    const EmuReplyPtr record = TextReply(text);
    for (const WORD status : {CEmuResponse::kStopped, CEmuResponse::kRunning}) {
        g_emuResponse->SetRunStatus(status);
        handler.ProcessReply(*record);
    }
    handler.ProcessStepOutReply(*record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CEmuResponse decoder;
    static CTargetExecVk3 handler(nullptr);
    g_emuResponse = &decoder;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t length = 0; length <= std::min(size, kShortLengths); ++length) {
        Scan(handler, text.substr(0, length));
    }
    Scan(handler, text);
    return 0;
}
