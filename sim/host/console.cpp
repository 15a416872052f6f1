#include "sim/host/console.h"

#include "sim/host/break_list_window.h"
#include "sim/host/refusal_text.h"
#include "sim/host/signal_watch.h"

#include "platform/afx.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sleep_tally.h"
#include "platform/ui.h"

#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace simhost {
namespace {

// The interfaces the console asks the plug-in for.
const IID* const kQueriedInterfaces[] = {
    &IID_IHRegistryClient,   &IID_IHComponent,           &IID_IHWorkSpaceClient, &IID_IHWorkSpaceClient2,
    &IID_IHWorkSpaceClientExtra, &CLSID_Q3vVk3Target, &CLSID_Q3vVk3UiComponent, &IID_IHTarget,
};

constexpr char kDefaultProgram[] = "Vk3Demo.mot";
constexpr std::uint64_t kAddressLimit = 0xFFFFFFFFull;
constexpr std::uint64_t kMostWaitSeconds = 3600;
constexpr DWORD kDefaultWaitSeconds = 10;
constexpr DWORD kDefaultMemoryCount = 16;
// A program ended by a signal exits with 128 and the signal's number.
constexpr int kSignalExit = 128;
// How long the UI thread waits for a line before it serves its messages.
constexpr std::chrono::milliseconds kMessagePeriod{5};

const char* const kHelp =
    "connect [ctrl|noctrl]    starts the target session: connects to the emulator; the start-up asks\n"
    "                         whether Ctrl is held (held, it shows the Emulator Setting sheet): \"ctrl\"\n"
    "                         or \"noctrl\" answers without the question\n"
    "disconnect               saves the session and disconnects\n"
    "load [file]              downloads an S-record program (Vk3Demo.mot by default; a relative name\n"
    "                         not in the working folder is looked for beside simhost)\n"
    "reset                    resets the CPU; the PC takes the program's reset vector\n"
    "go                       runs the program (it stops at a breakpoint)\n"
    "go until <addr>...       runs until one of the addresses\n"
    "halt                     stops the running program\n"
    "step [over|out]          steps one instruction, over a call, or out of the routine\n"
    "wait [s]                 waits for the program to stop, at most s seconds (decimal, 10 by default);\n"
    "                         halts it when they run out\n"
    "regs                     the registers\n"
    "reg <name> <value>       sets a register in the host (the target takes it at the next run)\n"
    "mem <addr> [count]       shows memory (count 1 to 1000, that is 4,096; 10 by default)\n"
    "write <addr> <byte>...   writes bytes\n"
    "break <addr>             sets a PC breakpoint; \"break list\", \"break remove <n>\" (decimal n)\n"
    "conditions               the break list's break conditions (and PC breakpoints)\n"
    "condition <n> edit [addr]  opens break condition n's sheet (decimal n; with addr it is filled with\n"
    "                         a program-fetch condition there); \"condition <n> on|off|remove\"\n"
    "click <addr>|<file>:<line> [menu]  a click into the event column of the disassembly view\n"
    "                         or a source view: toggles a break condition there, or opens the menu\n"
    "marks                    the event columns' marks on the program's lines\n"
    "status                   the status window's pages\n"
    "trace                    the trace window\n"
    "registrations            what the plug-in registered with the host's registry\n"
    "interfaces               which interfaces the plug-in answers\n"
    "host                     the client and server registrations in place\n"
    "log                      every call the host received\n"
    "ui                       the plug-in's menus, toolbars and windows in the host\n"
    "menu <id>                chooses the command of a registered menu\n"
    "cmd <line>               runs a line of the plug-in's commands in the command window\n"
    "help                     this list, then the plug-in's command words and their syntax\n"
    "quit                     halts, saves, disconnects, detaches, unloads and leaves\n"
    "Numbers are hexadecimal unless marked (D'10, 0x10, 10h). Ctrl-C halts a program that go, step or\n"
    "wait waits for; at the prompt it quits.";

// Why the start-up's look at the Ctrl key matters, said where it asks.
constexpr char kCtrlAtConnect[] =
    "the start-up looks at the Ctrl key: held, it shows the Emulator Setting sheet before connecting; "
    "\"connect ctrl\" or \"connect noctrl\" answers without this question";

// The running word of a command that hands in its text later.
constexpr WORD kCommandRunsOn = 0xFFFF;
// How long "cmd" waits for such a text.
constexpr std::chrono::milliseconds kCompletionLimit{10000};

std::string Lowered(std::string word) {
    for (char& c : word) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return word;
}

// A text with its line breaks shown as \n.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return escaped;
}

