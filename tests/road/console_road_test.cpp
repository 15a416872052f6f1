// The plug-in's console commands on the real road: the simulated host's
// command window over the plug-in module and the simulated emulator's module
// (VK31D16, protocol 1, from the seed session), with the demo program
// loaded. What each command answers, what it wrote to the command window and
// handed in later, what it changed (breakpoints, options, the host's views),
// and what stays with the host after the target closes.
#include "tests/road/road_session.h"

#include "sim/host/command_window.h"
#include "sim/host/console.h"
#include "sim/host/sim_host.h"

#include "tests/emulator/sim_emulator.h"

#include "platform/clock.h"
#include "platform/host/target_interfaces.h"
#include "platform/host/workspace_interfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kPc = 14;
constexpr WORD kRunsOn = 0xFFFF;
constexpr std::chrono::milliseconds kCompletionLimit{20000};
constexpr char kTooMany[] = "To many parameter\nInvalid parameter\n";
constexpr char kNotAvailable[] = "Not currently available\n";
// The most looks at the run state while a run starts or stops.
constexpr int kMostPolls = 1000000;
constexpr int kPollsPerMillisecond = 100;
constexpr DWORD kRunLimit = 20000;
// The demo device's rows of the host's break-condition list.
constexpr char kChannelAtC010[] = "Break condition:Enable Address=H'0000c010(Vk3Demo.c/5) pcbefore \n";
constexpr char kDisabledAtC010[] = "Break condition:Disable Address=H'0000c010(Vk3Demo.c/5) pcbefore \n";
constexpr char kChannelAtC012[] = "Break condition:Enable Address=H'0000c012(Vk3Demo.c/6) pcbefore \n";
constexpr char kFreeChannel[] = "Break condition:Disable None\n";

// The words of the commands this build makes, name then alias.
const std::vector<std::vector<std::string>> kCommandWords = {
    {"refresh", "rf"},        {"device_type", "de"},       {"go_option", "gp"},
    {"step_interrupt", "si"}, {"status", "sts"},           {"breakpoint", "bp"},
    {"breakpoint_clear", "bc"}, {"breakpoint_display", "bd"}, {"breakpoint_enable", "be"},
    {"breakcondition_clear", "bcc"}, {"breakcondition_display", "bcd"}, {"breakcondition_enable", "bce"},
    {"breakcondition_set", "bcs"}, {"breakcondition_mode", "bcm"},
};

// The syntax texts the host keeps after the target has closed.
const std::map<std::string, std::string> kKeptSyntax = {
    {"device_type", ""}, {"de", ""}, {"go_option", "[<\"eml_mode\"> <eml_mode>]"},
    {"gp", "[<\"eml_mode\"> <eml_mode>]"}, {"refresh", ""}, {"rf", ""},
    {"step_interrupt", "[<\"disable\">]"}, {"si", "[<\"disable\">]"},
};

struct Answer {
    HRESULT result;
    std::string text;
};

