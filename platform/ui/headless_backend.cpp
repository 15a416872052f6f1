// The class library on the headless window system: objects are kept in the
// window records, and the class procedure is what default handling reaches.
#include "platform/afx_propsheet.h"
#include "platform/common/window_backend.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/gdi_table.h"
#include "platform/ui/screen.h"
#include "platform/ui/window_manager.h"

namespace platform::wnd {

// The sheet's own layout and page handling run it (CPropertySheet).
struct HeadlessSheets {
    static INT_PTR Run(CPropertySheet& sheet, HWND owner) { return sheet.RunHeadless(owner); }
};

namespace {

class Headless final : public WindowBackend {
public:
    CWnd* Permanent(HWND window) override {
        const auto record = ui::FindWindowRecord(window);
        if (record == nullptr) {
            return nullptr;
        }
        std::lock_guard lock(ui::TableMutex());
        return record->object;
    }

    CWnd* Temporary(HWND window) override {
        const auto record = ui::FindWindowRecord(window);
        if (record == nullptr) {
            return nullptr;
        }
        const ControlKind kind = KindOfClass(ui::ClassNameOf(window).c_str());
        std::lock_guard lock(ui::TableMutex());
        if (record->object != nullptr) {
            return record->object;
        }
        if (record->temporary == nullptr) {
            record->temporary = MakeTemporary(kind);
            record->temporary->m_hWnd = window;
        }
        return record->temporary.get();
    }

    bool Attach(CWnd& object, HWND window) override {
        const auto record = ui::FindWindowRecord(window);
        if (record == nullptr) {
            return false;
        }
        std::lock_guard lock(ui::TableMutex());
        if (record->object != nullptr) {
            return false;  // one object per window
        }
        record->object = &object;
        object.m_hWnd = window;
        return true;
    }

    void Detach(CWnd& object) override {
        if (const auto record = ui::FindWindowRecord(object.m_hWnd)) {
            std::lock_guard lock(ui::TableMutex());
            if (record->object == &object) {
                record->object = nullptr;
            }
        }
    }

    HWND Create(CWnd* object, const CreateParameters& parameters) override {
        return ui::CreateWindowFor(object, parameters);
    }

    LRESULT CallDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return ui::CallClassProcedure(window, message, wParam, lParam);
    }

    void SetOwner(HWND window, HWND owner) override {
        if (const auto record = ui::FindWindowRecord(window)) {
            std::lock_guard lock(ui::TableMutex());
            record->owner = owner;
        }
    }

    HWND CreateDialogFrom(HINSTANCE module, UINT id, HWND owner, CWnd* object, DialogMode mode) override {
        const DialogResource* dialog = FindDialogResource(module, id);
        return dialog != nullptr ? ui::CreateDialogFromTemplate(*dialog, owner, object, mode) : nullptr;
    }

    std::string TemplateCaption(HINSTANCE module, UINT id) override {
        const DialogResource* dialog = FindDialogResource(module, id);
        return dialog != nullptr && dialog->caption != nullptr ? dialog->caption : "";
    }

    void RunModal(HWND dialog) override { ui::RunModal(dialog); }

    bool HasEnded(HWND dialog) override { return ui::HasEnded(dialog); }

    std::optional<INT_PTR> EndResult(HWND dialog) override { return ui::EndResult(dialog); }

    bool IsSheet(HWND dialog) override {
        const auto record = ui::FindWindowRecord(dialog);
        if (record == nullptr || record->dialog == nullptr) {
            return false;
        }
        std::lock_guard lock(ui::TableMutex());
        return record->dialog->sheet;
    }

    UINT TemplateId(HWND dialog) override {
        const auto record = ui::FindWindowRecord(dialog);
        if (record == nullptr || record->dialog == nullptr) {
            return 0;
        }
        std::lock_guard lock(ui::TableMutex());
        return record->dialog->templateId;
    }

    INT_PTR RunSheet(CPropertySheet& sheet, HWND owner) override { return HeadlessSheets::Run(sheet, owner); }

    bool GdiHandleAlive(const void* handle) override { return ui::GdiHandleAlive(handle); }

    bool ImageListAlive(HIMAGELIST list) override { return ui::GdiHandleAlive(list); }

    int ProcessWaiting() override { return ui::CurrentQueue()->ProcessWaiting(); }

    bool TakeThreadMessage(MSG& message) override { return ui::CurrentQueue()->TakeThreadMessage(message); }

    void PointAt(HWND control) override {
        RECT rect{};
        ::GetWindowRect(control, &rect);
        ui::MoveCursorTo(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    POINT CursorPosition() override { return ui::CursorPosition(); }

    bool ReplaceComboText(HWND combo, const std::string& text) override {
        return ui::PersonReplacesComboText(combo, text);
    }

    bool SelectComboItem(HWND combo, int index) override { return ui::PersonSelectsComboItem(combo, index); }

    bool ClickListBoxItem(HWND listBox, int index) override { return ui::PersonClicksListBoxItem(listBox, index); }

    // A click in the middle of the row, as a person selects it.
    bool SelectListRow(HWND list, int index) override {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        if (ui::Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) == FALSE) {
            return false;
        }
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ui::Send(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ui::Send(list, WM_LBUTTONUP, 0, point);
        return true;
    }
};

}  // namespace

WindowBackend& HeadlessBackend() {
    static Headless* backend = new Headless;  // threads still running at exit use it
    return *backend;
}

}  // namespace platform::wnd