// A program named by a relative path that is not in the working folder is
// looked for beside the host program, where the demo's program lies.
std::string ProgramPath(const std::string& name) {
    const bool relative = !name.empty() && name[0] != '\\' && name[0] != '/' && (name.size() < 2 || name[1] != ':');
    if (!relative || GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return name;
    }
    const std::string beside = ProgramFolder() + name;
    return GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside : name;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

}  // namespace

const std::vector<std::string> kDemoScript = {
    "connect",        "regs",         "load",           "reset",    "mem C000 20",
    "break C010",     "go",           "break list",     "break remove 1", "click C010",
    "conditions",     "reset",        "go",             "condition 1 remove", "step",
    "step over",      "step out",     "reg PC C000",    "step",     "go until C010",
    "go",             "mem 09F0 10",  "halt",           "write 0400 11 22 33 44",
    "mem 0400 10",    "status",       "disconnect",
};

std::string DefaultSeedFile() {
    return ProgramFolder() + "simhost_session.ini";
}

Console::Console(SimHost& host, std::istream& in, std::ostream& out, bool interactive, std::string seedFile)
    : host_(host),
      in_(in),
      out_(out),
      interactive_(interactive),
      seedFile_(std::move(seedFile)),
      ui_(in, out, interactive),
      session_(host, [this](const std::string& line) { Print(line); }),
      commands_(host.Services(), host.Log()) {
    if (interactive) {
        // The host's label chooser asks the person at the console.
        host_.Services().Labels().SetAsker([this]() -> std::optional<std::string> {
            if (ui_.QuitAsked()) {
                return std::nullopt;
            }
            {
                std::lock_guard lock(ui_.OutputLock());
                out_ << "[choose a label]\nlabel (empty to cancel): " << std::flush;
            }
            std::string label;
            const bool answered = lines_ != nullptr ? lines_->TakeAnswer(label) : !!std::getline(in_, label);
            if (!answered || label.empty()) {
                return std::nullopt;
            }
            if (ui_.TakeQuit(label)) {
                Print("[quit: no label chosen; the session ends]");
                return std::nullopt;
            }
            return label;
        });
    }
}

Console::~Console() {
    host_.Services().Labels().SetAsker(nullptr);
}

void Console::Print(const std::string& line) {
    std::lock_guard lock(ui_.OutputLock());
    out_ << line << "\n" << std::flush;
}

bool Console::StartSession() {
    if (!host_.Load()) {
        Print("simhost: " + host_.LoadError());
        return false;
    }
    Print("simhost: loaded the plug-in module");
    Print("LibraryRegister: " + OutcomeText(host_.Services(), host_.RegisterLibrary()));
    ShowRegistrations();
    ShowInterfaces();
    Print("attach: " + OutcomeText(host_.Services(), host_.AttachComponents()));
    for (const AttachedComponent& component : host_.Components()) {
        Print("  " + component.name + ": " + OutcomeText(host_.Services(), component.attachResult));
    }
    ShowHostRegistrations();
    return session_.OpenSession(seedFile_);
}

void Console::EndSession() {
    if (session_.Connected()) {
        session_.Disconnect();
    }
    Print("detach: " + OutcomeText(host_.Services(), host_.DetachComponents()));
    ShowHostRegistrations();
    host_.Unload();
    Print("simhost: unloaded the plug-in module");
}

int Console::RunScript() {
    const auto started = std::chrono::steady_clock::now();
    const std::uint64_t sleptBefore = platform::RealSleptMilliseconds();
    bool ok = StartSession();
    for (std::size_t i = 0; ok && signal_ == 0 && i < kDemoScript.size(); ++i) {
        Print("simhost> " + kDemoScript[i]);
        ok = Run(kDemoScript[i]) == Outcome::Done;
    }
    const int signal = signal_;
    if (signal != 0) {
        Print("simhost: " + SignalName(signal) + ": the demo stops here");
    } else if (!ok) {
        Print("simhost: the demo failed");
    }
    EndSession();
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    const std::uint64_t fixed = platform::RealSleptMilliseconds() - sleptBefore - session_.HostSleptMilliseconds();
    const auto beyond = static_cast<std::int64_t>(wall.count()) - static_cast<std::int64_t>(fixed);
    Print("simhost: " + std::to_string(wall.count()) + " ms of wall time, " + std::to_string(fixed) +
          " ms of them the plug-in's fixed waits, " + std::to_string(beyond) + " ms beyond them");
    return signal != 0 ? kSignalExit + signal : ok ? 0 : 1;
}