class ConsoleRoad : public roadtest::ConsoleRoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ConsoleRoadSession::SetUp());
        ASSERT_TRUE(console_.StartSession()) << out_.str();
        ASSERT_TRUE(Session().Connect()) << out_.str();
        ASSERT_EQ(console_.Run("load"), simhost::Console::Outcome::Done) << out_.str();
        ASSERT_EQ(console_.Run("reset"), simhost::Console::Outcome::Done) << out_.str();
    }
    void TearDown() override { console_.EndSession(); }

    simhost::DebugSession& Session() { return console_.Session(); }
    simhost::CommandOutput Execute(const std::string& line) { return window_.Execute(line); }
    Answer Do(const std::string& line) {
        const simhost::CommandOutput output = Execute(line);
        EXPECT_NE(output.status, kRunsOn) << line;
        return {output.result, output.text};
    }
    // A listing: its immediate answer, then its lines and its later text.
    struct Listing {
        std::vector<std::string> lines;
        std::string completed;
    };
    Listing List() {
        host_.Services().CommandOutput().ClearLines();
        const std::size_t before = window_.CompletedTexts().size();
        const simhost::CommandOutput output = Execute("bd");
        EXPECT_EQ(output.result, S_OK);
        EXPECT_EQ(output.text, "");
        EXPECT_EQ(output.status, kRunsOn);
        EXPECT_TRUE(window_.AwaitCompletion(before, kCompletionLimit));
        return {host_.Services().CommandOutput().Lines(), window_.CompletedTexts().at(before)};
    }
    std::size_t Posted(const std::string& event) {
        const auto calls = host_.Log().Calls();
        return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), [&](const auto& call) {
            return call.what == "PostEvent" && call.detail == event;
        }));
    }
    IHWorkSpaceClient2* WorkspaceClient() {
        for (const simhost::InterfaceRegistration& registration : host_.Services().Registrations()) {
            if (!registration.server && registration.iid == IID_IHWorkSpaceClient2) {
                return static_cast<IHWorkSpaceClient2*>(registration.object);
            }
        }
        return nullptr;
    }
    HRESULT RunState() {
        IHWorkSpaceClient2* client = WorkspaceClient();
        return client != nullptr ? client->QueryBusyOnWorkspaceClose() : E_FAIL;
    }
    std::map<std::string, std::string> SyntaxTexts() {
        std::map<std::string, std::string> texts;
        for (const auto& [word, syntax] : host_.Services().CommandSyntax().Texts()) {
            texts[word] = syntax.text;
        }
        return texts;
    }
    IHTExec2* Exec() {
        for (const simhost::InterfaceRegistration& registration : host_.Services().Registrations()) {
            if (registration.server && registration.iid == IID_IHTExec2) {
                return static_cast<IHTExec2*>(registration.object);
            }
        }
        return nullptr;
    }
    // Between two looks: the target's threads get their turn, and now and
    // then a millisecond passes on the virtual clock, as the host's own
    // waits let it.
    static void Pause(int poll) {
        if (poll % kPollsPerMillisecond == kPollsPerMillisecond - 1) {
            Sleep(1);
        } else {
            std::this_thread::yield();
        }
    }
    // Starts the demo program through run control (the host's session would
    // wait for a stop at the breakpoint, which the run never reaches) and
    // waits until the target reports its status.
    void StartRun() {
        IHTExec2* exec = Exec();
        ASSERT_NE(exec, nullptr);
        const std::size_t statusBefore = host_.Services().EventNameQueries(EVENT_PeriodicStatus);
        ASSERT_EQ(exec->Go(), S_OK);
        // The run's first periodic status: its go thread watches the run now,
        // and a halt reaches it.
        for (int poll = 0; poll < kMostPolls; ++poll) {
            if (host_.Services().EventNameQueries(EVENT_PeriodicStatus) > statusBefore) {
                return;
            }
            Pause(poll);
        }
        FAIL() << "the program never ran";
    }
    void StopRun() {
        IHTExec2* exec = Exec();
        ASSERT_NE(exec, nullptr);
        ASSERT_EQ(exec->Halt(), S_OK);
        for (int poll = 0; poll < kMostPolls; ++poll) {
            if (exec->QueryIdleEx() == S_OK && RunState() == 0) {
                return;
            }
            Pause(poll);
        }
        FAIL() << "the program never stopped: idle " << exec->QueryIdleEx() << ", run state " << RunState() << "\n"
               << out_.str();
    }

    simhost::Console console_{host_, in_, out_, false};
    simhost::CommandWindow window_{host_.Services(), host_.Log()};
};

