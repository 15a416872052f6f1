// The headless windows: one record per window, found by its handle.
//
// Handles are the layer's own values, never reused, so a message to a window
// that has been destroyed finds nothing and fails cleanly. Records are shared
// pointers: a call that found a window keeps its record alive even if the
// window is destroyed meanwhile.
#pragma once

#include "platform/common/window_backend.h"
#include "platform/gdi.h"
#include "platform/ui/thread_queue.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CWnd;

namespace platform::ui {

using Procedure = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window's kind, as the class library tells them apart.
using WindowKind = wnd::ControlKind;

// A control's own state, kept by its class procedure and touched only on the
// window's thread.
class ControlState {
public:
    virtual ~ControlState() = default;
};

struct DialogState {
    UINT templateId = 0;
    bool sheet = false;   // a property sheet (its pages are child dialogs)
    bool modal = false;
    bool ended = false;   // guarded by the window table's lock
    INT_PTR result = 0;
    int defaultId = IDOK;
};

struct Window {
    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND handle = nullptr;
    WindowKind kind = WindowKind::Generic;
    std::string className;
    Procedure classProcedure = nullptr;  // the class's own behaviour
    CWnd* object = nullptr;              // the class library's object, which sees every message first
    std::unique_ptr<CWnd> temporary;     // the object the class library made for a bare handle
    HWND parent = nullptr;               // of a child window
    HWND owner = nullptr;                // of a popup
    std::vector<HWND> children;          // in creation order
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT rect{};  // in the parent's client coordinates (the screen's for a top-level window)
    std::shared_ptr<ThreadQueue> queue;
    std::unique_ptr<ControlState> control;
    std::unique_ptr<DialogState> dialog;
    LONG_PTR userData = 0;  // pointer-wide: callers keep an object's address here
    HFONT font = nullptr;
    bool destroying = false;
};

// Every field of every record is read and written under this lock, except a
// control's state (its window's thread only). Nothing is called with it held.
std::mutex& TableMutex();

std::shared_ptr<Window> FindWindowRecord(HWND handle);
// Adds a record and gives it its handle.
HWND AddWindowRecord(const std::shared_ptr<Window>& window);
void RemoveWindowRecord(HWND handle);
// The top-level windows (no parent), in creation order.
std::vector<std::shared_ptr<Window>> TopLevelWindows();

// Small accessors that take the lock.
DWORD StyleOf(HWND window);
HWND ParentOf(HWND window);
std::vector<HWND> ChildrenOf(HWND window);
std::string TextOf(HWND window);
std::string ClassNameOf(HWND window);
void SetTextOf(HWND window, const std::string& text);
UINT IdOf(HWND window);
WindowKind KindOf(HWND window);

// The window's origin on the screen, and its size.
POINT ScreenOrigin(HWND window);

}  // namespace platform::ui
