// The restore of the software breaks from an arbitrary store (lines of
// "key=value") and the action parser over an arbitrary suffix and value: no
// read past a value or a buffer, no break beyond a kind's capacity, and a
// save of what was restored reads back to as many breaks of each kind.
#include "breaks/break_action_text.h"
#include "breaks/break_manager.h"

#include "frame/host_profile_accessor.h"
#include "sim/host/sim_host.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// A store over a map of keys.
class MapStore : public CHostProfileAccessor {
public:
    MapStore() : CHostProfileAccessor(nullptr, "ws", "proj", "x", CLSID_Q3vVk3Target) {}
    HRESULT WriteString(const char* name, const char* value) override {
        values[name] = value;
        return S_OK;
    }
    HRESULT ReadString(const char* name, const char* defaultValue, CString& value) override {
        const auto found = values.find(name);
        value = found != values.end() ? found->second.c_str() : defaultValue;
        return S_OK;
    }
    std::map<std::string, std::string> values;
};

constexpr DWORD kCapacities[] = {255, 2, 8, 8, 1, 255, 2, 8};

void CheckCapacities(const CTBreakManager& manager) {
    for (int kind = 0; kind < 8; ++kind) {
        if (manager.GetKindBreakCount(kind) > kCapacities[kind]) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static simhost::CallLog log;
    static simhost::HostServiceProvider host(log);
    const std::string input(reinterpret_cast<const char*>(data), size);

    BreakActionDesc desc;
    const std::string firstLine = input.substr(0, input.find('\n'));
    static_cast<void>(ParseBreakActionText(desc, firstLine.c_str(), input.c_str()));

    MapStore store;
    std::size_t start = 0;
    while (start < input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string line = input.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            store.values["T_BREAK_" + line.substr(0, equals)] = line.substr(equals + 1);
        }
        start = end + 1;
    }
    CTBreakManager manager(&host);
    static_cast<void>(manager.LoadBreaks(store));
    CheckCapacities(manager);

    MapStore saved;
    if (FAILED(manager.SaveBreaks(saved))) {
        std::abort();
    }
    // A file name long enough to push its action text past 299 characters
    // saves but is refused on reading; whatever reads back is the same.
    CTBreakManager again(&host);
    if (again.LoadBreaks(saved) == S_OK) {
        for (int kind = 0; kind < 8; ++kind) {
            if (again.GetKindBreakCount(kind) != manager.GetKindBreakCount(kind)) {
                std::abort();
            }
        }
    }
    return 0;
}