int Console::RunInteractive(LineQueue& lines) {
    {
        std::lock_guard lock(linesMutex_);
        lines_ = &lines;
    }
    ui_.SetLineSource([&lines](std::string& line) { return lines.TakeAnswer(line); }, !lines.TypedAtTerminal());
    const bool started = StartSession();
    if (started) {
        Print("type \"help\" for the commands");
    }
    for (bool more = started; more && !ui_.QuitAsked();) {
        {
            std::lock_guard lock(ui_.OutputLock());
            out_ << "simhost> " << std::flush;
        }
        std::string line;
        while (!lines.TakeCommand(line, kMessagePeriod)) {
            // A box on another thread (the go thread's) may take "quit".
            if (lines.Finished() || ui_.QuitAsked()) {
                Print("");
                more = false;
                break;
            }
            platform::ProcessWaitingMessages();
            session_.CheckRunEnded();
        }
        // A line typed after a box took "quit" is not run.
        if (more && !ui_.QuitAsked()) {
            more = Run(line) != Outcome::Quit;
        }
    }
    const int signal = signal_;
    if (signal != 0) {
        Print("");
        Print("simhost: " + SignalName(signal) + ": the session ends");
    }
    if (started) {
        EndSession();
    }
    ui_.SetLineSource(nullptr, false);
    {
        std::lock_guard lock(linesMutex_);
        lines_ = nullptr;
    }
    if (!started) {
        return 1;
    }
    // Ctrl-C at the prompt is the person's quit.
    return signal == 0 || signal == SIGINT ? 0 : kSignalExit + signal;
}

void Console::OnSignal(int number) {
    const bool cut = session_.CutRunWaitShort();
    if (number == SIGINT && cut && interactive_) {
        return;  // the waiting command halts the program and the prompt returns
    }
    signal_ = number;
    // Whatever waits for a line takes this one first: at the prompt the
    // session ends, at a question its way out is taken.
    std::lock_guard lock(linesMutex_);
    if (lines_ != nullptr) {
        lines_->PushFront("quit");
    }
}

bool Console::Usage(const std::string& usage) {
    Print("usage: " + usage + (badArgument_.empty() ? "" : " (" + badArgument_ + ")"));
    badArgument_.clear();
    return false;
}

bool Console::Number(const std::string& text, std::uint64_t limit, std::uint64_t& value, int radix) {
    const auto parsed = host_.Services().Evaluator().Parse(text, radix);
    if (!parsed) {
        badArgument_ = "\"" + text + "\" is not a number";
        return false;
    }
    if (*parsed > limit) {
        // The bound in the radix the argument is read in.
        char bound[24];
        std::snprintf(bound, sizeof(bound), radix == 10 ? "%llu" : "0x%llX", static_cast<unsigned long long>(limit));
        badArgument_ = "\"" + text + "\" is outside 0 to " + bound;
        return false;
    }
    value = *parsed;
    return true;
}

Console::Outcome Console::Run(const std::string& line) {
    std::vector<std::string> words = Words(line);
    if (words.empty()) {
        return Outcome::Done;
    }
    const std::string command = words.front();
    words.erase(words.begin());
    if (command == "quit" || command == "exit") {
        return Outcome::Quit;
    }
    session_.CheckRunEnded();
    const bool done = RunCommand(command, words, line);
    // "quit" given to a question the command asked ends the session after it.
    if (ui_.QuitAsked()) {
        return Outcome::Quit;
    }
    return done ? Outcome::Done : Outcome::Failed;
}

