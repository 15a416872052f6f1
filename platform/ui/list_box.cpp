// List boxes, with single or multiple (LBS_MULTIPLESEL, LBS_EXTENDEDSEL)
// selection.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/item_list.h"

#include <cstring>

namespace platform::ui {
namespace {

struct ListBoxState : ControlState {
    ItemList items;
    int current = -1;  // the selection (single), the caret (multiple)
};

bool Multiple(HWND window) {
    return (StyleOf(window) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool IsSelected(HWND window, const ListBoxState& state, int index) {
    return Multiple(window) ? state.items.At(index).selected : index == state.current;
}

void NotifySelection(HWND window) {
    if ((StyleOf(window) & LBS_NOTIFY) != 0) {
        NotifyParent(window, LBN_SELCHANGE);
    }
}

}  // namespace

std::unique_ptr<ControlState> MakeListBoxState(HWND, const CreateParameters&) {
    return std::make_unique<ListBoxState>();
}

LRESULT ListBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<ListBoxState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    ListBoxState& state = *held;
    const auto text = [lParam] { return std::string(lParam != 0 ? reinterpret_cast<const char*>(lParam) : ""); };
    const int index = static_cast<int>(wParam);
    switch (message) {
    case LB_ADDSTRING: {
        const int added = state.items.Add(text(), (StyleOf(window) & LBS_SORT) != 0);
        if (state.current >= added) {
            ++state.current;
        }
        return added;
    }
    case LB_INSERTSTRING: {
        const int inserted = state.items.Insert(index, text());
        if (inserted >= 0 && state.current >= inserted) {
            ++state.current;
        }
        return inserted >= 0 ? inserted : LB_ERR;
    }
    case LB_DELETESTRING:
        if (!state.items.Remove(index)) {
            return LB_ERR;
        }
        if (state.current == index) {
            state.current = -1;
        } else if (state.current > index) {
            --state.current;
        }
        return state.items.Count();
    case LB_RESETCONTENT:
        state.items.Clear();
        state.current = -1;
        return 0;
    case LB_GETCOUNT:
        return state.items.Count();
    case LB_GETTEXT:
    case LB_GETTEXTLEN: {
        if (!state.items.Valid(index)) {
            return LB_ERR;
        }
        const std::string& item = state.items.At(index).text;
        if (message == LB_GETTEXT && lParam != 0) {
            std::memcpy(reinterpret_cast<char*>(lParam), item.c_str(), item.size() + 1);
        }
        return static_cast<LRESULT>(item.size());
    }
    case LB_SETITEMDATA:
        if (!state.items.Valid(index)) {
            return LB_ERR;
        }
        state.items.At(index).data = static_cast<ULONG_PTR>(lParam);
        return 0;
    case LB_GETITEMDATA:
        return state.items.Valid(index) ? static_cast<LRESULT>(state.items.At(index).data) : LB_ERR;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: {
        const int found = state.items.Find(index, text(), message == LB_FINDSTRINGEXACT);
        return found >= 0 ? found : LB_ERR;
    }
    case LB_SELECTSTRING: {
        if (Multiple(window)) {
            return LB_ERR;
        }
        const int found = state.items.Find(index, text(), false);
        if (found >= 0) {
            state.current = found;
        }
        return found >= 0 ? found : LB_ERR;
    }
    case LB_GETCURSEL:
        if (Multiple(window)) {
            return state.current >= 0 ? state.current : 0;  // the caret
        }
        return state.current;
    case LB_SETCURSEL:
        if (Multiple(window)) {
            return LB_ERR;
        }
        state.current = state.items.Valid(index) ? index : -1;
        return state.current >= 0 ? state.current : LB_ERR;
    case LB_GETSEL:
        return state.items.Valid(index) ? (IsSelected(window, state, index) ? 1 : 0) : LB_ERR;
    case LB_SETSEL: {
        if (!Multiple(window)) {
            return LB_ERR;
        }
        const int target = static_cast<int>(lParam);
        if (target == -1) {
            for (ListItem& item : state.items.Items()) {
                item.selected = wParam != 0;
            }
            return 0;
        }
        if (!state.items.Valid(target)) {
            return LB_ERR;
        }
        state.items.At(target).selected = wParam != 0;
        return 0;
    }
    case LB_GETSELCOUNT: {
        if (!Multiple(window)) {
            return LB_ERR;
        }
        int count = 0;
        for (const ListItem& item : state.items.Items()) {
            count += item.selected ? 1 : 0;
        }
        return count;
    }
    case LB_GETSELITEMS: {
        if (!Multiple(window)) {
            return LB_ERR;
        }
        auto* out = reinterpret_cast<int*>(lParam);
        int count = 0;
        for (int i = 0; i < state.items.Count() && count < index; ++i) {
            if (state.items.At(i).selected) {
                if (out != nullptr) {
                    out[count] = i;
                }
                ++count;
            }
        }
        return count;
    }
    case LB_GETCARETINDEX:
        return state.current >= 0 ? state.current : 0;
    case LB_SETCARETINDEX:
        if (!state.items.Valid(index)) {
            return LB_ERR;
        }
        if (Multiple(window)) {
            state.current = index;
        }
        return 0;
    case WM_LBUTTONDOWN:
        SetFocusTo(window);
        return 0;
    case WM_SETFOCUS:
        if ((StyleOf(window) & LBS_NOTIFY) != 0) {
            NotifyParent(window, LBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if ((StyleOf(window) & LBS_NOTIFY) != 0) {
            NotifyParent(window, LBN_KILLFOCUS);
        }
        return 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

bool PersonClicksListBoxItem(HWND listBox, int index) {
    auto held = HoldState<ListBoxState>(listBox);
    if (!held || !held->items.Valid(index)) {
        return false;
    }
    SetFocusTo(listBox);
    if (Multiple(listBox)) {
        held->items.At(index).selected = true;
    }
    held->current = index;
    NotifySelection(listBox);
    return true;
}

}  // namespace platform::ui
