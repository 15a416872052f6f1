// The command base on its own, over the simulated host's services and no
// connected target: how a line is split, the message of each refusal, the
// syntax texts handed to the command window, and the command list's life.
#include "console/cmd_emulator.h"
#include "console/cmd_list_handler_vk3.h"
#include "config/device_data.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A command of two arguments whose body reports what the base gave it.
class EchoCommand : public CCmdEmulator {
public:
    explicit EchoCommand(IHostServiceProvider* host) : CCmdEmulator(2, host, "echo_words", "ew") {
        RegisterSyntax({res_id::kSyntaxBreakpointEnable, res_id::kSyntaxRefresh});
    }
    ~EchoCommand() override { UnregisterSyntax(); }
    DWORD Run(const CString& line, CString& result) override {
        if (!StartQuery(line, result)) {
            return 0;
        }
        AppendText(CString("[") + GetArgumentValue(0) + "][" + GetArgumentValue(1) + "][" + GetArgumentValue(2) +
                       "]",
                   0);
        return Succeed(result);
    }
};

class CommandBase : public ::testing::Test {
protected:
    std::string Message(HRESULT code, const CArg* argument, const char* name, DWORD kind) {
        command.ParseArguments("echo_words");  // empties the output
        command.FormatError(code, argument, name, kind);
        return command.GetOutputText().Str();
    }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
    EchoCommand command{&host};
};

TEST_F(CommandBase, ALineGivesAtMostItsArgumentCountOfWords) {
    const struct {
        const char* line;
        HRESULT result;
        std::string text;
    } cases[] = {
        {"ew", S_OK, "[][][]"},
        {"ew one", S_OK, "[one][][]"},
        {"ew  one   two ", S_OK, "[one][two][]"},
        {"ew \"a b\" {c d}", S_OK, "[\"a b\"][c d][]"},
        {"ew one two three", E_FAIL, "To many parameter\nInvalid parameter\n"},
        {"ew one\ttwo", S_OK, "[one\ttwo][][]"},  // blanks alone part words
    };
    for (const auto& c : cases) {
        const simhost::CommandOutput output = window.Execute(c.line);
        EXPECT_EQ(output.result, c.result) << c.line;
        EXPECT_EQ(output.text, c.text) << c.line;
        EXPECT_EQ(output.status, 0u) << c.line;
        EXPECT_FALSE(output.continuation) << c.line;
    }
}

TEST_F(CommandBase, EachRefusalHasItsMessage) {
    CArgNumberUnsigned number(1, 0, static_cast<IHExpressionEvaluator*>(&host.Evaluator()), 0, 0x10, 0x20);
    CArgKeyword keyword(1, "enable\0disable\0", 0);
    CArgString text(1, "");
    command.ParseOneArgument("40", number);
    EXPECT_EQ(Message(TE_INVALID_PARAMETER, &number, "size", CCmdEmulator::kUnsigned),
              "Parameter value [size] \"40\" must be in range H'10 (D'16 ) to H'20 (D'32 ).");
    EXPECT_EQ(Message(TE_INVALID_PARAMETER, &number, "size", CCmdEmulator::kSigned),
              "Parameter value [size] \"40\" must be in range H'10(D'16) to H'20(D'32).");
    EXPECT_EQ(Message(res_id::kArgAllOrRange, &number, "size", CCmdEmulator::kUnsigned),
              "Parameter value [size] \"40\" must be ALL or in range H'10(D'16) to H'20(D'32).");
    command.ParseOneArgument("no_such_symbol", number);
    EXPECT_EQ(Message(TE_INVALID_PARAMETER, &number, "size", CCmdEmulator::kUnsigned),
              "Parameter value [size] \"no_such_symbol\" must be in range H'10 (D'16 ) to H'20 (D'32 ).");
    EXPECT_EQ(Message(TE_INVALID_PARAMETER, &number, "size", CCmdEmulator::kKeyword), "Invalid parameter\n")
        << "a kind without a message gives the code's text";
    command.ParseOneArgument("", text);
    for (DWORD kind = 0; kind <= CCmdEmulator::kString; ++kind) {
        EXPECT_EQ(Message(TE_INVALID_PARAMETER, &text, "name", kind), "Paramater value [name] is empty.");
    }
    command.ParseOneArgument("x", keyword);
    EXPECT_EQ(Message(TE_INVALID_PARAMETER, &keyword, "mode", CCmdEmulator::kKeyword),
              "Parameter keyword [mode] is a mistake. input keyword (enable,disable).");
    EXPECT_EQ(Message(res_id::kArgRegisterUnknown, &keyword, "mode", CCmdEmulator::kKeyword),
              "Register x not found");
    EXPECT_EQ(Message(TE_DLL_ERROR, &keyword, "mode", CCmdEmulator::kUnsigned), "DLL error\n");

    EXPECT_EQ(Message(TE_INVALID_ADDRESS, nullptr, "", 0), "Invalid address value\n");
    EXPECT_EQ(Message(TE_NOT_AVAILABLE, nullptr, "", 0), "Not currently available\n");
    EXPECT_EQ(Message(E_INVALIDARG, nullptr, "", 0), "UNKNOWN ERROR -2147024809 \n");
}

