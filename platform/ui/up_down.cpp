// Spin (up-down) controls: a range, a position, and a buddy window that can
// show the position.
#include "platform/common_controls.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>
#include <string>

namespace platform::ui {
namespace {

struct UpDownState : ControlState {
    // The system's initial range runs from 100 down to 0.
    short lower = 100;
    short upper = 0;
    short position = 0;
    HWND buddy = nullptr;
};

short Clamped(const UpDownState& state, int position) {
    const int low = std::min(state.lower, state.upper);
    const int high = std::max(state.lower, state.upper);
    return static_cast<short>(std::clamp(position, low, high));
}

void ShowInBuddy(HWND window, const UpDownState& state) {
    if ((StyleOf(window) & UDS_SETBUDDYINT) != 0 && state.buddy != nullptr) {
        const std::string text = std::to_string(state.position);
        Send(state.buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

}  // namespace

std::unique_ptr<ControlState> MakeUpDownState(HWND window, const CreateParameters& parameters) {
    auto state = std::make_unique<UpDownState>();
    if ((parameters.style & UDS_AUTOBUDDY) != 0) {
        // The buddy is the control made just before it.
        const std::vector<HWND> siblings = ChildrenOf(parameters.parent);
        const auto at = std::find(siblings.begin(), siblings.end(), window);
        if (at != siblings.end() && at != siblings.begin()) {
            state->buddy = *(at - 1);
        }
    }
    return state;
}

LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<UpDownState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    UpDownState& state = *held;
    switch (message) {
    case UDM_SETRANGE:
        state.upper = static_cast<short>(LOWORD(lParam));
        state.lower = static_cast<short>(HIWORD(lParam));
        state.position = Clamped(state, state.position);
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(state.upper, state.lower);
    case UDM_SETPOS: {
        const short previous = state.position;
        state.position = Clamped(state, static_cast<short>(LOWORD(lParam)));
        ShowInBuddy(window, state);
        return previous;
    }
    case UDM_GETPOS:
        return MAKELONG(state.position, 0);
    case UDM_SETBUDDY: {
        const HWND previous = state.buddy;
        state.buddy = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(state.buddy);
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
