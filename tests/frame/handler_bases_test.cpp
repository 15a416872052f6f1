#include "frame/error_codes.h"
#include "frame/target_break.h"
#include "frame/target_exec.h"
#include "frame/target_memory.h"
#include "frame/target_status.h"
#include "tests/frame/test_handlers.h"

#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/sync.h"
#include "platform/ui.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using testing_support::kStatusTexts;
using testing_support::TestExec;
using testing_support::TestMemory;

class HandlerBases : public ::testing::Test {
protected:
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

// --- configuration -----------------------------------------------------------

TEST_F(HandlerBases, ConfigurationDescriptionIsThreeLines) {
    CTargetCfg config("Vk3 Q3v SYSTEM", "Emulator", "1.03.00.002", "Device", &host);
    platform::Bstr description;
    ASSERT_EQ(config.GetDescription(description.Out()), S_OK);
    EXPECT_EQ(description.Ansi(), "Vk3 Q3v SYSTEM\nEmulator\n1.03.00.002");
    EXPECT_EQ(config.OnTargetOpen(), S_OK);
    EXPECT_EQ(config.OnTargetClose(), S_OK);
}

// --- run control ---------------------------------------------------------------

TEST_F(HandlerBases, RunControlRegistersBothInterfacesForItsLifetime) {
    {
        TestExec exec(&host);
        const auto registrations = host.Registrations();
        ASSERT_EQ(registrations.size(), 2u);
        EXPECT_EQ(registrations[0].iid, IID_IHTExec);
        EXPECT_EQ(registrations[1].iid, IID_IHTExec2);
        EXPECT_TRUE(registrations[0].server);
    }
    EXPECT_TRUE(host.Registrations().empty());
    const auto withdrawals = log.Find("UnregisterServer");
    ASSERT_EQ(withdrawals.size(), 2u);
    EXPECT_EQ(withdrawals[0].detail, "IHTExec2");  // the extension goes first
}

TEST_F(HandlerBases, IdleFollowsTheRunningFlag) {
    TestExec exec(&host);
    EXPECT_EQ(exec.QueryIdleA(), S_OK);
    EXPECT_EQ(exec.StartExecution(3), S_OK);
    EXPECT_EQ(exec.QueryIdleA(), E_FAIL);
    EXPECT_EQ(exec.QueryIdleB(), E_FAIL);
    EXPECT_EQ(exec.GetRequestCode(), 3u);
    exec.CTargetExec::OnExecutionResult(E_FAIL);
    EXPECT_EQ(exec.QueryIdleA(), S_OK);
    EXPECT_EQ(exec.QueryIdleEx(), E_FAIL);

    exec.startResult = FALSE;
    EXPECT_EQ(exec.StartExecution(0), E_FAIL);
    EXPECT_EQ(exec.QueryIdleA(), E_FAIL);  // a failed start stays running until its result is passed on
    EXPECT_EQ(exec.OnTargetOpen(), S_OK);
    EXPECT_EQ(exec.QueryIdleA(), S_OK);
}

TEST_F(HandlerBases, TheSecondSideKeepsItsOwnState) {
    TestExec exec(&host);
    EXPECT_EQ(exec.SignalHostEvent(2), S_OK);
    EXPECT_EQ(exec.IsRunning2(), 1u);
    EXPECT_EQ(exec.GetRequestCode2(), 2u);
    EXPECT_EQ(exec.IsRunning(), 0u);
    exec.OnExecutionResult(E_FAIL);
    EXPECT_EQ(exec.IsRunning2(), 0u);
    EXPECT_EQ(exec.SetOption(0xCAFE), S_OK);
    EXPECT_EQ(exec.GetOption2(), 0xCAFEu);
    EXPECT_EQ(exec.OnTargetClose(), S_OK);
}

TEST_F(HandlerBases, StatusTextComesFromTheTableWhileTheIndexFits) {
    TestExec exec(&host);
    platform::Bstr text;
    EXPECT_EQ(exec.GetStatusText(text.Out()), S_OK);
    EXPECT_EQ(text.Ansi(), "No error");
    exec.SetStatusIndex(2);
    EXPECT_EQ(exec.GetStatusText(text.Out()), S_OK);
    EXPECT_EQ(text.Ansi(), "File not found");
    exec.SetStatusIndex(3);
    BSTR untouched = nullptr;
    EXPECT_EQ(exec.GetStatusText(&untouched), E_FAIL);
    EXPECT_EQ(untouched, nullptr);
}

TEST_F(HandlerBases, RunControlAnswersItsInterfacesThroughTheExtension) {
    TestExec exec(&host);
    for (const IID* iid : {&IID_IUnknown, &IID_IHTExec, &IID_IHTExec2}) {
        void* object = nullptr;
        EXPECT_EQ(exec.QueryInterface(*iid, &object), S_OK);
        EXPECT_EQ(object, static_cast<IHTExec2*>(&exec));
    }
    void* object = &exec;
    EXPECT_EQ(exec.QueryInterface(IID_IHTarget, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(exec.QueryInterface(IID_Q3vRunControlObject2, &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(&exec));
    EXPECT_EQ(exec.AddRef(), 1u);
    EXPECT_EQ(exec.Release(), 0u);
}

TEST_F(HandlerBases, StartingWaitsForTheNamedGoStartedEvent) {
    platform::VirtualClock clock(0, 0);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "q3v-go-started");
    host.NameEvent(EVENT_GoStarted, "q3v-go-started");
    TestExec exec(&host);
    EXPECT_EQ(exec.StartExecution(0), S_OK);
    EXPECT_EQ(clock.Now(), 1000u);  // nobody signalled: the wait ran out its second
    SetEvent(event);
    EXPECT_EQ(exec.StartExecution(0), S_OK);
    EXPECT_EQ(clock.Now(), 1000u);
    CloseHandle(event);
    host.NameEvent(EVENT_GoStarted, "no-such-event");
    EXPECT_EQ(exec.StartExecution(0), S_OK);  // an event that cannot be opened is no failure
    EXPECT_EQ(clock.Now(), 1000u);
}

TEST_F(HandlerBases, PostingARunStateChangeGoesThroughTheHostsEventService) {
    TestExec exec(&host);
    EXPECT_EQ(exec.PostExecRequest(), S_OK);
    const auto raised = log.Find("RaiseEvent");
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].detail, simhost::GuidText(EVENT_RunState) + "|4660");  // the notify value 0x1234
}

// A run-control handler of the first kind only (IHTExec, no IHTExec2).
class PlainExec : public CTargetExec {
public:
    explicit PlainExec(IHostServiceProvider* host) : CTargetExec(kStatusTexts, 3, host) {}
    DWORD GetNotifyValue() override { return 0x1234; }
    BOOL UpdateState() override {
        ++updates;
        return TRUE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Go() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepInEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOverEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOutEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepIn() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOver() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOut() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Halt() override { return S_OK; }
    int updates = 0;
};

TEST_F(HandlerBases, PostingARunStateChangeTellsTheThreadThatMadeTheHandler) {
    platform::ProcessWaitingMessages();  // this thread has its queue, as the host's UI thread has
    PlainExec exec(&host);
    CTargetExec& base = exec;
    // Posted from another thread, as a run's own thread does.
    std::thread([&base] { EXPECT_EQ(base.PostExecRequest(), S_OK); }).join();
    EXPECT_EQ(exec.updates, 1);
    MSG message{};
    ASSERT_TRUE(platform::TakeThreadMessage(message));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0x1234);
    EXPECT_FALSE(platform::TakeThreadMessage(message));
    EXPECT_TRUE(log.Find("RaiseEvent").empty());  // only the extended handler goes through the host
}

// --- memory map and memory server --------------------------------------------

TEST_F(HandlerBases, MemoryServerAnswersCapabilitiesAndRegistersThrice) {
    {
        TestMemory memory({1, 1, 0, 1, 1, 1, 0}, 0, &host);
        EXPECT_EQ(host.Registrations().size(), 3u);
        EXPECT_EQ(memory.QueryCapability0(), S_OK);
        EXPECT_EQ(memory.QueryCapability2(), S_FALSE);
        EXPECT_EQ(memory.QueryCapability6(), S_FALSE);
        EXPECT_EQ(memory.Extended33(), E_FAIL);
        EXPECT_EQ(memory.ReadMemory(0, 1, 1, nullptr), E_NOTIMPL);
        DWORD blockSize = 0;
        EXPECT_EQ(memory.GetBlockSize(&blockSize), S_OK);
        EXPECT_EQ(blockSize, 256u);
        EXPECT_EQ(memory.OnDownload(0xFFFF), S_OK);
        EXPECT_EQ(memory.GetDownloadValue(), 0xFFFF);
        EXPECT_EQ(memory.RangeLength(5, 5), 1u);
        EXPECT_EQ(memory.RangeLength(9, 5), 5u);
        EXPECT_EQ(memory.RangeLength(0, 0xFFFFFFFF), 0u);  // wraps
    }
    EXPECT_TRUE(host.Registrations().empty());
    const auto withdrawals = log.Find("UnregisterServer");
    ASSERT_EQ(withdrawals.size(), 3u);
    EXPECT_EQ(withdrawals[0].detail, "IHTMemoryServer4");
    EXPECT_EQ(withdrawals[2].detail, "IHTMemoryServer2");
}

TEST_F(HandlerBases, AreaQueriesGoThroughTheMapAndNeedOne) {
    TestMemory memory({0, 0, 0, 0, 0, 0, 0}, 1, &host);
    DWORD count = 7;
    EXPECT_EQ(memory.GetAreaCount(&count), E_FAIL);
    EXPECT_EQ(memory.AddArea(0, 0xFF, 1, 0, 0, 0, 1, 1), E_FAIL);

    CTargetMemoryMap map(&host);
    memory.SetMemoryMap(&map);
    EXPECT_EQ(memory.AddArea(0x000, 0x0FF, 7, 0, 0, 0, 1, 1), S_OK);
    EXPECT_EQ(memory.AddArea(0x080, 0x1FF, 9, 4, 1, 2, 3, 4), S_OK);  // overlaps the first
    EXPECT_EQ(memory.GetAreaCount(&count), S_OK);
    EXPECT_EQ(count, 2u);

    DWORD start = 0;
    DWORD end = 0;
    DWORD attribute = 0;
    DWORD fourth = 0;
    WORD flags[4] = {};
    EXPECT_EQ(memory.GetAreaByAddress(0x0FF, &start, &end, &attribute, &fourth, &flags[0], &flags[1], &flags[2],
                                      &flags[3]),
              S_OK);
    EXPECT_EQ(attribute, 7u);  // the area added first wins, and the end address is inside
    EXPECT_EQ(memory.GetAreaByAddress(0x100, &start, &end, &attribute, &fourth, &flags[0], &flags[1], &flags[2],
                                      &flags[3]),
              S_OK);
    EXPECT_EQ(attribute, 9u);
    EXPECT_EQ(flags[3], 4);
    EXPECT_EQ(memory.GetAreaByAddress(0x200, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr),
              E_FAIL);
    EXPECT_EQ(memory.GetAreaByIndex(2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              E_FAIL);
    EXPECT_EQ(map.GetAreaAttribute(0x150), 9u);
    EXPECT_EQ(map.GetAreaAttribute(0x900), 0u);

    EXPECT_EQ(memory.RemoveArea(static_cast<DWORD>(-1)), E_FAIL);
    EXPECT_EQ(memory.RemoveArea(2), E_FAIL);
    EXPECT_EQ(memory.ModifyArea(1, 0x100, 0x2FF, 5, 0, 0, 0, 0, 0), S_OK);
    EXPECT_EQ(memory.ModifyArea(5, 0, 0, 0, 0, 0, 0, 0, 0), E_FAIL);
    EXPECT_EQ(memory.RemoveArea(0), S_OK);
    EXPECT_EQ(map.GetAreaAttribute(0x050), 0u);
    EXPECT_EQ(map.OnTargetClose(), S_OK);
    EXPECT_EQ(memory.GetAreaCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    memory.SetMemoryMap(nullptr);
}

TEST_F(HandlerBases, RangeCoverageNeedsGaplessAreasWithTheSelectedFlag) {
    CTargetMemoryMap map(&host);
    map.AddArea(0x000, 0x0FF, 0, 0, 0, 0, 1, 1);
    map.AddArea(0x100, 0x1FF, 0, 0, 0, 0, 1, 0);
    EXPECT_TRUE(map.IsRangeCovered(0x80, 0x180, 0));
    EXPECT_FALSE(map.IsRangeCovered(0x80, 0x180, 1));  // the second area's fourth flag is 0
    EXPECT_FALSE(map.IsRangeCovered(0x80, 0x280, 0));
    map.RemoveAll();
    map.AddArea(0x000, 0x0FF, 0, 0, 0, 0, 1, 1);
    map.AddArea(0x101, 0x1FF, 0, 0, 0, 0, 1, 1);
    EXPECT_FALSE(map.IsRangeCovered(0x80, 0x180, 0));  // nothing holds 0x100
    EXPECT_TRUE(map.IsRangeCovered(0x180, 0x80, 0));   // a start above the end asks its own area
}

// --- status page and I/O -------------------------------------------------------

class TestPage : public CTargetStatus {
public:
    explicit TestPage(IHostServiceProvider* host) : CTargetStatus("Page", host, 0) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID pageId, DWORD* count) override {
        return CTargetStatus::GetItemCount(pageId, count);
    }
    HRESULT STDMETHODCALLTYPE GetItemText(GUID pageId, DWORD row, BSTR* text) override {
        return CTargetStatus::GetItemText(pageId, row, text);
    }
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID* pageId, BSTR* name, BSTR* first, BSTR* second, DWORD* w1,
                                          DWORD* w2) override {
        return CTargetStatus::GetPageInfo(pageId, name, first, second, w1, w2);
    }
};

TEST_F(HandlerBases, StatusPageBaseAnswersItsOwnPageOnly) {
    {
        TestPage page(&host);
        ASSERT_EQ(host.Registrations().size(), 1u);
        EXPECT_FALSE(host.Registrations()[0].server);
        DWORD count = 9;
        EXPECT_EQ(page.GetItemCount(GUID_Q3vStatusBasePage, &count), S_OK);
        EXPECT_EQ(count, 0u);
        count = 9;
        EXPECT_EQ(page.GetItemCount(IID_IHTarget, &count), E_FAIL);
        EXPECT_EQ(count, 0u);  // cleared whatever the page
        platform::Bstr text;
        EXPECT_EQ(page.GetItemText(IID_IHTarget, 0, text.Out()), E_FAIL);
        EXPECT_EQ(text.Length(), 0u);
        GUID id{};
        platform::Bstr name;
        platform::Bstr first;
        platform::Bstr second;
        DWORD w1 = 0;
        DWORD w2 = 0;
        EXPECT_EQ(page.GetPageInfo(&id, name.Out(), first.Out(), second.Out(), &w1, &w2), S_OK);
        EXPECT_EQ(id, GUID_Q3vStatusBasePage);
        EXPECT_EQ(name.Ansi(), " ");
        EXPECT_EQ(w1, 150u);
        EXPECT_EQ(page.OnEvent(&EVENT_RunState), S_OK);
    }
    EXPECT_TRUE(host.Registrations().empty());
}

TEST_F(HandlerBases, IoHandlerAnswersItsPathAndValue) {
    CTargetIO io("Z:\\plugin\\IOFiles\\Vk314", 7, &host);
    EXPECT_TRUE(host.Registrations().empty());  // the target registers it
    platform::Bstr path;
    EXPECT_EQ(io.GetIOFilePath(path.Out()), S_OK);
    EXPECT_EQ(path.Ansi(), "Z:\\plugin\\IOFiles\\Vk314");
    DWORD value = 0;
    EXPECT_EQ(io.GetIOValue(&value), S_OK);
    EXPECT_EQ(value, 7u);
    void* object = nullptr;
    EXPECT_EQ(io.QueryInterface(IID_IHTIO, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHTIO*>(&io));
}

// --- PC breakpoints --------------------------------------------------------------

class TestBreak : public CBreakObject {
public:
    TestBreak(DWORD address, int& deleted) : deleted_(deleted) { m_address = address; }
    ~TestBreak() override { ++deleted_; }
    HRESULT Enable() override {
        m_enabled = 1;
        return S_OK;
    }
    HRESULT Disable() override {
        m_enabled = 0;
        return S_FALSE;
    }

private:
    int& deleted_;
};

class TestBreakHandler : public CTargetBreak {
public:
    explicit TestBreakHandler(IHostServiceProvider* host) : CTargetBreak(host) {}
    BOOL IsBreakRefused() override { return refuse; }
    HRESULT CreateBreakObject(DWORD address, const GUID&, BSTR, CBreakObject** object) override {
        if (throwOnCreate) {
            AfxThrowMemoryException();
        }
        *object = createNothing ? nullptr : new TestBreak(address, deleted);
        return S_OK;
    }
    void DeleteBreakObject(CBreakObject* object) override { delete object; }

    BOOL refuse = FALSE;
    bool throwOnCreate = false;
    bool createNothing = false;
    int deleted = 0;
};

DWORD Add(TestBreakHandler& handler, DWORD address, HRESULT expected = S_OK) {
    DWORD index = 0xDEAD;
    EXPECT_EQ(handler.AddBreak(address, GUID{}, nullptr, &index), expected);
    return index;
}

TEST_F(HandlerBases, BreakSlotsAreReusedLowestFirst) {
    TestBreakHandler handler(&host);
    EXPECT_EQ(Add(handler, 0x100), 0u);
    EXPECT_EQ(Add(handler, 0x200), 1u);
    EXPECT_EQ(Add(handler, 0x300), 2u);
    EXPECT_EQ(handler.RemoveBreak(1), S_OK);
    EXPECT_EQ(handler.CountBreaks(), 2u);
    EXPECT_EQ(Add(handler, 0x400), 1u);
    EXPECT_EQ(Add(handler, 0x500), 3u);
    EXPECT_EQ(handler.RemoveBreak(4), E_FAIL);
    EXPECT_EQ(handler.RemoveBreak(-1), E_FAIL);
    handler.OnTargetClose();  // as the target does before deleting a handler
}

TEST_F(HandlerBases, BreakEnableStateAndBadIndexes) {
    TestBreakHandler handler(&host);
    Add(handler, 0x100);
    WORD enabled = 7;
    EXPECT_EQ(handler.IsBreakEnabled(0, &enabled), S_OK);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(handler.EnableBreak(0, 1), S_OK);
    EXPECT_EQ(handler.IsBreakEnabled(0, &enabled), S_OK);
    EXPECT_EQ(enabled, 0xFFFF);
    EXPECT_EQ(handler.EnableBreak(0, 0), S_FALSE);  // the object's own answer
    EXPECT_EQ(handler.EnableBreak(1, 1), E_INVALIDARG);
    EXPECT_EQ(handler.EnableBreak(-1, 1), E_INVALIDARG);
    EXPECT_EQ(handler.IsBreakEnabled(1, &enabled), E_INVALIDARG);
    EXPECT_EQ(handler.GetBreakInfo(0, nullptr, nullptr, nullptr), E_NOTIMPL);
    // An emptied slot has no object to ask.
    EXPECT_EQ(handler.RemoveBreak(0), S_OK);
    EXPECT_EQ(handler.EnableBreak(0, 1), E_INVALIDARG);
    EXPECT_EQ(handler.IsBreakEnabled(0, &enabled), E_INVALIDARG);
    EXPECT_EQ(handler.RemoveBreak(0), S_OK);
    handler.OnTargetClose();
}

TEST_F(HandlerBases, FindBreakReportsTheHighestIndexAtAnAddress) {
    TestBreakHandler handler(&host);
    Add(handler, 0x100);
    Add(handler, 0x200);
    Add(handler, 0x100);
    DWORD index = 99;
    EXPECT_EQ(handler.FindBreak(0x100, &index), S_OK);
    EXPECT_EQ(index, 2u);
    index = 99;
    EXPECT_EQ(handler.FindBreak(0x300, &index), TE_NO_SUCH_BREAKPOINT);
    EXPECT_EQ(index, 99u);
    EXPECT_EQ(handler.OnTargetClose(), S_OK);
    EXPECT_EQ(handler.deleted, 3);
    EXPECT_EQ(handler.FindBreak(0x200, &index), TE_NO_SUCH_BREAKPOINT);
}

TEST_F(HandlerBases, RefusedAndFailedBreaksChangeNothing) {
    TestBreakHandler handler(&host);
    handler.refuse = TRUE;
    Add(handler, 0x100, TE_TABLE_FULL);
    handler.refuse = FALSE;
    handler.createNothing = true;
    Add(handler, 0x100, E_FAIL);
    handler.createNothing = false;
    handler.throwOnCreate = true;
    Add(handler, 0x100, E_FAIL);
    EXPECT_EQ(handler.CountBreaks(), 0u);
    EXPECT_EQ(handler.GetBreakObject(0), nullptr);
}

}  // namespace
