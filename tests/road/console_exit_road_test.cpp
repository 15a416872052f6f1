// The ways a session of the host's console ends, on the real road (the
// plug-in module and the simulated emulator from the seed session, on the
// virtual clock): the end of input inside a dialog, quit at a terminal whose
// input stays open, Ctrl-C while a command waits for the program's stop or
// at the prompt, a terminating signal, and a signal during the demo script.
// Each ends cleanly: what the person left open is answered the least harmful
// way, the program is halted, the session saved and disconnected, the
// plug-in unloaded, and the session's scratch folder is gone with the
// console. The signals are raised in the test process once the console says
// it waits, and reach the console through the program's own SignalWatch.
#include "tests/road/console_output.h"
#include "tests/road/road_session.h"

#include "sim/host/console.h"
#include "sim/host/line_queue.h"
#include "sim/host/signal_watch.h"

#include "tests/emulator/sim_emulator.h"

#include "platform/paths.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Count;
using roadtest::RunTyped;
using roadtest::SharedOutput;
using roadtest::Shows;

// Bytes the chip's flash holds before the session: a connect that erased
// the flash or downloaded into it would change them.
const Bytes kFlashBefore = {0x5A, 0xA5, 0x3C, 0xC3};
constexpr DWORD kFlashAt = 0xC000;

class ConsoleExitRoad : public roadtest::ConsoleRoadSession {
protected:
    // The session's scratch folder, as the console named it, on this file
    // system.
    static std::filesystem::path ScratchOf(simhost::Console& console) {
        return platform::ToNativePath(console.Session().SessionFolder()).value_or(std::string());
    }

    // The console run on a thread of its own, as the program runs it, with
    // its signals watched and its lines typed by the test. End() ends the
    // input and waits for the session's end.
    struct Running {
        explicit Running(simhost::SimHost& host, bool interactive = true) {
            thread = std::thread([this, &host, interactive] {
                simhost::Console console(host, in, out, interactive);
                const simhost::SignalWatch signals([&console](int number) { console.OnSignal(number); });
                result = interactive ? console.RunInteractive(lines) : console.RunScript();
                scratch = ScratchOf(console);
            });
        }
        ~Running() { End(); }
        void End() {
            lines.Close();
            if (thread.joinable()) {
                thread.join();
            }
        }
        void Type(std::initializer_list<const char*> typed) {
            for (const char* line : typed) {
                lines.Push(line);
            }
        }

        std::istringstream in;
        SharedOutput output;
        std::ostream out{&output};
        simhost::LineQueue lines;
        int result = -1;
        std::filesystem::path scratch;  // the session's, which goes with the console
        std::thread thread;
    };

    static void ExpectCleanEnd(simhost::SimHost& host, const std::string& said, const std::filesystem::path& scratch) {
        EXPECT_TRUE(Shows(said, "simhost: unloaded the plug-in module\n")) << said;
        EXPECT_TRUE(host.Services().Registrations().empty()) << said;
        EXPECT_FALSE(scratch.empty());
        EXPECT_FALSE(std::filesystem::exists(scratch)) << "the scratch session folder is left behind: " << scratch;
    }
};

// The end of input while a dialog waits for the person: it is cancelled,
// never given its default OK, so the connect stops there and the chip keeps
// its flash. The power supply's box and dialog, which come back after every
// OK, come once.
TEST_F(ConsoleExitRoad, TheEndOfInputInsideADialogCancelsItAndTheChipKeepsItsFlash) {
    const struct {
        const char* name;
        std::vector<std::string> typed;
        const char* cancelled;
    } cases[] = {
        {"the start-up sheet", {"connect ctrl"}, "[end of input: the sheet is cancelled; the session ends]\n"},
        {"the power supply dialog, after the sheet asked for 5 V from the emulator of a powered board",
         {"connect ctrl", "check 1227", "pick 1229", "ok"},
         "[end of input: the dialog is cancelled; the session ends]\n"},
    };
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        PutTarget(kFlashAt, kFlashBefore);
        simhost::SimHost host;  // each session a host of its own
        std::ostringstream out;
        std::filesystem::path scratch;
        std::string said;
        {
            simhost::Console console(host, in_, out, true);
            said = RunTyped(console, out, one.typed);
            EXPECT_FALSE(console.Session().Connected());
            scratch = ScratchOf(console);
        }
        EXPECT_EQ(Count(said, one.cancelled), 1u) << said;
        EXPECT_LE(Count(said, "[dialog \"Power Supply\""), 1u) << said;
        EXPECT_LE(Count(said, "The power supply to a user system was detected."), 1u) << said;
        EXPECT_FALSE(Shows(said, "[pressed the default button]")) << said;
        EXPECT_TRUE(Shows(said, "connect: E_FAIL Unspecified error\n")) << said;
        EXPECT_EQ(ReadTarget(kFlashAt, kFlashBefore.size()), kFlashBefore) << "the flash was erased";
        ExpectCleanEnd(host, said, scratch);
    }
}

