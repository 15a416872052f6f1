// The built-in window classes: their procedures and the state each control
// keeps.
#pragma once

#include "platform/ui/window_manager.h"

#include <memory>

namespace platform::ui {

struct WindowClass {
    const char* name;
    WindowKind kind;
    Procedure procedure;
    // The control's state, made when the window is created.
    std::unique_ptr<ControlState> (*makeState)(HWND window, const CreateParameters& parameters);
};

// The class of a name (case-insensitive); the generic class for any other.
const WindowClass& ClassByName(const std::string& name);
// The class of a dialog template's control.
const WindowClass& ClassOf(ControlClass kind);

LRESULT DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TreeViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AnimateProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

std::unique_ptr<ControlState> MakeButtonState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeEditState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeStaticState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeComboBoxState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeListBoxState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeListViewState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeTreeViewState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeUpDownState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeProgressState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeAnimateState(HWND window, const CreateParameters& parameters);
std::unique_ptr<ControlState> MakeStatusBarState(HWND window, const CreateParameters& parameters);

// A control's state, used on its own thread. The window's record is held
// with it, so the state stays valid even if a notification destroys the
// window meanwhile.
template <typename State>
struct HeldState {
    std::shared_ptr<Window> record;
    State* state = nullptr;

    explicit operator bool() const { return state != nullptr; }
    State* operator->() const { return state; }
    State& operator*() const { return *state; }
};

template <typename State>
HeldState<State> HoldState(HWND window) {
    HeldState<State> held;
    held.record = FindWindowRecord(window);
    if (held.record != nullptr) {
        held.state = dynamic_cast<State*>(held.record->control.get());
    }
    return held;
}

// What a person does with the mouse or keyboard on a control, beyond the
// messages a program can send (the driver's actions).
bool PersonSelectsComboItem(HWND combo, int index);
bool PersonReplacesComboText(HWND combo, const std::string& text);
bool PersonClicksListBoxItem(HWND listBox, int index);

}  // namespace platform::ui
