#include "sim/host/output_window.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

namespace simhost {

HRESULT HostOutputWindow::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHOutputWindow*>(this), iid, IID_IHOutputWindow, object);
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