bool Console::RunCommand(const std::string& command, std::vector<std::string>& words, const std::string& line) {
    const auto none = [&](const char* usage) { return words.empty() || Usage(usage); };
    if (command == "connect") {
        if (words.size() > 1 || (words.size() == 1 && words[0] != "ctrl" && words[0] != "noctrl")) {
            return Usage("connect [ctrl|noctrl]");
        }
        const std::optional<bool> ctrl = words.empty() ? std::nullopt : std::optional<bool>(words[0] == "ctrl");
        const ConsoleUiDriver::KeyScope held(ui_, VK_CONTROL, ctrl, kCtrlAtConnect);
        return session_.Connect();
    }
    if (command == "disconnect") {
        return none("disconnect") && session_.Disconnect();
    }
    if (command == "load") {
        if (words.size() > 1) {
            return Usage("load [file]");
        }
        return session_.Load(words.empty() ? ProgramFolder() + kDefaultProgram : ProgramPath(words[0]));
    }
    if (command == "reset") {
        return none("reset") && session_.Reset();
    }
    if (command == "go") {
        return GoCommand(words);
    }
    if (command == "halt") {
        return none("halt") && session_.Halt();
    }
    if (command == "step") {
        return StepCommand(words);
    }
    if (command == "wait") {
        std::uint64_t seconds = kDefaultWaitSeconds;
        if (words.size() > 1 || (words.size() == 1 && !Number(words[0], kMostWaitSeconds, seconds, 10))) {
            return Usage("wait [seconds]");
        }
        return session_.Wait(static_cast<DWORD>(seconds * 1000));
    }
    if (command == "regs") {
        return none("regs") && session_.ShowRegisters();
    }
    if (command == "reg") {
        std::uint64_t value = 0;
        if (words.size() != 2 || !Number(words[1], 0xFFFFFFFF, value)) {
            return Usage("reg <name> <value>");
        }
        return session_.SetRegister(words[0], static_cast<DWORD>(value));
    }
    if (command == "mem") {
        return Memory(words);
    }
    if (command == "write") {
        return Write(words);
    }
    if (command == "break") {
        return Break(words);
    }
    if (command == "conditions") {
        return none("conditions") && ShowConditions();
    }
    if (command == "condition") {
        return Condition(words);
    }
    if (command == "click") {
        return Click(words);
    }
    if (command == "marks") {
        return none("marks") && ShowMarks();
    }
    if (command == "status" || command == "trace") {
        if (!none(command.c_str())) {
            return false;
        }
        command == "status" ? session_.ShowStatus() : session_.ShowTrace();
        return true;
    }
    if (command == "cmd") {
        const std::size_t start = line.find_first_not_of(' ');
        const std::size_t rest = line.find_first_not_of(' ', start + command.size());
        return words.empty() ? Usage("cmd <line>") : CommandLine(line.substr(rest));
    }
    if (command == "help") {
        ShowHelp();
    } else if (command == "registrations") {
        ShowRegistrations();
    } else if (command == "interfaces") {
        ShowInterfaces();
    } else if (command == "host") {
        ShowHostRegistrations();
    } else if (command == "log") {
        ShowLog();
    } else if (command == "ui") {
        ShowUi();
    } else if (command == "menu") {
        ChooseMenuCommand(words);
    } else {
        Print("unknown command \"" + command + "\" (\"help\" lists the commands)");
        return false;
    }
    return true;
}

bool Console::ShowConditions() {
    const BreakListWindow window(host_.Services());
    if (!window.HasServer()) {
        Print("conditions: no break list (\"connect\" first)");
        return false;
    }
    Print("[" + window.Header() + "]");
    PrintLines(window.Text(1), "  ");
    PrintLines(window.Text(0), "  ");
    return true;
}

