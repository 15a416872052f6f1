#include "platform/afx_propsheet.h"

#include "platform/afx_app.h"
#include "platform/common/window_backend.h"
#include "platform/ui/window_manager.h"

#include <algorithm>

namespace {

// The sheet's layout in pixels: pages below the tabs, buttons in a row at
// the bottom right.
constexpr int kMargin = 7;
constexpr int kTabHeight = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

}  // namespace

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CPropertyPage(MAKEINTRESOURCE(templateId), captionId) {}

CPropertyPage::CPropertyPage(LPCSTR templateName, UINT captionId) : CDialog(templateName) {
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = templateName;
    if (captionId != 0 && title_.LoadString(captionId)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = title_;
    }
}

CString CPropertyPage::GetTitle() const {
    if (!title_.IsEmpty()) {
        return title_;
    }
    const HINSTANCE module = TemplateModule();
    return module != nullptr ? CString(platform::wnd::Backend().TemplateCaption(module, TemplateId()).c_str())
                             : CString();
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() {
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel() {
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack() {
    return 0;
}

LRESULT CPropertyPage::OnWizardNext() {
    return 0;
}

BOOL CPropertyPage::OnWizardFinish() {
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || header->hwndFrom == nullptr || header->hwndFrom != ::GetParent(m_hWnd)) {
        return CDialog::OnNotify(wParam, lParam, result);
    }
    LRESULT answer = 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        answer = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        answer = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        answer = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        answer = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZBACK:
    case PSN_WIZNEXT:
        answer = WizardStepAnswer(header->code == PSN_WIZNEXT ? OnWizardNext() : OnWizardBack());
        break;
    case PSN_WIZFINISH:
        answer = OnWizardFinish() ? FALSE : TRUE;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, result);
    }
    // The system's sheet reads a dialog's answer from its message result.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, answer);
    if (result != nullptr) {
        *result = answer;
    }
    return TRUE;
}

LRESULT CPropertyPage::WizardStepAnswer(LRESULT answer) {
    if (answer == 0 || answer == -1) {
        return answer;
    }
    // A page's template id: the sheet turns to that page, as a click on its
    // tab would.
    const HWND sheet = ::GetParent(m_hWnd);
    if (auto* owner = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(sheet))) {
        for (int index = 0; index < owner->GetPageCount(); ++index) {
            if (static_cast<LRESULT>(owner->GetPage(index)->m_nIDHelp) == answer) {
                ::PostMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
            }
        }
    }
    return -1;
}

void CPropertyPage::SetModified(BOOL changed) {
    if (const HWND sheet = ::GetParent(m_hWnd)) {
        ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
    }
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
    const HWND sheet = ::GetParent(m_hWnd);
    return sheet != nullptr ? ::SendMessageA(sheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage) {
    CString caption;
    caption.LoadString(captionId);
    caption_ = caption.Str();
    Construct(parent, selectPage);
}

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage)
    : caption_(caption != nullptr ? caption : "") {
    Construct(parent, selectPage);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::Construct(CWnd* parent, UINT selectPage) {
    parent_ = parent;
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = selectPage;
    m_psh.pszCaption = caption_.c_str();
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (page != nullptr) {
        pages_.push_back(page);
        m_psh.nPages = static_cast<UINT>(pages_.size());
    }
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount()) {
        return;
    }
    if (systemSheet_) {
        SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
        pages_.erase(pages_.begin() + index);
        m_psh.nPages = static_cast<UINT>(pages_.size());
        return;
    }
    CPropertyPage* page = pages_[static_cast<std::size_t>(index)];
    if (index == active_) {
        active_ = -1;
    } else if (index < active_) {
        --active_;
    }
    if (page->m_hWnd != nullptr) {
        ::DestroyWindow(page->m_hWnd);
    }
    pages_.erase(pages_.begin() + index);
    m_psh.nPages = static_cast<UINT>(pages_.size());
    if (m_hWnd != nullptr && active_ < 0 && !pages_.empty()) {
        TurnTo(std::min(index, GetPageCount() - 1), false);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page) {
    RemovePage(GetPageIndex(page));
}

int CPropertySheet::GetPageCount() const {
    return static_cast<int>(pages_.size());
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found != pages_.end() ? static_cast<int>(found - pages_.begin()) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const {
    if (systemSheet_) {
        const LRESULT page = SendMessage(PSM_GETCURRENTPAGEHWND);
        return static_cast<int>(SendMessage(PSM_HWNDTOINDEX, static_cast<WPARAM>(page)));
    }
    return m_hWnd != nullptr ? active_ : static_cast<int>(m_psh.nStartPage);
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= GetPageCount()) {
        return FALSE;
    }
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (systemSheet_) {
        return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index)) != 0 ? TRUE : FALSE;
    }
    return TurnTo(index, true) ? TRUE : FALSE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) {
    return SetActivePage(GetPageIndex(page));
}

