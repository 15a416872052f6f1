#include "monitor/monitor_output.h"

#include "link/monitor_data.h"

#include <algorithm>
#include <cstring>

std::atomic<DWORD> g_monitorOutputUsed{0};

namespace {

constexpr std::size_t kKindWord = 0;
constexpr std::size_t kLengthWord = 1;

}  // namespace

void AppendMonitorOutput(const char* text, WORD length) {
    const DWORD used = std::min<DWORD>(g_monitorOutputUsed, kMonitorPayloadCapacity);
    const DWORD copied = std::min<DWORD>(length, static_cast<DWORD>(kMonitorPayloadCapacity) - used);
    std::memcpy(g_monitorData.Payload().data() + used, text, copied);
    g_monitorOutputUsed = used + copied;
    g_monitorData.SetWord(kLengthWord, used + copied);
    g_monitorData.SetWord(kKindWord, kMonitorReplyText);
}

void AppendMonitorText(std::string_view text) {
    AppendMonitorOutput(text.data(), static_cast<WORD>(std::min<std::size_t>(text.size(), 0xFFFF)));
}

void BeginMonitorCommand() {
    g_monitorOutputUsed = 0;
    g_monitorReplyState = kMonitorReplyRunning;
}

void EndMonitorCommand() {
    g_monitorReplyState = kMonitorReplyPending;
}

void BeginMonitorTextCommand() {
    BeginMonitorCommand();
    g_monitorData.SetWord(kKindWord, kMonitorReplyText);
    g_monitorData.SetWord(kLengthWord, 0);
}
