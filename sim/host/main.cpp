// simhost: the simulated host as a program. With --script it runs the demo's
// debug session without input; with --interactive it offers a console.
#include "platform/afx_app.h"
#include "platform/export.h"
#include "platform/window_system.h"
#include "sim/host/console.h"
#include "sim/host/host_resources.h"
#include "sim/host/line_queue.h"
#include "sim/host/signal_watch.h"
#include "sim/host/sim_host.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace {

void Usage() {
    std::cout << "usage: simhost [--script | --interactive] [plug-in path]\n"
                 "  --script       runs the demo's debug session without input (the default)\n"
                 "  --interactive  a console: the host's commands; message boxes with a choice\n"
                 "                 and dialogs take the next line as their answer\n";
}

// The host program's application object: its main window is the one the
// plug-in's windows go under.
CWinApp theApp("Kestrune");

}  // namespace

// The host program's resources, found along the class library's search by the
// plug-in's controls.
Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    return &simhost::HostResources();
}

int main(int argc, char** argv) {
    // The console is the simulated host's screen: its dialogs and boxes are
    // the headless window system's, answered at the console.
    platform::UseHeadlessWindows();
    bool interactive = false;
    std::string pluginPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--script") == 0) {
            interactive = false;
        } else if (std::strcmp(argv[i], "--interactive") == 0) {
            interactive = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            Usage();
            return 0;
        } else if (argv[i][0] == '-') {
            Usage();
            return 2;
        } else {
            pluginPath = argv[i];
        }
    }
    try {
        simhost::SimHost host(pluginPath);
        simhost::Console console(host, std::cin, std::cout, interactive);
        const simhost::SignalWatch signals([&console](int number) { console.OnSignal(number); });
        if (!interactive) {
            return console.RunScript();
        }
        return console.RunInteractive(*simhost::ReadLines(std::cin, simhost::StandardInputIsTerminal()));
    } catch (const std::exception& failure) {
        // Caught, the failure unwinds the session: it disconnects and its
        // scratch folder goes.
        std::cerr << "simhost: " << failure.what() << "\n";
        return 1;
    }
}
