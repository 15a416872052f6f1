#include "frame/target.h"
#include "frame/dlg_connection.h"
#include "frame/target_break.h"
#include "frame/target_status.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "tests/frame/test_handlers.h"
#include "tests/frame/test_resources.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using frametest::kConnectingDialog;
using testsupport::TestUi;
using Journal = std::vector<std::string>;

// A manual-reset event, set or clear at first.
struct Event {
    explicit Event(bool set) : handle(CreateEventA(nullptr, TRUE, set ? TRUE : FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    void Set() const { SetEvent(handle); }
    void Reset() const { ResetEvent(handle); }
    void Wait() const { WaitForSingleObject(handle, INFINITE); }
    bool IsSet() const { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }
    HANDLE handle;
};

// Sets the event when the scope ends, however it ends.
class SetOnExit {
public:
    explicit SetOnExit(const Event& event) : event_(event) {}
    ~SetOnExit() { event_.Set(); }
    SetOnExit(const SetOnExit&) = delete;
    SetOnExit& operator=(const SetOnExit&) = delete;

private:
    const Event& event_;
};

// Each handler writes what happens to it into the journal.
template <typename Base>
class Journaled : public Base {
public:
    template <typename... Arguments>
    Journaled(Journal& journal, std::string name, Arguments&&... arguments)
        : Base(std::forward<Arguments>(arguments)...), journal_(journal), name_(std::move(name)) {}
    ~Journaled() override { journal_.push_back("delete " + name_); }
    HRESULT OnTargetOpen() override {
        journal_.push_back("open " + name_);
        return Base::OnTargetOpen();
    }
    HRESULT OnTargetClose() override {
        journal_.push_back("close " + name_);
        return Base::OnTargetClose();
    }

private:
    Journal& journal_;
    std::string name_;
};

class JournaledIO : public Journaled<CTargetIO> {
public:
    JournaledIO(Journal& journal, IHostServiceProvider* host) : Journaled(journal, "io", "IOFiles\\", 0, host) {}
};

class JournaledStatus : public CTargetStatus {
public:
    JournaledStatus(Journal& journal, IHostServiceProvider* host) : CTargetStatus("Status", host, 0), journal_(journal) {}
    ~JournaledStatus() override { journal_.push_back("delete status"); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID, DWORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetItemText(GUID, DWORD, BSTR*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID*, BSTR*, BSTR*, BSTR*, DWORD*, DWORD*) override { return S_OK; }

private:
    Journal& journal_;
};

class JournaledBreak : public Journaled<CTargetBreak> {
public:
    JournaledBreak(Journal& journal, IHostServiceProvider* host) : Journaled(journal, "break", host) {}
    HRESULT CreateBreakObject(DWORD, const GUID&, BSTR, CBreakObject**) override { return E_FAIL; }
    void DeleteBreakObject(CBreakObject* object) override { delete object; }
};

// A target whose factories make journaled handlers, as the test asks.
class TestTarget : public CTarget {
public:
    // The connecting dialog; as it goes, and before its base awaits the
    // connect thread, it runs whenDialogGoes.
    class Dialog : public CDlgConnection {
    public:
        template <typename Template>
        Dialog(TestTarget& target, Template templateId) : CDlgConnection(&target, templateId), target_(target) {}
        ~Dialog() override {
            if (target_.whenDialogGoes) {
                target_.whenDialogGoes();
            }
        }

    private:
        TestTarget& target_;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry*) override { return S_OK; }

    CTargetCfg* CreateCfgHandler() override {
        journal.push_back("create cfg");
        return withCfg ? new Journaled<CTargetCfg>(journal, "cfg", "System", "Emulator", "1.0", "Device", m_host)
                       : nullptr;
    }
    CTargetBreak* CreateBreakHandler() override {
        journal.push_back("create break");
        return onlyConfiguration ? nullptr : new JournaledBreak(journal, m_host);
    }
    CTargetExec* CreateExecHandler() override {
        journal.push_back("create exec");
        return onlyConfiguration ? nullptr : new Journaled<testing_support::TestExec>(journal, "exec", m_host);
    }
    CTargetIO* CreateIOHandler() override {
        journal.push_back("create io");
        return onlyConfiguration ? nullptr : new JournaledIO(journal, m_host);
    }
    CTargetMemory* CreateMemoryHandler() override {
        journal.push_back("create memory");
        if (onlyConfiguration) {
            return nullptr;
        }
        return new Journaled<testing_support::TestMemory>(journal, "memory",
                                                          CTargetMemory::Capabilities{1, 1, 1, 1, 1, 1, 0}, 0, m_host);
    }
    CTargetMemoryMap* CreateMemoryMapHandler() override {
        journal.push_back("create map");
        return withMap && !onlyConfiguration ? new Journaled<CTargetMemoryMap>(journal, "map", m_host) : nullptr;
    }
    CTargetStatus* CreateStatusHandler() override {
        journal.push_back("create status");
        return onlyConfiguration ? nullptr : new JournaledStatus(journal, m_host);
    }
    // Connects as the plug-in's target does: through the connecting dialog,
    // whose connect thread runs ConnectProc.
    DWORD Connect() override {
        journal.push_back("connect");
        auto dialog = templateByName ? std::make_unique<Dialog>(*this, "#900")
                                     : std::make_unique<Dialog>(*this, kConnectingDialog);
        dialogResult = dialog->DoModal();
        return dialog->GetConnectResult();
    }
    // The connect procedure: waits for go, hands over the result, and, once
    // it may close the dialog, lets the base close it and end the thread.
    UINT ConnectProc() override {
        SetOnExit ended(threadEnded);
        journal.push_back("connect proc");
        connectThread = GetCurrentThreadId();
        go.Wait();
        GetConnectionDialog()->EnableCancel(connects);
        resultSet.Set();
        mayClose.Wait();
        const UINT code = CTarget::ConnectProc();
        journal.push_back("base connect proc returned");
        return code;
    }
    void Disconnect() override { journal.push_back("disconnect"); }

    Journal journal;
    bool withCfg = true;
    bool withMap = true;
    bool onlyConfiguration = false;
    bool templateByName = false;
    DWORD connects = 1;
    INT_PTR dialogResult = 0;
    std::function<void()> whenDialogGoes;
    std::atomic<DWORD> connectThread{0};
    Event go{true};
    Event mayClose{true};
    Event resultSet{false};
    Event threadEnded{false};
};

class TargetBase : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(target.Attach(&host, 1), S_OK); }
    // A connect thread that was started has ended (unwound from the base
    // ConnectProc) before the target goes.
    void TearDown() override {
        if (target.connectThread != 0) {
            target.go.Set();
            target.mayClose.Set();
            target.threadEnded.Wait();
        }
    }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    TestTarget target;
    platform::Bstr name{"Vk3 Q3v SYSTEM"};
};

TEST_F(TargetBase, InitialiseCreatesConnectsAndOpensInTheFixedOrder) {
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    EXPECT_EQ(target.GetTargetName(), "Vk3 Q3v SYSTEM");
    EXPECT_EQ(target.journal, (Journal{"create cfg", "create break", "create io", "create memory", "create map",
                                       "create exec", "create status", "connect", "connect proc", "open cfg",
                                       "open memory", "open map", "open exec"}));
    EXPECT_EQ(target.IsConnected(), 1u);
    EXPECT_EQ(target.GetMemoryHandler()->GetMemoryMap(), target.GetMemoryMapHandler());
    platform::Bstr description;
    EXPECT_EQ(target.GetDescription(description.Out()), S_OK);
    EXPECT_EQ(description.Ansi(), "System\nEmulator\n1.0");
    EXPECT_EQ(target.SetParameters(3, 0xBEEF), S_OK);
    EXPECT_EQ(static_cast<CTargetExec2*>(target.GetExecHandler())->GetOption2(), 0xBEEFu);

    target.journal.clear();
    EXPECT_EQ(target.Uninitialise(), S_OK);
    EXPECT_EQ(target.journal, (Journal{"disconnect", "delete status", "close exec", "delete exec", "close map",
                                       "delete map", "close memory", "delete memory", "close io", "delete io",
                                       "close break", "delete break", "close cfg", "delete cfg"}));
    EXPECT_TRUE(host.Registrations().empty());  // every handler withdrew, the I/O handler too
}

TEST_F(TargetBase, TheConnectThreadRunsBesideTheModalDialogAndClosesIt) {
    TestUi ui;
    ui.OnDialog(kConnectingDialog).WaitForClose();
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    EXPECT_TRUE(target.threadEnded.IsSet());  // the connect has ended with its thread
    EXPECT_NE(target.connectThread, 0u);
    EXPECT_NE(target.connectThread, GetCurrentThreadId());
    // The base ended the thread from inside: nothing after it ran.
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "base connect proc returned"), 0);
    EXPECT_EQ(target.dialogResult, IDCANCEL);  // the dialog's default close is its Cancel
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].caption, "Connecting");
    target.Uninitialise();
}

