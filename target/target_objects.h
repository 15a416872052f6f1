// The objects of later subsystems that the target makes and drives: the
// family's run-control and status handlers, the status
// servers and pages, the trace provider, the event engine and the
// setting-item store, the reports of the run-control handler that the
// host's events ask for, and the sheet runs of the memory-map handler that
// the plug-in's Setup menu asks for.
//
// Each subsystem installs its factory when it is built (at the module's
// start); until then the factory makes nothing. The target treats a missing
// object as its rules say: a required one fails the initialisation, an
// optional one is left out.
#pragma once

#include "link/event_engine_hooks.h"
#include "platform/afx.h"
#include "platform/host/interfaces.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CEmulatorLink;
class CTargetBreakVk3;
class CTargetCfg;
class CTargetExec;
class CTargetHandler;
class CTargetMemory;
class CTargetMemoryMap;
class CTargetStatus;

// What the status pages are made with.
struct StatusPageContext {
    CString targetName;
    IHostServiceProvider* host = nullptr;
    CTargetExec* execHandler = nullptr;
    CTargetBreakVk3* breakHandler = nullptr;
    CTargetCfg* cfgHandler = nullptr;
    CTargetMemoryMap* memoryMapHandler = nullptr;
};

// The engine of the firmware's event function, as the target drives it: made
// when the firmware offers the function, attached to the link after
// connecting (not when programming the flash), its hooks installed for the
// link, the monitor and the go thread while it exists, deleted at teardown.
class CEventEngineBase : public IEventEngineHooks {
public:
    virtual ~CEventEngineBase() = default;
    // Sends the register addresses and the stored settings once; a failure
    // (E_FAIL) fails the target's initialisation.
    virtual HRESULT Attach(CEmulatorLink* link) = 0;
};

// What the event engine is made with: the device description file, the
// device's section in it, and the top of the device's "ASE1" area, which
// the trace buffer's address counts from.
struct EventEngineSetup {
    std::string deviceFile;
    std::string deviceSection;
    DWORD traceAreaBase = 0;
};

// The setting items' store, which the target opens around each session load
// and save to refresh the items from the workspace or write them back.
class CSettingItemStoreBase {
public:
    virtual ~CSettingItemStoreBase() = default;
    // Negative: the store cannot serve.
    virtual HRESULT Open() = 0;
    virtual void Close() = 0;
    virtual HRESULT Load() = 0;
    virtual HRESULT Save(const std::vector<std::string>& items) = 0;
};

// What the host's events ask of the run-control handler; the family's
// run-control handler offers it beside its host interfaces.
class CRunControlReports {
public:
    // The cause of the last stop, as the status bar shows it.
    virtual CString GetStopCauseText() = 0;
    // Reads the registers again for the host's register list.
    virtual void RefreshRegisterList() = 0;

protected:
    ~CRunControlReports() = default;
};

// What the plug-in's Setup menu asks of the memory-map handler: the target
// configuration's Configuration sheet, Emulator Setting sheet and Start/Stop
// Function Setting dialog, each run under the plug-in's module state. The
// family's memory-map handler offers it beside CTargetMemoryMap.
class CSetupSheetRuns {
public:
    virtual void RunConfigurationSheet() = 0;
    virtual void RunEmulatorSettingSheet() = 0;
    virtual void RunStartStopDialog() = 0;

protected:
    ~CSetupSheetRuns() = default;
};

// The memory map's setting texts, which the saved setting items write back
// and read (over the family's memory-map handler); without one the items
// pass nothing and read empty texts.
class CMemoryMapSettingTexts {
public:
    virtual DWORD SetMapText(const CString& text) = 0;
    virtual CString GetMapText() = 0;
    virtual DWORD SetResourceText(const CString& text) = 0;
    virtual CString GetResourceText() = 0;
    virtual DWORD SetRomMode(const CString& text) = 0;
    virtual CString GetRomModeText(int selector) = 0;

protected:
    ~CMemoryMapSettingTexts() = default;
};

struct TargetObjectFactories {
    std::function<CTargetExec*(IHostServiceProvider*)> execHandler;
    std::function<CTargetStatus*(const StatusPageContext&)> statusHandler;
    std::function<CTargetHandler*(IHostServiceProvider*)> runningMemoryServer;
    std::function<CTargetHandler*(IHostServiceProvider*)> statusTiming;
    std::function<CTargetStatus*(const StatusPageContext&)> statusBreakPage;
    std::function<CTargetStatus*(const StatusPageContext&)> statusDevicePage;
    std::function<CTargetHandler*(IHostServiceProvider*)> traceHandler;
    std::function<CEventEngineBase*(IHostServiceProvider*, const EventEngineSetup&)> eventEngine;
    std::function<std::unique_ptr<CSettingItemStoreBase>(IHostServiceProvider*)> settingItemStore;
};

// Installs the factories (an empty set removes them).
void SetTargetObjectFactories(TargetObjectFactories factories);
// Installs some of them, leaving the others as they are: each subsystem
// installs its own at the module's start.
void UpdateTargetObjectFactories(const std::function<void(TargetObjectFactories&)>& change);
TargetObjectFactories GetTargetObjectFactories();
