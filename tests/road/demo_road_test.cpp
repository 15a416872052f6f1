// The demo on the real road: the simulated host's console and session object
// over the plug-in module and the simulated emulator's module, from the seed
// session file (VK31D16, connect mode 0, no start-up sheet) on the virtual
// clock. The host's side is checked after each command (its register array,
// the bytes read, the status rows, its break list, what it was called with);
// the chip's flash through the emulator's control API.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"
#include "tests/road/console_output.h"

#include "sim/host/console.h"
#include "sim/host/refusal_text.h"

#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"

#include "platform/clock.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Answers;
using roadtest::Count;
using roadtest::LineCount;
using roadtest::RunTyped;
using roadtest::SharedOutput;
using roadtest::Shows;

constexpr std::size_t kPc = 14;

class DemoRoad : public roadtest::ConsoleRoadSession {
protected:
    // Runs a command of the console; its output.
    std::string Do(simhost::Console& console, const std::string& line,
                   simhost::Console::Outcome expected = simhost::Console::Outcome::Done) {
        out_.str({});
        EXPECT_EQ(console.Run(line), expected) << line << "\n" << out_.str();
        return out_.str();
    }
    DWORD Pc(simhost::Console& console) { return console.Session().Register(kPc); }
    // Connected, the demo program downloaded, the CPU reset: the program
    // stands at its entry.
    void ConnectLoadReset(simhost::Console& console) {
        for (const char* line : {"connect", "load", "reset"}) {
            Do(console, line);
        }
    }
};

