#include "console/cmd.h"

#include "hostui/host_expression_service.h"
#include "platform/bstr.h"
#include "util/placeholder_expander.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"
#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A command that echoes the arguments it was given, and can collect
// continuation lines until "end".
class EchoCommand : public CCmd {
public:
    EchoCommand(IHostServiceProvider* host, DWORD strip)
        : CCmd(host, strip, "echo_command", "ec", "more> ", "end") {}

    HRESULT Invoke(const CString& arguments, CString& result, DWORD& continuation) override {
        result = "[" + arguments + "]";
        continuation = arguments == "collect" ? 1 : 0;
        m_status = 7;
        return arguments == "fail" ? E_FAIL : S_OK;
    }
};

std::string Next(const char*& cursor, DWORD& quoted) {
    return CCmd::NextWord(cursor, quoted).Str();
}

class CommandFramework : public ::testing::Test {
protected:
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
};

TEST_F(CommandFramework, RegistersUnderBothInterfacesForItsLifetime) {
    {
        EchoCommand command(&host, 1);
        const auto registrations = host.Registrations();
        ASSERT_EQ(registrations.size(), 2u);
        EXPECT_EQ(registrations[0].iid, IID_IHCmdClient);
        EXPECT_EQ(registrations[1].iid, IID_IHCmdClient2);
        EXPECT_EQ(window.CommandWords(), (std::vector<std::string>{"echo_command", "ec"}));
        VARIANT names;
        VariantInit(&names);
        DWORD attribute = 0;
        EXPECT_EQ(command.GetCommandNamesEx(&names, &attribute), S_OK);
        EXPECT_EQ(names.vt, VT_ARRAY | VT_BSTR);
        EXPECT_EQ(attribute, 0xFFFFFFFFu);
        VariantClear(&names);
        EXPECT_TRUE(command.GetExpressionService()->IsUsable());
        EXPECT_NE(command.GetEvaluator(), nullptr);
    }
    EXPECT_TRUE(host.Registrations().empty());
}

TEST_F(CommandFramework, WordsThatCannotBeMadeAreAnsweredAsOutOfMemory) {
    EchoCommand command(&host, 1);
    VARIANT names;
    VariantInit(&names);
    DWORD attribute = 5;
    {
        const platform::BstrAllocationFault fault(1);  // the alias cannot be made
        EXPECT_EQ(command.GetCommandNames(&names), E_OUTOFMEMORY);
        EXPECT_EQ(names.vt, VT_EMPTY);
        EXPECT_EQ(command.GetCommandNamesEx(&names, &attribute), E_OUTOFMEMORY);
        EXPECT_EQ(names.vt, VT_EMPTY);
        EXPECT_EQ(attribute, 5u);
    }
    EXPECT_EQ(command.GetCommandNames(&names), S_OK);
    EXPECT_EQ(names.vt, VT_ARRAY | VT_BSTR);
    VariantClear(&names);
}

TEST_F(CommandFramework, AllCommandsShareOnePlaceholderExpander) {
    EXPECT_EQ(CCmd::GetPlaceholderExpander(), nullptr);
    {
        EchoCommand first(&host, 1);
        CPlaceholderExpander* const shared = CCmd::GetPlaceholderExpander();
        ASSERT_NE(shared, nullptr);
        EXPECT_NE(shared->WorkspaceInfo(), nullptr);  // made over the first command's host
        EXPECT_NE(shared->PlaceholderSettings(), nullptr);
        {
            EchoCommand second(nullptr, 0);
            EXPECT_EQ(CCmd::GetPlaceholderExpander(), shared);
        }
        EXPECT_EQ(CCmd::GetPlaceholderExpander(), shared);  // the first command still holds it
    }
    EXPECT_EQ(CCmd::GetPlaceholderExpander(), nullptr);  // gone with the last
    EchoCommand again(&host, 1);
    EXPECT_NE(CCmd::GetPlaceholderExpander(), nullptr);
}

TEST(CommandWithoutHost, StillHasItsWordsAndExpressionService) {
    EchoCommand command(nullptr, 1);
    ASSERT_NE(command.GetExpressionService(), nullptr);
    EXPECT_FALSE(command.GetExpressionService()->IsUsable());
    EXPECT_EQ(command.GetEvaluator(), nullptr);
    VARIANT names;
    VariantInit(&names);
    EXPECT_EQ(command.GetCommandNames(&names), S_OK);
    VariantClear(&names);
}

TEST_F(CommandFramework, TheStripFlagCutsTheLineBehindItsFirstBlank) {
    EchoCommand stripping(&host, 1);
    EXPECT_EQ(window.Execute("ec").text, "[]");
    EXPECT_EQ(window.Execute("ec  1").text, "[ 1]");
    const auto output = window.Execute("echo_command a b");
    EXPECT_EQ(output.text, "[a b]");
    EXPECT_EQ(output.result, S_OK);
    EXPECT_EQ(output.status, 7);
    EXPECT_EQ(window.Execute("ec fail").result, E_FAIL);
}

