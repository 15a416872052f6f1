// The simulated host's output window: answers whether it takes a line now
// (S_OK unless a test says otherwise), keeps the lines posted to it in order
// and shows each as "[output] <line>" where the host prints.
#pragma once

#include "platform/host/output_interfaces.h"
#include "sim/host/call_log.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

class HostOutputWindow : public IHOutputWindow {
public:
    explicit HostOutputWindow(CallLog& log) : log_(log) {}
    virtual ~HostOutputWindow() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE IsReady() override;
    HRESULT STDMETHODCALLTYPE PostLine(BSTR line) override;

    // What IsReady answers: S_OK, S_FALSE or a failure.
    void SetReadyAnswer(HRESULT answer);
    // Where posted lines are shown ("[output] <line>"); none: nowhere.
    void SetPrinter(std::function<void(const std::string&)> printer);
    std::vector<std::string> Lines() const;
    void ClearLines();

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    HRESULT readyAnswer_ = S_OK;
    std::function<void(const std::string&)> printer_;
    std::vector<std::string> lines_;
};

}  // namespace simhost