TEST_F(DemoRoad, TheScriptedSessionHoldsAtEveryStep) {
    simhost::Console console(host_, in_, out_, false);
    ASSERT_TRUE(console.StartSession()) << out_.str();
    simhost::DebugSession& session = console.Session();
    host_.Log().Clear();

    std::string said = Do(console, "connect");
    EXPECT_TRUE(Shows(said, "[dialog \"Connecting\" closed]")) << said;
    EXPECT_TRUE(Shows(said, "Flash memory erasing ... OK")) << said;
    EXPECT_TRUE(Shows(said, "connect: connected")) << said;
    EXPECT_FALSE(Shows(said, "[property sheet")) << "the seed session needs no start-up sheet";
    ASSERT_TRUE(session.Connected());
    const auto calls = host_.Log().Calls();
    const auto at = [&](const std::string& what) {
        return std::find_if(calls.begin(), calls.end(), [&](const auto& call) { return call.what == what; }) -
               calls.begin();
    };
    EXPECT_LT(at("StartTargetSession"), at("LoadSession")) << "the session is loaded after connecting";

    Do(console, "regs");
    said = Do(console, "load");
    EXPECT_TRUE(Shows(said, "  00C000-00C007 8 bytes 57%\n  00C010-00C012 3 bytes 78%\n  00FFFC-00FFFE 3 bytes 100%\n"))
        << said;
    EXPECT_EQ(ReadTarget(0xC000, 8), (Bytes{0xFD, 0x10, 0xC0, 0x00, 0x04, 0x04, 0xFE, 0xF9}));
    EXPECT_EQ(ReadTarget(0xC010, 3), (Bytes{0x04, 0x04, 0xF3}));

    said = Do(console, "reset");
    EXPECT_EQ(Pc(console), 0xC000u) << said;
    said = Do(console, "mem C000 20");
    EXPECT_TRUE(Shows(said, "00C000  FD 10 C0 00 04 04 FE F9 FF FF FF FF FF FF FF FF  ........"));
    EXPECT_TRUE(Shows(said, "00C010  04 04 F3 FF"));
    EXPECT_EQ(LineCount(said), 2u);

    Do(console, "break C010");
    ASSERT_EQ(session.Breaks().size(), 1u);
    said = Do(console, "go");
    EXPECT_EQ(Pc(console), 0xC010u) << said;
    EXPECT_TRUE(Shows(said, "stopped: ")) << said;
    const std::string breakCause = session.LastStopCause();
    said = Do(console, "break list");
    EXPECT_EQ(said, "  #1 00C010 enabled\n");
    Do(console, "break remove 1");
    EXPECT_TRUE(session.Breaks().empty());

    said = Do(console, "click C010");
    EXPECT_TRUE(Shows(said, "  C010 C:\\Vk3Demo\\Vk3Demo.c:5 enabled\n")) << said;
    said = Do(console, "conditions");
    EXPECT_TRUE(Shows(said, "  1\tBreak condition\ton\tC010\tAddress=H'0000c010(Vk3Demo.c/5) pcbefore \tBreak\n"))
        << said;
    EXPECT_TRUE(Shows(said, "[Breakpoint\tBreakcondition]\n")) << said;
    EXPECT_TRUE(Shows(said, "  2\tBreak condition\toff\t0\tNone\tBreak\n")) << said;
    Do(console, "reset");
    said = Do(console, "go");
    EXPECT_EQ(Pc(console), 0xC010u) << said;
    EXPECT_EQ(session.LastStopCause(), "BREAK CONDITION 1") << said;
    said = Do(console, "condition 1 remove");
    EXPECT_TRUE(Shows(said, "  1\tBreak condition\toff\t0\tNone\tBreak\n")) << said;

    Do(console, "step");
    EXPECT_EQ(Pc(console), 0xC011u);
    Do(console, "step over");
    EXPECT_EQ(Pc(console), 0xC012u);
    Do(console, "step out");
    EXPECT_EQ(Pc(console), 0xC004u);
    said = Do(console, "reg PC C000");
    EXPECT_EQ(Pc(console), 0xC000u);
    EXPECT_TRUE(Shows(said, "next go, step or reset")) << said;
    Do(console, "step");
    EXPECT_EQ(Pc(console), 0xC010u) << "the step took the host's PC and entered the subroutine";
    said = Do(console, "go until C010");
    EXPECT_EQ(Pc(console), 0xC010u) << said;
    const std::string addressCause = session.LastStopCause();

    said = Do(console, "go");
    EXPECT_TRUE(session.Running()) << said;
    said = Do(console, "mem 09F0 10");
    EXPECT_TRUE(Shows(said, "04 C0 00")) << "the return address on the stack: " << said;
    said = Do(console, "halt");
    EXPECT_FALSE(session.Running());
    const std::string haltCause = session.LastStopCause();
    EXPECT_NE(haltCause, breakCause);
    EXPECT_FALSE(haltCause.empty());
    EXPECT_FALSE(breakCause.empty());
    EXPECT_FALSE(addressCause.empty());

    Do(console, "write 0400 11 22 33 44");
    said = Do(console, "mem 0400 10");
    EXPECT_TRUE(Shows(said, "000400  11 22 33 44")) << said;
    EXPECT_EQ(ReadTarget(0x0400, 4), (Bytes{0x11, 0x22, 0x33, 0x44}));
    said = Do(console, "status");
    EXPECT_TRUE(Shows(said, "[Platform]")) << said;
    EXPECT_TRUE(Shows(said, "Cause of last break: " + haltCause)) << said;

    said = Do(console, "disconnect");
    EXPECT_TRUE(Shows(said, "disconnect: session saved")) << said;
    EXPECT_FALSE(session.Connected());
    EXPECT_FALSE(host_.Log().Find("WorkspaceWrite").empty()) << "the session was written to the workspace";
    said = Do(console, "regs", simhost::Console::Outcome::Failed);
    EXPECT_EQ(said, "regs: not connected (\"connect\" first)\n") << "the registers of no session";
    console.EndSession();
    EXPECT_TRUE(host_.Services().Registrations().empty());
    EXPECT_EQ(ReadTarget(0xC000, 8), (Bytes{0xFD, 0x10, 0xC0, 0x00, 0x04, 0x04, 0xFE, 0xF9}))
        << "the program stays in flash";
}