TEST_F(CommandFramework, WithoutTheStripFlagTheHandlerGetsTheWholeLine) {
    EchoCommand whole(&host, 0);
    EXPECT_EQ(window.Execute("ec arg\tx").text, "[ec arg\tx]");
    EXPECT_EQ(window.Execute("EC x").text, "[EC x]");
}

TEST_F(CommandFramework, ContinuationLinesRunUntilTheTerminator) {
    EchoCommand command(&host, 1);
    auto output = window.Execute("ec collect");
    EXPECT_TRUE(output.continuation);
    EXPECT_EQ(output.prompt, "more> ");
    output = window.Execute("anything at all");
    EXPECT_TRUE(output.continuation);
    output = window.Execute("end");
    EXPECT_FALSE(output.continuation);
    EXPECT_EQ(window.Execute("ec again").text, "[again]");
}

TEST(CommandWords, NextWordCutsPlainQuotedAndBracedWords) {
    const char* line = "  plain \"a\"\"b\" {a {b} c} tail\tword";
    const char* cursor = line;
    DWORD quoted = 9;
    EXPECT_EQ(Next(cursor, quoted), "plain");
    EXPECT_EQ(quoted, 0u);
    EXPECT_EQ(Next(cursor, quoted), "\"a\"b\"");
    EXPECT_EQ(quoted, 1u);
    EXPECT_EQ(Next(cursor, quoted), "a {b");
    EXPECT_EQ(quoted, 0u);
    EXPECT_EQ(Next(cursor, quoted), "c}");
    EXPECT_EQ(Next(cursor, quoted), "tail\tword");
    EXPECT_EQ(Next(cursor, quoted), "");
    EXPECT_EQ(*cursor, '\0');
}

TEST(CommandWords, WordsAreCutAtWholeDoubleByteCharacters) {
    AnsiCodePageScope scope(932);
    // Each katakana MA is 0x83 0x7D: its trail byte is the closing brace's.
    const char* line = "{\x83\x7D\x83\x7D} \x83\x7D\x83\x7D {\x83\x7D";
    const char* cursor = line;
    DWORD quoted = 9;
    EXPECT_EQ(Next(cursor, quoted), "\x83\x7D\x83\x7D");
    EXPECT_EQ(quoted, 0u);
    EXPECT_EQ(Next(cursor, quoted), "\x83\x7D\x83\x7D");
    EXPECT_EQ(Next(cursor, quoted), "\x83\x7D");  // no closing brace: the word runs to the end
    EXPECT_EQ(*cursor, '\0');
}

TEST(CommandWords, UnclosedQuotesAndBracesEndAtTheLineEnd) {
    const char* quote = "\"open and never closed";
    const char* cursor = quote;
    DWORD quoted = 0;
    EXPECT_EQ(Next(cursor, quoted), "\"open and never closed");
    EXPECT_EQ(quoted, 1u);
    EXPECT_EQ(*cursor, '\0');
    const char* brace = "{open";
    cursor = brace;
    EXPECT_EQ(Next(cursor, quoted), "open");
    EXPECT_EQ(*cursor, '\0');
    EXPECT_TRUE(CCmd::IsBlank(" \t "));
    EXPECT_FALSE(CCmd::IsBlank(" x "));
}

