// A target of the tests' own over the plug-in's target object: every further
// object and handler comes from its own factories and writes what happens to
// it into a journal, so the order of creation, opening, closing and deletion
// can be read back. Nothing in the plug-in is hooked: the factories are the
// target's virtual operations, the later subsystems' objects its narrow
// interfaces.
#pragma once

#include "console/cmd_list_handler.h"
#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "events/view_column_base.h"
#include "frame/dlg_connection.h"
#include "frame/target_status.h"
#include "link/ule_drv_interface.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/small_handlers.h"
#include "target/target_break_vk3.h"
#include "target/target_cfg_vk3.h"
#include "config/target_config.h"
#include "target/target_objects.h"
#include "target/target_vk3.h"
#include "tests/frame/test_handlers.h"

#include <set>
#include <string>
#include <vector>

namespace targettest {

using Journal = std::vector<std::string>;

template <typename Base>
class Journaled : public Base {
public:
    template <typename... Arguments>
    Journaled(Journal& journal, std::string name, HRESULT openResult, Arguments&&... arguments)
        : Base(std::forward<Arguments>(arguments)...),
          journal_(journal),
          name_(std::move(name)),
          openResult_(openResult) {}
    ~Journaled() override { journal_.push_back("delete " + name_); }
    HRESULT OnTargetOpen() override {
        journal_.push_back("open " + name_);
        return FAILED(openResult_) ? openResult_ : Base::OnTargetOpen();
    }
    HRESULT OnTargetClose() override {
        journal_.push_back("close " + name_);
        return Base::OnTargetClose();
    }

private:
    Journal& journal_;
    std::string name_;
    HRESULT openResult_;
};

class JournaledStatus : public CTargetStatus {
public:
    JournaledStatus(Journal& journal, std::string name, IHostServiceProvider* host)
        : CTargetStatus(name.c_str(), host, 0), journal_(journal), name_(std::move(name)) {}
    ~JournaledStatus() override { journal_.push_back("delete " + name_); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetItemText(GUID, DWORD, BSTR*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID*, BSTR*, BSTR*, BSTR*, DWORD*, DWORD*) override { return S_OK; }

private:
    Journal& journal_;
    std::string name_;
};

// The run-control handler with the reports the host's events ask for.
class ReportingExec : public Journaled<testing_support::TestExec>, public CRunControlReports {
public:
    ReportingExec(Journal& journal, IHostServiceProvider* host) : Journaled(journal, "exec", S_OK, host) {}
    CString GetStopCauseText() override { return stopCause; }
    void RefreshRegisterList() override { ++registerRefreshes; }
    CString stopCause = "BREAK KEY";
    int registerRefreshes = 0;
};

class JournaledEngine : public CEventEngineBase {
public:
    JournaledEngine(Journal& journal, HRESULT attachResult) : journal_(journal), attachResult_(attachResult) {}
    ~JournaledEngine() override { journal_.push_back("delete engine"); }
    HRESULT Attach(CEmulatorLink*) override {
        journal_.push_back("start engine");
        return attachResult_;
    }
    bool SetAddressInterrupt(DWORD, DWORD, LONG) override { return true; }
    void StartEvents(LONG) override {}
    void StopEvents() override {}

private:
    Journal& journal_;
    HRESULT attachResult_;
};

// Whether the monitor engine, the run-state monitor and the halt control
// (teardown step 18) are still there.
inline bool MonitorObjectsLive() {
    return g_monitorEngine != nullptr || g_runStateMonitor != nullptr || g_haltControl != nullptr;
}

class JournaledConditionSet : public CBreakConditionSet {
public:
    JournaledConditionSet(Journal& journal, IHostServiceProvider* host) : CBreakConditionSet(host), journal_(journal) {}
    ~JournaledConditionSet() override {
        if (MonitorObjectsLive()) {
            journal_.push_back("monitor objects live");
        }
        journal_.push_back("delete condition set");
    }

private:
    Journal& journal_;
};

// The session's monitor control; its deletion is teardown step 20.
class JournaledMonitorControl : public CMonitorControl {
public:
    explicit JournaledMonitorControl(Journal& journal) : journal_(journal) {}
    ~JournaledMonitorControl() override { journal_.push_back("delete monitor control"); }

private:
    Journal& journal_;
};

class JournaledColumns : public CViewColumnBase {
public:
    JournaledColumns(Journal& journal, IHostServiceProvider* host) : CViewColumnBase(host), journal_(journal) {}
    ~JournaledColumns() override { journal_.push_back("delete columns"); }
    HRESULT Create() override {
        journal_.push_back("open columns");
        return CViewColumnBase::Create();
    }
    HRESULT Destroy() override {
        journal_.push_back("close columns");
        return CViewColumnBase::Destroy();
    }

private:
    Journal& journal_;
};

class JournaledConfig : public CTargetConfig {
public:
    explicit JournaledConfig(Journal& journal) : journal_(journal) {}
    ~JournaledConfig() override { journal_.push_back("delete config"); }
    DWORD Destroy() override {
        journal_.push_back("destroy config");
        return CTargetConfig::Destroy();
    }

private:
    Journal& journal_;
};

class JournaledDriver : public CUleDrvInterface {
public:
    explicit JournaledDriver(Journal& journal) : CUleDrvInterface("Z:\\nowhere\\NoDriver.dll"), journal_(journal) {}
    ~JournaledDriver() override { journal_.push_back("delete driver"); }
    DWORD Cleanup() override {
        journal_.push_back("cleanup driver");
        return CUleDrvInterface::Cleanup();
    }

private:
    Journal& journal_;
};

class JournaledFactory : public CUleDrvFactory {
public:
    explicit JournaledFactory(Journal& journal) : journal_(journal) {}
    ~JournaledFactory() override { journal_.push_back("delete factory"); }

private:
    Journal& journal_;
};

// The test's target. Its objects are made unless named in missing; the one
// named in failingOpen fails its open.
class TestTarget : public CTargetVk3 {
public:
    CTargetCfg* CreateCfgHandler() override {
        return Make<Journaled<CTargetCfgVk3>>("cfg", "Vk3 Q3v SYSTEM", "VK31D16", m_host, kTypeCode, WORD{0});
    }
    CTargetBreak* CreateBreakHandler() override { return Make<Journaled<CTargetBreakVk3>>("break", m_host); }
    CTargetExec* CreateExecHandler() override {
        return Missing("exec") ? nullptr : (exec = new ReportingExec(journal, m_host));
    }
    CTargetMemory* CreateMemoryHandler() override {
        return Make<Journaled<testing_support::TestMemory>>("memory", CTargetMemory::Capabilities{1, 1, 1, 1, 1, 1, 0},
                                                             0, m_host);
    }
    CTargetMemoryMap* CreateMemoryMapHandler() override { return Make<Journaled<CTargetMemoryMap>>("map", m_host); }
    CTargetStatus* CreateStatusHandler() override { return MakeStatus("status"); }
    CTargetHandler* CreateCommandListHandler() override { return Make<Journaled<CCmdListHandler>>("commands", m_host); }
    CTargetHandler* CreateTextRequestServer() override {
        return Make<Journaled<CTextRequestServer>>("text requests", m_host, DWORD{0});
    }
    CTargetHandler* CreateRunningMemoryServer() override {
        return Make<Journaled<CTargetHandler>>("running memory", m_host);
    }
    CTargetHandler* CreateStatusTiming() override { return Make<Journaled<CTargetHandler>>("status timing", m_host); }
    CTargetStatus* CreateStatusBreakPage() override { return MakeStatus("break page"); }
    CTargetStatus* CreateStatusDevicePage() override { return MakeStatus("device page"); }
    CTargetHandler* CreateTraceHandler() override { return Make<Journaled<CTargetHandler>>("trace", m_host); }
    // Made only with the firmware's event function, as the target's own.
    CEventEngineBase* CreateEventEngine() override {
        return g_swtiSupported != 0 && !Missing("engine") ? new JournaledEngine(journal, engineAttachResult) : nullptr;
    }
    CTargetEventVk3* CreateEventHandler() override { return Make<Journaled<CTargetEventVk3>>("events", m_host); }
    CBreakConditionSet* CreateBreakConditionSet() override {
        return Missing("condition set") ? nullptr : new JournaledConditionSet(journal, m_host);
    }
    CViewColumnBase* CreateEventColumns() override {
        return Missing("columns") ? nullptr : new JournaledColumns(journal, m_host);
    }
    CTargetHandler* CreateSupportMarkerServer() override {
        return Make<Journaled<CSupportMarkerServer>>("support marker", m_host);
    }