TEST_F(ConsoleRoad, TheCommandsAnswerTheirWordsWithTheirSyntax) {
    std::vector<std::vector<std::string>> words = window_.ClientWords();
    std::vector<std::vector<std::string>> expected = kCommandWords;
    std::sort(words.begin(), words.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(words, expected);
    const auto texts = SyntaxTexts();
    const std::string breakpoint =
        "<address> [<count>] [<\"stop\">]\n<address> [<count>] <\"input\"> <filename> <addr> <size> <count>\n"
        "<address> [<count>] <\"output\"> <filename> <addr> <size> <count> [<option>]\n"
        "<address> [<count>] <\"Interrupt\"> <interrupt type1> <interrupt type2> [<priority>]";
    EXPECT_EQ(texts.at("breakpoint"), breakpoint);
    EXPECT_EQ(texts.at("bp"), breakpoint);
    EXPECT_EQ(texts.at("bc"), "[<address>]");
    EXPECT_EQ(texts.at("be"), "<address> <mode>");
    EXPECT_EQ(texts.at("bd"), "") << "\"none\" goes as an empty text";
    EXPECT_EQ(texts.at("sts"), "");
    // The demo device has protocol type 1: the second texts of the
    // break-condition commands.
    const std::string channelOrAddress = "[<\"channel\"> <channel_number>] | [<\"address\"> <address>]";
    EXPECT_EQ(texts.at("breakcondition_clear"), channelOrAddress);
    EXPECT_EQ(texts.at("bcc"), channelOrAddress);
    EXPECT_EQ(texts.at("bcd"), "");
    EXPECT_EQ(texts.at("bce"), "<mode> " + channelOrAddress);
    EXPECT_EQ(texts.at("bcs"),
              "[<channel>] <option> [<option>...]\n<channel> = channel <channel_number>\n"
              "<option> = <addropt> | <dataopt> | <r/wopt>\n"
              "<addropt> = address <address> [<addrcycle>] [<addr_mask>]\n<dataopt> = data <data>\n"
              "<r/wopt> = direction <r/w>");
    EXPECT_EQ(texts.count("bcm"), 0u) << "the mode command has no syntax text";
    EXPECT_EQ(host_.Services().CommandSyntax().Texts().at("bp").flag, 1u);
    EXPECT_EQ(host_.Services().CommandSyntax().Texts().at("breakpoint").flag, 0u);
    // Made by nothing: the host never learns their words.
    EXPECT_EQ(Execute("ho").text, "unknown command\n");
    EXPECT_EQ(Execute("nm user").text, "unknown command\n");
}

TEST_F(ConsoleRoad, BreakpointsAreSetListedHitEnabledAndCleared) {
    EXPECT_EQ(Do("de").text, "Current device = VK31D16\n");

    const std::size_t changesBefore = Posted("break changed");
    Answer answer = Do("bp C010");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(Posted("break changed") - changesBefore, 1u);
    ASSERT_EQ(Session().Breaks().size(), 1u);

    Listing listing = List();
    EXPECT_EQ(listing.lines, std::vector<std::string>{"H'0000C010 Enable\n"});
    EXPECT_EQ(listing.completed, "");
    EXPECT_EQ(RunState(), 0) << "the listing gave its hold back";

    ASSERT_TRUE(Session().Go()) << out_.str();
    EXPECT_EQ(Session().Register(kPc), 0xC010u);

    EXPECT_EQ(Do("be C010 d").result, S_OK);
    EXPECT_EQ(List().lines, std::vector<std::string>{"H'0000C010 Disable\n"});
    EXPECT_EQ(Do("be C010 E").result, S_OK) << "a prefix selects, without regard to case";
    EXPECT_EQ(List().lines, std::vector<std::string>{"H'0000C010 Enable\n"});
    answer = Do("be C020 enable");
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_EQ(answer.text, "No Break\n");

    answer = Do("bc C020");
    EXPECT_EQ(answer.result, S_OK) << "no breakpoint at the address is no failure";
    EXPECT_EQ(answer.text, "No Break\n");
    ASSERT_EQ(Session().Breaks().size(), 1u);

    const std::size_t clearsBefore = Posted("break changed");
    answer = Do("bc");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_TRUE(Session().Breaks().empty());
    EXPECT_EQ(Posted("break changed") - clearsBefore, 1u);
    answer = Do("bc");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "No Break\n");

    listing = List();
    EXPECT_TRUE(listing.lines.empty());
    EXPECT_EQ(listing.completed, "No Break\n");
    answer = Do("be C010 enable");
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_EQ(answer.text, "No Break\n");
}

