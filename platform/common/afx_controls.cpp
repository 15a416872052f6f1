#include "platform/afx_controls.h"

#include "platform/afx_app.h"
#include "platform/resources.h"

namespace {

LPARAM Text(LPCSTR text) {
    return reinterpret_cast<LPARAM>(text);
}

}  // namespace

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

// Buttons.

BOOL CButton::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Button", text, style, rect, parent, id);
}

int CButton::GetCheck() const {
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check) {
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL highlight) {
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight));
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFFFFu;
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    SendMessage(BM_SETSTYLE, style, redraw);
}

HICON CButton::SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
}

HICON CButton::GetIcon() const {
    return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON));
}

HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CButton::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}

// Edit controls.

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Edit", nullptr, style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll) {
        SendMessage(EM_SCROLLCARET);
    }
}

void CEdit::SetSel(DWORD selection, BOOL noScroll) {
    SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::ReplaceSel(LPCSTR text, BOOL canUndo) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), Text(text));
}

void CEdit::LimitText(int count) {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(count));
}

void CEdit::SetLimitText(UINT count) {
    SendMessage(EM_SETLIMITTEXT, count);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL modified) {
    SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified));
}

// Static controls.

BOOL CStatic::Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Static", text, style, rect, parent, id);
}

HICON CStatic::SetIcon(HICON icon) {
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}

HICON CStatic::GetIcon() const {
    return reinterpret_cast<HICON>(SendMessage(STM_GETICON));
}

HBITMAP CStatic::SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
}

HBITMAP CStatic::GetBitmap() const {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

// Combo boxes and list boxes alike.

template <const StringItemMessages& kMessages>
BOOL CStringItemsCtrl<kMessages>::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(kMessages.windowClass, nullptr, style, rect, parent, id);
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::ItemText(int index, LPSTR buffer) const {
    return static_cast<int>(SendMessage(kMessages.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

template <const StringItemMessages& kMessages>
void CStringItemsCtrl<kMessages>::ItemText(int index, CString& text) const {
    static_assert(CB_ERR == LB_ERR, "both controls answer an item they do not have alike");
    const int length = ItemTextLen(index);
    if (length == CB_ERR) {
        text.Empty();
        return;
    }
    ItemText(index, text.GetBufferSetLength(length));
    text.ReleaseBuffer();
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::ItemTextLen(int index) const {
    return static_cast<int>(SendMessage(kMessages.getTextLen, static_cast<WPARAM>(index)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::AddString(LPCSTR text) {
    return static_cast<int>(SendMessage(kMessages.addString, 0, Text(text)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::InsertString(int index, LPCSTR text) {
    return static_cast<int>(SendMessage(kMessages.insertString, static_cast<WPARAM>(index), Text(text)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::DeleteString(UINT index) {
    return static_cast<int>(SendMessage(kMessages.deleteString, index));
}

template <const StringItemMessages& kMessages>
void CStringItemsCtrl<kMessages>::ResetContent() {
    SendMessage(kMessages.resetContent);
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::GetCount() const {
    return static_cast<int>(SendMessage(kMessages.getCount));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::GetCurSel() const {
    return static_cast<int>(SendMessage(kMessages.getCurSel));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::SetCurSel(int index) {
    return static_cast<int>(SendMessage(kMessages.setCurSel, static_cast<WPARAM>(index)));
}

template <const StringItemMessages& kMessages>
DWORD_PTR CStringItemsCtrl<kMessages>::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(kMessages.getItemData, static_cast<WPARAM>(index)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(kMessages.setItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::FindString(int start, LPCSTR text) const {
    return static_cast<int>(SendMessage(kMessages.findString, static_cast<WPARAM>(start), Text(text)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::FindStringExact(int start, LPCSTR text) const {
    return static_cast<int>(SendMessage(kMessages.findStringExact, static_cast<WPARAM>(start), Text(text)));
}

template <const StringItemMessages& kMessages>
int CStringItemsCtrl<kMessages>::SelectString(int start, LPCSTR text) {
    return static_cast<int>(SendMessage(kMessages.selectString, static_cast<WPARAM>(start), Text(text)));
}

template class CStringItemsCtrl<kComboBoxItemMessages>;
template class CStringItemsCtrl<kListBoxItemMessages>;

// Combo boxes.

DWORD CComboBox::GetEditSel() const {
    return static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
}

BOOL CComboBox::SetEditSel(int start, int end) {
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)));
}

BOOL CComboBox::LimitText(int count) {
    return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(count)));
}

// List boxes.

int CListBox::GetSel(int index) const {
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
}

int CListBox::SetSel(int index, BOOL select) {
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index));
}

int CListBox::GetSelCount() const {
    return static_cast<int>(SendMessage(LB_GETSELCOUNT));
}

int CListBox::GetSelItems(int maximum, LPINT items) const {
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maximum), reinterpret_cast<LPARAM>(items)));
}

int CListBox::GetCaretIndex() const {
    return static_cast<int>(SendMessage(LB_GETCARETINDEX));
}

int CListBox::SetCaretIndex(int index, BOOL scroll) {
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll));
}

// List controls.

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysListView32", nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
    LVCOLUMNA added{};
    added.mask = LVCF_TEXT | LVCF_FMT;
    added.pszText = const_cast<LPSTR>(heading);
    added.fmt = format;
    if (width != -1) {
        added.mask |= LVCF_WIDTH;
        added.cx = width;
    }
    if (subItem != -1) {
        added.mask |= LVCF_SUBITEM;
        added.iSubItem = subItem;
    }
    return InsertColumn(column, &added);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMNA* column_) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(column_)));
}

BOOL CListCtrl::DeleteColumn(int column) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMNA* column_) const {
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(column_)));
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMNA* column_) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(column_)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int CListCtrl::InsertItem(int item, LPCSTR text) {
    LVITEMA added{};
    added.mask = LVIF_TEXT;
    added.iItem = item;
    added.pszText = const_cast<LPSTR>(text);
    return InsertItem(&added);
}

int CListCtrl::InsertItem(int item, LPCSTR text, int image) {
    LVITEMA added{};
    added.mask = LVIF_TEXT | LVIF_IMAGE;
    added.iItem = item;
    added.pszText = const_cast<LPSTR>(text);
    added.iImage = image;
    return InsertItem(&added);
}

int CListCtrl::InsertItem(const LVITEMA* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::GetItem(LVITEMA* item) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CListCtrl::SetItem(const LVITEMA* item) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::GetItemText(int item, int subItem, LPSTR buffer, int size) const {
    LVITEMA query{};
    query.iSubItem = subItem;
    query.pszText = buffer;
    query.cchTextMax = size;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&query)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    char buffer[1024] = {};
    GetItemText(item, subItem, buffer, sizeof(buffer));
    return buffer;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCSTR text) {
    LVITEMA change{};
    change.iSubItem = subItem;
    change.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEMA query{};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    return GetItem(&query) ? static_cast<DWORD_PTR>(query.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    LVITEMA change{};
    change.mask = LVIF_PARAM;
    change.iItem = item;
    change.lParam = static_cast<LPARAM>(data);
    return SetItem(&change);
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMA change{};
    change.state = state;
    change.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change)));
}

int CListCtrl::GetNextItem(int item, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), flags));
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT));
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
    if (rect == nullptr) {
        return FALSE;
    }
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int item = HitTest(&hit);
    if (flags != nullptr) {
        *flags = hit.flags;
    }
    return item;
}