TEST_F(DemoRoad, TheWholeScriptRunsWithoutInputAndExitsZero) {
    simhost::Console console(host_, in_, out_, false);
    EXPECT_EQ(console.RunScript(), 0) << out_.str();
    const std::string said = out_.str();
    for (const std::string& command : simhost::kDemoScript) {
        EXPECT_TRUE(Shows(said, "simhost> " + command + "\n")) << command;
    }
    EXPECT_FALSE(Shows(said, "[message box")) << said;
    EXPECT_FALSE(Shows(said, "failed")) << said;
    EXPECT_TRUE(Shows(said, "client and server registrations in place: 0\nsimhost: unloaded the plug-in module\n"));
    EXPECT_TRUE(host_.Services().Registrations().empty());
}

TEST_F(DemoRoad, InteractiveBadLinesGetOneClearLineEachAndALostLinksBoxTakesNoLine) {
    testing_support::TempFolder files;
    files.Write("broken.mot", "S10BC000FD10C0000404FEF968\r\nS106C0100404F32F\r\n");
    const std::string broken = files.Windows("broken.mot");
    const std::string missing = files.Windows("missing.mot");
    // Each bad line and the words its one line of answer holds.
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"frobnicate", "unknown command \"frobnicate\""},
        {"regs", "regs: not connected (\"connect\" first)"},
        {"reg PC C000", "reg: not connected (\"connect\" first)"},
        {"cmd bd", "cmd: not connected (\"connect\" first)"},
        {"wait -1", "usage: wait [seconds] (\"-1\" is outside 0 to 3600)"},
        {"connect sideways", "usage: connect [ctrl|noctrl]"},
        {"mem", "usage: mem <addr> [count]"},
        {"mem C000", "mem: not connected"},
        {"go", "go: not connected"},
        {"halt", "halt: not connected"},
        {"connect", "connect: connected"},
        {"connect", "connect: already connected"},
        {"mem C000 0", "mem: count 1 to 0x1000"},
        {"mem C000 1001", "mem: count 1 to 0x1000"},
        {"mem C000 xyz", "usage: mem <addr> [count]"},
        {"mem FFFFFFF8 10", "mem: the range runs past 0xFFFFFFFF"},
        {"write FFFFFFFF 1 2", "write: the range runs past 0xFFFFFFFF"},
        {"write 0400 100", "usage: write <addr> <byte>..."},
        // Refused by the plug-in, with its text for the code: past the device's
        // memory, above its top address, a channel that holds no condition.
        {"write 10000 1", "write: 0x80042010 Invalid address value"},
        {"write 200000 11", "write: 0x80042010 Invalid address value"},
        // The system's text for E_INVALIDARG: its wording is the system's (Wine
        // words some apart from Windows), the console only shows it.
        {"break 200000", "break: E_INVALIDARG " + simhost::SystemMessageText(ERROR_INVALID_PARAMETER)},
        {"condition 3 on", "condition: 0x80042012 Invalid index value"},
        {"load " + missing, "load: " + missing + ": cannot open the file"},
        {"load " + broken, "load: " + broken + " line 2: bad checksum"},
        {"load " + files.Windows(), "load: " + files.Windows() + ": a folder or device, not a program file"},
#ifndef _WIN32
        // Opens, and its first read fails.
        {"load /proc/self/mem", "load: /proc/self/mem: cannot read the file"},