TEST_F(ConsoleRoad, BreakConditionsAreSetListedHitEnabledAndCleared) {
    const std::size_t changesBefore = Posted("break changed");
    Answer answer = Do("bcs address C010");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(Posted("break changed") - changesBefore, 1u);
    EXPECT_EQ(Do("bcd").text, std::string(kChannelAtC010) + kFreeChannel);

    ASSERT_TRUE(Session().Go()) << out_.str();
    if (Session().Running()) {
        ASSERT_TRUE(Session().Wait(kRunLimit)) << out_.str();
    }
    EXPECT_EQ(Session().Register(kPc), 0xC010u) << out_.str();
    const std::vector<std::string> reported = host_.Services().ReportedErrors();
    EXPECT_EQ(std::count(reported.begin(), reported.end(), "BREAK CONDITION 1"), 1) << "one stop, one report";

    answer = Do("bcs address C010");
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_EQ(answer.text, "Invalid address\n") << "channel 1 holds the address";
    EXPECT_EQ(host_.Services().ReportedErrors(), reported) << "the refusal is the command's answer alone";

    EXPECT_EQ(Do("bce disable").result, S_OK);
    EXPECT_EQ(Do("bcd").text, std::string(kDisabledAtC010) + kFreeChannel);
    EXPECT_EQ(Do("bce E address C010").result, S_OK) << "a prefix, without regard to case";
    EXPECT_EQ(Do("bcd").text, std::string(kChannelAtC010) + kFreeChannel);

    answer = Do("bcc channel 1");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(Do("bcd").text, std::string(kFreeChannel) + kFreeChannel);
    EXPECT_EQ(Do("bcs ch 2 address C012").result, S_OK) << "ch begins channel";
    EXPECT_EQ(Do("bcd").text, kFreeChannel + std::string(kChannelAtC012));
    EXPECT_EQ(Do("bcc").result, S_OK);
    EXPECT_EQ(Do("bcd").text, std::string(kFreeChannel) + kFreeChannel);

    answer = Do("bcm");
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_EQ(answer.text, kNotAvailable) << "the demo's CPU type has no break-condition mode";
    EXPECT_EQ(Do("bcm user x").text, kNotAvailable) << "said before the words are looked at";
}

// An address no channel holds changes nothing: without a channel the clear
// or the enable would reach every channel.
TEST_F(ConsoleRoad, AnAddressNoChannelHoldsChangesNoChannel) {
    ASSERT_EQ(Do("bcs address C010").result, S_OK);
    ASSERT_EQ(Do("bcs address C012").result, S_OK);
    const std::string both = std::string(kChannelAtC010) + kChannelAtC012;
    ASSERT_EQ(Do("bcd").text, both);
    for (const char* line : {"bcc address 9999", "bce disable address 9999", "bce enable a C011"}) {
        const Answer answer = Do(line);
        EXPECT_EQ(answer.result, E_FAIL) << line;
        EXPECT_EQ(answer.text, "No Breakcondition\n") << line;
    }
    EXPECT_EQ(Do("bcd").text, both) << "every channel still set and enabled";
    EXPECT_EQ(Do("bcc address C012").result, S_OK);
    EXPECT_EQ(Do("bcd").text, kChannelAtC010 + std::string(kFreeChannel));
    EXPECT_EQ(Do("bcc address C012").text, "No Breakcondition\n") << "a cleared channel no longer holds it";
}