TEST_F(TargetBase, ThePersonCannotCloseTheConnectingDialogBeforeTheResult) {
    for (const bool byName : {false, true}) {
        SCOPED_TRACE(byName ? "template by name" : "template by id");
        TestUi ui;
        target.templateByName = byName;
        target.go.Reset();
        target.threadEnded.Reset();
        ui.OnDialog(kConnectingDialog)
            .PressEscape()
            .PressCancel()
            .Close()
            .Do([this](platform::UiDialog& person) {
                EXPECT_TRUE(person.IsOpen());
                target.go.Set();  // the connect procedure finishes and closes the dialog
            })
            .WaitForClose();
        ASSERT_EQ(target.Initialise(name.Get()), S_OK);
        EXPECT_EQ(target.IsConnected(), 1u);
        EXPECT_TRUE(target.threadEnded.IsSet());
        target.Uninitialise();
    }
}

// Once the result is in, the person may close the dialog before the thread
// does. The thread runs on after the dialog has closed (its close then finds
// no window), and the dialog awaits its end as it goes, so the connect has no
// thread left when it returns.
TEST_F(TargetBase, ADialogClosedOnceTheResultIsInAwaitsTheThreadsEnd) {
    TestUi ui;
    target.mayClose.Reset();
    target.connects = 5;
    target.whenDialogGoes = [this] { target.mayClose.Set(); };
    ui.OnDialog(kConnectingDialog).Do([this](platform::UiDialog&) { target.resultSet.Wait(); }).Close();
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    EXPECT_EQ(target.IsConnected(), 5u);
    EXPECT_EQ(target.dialogResult, IDCANCEL);
    EXPECT_TRUE(target.threadEnded.IsSet());
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "base connect proc returned"), 0);
    target.Uninitialise();
}

