// The class library on the system's windows: which object a window has, the
// creation hook that attaches it, and the dialogs' end states.
#pragma once

#include "platform/common/window_backend.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::win32ui {

// The common controls, registered once per process.
void EnsureCommonControls();
// The layer's module: the instance of its window class and dialogs.
HINSTANCE LayerInstance();

CWnd* ObjectOf(HWND window);
CWnd* TemporaryOf(HWND window);
// Subclasses the window with the class library's procedure; false when it
// has an object already or is no window.
bool AttachObject(CWnd& object, HWND window);
void DetachObject(CWnd& object);
// The window's own procedure (what it had before the object came).
LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// For its lifetime, the next window the calling thread creates gets the
// object (when there is one) before WM_NCCREATE, and is handed to made.
class CreationScope {
public:
    CreationScope(CWnd* object, std::function<void(HWND)> made = {});
    ~CreationScope();
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

    struct Pending;

private:
    Pending* previous_;
};

// The layer's dialogs and sheets: their template, whether they ended and
// how (a system sheet also ends by itself, once it has no page left).
// EndDialog marks them and wakes their modal loop from any thread.
void RegisterDialog(HWND dialog, UINT templateId, bool sheet, bool wizard = false);
// The dialog runs in the layer's modal loop (a modeless one is hidden when it
// ends).
void MarkModal(HWND dialog);
void ForgetDialog(HWND dialog);
bool IsLayerDialog(HWND dialog);
bool DialogEnded(HWND dialog);
std::optional<INT_PTR> DialogResult(HWND dialog);
bool DialogIsSheet(HWND dialog);
UINT DialogTemplateId(HWND dialog);
bool MarkDialogEnded(HWND dialog, INT_PTR result);

// Runs the calling thread's messages until done() holds (checked after each
// message); the dialog's keyboard goes through its dialog manager. Thread
// messages are kept for TakeKeptThreadMessage.
void PumpUntil(HWND dialog, bool sheet, const std::function<bool()>& done);
int PumpWaiting();
bool TakeKeptThreadMessage(MSG& message);

// A copy of the dialog template compiled into the module (DLGTEMPLATE or
// DLGTEMPLATEEX) with its window style made by restyle; empty when the
// module has no such template.
std::vector<BYTE> CompiledDialogTemplate(HINSTANCE module, UINT id, const std::function<DWORD(DWORD)>& restyle);
// The caption of that template (empty when it has none).
std::string CompiledDialogCaption(HINSTANCE module, UINT id);

}  // namespace platform::win32ui
