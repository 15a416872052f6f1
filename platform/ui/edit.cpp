// Edit controls: the text, its selection and its limit, and what typing does.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>
#include <cctype>

namespace platform::ui {
namespace {

constexpr DWORD kDefaultLimit = 32767;
constexpr DWORD kLargestLimit = 0x7FFFFFFE;

struct EditState : ControlState {
    DWORD start = 0;  // the selection; start == end is the caret
    DWORD end = 0;
    DWORD limit = kDefaultLimit;
    bool modified = false;
};

bool SingleLine(HWND window) {
    return (StyleOf(window) & ES_MULTILINE) == 0;
}

// The notifications that follow a change of the text: the update before it
// is shown, then the change.
void NotifyChanged(HWND window) {
    NotifyParent(window, EN_UPDATE);
    NotifyParent(window, EN_CHANGE);
}

// Puts text in place of the selection, as far as the limit allows; the caret
// goes after it. Answers false when the limit cut the text.
bool ReplaceSelection(HWND window, EditState& state, std::string text) {
    std::string current = TextOf(window);
    const DWORD start = std::min<DWORD>(state.start, static_cast<DWORD>(current.size()));
    const DWORD end = std::min<DWORD>(state.end, static_cast<DWORD>(current.size()));
    const std::size_t kept = current.size() - (end - start);
    const std::size_t room = state.limit > kept ? state.limit - kept : 0;
    const bool fits = text.size() <= room;
    if (!fits) {
        text.resize(room);
    }
    current.replace(start, end - start, text);
    SetTextOf(window, current);
    state.start = state.end = start + static_cast<DWORD>(text.size());
    state.modified = true;
    return fits;
}

// A key typed by a person.
void Typed(HWND window, EditState& state, char key) {
    const DWORD style = StyleOf(window);
    if ((style & ES_READONLY) != 0) {
        MessageBeep(0);
        return;
    }
    if (key == VK_BACK) {
        if (state.start == state.end && state.start > 0) {
            --state.start;
        }
        ReplaceSelection(window, state, "");
        NotifyChanged(window);
        return;
    }
    if (static_cast<unsigned char>(key) < 0x20) {
        return;
    }
    if ((style & ES_NUMBER) != 0 && !std::isdigit(static_cast<unsigned char>(key))) {
        MessageBeep(0);
        return;
    }
    if ((style & ES_UPPERCASE) != 0) {
        key = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    } else if ((style & ES_LOWERCASE) != 0) {
        key = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    }
    if (!ReplaceSelection(window, state, std::string(1, key))) {
        NotifyParent(window, EN_MAXTEXT);
        return;
    }
    NotifyChanged(window);
}

}  // namespace

std::unique_ptr<ControlState> MakeEditState(HWND, const CreateParameters&) {
    return std::make_unique<EditState>();
}

LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<EditState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    EditState& state = *held;
    switch (message) {
    case WM_SETTEXT:
        // A new text ignores the limit and puts the caret at its start; a
        // single-line control notifies the change.
        SetTextOf(window, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        state.start = state.end = 0;
        state.modified = false;
        if (SingleLine(window)) {
            NotifyChanged(window);
        }
        return TRUE;
    case EM_GETSEL:
        if (wParam != 0) {
            *reinterpret_cast<DWORD*>(wParam) = state.start;
        }
        if (lParam != 0) {
            *reinterpret_cast<DWORD*>(lParam) = state.end;
        }
        return state.start > 0xFFFF || state.end > 0xFFFF ? -1 : MAKELONG(state.start, state.end);
    case EM_SETSEL: {
        const auto length = static_cast<long long>(TextOf(window).size());
        const long long from = static_cast<INT_PTR>(wParam);
        const long long to = static_cast<INT_PTR>(lParam);
        if (from == -1) {
            state.start = state.end;  // no selection; the caret stays
            return 0;
        }
        const long long first = std::clamp(from, 0LL, length);
        const long long last = to < 0 ? length : std::clamp(to, 0LL, length);
        state.start = static_cast<DWORD>(std::min(first, last));
        state.end = static_cast<DWORD>(std::max(first, last));
        return 0;
    }
    case EM_REPLACESEL: {
        const bool fits =
            ReplaceSelection(window, state, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
        NotifyChanged(window);
        if (!fits) {
            NotifyParent(window, EN_MAXTEXT);
        }
        return 0;
    }
    case EM_LIMITTEXT:
        state.limit = wParam == 0 ? kLargestLimit : static_cast<DWORD>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(state.limit);
    case EM_SETREADONLY: {
        const auto record = held.record;
        std::lock_guard lock(TableMutex());
        record->style = wParam != 0 ? record->style | ES_READONLY : record->style & ~ES_READONLY;
        return TRUE;
    }
    case EM_GETMODIFY:
        return state.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        state.modified = wParam != 0;
        return 0;
    case EM_SCROLLCARET:
        return TRUE;
    case WM_CHAR:
        Typed(window, state, static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        SetFocusTo(window);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(window, EN_KILLFOCUS);
        return 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