#endif
        {"reg XX 1", "reg: no register \"XX\""},
        {"reg PC", "usage: reg <name> <value>"},
        {"reg FLG 10000", "reg: FLG is 16 bits wide"},
        {"break", "usage: break <addr> | break list | break remove <n>"},
        {"break remove 9", "break: no breakpoint #9"},
        {"step sideways", "usage: step [over|out]"},
        {"go until", "usage: go | go until <addr>..."},
        {"wait x", "usage: wait [seconds]"},
        {"halt", "halt: the program is not running"},
    };
    SharedOutput output;
    std::ostream out(&output);
    simhost::LineQueue lines;
    int result = -1;
    std::thread host([&] {
        simhost::Console console(host_, in_, out, true);
        result = console.RunInteractive(lines);
    });
    bool asked = false;
    for (const auto& [line, answer] : bad) {
        lines.Push(line);
        if (line == "connect" && !asked) {
            lines.Push("n");  // the start-up asks whether Ctrl is held
            asked = true;
        }
    }
    lines.Push("load");
    lines.Push("reset");
    lines.Push("go");
    const std::size_t running = output.Await("go: running");
    ASSERT_NE(running, std::string::npos);
    EXPECT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    // A box with nothing to choose: shown on one line, it takes no line.
    ASSERT_NE(output.Await("Please restart Q3v SYSTEM\n", running), std::string::npos);
    lines.Push("mem C000 10");
    lines.Push("step");
    lines.Close();
    host.join();
    EXPECT_EQ(result, 0);

    const std::string said = output.Text();
    const std::vector<std::string> answers = Answers(said);
    ASSERT_GE(answers.size(), bad.size() + 6) << said;
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const std::string& answer = answers[i];
        EXPECT_TRUE(Shows(answer, bad[i].second)) << bad[i].first << ": " << answer;
        if (bad[i].first != "connect") {
            EXPECT_EQ(LineCount(answer), 1u) << bad[i].first << ": " << answer;
        }
    }
    // load, reset, go; then the lost link's box on the go thread, on one
    // line; the later commands are refused.
    const std::string& afterGo = answers[bad.size() + 2];
    EXPECT_TRUE(Shows(afterGo, "go: running")) << afterGo;
    EXPECT_TRUE(Shows(said, "[message box \"Q3vVk3\"] Communication timeout error. Please restart Q3v SYSTEM\n"))
        << said;
    EXPECT_FALSE(Shows(said, "answer (")) << said;
    const std::string& memory = answers[bad.size() + 3];
    EXPECT_TRUE(Shows(memory, "[target] Communication timeout error\nmem: E_FAIL Unspecified error\n")) << memory;
    EXPECT_FALSE(Shows(memory, "\n00C000  FF")) << "no bytes shown";
    EXPECT_TRUE(Shows(said, "detach: ")) << said;
    EXPECT_TRUE(Shows(said, "simhost: unloaded the plug-in module")) << said;
    EXPECT_TRUE(host_.Services().Registrations().empty());
}

// A breakpoint's break byte stands in memory only while the program runs:
// the stopped program reads as its own bytes, through the flash mirror and
// from RAM, and the chip holds them once the session has ended, also when
// the breakpoint was removed while stopped. Flash keeps the break byte in the
// chip between stops, so a go costs no flash programming for it.
TEST_F(DemoRoad, AStoppedProgramReadsAsItsOwnBytesAndTheSessionLeavesTheChipClean) {
    struct Case {
        const char* name;
        DWORD address;
        Bytes program;  // the bytes from the breakpoint on
        bool hit;       // the demo runs through the address
        bool removeFirst;
    };
    const Case cases[] = {
        {"flash", 0xC010, {0x04, 0x04, 0xF3}, true, false},
        {"flash, removed while stopped", 0xC010, {0x04, 0x04, 0xF3}, true, true},
        {"RAM", 0x0800, {0x5A, 0xA5}, false, false},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        simhost::Console console(host_, in_, out_, false);
        ASSERT_TRUE(console.StartSession()) << out_.str();
        simhost::DebugSession& session = console.Session();
        ConnectLoadReset(console);
        char address[16];
        std::snprintf(address, sizeof(address), "%04X", static_cast<unsigned>(one.address));
        if (!one.hit) {
            Do(console, std::string("write ") + address + " 5A A5");
        }
        Do(console, std::string("break ") + address);
        // Not reached, the run is halted by the host after its wait.
        std::string said =
            Do(console, "go", one.hit ? simhost::Console::Outcome::Done : simhost::Console::Outcome::Failed);
        if (one.hit) {
            EXPECT_EQ(Pc(console), one.address) << said;
        }
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(session.ReadMemory(one.address, one.program.size()), one.program) << "round " << round;
            said = Do(console, "mem " + std::string(address) + " 3");
            EXPECT_FALSE(Shows(said, std::string(address) + "  00")) << said;
            if (one.hit) {
                said = Do(console, "go");
                EXPECT_EQ(Pc(console), one.address) << "the breakpoint still stops the program: " << said;
            }
        }
        if (one.removeFirst) {
            Do(console, "break remove 1");
        }
        Do(console, "disconnect");
        EXPECT_EQ(ReadTarget(one.address, one.program.size()), one.program) << "the chip after the session";
        console.EndSession();
        for (const auto& kept : host_.Services().Breakpoints().Breakpoints()) {
            // No target: the host's list forgets it all the same.
            static_cast<void>(host_.Services().Breakpoints().RemoveUserBreakpoint(kept.id));
        }
    }
}