// A second connect starts its thread only once the first one's has ended.
TEST_F(TargetBase, EachConnectHasItsOwnThread) {
    for (int connect = 0; connect < 2; ++connect) {
        TestUi ui;
        ui.OnDialog(kConnectingDialog).WaitForClose();
        target.threadEnded.Reset();
        ASSERT_EQ(target.Initialise(name.Get()), S_OK);
        EXPECT_TRUE(target.threadEnded.IsSet());
        target.Uninitialise();
    }
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "connect proc"), 2);
}

TEST_F(TargetBase, TheIoHandlerIsRegisteredByTheTarget) {
    ASSERT_EQ(target.Initialise(name.Get()), S_OK);
    int io = 0;
    for (const auto& registration : host.Registrations()) {
        io += registration.iid == IID_IHTIO ? 1 : 0;
    }
    EXPECT_EQ(io, 1);
    target.Uninitialise();
}

TEST_F(TargetBase, AMissingRequiredHandlerFailsWithoutConnectingAndLeavesNothing) {
    target.withMap = false;
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "connect"), 0);
    EXPECT_EQ(target.GetCfgHandler(), nullptr);
    EXPECT_EQ(target.GetExecHandler(), nullptr);
    EXPECT_TRUE(host.Registrations().empty());
}

TEST_F(TargetBase, AConnectThatFailsDeletesEveryHandler) {
    target.connects = 0;
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "connect proc"), 1);
    EXPECT_EQ(target.IsConnected(), 0u);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "disconnect"), 0);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "delete cfg"), 1);
    EXPECT_EQ(target.GetMemoryHandler(), nullptr);
    EXPECT_TRUE(host.Registrations().empty());
}

TEST_F(TargetBase, DescriptionNeedsAConfigurationHandler) {
    platform::Bstr description;
    EXPECT_EQ(target.GetDescription(description.Out()), E_FAIL);
    target.withCfg = false;
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_EQ(target.Reconnect(), S_OK);
}

TEST(TargetBaseAlone, DestroyingOnlyAConfigurationHandlerWorks) {
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    TestTarget target;
    target.Attach(&host, 1);
    target.onlyConfiguration = true;
    EXPECT_EQ(target.CreateHandlers(), E_FAIL);
    target.journal.clear();
    EXPECT_EQ(target.DestroyHandlers(), S_OK);
    EXPECT_EQ(target.journal, (Journal{"close cfg", "delete cfg"}));
    EXPECT_EQ(target.GetCfgHandler(), nullptr);
}

}  // namespace
