// Progress bars: a range and a position.
#include "platform/common_controls.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>

namespace platform::ui {
namespace {

struct ProgressState : ControlState {
    int low = 0;
    int high = 100;
    int position = 0;
    int step = 10;

    int Clamped(int value) const { return std::clamp(value, std::min(low, high), std::max(low, high)); }
};

}  // namespace

std::unique_ptr<ControlState> MakeProgressState(HWND, const CreateParameters&) {
    return std::make_unique<ProgressState>();
}

LRESULT ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<ProgressState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    ProgressState& state = *held;
    const int previous = state.position;
    switch (message) {
    case PBM_SETRANGE: {
        const LRESULT previousRange = MAKELONG(state.low, state.high);
        state.low = LOWORD(lParam);
        state.high = HIWORD(lParam);
        state.position = state.Clamped(state.position);
        return previousRange;
    }
    case PBM_SETRANGE32: {
        const LRESULT previousRange = MAKELONG(state.low, state.high);
        state.low = static_cast<int>(wParam);
        state.high = static_cast<int>(lParam);
        state.position = state.Clamped(state.position);
        return previousRange;
    }
    case PBM_GETRANGE:
        if (lParam != 0) {
            auto* range = reinterpret_cast<PBRANGE*>(lParam);
            range->iLow = state.low;
            range->iHigh = state.high;
        }
        return wParam != 0 ? state.low : state.high;
    case PBM_SETPOS:
        state.position = state.Clamped(static_cast<int>(wParam));
        return previous;
    case PBM_DELTAPOS:
        state.position = state.Clamped(state.position + static_cast<int>(wParam));
        return previous;
    case PBM_SETSTEP: {
        const int previousStep = state.step;
        state.step = static_cast<int>(wParam);
        return previousStep;
    }
    case PBM_STEPIT:
        // Past the end the bar starts over from the beginning.
        state.position += state.step;
        if (state.position > std::max(state.low, state.high)) {
            state.position = std::min(state.low, state.high);
        }
        return previous;
    case PBM_GETPOS:
        return state.position;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