bool Console::Condition(const std::vector<std::string>& words) {
    const char* const usage = "condition <n> edit [addr] | condition <n> on|off|remove";
    std::uint64_t number = 0;
    if (words.size() < 2 || !Number(words[0], 8, number, 10) || number == 0) {
        return Usage(usage);
    }
    const BreakListWindow window(host_.Services());
    if (!window.HasServer()) {
        Print("condition: no break list (\"connect\" first)");
        return false;
    }
    const auto index = static_cast<LONG>(number - 1);
    const std::string& verb = words[1];
    HRESULT result = E_FAIL;
    if (verb == "edit" && words.size() <= 3) {
        if (words.size() == 3) {
            std::uint64_t address = 0;
            if (!Number(words[2], kAddressLimit, address)) {
                return Usage(usage);
            }
            // What the person would type: the address page's first box off,
            // then the address into its first field.
            char text[16];
            std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(address));
            ui_.FillNextDialog([address = std::string(text)](platform::UiDialog& dialog) {
                for (const platform::ControlView& control : dialog.View().controls) {
                    if (control.kind == "check box") {
                        dialog.Check(control.id, false);
                        break;
                    }
                }
                for (const platform::ControlView& control : dialog.View().controls) {
                    if (control.kind == "edit" && control.enabled) {
                        dialog.SetText(control.id, address);
                        break;
                    }
                }
            });
        }
        result = window.Edit(1, index);
    } else if ((verb == "on" || verb == "off") && words.size() == 2) {
        result = window.Enable(1, index, verb == "on");
    } else if (verb == "remove" && words.size() == 2) {
        result = window.Remove(1, index);
    } else {
        return Usage(usage);
    }
    if (FAILED(result)) {
        Print("condition: " + RefusalText(host_.Services(), result));
        return false;
    }
    PrintLines(window.Text(1), "  ");
    return true;
}

bool Console::GoCommand(const std::vector<std::string>& words) {
    if (words.empty()) {
        return session_.Go();
    }
    if (words[0] != "until" || words.size() < 2) {
        return Usage("go | go until <addr>...");
    }
    std::vector<DWORD> addresses;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::uint64_t address = 0;
        if (!Number(words[i], kAddressLimit, address)) {
            return Usage("go until <addr>...");
        }
        addresses.push_back(static_cast<DWORD>(address));
    }
    return session_.GoUntil(addresses);
}

bool Console::StepCommand(const std::vector<std::string>& words) {
    if (words.empty()) {
        return session_.Step(StepKind::In);
    }
    if (words.size() == 1 && words[0] == "over") {
        return session_.Step(StepKind::Over);
    }
    if (words.size() == 1 && words[0] == "out") {
        return session_.Step(StepKind::Out);
    }
    return Usage("step [over|out]");
}

bool Console::Memory(const std::vector<std::string>& words) {
    std::uint64_t start = 0;
    std::uint64_t count = kDefaultMemoryCount;
    if (words.empty() || words.size() > 2 || !Number(words[0], kAddressLimit, start) ||
        (words.size() == 2 && !Number(words[1], kAddressLimit, count))) {
        return Usage("mem <addr> [count]");
    }
    return session_.ShowMemory(static_cast<DWORD>(start), static_cast<DWORD>(count));
}

bool Console::Write(const std::vector<std::string>& words) {
    std::uint64_t start = 0;
    if (words.size() < 2 || !Number(words[0], kAddressLimit, start)) {
        return Usage("write <addr> <byte>...");
    }
    std::vector<BYTE> bytes;
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::uint64_t byte = 0;
        if (!Number(words[i], 0xFF, byte)) {
            return Usage("write <addr> <byte>...");
        }
        bytes.push_back(static_cast<BYTE>(byte));
    }
    return session_.WriteMemory(static_cast<DWORD>(start), bytes);
}

bool Console::Break(const std::vector<std::string>& words) {
    const char* const usage = "break <addr> | break list | break remove <n>";
    if (words.size() == 1 && words[0] == "list") {
        if (!session_.Connected()) {
            Print("break: not connected (\"connect\" first)");
            return false;
        }
        session_.ShowBreaks();
        return true;
    }
    std::uint64_t value = 0;
    if (words.size() == 2 && words[0] == "remove") {
        if (!Number(words[1], kMostMemoryBytes, value, 10)) {
            return Usage(usage);
        }
        return session_.RemoveBreak(static_cast<std::size_t>(value));
    }
    if (words.size() != 1 || !Number(words[0], kAddressLimit, value)) {
        return Usage(usage);
    }
    return session_.AddBreak(static_cast<DWORD>(value));
}

void Console::ShowHelp() {
    PrintLines(kHelp, "");
    const auto clients = commands_.ClientWords();
    if (clients.empty()) {
        return;
    }
    Print("the plug-in's commands (\"cmd <word> ...\"; name, alias, syntax):");
    const auto texts = host_.Services().CommandSyntax().Texts();
    for (const std::vector<std::string>& words : clients) {
        std::string names;
        for (const std::string& word : words) {
            names += (names.empty() ? "" : ", ") + word;
        }
        Print("  " + names);
        const auto found = words.empty() ? texts.end() : texts.find(Lowered(words.front()));
        if (found != texts.end()) {
            PrintLines(found->second.text, "      ");
        }
    }
}