void CPropertySheet::SetTitle(LPCSTR text, UINT style) {
    caption_ = text != nullptr ? text : "";
    m_psh.pszCaption = caption_.c_str();
    if (systemSheet_) {
        SendMessage(PSM_SETTITLEA, style, reinterpret_cast<LPARAM>(caption_.c_str()));
    } else if (m_hWnd != nullptr) {
        ::SetWindowTextA(m_hWnd, caption_.c_str());
    }
}

void CPropertySheet::SetWizardMode() {
    m_psh.dwFlags |= PSH_WIZARD;
}

BOOL CPropertySheet::IsWizard() const {
    return (m_psh.dwFlags & PSH_WIZARD) != 0 ? TRUE : FALSE;
}

void CPropertySheet::ShowButton(int id, bool show, bool enable) {
    if (const HWND button = ::GetDlgItem(m_hWnd, id)) {
        ::ShowWindow(button, show ? SW_SHOW : SW_HIDE);
        ::EnableWindow(button, enable ? TRUE : FALSE);
    }
}

void CPropertySheet::SetWizardButtons(DWORD flags) {
    wizardButtons_ = flags;
    if (systemSheet_) {
        SendMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
        return;
    }
    if (m_hWnd == nullptr || !IsWizard()) {
        return;
    }
    // Finish takes the place of Next when the page offers it.
    const bool finish = (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)) != 0;
    const bool finishAlways = (m_psh.dwFlags & PSH_WIZARDHASFINISH) != 0;
    ShowButton(ID_WIZBACK, true, (flags & PSWIZB_BACK) != 0);
    ShowButton(ID_WIZNEXT, !finish, !finish && (flags & PSWIZB_NEXT) != 0);
    ShowButton(ID_WIZFINISH, finish || finishAlways, finish ? (flags & PSWIZB_FINISH) != 0 : finishAlways);
}

void CPropertySheet::SetFinishText(LPCSTR text) {
    finishText_ = text != nullptr ? text : "";
    if (systemSheet_) {
        SendMessage(PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(finishText_.c_str()));
    } else if (m_hWnd != nullptr) {
        ::SetDlgItemTextA(m_hWnd, ID_WIZFINISH, finishText_.c_str());
        ShowButton(ID_WIZNEXT, false, false);
        ShowButton(ID_WIZFINISH, true, true);
    }
}

BOOL CPropertySheet::PressButton(int button) {
    static constexpr int kIds[] = {ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDOK, ID_APPLY_NOW, IDCANCEL, IDHELP};
    if (button < 0 || button >= static_cast<int>(std::size(kIds)) || m_hWnd == nullptr) {
        return FALSE;
    }
    if (systemSheet_) {
        SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button));
        return TRUE;
    }
    const int id = kIds[button];
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id)));
    return TRUE;
}

void CPropertySheet::EndDialog(int result) {
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, result);
    }
}

HWND CPropertySheet::MakeButton(int id, const char* text, int x, int y) {
    platform::ui::CreateParameters button;
    button.className = "Button";
    button.text = text;
    button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (id == IDOK || id == ID_WIZNEXT ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    button.rect = RECT{x, y, x + kButtonWidth, y + kButtonHeight};
    button.parent = m_hWnd;
    button.id = static_cast<UINT>(id);
    return platform::ui::CreateWindowFor(nullptr, button);
}

INT_PTR CPropertySheet::DoModal() {
    if (pages_.empty() || m_hWnd != nullptr) {
        return -1;
    }
    for (CPropertyPage* page : pages_) {
        if (page->TemplateModule() == nullptr) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return -1;
        }
    }
    HWND owner = nullptr;
    if (parent_ != nullptr && parent_->m_hWnd != nullptr) {
        owner = parent_->GetTopLevelParent()->m_hWnd;
    } else if (CWnd* main = AfxGetMainWnd()) {
        owner = main->m_hWnd;
    }
    // The owner is disabled while the sheet runs, as for a person it is.
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    active_ = -1;
    const INT_PTR result = platform::wnd::Backend().RunSheet(*this, owner);
    active_ = -1;
    systemSheet_ = false;
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    return result;
}

