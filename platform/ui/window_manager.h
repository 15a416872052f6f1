// Creating, destroying and arranging the headless windows.
#pragma once

#include "platform/common/window_backend.h"
#include "platform/resources.h"
#include "platform/ui/window_table.h"

#include <optional>
#include <string>

namespace platform::ui {

using CreateParameters = wnd::CreateParameters;

// Creates a window of the class (built-in controls by their Windows class
// names; any other name, or none, is a generic window) with the object
// attached before WM_NCCREATE and WM_CREATE. Null (and the last error set)
// when WM_NCCREATE or WM_CREATE refuses, or the parent does not exist.
HWND CreateWindowFor(CWnd* object, const CreateParameters& parameters);

// DestroyWindow: WM_DESTROY to the window and then its descendants, then
// WM_NCDESTROY from the deepest up; the records go with it. Only the window's
// own thread may destroy it.
bool DestroyWindowTree(HWND window);

// Keyboard focus of the calling thread.
HWND SetFocusTo(HWND window);
HWND CurrentFocus();

// WS_VISIBLE on the window and every ancestor.
bool IsVisibleOnScreen(HWND window);
// Not disabled, nor any ancestor: what a person can reach.
bool IsReachable(HWND window);
bool ShowOrHide(HWND window, int command);
bool Enable(HWND window, bool enable);

// The window's rectangle in its parent's client coordinates; moving or sizing
// sends WM_MOVE and WM_SIZE.
RECT RectOf(HWND window);
void Place(HWND window, const RECT& rect);

// Dialogs.
using DialogMode = wnd::DialogMode;
// Creates the dialog window (the object attached), its controls in template
// order, then sends WM_INITDIALOG and gives the focus to the first control
// that takes it when that answers TRUE.
HWND CreateDialogFromTemplate(const DialogResource& dialog, HWND owner, CWnd* object, DialogMode mode,
                              LPARAM initParameter = 0);
// Dialog units to pixels (base units 6 by 13: the deterministic text
// measure's character cell).
RECT DialogUnitsToPixels(short x, short y, short width, short height);
// The dialog state, or null for a window that is not a dialog.
bool IsDialogWindow(HWND window);
bool HasEnded(HWND dialog);
std::optional<INT_PTR> EndResult(HWND dialog);
void MarkEnded(HWND dialog, INT_PTR result);
// Makes a dialog window a modal property sheet (its pages are child dialogs).
void MarkSheet(HWND dialog);

// Shows a created modal dialog, lets the UI driver act on it, then runs its
// modal loop until it has ended or been destroyed.
void RunModal(HWND dialog);

// The first child with the id (direct children only), or null.
HWND ChildById(HWND parent, int id);

}  // namespace platform::ui
