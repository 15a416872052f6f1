#include "sim/host/output_window.h"

#include "platform/bstr.h"

namespace simhost {

HRESULT HostOutputWindow::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHOutputWindow) {
        *object = static_cast<IHOutputWindow*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostOutputWindow::IsReady() {
    std::lock_guard lock(mutex_);
    log_.Add("OutputIsReady");
    return readyAnswer_;
}

HRESULT HostOutputWindow::PostLine(BSTR line) {
    const std::string text = platform::BstrToAnsi(line);
    std::function<void(const std::string&)> printer;
    {
        std::lock_guard lock(mutex_);
        log_.Add("OutputPostLine", text);
        lines_.push_back(text);
        printer = printer_;
    }
    if (printer) {
        printer("[output] " + text);
    }
    return S_OK;
}

void HostOutputWindow::SetReadyAnswer(HRESULT answer) {
    std::lock_guard lock(mutex_);
    readyAnswer_ = answer;
}

void HostOutputWindow::SetPrinter(std::function<void(const std::string&)> printer) {
    std::lock_guard lock(mutex_);
    printer_ = std::move(printer);
}

std::vector<std::string> HostOutputWindow::Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void HostOutputWindow::ClearLines() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

}  // namespace simhost