int CListCtrl::HitTest(LVHITTESTINFO* hit) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(hit)));
}

int CListCtrl::GetStringWidth(LPCSTR text) const {
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHA, 0, Text(text)));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int type) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(type),
                    reinterpret_cast<LPARAM>(list != nullptr ? list->m_hImageList : nullptr))));
}

CImageList* CListCtrl::GetImageList(int type) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(type))));
}

COLORREF CListCtrl::GetTextColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR));
}

BOOL CListCtrl::SetTextColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetTextBkColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR));
}

BOOL CListCtrl::SetTextBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetBkColor() const {
    return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
}

BOOL CListCtrl::SetBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOk) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) {
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

// Tree controls.

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysTreeView32", nullptr, style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(text);
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCTA* insert) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(insert)));
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::DeleteAllItems() {
    return DeleteItem(TVI_ROOT);
}

UINT CTreeCtrl::GetCount() const {
    return static_cast<UINT>(SendMessage(TVM_GETCOUNT));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM CTreeCtrl::GetRootItem() const {
    return GetNextItem(nullptr, TVGN_ROOT);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const {
    return GetNextItem(item, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const {
    return GetNextItem(nullptr, TVGN_CARET);
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::GetItem(TVITEMA* item) const {
    return static_cast<BOOL>(SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrl::SetItem(TVITEMA* item) {
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
    char buffer[1024] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof(buffer);
    return GetItem(&query) ? CString(buffer) : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
    TVITEMA change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = const_cast<LPSTR>(text);
    return SetItem(&change);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    return GetItem(&query) ? static_cast<DWORD_PTR>(query.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
    TVITEMA change{};
    change.mask = TVIF_PARAM;
    change.hItem = item;
    change.lParam = static_cast<LPARAM>(data);
    return SetItem(&change);
}

// Spin controls.

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_updown32", nullptr, style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(short lower, short upper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    const auto range = static_cast<DWORD>(SendMessage(UDM_GETRANGE));
    lower = static_cast<short>(HIWORD(range));
    upper = static_cast<short>(LOWORD(range));
}

int CSpinButtonCtrl::SetPos(int position) {
    return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(position, 0))));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<short>(LOWORD(SendMessage(UDM_GETPOS)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
    return FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy != nullptr ? buddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

// Progress bars.

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_progress32", nullptr, style, rect, parent, id);
}

void CProgressCtrl::SetRange(short lower, short upper) {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

void CProgressCtrl::SetRange32(int lower, int upper) {
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const {
    PBRANGE range{};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int CProgressCtrl::SetPos(int position) {
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)));
}

int CProgressCtrl::GetPos() const {
    return static_cast<int>(SendMessage(PBM_GETPOS));
}

int CProgressCtrl::OffsetPos(int delta) {
    return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
}

int CProgressCtrl::SetStep(int step) {
    return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
}

int CProgressCtrl::StepIt() {
    return static_cast<int>(SendMessage(PBM_STEPIT));
}

// Animation controls.

BOOL CAnimateCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysAnimate32", nullptr, style, rect, parent, id);
}

BOOL CAnimateCtrl::Open(UINT id) {
    const HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_ANIMATION);
    return static_cast<BOOL>(
        SendMessage(ACM_OPENA, reinterpret_cast<WPARAM>(module), reinterpret_cast<LPARAM>(MAKEINTRESOURCE(id))));
}

BOOL CAnimateCtrl::Play(UINT from, UINT to, UINT repeat) {
    return static_cast<BOOL>(SendMessage(ACM_PLAY, static_cast<WPARAM>(static_cast<int>(repeat)), MAKELPARAM(from, to)));
}

BOOL CAnimateCtrl::Stop() {
    return static_cast<BOOL>(SendMessage(ACM_STOP));
}

BOOL CAnimateCtrl::Close() {
    return static_cast<BOOL>(SendMessage(ACM_OPENA, 0, 0));
}

BOOL CAnimateCtrl::IsPlaying() const {
    return static_cast<BOOL>(SendMessage(ACM_ISPLAYING));
}
