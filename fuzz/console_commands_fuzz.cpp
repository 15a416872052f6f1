// The plug-in's console commands on lines of any content: the first byte
// picks the device's CPU type and protocol, each further line goes to the
// command window as it is and behind each command word. Every line gets its
// answer; none crashes, hangs or leaves a listing behind.
#include "console/cmd_list_handler_vk3.h"
#include "console/setting_commands.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"
#include "startup/device_data.h"
#include "target/target_config.h"

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
constexpr const char* kWords[] = {"rf", "de", "gp", "si", "sts", "bp", "bc", "bd", "be", "ho", "nm"};

struct Commands {
    Commands() {
        g_targetConfig = std::make_unique<CTargetConfig>();
        list.OnTargetOpen();
        halt.DefineArguments();
        nmi.DefineArguments();
    }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
    CCmdListHandlerVk3 list{&host};
    CCmdHaltOption halt{&host};
    CCmdNmiMode nmi{&host};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Commands* commands = new Commands;  // one host for every input; the process ends it
    if (size == 0) {
        return 0;
    }
    g_deviceValues.cpuType = kCpuTypes[data[0] % std::size(kCpuTypes)];
    g_protocolType = static_cast<DWORD>(data[0] / std::size(kCpuTypes) % 6);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
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