// A terminal's input does not end when the person types quit: the session
// ends all the same, with the line reader still waiting for the next line.
TEST_F(ConsoleExitRoad, QuitEndsTheSessionWhileTheInputStaysOpen) {
    // A terminal: "quit", then nothing, ever. It lasts as long as the process,
    // as the standard input does, for its reader is never waited for.
    class Terminal : public std::streambuf {
    protected:
        int_type underflow() override {
            if (typed_) {
                std::mutex never;
                std::unique_lock lock(never);
                std::condition_variable().wait(lock, [] { return false; });
            }
            typed_ = true;
            setg(line_, line_, line_ + sizeof(line_) - 1);
            return traits_type::to_int_type(line_[0]);
        }

    private:
        char line_[6] = "quit\n";
        bool typed_ = false;
    };
    static Terminal terminal;
    static std::istream input(&terminal);

    std::ostringstream out;
    simhost::Console console(host_, in_, out, true);
    EXPECT_EQ(console.RunInteractive(*simhost::ReadLines(input, true)), 0);
    EXPECT_TRUE(Shows(out.str(), "simhost: unloaded the plug-in module\n")) << out.str();
}

// Ctrl-C while wait waits for the stop of a program that runs on: the
// program is halted, and the prompt returns with the session as it was.
TEST_F(ConsoleExitRoad, CtrlCWhileACommandWaitsForTheStopHaltsTheProgramAndThePromptReturns) {
    Running console(host_);
    console.Type({"connect noctrl", "load", "reset", "go"});
    ASSERT_NE(console.output.Await("go: running"), std::string::npos);
    console.Type({"wait 3600"});
    const std::size_t waiting =
        console.output.Await("wait: waiting at most 3600 s for the stop (Ctrl-C halts the program)\n");
    ASSERT_NE(waiting, std::string::npos);
    ASSERT_EQ(Status().running, 1u);
    std::raise(SIGINT);
    ASSERT_NE(console.output.Await("wait: interrupted: halting the program\n", waiting), std::string::npos);
    ASSERT_NE(console.output.Await("stopped: BREAK KEY\n", waiting), std::string::npos);
    EXPECT_EQ(Status().running, 0u) << "the chip's program stands still";
    console.Type({"mem C000 4"});
    ASSERT_NE(console.output.Await("00C000  FD 10 C0 00", waiting), std::string::npos) << "the session goes on";
    console.End();
    const std::string said = console.output.Text();
    EXPECT_EQ(console.result, 0);
    EXPECT_FALSE(Shows(said, "Ctrl-C: the session ends")) << said;
    EXPECT_TRUE(Shows(said, "disconnect: session saved\n")) << said;
    ExpectCleanEnd(host_, said, console.scratch);
}

// At the prompt, Ctrl-C ends the session as quit does; a terminating signal
// ends it the same way and the program's exit code names it. A program left
// running is halted, and the session saved, before the plug-in goes.
TEST_F(ConsoleExitRoad, ASignalAtThePromptEndsTheSessionCleanly) {
    const struct {
        int number;
        const char* said;
        int result;
    } signals[] = {
        {SIGINT, "simhost: Ctrl-C: the session ends\n", 0},
        {SIGTERM, "simhost: SIGTERM: the session ends\n", 128 + SIGTERM},
#ifdef SIGHUP
        {SIGHUP, "simhost: SIGHUP: the session ends\n", 128 + SIGHUP},
#endif
#ifdef SIGPIPE
        {SIGPIPE, "simhost: SIGPIPE: the session ends\n", 128 + SIGPIPE},
#endif
    };
    for (const auto& signal : signals) {
        SCOPED_TRACE(signal.said);
        simhost::SimHost host;  // each session a host of its own
        Running console(host);
        console.Type({"connect noctrl", "load", "reset", "go"});
        const std::size_t running = console.output.Await("go: running");
        ASSERT_NE(running, std::string::npos);
        ASSERT_NE(console.output.Await("simhost> ", running), std::string::npos);
        ASSERT_EQ(Status().running, 1u);
        std::raise(signal.number);
        console.thread.join();
        const std::string said = console.output.Text();
        EXPECT_EQ(console.result, signal.result);
        EXPECT_TRUE(Shows(said, signal.said)) << said;
        EXPECT_TRUE(Shows(said, "stopped: BREAK KEY\n")) << said;
        EXPECT_EQ(Status().running, 0u) << "the chip's program stands still";
        EXPECT_TRUE(Shows(said, "disconnect: session saved\ndisconnect: disconnected\n")) << said;
        EXPECT_FALSE(host.Log().Find("WorkspaceWrite").empty()) << "the session was written to the workspace";
        ExpectCleanEnd(host, said, console.scratch);
    }
}

// The demo script stops after the step it was in and ends its session.
TEST_F(ConsoleExitRoad, ASignalStopsTheDemoScriptAndItsSessionEndsCleanly) {
    Running script(host_, false);
    ASSERT_NE(script.output.Await("simhost> load\n"), std::string::npos);
    std::raise(SIGINT);
    script.thread.join();
    const std::string said = script.output.Text();
    EXPECT_EQ(script.result, 128 + SIGINT);
    EXPECT_TRUE(Shows(said, "simhost: Ctrl-C: the demo stops here\n")) << said;
    EXPECT_FALSE(Shows(said, "the demo failed")) << said;
    ExpectCleanEnd(host_, said, script.scratch);
}

}  // namespace
