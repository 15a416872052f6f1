// Animation controls: which animation is open and whether it plays.
#include "platform/common_controls.h"
#include "platform/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

namespace platform::ui {
namespace {

struct AnimateState : ControlState {
    UINT frames = 0;  // 0 while nothing is open
    bool playing = false;
    int repeat = 0;
    int from = 0;
    int to = 0;
};

// Plays frames from..to (to -1: the last frame), repeat times (-1: for ever).
bool Play(AnimateState& state, int repeat, int from, int to) {
    if (state.frames == 0) {
        return false;
    }
    const int last = static_cast<int>(state.frames) - 1;
    to = to == -1 ? last : to;
    if (from < 0 || from > to || to > last) {
        return false;
    }
    state.playing = repeat != 0;
    state.repeat = repeat;
    state.from = from;
    state.to = to;
    return true;
}

}  // namespace

std::unique_ptr<ControlState> MakeAnimateState(HWND, const CreateParameters&) {
    return std::make_unique<AnimateState>();
}

LRESULT AnimateProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<AnimateState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    AnimateState& state = *held;
    switch (message) {
    case ACM_OPENA: {
        // Opens the animation resource of the module in wParam; a null name
        // closes. Only resources are offered (no files).
        state.frames = 0;
        state.playing = false;
        const auto name = reinterpret_cast<LPCSTR>(lParam);
        if (name == nullptr) {
            return TRUE;
        }
        const AnimationResource* animation =
            IS_INTRESOURCE(name) ? FindAnimationResource(reinterpret_cast<HINSTANCE>(wParam), ResourceId(name))
                                 : nullptr;
        if (animation == nullptr || animation->frames == 0) {
            return FALSE;
        }
        state.frames = animation->frames;
        if ((StyleOf(window) & ACS_AUTOPLAY) != 0) {
            Play(state, -1, 0, -1);
        }
        return TRUE;
    }
    case ACM_PLAY:
        return Play(state, static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<short>(LOWORD(lParam)),
                    static_cast<short>(HIWORD(lParam)))
                   ? TRUE
                   : FALSE;
    case ACM_STOP:
        state.playing = false;
        return TRUE;
    case ACM_ISPLAYING:
        return state.playing ? TRUE : FALSE;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