INT_PTR CPropertySheet::RunHeadless(HWND owner) {
    // The sheet is as large as its largest page, with room for the tabs and
    // the buttons.
    int pageWidth = 0;
    int pageHeight = 0;
    for (CPropertyPage* page : pages_) {
        const platform::DialogResource* dialog = page->FindTemplate();
        const RECT size = platform::ui::DialogUnitsToPixels(0, 0, dialog->width, dialog->height);
        pageWidth = std::max<int>(pageWidth, size.right);
        pageHeight = std::max<int>(pageHeight, size.bottom);
    }
    const int top = IsWizard() ? kMargin : kMargin + kTabHeight;
    const int width = pageWidth + 2 * kMargin;
    const int height = top + pageHeight + kMargin + kButtonHeight + kMargin;

    platform::ui::CreateParameters sheet;
    sheet.className = "#32770";
    sheet.text = caption_;
    sheet.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    sheet.rect = RECT{0, 0, width, height};
    sheet.parent = owner;
    INT_PTR result = -1;
    const HWND window = platform::ui::CreateWindowFor(this, sheet);
    if (window != nullptr) {
        platform::ui::MarkSheet(window);
        ::SendMessageA(window, WM_INITDIALOG, 0, 0);
        platform::ui::RunModal(window);
        result = platform::ui::EndResult(window).value_or(IDCANCEL);
        if (::IsWindow(window)) {
            ::DestroyWindow(window);
        }
    }
    return result;
}

BOOL CPropertySheet::OnInitDialog() {
    if (systemSheet_) {
        return TRUE;  // the system's sheet made its buttons and pages
    }
    Layout();
    const int start = std::clamp(static_cast<int>(m_psh.nStartPage), 0, GetPageCount() - 1);
    TurnTo(start, false);
    return TRUE;
}

void CPropertySheet::Layout() {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int y = client.bottom - kMargin - kButtonHeight;
    int x = client.right - kMargin - kButtonWidth;
    const auto next = [&x] {
        const int at = x;
        x -= kButtonWidth + kButtonGap;
        return at;
    };
    const bool help = (m_psh.dwFlags & PSH_HASHELP) != 0;
    if (IsWizard()) {
        if (help) {
            MakeButton(IDHELP, "Help", next(), y);
        }
        MakeButton(IDCANCEL, "Cancel", next(), y);
        const int finishAt = next();
        MakeButton(ID_WIZNEXT, "&Next >", finishAt, y);
        MakeButton(ID_WIZFINISH, finishText_.c_str(), finishAt, y);
        MakeButton(ID_WIZBACK, "< &Back", next(), y);
        SetWizardButtons(wizardButtons_);
        return;
    }
    if (help) {
        MakeButton(IDHELP, "Help", next(), y);
    }
    if ((m_psh.dwFlags & PSH_NOAPPLYNOW) == 0) {
        const HWND apply = MakeButton(ID_APPLY_NOW, "&Apply", next(), y);
        ::EnableWindow(apply, FALSE);  // until a page reports a change
    }
    MakeButton(IDCANCEL, "Cancel", next(), y);
    MakeButton(IDOK, "OK", next(), y);
}

bool CPropertySheet::MakePage(int index) {
    CPropertyPage* page = pages_[static_cast<std::size_t>(index)];
    if (page->m_hWnd != nullptr) {
        return true;
    }
    const platform::DialogResource* dialog = page->FindTemplate();
    if (dialog == nullptr) {
        return false;
    }
    page->firstSetActive_ = true;
    const HWND window = platform::ui::CreateDialogFromTemplate(*dialog, m_hWnd, page, platform::ui::DialogMode::Page);
    if (window == nullptr) {
        return false;
    }
    const int top = IsWizard() ? kMargin : kMargin + kTabHeight;
    const RECT size = platform::ui::DialogUnitsToPixels(0, 0, dialog->width, dialog->height);
    ::MoveWindow(window, kMargin, top, size.right, size.bottom, FALSE);
    return true;
}

bool CPropertySheet::TurnTo(int index, bool askLeaving) {
    if (index < 0 || index >= GetPageCount()) {
        return false;
    }
    if (index == active_) {
        return true;
    }
    const int previous = active_;
    if (askLeaving && previous >= 0 && !pages_[static_cast<std::size_t>(previous)]->OnKillActive()) {
        return false;  // the page that is left keeps the sheet on it
    }
    if (!MakePage(index)) {
        return false;
    }
    CPropertyPage* page = pages_[static_cast<std::size_t>(index)];
    if (previous >= 0) {
        ::ShowWindow(pages_[static_cast<std::size_t>(previous)]->m_hWnd, SW_HIDE);
    }
    active_ = index;
    ::ShowWindow(page->m_hWnd, SW_SHOW);
    if (!page->OnSetActive()) {
        // The page refuses to be shown: the sheet stays where it was.
        ::ShowWindow(page->m_hWnd, SW_HIDE);
        active_ = previous;
        if (previous >= 0) {
            ::ShowWindow(pages_[static_cast<std::size_t>(previous)]->m_hWnd, SW_SHOW);
        }
        return false;
    }
    return true;
}

