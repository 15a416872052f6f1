// Status bars: one text per pane, set and read by pane index (the low byte of
// the message's first argument; the drawing type in its high bits is kept
// apart from the text).
#include "platform/common_controls.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <cstring>
#include <map>
#include <string>

namespace platform::ui {
namespace {

struct StatusBarState : ControlState {
    std::map<int, std::string> panes;
};

// The answer of the two reading messages: the text's length, and the
// drawing type in the high word (always the plain one here).
LRESULT LengthAnswer(const std::string& text) {
    return MAKELONG(static_cast<WORD>(text.size()), 0);
}

}  // namespace

std::unique_ptr<ControlState> MakeStatusBarState(HWND, const CreateParameters&) {
    return std::make_unique<StatusBarState>();
}

LRESULT StatusBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<StatusBarState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    StatusBarState& state = *held;
    const int pane = static_cast<int>(wParam & 0xFF);
    switch (message) {
    case SB_SETTEXTA:
        state.panes[pane] = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case SB_GETTEXTA: {
        const std::string& text = state.panes[pane];
        if (lParam != 0) {
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        }
        return LengthAnswer(text);
    }
    case SB_GETTEXTLENGTHA:
        return LengthAnswer(state.panes[pane]);
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
