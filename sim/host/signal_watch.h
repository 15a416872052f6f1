// The signals that ask the simulated host to stop: Ctrl-C (SIGINT), SIGTERM
// and, where the system has them, SIGHUP (the terminal has gone) and SIGPIPE
// (the output has gone).
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace simhost {

// Turns those signals into calls on a thread of its own. A signal handler may
// do next to nothing safely: this one only writes the signal's number into a
// pipe, and the watching thread reads it and calls onSignal, where any code
// may run. One watch at a time; the handlers it replaced are put back when it
// goes.
class SignalWatch {
public:
    explicit SignalWatch(std::function<void(int)> onSignal);
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    // False (and the signals left as they were) when no pipe could be made.
    bool Watching() const { return thread_.joinable(); }

private:
    void Watch();

    std::function<void(int)> onSignal_;
    int pipe_[2] = {-1, -1};
    std::vector<std::pair<int, void (*)(int)>> replaced_;
    std::thread thread_;
};

// How the console names a signal: "Ctrl-C", "SIGTERM", "SIGHUP", "SIGPIPE".
std::string SignalName(int number);

}  // namespace simhost
