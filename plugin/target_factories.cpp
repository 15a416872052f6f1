// The target's handler factories, the further objects and the teardown in
// its fixed order.
#include "target/target_vk3.h"

#include "breaks/break_manager.h"
#include "console/cmd_list_handler_vk3.h"
#include "events/break_condition_provider.h"
#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "events/event_column_owner.h"
#include "events/view_column_base.h"
#include "frame/error_codes.h"
#include "frame/target_exec.h"
#include "frame/target_memory.h"
#include "frame/target_status.h"
#include "link/driver_list.h"
#include "link/ule_drv_interface.h"
#include "config/device_data.h"
#include "startup/device_selection.h"
#include "target/monitor_objects.h"
#include "config/settings_files.h"
#include "target/small_handlers.h"
#include "config/module_folder.h"
#include "target/target_cfg_vk3.h"
#include "config/target_config.h"
#include "target/target_exec_vk3.h"
#include "target/target_memory_map_vk3.h"
#include "target/target_memory_vk3.h"
#include "target/target_objects.h"

#include <cstring>
#include <new>

namespace {

constexpr char kTargetSection[] = "Q3v KTR4 TARGET";
constexpr char kIoFilesFolder[] = "IOFiles\\";
constexpr char kIoFileFamily[] = "Vk314";
// The list selectors of the start-up selection: "CPU NAME" when the host
// opened the target under the library's name, else "CPU NAME_L".
constexpr int kDeviceListOwnName = 0;
constexpr int kDeviceListOtherName = 1;

// Closes a handler, then deletes it through its owner's Delete operation.
template <typename Object, typename Delete>
void CloseAndDelete(Object*& object, Delete deleteObject) {
    if (object != nullptr) {
        object->OnTargetClose();
        deleteObject(object);
        object = nullptr;
    }
}

}  // namespace

bool CTargetComponentBase::TraceRequired() {
    return g_deviceValues.traceFunction == 1;
}

HRESULT CTargetComponentBase::CreateHandlers() {
    const HRESULT result = CTarget::CreateHandlers();
    if (FAILED(result)) {
        return result;
    }
    m_commandList = CreateCommandListHandler();
    m_textRequestServer = CreateTextRequestServer();
    m_runningMemoryServer = CreateRunningMemoryServer();
    m_statusTiming = CreateStatusTiming();
    m_statusBreakPage = CreateStatusBreakPage();
    m_statusDevicePage = CreateStatusDevicePage();
    const bool traceRequired = TraceRequired();
    if (traceRequired) {
        m_traceHandler = CreateTraceHandler();
    }
    m_eventEngine = CreateEventEngine();
    // The link, the monitor and the go thread reach the engine from now on.
    SetEventEngineHooks(m_eventEngine);
    m_eventHandler = CreateEventHandler();
    m_breakConditionSet = CreateBreakConditionSet();
    m_eventColumns = CreateEventColumns();
    m_supportMarkerServer = CreateSupportMarkerServer();
    const bool complete = m_commandList != nullptr && m_textRequestServer != nullptr &&
                          m_runningMemoryServer != nullptr && m_statusTiming != nullptr &&
                          m_statusBreakPage != nullptr && m_statusDevicePage != nullptr &&
                          m_eventHandler != nullptr && m_breakConditionSet != nullptr &&
                          m_supportMarkerServer != nullptr &&
                          (!traceRequired || (m_traceHandler != nullptr && m_eventColumns != nullptr));
    return complete ? result : TE_DLL_ERROR;
}

CTargetHandler* CTargetComponentBase::CreateCommandListHandler() {
    return new CCmdListHandlerVk3(m_host);
}

CTargetHandler* CTargetComponentBase::CreateTextRequestServer() {
    return new CTextRequestServer(m_host, 0);
}

CTargetHandler* CTargetComponentBase::CreateRunningMemoryServer() {
    const auto factory = GetTargetObjectFactories().runningMemoryServer;
    return factory ? factory(m_host) : nullptr;
}

CTargetHandler* CTargetComponentBase::CreateStatusTiming() {
    const auto factory = GetTargetObjectFactories().statusTiming;
    return factory ? factory(m_host) : nullptr;
}

namespace {

StatusPageContext MakeStatusPageContext(const CTarget& target) {
    // The family's break handler is a CTargetBreakVk3 (the break manager).
    return StatusPageContext{target.GetTargetName(),
                             target.GetHost(),
                             target.GetExecHandler(),
                             dynamic_cast<CTargetBreakVk3*>(target.GetBreakHandler()),
                             target.GetCfgHandler(),
                             target.GetMemoryMapHandler()};
}

}  // namespace

