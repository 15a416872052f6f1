// The simulated host's status window, trace window, execution service,
// disassembler and host events, against small clients of the tests' own.
#include "sim/host/sim_host.h"
#include "sim/host/status_window.h"

#include "platform/bstr.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

namespace {

struct DisassemblyCase {
    std::uint32_t protocolType;
    DWORD address;
    std::array<BYTE, 8> bytes;
    const char* text;
};

TEST(HostDisassembler, NamesTheEmulatorsInstructionSubset) {
    const DisassemblyCase cases[] = {
        {1, 0xC000, {0x04}, "NOP"},
        {1, 0xC006, {0xFE, 0xF9}, "JMP.B 00C000"},
        {1, 0xC000, {0xF4, 0x0F, 0x01}, "JMP.W 00C110"},
        {1, 0xC000, {0xFC, 0x56, 0x34, 0x12}, "JMP.A 123456"},
        {1, 0xC000, {0xEF, 0x0F}, "JSR.B 00C010"},
        {1, 0xC000, {0xF5, 0xFF, 0xFF}, "JSR.W 00C000"},
        {1, 0xC000, {0xFD, 0x10, 0xC0, 0x00}, "JSR.A 00C010"},
        {1, 0xC012, {0xF3}, "RTS"},
        {1, 0xC012, {0xFB}, "REIT"},
        {1, 0xC012, {0x7D, 0xF2}, "EXITD"},
        {1, 0xC012, {0x7D, 0xF3}, ".BYTE 7D"},
        {1, 0xC012, {0x00}, "BRK"},
        {1, 0xC012, {0xDF}, ".BYTE DF"},
        {3, 0xC012, {0xDF}, "RTS"},
        {3, 0xC012, {0x9E}, "REIT"},
        {3, 0xC000, {0xCD, 0x10, 0xC0, 0xFF}, "JSR.A FFC010"},
        {3, 0xC012, {0x08}, "BRK"},
        {3, 0xC012, {0x7D, 0xF2}, ".BYTE 7D"},
    };
    simhost::CallLog log;
    simhost::HostDisassembler disassembler(log);
    for (const DisassemblyCase& c : cases) {
        disassembler.SetProtocolType(c.protocolType);
        platform::Bstr text;
        EXPECT_EQ(disassembler.Disassemble(c.address, c.bytes.data(), text.Out()), S_OK);
        EXPECT_EQ(text.Ansi(), c.text);
    }
    EXPECT_EQ(disassembler.Disassemble(0, nullptr, nullptr), E_POINTER);
}

TEST(HostDisassembler, AnswersFromAnotherThread) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    IHDisassembler* service = nullptr;
    ASSERT_EQ(host.QueryService(IID_IHDisassembler, reinterpret_cast<void**>(&service)), S_OK);
    std::vector<std::string> texts(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        threads.emplace_back([&, i] {
            const BYTE bytes[8] = {0xF3};
            for (int n = 0; n < 100; ++n) {
                platform::Bstr text;
                service->Disassemble(static_cast<DWORD>(i), bytes, text.Out());
                texts[i] = text.Ansi();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(texts, std::vector<std::string>(4, "RTS"));
    EXPECT_EQ(log.Find("Disassemble").size(), 400u);
}

TEST(HostExecution, AnswersSuccessOnlyWhileTheHostRuns) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    IHExecutionService* service = nullptr;
    ASSERT_EQ(host.QueryService(IID_IHExecutionService, reinterpret_cast<void**>(&service)), S_OK);
    EXPECT_EQ(service->QueryExecuting(), E_FAIL);
    host.Execution().SetExecuting(true);
    EXPECT_EQ(service->QueryExecuting(), S_OK);
    host.Execution().SetExecuting(false);
    EXPECT_EQ(service->QueryExecuting(), E_FAIL);
}

// A status page of the tests' own, which also receives host events.
class TestPage : public IHStatusClient, public IHEventReceiver {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID pageId, DWORD* count) override {
        *count = pageId == kId ? 2 : 0;
        return pageId == kId ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE GetItemText(GUID, DWORD row, BSTR* text) override {
        *text = platform::AllocBstr(row == 0 ? "Item\tValue" : "Other\tThing");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID* pageId, BSTR* name, BSTR* first, BSTR* second, DWORD* firstWidth,
                                          DWORD* secondWidth) override {
        *pageId = kId;
        *name = platform::AllocBstr("Test");
        *first = platform::AllocBstr("Item");
        *second = platform::AllocBstr("Status");
        *firstWidth = 250;
        *secondWidth = 300;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID* eventId) override {
        events.push_back(*eventId);
        return S_OK;
    }

    static constexpr GUID kId = hostid::MakeId(0x7777, 1);
    std::vector<GUID> events;
};

TEST(HostStatusWindow, ReadsEveryRegisteredPage) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    TestPage page;
    host.RegisterClient(IID_IHStatusClient, static_cast<IHStatusClient*>(&page));
    const simhost::StatusWindow window(host);
    const auto pages = window.Pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].name, "Test");
    EXPECT_EQ(pages[0].firstTitle, "Item");
    EXPECT_EQ(pages[0].secondWidth, 300u);
    EXPECT_EQ(pages[0].rows, (std::vector<std::string>{"Item\tValue", "Other\tThing"}));
    EXPECT_EQ(window.Text(), "[Test]\n  Item : Value\n  Other : Thing\n");
    EXPECT_FALSE(window.Page("Memory").has_value());
    // No period or running-memory server registered.
    EXPECT_FALSE(window.StatusTime().has_value());
    BYTE buffer[4] = {};
    EXPECT_EQ(window.ReadRunningMemory(0, 4, buffer), E_FAIL);
    host.UnregisterClient(IID_IHStatusClient, static_cast<IHStatusClient*>(&page));
    EXPECT_TRUE(window.Pages().empty());
}

