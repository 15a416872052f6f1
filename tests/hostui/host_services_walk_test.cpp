// A walk over the host services that the console commands and the host UI
// rely on, finding the simulated host answering each as the plug-in expects:
// the command window with its syntax, output and callback, the expression
// interface, the UI interfaces, the registry, the output window and the
// events.
#include "console/cmd.h"
#include "platform/bstr.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

// A command answering with its arguments, failing for "fail".
class WalkCommand : public CCmd {
public:
    explicit WalkCommand(IHostServiceProvider* host) : CCmd(host, 1, "walk_command", "wc", "", "") {}

    HRESULT Invoke(const CString& arguments, CString& result, DWORD& continuation) override {
        result = "[" + arguments + "]";
        continuation = 0;
        return arguments == "fail" ? E_FAIL : S_OK;
    }
};

class HostServicesRelied : public testing::Test {
protected:
    template <typename Interface>
    Interface* Service(const IID& iid) {
        void* service = nullptr;
        EXPECT_EQ(host.Services().QueryService(iid, &service), S_OK);
        return static_cast<Interface*>(service);
    }

    simhost::SimHost host;
};

TEST_F(HostServicesRelied, TheCommandWindowRunsALineAndTakesALaterText) {
    simhost::CommandWindow window(host.Services(), host.Log());
    WalkCommand command(&host.Services());
    const simhost::CommandOutput done = window.Execute("walk_command 12");
    EXPECT_EQ(done.result, S_OK);
    EXPECT_EQ(done.text, "[12]");
    const simhost::CommandOutput failed = window.Execute("wc fail");
    EXPECT_EQ(failed.result, E_FAIL);
    EXPECT_EQ(failed.text, "[fail]");
    // The callback's operation 4 takes the final text of a command that
    // finishes later.
    IHCmdCallback& callback = window;
    platform::Bstr text("H'0000C010 Enable\n");
    EXPECT_EQ(callback.Complete(text.Get()), S_OK);
    EXPECT_EQ(window.CompletedTexts(), (std::vector<std::string>{"H'0000C010 Enable\n"}));
}

TEST_F(HostServicesRelied, TheExpressionInterfaceEvaluatesAndFormats) {
    auto* evaluator = Service<IHExpressionEvaluator>(IID_IHExpressionEvaluator);
    ASSERT_NE(evaluator, nullptr);
    host.Services().Evaluator().DefineSymbol("main", 0xC010);
    platform::Bstr number("0xC010");
    platform::Bstr symbol("main");
    platform::Bstr nonsense("no such thing");
    ULONGLONG value64 = 0;
    EXPECT_EQ(evaluator->Evaluate64(number.Get(), &value64), S_OK);  // 13
    EXPECT_EQ(value64, 0xC010u);
    value64 = 0;
    EXPECT_EQ(evaluator->Evaluate64InContext(symbol.Get(), 0, &value64), S_OK);  // 14
    EXPECT_EQ(value64, 0xC010u);
    EXPECT_LT(evaluator->Evaluate64(nonsense.Get(), &value64), 0);  // no value
    EXPECT_LT(evaluator->Evaluate64InContext(nonsense.Get(), 0, &value64), 0);
    DWORD value32 = 0;
    EXPECT_EQ(evaluator->EvaluateValue(number.Get(), &value32), S_OK);  // 5
    EXPECT_EQ(value32, 0xC010u);
    platform::Bstr address;
    EXPECT_EQ(evaluator->FormatAddress(0xC010, VARIANT_FALSE, VARIANT_TRUE, VARIANT_FALSE, address.Out()), S_OK);  // 37
    EXPECT_EQ(address.Ansi(), "main");
}

TEST_F(HostServicesRelied, TheRegistryRegistersAComponentUnderAName) {
    platform::Bstr name("Target Configuration");
    static_cast<void>(host.Registry().Register(name.Get(), 2, &CLSID_Q3vVk3UiComponent));  // not read by the plug-in
    const auto registrations = host.Registry().Registrations();
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].name, "Target Configuration");
    EXPECT_EQ(registrations[0].kindOrCategory, 2u);
    EXPECT_EQ(registrations[0].clsid, CLSID_Q3vVk3UiComponent);
}

TEST_F(HostServicesRelied, TheOutputWindowTellsWhetherItTakesALineAndTakesIt) {
    auto* output = Service<IHOutputWindow>(IID_IHOutputWindow);
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(output->IsReady(), S_OK);  // 3
    platform::Bstr line("breakcondition_clear channel 1");
    EXPECT_EQ(output->PostLine(line.Get()), S_OK);  // 4
    EXPECT_EQ(host.Services().Output().Lines(), (std::vector<std::string>{"breakcondition_clear channel 1"}));
    host.Services().Output().SetReadyAnswer(S_FALSE);
    EXPECT_EQ(output->IsReady(), S_FALSE);
}

TEST_F(HostServicesRelied, EventsAreRaisedAndNamedThroughTheProvider) {
    const GUID event = EVENT_RunState;
    const HostEventNotice notice{event, nullptr};  // argument 0
    EXPECT_EQ(host.Services().PostEvent(&notice), S_OK);  // 4
    EXPECT_EQ(host.Log().Find("PostEvent").size(), 1u);
    host.Services().NameEvent(event, "Q3vWalkEvent");
    platform::Bstr name;
    EXPECT_EQ(host.Services().GetEventName(&notice, name.Out()), S_OK);  // 3
    EXPECT_EQ(name.Ansi(), "Q3vWalkEvent");
}

