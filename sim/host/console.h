// The simulated host's console: the interpreter of the host's commands over
// a debug session, the demo script and the interactive mode.
#pragma once

#include "sim/host/command_window.h"
#include "sim/host/console_ui.h"
#include "sim/host/debug_session.h"
#include "sim/host/line_queue.h"
#include "sim/host/sim_host.h"

#include <atomic>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

// The demo's commands, run in this order by the script.
extern const std::vector<std::string> kDemoScript;

// The seed session file beside the host program.
std::string DefaultSeedFile();

class Console {
public:
    // seedFile: the session file each session starts from (a Windows path).
    Console(SimHost& host, std::istream& in, std::ostream& out, bool interactive,
            std::string seedFile = DefaultSeedFile());
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The demo: loads, registers and attaches the plug-in, runs kDemoScript
    // (each command echoed after the prompt), detaches and unloads. Answers
    // the program's exit code: 0, or 1 when a step failed.
    int RunScript();
    // Runs the lines another thread feeds (ReadLines) until quit or the end
    // of input; the host's UI thread serves its waiting messages meanwhile.
    // A message box with a choice or a dialog takes the next line as its
    // answer. Answers 0, or 128 and the number of a signal that ended it
    // (other than Ctrl-C at the prompt, which is quit).
    int RunInteractive(LineQueue& lines);

    // A signal that asks the program to stop, from any thread (SignalWatch):
    // Ctrl-C while a command waits for the program's stop cuts the wait
    // short, halts the program and returns to the prompt; otherwise it, and
    // the others (SIGTERM, SIGHUP, SIGPIPE) always, end the session as quit
    // does (the script stops after its step).
    void OnSignal(int number);

    enum class Outcome { Done, Failed, Quit };
    // Runs one console command.
    Outcome Run(const std::string& line);
    // Runs one console command; false for "quit".
    bool Execute(const std::string& line) { return Run(line) != Outcome::Quit; }

    // Loads, registers and attaches the plug-in, shows what it registered
    // and opens the host's session; false when it cannot.
    bool StartSession();
    // Ends the session: halted, saved, disconnected, detached, unloaded.
    void EndSession();

    DebugSession& Session() { return session_; }

private:
    void Print(const std::string& line);
    // Each line of the text, after the indent.
    void PrintLines(const std::string& text, const std::string& indent);
    // The command's usage, with what was wrong with its argument.
    bool Usage(const std::string& usage);
    // A number in the host's expression syntax (hexadecimal by default);
    // false (and the reason kept for Usage) when it is not one or too big.
    bool Number(const std::string& text, std::uint64_t limit, std::uint64_t& value, int radix = 16);
    bool RunCommand(const std::string& command, std::vector<std::string>& words, const std::string& line);
    bool Memory(const std::vector<std::string>& words);
    bool Write(const std::vector<std::string>& words);
    bool Break(const std::vector<std::string>& words);
    // "conditions" and "condition <n> edit [addr]|on|off|remove": the
    // host's break-list window on the break conditions.
    bool ShowConditions();
    bool Condition(const std::vector<std::string>& words);
    // "click <addr>|<file>:<line> [menu]": a toggle (or, with "menu", a
    // context click) into the event column of the disassembly or source
    // view; "marks": the glyphs of the lines of the host's line table.
    bool Click(const std::vector<std::string>& words);
    bool ShowMarks();
    bool GoCommand(const std::vector<std::string>& words);
    bool StepCommand(const std::vector<std::string>& words);
    // "cmd <line>": one line to the plug-in's commands in the command
    // window; shows the result text, the result, the lines the command wrote
    // to the window and a text it handed in later.
    bool CommandLine(const std::string& line);
    void ShowHelp();
    void ShowRegistrations();
    void ShowInterfaces();
    void ShowHostRegistrations();
    void ShowLog();
    void ShowUi();
    // "menu <id>": asks the window of the owner whose menu holds the command
    // for its state and sends it the command when it is enabled.
    void ChooseMenuCommand(const std::vector<std::string>& words);

    SimHost& host_;
    std::istream& in_;
    std::ostream& out_;
    bool interactive_;
    std::string seedFile_;
    std::string badArgument_;
    std::mutex linesMutex_;       // a signal's thread reaches lines_ too
    LineQueue* lines_ = nullptr;  // while RunInteractive reads from one, under linesMutex_
    std::atomic<int> signal_{0};  // the signal that ends the session
    ConsoleUiDriver ui_;
    DebugSession session_;
    CommandWindow commands_;
};

}  // namespace simhost
