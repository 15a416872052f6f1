// Buttons: push buttons, check boxes, radio buttons and group boxes.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

namespace platform::ui {
namespace {

struct ButtonState : ControlState {
    int check = BST_UNCHECKED;
    bool pushed = false;
    UINT imageType = IMAGE_BITMAP;
    HANDLE image = nullptr;
};

UINT TypeOf(HWND button) {
    return StyleOf(button) & BS_TYPEMASK;
}

bool IsRadio(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool Checkable(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
           IsRadio(type);
}

// The radio group of a button: from the sibling that starts it (WS_GROUP)
// up to the next one that starts another.
std::vector<HWND> GroupOf(HWND button) {
    const std::vector<HWND> siblings = ChildrenOf(ParentOf(button));
    std::size_t start = 0;
    std::size_t at = 0;
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if ((StyleOf(siblings[i]) & WS_GROUP) != 0) {
            start = i;
        }
        if (siblings[i] == button) {
            at = i;
            break;
        }
    }
    std::vector<HWND> group;
    for (std::size_t i = start; i < siblings.size(); ++i) {
        if (i > at && (StyleOf(siblings[i]) & WS_GROUP) != 0) {
            break;
        }
        group.push_back(siblings[i]);
    }
    return group;
}

// What releasing the mouse over the button does: an automatic button changes
// its own state, then the parent hears of the click.
void Clicked(HWND button, ButtonState& state) {
    const UINT type = TypeOf(button);
    if (type == BS_AUTOCHECKBOX) {
        state.check = state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTO3STATE) {
        state.check = (state.check + 1) % 3;
    } else if (type == BS_AUTORADIOBUTTON) {
        for (HWND member : GroupOf(button)) {
            if (member != button && KindOf(member) == WindowKind::Button && IsRadio(TypeOf(member))) {
                Send(member, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        state.check = BST_CHECKED;
    }
    NotifyParent(button, BN_CLICKED);
}

}  // namespace

std::unique_ptr<ControlState> MakeButtonState(HWND, const CreateParameters&) {
    return std::make_unique<ButtonState>();
}

LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<ButtonState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    ButtonState& state = *held;
    switch (message) {
    case BM_GETCHECK:
        return Checkable(TypeOf(window)) ? state.check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (Checkable(TypeOf(window))) {
            state.check = static_cast<int>(wParam) & 3;
        }
        return 0;
    case BM_GETSTATE:
        return state.check | (state.pushed ? BST_PUSHED : 0) | (CurrentFocus() == window ? BST_FOCUS : 0);
    case BM_SETSTATE:
        state.pushed = wParam != 0;
        return 0;
    case BM_SETSTYLE: {
        const auto record = held.record;
        std::lock_guard lock(TableMutex());
        record->style = (record->style & ~0xFFFFu) | LOWORD(wParam);
        return 0;
    }
    case BM_CLICK:
        // The mouse goes down and up over the button: through the button's
        // own messages, so a subclassed button sees them.
        if ((StyleOf(window) & WS_DISABLED) == 0 && TypeOf(window) != BS_GROUPBOX) {
            Send(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            Send(window, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (TypeOf(window) != BS_GROUPBOX) {
            SetFocusTo(window);
            state.pushed = true;
        }
        return 0;
    case WM_LBUTTONUP:
        if (state.pushed) {
            state.pushed = false;
            Clicked(window, state);
        }
        return 0;
    case BM_SETIMAGE: {
        const HANDLE previous = state.image;
        state.imageType = static_cast<UINT>(wParam);
        state.image = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case BM_GETIMAGE:
        return wParam == state.imageType ? reinterpret_cast<LRESULT>(state.image) : 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
