// The simulated host's command window: passes a typed line to the command
// client whose word begins it (or, while one collects continuation lines, to
// that one) and shows what the command answered.
#pragma once

#include "platform/host/command_interfaces.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

class CallLog;
class HostServiceProvider;

struct CommandOutput {
    HRESULT result = E_FAIL;
    std::string text;
    bool continuation = false;
    std::string prompt;
    WORD status = 0;
};

class CommandWindow : public IHCmdCallback {
public:
    CommandWindow(HostServiceProvider& services, CallLog& log) : services_(services), log_(log) {}
    virtual ~CommandWindow() = default;

    // Runs one line; "unknown command" when no client answers its first word.
    CommandOutput Execute(const std::string& line);
    // The words of every registered command client, in registration order.
    std::vector<std::string> CommandWords();
    // The words of each registered command client (name first), in
    // registration order.
    std::vector<std::vector<std::string>> ClientWords();
    // Texts that commands handed in later through the callback.
    std::vector<std::string> CompletedTexts() const;
    // Waits until more than `count` texts have come in through the callback,
    // at most the limit; false when none came.
    bool AwaitCompletion(std::size_t count, std::chrono::milliseconds limit);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Notify(DWORD number, BSTR text) override;
    HRESULT STDMETHODCALLTYPE Complete(BSTR finalText) override;

private:
    IHCmdClient* FindClient(const std::string& word);

    HostServiceProvider& services_;
    CallLog& log_;
    IHCmdClient* continuing_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable completion_;
    std::vector<std::string> completed_;
};

}  // namespace simhost
