// The seam between the class library and the window system it runs on.
//
// The class library (windows, dialogs, property sheets, drawing objects) and
// the person's actions on a dialog (UiDialog) reach the window system through
// this narrow interface, everything else through the Windows functions. Two
// implementations: the headless window system's (platform/ui/), the only one
// on Linux, and in the Windows build the system's (platform/win32/ui/), over
// user32 and comctl32; platform/window_system.h says which one serves.
#pragma once

#include "platform/common_controls.h"
#include "platform/resources.h"
#include "platform/windows_ui.h"

#include <memory>
#include <optional>
#include <string>

class CWnd;
class CPropertySheet;

namespace platform::wnd {

struct CreateParameters {
    DWORD exStyle = 0;
    std::string className;  // empty: the layer's generic window
    std::string text;
    DWORD style = 0;
    RECT rect{};
    HWND parent = nullptr;  // the parent of a child window, the owner of a popup
    UINT id = 0;
    HINSTANCE instance = nullptr;
    LPVOID parameter = nullptr;
};

enum class DialogMode {
    Modal,     // created hidden; shown when its modal loop starts
    Modeless,  // shown when the template says WS_VISIBLE
    Page,      // a property page: a child dialog of its sheet, hidden
};

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    // The class library's object attached to the window, or null.
    virtual CWnd* Permanent(HWND window) = 0;
    // For a window without an object: a temporary object of its class, kept
    // until the window goes; null for a handle that is no window.
    virtual CWnd* Temporary(HWND window) = 0;
    // Attaches the object, which then sees every message of the window first;
    // false when the window has an object already or does not exist.
    virtual bool Attach(CWnd& object, HWND window) = 0;
    // The window's messages go to its own procedure again.
    virtual void Detach(CWnd& object) = 0;
    // Creates the window with the object (or none) attached before
    // WM_NCCREATE; null when the window refuses or cannot be made.
    virtual HWND Create(CWnd* object, const CreateParameters& parameters) = 0;
    // The window class's own handling of a message (what Default reaches).
    virtual LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void SetOwner(HWND window, HWND owner) = 0;

    // A dialog from the module's template with the object attached, after
    // its WM_INITDIALOG; null when it cannot be made. The headless system
    // reads the template from the module's resource table, the system's
    // from the resources compiled into the module.
    virtual HWND CreateDialogFrom(HINSTANCE module, UINT id, HWND owner, CWnd* object, DialogMode mode) = 0;
    // The caption of the module's template (empty when it has none).
    virtual std::string TemplateCaption(HINSTANCE module, UINT id) = 0;
    // Shows a created modal dialog, tells an installed UI driver, and runs the
    // modal loop until the dialog has ended or been destroyed.
    virtual void RunModal(HWND dialog) = 0;
    virtual bool HasEnded(HWND dialog) = 0;
    // The result given to EndDialog, once the dialog has ended.
    virtual std::optional<INT_PTR> EndResult(HWND dialog) = 0;
    virtual bool IsSheet(HWND dialog) = 0;
    // The dialog's template id (0 for a window that is none of the layer's
    // dialogs).
    virtual UINT TemplateId(HWND dialog) = 0;
    // Runs the sheet modally with the owner disabled; answers IDOK,
    // IDCANCEL, ID_WIZFINISH or what the sheet was ended with, -1 when it
    // cannot be made.
    virtual INT_PTR RunSheet(CPropertySheet& sheet, HWND owner) = 0;

    // Whether a drawing object's handle (a device context, a pen, a bitmap,
    // ...) or an image list's still stands for one.
    virtual bool GdiHandleAlive(const void* handle) = 0;
    virtual bool ImageListAlive(HIMAGELIST list) = 0;

    // Runs the messages waiting for the calling thread's windows; answers
    // how many ran. Thread messages are kept for TakeThreadMessage.
    virtual int ProcessWaiting() = 0;
    virtual bool TakeThreadMessage(MSG& message) = 0;

    // A person's actions that differ between the window systems: the mouse
    // over the control, and the choices in lists (each notifies the parent as
    // the control does when a person chooses).
    virtual void PointAt(HWND control) = 0;
    virtual POINT CursorPosition() = 0;
    virtual bool ReplaceComboText(HWND combo, const std::string& text) = 0;
    virtual bool SelectComboItem(HWND combo, int index) = 0;
    virtual bool ClickListBoxItem(HWND listBox, int index) = 0;
    virtual bool SelectListRow(HWND list, int index) = 0;
};

// The window system in use.
WindowBackend& Backend();
WindowBackend& HeadlessBackend();
#ifdef _WIN32
WindowBackend& SystemBackend();
#endif

// A window's kind, from its class name (as either window system names it);
// the headless system's desktop window is a kind of its own.
enum class ControlKind {
    Generic,
    Desktop,
    Dialog,
    Button,
    Edit,
    Static,
    ComboBox,
    ListBox,
    ListView,
    TreeView,
    UpDown,
    Progress,
    Animate,
    StatusBar,
};
ControlKind KindOf(HWND window);
ControlKind KindOfClass(const char* className);
// The object FromHandle makes for a bare window of the kind: of the window's
// class, so that code which treats it as its control class is right to.
std::unique_ptr<CWnd> MakeTemporary(ControlKind kind);

// The parent of a child window; null for a top-level one (whose GetParent is
// its owner).
HWND ParentOf(HWND window);
// The window's children in order.
template <typename Visit>
void ForEachChild(HWND window, Visit visit) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        visit(child);
    }
}

}  // namespace platform::wnd
