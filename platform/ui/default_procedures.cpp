// The generic window procedure (DefWindowProc) and the dialog's (DefDlgProc).
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui.h"

#include <algorithm>
#include <cstring>

namespace platform::ui {
namespace {

LRESULT CopyText(const std::string& text, WPARAM size, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr || size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

HWND OwnerOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(TableMutex());
    return record->owner;
}

// The next (or previous) control of the dialog that takes the focus, after
// the one that has it.
HWND NextTabStop(HWND dialog, bool previous) {
    std::vector<HWND> stops;
    for (HWND child : ChildrenOf(dialog)) {
        const DWORD style = StyleOf(child);
        if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
            stops.push_back(child);
        }
    }
    if (stops.empty()) {
        return nullptr;
    }
    const auto at = std::find(stops.begin(), stops.end(), CurrentFocus());
    if (at == stops.end()) {
        return previous ? stops.back() : stops.front();
    }
    const auto index = static_cast<std::size_t>(at - stops.begin());
    return previous ? stops[(index + stops.size() - 1) % stops.size()] : stops[(index + 1) % stops.size()];
}

}  // namespace

LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT:
        SetTextOf(window, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_GETTEXT:
        return CopyText(TextOf(window), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(TextOf(window).size());
    case WM_CLOSE:
        DestroyWindowTree(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            Send(window, WM_CLOSE, 0, 0);
        } else if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
            HelpRequest request;
            request.kind = HelpKind::ContextHelpMode;
            request.window = window;
            ActiveUiDriver().OnHelp(request);
        }
        return 0;
    case WM_HELP: {
        // A child passes help up to its parent, a top-level window to its
        // owner.
        const HWND parent = ParentOf(window);
        const HWND target = parent != nullptr ? parent : OwnerOf(window);
        return target != nullptr ? Send(target, WM_HELP, wParam, lParam) : FALSE;
    }
    case WM_SETFONT:
        if (const auto record = FindWindowRecord(window)) {
            std::lock_guard lock(TableMutex());
            record->font = reinterpret_cast<HFONT>(wParam);
        }
        return 0;
    case WM_GETFONT:
        if (const auto record = FindWindowRecord(window)) {
            std::lock_guard lock(TableMutex());
            return reinterpret_cast<LRESULT>(record->font);
        }
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    default:
        return 0;
    }
}

LRESULT DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto record = FindWindowRecord(window);
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE: {
        // The close box is the Cancel button's click, queued; a disabled
        // Cancel button refuses it with a beep.
        const HWND cancel = ChildById(window, IDCANCEL);
        if (cancel != nullptr && (StyleOf(cancel) & WS_DISABLED) != 0) {
            MessageBeep(0);
            return 0;
        }
        Post(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID:
        if (record != nullptr && record->dialog != nullptr) {
            std::lock_guard lock(TableMutex());
            return MAKELONG(record->dialog->defaultId, DC_HASDEFID);
        }
        return 0;
    case DM_SETDEFID:
        if (record != nullptr && record->dialog != nullptr) {
            std::lock_guard lock(TableMutex());
            record->dialog->defaultId = static_cast<int>(wParam);
        }
        return TRUE;
    case WM_NEXTDLGCTL: {
        const HWND target =
            LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam) : NextTabStop(window, wParam != 0);
        if (target != nullptr && FindWindowRecord(target) != nullptr) {
            SetFocusTo(target);
            if (KindOf(target) == WindowKind::Edit) {
                Send(target, EM_SETSEL, 0, -1);
            }
        }
        return 0;
    }
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
