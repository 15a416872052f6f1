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
#include "config/device_data.h"
#include "events/status_pages.h"
#include "target/status_servers.h"
#include "target/target_memory_map_vk3.h"
#include "target/target_objects.h"
#include "target/target_setting_store.h"
#include "target/target_vk3.h"
#include "target/trace_memory_access.h"

namespace {

CMonitorTraceMemory g_traceMemory;

// The family memory map's setting texts, as the items pass and read them.
class CFamilyMapTexts : public CMemoryMapSettingTexts {
public:
    explicit CFamilyMapTexts(CTargetMemoryMapVk3* map) : m_map(map) {}
    DWORD SetMapText(const CString& text) override { return Set(&CTargetMemoryMapVk3::SetMapText, text); }
    CString GetMapText() override { return Get(m_map != nullptr ? m_map->GetMapText() : std::string()); }
    DWORD SetResourceText(const CString& text) override {
        return Set(&CTargetMemoryMapVk3::SetResourceText, text);
    }
    CString GetResourceText() override { return Get(m_map != nullptr ? m_map->GetResourceText() : std::string()); }
    DWORD SetRomMode(const CString& text) override { return Set(&CTargetMemoryMapVk3::SetRomMode, text); }
    CString GetRomModeText(int selector) override {
        return Get(m_map != nullptr ? m_map->GetRomModeText(selector) : std::string());
    }

private:
    DWORD Set(void (CTargetMemoryMapVk3::*setter)(const std::string&), const CString& text) {
        if (m_map != nullptr) {
            (m_map->*setter)(std::string(text));
        }
        return 0;
    }
    static CString Get(const std::string& text) { return CString(text.c_str()); }

    CTargetMemoryMapVk3* m_map;
};

// The store over the target's memory map, which the items reach through the
// target.
class CFamilySettingStore : public CTargetSettingStore {
public:
    CFamilySettingStore(IHostServiceProvider* host, CTargetMemoryMapVk3* map)
        : CTargetSettingStore(host, &m_texts), m_texts(map) {}

private:
    CFamilyMapTexts m_texts;
};

std::unique_ptr<CSettingItemStoreBase> MakeSettingItemStore(IHostServiceProvider* host) {
    return std::make_unique<CFamilySettingStore>(
        host, dynamic_cast<CTargetMemoryMapVk3*>(GetTarget()->GetMemoryMapHandler()));
}

// The trace of the target's event engine, which the target makes after the
// trace list: each call finds the engine of the moment (none: no records,
// the default capacity).
class CTargetEngineTrace : public CEventTraceSource {
public:
    bool ReadTrace() override {
        CEventTraceSource* engine = Engine();
        return engine != nullptr && engine->ReadTrace();
    }
    DWORD GetTraceCapacity() override {
        CEventTraceSource* engine = Engine();
        return engine != nullptr ? engine->GetTraceCapacity() : kDefaultCapacity;
    }
    bool IsTraceBusy() override {
        CEventTraceSource* engine = Engine();
        return engine != nullptr && engine->IsTraceBusy();
    }
    std::vector<EventTraceEntry> GetTraceRecords() override {
        CEventTraceSource* engine = Engine();
        return engine != nullptr ? engine->GetTraceRecords() : std::vector<EventTraceEntry>{};
    }
    void GetEventRange(DWORD event, DWORD* start, DWORD* end) override {
        if (CEventTraceSource* engine = Engine()) {
            engine->GetEventRange(event, start, end);
        }
    }

private:
    static constexpr DWORD kDefaultCapacity = 64;
    static CEventTraceSource* Engine() {
        CTargetVk3* target = GetTarget();
        return target != nullptr ? dynamic_cast<CEventTraceSource*>(target->GetEventEngine()) : nullptr;
    }
};

CTargetEngineTrace g_engineTrace;

// The event function's list over the engine's trace, else the chip's
// branch-trace registers.
CTargetHandler* MakeTraceHandler(IHostServiceProvider* host) {
    if (g_swtiSupported == 1) {
        return new CTraceListProvider(host, &g_traceMemory, &g_engineTrace);
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
