// Break-condition command texts of any content, as the break-condition pages
// and console commands might pass them: the parse must stay inside the text
// and the channel records, store zero-terminated texts and display one
// channel or all eight.
#include "config/break_channels.h"
#include "monitor/monitor_engine.h"
#include "monitor/monitor_output.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kLine = 5 + kBreakChannelTextSize + 2;

void Check() {
    const DWORD used = g_monitorOutputUsed;
    if (used != kLine && used != kBreakChannelCount * kLine) {
        std::abort();
    }
    for (const BreakChannelRecord& record : g_breakChannels) {
        if (record.commandText[kBreakChannelTextSize - 1] != '\0' || record.enable > 1) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CMonitorEngine engine;
    const std::string text(reinterpret_cast<const char*>(data), size);
    engine.ExecuteBreakConditionCommand(text);
    Check();
    // The same text as the condition of a channel command.
    engine.ExecuteBreakConditionCommand("BC" + text);
    Check();
    return 0;
}
