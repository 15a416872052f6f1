// The class library on the system's windows (user32, comctl32).
#include "platform/afx_propsheet.h"
#include "platform/ui_dialog.h"
#include "platform/win32/ui/system_windows.h"

namespace platform::wnd {

INT_PTR RunSystemSheet(CPropertySheet& sheet, HWND owner);

namespace {

// A parent hears of a control's change as the control tells it.
void NotifyParent(HWND control, UINT code) {
    ::SendMessageA(::GetParent(control), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), code),
                   reinterpret_cast<LPARAM>(control));
}

class System final : public WindowBackend {
public:
    CWnd* Permanent(HWND window) override { return win32ui::ObjectOf(window); }

    CWnd* Temporary(HWND window) override { return win32ui::TemporaryOf(window); }

    bool Attach(CWnd& object, HWND window) override { return win32ui::AttachObject(object, window); }

    void Detach(CWnd& object) override { win32ui::DetachObject(object); }

    HWND Create(CWnd* object, const CreateParameters& parameters) override {
        win32ui::EnsureCommonControls();
        const RECT& rect = parameters.rect;
        win32ui::CreationScope creation(object);
        return ::CreateWindowExA(parameters.exStyle, parameters.className.empty() ? nullptr : parameters.className.c_str(),
                                 parameters.text.c_str(), parameters.style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parameters.parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(parameters.id)), parameters.instance,
                                 parameters.parameter);
    }

    LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return win32ui::CallOriginal(window, message, wParam, lParam);
    }

    void SetOwner(HWND window, HWND owner) override {
        ::SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }

    HWND CreateDialogFrom(HINSTANCE module, UINT id, HWND owner, CWnd* object, DialogMode mode) override {
        win32ui::EnsureCommonControls();
        const std::vector<BYTE> bytes = win32ui::CompiledDialogTemplate(module, id, [mode](DWORD style) {
            if (mode == DialogMode::Page) {
                return (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)) | WS_CHILD |
                       DS_CONTROL;
            }
            // A modal dialog is shown when its loop starts, after its
            // initialisation.
            return mode == DialogMode::Modal ? style & ~WS_VISIBLE : style;
        });
        if (bytes.empty()) {
            ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        win32ui::CreationScope creation(object, [id](HWND made) { win32ui::RegisterDialog(made, id, false); });
        // The module is the dialog's instance: a picture control finds its
        // image there.
        return ::CreateDialogIndirectParamA(module, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner,
                                           &NoProcedure, 0);
    }

    std::string TemplateCaption(HINSTANCE module, UINT id) override {
        return win32ui::CompiledDialogCaption(module, id);
    }

    void RunModal(HWND dialog) override {
        // As on Windows, a dialog ended during its initialisation is never
        // shown.
        if (win32ui::DialogEnded(dialog)) {
            return;
        }
        win32ui::MarkModal(dialog);
        ::ShowWindow(dialog, SW_SHOW);
        ::SetForegroundWindow(dialog);
        UiDriver* driver = GetUiDriver();
        UiDialog person(dialog);
        if (driver != nullptr) {
            driver->OnDialog(person);
        }
        win32ui::PumpUntil(dialog, false, [dialog] { return win32ui::DialogEnded(dialog); });
        if (driver != nullptr && ::IsWindow(dialog) != FALSE) {
            driver->OnDialogEnded(person);
        }
    }

    bool HasEnded(HWND dialog) override { return win32ui::DialogEnded(dialog); }

    std::optional<INT_PTR> EndResult(HWND dialog) override { return win32ui::DialogResult(dialog); }

    bool IsSheet(HWND dialog) override { return win32ui::DialogIsSheet(dialog); }

    UINT TemplateId(HWND dialog) override { return win32ui::DialogTemplateId(dialog); }

    INT_PTR RunSheet(CPropertySheet& sheet, HWND owner) override { return RunSystemSheet(sheet, owner); }

    bool GdiHandleAlive(const void* handle) override {
        return handle != nullptr && ::GetObjectType(static_cast<HGDIOBJ>(const_cast<void*>(handle))) != 0;
    }

    // The system has no test of an image list's handle: a temporary one
    // stays.
    bool ImageListAlive(HIMAGELIST list) override { return list != nullptr; }

    int ProcessWaiting() override { return win32ui::PumpWaiting(); }

    bool TakeThreadMessage(MSG& message) override { return win32ui::TakeKeptThreadMessage(message); }

    void PointAt(HWND control) override {
        RECT rect{};
        if (::GetWindowRect(control, &rect) != FALSE) {
            ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        }
    }

    POINT CursorPosition() override {
        POINT point{};
        ::GetCursorPos(&point);
        return point;
    }

    bool ReplaceComboText(HWND combo, const std::string& text) override {
        if ((static_cast<DWORD>(::GetWindowLongA(combo, GWL_STYLE)) & 0x3u) == CBS_DROPDOWNLIST) {
            return false;
        }
        ::SetFocus(combo);
        ::SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        NotifyParent(combo, CBN_EDITUPDATE);
        NotifyParent(combo, CBN_EDITCHANGE);
        return true;
    }

    bool SelectComboItem(HWND combo, int index) override {
        if (index < 0 || index >= static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0))) {
            return false;
        }
        ::SetFocus(combo);
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        NotifyParent(combo, CBN_SELCHANGE);
        NotifyParent(combo, CBN_SELENDOK);
        return true;
    }

    bool ClickListBoxItem(HWND listBox, int index) override {
        if (index < 0 || index >= static_cast<int>(::SendMessageA(listBox, LB_GETCOUNT, 0, 0))) {
            return false;
        }
        ::SetFocus(listBox);
        const DWORD style = static_cast<DWORD>(::GetWindowLongA(listBox, GWL_STYLE));
        if ((style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0) {
            ::SendMessageA(listBox, LB_SETSEL, TRUE, index);
            ::SendMessageA(listBox, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        } else {
            ::SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        if ((style & LBS_NOTIFY) != 0) {
            NotifyParent(listBox, LBN_SELCHANGE);
        }
        return true;
    }

    // The row's state: the control tells its parent (LVN_ITEMCHANGED).
    bool SelectListRow(HWND list, int index) override {
        if (index < 0 || index >= static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))) {
            return false;
        }
        ::SetFocus(list);
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return true;
    }

private:
    // The layer's dialogs are handled by their objects; the rest is the
    // dialog manager's.
    static INT_PTR CALLBACK NoProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};

}  // namespace

WindowBackend& SystemBackend() {
    static System* backend = new System;  // threads still running at exit use it
    return *backend;
}

}  // namespace platform::wnd