TEST_F(ConsoleRoad, BadBreakConditionArgumentsAreRefusedWithTheirMessages) {
    ASSERT_EQ(Do("bcs address C010").result, S_OK);
    const std::string addressRange = " must be in range H'0 (D'0 ) to H'ffffffff (D'4294967295 ).";
    const struct {
        const char* line;
        std::string text;
    } cases[] = {
        {"bcs", "Invalid parameter\n"},
        {"bce", "Invalid parameter\n"},
        {"bcc x", "Parameter keyword [channel] is a mistake. input keyword (channel)."},
        {"bcc channel", "Paramater value [channel_number] is empty."},
        {"bcc channel 3", "Parameter keyword [channel_number] is a mistake. input keyword (1,2)."},
        {"bcc address zz", "Invalid address\nParameter value [address] \"zz\"" + addressRange},
        {"bcc channel 1 x y", kTooMany},
        {"bce on", "Parameter keyword [mode] is a mistake. input keyword (enable,disable)."},
        {"bce enable x", "Parameter keyword [channel] is a mistake. input keyword (channel)."},
        {"bcs channel 2", "Paramater value [address] is empty."},
        {"bcs channel 2 at C012", "Parameter keyword [address] is a mistake. input keyword (address)."},
        {"bcs address", "Invalid address\nParamater value [address] is empty."},
        {"bcs address C012 pcbefore data 5", "Invalid condition\n"},
        {"bcs address C012 m1", "Invalid condition\n"},
        {"bcs address C012 access data 300", "Invalid data\n"},
        {"bcs address C012 access data zz", "Invalid data\nParameter value [data] \"zz\"" + addressRange},
        {"bcs address C012 access direction up",
         "Parameter keyword [r/w] is a mistake. input keyword (read,write)."},
        {"bcs address C012 access direction", "Paramater value [r/w] is empty."},
        {"bcs address C012 access m4", "Invalid condition\n"},
        {"bcs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17", kTooMany},
        {"bcd x", kTooMany},
        {"bcm eml", kNotAvailable},
    };
    for (const auto& c : cases) {
        const Answer answer = Do(c.line);
        EXPECT_EQ(answer.result, E_FAIL) << c.line;
        EXPECT_EQ(answer.text, c.text) << c.line;
    }
    EXPECT_EQ(Do("bcd").text, std::string(kChannelAtC010) + kFreeChannel) << "no refusal changed a channel";
}

TEST_F(ConsoleRoad, TheOptionCommandsShowAndChangeTheSettings) {
    EXPECT_EQ(Do("gp").text, "Emulator execution mode = Normal\n");
    IHWorkSpaceClient2* client = WorkspaceClient();
    ASSERT_NE(client, nullptr);
    Answer answer = Do("gp eml_mode no_break");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    DWORD modified = 0;
    EXPECT_EQ(client->GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
    EXPECT_EQ(modified, 1u);
    EXPECT_EQ(Do("gp").text, "Emulator execution mode = No Break\n");
    EXPECT_EQ(Do("GP E NOR").result, S_OK) << "nor selects normal; e the one keyword";
    EXPECT_EQ(Do("gp").text, "Emulator execution mode = Normal\n");
    EXPECT_EQ(Do("gp e n").result, S_OK) << "n begins both: the last that it begins wins";
    EXPECT_EQ(Do("gp").text, "Emulator execution mode = No Break\n");
    EXPECT_EQ(Do("gp eml_mode normal").result, S_OK);

    answer = Do("si disable");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(Do("si").text, "Emulator step interrupt mode = disable\n");

    answer = Do("sts");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text.rfind("Emulator Status\nConnected to:          ", 0), 0u) << answer.text;
    EXPECT_NE(answer.text.find("\nRun status             Ready\n"), std::string::npos) << answer.text;
    EXPECT_NE(answer.text.find("\nEmulation mode         Normal\n"), std::string::npos) << answer.text;

    const std::size_t asked = host_.Services().EventNameQueries(EVENT_ViewsRefresh);
    answer = Do("rf");
    EXPECT_EQ(answer.result, S_OK);
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(host_.Services().EventNameQueries(EVENT_ViewsRefresh), asked + 1);
    answer = Do("rf now");
    EXPECT_EQ(answer.result, E_FAIL);
    EXPECT_EQ(answer.text, kTooMany);
    EXPECT_EQ(host_.Services().EventNameQueries(EVENT_ViewsRefresh), asked + 1) << "nothing raised";
}