// The host keeps its breakpoints from one session to the next: in the new
// session the breakpoint it lists stops the program and can be removed.
TEST_F(DemoRoad, ABreakpointTheHostKeepsAcrossAReconnectStopsTheProgram) {
    simhost::Console console(host_, in_, out_, false);
    ASSERT_TRUE(console.StartSession()) << out_.str();
    simhost::DebugSession& session = console.Session();
    ConnectLoadReset(console);
    Do(console, "break C004");
    Do(console, "break C010");
    ASSERT_EQ(session.Breaks().size(), 2u);
    // Disabled in the host's list, the second stays disabled.
    const DWORD disabledId = session.Breaks()[1].id;
    ASSERT_EQ(host_.Services().Breakpoints().EnableUserBreakpoint(disabledId, false), S_OK);
    Do(console, "disconnect");

    ConnectLoadReset(console);
    std::string said = Do(console, "break list");
    EXPECT_EQ(said, "  #1 00C004 enabled\n  #2 00C010 disabled\n");
    said = Do(console, "go");
    EXPECT_EQ(Pc(console), 0xC004u) << "the disabled C010 comes first: " << said;
    EXPECT_EQ(session.LastStopCause(), "BREAK POINT") << said;
    EXPECT_TRUE(session.RemoveBreak(1)) << out_.str();
    EXPECT_TRUE(session.RemoveBreak(1)) << out_.str();
    EXPECT_TRUE(session.Breaks().empty());
    console.EndSession();
}

// A go from a breakpoint stops at the next one, a step follows, and both
// breakpoints are removed: the next go runs past where they stood, and the
// chip holds the program. (The step's stop put the break byte of the
// breakpoint the go had stepped off back into the program, where no removal
// took it out: the next go stopped at once with "BREAK POINT".)
TEST_F(DemoRoad, BreakpointsRemovedAfterAStepNoLongerStopTheProgram) {
    const struct {
        const char* name;
        std::vector<std::string> removal;
    } cases[] = {
        {"the console's clear", {"cmd bc"}},
        {"each removed from the host's list", {"break remove 1", "break remove 1"}},
    };
    const Bytes program = {0xFD, 0x10, 0xC0, 0x00, 0x04, 0x04, 0xFE, 0xF9};
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        simhost::Console console(host_, in_, out_, false);
        ASSERT_TRUE(console.StartSession()) << out_.str();
        simhost::DebugSession& session = console.Session();
        ConnectLoadReset(console);
        Do(console, "break C000");
        Do(console, "break C010");
        std::string said = Do(console, "go");
        EXPECT_EQ(Pc(console), 0xC010u) << said;
        said = Do(console, "step");
        EXPECT_EQ(Pc(console), 0xC011u) << said;
        EXPECT_EQ(session.ReadMemory(0xC000, 8), program) << "the stopped program reads as its own bytes";
        for (const std::string& line : one.removal) {
            Do(console, line);
        }
        EXPECT_TRUE(session.Breaks().empty());
        Do(console, "reset");
        said = Do(console, "go until C010");
        EXPECT_EQ(Pc(console), 0xC010u) << said;
        EXPECT_NE(session.LastStopCause(), "BREAK POINT") << said;
        EXPECT_EQ(ReadTarget(0xC000, 8), program) << "the chip holds the program";
        console.EndSession();
        EXPECT_EQ(ReadTarget(0xC000, 8), program) << "the chip after the session";
    }
}

