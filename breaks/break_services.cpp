#include "breaks/break_services.h"

#include "frame/host_event.h"
#include "frame/target_exec.h"
#include "frame/target_memory.h"
#include "monitor/monitor_engine.h"
#include "config/device_data.h"
#include "target/target_cfg_vk3.h"
#include "target/target_memory_map_vk3.h"
#include "target/target_vk3.h"

namespace {

// The services of the plug-in's one target object.
class CTargetBreakServices final : public CBreakServices {
public:
    DWORD GetCpuTypeCode() const override {
        // The family's target makes only its own configuration handler.
        const auto* cfg = static_cast<const CTargetCfgVk3*>(GetTarget()->GetCfgHandler());
        return cfg != nullptr ? cfg->GetTypeCode() : 0;
    }
    void SetModified() override { MarkSessionModified(); }
    const CLSID& GetComponentClassId() const override { return GetTarget()->GetComponentClassId(); }
    bool IsProgramRunning() const override {
        const CTargetExec* exec = GetTarget()->GetExecHandler();
        return exec != nullptr && exec->IsRunning() == 1;
    }
    // The memory map's PC limit; without the family's map the device's top
    // address, which that limit is made from.
    DWORD GetTopAddress() const override {
        const auto* map = dynamic_cast<const CTargetMemoryMapVk3*>(GetTarget()->GetMemoryMapHandler());
        return map != nullptr ? map->GetFirstLimit() : g_deviceValues.maxAddr;
    }
    DWORD GetDataLimit() const override {
        const auto* map = dynamic_cast<const CTargetMemoryMapVk3*>(GetTarget()->GetMemoryMapHandler());
        return map != nullptr ? map->GetSecondLimit() : g_deviceValues.maxAddr;
    }
    void BreakpointCommand(DWORD mode, DWORD address) override {
        if (g_monitorEngine != nullptr) {
            g_monitorEngine->BreakpointCommand(mode, address, 0, 0);
        }
    }
    HRESULT ReadMemoryBlock(DWORD start, DWORD end, BYTE* buffer) override {
        CTargetMemory* memory = GetTarget()->GetMemoryHandler();
        return memory != nullptr ? memory->ReadMemoryBlock(start, end, buffer) : E_FAIL;
    }
    HRESULT WriteMemoryBlock(DWORD start, DWORD end, BYTE* buffer) override {
        CTargetMemory* memory = GetTarget()->GetMemoryHandler();
        return memory != nullptr ? memory->WriteMemoryBlock(start, end, buffer) : E_FAIL;
    }
    void RaiseHostEvent(const GUID& eventId) override { GetTarget()->RaiseHostEvent(CHostEvent(eventId)); }
};

CTargetBreakServices g_targetBreakServices;
CBreakServices* g_breakServices = &g_targetBreakServices;

}  // namespace

CBreakServices& BreakServices() {
    return *g_breakServices;
}

CBreakServicesScope::CBreakServicesScope(CBreakServices& services) : m_previous(g_breakServices) {
    g_breakServices = &services;
}

CBreakServicesScope::~CBreakServicesScope() {
    g_breakServices = m_previous;
}
