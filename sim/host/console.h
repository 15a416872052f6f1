// The simulated host's console: the demo script and the interactive commands.
#pragma once

#include "sim/host/console_ui.h"
#include "sim/host/sim_host.h"

#include <iosfwd>
#include <string>

namespace simhost {

class Console {
public:
    Console(SimHost& host, std::istream& in, std::ostream& out, bool interactive);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // The demo: load, register, query, attach, show (the host's UI too),
    // detach, show again, unload.
    // Answers the program's exit code.
    int RunScript();
    int RunInteractive();

    // Runs one console command; false for "quit".
    bool Execute(const std::string& line);

private:
    bool StartSession();
    void ShowRegistrations();
    void ShowInterfaces();
    void ShowHostRegistrations();
    void ShowLog();
    void ShowUi();
    // "menu <id>": asks the window of the owner whose menu holds the command
    // for its state and sends it the command when it is enabled.
    void ChooseMenuCommand(std::istream& words);

    SimHost& host_;
    std::istream& in_;
    std::ostream& out_;
    ConsoleUiDriver ui_;
};

}  // namespace simhost
