// Installs the factories of the target's status-side objects at the
// module's start: the status pages (the Platform page is the status
// handler), the status-period and running-memory servers, the setting-item
// store and the trace provider, and the instruction text of the stop
// reports.
#include "frame/target_memory.h"
#include "monitor/branch_trace_provider.h"
#include "monitor/event_trace_provider.h"
#include "monitor/instruction_text.h"
#include "monitor/trace_row_format.h"
#include "startup/device_data.h"
#include "target/status_pages.h"
#include "target/status_servers.h"
#include "target/target_objects.h"
#include "target/target_setting_store.h"
#include "target/target_vk3.h"
#include "target/trace_memory_access.h"

namespace {

CMonitorTraceMemory g_traceMemory;

std::unique_ptr<CSettingItemStoreBase> MakeSettingItemStore(IHostServiceProvider* host) {
    // The items reach the memory map through the target.
    CTargetMemoryMap* map = GetTarget()->GetMemoryMapHandler();
    return std::make_unique<CTargetSettingStore>(host, dynamic_cast<CMemoryMapSettingTexts*>(map));
}

// The event function's provider until the event engine offers its trace.
CTargetHandler* MakeTraceHandler(IHostServiceProvider* host) {
    if (g_swtiSupported == 1) {
        return new CTraceListProvider(host, &g_traceMemory, nullptr);
    }
    return new CBranchTraceListProvider(host, &g_traceMemory);
}

std::string InstructionText(DWORD address) {
    return FormatInstructionAt(GetTarget()->GetHost(), &g_traceMemory, address);
}

[[maybe_unused]] const bool g_installed = [] {
    UpdateTargetObjectFactories([](TargetObjectFactories& factories) {
        factories.statusHandler = [](const StatusPageContext& context) -> CTargetStatus* {
            return new CStatusConnectionPage(context);
        };
        factories.statusBreakPage = [](const StatusPageContext& context) -> CTargetStatus* {
            return new CStatusBreakPage(context);
        };
        factories.statusDevicePage = [](const StatusPageContext& context) -> CTargetStatus* {
            return new CStatusDevicePage(context);
        };
        factories.statusTiming = [](IHostServiceProvider* host) -> CTargetHandler* { return new CStatusTiming(host); };
        factories.runningMemoryServer = [](IHostServiceProvider* host) -> CTargetHandler* {
            return new CRunningMemoryServer(host);
        };
        factories.settingItemStore = MakeSettingItemStore;
        factories.traceHandler = MakeTraceHandler;
    });
    SetInstructionTextSource(InstructionText);
    return true;
}();

}  // namespace
