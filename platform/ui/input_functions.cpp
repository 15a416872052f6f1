// The keyboard, the mouse, sounds, help and the screen's measures: what a
// person would hold, see or hear comes from (and goes to) the UI driver.
#include "platform/gdi.h"
#include "platform/ui.h"
#include "platform/ui/screen.h"

#include <cstdlib>

using namespace platform::ui;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    platform::MessageBoxRequest request;
    request.owner = owner;
    request.text = text != nullptr ? text : "";
    request.caption = caption != nullptr ? caption : "Error";
    request.type = type;
    return platform::ActiveUiDriver().OnMessageBox(request);
}

SHORT GetKeyState(int virtualKey) {
    // The high bit says the key is held.
    return platform::ActiveUiDriver().IsKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *point = CursorPosition();
    return TRUE;
}

BOOL MessageBeep(UINT type) {
    platform::ActiveUiDriver().OnBeep(type);
    return TRUE;
}

namespace {

// Hands a help call to the UI driver, which stands in for the help viewer.
void PassHelpRequest(platform::HelpKind kind, HWND window, LPCSTR file, UINT command, ULONG_PTR data) {
    platform::HelpRequest request;
    request.kind = kind;
    request.window = window;
    request.file = file != nullptr ? file : "";
    request.command = command;
    request.data = data;
    platform::ActiveUiDriver().OnHelp(request);
}

}  // namespace

BOOL WinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    PassHelpRequest(platform::HelpKind::WinHelp, window, helpFile, command, data);
    return TRUE;
}

HWND PlatformHtmlHelpA(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    PassHelpRequest(platform::HelpKind::HtmlHelp, caller, file, command, data);
    return nullptr;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return kScreenWidth;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return kScreenHeight;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return platform::kLineHeight;
    case SM_CMONITORS:
        return 1;
    default:
        return 0;
    }
}

BOOL SystemParametersInfoA(UINT action, UINT, PVOID value, UINT) {
    if (action == SPI_GETWORKAREA && value != nullptr) {
        *static_cast<RECT*>(value) = RECT{0, 0, kScreenWidth, kScreenHeight - kTaskbarHeight};
        return TRUE;
    }
    if (action == SPI_SETFOREGROUNDLOCKTIMEOUT) {
        return TRUE;  // nothing competes for the foreground here
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

#ifndef _WIN32
int MulDiv(int number, int numerator, int denominator) {
    // Rounded to the nearest, halves away from zero; -1 for a zero divisor.
    if (denominator == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
    return static_cast<int>(negative ? -magnitude : magnitude);
}
#endif
