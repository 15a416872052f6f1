// Static controls: a text, or an icon or bitmap.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

namespace platform::ui {
namespace {

struct StaticState : ControlState {
    UINT imageType = IMAGE_ICON;
    HANDLE image = nullptr;
};

}  // namespace

std::unique_ptr<ControlState> MakeStaticState(HWND, const CreateParameters&) {
    return std::make_unique<StaticState>();
}

LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<StaticState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    StaticState& state = *held;
    switch (message) {
    case STM_SETICON: {
        const HANDLE previous = state.image;
        state.imageType = IMAGE_ICON;
        state.image = reinterpret_cast<HANDLE>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETICON:
        return state.imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(state.image) : 0;
    case STM_SETIMAGE: {
        const HANDLE previous = state.image;
        state.imageType = static_cast<UINT>(wParam);
        state.image = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
        return state.imageType == wParam ? reinterpret_cast<LRESULT>(state.image) : 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
