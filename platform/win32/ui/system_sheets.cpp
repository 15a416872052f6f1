// Property sheets as the system's sheets: pages from the compiled templates,
// each page's object attached when its dialog is made, the sheet run as a
// modeless sheet in the layer's modal loop.
#include "platform/afx_propsheet.h"
#include "platform/ui_dialog.h"
#include "platform/win32/ui/system_windows.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform::wnd {
namespace {

// The page's dialog procedure: the page's object is attached as its dialog
// is initialised (the system makes page dialogs itself), and takes
// WM_INITDIALOG; the rest reaches the object through its window procedure.
INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

struct SystemSheets {
    static INT_PTR Run(CPropertySheet& sheet, HWND owner);
    static INT_PTR InitialisePage(HWND window, WPARAM wParam, LPARAM lParam);
};

namespace {

INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_INITDIALOG ? SystemSheets::InitialisePage(window, wParam, lParam) : FALSE;
}

// A page's window style: a control child of its sheet, shown by the sheet.
DWORD PageStyle(DWORD style) {
    return (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE | WS_DISABLED)) | WS_CHILD |
           DS_CONTROL | DS_3DLOOK;
}

}  // namespace

INT_PTR SystemSheets::InitialisePage(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* page = sheetPage != nullptr ? reinterpret_cast<CPropertyPage*>(sheetPage->lParam) : nullptr;
    if (page == nullptr || !win32ui::AttachObject(*page, window)) {
        return TRUE;
    }
    win32ui::RegisterDialog(window, page->TemplateId(), false);
    page->firstSetActive_ = true;
    return AfxCallWndProc(page, window, WM_INITDIALOG, wParam, lParam);
}

INT_PTR SystemSheets::Run(CPropertySheet& sheet, HWND owner) {
    win32ui::EnsureCommonControls();
    const int count = sheet.GetPageCount();
    std::vector<std::vector<BYTE>> templates;
    std::vector<std::string> titles;
    std::vector<PROPSHEETPAGEA> pages(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        CPropertyPage* page = sheet.GetPage(index);
        templates.push_back(win32ui::CompiledDialogTemplate(page->TemplateModule(), page->TemplateId(), &PageStyle));
        if (templates.back().empty()) {
            return -1;
        }
        titles.push_back(page->GetTitle().Str());
    }
    for (int index = 0; index < count; ++index) {
        const auto at = static_cast<std::size_t>(index);
        PROPSHEETPAGEA& entry = pages[at];
        entry.dwSize = sizeof(entry);
        // A wizard has no tabs, and the system captions it with the page's
        // title: there the title is the sheet's caption.
        if (sheet.IsWizard()) {
            titles[at] = sheet.caption_;
        }
        entry.dwFlags = PSP_DLGINDIRECT | (titles[at].empty() ? 0 : PSP_USETITLE) |
                        (sheet.GetPage(index)->m_psp.dwFlags & PSP_HASHELP);
        entry.hInstance = sheet.GetPage(index)->TemplateModule();
        entry.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(templates[at].data());
        entry.pfnDlgProc = &PageProcedure;
        entry.pszTitle = titles[at].c_str();
        entry.lParam = reinterpret_cast<LPARAM>(sheet.GetPage(index));
    }
    constexpr DWORD kKept = PSH_WIZARD | PSH_NOAPPLYNOW | PSH_HASHELP | PSH_WIZARDHASFINISH | PSH_PROPTITLE;
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | (sheet.m_psh.dwFlags & kKept);
    header.hwndParent = owner;
    header.hInstance = win32ui::LayerInstance();
    header.pszCaption = sheet.caption_.c_str();
    header.nPages = static_cast<UINT>(count);
    header.nStartPage = static_cast<UINT>(std::clamp(static_cast<int>(sheet.m_psh.nStartPage), 0, count - 1));
    header.ppsp = pages.data();

    // The sheet's methods are the system sheet's messages from its first
    // page's activation on.
    sheet.systemSheet_ = true;
    HWND window = nullptr;
    {
        const bool wizard = sheet.IsWizard() != FALSE;
        win32ui::CreationScope creation(&sheet, [wizard](HWND made) {
            win32ui::RegisterDialog(made, 0, true, wizard);
            win32ui::MarkModal(made);
        });
        window = reinterpret_cast<HWND>(::PropertySheetA(&header));
    }
    if (window == nullptr || ::IsWindow(window) == FALSE) {
        sheet.systemSheet_ = false;
        return -1;
    }
    UiDriver* driver = GetUiDriver();
    UiDialog person(window);
    if (driver != nullptr && !win32ui::DialogEnded(window)) {
        driver->OnDialog(person);
    }
    win32ui::PumpUntil(window, true, [window] { return win32ui::DialogEnded(window); });
    const INT_PTR result = win32ui::DialogResult(window).value_or(IDCANCEL);
    if (driver != nullptr && ::IsWindow(window) != FALSE) {
        driver->OnDialogEnded(person);
    }
    if (::IsWindow(window) != FALSE) {
        ::DestroyWindow(window);
    }
    sheet.systemSheet_ = false;
    return result;
}

INT_PTR RunSystemSheet(CPropertySheet& sheet, HWND owner) {
    return SystemSheets::Run(sheet, owner);
}

}  // namespace platform::wnd