void Console::PrintLines(const std::string& text, const std::string& indent) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        Print(indent + line);
    }
}

bool Console::CommandLine(const std::string& line) {
    // The plug-in makes its commands at connect and takes them back at
    // disconnect: without them every word would be "unknown".
    if (commands_.ClientWords().empty() && !session_.Connected()) {
        Print("cmd: not connected (\"connect\" first)");
        return false;
    }
    HostCommandOutput& output = host_.Services().CommandOutput();
    output.ClearLines();
    const std::size_t completedBefore = commands_.CompletedTexts().size();
    const CommandOutput answer = commands_.Execute(line);
    PrintLines(answer.text, "");
    const bool later = answer.status == kCommandRunsOn;
    if (later && !commands_.AwaitCompletion(completedBefore, kCompletionLimit)) {
        Print("cmd: the command did not finish");
    }
    for (const std::string& written : output.Lines()) {
        PrintLines(written, "[window] ");
    }
    if (later) {
        const auto completed = commands_.CompletedTexts();
        if (completed.size() > completedBefore) {
            Print("[completed] \"" + Escaped(completed[completedBefore]) + "\"");
        }
    }
    Print("cmd: " + OutcomeText(host_.Services(), answer.result));
    return SUCCEEDED(answer.result);
}

void Console::ShowRegistrations() {
    Print("registered with the host:");
    for (const ComponentRegistration& registration : host_.Registry().Registrations()) {
        if (registration.isTarget) {
            std::string ids;
            for (const IID& id : registration.ids) {
                ids += " " + IdName(id);
            }
            Print("  target \"" + registration.name + "\", family \"" + registration.family + "\", kind " +
                  std::to_string(registration.kindOrCategory) + ", class " + GuidText(registration.clsid) + " (" +
                  IdName(registration.clsid) + ")");
            Print("    with " + std::to_string(registration.ids.size()) + " ids:" + ids);
        } else {
            Print("  component \"" + registration.name + "\", category " +
                  std::to_string(registration.kindOrCategory) + ", class " + GuidText(registration.clsid) + " (" +
                  IdName(registration.clsid) + ")");
        }
    }
}

void Console::ShowInterfaces() {
    Print("QueryInterface:");
    for (const IID* iid : kQueriedInterfaces) {
        void* object = nullptr;
        const HRESULT result = host_.QueryPluginInterface(*iid, &object);
        const bool found = result == S_OK && object != nullptr;
        Print("  " + IdName(*iid) + ": " + (found ? "found" : OutcomeText(host_.Services(), result)));
    }
}

void Console::ShowHostRegistrations() {
    const auto registrations = host_.Services().Registrations();
    Print("client and server registrations in place: " + std::to_string(registrations.size()));
    for (const InterfaceRegistration& registration : registrations) {
        Print(std::string("  ") + (registration.server ? "server " : "client ") + IdName(registration.iid));
    }
}

void Console::ShowUi() {
    std::ostringstream text;
    host_.Services().UiRegistry().Describe(text);
    std::lock_guard lock(ui_.OutputLock());
    out_ << text.str() << std::flush;
}

void Console::ChooseMenuCommand(const std::vector<std::string>& words) {
    const std::string text = words.empty() ? std::string() : words[0];
    char* end = nullptr;
    const unsigned long id = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || id == 0 || id > 0xFFFF) {
        Print("menu: give the command id of a menu item (1 to 65535)");
        return;
    }
    const UINT command = static_cast<UINT>(id);
    const HWND window = host_.Services().UiRegistry().WindowForCommand(command);
    if (window == nullptr) {
        Print("menu " + std::to_string(command) + ": no registered menu holds it");
        return;
    }
    if (!platform::QueryCommandState(window, command).enabled) {
        Print("menu " + std::to_string(command) + ": disabled");
        return;
    }
    Print("menu " + std::to_string(command) + ": chosen");
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void Console::ShowLog() {
    for (const CallRecord& call : host_.Log().Calls()) {
        Print("  " + call.what + (call.detail.empty() ? "" : " " + call.detail));
    }
}

}  // namespace simhost