bool CPropertySheet::ApplyAll() {
    for (int index = 0; index < GetPageCount(); ++index) {
        CPropertyPage* page = pages_[static_cast<std::size_t>(index)];
        if (page->m_hWnd != nullptr && !page->OnApply()) {
            TurnTo(index, false);
            return false;
        }
    }
    return true;
}

void CPropertySheet::Ok() {
    CPropertyPage* page = GetActivePage();
    if (page != nullptr && !page->OnKillActive()) {
        return;
    }
    if (ApplyAll()) {
        EndDialog(IDOK);
    }
}

void CPropertySheet::Cancel() {
    CPropertyPage* page = GetActivePage();
    if (page != nullptr && !page->OnQueryCancel()) {
        return;
    }
    for (CPropertyPage* each : pages_) {
        if (each->m_hWnd != nullptr) {
            each->OnReset();
        }
    }
    EndDialog(IDCANCEL);
}

void CPropertySheet::WizardStep(bool forward) {
    CPropertyPage* page = GetActivePage();
    if (page == nullptr) {
        return;
    }
    const LRESULT answer = forward ? page->OnWizardNext() : page->OnWizardBack();
    if (answer == -1) {
        return;
    }
    int target = active_ + (forward ? 1 : -1);
    if (answer != 0) {
        const auto found = std::find_if(pages_.begin(), pages_.end(), [answer](CPropertyPage* each) {
            return static_cast<LRESULT>(each->m_nIDHelp) == answer;
        });
        if (found == pages_.end()) {
            return;
        }
        target = static_cast<int>(found - pages_.begin());
    }
    TurnTo(target, true);
}

void CPropertySheet::Finish() {
    CPropertyPage* page = GetActivePage();
    if (page != nullptr && !page->OnWizardFinish()) {
        return;
    }
    EndDialog(ID_WIZFINISH);
}

std::string CPropertySheet::GetPageTitle(int index) const {
    const CPropertyPage* page = GetPage(index);
    return page != nullptr ? page->GetTitle().Str() : std::string();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    const auto control = reinterpret_cast<HWND>(lParam);
    if (!systemSheet_ && HIWORD(wParam) == BN_CLICKED &&
        (control == nullptr || platform::wnd::ParentOf(control) == m_hWnd)) {
        switch (LOWORD(wParam)) {
        case IDOK:
            Ok();
            return TRUE;
        case IDCANCEL:
            Cancel();
            return TRUE;
        case ID_APPLY_NOW:
            if (CPropertyPage* page = GetActivePage(); page == nullptr || page->OnKillActive()) {
                if (ApplyAll()) {
                    ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), FALSE);
                }
            }
            return TRUE;
        case ID_WIZNEXT:
            WizardStep(true);
            return TRUE;
        case ID_WIZBACK:
            WizardStep(false);
            return TRUE;
        case ID_WIZFINISH:
            Finish();
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (systemSheet_) {
        // The system's sheet does its own; its initialisation is followed by
        // the sheet's own, as a dialog's is.
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_INITDIALOG) {
            OnInitDialog();
        }
        return result;
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case PSM_SETWIZBUTTONS:
        SetWizardButtons(static_cast<DWORD>(lParam));
        return 0;
    case PSM_SETCURSEL:
        return TurnTo(static_cast<int>(wParam), true) ? TRUE : FALSE;
    case PSM_QUERYSIBLINGS:
        // Every page made so far, in order, until one answers.
        for (CPropertyPage* page : pages_) {
            if (page->m_hWnd != nullptr) {
                if (const LRESULT answer = ::SendMessageA(page->m_hWnd, PSM_QUERYSIBLINGS, wParam, lParam)) {
                    return answer;
                }
            }
        }
        return 0;
    case PSM_CHANGED:
        ::EnableWindow(::GetDlgItem(m_hWnd, ID_APPLY_NOW), TRUE);
        return 0;
    case PSM_UNCHANGED:
        return 0;
    case PSM_PRESSBUTTON:
        return PressButton(static_cast<int>(wParam));
    case PSM_GETCURRENTPAGEHWND: {
        CPropertyPage* page = GetActivePage();
        return reinterpret_cast<LRESULT>(page != nullptr ? page->m_hWnd : nullptr);
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
