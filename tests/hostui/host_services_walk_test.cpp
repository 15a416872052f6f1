// A walk over the host services that the console commands and the host UI
// rely on, finding the simulated host answering each as the plug-in expects.
// The command-syntax and command-output services, the UI interfaces and the
// break-changed and refresh event ids are not part of the simulated host yet
// and join this walk with the console commands and the UI registration.
#include "frame/cmd.h"
#include "platform/bstr.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

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

}  // namespace
