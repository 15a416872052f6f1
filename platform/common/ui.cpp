#include "platform/ui.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<UiDriver*>& Driver() {
    static std::atomic<UiDriver*> driver{nullptr};
    return driver;
}

}  // namespace

int DefaultMessageBoxAnswer(UINT type) {
    static constexpr int kButtons[][3] = {
        {IDOK, IDOK, IDOK},             // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},     // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},   // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},        // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},            // MB_YESNO
        {IDRETRY, IDCANCEL, IDCANCEL},  // MB_RETRYCANCEL
    };
    const UINT kind = type & MB_TYPEMASK;
    const UINT defaultButton = (type & MB_DEFMASK) >> 8;
    if (kind >= sizeof(kButtons) / sizeof(kButtons[0]) || defaultButton > 2) {
        return IDOK;
    }
    return kButtons[kind][defaultButton];
}

void SetUiDriver(UiDriver* driver) {
    Driver() = driver;
}

UiDriver* GetUiDriver() {
    return Driver();
}

ScriptedUiDriver::ScriptedUiDriver() : previous_(GetUiDriver()) {
    SetUiDriver(this);
}

ScriptedUiDriver::~ScriptedUiDriver() {
    SetUiDriver(previous_);
}

void ScriptedUiDriver::AnswerNextMessageBox(int button) {
    std::lock_guard lock(mutex_);
    answers_.push_back(button);
}

std::vector<MessageBoxRequest> ScriptedUiDriver::MessageBoxes() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

int ScriptedUiDriver::OnMessageBox(const MessageBoxRequest& request) {
    std::lock_guard lock(mutex_);
    shown_.push_back(request);
    if (answers_.empty()) {
        return DefaultMessageBoxAnswer(request.type);
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace platform

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    platform::MessageBoxRequest request;
    request.owner = owner;
    request.text = text != nullptr ? text : "";
    request.caption = caption != nullptr ? caption : "Error";
    request.type = type;
    platform::UiDriver* driver = platform::GetUiDriver();
    return driver != nullptr ? driver->OnMessageBox(request) : platform::DefaultMessageBoxAnswer(type);
}
