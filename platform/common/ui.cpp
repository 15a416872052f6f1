#include "platform/ui.h"

#include "platform/common/window_backend.h"
#include "platform/ui_dialog.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<UiDriver*>& Driver() {
    static std::atomic<UiDriver*> driver{nullptr};
    return driver;
}

// What happens when no driver is installed: every box answers its default
// button and the rest is the base class's.
class DefaultUiDriver : public UiDriver {
public:
    int OnMessageBox(const MessageBoxRequest& request) override { return DefaultMessageBoxAnswer(request.type); }
};

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

int WayOutOfMessageBox(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

bool UnchangedBoxCount::TooOften(const MessageBoxRequest& request) {
    if (count_ == 0 || request.text != text_ || request.caption != caption_ || request.type != type_) {
        text_ = request.text;
        caption_ = request.caption;
        type_ = request.type;
        count_ = 0;
    }
    if (++count_ < kUnchangedBoxLimit) {
        return false;
    }
    count_ = 0;
    return true;
}

const ControlView* DialogView::Find(int id) const {
    for (const ControlView& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

void UiDriver::OnDialog(UiDialog& dialog) {
    dialog.PressCancel();
}

void UiDriver::OnDialogEnded(UiDialog&) {}

UINT UiDriver::OnPopupMenu(const MenuRequest&) {
    return 0;
}

bool UiDriver::IsKeyDown(int) {
    return false;
}

void UiDriver::OnHelp(const HelpRequest&) {}

void UiDriver::OnBeep(UINT) {}

void UiDriver::OnShellExecute(const ShellRequest&) {}

void SetUiDriver(UiDriver* driver) {
    Driver() = driver;
}

UiDriver* GetUiDriver() {
    return Driver();
}

UiDriver& ActiveUiDriver() {
    static DefaultUiDriver* defaults = new DefaultUiDriver;  // threads still running at exit use it
    UiDriver* driver = Driver();
    return driver != nullptr ? *driver : *defaults;
}

int ProcessWaitingMessages() {
    return wnd::Backend().ProcessWaiting();
}

bool TakeThreadMessage(MSG& message) {
    return wnd::Backend().TakeThreadMessage(message);
}

}  // namespace platform