CTargetStatus* CTargetComponentBase::CreateStatusBreakPage() {
    const auto factory = GetTargetObjectFactories().statusBreakPage;
    return factory ? factory(MakeStatusPageContext(*this)) : nullptr;
}

CTargetStatus* CTargetComponentBase::CreateStatusDevicePage() {
    const auto factory = GetTargetObjectFactories().statusDevicePage;
    return factory ? factory(MakeStatusPageContext(*this)) : nullptr;
}

CTargetHandler* CTargetComponentBase::CreateTraceHandler() {
    const auto factory = GetTargetObjectFactories().traceHandler;
    return factory ? factory(m_host) : nullptr;
}

CEventEngineBase* CTargetComponentBase::CreateEventEngine() {
    if (g_swtiSupported == 0) {
        return nullptr;
    }
    const auto factory = GetTargetObjectFactories().eventEngine;
    if (!factory) {
        return nullptr;
    }
    const EventEngineSetup setup{g_cnfPath, g_deviceSection, g_deviceAreas[kAreaAse1].top};
    return factory(m_host, setup);
}

CTargetEventVk3* CTargetComponentBase::CreateEventHandler() {
    // The event-function firmware's handler also serves the engine's list.
    if (g_swtiSupported != 0) {
        return new CBreakConditionProvider(m_host);
    }
    return new CTargetEventVk3(m_host);
}

CBreakConditionSet* CTargetComponentBase::CreateBreakConditionSet() {
    return new CBreakConditionSet(m_host);
}

CViewColumnBase* CTargetComponentBase::CreateEventColumns() {
    if (g_swtiSupported == 1) {
        return new CEventColumnOwner(m_host);
    }
    return new CViewColumnBase(m_host);
}

CTargetHandler* CTargetComponentBase::CreateSupportMarkerServer() {
    return new CSupportMarkerServer(m_host);
}