TEST_F(CommandBase, AWordTakenCountsAndTheAbortFlagLastsOneCall) {
    CArgKeyword keyword(0, "enable\0disable\0", 1);
    EXPECT_EQ(command.ParseArguments("ew"), S_OK);
    EXPECT_EQ(command.ParseOneArgument("", keyword), S_OK);
    EXPECT_EQ(command.GetConsumedWords(), 0u) << "a default takes no word";
    EXPECT_EQ(command.ParseOneArgument("dis", keyword), S_OK);
    EXPECT_EQ(command.GetConsumedWords(), 1u);
    EXPECT_EQ(command.Abort(), S_OK);
    EXPECT_EQ(command.IsAbortSet(), 1u);
    EXPECT_EQ(window.Execute("ew").result, S_OK) << "no body reads the flag";
    EXPECT_EQ(command.IsAbortSet(), 0u);
}

TEST_F(CommandBase, TheSyntaxTextsGoToTheWindowAndBackWithTheCommand) {
    auto texts = host.CommandSyntax().Texts();
    ASSERT_EQ(texts.count("echo_words"), 1u);
    EXPECT_EQ(texts.at("echo_words").text, "<address> <mode>\nnone") << "only a whole \"none\" goes empty";
    EXPECT_EQ(texts.at("echo_words").flag, 0u);
    EXPECT_EQ(texts.at("ew").flag, 1u);
    {
        EchoCommand second(&host);
        EXPECT_EQ(host.CommandSyntax().Texts().size(), 2u) << "a repeated add replaces";
    }
    EXPECT_TRUE(host.CommandSyntax().Texts().empty());
    host.OfferService(IID_IHCmdSyntax, nullptr);
    EchoCommand withoutWindow(&host);
    EXPECT_TRUE(host.CommandSyntax().Texts().empty()) << "no syntax service: nothing, and no failure";
    EXPECT_EQ(withoutWindow.GetSyntaxLines().GetSize(), 2);
}

// Either firmware kind makes its own four break-condition commands under
// the same words: the event function's answer in their own words.
TEST_F(CommandBase, TheListMakesItsCommandsAndDeletesThemAtTheClose) {
    const auto before = window.ClientWords().size();
    const DWORD swti = g_swtiSupported;
    for (const DWORD kind : {0u, 1u}) {
        g_swtiSupported = kind;
        CCmdListHandlerVk3 list(&host);
        EXPECT_EQ(list.OnTargetOpen(), S_OK);
        EXPECT_EQ(list.CommandCount(), 14u) << kind;
        EXPECT_EQ(window.ClientWords().size(), before + 14) << kind;
        EXPECT_EQ(window.Execute("be C010 enable").text, "No Break\n") << "no break manager: no breaks";
        EXPECT_EQ(window.Execute("bcs").text, kind == 1 ? "Too few parameters" : "Invalid parameter\n") << kind;
        EXPECT_EQ(list.OnTargetClose(), S_OK);
        EXPECT_EQ(list.CommandCount(), 0u);
        EXPECT_EQ(window.ClientWords().size(), before);
    }
    g_swtiSupported = swti;
    std::vector<std::string> kept;
    for (const auto& [word, text] : host.CommandSyntax().Texts()) {
        kept.push_back(word);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"de", "device_type", "echo_words", "ew", "go_option", "gp", "refresh",
                                              "rf", "si", "step_interrupt"}));
    EXPECT_TRUE(host.CommandSyntax().HostErrors().empty());
}

}  // namespace