TEST_F(HostServicesRelied, TheSyntaxServiceAddsReplacesAndWithdrawsAWordsText) {
    auto* syntax = Service<IHCmdSyntax>(IID_IHCmdSyntax);
    ASSERT_NE(syntax, nullptr);
    platform::Bstr word("BP");
    platform::Bstr first("bp <address>");
    platform::Bstr second("bp <address> [count]");
    static_cast<void>(syntax->AddSyntax(word.Get(), first.Get(), 0));   // 11, a name
    static_cast<void>(syntax->AddSyntax(word.Get(), second.Get(), 1));  // 11 again: replaces, as an alias
    auto texts = host.Services().CommandSyntax().Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts.at("bp").text, "bp <address> [count]");
    EXPECT_EQ(texts.at("bp").flag, 1u);
    static_cast<void>(syntax->RemoveSyntax(word.Get(), second.Get()));  // 12
    EXPECT_TRUE(host.Services().CommandSyntax().Texts().empty());
    EXPECT_TRUE(host.Services().CommandSyntax().HostErrors().empty());
    static_cast<void>(syntax->RemoveSyntax(word.Get(), second.Get()));  // a word without a text
    EXPECT_EQ(host.Services().CommandSyntax().HostErrors().size(), 1u);
}

TEST_F(HostServicesRelied, TheCommandOutputKeepsTheLinesOfAnotherThreadInOrder) {
    auto* output = Service<IHCmdOutput>(IID_IHCmdOutput);
    ASSERT_NE(output, nullptr);
    std::thread writer([output] {
        for (const char* text : {"H'0000C010 Enable\n", "H'0000C020 Disable\n"}) {
            platform::Bstr line(text);
            static_cast<void>(output->WriteLine(line.Get()));  // 8
        }
    });
    writer.join();
    EXPECT_EQ(host.Services().CommandOutput().Lines(),
              (std::vector<std::string>{"H'0000C010 Enable\n", "H'0000C020 Disable\n"}));
}

TEST_F(HostServicesRelied, TheUiInterfacesLendOwnerIdsRecordAcceptedAddsAndCountPopupUses) {
    auto* ui = Service<IHUiRegistration4>(IID_IHUiRegistration4);
    ASSERT_NE(ui, nullptr);
    DWORD owner = 0;
    ASSERT_EQ(ui->AcquireOwnerId(&owner), S_OK);  // 44
    EXPECT_NE(owner, 0u);
    EXPECT_EQ(host.Services().UiRegistry().OwnerIdsOut(), (std::set<DWORD>{owner}));

    // An add answers exactly S_OK when the host took the item, and only
    // then is it recorded under its owner.
    const auto window = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
    EXPECT_EQ(ui->AddWindow(owner, &CLSID_Q3vVk3UiComponent, window), S_OK);  // 34
    host.Services().UiRegistry().ScriptResult(34, S_FALSE);
    EXPECT_EQ(ui->AddWindow(owner, &CLSID_Q3vVk3UiComponent, window), S_FALSE);
    EXPECT_EQ(host.Services().UiRegistry().Owners().at(owner).windows, (std::vector<HWND>{window}));

    platform::Bstr item("Break condition 1");
    EXPECT_EQ(ui->AddPopupItem(0x77, 32900, 0, item.Get(), 0, 0, owner, 0), S_OK);  // 21
    EXPECT_EQ(ui->AddPopupItem(0x77, 32901, 0, item.Get(), 0, 0, owner, 0), S_OK);
    LONG uses = -1;
    EXPECT_EQ(ui->GetPopupUseCount(0x77, &uses), S_OK);  // 87
    EXPECT_EQ(uses, 2);
    EXPECT_EQ(ui->GetPopupUseCount(0x78, &uses), S_OK);
    EXPECT_EQ(uses, 0);

    // The removals take the values recorded; then the owner id goes back.
    EXPECT_EQ(ui->RemovePopupItem(0x77, 32900, 0, owner), S_OK);  // 22
    EXPECT_EQ(ui->RemovePopupItem(0x77, 32901, 0, owner), S_OK);
    EXPECT_EQ(ui->RemoveWindow(owner), S_OK);  // 37
    EXPECT_EQ(ui->ReleaseOwnerId(&owner), S_OK);  // 45
    EXPECT_TRUE(host.Services().UiRegistry().OwnerIdsOut().empty());
    EXPECT_TRUE(host.Services().UiRegistry().HostErrors().empty());
}

TEST_F(HostServicesRelied, TheBreakChangedEventIsPostedAndTheRefreshEventIsNamedAndSet) {
    const HostEventNotice changed{EVENT_BreakChanged, nullptr};  // argument 0
    EXPECT_EQ(host.Services().PostEvent(&changed), S_OK);  // 4
    EXPECT_EQ(host.Log().Find("PostEvent").size(), 1u);
    // The refresh event has a name the plug-in opens and waits on; the
    // simulated host keeps it set, so no wait takes any time.
    const HostEventNotice refresh{EVENT_ViewsRefresh, nullptr};
    platform::Bstr name;
    ASSERT_EQ(host.Services().GetEventName(&refresh, name.Out()), S_OK);  // 3
    ASSERT_FALSE(name.Ansi().empty());
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.Ansi().c_str());
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
    CloseHandle(event);
}

}  // namespace