TEST(CommandArguments, KeywordsMatchExactlyOrByTheLastPrefix) {
    struct Case {
        const char* keywords;
        const char* word;
        DWORD required;
        BOOL accepted;
        LONG index;
        DWORD error;
        DWORD defaulted;
    };
    const Case cases[] = {
        {"enable\0disable\0", "DIS", 1, TRUE, 1, 0, 0},
        {"enable\0disable\0", "enable", 1, TRUE, 0, 0, 0},
        {"enable\0disable\0", "other", 0, TRUE, 0, 0, 1},
        {"enable\0disable\0", "other", 1, FALSE, -1, 3, 0},
        {"enable\0disable\0", "", 1, FALSE, -1, 2, 0},
        {"enable\0disable\0", "", 0, TRUE, 0, 0, 1},
        {"eml_mode\0eml\0", "eml", 1, TRUE, 1, 0, 0},
        {"eml_mode\0eml\0", "em", 1, TRUE, 1, 0, 0},
        {"eml_mode\0eml\0", "EML_M", 1, TRUE, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CArgKeyword argument(c.required, c.keywords, 0);
        EXPECT_EQ(argument.Parse(c.word, 0), c.accepted) << c.word;
        EXPECT_EQ(argument.GetIndex(), c.index) << c.word;
        EXPECT_EQ(argument.GetError(), c.error) << c.word;
        EXPECT_EQ(argument.IsDefaulted(), c.defaulted) << c.word;
    }
    EXPECT_EQ(CArgKeyword(0, "enable\0disable\0", 0).FormatKeywordList(), "(enable,disable)");
    EXPECT_EQ(CArgKeyword(0, "", 0).FormatKeywordList(), "(");
}

TEST(CommandArguments, StringsKeepTheirQuotesAndFallBackToTheDefault) {
    CArgString optional(0, "fallback");
    EXPECT_TRUE(optional.Parse("\"quoted text\"", 1));
    EXPECT_EQ(optional.GetValue(), "\"quoted text\"");
    EXPECT_TRUE(optional.Parse("  ", 0));
    EXPECT_EQ(optional.GetValue(), "fallback");
    EXPECT_EQ(optional.IsDefaulted(), 1u);
    CArgString required(1, "fallback");
    EXPECT_FALSE(required.Parse("", 0));
    EXPECT_EQ(required.GetError(), static_cast<DWORD>(CArg::kMissing));
}

class NumberArguments : public ::testing::Test {
protected:
    void SetUp() override { host.Evaluator().DefineSymbol("start", 0x1000); }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(NumberArguments, ValuesAreEvaluatedByTheHostAndBounded) {
    IHExpressionEvaluator* evaluator = &host.Evaluator();
    struct Case {
        const char* word;
        DWORD quoted;
        DWORD required;
        BOOL accepted;
        ULONGLONG value;
        DWORD error;
        DWORD defaulted;
    };
    const Case cases[] = {
        {"0x10", 0, 1, TRUE, 0x10, 0, 0},
        {"start+2", 0, 1, TRUE, 0x1002, 0, 0},
        {"1", 0, 1, TRUE, 1, 0, 0},            // the minimum is included
        {"0x2000", 0, 1, TRUE, 0x2000, 0, 0},  // so is the maximum
        {"0", 0, 1, FALSE, 0, 1, 0},
        {"0x2001", 0, 1, FALSE, 0x2001, 1, 0},
        {"nonsense", 0, 1, FALSE, 5, 4, 1},
        {"nonsense", 0, 0, TRUE, 5, 0, 1},   // optional: the default, accepted
        {"\"7\"", 1, 1, FALSE, 5, 2, 1},     // a quoted word counts as missing
        {"", 0, 0, TRUE, 5, 0, 1},
    };
    for (const Case& c : cases) {
        CArgNumberUnsigned argument(c.required, 0, evaluator, 5, 1, 0x2000);
        EXPECT_EQ(argument.Parse(c.word, c.quoted), c.accepted) << c.word;
        EXPECT_EQ(argument.GetValue(), c.value) << c.word;
        EXPECT_EQ(argument.GetError(), c.error) << c.word;
        EXPECT_EQ(argument.IsDefaulted(), c.defaulted) << c.word;
    }
}

TEST_F(NumberArguments, TheWrapperAndTheRawInterfaceTakeTheirOwnOperations) {
    CHostExpressionService service(&host);
    CArgNumberUnsigned overWrapper(1, 0, &service, 0, 0, ~0ULL);
    EXPECT_TRUE(overWrapper.Parse("start", 0));
    EXPECT_EQ(overWrapper.GetValue(), 0x1000u);
    EXPECT_EQ(log.Find("Evaluate64InContext").size(), 1u);
    CArgNumberUnsigned raw(1, 0, &host.Evaluator(), 0, 0, ~0ULL);
    EXPECT_TRUE(raw.Parse("start", 0));
    EXPECT_EQ(log.Find("Evaluate64").size(), 1u);
    CArgNumberUnsigned rawInContext(1, 3, &host.Evaluator(), 0, 0, ~0ULL);
    EXPECT_TRUE(rawInContext.Parse("start", 0));
    EXPECT_EQ(log.Find("Evaluate64InContext").size(), 2u);
    CArgNumberUnsigned noEvaluator(1, 0, static_cast<IHExpressionEvaluator*>(nullptr), 9, 0, ~0ULL);
    EXPECT_FALSE(noEvaluator.Parse("1", 0));
    EXPECT_EQ(noEvaluator.GetError(), static_cast<DWORD>(CArg::kNotEvaluable));
}

TEST_F(NumberArguments, MatchingOffersADefaultedWordToTheNextArgument) {
    CArgKeyword mode(0, "enable\0disable\0", 0);
    CArgNumberUnsigned address(1, 0, &host.Evaluator(), 0, 0, ~0ULL);
    CArgString rest(0, "");
    CArg* const table[] = {&mode, &address, &rest, nullptr};
    const char* line = "start extra";
    const char* cursor = line;
    EXPECT_EQ(CCmd::MatchArguments(cursor, table), 3);
    EXPECT_EQ(mode.IsDefaulted(), 1u);
    EXPECT_EQ(address.GetValue(), 0x1000u);
    EXPECT_EQ(rest.GetValue(), "extra");

    const char* bad = "enable nonsense tail";
    cursor = bad;
    EXPECT_EQ(CCmd::MatchArguments(cursor, table), 1);
    EXPECT_EQ(address.GetError(), static_cast<DWORD>(CArg::kNotEvaluable));
    EXPECT_STREQ(cursor, " nonsense tail");  // put back before the refused word
}

}  // namespace