// The README's session by hand, as a person sees it at a terminal: the
// terminal shows each line as it is typed (here the test writes it into the
// output at its prompt, as the terminal would), so the console does not
// show the answers again. "…" in the README stands for lines left out, or
// for part of a line.
constexpr char kReadmeSession[] = R"(simhost> connect
[the start-up looks at the Ctrl key: held, it shows the Emulator Setting sheet before connecting; "connect ctrl" or "connect noctrl" answers without this question]
is Ctrl held? (y/N): n
…
[target] Q3v firmware version "6.56.30.000"
connect: connected
simhost> load
load: Z:\…\build\bin\Vk3Demo.mot, 14 bytes in 3 runs
…
load: done
simhost> reset
[target] RESET CPU
reset: the PC takes the program's reset vector
…
PC=00C000  INTB=000000  USP=0000  ISP=0A00  SB=0000  FLG=0000
simhost> break C010
break: #1 at 00C010
simhost> go
…
stopped: BREAK POINT
…
PC=00C010  INTB=000000  USP=0000  ISP=09FD  SB=0000  FLG=0000
simhost> regs
0R0=0000  0R1=0000  0R2=0000  0R3=0000  0A0=0000  0A1=0000  0FB=0000
1R0=0000  1R1=0000  1R2=0000  1R3=0000  1A0=0000  1A1=0000  1FB=0000
PC=00C010  INTB=000000  USP=0000  ISP=09FD  SB=0000  FLG=0000
simhost> quit
disconnect: session saved
…
simhost: unloaded the plug-in module
)";

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A line of the README against one shown: equal, or with "…" standing for
// any part.
bool LineMatches(const std::string& written, const std::string& shown) {
    const std::string ellipsis = "…";
    const std::size_t at = written.find(ellipsis);
    if (at == std::string::npos) {
        return written == shown;
    }
    const std::string before = written.substr(0, at);
    const std::string after = written.substr(at + ellipsis.size());
    return shown.size() >= before.size() + after.size() && shown.compare(0, before.size(), before) == 0 &&
           shown.compare(shown.size() - after.size(), after.size(), after) == 0;
}

// Where the README's lines fail to stand in the shown ones, in order; empty
// when they all do. A line of "…" alone skips any lines.
std::string SessionMismatch(const std::vector<std::string>& written, const std::vector<std::string>& shown) {
    std::size_t next = 0;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const bool skip = i > 0 && written[i - 1] == "…";
        if (written[i] == "…") {
            continue;
        }
        while (skip && next < shown.size() && !LineMatches(written[i], shown[next])) {
            ++next;
        }
        if (next >= shown.size() || !LineMatches(written[i], shown[next])) {
            return "README line " + std::to_string(i + 1) + " \"" + written[i] + "\" where the console showed \"" +
                   (next < shown.size() ? shown[next] : std::string("(the end)")) + "\"";
        }
        ++next;
    }
    return {};
}

