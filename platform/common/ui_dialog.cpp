#include "platform/ui_dialog.h"

#include "platform/afx_propsheet.h"
#include "platform/common/window_backend.h"
#include "platform/common_controls.h"

#include <cstdio>
#include <vector>

namespace platform {
namespace {

// The key of a character without a key of its own (VK_OEM_*).
constexpr WPARAM kOtherKey = 0xDF;
// A key's release: repeat count 1, previously down, being released.
constexpr LPARAM kKeyUpFlags = static_cast<LPARAM>(0xC0000001u);

using wnd::ControlKind;
using wnd::KindOf;

DWORD StyleOf(HWND control) {
    return static_cast<DWORD>(::GetWindowLongA(control, GWL_STYLE));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(window, message, wParam, lParam);
}

UINT ButtonType(HWND control) {
    return StyleOf(control) & BS_TYPEMASK;
}

// Visible with every ancestor, and neither disabled nor below a disabled
// window: what a person can reach.
bool IsVisibleOnScreen(HWND control) {
    return ::IsWindowVisible(control) != FALSE;
}

bool IsReachable(HWND control) {
    if (::IsWindow(control) == FALSE) {
        return false;
    }
    for (HWND current = control; current != nullptr; current = wnd::ParentOf(current)) {
        if (::IsWindowEnabled(current) == FALSE) {
            return false;
        }
    }
    return true;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    if (window != nullptr) {
        wnd::ForEachChild(window, [&children](HWND child) { children.push_back(child); });
    }
    return children;
}

// A direct child with the id.
HWND ChildById(HWND parent, int id) {
    for (HWND child : ChildrenOf(parent)) {
        if (::GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

bool IsCheckBox(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadio(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::string KindName(HWND control) {
    switch (KindOf(control)) {
    case ControlKind::Button: {
        const UINT type = ButtonType(control);
        if (IsCheckBox(type)) {
            return "check box";
        }
        if (IsRadio(type)) {
            return "radio button";
        }
        return type == BS_GROUPBOX ? "group box" : "button";
    }
    case ControlKind::Edit:
        return "edit";
    case ControlKind::Static:
        return "static";
    case ControlKind::ComboBox:
        return "combo box";
    case ControlKind::ListBox:
        return "list box";
    case ControlKind::ListView:
        return "list control";
    case ControlKind::TreeView:
        return "tree control";
    case ControlKind::UpDown:
        return "spin";
    case ControlKind::Progress:
        return "progress";
    case ControlKind::Animate:
        return "animation";
    case ControlKind::StatusBar:
        return "status bar";
    default:
        return "window";
    }
}

std::string WindowText(HWND window) {
    const int length = static_cast<int>(Send(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const auto length = Send(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    Send(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> ListItems(HWND control) {
    std::vector<std::string> items;
    switch (KindOf(control)) {
    case ControlKind::ComboBox: {
        const auto count = Send(control, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            items.push_back(ItemText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
        }
        break;
    }
    case ControlKind::ListBox: {
        const auto count = Send(control, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            items.push_back(ItemText(control, LB_GETTEXTLEN, LB_GETTEXT, i));
        }
        break;
    }
    case ControlKind::ListView: {
        const auto rows = Send(control, LVM_GETITEMCOUNT, 0, 0);
        int columns = 0;
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        while (Send(control, LVM_GETCOLUMNA, static_cast<WPARAM>(columns), reinterpret_cast<LPARAM>(&column)) !=
               FALSE) {
            ++columns;
        }
        for (int row = 0; row < rows; ++row) {
            std::string joined;
            for (int cell = 0; cell < std::max(columns, 1); ++cell) {
                char buffer[1024] = {};
                LVITEMA item{};
                item.iSubItem = cell;
                item.pszText = buffer;
                item.cchTextMax = sizeof(buffer);
                Send(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
                joined += (cell > 0 ? "|" : "") + std::string(buffer);
            }
            items.push_back(joined);
        }
        break;
    }
    default:
        break;
    }
    return items;
}

ControlView ViewOf(HWND control) {
    ControlView view;
    view.id = static_cast<int>(::GetDlgCtrlID(control));
    view.kind = KindName(control);
    view.text = WindowText(control);
    view.style = StyleOf(control);
    view.enabled = (view.style & WS_DISABLED) == 0;
    view.visible = (view.style & WS_VISIBLE) != 0;
    view.items = ListItems(control);
    switch (KindOf(control)) {
    case ControlKind::Button:
        view.check = static_cast<int>(Send(control, BM_GETCHECK, 0, 0));
        break;
    case ControlKind::ComboBox:
        view.selection = static_cast<int>(Send(control, CB_GETCURSEL, 0, 0));
        break;
    case ControlKind::ListBox:
        if ((view.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0) {
            for (int i = 0; i < static_cast<int>(view.items.size()); ++i) {
                if (Send(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) {
                    view.selections.push_back(i);
                }
            }
            view.selection = view.selections.empty() ? -1 : view.selections.front();
        } else {
            view.selection = static_cast<int>(Send(control, LB_GETCURSEL, 0, 0));
        }
        break;
    case ControlKind::ListView:
        for (int row = -1; (row = static_cast<int>(Send(control, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                              LVNI_SELECTED))) >= 0;) {
            view.selections.push_back(row);
        }
        view.selection = view.selections.empty() ? -1 : view.selections.front();
        break;
    default:
        break;
    }
    return view;
}

CPropertySheet* SheetOf(HWND window) {
    return dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(window));
}

HWND ActivePageWindow(HWND sheet) {
    return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string Numbered(const char* format, int id) {
    char text[160];
    std::snprintf(text, sizeof(text), format, id);
    return text;
}

// The key a person presses for a typed character: a letter's or digit's own
// key, space, backspace and Enter; any other character comes from a key the
// keyboard layout decides, which nothing here tells apart.
WPARAM KeyOfCharacter(char character) {
    const auto byte = static_cast<unsigned char>(character);
    if (byte >= 'a' && byte <= 'z') {
        return byte - 'a' + 'A';
    }
    if ((byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == ' ' || byte == VK_BACK ||
        byte == VK_RETURN) {
        return byte;
    }
    return kOtherKey;
}

void ClickPoint(HWND control) {
    wnd::Backend().PointAt(control);
}

}  // namespace

bool UiDialog::IsOpen() const {
    return !wnd::Backend().HasEnded(dialog_);
}

bool UiDialog::IsSheet() const {
    return wnd::Backend().IsSheet(dialog_);
}

UINT UiDialog::TemplateId() const {
    return wnd::Backend().TemplateId(IsSheet() ? ActivePageWindow(dialog_) : dialog_);
}

std::string UiDialog::Caption() const {
    return WindowText(dialog_);
}

std::optional<INT_PTR> UiDialog::Result() const {
    return wnd::Backend().EndResult(dialog_);
}

DialogView UiDialog::View() const {
    DialogView view;
    view.templateId = TemplateId();
    view.caption = Caption();
    view.sheet = IsSheet();
    std::vector<HWND> controls;
    if (view.sheet) {
        if (CPropertySheet* sheet = SheetOf(dialog_)) {
            view.activePage = sheet->GetActiveIndex();
            for (int i = 0; i < sheet->GetPageCount(); ++i) {
                view.pages.push_back(sheet->GetPageTitle(i));
            }
        }
        controls = ChildrenOf(ActivePageWindow(dialog_));
        for (HWND child : ChildrenOf(dialog_)) {
            if (KindOf(child) != ControlKind::Dialog) {
                controls.push_back(child);
            }
        }
    } else {
        controls = ChildrenOf(dialog_);
    }
    for (HWND control : controls) {
        view.controls.push_back(ViewOf(control));
    }
    view.result = Result();
    return view;
}

HWND UiDialog::Control(int id) const {
    if (IsSheet()) {
        if (const HWND onPage = ChildById(ActivePageWindow(dialog_), id)) {
            return onPage;
        }
    }
    return ChildById(dialog_, id);
}

std::string UiDialog::Text(int id) const {
    const HWND control = Control(id);
    return control != nullptr ? WindowText(control) : std::string();
}

int UiDialog::CheckState(int id) const {
    const HWND control = Control(id);
    return control != nullptr ? static_cast<int>(Send(control, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

bool UiDialog::IsEnabled(int id) const {
    const HWND control = Control(id);
    return control != nullptr && IsReachable(control);
}

bool UiDialog::IsVisible(int id) const {
    const HWND control = Control(id);
    return control != nullptr && IsVisibleOnScreen(control);
}

bool UiDialog::Fail(std::string why) {
    failure_ = std::move(why);
    return false;
}

HWND UiDialog::Usable(int id) {
    if (!IsOpen()) {
        Fail("the dialog has closed");
        return nullptr;
    }
    const HWND control = Control(id);
    if (control == nullptr) {
        Fail(Numbered("there is no control %d", id));
        return nullptr;
    }
    if (!IsVisibleOnScreen(control)) {
        Fail(Numbered("control %d is hidden", id));
        return nullptr;
    }
    if (!IsReachable(control)) {
        Fail(Numbered("control %d is disabled", id));
        return nullptr;
    }
    return control;
}

bool UiDialog::SetText(int id, const std::string& text) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    switch (KindOf(control)) {
    case ControlKind::Edit:
        if ((StyleOf(control) & ES_READONLY) != 0) {
            return Fail(Numbered("edit control %d is read-only", id));
        }
        ClickPoint(control);
        ::SetFocus(control);
        Send(control, EM_SETSEL, 0, -1);
        Send(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        break;
    case ControlKind::ComboBox:
        ClickPoint(control);
        if (!wnd::Backend().ReplaceComboText(control, text)) {
            return Fail(Numbered("combo box %d is a drop-down list: choose an item", id));
        }
        break;
    default:
        return Fail(Numbered("control %d takes no typing", id));
    }
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Type(int id, const std::string& text) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    const ControlKind kind = KindOf(control);
    if (kind != ControlKind::Edit && kind != ControlKind::ComboBox) {
        return Fail(Numbered("control %d takes no typing", id));
    }
    ::SetFocus(control);
    for (const char character : text) {
        // Each key goes down, gives its character and comes up, so that
        // handlers of the key's release see the text it typed.
        const WPARAM key = KeyOfCharacter(character);
        Send(control, WM_KEYDOWN, key, 1);
        Send(control, WM_CHAR, static_cast<unsigned char>(character), 1);
        Send(control, WM_KEYUP, key, kKeyUpFlags);
        ProcessWaitingMessages();
    }
    return true;
}

bool UiDialog::Check(int id, bool checked) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    if (KindOf(control) != ControlKind::Button || !IsCheckBox(ButtonType(control))) {
        return Fail(Numbered("control %d is not a check box", id));
    }
    if ((Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked) {
        return true;
    }
    return Click(id);
}

bool UiDialog::Pick(int id) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    if (KindOf(control) != ControlKind::Button || !IsRadio(ButtonType(control))) {
        return Fail(Numbered("control %d is not a radio button", id));
    }
    return Click(id);
}

bool UiDialog::Click(int id) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    ClickPoint(control);
    if (KindOf(control) == ControlKind::Button) {
        Send(control, BM_CLICK, 0, 0);
    } else {
        RECT rect{};
        GetClientRect(control, &rect);
        const LPARAM centre = MAKELPARAM(rect.right / 2, rect.bottom / 2);
        Send(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        Send(control, WM_LBUTTONUP, 0, centre);
    }
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Select(int id, const std::string& item) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    const std::vector<std::string> items = ListItems(control);
    for (int index = 0; index < static_cast<int>(items.size()); ++index) {
        const std::string& text = items[static_cast<std::size_t>(index)];
        const bool firstCell = KindOf(control) == ControlKind::ListView && text.rfind(item + "|", 0) == 0;
        if (text == item || firstCell) {
            return SelectIndex(id, index);
        }
    }
    if (KindOf(control) != ControlKind::ComboBox && KindOf(control) != ControlKind::ListBox &&
        KindOf(control) != ControlKind::ListView) {
        return Fail(Numbered("control %d has no items to choose from", id));
    }
    return Fail(Numbered("control %d has no item \"", id) + item + "\"");
}

bool UiDialog::SelectIndex(int id, int index) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    ClickPoint(control);
    bool done = false;
    switch (KindOf(control)) {
    case ControlKind::ComboBox:
        done = wnd::Backend().SelectComboItem(control, index);
        break;
    case ControlKind::ListBox:
        done = wnd::Backend().ClickListBoxItem(control, index);
        break;
    case ControlKind::ListView:
        done = wnd::Backend().SelectListRow(control, index);
        break;
    default:
        return Fail(Numbered("control %d has no items to choose from", id));
    }
    if (!done) {
        return Fail(Numbered("control %d has no item at that index", id));
    }
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Focus(int id) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    ::SetFocus(control);
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Help(int id) {
    const HWND control = Usable(id);
    if (control == nullptr) {
        return false;
    }
    ::SetFocus(control);
    HELPINFO help{};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = id;
    help.hItemHandle = control;
    help.MousePos = wnd::Backend().CursorPosition();
    Send(control, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::ClickButton(int id, const char* name) {
    if (Control(id) == nullptr) {
        return Fail(std::string("there is no ") + name + " button");
    }
    return Click(id);
}

bool UiDialog::PressOk() {
    return Control(IDOK) != nullptr ? ClickButton(IDOK, "OK") : PressEnter();
}

bool UiDialog::PressCancel() {
    return Control(IDCANCEL) != nullptr ? ClickButton(IDCANCEL, "Cancel") : PressEscape();
}

bool UiDialog::PressEscape() {
    if (!IsOpen()) {
        return Fail("the dialog has closed");
    }
    Send(dialog_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
             reinterpret_cast<LPARAM>(ChildById(dialog_, IDCANCEL)));
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::PressEnter() {
    if (!IsOpen()) {
        return Fail("the dialog has closed");
    }
    const auto defaultId = Send(dialog_, DM_GETDEFID, 0, 0);
    const int id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    const HWND button = Control(id);
    if (button != nullptr && !IsReachable(button)) {
        MessageBeep(0);
        return Fail(Numbered("the default button %d is disabled", id));
    }
    Send(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Close() {
    if (!IsOpen()) {
        return Fail("the dialog has closed");
    }
    Send(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ProcessWaitingMessages();
    return true;
}

bool UiDialog::Next() {
    return ClickButton(ID_WIZNEXT, "Next");
}

bool UiDialog::Back() {
    return ClickButton(ID_WIZBACK, "Back");
}

bool UiDialog::Finish() {
    return ClickButton(ID_WIZFINISH, "Finish");
}

bool UiDialog::Apply() {
    return ClickButton(ID_APPLY_NOW, "Apply");
}

bool UiDialog::SelectPage(int index) {
    CPropertySheet* sheet = SheetOf(dialog_);
    if (sheet == nullptr || !IsOpen()) {
        return Fail("not an open property sheet");
    }
    if (index < 0 || index >= sheet->GetPageCount()) {
        return Fail(Numbered("the sheet has no page %d", index));
    }
    if (!sheet->SetActivePage(index)) {
        return Fail(Numbered("the sheet refused to turn to page %d", index));
    }
    ProcessWaitingMessages();
    return true;
}

int UiDialog::ActivePage() const {
    CPropertySheet* sheet = SheetOf(dialog_);
    return sheet != nullptr ? sheet->GetActiveIndex() : -1;
}

int UiDialog::PageCount() const {
    CPropertySheet* sheet = SheetOf(dialog_);
    return sheet != nullptr ? sheet->GetPageCount() : 0;
}

void UiDialog::ForceEnd(INT_PTR result) {
    if (!wnd::Backend().HasEnded(dialog_)) {
        ::EndDialog(dialog_, result);
    }
}

}  // namespace platform
