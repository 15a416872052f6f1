// The plug-in's console commands on lines of any content: the first byte
// picks the device's CPU type and protocol, the second which set of
// break-condition commands answers (the event function's or the other), the
// hardware break type and the channel count; each further line goes to the
// command window as it is and behind each command word. Every line gets its
// answer; none crashes, hangs or leaves a listing behind.
#include "console/cmd_list_handler_vk3.h"
#include "console/setting_commands.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr const char* kCpuTypes[] = {"Vk31X", "Pz6/300L", "Vk33A", ""};
constexpr const char* kWords[] = {"rf", "de", "gp", "si", "sts", "bp", "bc", "bd", "be", "ho", "nm",
                                   "bcc", "bcd", "bce", "bcs", "bcm"};
constexpr DWORD kMostChannels = 8;

// The commands of one firmware kind over a host of their own.
struct Commands {
    explicit Commands(DWORD swti) {
        if (g_targetConfig == nullptr) {
            g_targetConfig = std::make_unique<CTargetConfig>();
        }
        g_swtiSupported = swti;
        list.OnTargetOpen();
        halt.DefineArguments();
        nmi.DefineArguments();
    }
    // Closed as the target's teardown closes it, before the target goes: a
    // breakpoint listing still running ends first.
    ~Commands() { list.OnTargetClose(); }
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
    CCmdListHandlerVk3 list{&host};
    CCmdHaltOption halt{&host};
    CCmdNmiMode nmi{&host};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One host for each firmware kind for every input, ended at the exit
    // before the target object they reach.
    static Commands withoutEvents(0);
    static Commands withEvents(1);
    Commands* const kinds[] = {&withoutEvents, &withEvents};
    if (size < 2) {
        return 0;
    }
    g_deviceValues.cpuType = kCpuTypes[data[0] % std::size(kCpuTypes)];
    g_protocolType = static_cast<DWORD>(data[0] / std::size(kCpuTypes) % 6);
    Commands* const commands = kinds[data[1] & 1];
    g_deviceValues.hwBreak = (data[1] >> 1) & 1;
    g_deviceValues.addressBreakCount = static_cast<DWORD>((data[1] >> 2) % (kMostChannels + 1));
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        const simhost::CommandOutput output = commands->window.Execute(line);
        if (output.continuation) {
            std::abort();  // no command asks for more lines
        }
        for (const char* word : kWords) {
            static_cast<void>(commands->window.Execute(std::string(word) + " " + line));
        }
        commands->log.Clear();
    }
    return 0;
}