TEST_F(DemoRoad, TheReadmesSessionHoldsAsWrittenAtATerminal) {
    SharedOutput output;
    std::ostream out(&output);
    simhost::LineQueue lines(true);
    int result = -1;
    std::thread host([&] {
        simhost::Console console(host_, in_, out, true);
        result = console.RunInteractive(lines);
    });
    // Each typed line at the prompt or question before it; a command's
    // prompt comes once its output is complete.
    const std::vector<std::pair<std::string, std::string>> typed = {
        {"simhost> ", "connect"}, {"(y/N): ", "n"},     {"simhost> ", "load"}, {"simhost> ", "reset"},
        {"simhost> ", "break C010"}, {"simhost> ", "go"}, {"simhost> ", "regs"}, {"simhost> ", "quit"},
    };
    std::size_t from = 0;
    for (const auto& [prompt, line] : typed) {
        from = output.Await(prompt, from);
        if (from == std::string::npos) {
            break;
        }
        out << line << "\n" << std::flush;  // the terminal shows what is typed
        from = output.Text().size();
        lines.Push(line);
    }
    lines.Close();
    host.join();
    EXPECT_EQ(result, 0);
    const std::string said = output.Text();
    // The README's program lies in build\bin; this build's, in its own folder.
    std::string written = kReadmeSession;
    const std::string readmeBin = "\\build\\bin\\";
    const std::string bin = testing_support::ProgramFolder();  // its last name "bin"
    const std::size_t build = bin.rfind('\\', bin.size() - std::string("\\bin\\").size() - 1);
    written.replace(written.find(readmeBin), readmeBin.size(), bin.substr(build));
    const std::vector<std::string> shown = SplitLines(said.substr(said.find("simhost> ")));
    EXPECT_EQ(SessionMismatch(SplitLines(written), shown), "") << said;
    EXPECT_EQ(Count(said, "(y/N): n\n"), 1u) << said;
    EXPECT_FALSE(Shows(said, "(y/N): n\nn\n")) << "the terminal showed the answer; the console does not again";
}

TEST_F(DemoRoad, TheConnectSaysWhatItsQuestionIsForAndItsOptionsAnswerIt) {
    simhost::Console console(host_, in_, out_, true);
    const std::string said = RunTyped(
        console, out_, {"connect", "help", "disconnect", "connect noctrl", "disconnect", "connect ctrl", "", "quit"});
    const std::vector<std::string> answers = Answers(said);
    ASSERT_EQ(answers.size(), 6u) << said;
    EXPECT_TRUE(Shows(answers[0],
                      "[the start-up looks at the Ctrl key: held, it shows the Emulator Setting sheet before "
                      "connecting; \"connect ctrl\" or \"connect noctrl\" answers without this question]\n"
                      "is Ctrl held? (y/N): help\n[\"help\" is no answer: Ctrl taken as not held]\n"))
        << answers[0];
    EXPECT_TRUE(Shows(answers[0], "connect: connected")) << answers[0];
    EXPECT_FALSE(Shows(said, "this list, then the plug-in's command words")) << "help went to the question";
    EXPECT_TRUE(Shows(answers[2], "connect: connected")) << answers[2];
    EXPECT_FALSE(Shows(answers[2], "[property sheet")) << answers[2];
    EXPECT_TRUE(Shows(answers[4], "[property sheet \"Emulator Setting\"")) << answers[4];
    EXPECT_TRUE(Shows(answers[4], "connect: connected")) << answers[4];
    EXPECT_EQ(Count(said, "is Ctrl held?"), 1u) << "the options answer without the question";
    EXPECT_TRUE(host_.Services().Registrations().empty());
}

TEST_F(DemoRoad, QuitAtAnOpenSheetCancelsItAndEndsTheSessionCleanly) {
    simhost::Console console(host_, in_, out_, true);
    const std::string said = RunTyped(console, out_, {"connect ctrl", "regs", "frobnicate", "quit", "regs"});
    EXPECT_EQ(Count(said, "[property sheet \"Emulator Setting\""), 1u) << "shown once\n" << said;
    EXPECT_EQ(Count(said, "[the next lines answer this sheet until it closes: its buttons "), 1u) << said;
    EXPECT_TRUE(Shows(said, "[the dialog took \"regs\": no dialog command (\"?\" lists them)]\n")) << said;
    EXPECT_TRUE(Shows(said, "[the dialog took \"frobnicate\": no dialog command (\"?\" lists them)]\n")) << said;
    EXPECT_TRUE(Shows(said, "[quit: the sheet is cancelled; the session ends]\n")) << said;
    EXPECT_EQ(Answers(said).size(), 1u) << "nothing ran after the quit\n" << said;
    EXPECT_FALSE(console.Session().Connected());
    EXPECT_TRUE(Shows(said, "simhost: unloaded the plug-in module\n")) << said;
    EXPECT_TRUE(host_.Services().Registrations().empty());
}

