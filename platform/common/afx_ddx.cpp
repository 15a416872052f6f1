// What the dialog data exchange's inline functions call: reading and
// writing controls, and the messages of failed fields. None of these throws
// (see AfxThrowUserException).
#include "platform/afx_dialog.h"

#include "platform/debug.h"
#include "platform/common/window_backend.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CUserException, CException)

namespace platform::afx {

HWND ExchangeControl(CWnd* window, int id) {
    HWND control = nullptr;
    if (window != nullptr) {
        window->GetDlgItem(id, &control);
    }
    if (control == nullptr) {
        // The code names a control its template does not have.
        char text[96];
        std::snprintf(text, sizeof(text), "dialog data exchange: there is no control %d\n", id);
        OutputDebugStringA(text);
    }
    return control;
}

void FocusFailedControl(HWND control, BOOL edit) {
    if (control != nullptr) {
        ::SetFocus(control);
        if (edit) {
            ::SendMessageA(control, EM_SETSEL, 0, -1);
        }
    }
}

std::string ControlText(HWND control) {
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void SetControlTextIfChanged(HWND control, const char* text) {
    if (ControlText(control) != text) {
        ::SetWindowTextA(control, text);
    }
}

bool IsRadioButton(HWND window) {
    const UINT type = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) & BS_TYPEMASK;
    return wnd::KindOf(window) == wnd::ControlKind::Button && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

HWND NextSibling(HWND window) {
    return ::GetWindow(window, GW_HWNDNEXT);
}

bool StartsGroup(HWND window) {
    return (static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) & WS_GROUP) != 0;
}

void ShowExchangeMessage(const char* text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

bool ParseDialogNumber(const char* text, bool isSigned, long long low, unsigned long long high, long long& value) {
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    if (*text == '\0' || (!isSigned && *text == '-')) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    if (isSigned) {
        value = std::strtoll(text, &end, 10);
    } else {
        const unsigned long long parsed = std::strtoull(text, &end, 10);
        if (parsed > high) {
            return false;
        }
        value = static_cast<long long>(parsed);
    }
    if (end == text || errno == ERANGE) {
        return false;
    }
    while (std::isspace(static_cast<unsigned char>(*end))) {
        ++end;
    }
    return *end == '\0' && (!isSigned || (value >= low && value <= static_cast<long long>(high)));
}

}  // namespace platform::afx