    // Connects at once, or through a connecting dialog whose connect thread
    // hands the result over and closes it, or as the plug-in's target does.
    DWORD Connect() override {
        journal.push_back("connect");
        if (realConnect) {
            return CTargetVk3::Connect();
        }
        if (!throughDialog) {
            return connects;
        }
        CDlgConnection dialog(this, res_id::kDownloadProgressDialog);
        dialog.DoModal();
        return dialog.GetConnectResult();
    }
    UINT ConnectProc() override {
        if (realConnect) {
            return CTargetVk3::ConnectProc();
        }
        GetConnectionDialog()->EnableCancel(connects);
        return CTarget::ConnectProc();
    }
    void Disconnect() override {
        journal.push_back("disconnect");
        CTargetVk3::Disconnect();
    }

    void SetTargetName(const char* name) { m_targetName = name; }

    Journal journal;
    std::set<std::string> missing;
    std::string failingOpen;
    DWORD connects = 1;
    bool throughDialog = false;
    bool realConnect = false;
    HRESULT engineAttachResult = S_OK;
    ReportingExec* exec = nullptr;

private:
    bool Missing(const std::string& name) {
        journal.push_back("create " + name);
        return missing.count(name) != 0;
    }
    template <typename Object, typename... Arguments>
    Object* Make(const std::string& name, Arguments&&... arguments) {
        if (Missing(name)) {
            return nullptr;
        }
        return new Object(journal, name, name == failingOpen ? E_FAIL : S_OK, std::forward<Arguments>(arguments)...);
    }
    CTargetStatus* MakeStatus(const std::string& name) {
        return Missing(name) ? nullptr : new JournaledStatus(journal, name, m_host);
    }
};

}  // namespace targettest