TEST_F(DemoRoad, QuitAtABoxOfTheGoThreadEndsTheSessionCleanly) {
    SharedOutput output;
    std::ostream out(&output);
    simhost::LineQueue lines;
    int result = -1;
    std::thread host([&] {
        simhost::Console console(host_, in_, out, true);
        result = console.RunInteractive(lines);
    });
    for (const char* line : {"connect noctrl", "load", "reset", "go"}) {
        lines.Push(line);
    }
    std::size_t ended = std::string::npos;
    if (const std::size_t running = output.Await("go: running"); running != std::string::npos) {
        // The go thread's next look finds the connector gone and asks.
        EXPECT_EQ(control_->injectFault(Q3V_SIM_FAULT_CONNECTOR, 1, 0), Q3V_SIM_OK);
        if (const std::size_t box = output.Await("answer (", running); box != std::string::npos) {
            lines.Push("quit");
            lines.Push("regs");
            ended = output.Await("simhost: unloaded the plug-in module", box);
        }
    }
    lines.Close();
    host.join();
    EXPECT_NE(ended, std::string::npos) << "the quit ended the session";
    EXPECT_EQ(result, 0);
    const std::string said = output.Text();
    EXPECT_TRUE(Shows(said, "Connector disconnected\nanswer (retry, cancel; ")) << said;
    EXPECT_TRUE(Shows(said, "[quit: answered Cancel; the session ends]")) << said;
    EXPECT_EQ(Answers(said).size(), 5u) << "the line after the quit did not run\n" << said;
    EXPECT_TRUE(host_.Services().Registrations().empty());
}

TEST_F(DemoRoad, AProgramNamedWithoutItsFolderIsFoundBesideTheHostWhenTheWorkingFolderLacksIt) {
    simhost::Console console(host_, in_, out_, false);
    ASSERT_TRUE(console.StartSession()) << out_.str();
    Do(console, "connect");
    testing_support::TempFolder elsewhere;
    const testing_support::CurrentDirectoryScope working;
    EXPECT_TRUE(SetCurrentDirectoryA(elsewhere.Windows().c_str()));
    std::string said = Do(console, "load Vk3Demo.mot");
    EXPECT_TRUE(Shows(said, "load: " + testing_support::ProgramFolder() + "Vk3Demo.mot, 14 bytes in 3 runs\n"))
        << said;
    EXPECT_EQ(ReadTarget(0xC000, 2), (Bytes{0xFD, 0x10}));
    said = Do(console, "load nothing.mot", simhost::Console::Outcome::Failed);
    EXPECT_EQ(said, "load: nothing.mot: cannot open the file\n");
    // One of that name in the working folder comes first.
    elsewhere.Write("Vk3Demo.mot", "S105C000010237\r\n");
    said = Do(console, "load Vk3Demo.mot");
    EXPECT_TRUE(Shows(said, "load: Vk3Demo.mot, 2 bytes in 1 runs\n")) << said;
    EXPECT_EQ(ReadTarget(0xC000, 2), (Bytes{0x01, 0x02}));
    console.EndSession();
}

TEST_F(DemoRoad, AWaitThatRunsOutSaysInSecondsThatItHaltsTheProgram) {
    simhost::Console console(host_, in_, out_, false);
    ASSERT_TRUE(console.StartSession()) << out_.str();
    for (const char* line : {"connect", "load", "reset", "go"}) {
        Do(console, line);
    }
    ASSERT_TRUE(console.Session().Running()) << out_.str();
    std::string said = Do(console, "wait 1", simhost::Console::Outcome::Failed);
    EXPECT_TRUE(Shows(said, "wait: still running after 1 s: halting it\n")) << said;
    EXPECT_TRUE(Shows(said, "stopped: ")) << said;
    EXPECT_FALSE(console.Session().Running());
    said = Do(console, "help");
    EXPECT_TRUE(Shows(said, "at most s seconds (decimal, 10 by default);\n                         halts it when they "
                            "run out\n"))
        << said;
    console.EndSession();
}

}  // namespace