void CTargetComponentBase::DeleteCommandListHandler(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteTextRequestServer(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteRunningMemoryServer(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteStatusTiming(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteTraceHandler(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteSupportMarkerServer(CTargetHandler* object) {
    delete object;
}

void CTargetComponentBase::DeleteStatusBreakPage(CTargetStatus* object) {
    delete object;
}

void CTargetComponentBase::DeleteStatusDevicePage(CTargetStatus* object) {
    delete object;
}

void CTargetComponentBase::DeleteEventHandler(CTargetEventVk3* object) {
    delete object;
}

void CTargetComponentBase::DeleteEventColumns(CViewColumnBase* object) {
    delete object;
}

void CTargetComponentBase::DeleteEventEngine(CEventEngineBase* object) {
    delete object;
}

HRESULT CTargetComponentBase::DestroyHandlers() {
    // The go thread polls the link, the event engine and the host while it
    // waits for a stop: it stops waiting and ends before any of them goes.
    // The program on the target is left as it is.
    if (auto* exec = dynamic_cast<CTargetExecVk3*>(GetExecHandler())) {
        exec->EndRunThread();
    }
    DestroyFurtherObjects();
    m_driverName.clear();
    if (g_targetConfig != nullptr) {
        static_cast<void>(g_targetConfig->Destroy());  // it answers 0
        g_targetConfig.reset();
    }
    // The driver ends its link here and is deleted once, with its list,
    // after the handlers have gone.
    if (g_currentDriver != nullptr) {
        static_cast<void>(g_currentDriver->Cleanup());  // it answers 0
    }
    static_cast<void>(CTarget::DestroyHandlers());  // it answers 0
    ReleaseSessionObjects();
    return S_OK;
}

void CTargetComponentBase::DestroyFurtherObjects() {
    CloseAndDelete(m_commandList, [this](CTargetHandler* object) { DeleteCommandListHandler(object); });
    CloseAndDelete(m_textRequestServer, [this](CTargetHandler* object) { DeleteTextRequestServer(object); });
    CloseAndDelete(m_runningMemoryServer, [this](CTargetHandler* object) { DeleteRunningMemoryServer(object); });
    CloseAndDelete(m_statusTiming, [this](CTargetHandler* object) { DeleteStatusTiming(object); });
    // The pages are deleted, not closed.
    if (m_statusBreakPage != nullptr) {
        DeleteStatusBreakPage(m_statusBreakPage);
        m_statusBreakPage = nullptr;
    }
    if (m_statusDevicePage != nullptr) {
        DeleteStatusDevicePage(m_statusDevicePage);
        m_statusDevicePage = nullptr;
    }
    CloseAndDelete(m_traceHandler, [this](CTargetHandler* object) { DeleteTraceHandler(object); });
    if (m_eventEngine != nullptr) {
        SetEventEngineHooks(nullptr);
        DeleteEventEngine(m_eventEngine);
        m_eventEngine = nullptr;
    }
    CloseAndDelete(m_eventHandler, [this](CTargetEventVk3* object) { DeleteEventHandler(object); });
    if (m_eventColumns != nullptr) {
        static_cast<void>(m_eventColumns->Destroy());  // nothing follows from its answer
        DeleteEventColumns(m_eventColumns);
        m_eventColumns = nullptr;
    }
    CloseAndDelete(m_supportMarkerServer, [this](CTargetHandler* object) { DeleteSupportMarkerServer(object); });
}

void CTargetComponentBase::ReleaseSessionObjects() {
    if (g_driverList != nullptr) {
        g_driverList->ReleaseCurrentDriver();
        delete g_driverList;
        g_driverList = nullptr;
    } else if (g_currentDriver != nullptr) {
        // A driver without its list is still this session's to delete.
        delete g_currentDriver;
        g_currentDriver = nullptr;
    }
    delete g_driverFactory;
    g_driverFactory = nullptr;
    DestroyMonitorObjects();
    delete m_breakConditionSet;
    m_breakConditionSet = nullptr;
    DeleteMonitorControl();
}

CTargetCfg* CTargetVk3::CreateCfgHandler() {
    g_deviceIndex = -1;
    BuildCnfPath();
    char library[sizeof(g_libraryName)] = "";
    ReadProfileString(kTargetSection, "LIBRARY NAME", "", library, sizeof(library), g_cnfPath);
    if (library[0] == '\0') {
        return nullptr;
    }
    std::memcpy(g_libraryName, library, sizeof(g_libraryName));
    ReadProfileString(kTargetSection, "LIBRARY NAME2", "", g_libraryName2, sizeof(g_libraryName2), g_cnfPath);
    ReadProfileString(kTargetSection, "FAMILY NAME", "", g_familyName, sizeof(g_familyName), g_cnfPath);
    ReadProfileString(kTargetSection, "FAMILY NAME2", "", g_familyName2, sizeof(g_familyName2), g_cnfPath);
    const bool ownName = m_targetName == library;
    if (g_deviceSelection == nullptr ||
        g_deviceSelection->LoadStartupDeviceSelection(ownName ? kDeviceListOwnName : kDeviceListOtherName) != 0) {
        return nullptr;
    }
    const std::string section = g_deviceSelection->GetDeviceName(g_deviceIndex);
    std::strncpy(g_deviceSection, section.c_str(), sizeof(g_deviceSection) - 1);
    g_deviceSection[sizeof(g_deviceSection) - 1] = '\0';
    if (g_deviceValues.cpuType != g_familyName || !ownName) {
        return nullptr;
    }
    return new CTargetCfgVk3(g_libraryName, g_deviceSection, m_host, kTypeCode, 0);
}

CTargetBreak* CTargetVk3::CreateBreakHandler() {
    return new CTBreakManager(m_host);
}

CTargetExec* CTargetVk3::CreateExecHandler() {
    if (g_deviceIndex < 0) {
        return nullptr;
    }
    const auto* cfg = dynamic_cast<const CTargetCfgVk3*>(m_cfgHandler);
    if (cfg == nullptr || cfg->GetTypeCode() < CTargetCfgVk3::kTypeCodeFirst ||
        cfg->GetTypeCode() > CTargetCfgVk3::kTypeCodeLast) {
        return nullptr;
    }
    const auto factory = GetTargetObjectFactories().execHandler;
    return factory ? factory(m_host) : nullptr;
}

CTargetIO* CTargetVk3::CreateIOHandler() {
    return new CTargetIO((GetModuleDirectory() + kIoFilesFolder + kIoFileFamily).c_str(), 0, m_host);
}

CTargetMemory* CTargetVk3::CreateMemoryHandler() {
    return new (std::nothrow) CTargetMemoryVk3(m_host);
}

CTargetMemoryMap* CTargetVk3::CreateMemoryMapHandler() {
    const DWORD top = g_deviceValues.maxAddr;
    return new (std::nothrow) CTargetMemoryMapVk3Setup(m_host, top, top);
}

CTargetStatus* CTargetVk3::CreateStatusHandler() {
    const auto factory = GetTargetObjectFactories().statusHandler;
    return factory ? factory(MakeStatusPageContext(*this)) : nullptr;
}