TEST(HostEvents, ReachEveryRegisteredEventReceiverWithTheirId) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    TestPage first;
    TestPage second;
    host.RegisterClient(IID_IHEventReceiver, static_cast<IHEventReceiver*>(&first));
    host.RegisterClient(IID_IHStatusClient, static_cast<IHStatusClient*>(&second));  // not a receiver
    EXPECT_EQ(host.RaiseHostEvent(EVENT_TraceClear), 1u);
    EXPECT_EQ(first.events, std::vector<GUID>{EVENT_TraceClear});
    EXPECT_TRUE(second.events.empty());
    EXPECT_EQ(log.Find("RaiseHostEvent").size(), 1u);
}

// A trace list of two rows.
class TestTraceList : public IHTTraceList {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetRowText(DWORD row, BSTR* text) override {
        *text = platform::AllocBstr("row " + std::to_string(row));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRowText2(DWORD row, BSTR* text) override { return GetRowText(row, text); }
    HRESULT STDMETHODCALLTYPE QueryCapability(DWORD, WORD*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Unsupported6(DWORD, DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE Unsupported7(DWORD, DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE Unsupported8(DWORD, DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetName(DWORD* kind, BSTR* name) override {
        *kind = 1;
        *name = platform::AllocBstr("Trace");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clear(DWORD kind) override {
        cleared.push_back(kind);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetHeader(BSTR* header) override {
        *header = platform::AllocBstr("PTR\tIP");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(DWORD kind, DWORD* count) override {
        *count = kind == 0 ? 4 : 2;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unsupported13(DWORD, DWORD) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetColumnKind(DWORD, LONG*) override { return S_OK; }

    std::vector<DWORD> cleared;
};

TEST(HostTraceWindow, ReadsTheRegisteredTraceList) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    const simhost::TraceWindow window(host);
    EXPECT_FALSE(window.Read().has_value());
    EXPECT_EQ(window.Clear(), E_FAIL);
    TestTraceList list;
    host.RegisterServer(IID_IHTTraceList, &list);
    const auto view = window.Read();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->name, "Trace");
    EXPECT_EQ(view->kind, 1u);
    EXPECT_EQ(view->header, "PTR\tIP");
    EXPECT_EQ(view->capacity, 4u);
    EXPECT_EQ(view->rows, (std::vector<std::string>{"row 0", "row 1"}));
    EXPECT_EQ(window.Clear(), S_OK);
    EXPECT_EQ(list.cleared, std::vector<DWORD>{3});
    host.UnregisterServer(IID_IHTTraceList, &list);
}

}  // namespace
