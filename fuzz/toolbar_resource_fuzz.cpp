// Toolbar resources of any bytes and any length through the UI registration
// manager's toolbar registrations: nothing is read past the resource's end,
// and the ids the host receives are exactly the non-zero words the header's
// count names, when the whole resource holds them.
#include "hostui/host_ui_manager.h"
#include "hostui/ui_resource_helpers.h"
#include "platform/export.h"
#include "platform/module.h"
#include "sim/host/sim_host.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kToolbar = 700;

// The program's one toolbar, given as the fuzzer's bytes.
platform::ToolbarResource g_toolbars[] = {{kToolbar, 16, 15, {}, {}}};

// The buttons a resource of these bytes holds, read the plain way.
std::vector<DWORD> Expected(const std::uint8_t* data, std::size_t size) {
    std::vector<DWORD> ids;
    if (size < 8 || (data[0] | (data[1] << 8)) != 1) {
        return ids;
    }
    const std::size_t count = static_cast<std::size_t>(data[6] | (data[7] << 8));
    if (size < 8 + 2 * count) {
        return ids;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD id = static_cast<DWORD>(data[8 + 2 * i] | (data[9 + 2 * i] << 8));
        if (id != 0) {
            ids.push_back(id);
        }
    }
    return ids;
}

std::string IdsText(const std::vector<DWORD>& ids) {
    std::string text;
    for (const DWORD id : ids) {
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    }
    return "VT_ARRAY|VT_UINT {" + text + "}";
}

// The three registrations load the same resource, so each is made under an
// owner of its own: under one owner they would replace each other.
struct Session {
    Session() {
        for (DWORD& owner : owners) {
            manager.AcquireOwnerId(&owner);
        }
        host.UiRegistry().ClearCalls();
    }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CHostUiManager manager{&host};
    DWORD owners[3] = {};
};

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    static const platform::ResourceTable resources = {.toolbars = g_toolbars};
    return &resources;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;  // a toolbar given as no bytes is one made from its (no) buttons
    }
    static Session session;
    // The resource is read where the fuzzer holds the bytes: a read past
    // their end is the sanitizer's to catch.
    g_toolbars[0].bytes = std::span<const BYTE>(data, size);
    const HINSTANCE program = GetModuleHandleA(nullptr);
    simhost::HostUiRegistry& ui = session.host.UiRegistry();
    const std::string expected = IdsText(Expected(data, size));

    CHostUiManager& manager = session.manager;
    const HRESULT added = manager.AddToolbar("{fuzz}", "Fuzz", program, kToolbar, 0, session.owners[0], nullptr);
    const HRESULT named = manager.AddNamedToolbar("Fuzz", program, 0, kToolbar, session.owners[1], nullptr);
    const HRESULT fromResource =
        manager.AddToolbarFromResource("Fuzz", program, kToolbar, 0, session.owners[2], nullptr);
    if (added != S_OK || named != S_OK || fromResource != S_OK) {
        std::abort();
    }
    const std::vector<simhost::UiCall> calls = ui.Calls();
    if (calls.size() != 3u) {
        std::abort();
    }
    for (const simhost::UiCall& call : calls) {
        const std::size_t buttons = call.op == 69 ? 7 : 6;
        if (call.args.size() <= buttons || call.args[buttons] != expected) {
            std::abort();
        }
    }
    for (const DWORD owner : session.owners) {
        manager.UnregisterOwner(owner);
    }
    const auto owners = ui.Owners();
    if (!std::all_of(owners.begin(), owners.end(), [](const auto& owner) { return owner.second.Empty(); })) {
        std::abort();  // something registered was not withdrawn
    }
    if (!ui.HostErrors().empty()) {
        std::abort();
    }
    ui.ClearCalls();
    session.log.Clear();
    return 0;
}
