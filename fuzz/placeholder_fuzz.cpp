// Placeholder expansion and checking of fuzzed texts, with custom
// placeholders (some taken from the input) offered by the simulated host.
#include "platform/codepage.h"
#include "sim/host/sim_host.h"
#include "util/placeholder_expander.h"
#include "util/placeholder_keywords.h"
#include "util/placeholder_text.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct Host {
    Host() {
        services.ChangeWorkspace([](simhost::WorkspaceState& state) {
            state.workspaceName = "Demo";
            state.workspaceDirectory = "D:\\Work\\Demo";
            state.projectName = "Blinky";
            state.projectDirectory = "D:\\Work\\Demo\\Blinky";
            state.configName = "Debug";
            state.configDirectory = "D:\\Work\\Demo\\Blinky\\Debug";
            state.hasWorkspacePlaceholders = true;
        });
    }
    simhost::CallLog log;
    simhost::HostServiceProvider services{log};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Host host;
    if (size < 1) {
        return 0;
    }
    platform::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    // A custom placeholder whose name and value come from the input, so that
    // values holding placeholders and names holding brackets are tried.
    const std::size_t half = text.size() / 2;
    const std::string name = text.substr(0, std::min<std::size_t>(half, 12));
    const std::string value = text.substr(half, 24);
    host.services.ChangeWorkspace([&](simhost::WorkspaceState& state) {
        state.placeholders = {{name, "from the input", value}, {"BOARD", "", "$(BOARD)"}};
        state.workspacePlaceholders = {{name, "", "ws"}, {"X", "", "$$("}};
    });
    host.log.Clear();

    const std::string terminated = text.c_str();  // up to the first NUL, as callers pass it
    CPlaceholderExpander expander(&host.services);
    expander.Expand(terminated.c_str(), "D:\\dir\\file.mot");
    expander.Expand(terminated.c_str());
    const int allowed[] = {kFileName, kUser, kTime, kUserInput, 0};
    expander.CheckText(terminated.c_str(), allowed);
    expander.UsesCustomPlaceholders(terminated.c_str());
    ReplaceKeyword(terminated.c_str(), "$(USER)", kUser);
    CString before;
    CString found;
    CString after;
    SplitAtPlaceholder(terminated.c_str(), before, found, after, static_cast<int>(data[0] >> 1));
    platform::SetAnsiCodePage(1252);
    return 0;
}