TEST_F(ConsoleRoad, WhileTheProgramRunsOnlyTheQueriesAnswer) {
    ASSERT_EQ(Do("bp C020").result, S_OK) << "a breakpoint the demo never reaches";
    StartRun();
    for (const char* line : {"bp C010", "bp 1 2 3", "bc", "bc C020", "be C020 d", "gp", "gp eml_mode no_break",
                             "si", "si disable"}) {
        const Answer answer = Do(line);
        EXPECT_EQ(answer.result, E_FAIL) << line;
        EXPECT_EQ(answer.text, kNotAvailable) << line;
    }
    const Answer status = Do("sts");
    EXPECT_EQ(status.result, S_OK);
    EXPECT_NE(status.text.find("\nRun status             Run\n"), std::string::npos) << status.text;
    EXPECT_EQ(Do("de").result, S_OK);

    // A listing that ends during the go leaves the host seeing the run.
    EXPECT_EQ(RunState(), 1);
    const Listing listing = List();
    EXPECT_EQ(listing.lines, std::vector<std::string>{"H'0000C020 Enable\n"});
    EXPECT_EQ(RunState(), 1) << "the go still holds the run state";
    StopRun();
    EXPECT_EQ(RunState(), 0);
    EXPECT_EQ(Session().Breaks().size(), 1u) << "nothing changed while running";
}

TEST_F(ConsoleRoad, BadArgumentsAreRefusedWithTheirMessagesAndChangeNothing) {
    ASSERT_EQ(Do("bp C010").result, S_OK);
    const std::string addressRange = " must be in range H'0 (D'0 ) to H'ffffffff (D'4294967295 ).";
    const struct {
        const char* line;
        std::string text;
    } cases[] = {
        {"bp", "Invalid parameter\n"},
        {"bp 1 2", kTooMany},
        {"bp zz", "Invalid address\nParameter value [address] \"zz\"" + addressRange},
        {"bp 100000000", "Invalid address\nParameter value [address] \"100000000\"" + addressRange},
        {"bc zz", "Invalid address\nParameter value [address] \"zz\"" + addressRange},
        {"bc 1 2", kTooMany},
        {"be", "Invalid parameter\n"},
        {"be C010", "Paramater value [mode] is empty."},
        {"be C010 x", "Parameter keyword [mode] is a mistake. input keyword (enable,disable)."},
        {"be zz d", "Invalid address\nParameter value [address] \"zz\"" + addressRange},
        {"be C010 d x", kTooMany},
        {"bd x", kTooMany},
        {"de x", kTooMany},
        {"sts x", kTooMany},
        {"gp normal", "Parameter keyword [eml_opt] is a mistake. input keyword (eml_mode)."},
        {"gp eml_mode", "Paramater value [eml_mode] is empty."},
        {"gp eml_mode fast", "Parameter keyword [eml_mode] is a mistake. input keyword (normal,no_break)."},
        {"gp eml_mode normal x", kTooMany},
        {"si enable", "Parameter keyword [mode] is a mistake. input keyword (disable)."},
        {"si disable x", kTooMany},
    };
    for (const auto& c : cases) {
        const Answer answer = Do(c.line);
        EXPECT_EQ(answer.result, E_FAIL) << c.line;
        EXPECT_EQ(answer.text, c.text) << c.line;
    }
    EXPECT_EQ(List().lines, std::vector<std::string>{"H'0000C010 Enable\n"}) << "no refusal changed a break";
    EXPECT_EQ(Do("gp").text, "Emulator execution mode = Normal\n");
}

