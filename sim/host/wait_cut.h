// A wait that another thread may cut short: the host's wait for the end of
// a run, which Ctrl-C ends.
#pragma once

#include <atomic>
#include <mutex>

namespace simhost {

class WaitCut {
public:
    // From any thread: asks the wait under way to end; false (and nothing
    // asked) when none is.
    bool Cut();
    // Polled by the wait.
    bool Asked() const { return asked_; }

    // A wait that may be cut while it lives; nothing is asked of it at first.
    class Scope {
    public:
        explicit Scope(WaitCut& cut);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        WaitCut& cut_;
    };

private:
    std::mutex mutex_;
    bool waiting_ = false;  // under mutex_, so a cut never reaches a wait that has ended
    std::atomic<bool> asked_{false};
};

}  // namespace simhost
