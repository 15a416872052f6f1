// Combo boxes: a list of items with their data, the chosen item, and for the
// editable styles an edit field with its own text, selection and limit. A
// drop-down list (CBS_DROPDOWNLIST) has no edit field: its text is the chosen
// item's.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/item_list.h"

#include <algorithm>
#include <cstring>

namespace platform::ui {
namespace {

struct ComboState : ControlState {
    ItemList items;
    int current = -1;
    DWORD editStart = 0;
    DWORD editEnd = 0;
    DWORD limit = 0x7FFFFFFE;
};

bool IsDropList(HWND window) {
    return (StyleOf(window) & 0x3u) == CBS_DROPDOWNLIST;
}

void Choose(HWND window, ComboState& state, int index) {
    state.current = index;
    const std::string text = state.items.Valid(index) ? state.items.At(index).text : std::string();
    SetTextOf(window, text);
    state.editStart = 0;
    state.editEnd = static_cast<DWORD>(text.size());
}

LRESULT CopyItemText(const ComboState& state, WPARAM index, LPARAM buffer) {
    const int at = static_cast<int>(index);
    if (!state.items.Valid(at)) {
        return CB_ERR;
    }
    const std::string& text = state.items.At(at).text;
    if (buffer != 0) {
        std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
    }
    return static_cast<LRESULT>(text.size());
}

}  // namespace

std::unique_ptr<ControlState> MakeComboBoxState(HWND, const CreateParameters&) {
    return std::make_unique<ComboState>();
}

LRESULT ComboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<ComboState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    ComboState& state = *held;
    const auto text = [lParam] { return std::string(lParam != 0 ? reinterpret_cast<const char*>(lParam) : ""); };
    switch (message) {
    case CB_ADDSTRING: {
        const int index = state.items.Add(text(), (StyleOf(window) & CBS_SORT) != 0);
        if (state.current >= index) {
            ++state.current;
        }
        return index;
    }
    case CB_INSERTSTRING: {
        const int index = state.items.Insert(static_cast<int>(wParam), text());
        if (index >= 0 && state.current >= index) {
            ++state.current;
        }
        return index >= 0 ? index : CB_ERR;
    }
    case CB_DELETESTRING: {
        const int index = static_cast<int>(wParam);
        if (!state.items.Remove(index)) {
            return CB_ERR;
        }
        if (state.current == index) {
            state.current = -1;
            if (IsDropList(window)) {
                SetTextOf(window, "");
            }
        } else if (state.current > index) {
            --state.current;
        }
        return state.items.Count();
    }
    case CB_RESETCONTENT:
        state.items.Clear();
        state.current = -1;
        SetTextOf(window, "");
        state.editStart = state.editEnd = 0;
        return CB_OKAY;
    case CB_GETCOUNT:
        return state.items.Count();
    case CB_GETCURSEL:
        return state.current;
    case CB_SETCURSEL: {
        const int index = static_cast<int>(wParam);
        if (!state.items.Valid(index)) {
            Choose(window, state, -1);
            return CB_ERR;
        }
        Choose(window, state, index);
        return index;
    }
    case CB_GETLBTEXT:
        return CopyItemText(state, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return CopyItemText(state, wParam, 0);
    case CB_SETITEMDATA:
        if (!state.items.Valid(static_cast<int>(wParam))) {
            return CB_ERR;
        }
        state.items.At(static_cast<int>(wParam)).data = static_cast<ULONG_PTR>(lParam);
        return CB_OKAY;
    case CB_GETITEMDATA:
        if (!state.items.Valid(static_cast<int>(wParam))) {
            return CB_ERR;
        }
        return static_cast<LRESULT>(state.items.At(static_cast<int>(wParam)).data);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT: {
        const int found = state.items.Find(static_cast<int>(wParam), text(), message == CB_FINDSTRINGEXACT);
        return found >= 0 ? found : CB_ERR;
    }
    case CB_SELECTSTRING: {
        const int found = state.items.Find(static_cast<int>(wParam), text(), false);
        if (found < 0) {
            return CB_ERR;
        }
        Choose(window, state, found);
        return found;
    }
    case CB_GETEDITSEL:
        if (IsDropList(window)) {
            return CB_ERR;
        }
        if (wParam != 0) {
            *reinterpret_cast<DWORD*>(wParam) = state.editStart;
        }
        if (lParam != 0) {
            *reinterpret_cast<DWORD*>(lParam) = state.editEnd;
        }
        return MAKELONG(state.editStart, state.editEnd);
    case CB_SETEDITSEL: {
        if (IsDropList(window)) {
            return CB_ERR;
        }
        const int length = static_cast<int>(TextOf(window).size());
        const int from = static_cast<short>(LOWORD(lParam));
        const int to = static_cast<short>(HIWORD(lParam));
        if (from == -1) {
            state.editStart = state.editEnd;
            return TRUE;
        }
        const int first = std::clamp(from, 0, length);
        const int last = to < 0 ? length : std::clamp(to, 0, length);
        state.editStart = static_cast<DWORD>(std::min(first, last));
        state.editEnd = static_cast<DWORD>(std::max(first, last));
        return TRUE;
    }
    case CB_LIMITTEXT:
        if (IsDropList(window)) {
            return CB_ERR;
        }
        state.limit = wParam == 0 ? 0x7FFFFFFE : static_cast<DWORD>(wParam);
        return TRUE;
    case WM_SETTEXT: {
        // A drop-down list can only show one of its items.
        if (IsDropList(window)) {
            const int found = state.items.Find(-1, text(), true);
            if (found < 0) {
                return CB_ERR;
            }
            Choose(window, state, found);
            return TRUE;
        }
        SetTextOf(window, text());
        state.editStart = state.editEnd = 0;
        return TRUE;
    }
    case WM_CHAR:
        if (!IsDropList(window) && static_cast<unsigned char>(wParam) >= 0x20) {
            std::string current = TextOf(window);
            const DWORD start = std::min<DWORD>(state.editStart, static_cast<DWORD>(current.size()));
            const DWORD end = std::min<DWORD>(state.editEnd, static_cast<DWORD>(current.size()));
            if (current.size() - (end - start) >= state.limit) {
                MessageBeep(0);
                return 0;
            }
            current.replace(start, end - start, 1, static_cast<char>(wParam));
            SetTextOf(window, current);
            state.editStart = state.editEnd = start + 1;
            NotifyParent(window, CBN_EDITUPDATE);
            NotifyParent(window, CBN_EDITCHANGE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetFocusTo(window);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(window, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(window, CBN_KILLFOCUS);
        return 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

bool PersonSelectsComboItem(HWND combo, int index) {
    auto held = HoldState<ComboState>(combo);
    if (!held || !held->items.Valid(index)) {
        return false;
    }
    SetFocusTo(combo);
    Choose(combo, *held, index);
    NotifyParent(combo, CBN_SELCHANGE);
    NotifyParent(combo, CBN_SELENDOK);
    return true;
}

bool PersonReplacesComboText(HWND combo, const std::string& text) {
    auto held = HoldState<ComboState>(combo);
    if (!held || IsDropList(combo)) {
        return false;
    }
    SetFocusTo(combo);
    const std::string kept = text.substr(0, std::min<std::size_t>(text.size(), held->limit));
    SetTextOf(combo, kept);
    held->editStart = held->editEnd = static_cast<DWORD>(kept.size());
    NotifyParent(combo, CBN_EDITUPDATE);
    NotifyParent(combo, CBN_EDITCHANGE);
    return true;
}

}  // namespace platform::ui