TEST_F(ConsoleRoad, TwoListingsRunSideBySideAndACloseWaitsForThem) {
    ASSERT_EQ(Do("bp C010").result, S_OK);
    ASSERT_EQ(Do("bp C012").result, S_OK);
    host_.Services().CommandOutput().ClearLines();
    const std::size_t before = window_.CompletedTexts().size();
    EXPECT_EQ(Execute("bd").status, kRunsOn);
    EXPECT_EQ(Execute("breakpoint_display").status, kRunsOn);
    ASSERT_TRUE(window_.AwaitCompletion(before + 1, kCompletionLimit));
    const auto completed = window_.CompletedTexts();
    EXPECT_EQ(completed.size(), before + 2);
    auto lines = host_.Services().CommandOutput().Lines();
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"H'0000C010 Enable\n", "H'0000C010 Enable\n", "H'0000C012 Enable\n",
                                               "H'0000C012 Enable\n"}));

    // A listing still running when the target closes: the close waits for it.
    EXPECT_EQ(Execute("bd").status, kRunsOn);
    ASSERT_TRUE(Session().Disconnect()) << out_.str();
    EXPECT_EQ(window_.CompletedTexts().size(), before + 3) << "the listing ended before the commands went";
}

// The host changes its breakpoints on its own thread while listings run
// (the thread sanitizer's build watches the rows): each listing writes the
// rows as they stood when it was asked for.
TEST_F(ConsoleRoad, AListingShowsTheRowsOfItsCallWhileTheHostChangesThem) {
    ASSERT_EQ(Do("bp C010").result, S_OK);
    host_.Services().CommandOutput().ClearLines();
    const std::size_t before = window_.CompletedTexts().size();
    constexpr std::size_t kListings = 4;
    for (std::size_t i = 0; i < kListings; ++i) {
        EXPECT_EQ(Execute("bd").status, kRunsOn);
        ASSERT_TRUE(Session().AddBreak(0xC004 + static_cast<DWORD>(i))) << out_.str();
        ASSERT_TRUE(Session().RemoveBreak(2)) << out_.str();
    }
    ASSERT_TRUE(window_.AwaitCompletion(before + kListings - 1, kCompletionLimit));
    EXPECT_EQ(host_.Services().CommandOutput().Lines(),
              std::vector<std::string>(kListings, "H'0000C010 Enable\n"));
}

TEST_F(ConsoleRoad, ADisconnectLeavesFourSyntaxTextsAndAReconnectMakesTheSameCommands) {
    const auto wordsBefore = window_.ClientWords();
    const auto textsBefore = SyntaxTexts();
    ASSERT_TRUE(Session().Disconnect()) << out_.str();
    EXPECT_TRUE(window_.ClientWords().empty());
    EXPECT_EQ(SyntaxTexts(), kKeptSyntax);
    EXPECT_TRUE(host_.Services().CommandSyntax().HostErrors().empty());

    ASSERT_TRUE(Session().Connect()) << out_.str();
    EXPECT_EQ(window_.ClientWords(), wordsBefore);
    EXPECT_EQ(SyntaxTexts(), textsBefore);
    EXPECT_TRUE(host_.Services().CommandSyntax().HostErrors().empty());
    EXPECT_EQ(Do("de").text, "Current device = VK31D16\n");
}

TEST_F(ConsoleRoad, TheHostConsoleRunsACommandLineAndListsTheSyntax) {
    ASSERT_EQ(console_.Run("cmd bp C010"), simhost::Console::Outcome::Done) << out_.str();
    out_.str({});
    ASSERT_EQ(console_.Run("cmd bd"), simhost::Console::Outcome::Done) << out_.str();
    EXPECT_EQ(out_.str(), "[window] H'0000C010 Enable\n[completed] \"\"\ncmd: S_OK\n");
    out_.str({});
    EXPECT_EQ(console_.Run("cmd gp eml_mode"), simhost::Console::Outcome::Failed);
    EXPECT_EQ(out_.str(), "Paramater value [eml_mode] is empty.\ncmd: E_FAIL Unspecified error\n");
    out_.str({});
    console_.Run("help");
    EXPECT_NE(out_.str().find("  breakpoint, bp\n      <address> [<count>] [<\"stop\">]\n"), std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("  go_option, gp\n      [<\"eml_mode\"> <eml_mode>]\n"), std::string::npos);
}

}  // namespace
