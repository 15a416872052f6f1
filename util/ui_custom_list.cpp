#include "util/ui_custom_list.h"

#include "platform/mbstring.h"
#include "util/mbcs.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;  // 0x924
constexpr int kLabelReserve = 4;
constexpr int kCellReserve = 12;
constexpr int kLabelMargin = 2;
constexpr int kCellMargin = 6;
constexpr int kSmallestColumn = 40;
constexpr int kSingleColumnExtra = 26;

int TextWidth(CDC* dc, const char* text, std::size_t bytes) {
    return dc->GetTextExtent(text, static_cast<int>(bytes)).cx;
}

// A cell's whole text, however long.
CString CellTextOf(const CListCtrl& list, int row, int column) {
    std::vector<char> buffer(260);
    for (;;) {
        const int copied = list.GetItemText(row, column, buffer.data(), static_cast<int>(buffer.size()));
        if (copied + 1 < static_cast<int>(buffer.size())) {
            return CString(buffer.data());
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

bool SameNoCase(LPCSTR a, LPCSTR b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b)) == 0;
}

}  // namespace

int GetListColumnCount(const CListCtrl& list) {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    int count = 0;
    while (list.GetColumn(count, &column)) {
        ++count;
    }
    return count;
}

int FindListRowByText(const CListCtrl& list, LPCSTR text) {
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    const int columns = std::max(GetListColumnCount(list), 1);
    for (int row = 0; row < list.GetItemCount(); ++row) {
        CString joined;
        for (int column = 0; column < columns; ++column) {
            const CString cell = CellTextOf(list, row, column);
            joined += cell;
            if (SameNoCase(cell, text) || SameNoCase(joined, text)) {
                return row;
            }
        }
    }
    return -1;
}

IMPLEMENT_DYNAMIC(CUiCustomListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CUiCustomListCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_KILLFOCUS()
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, OnInsertItem)
END_MESSAGE_MAP()

CUiCustomListCtrl::CUiCustomListCtrl(BOOL fit) : m_fit(fit) {}

CUiCustomListCtrl& CUiCustomListCtrl::SetSelectedImageBlend(BOOL blend) {
    m_blend = blend;
    return *this;
}

CString CUiCustomListCtrl::CellText(int row, int column) const {
    // As long as the cell is: a long text is shortened by its width, not cut.
    return CellTextOf(*this, row, column);
}

CString CUiCustomListCtrl::TruncateWithEllipsis(CDC* dc, LPCSTR text, int width, int reserve) const {
    if (text == nullptr || *text == '\0' || dc == nullptr) {
        return CString(text);
    }
    const std::size_t length = std::strlen(text);
    if (TextWidth(dc, text, length) + reserve <= width) {
        return CString(text);
    }
    // Character boundaries, so a cut never splits a double-byte character.
    std::vector<std::size_t> ends;
    for (const char* c = text; *c != '\0'; c = mbcs::Next(c)) {
        ends.push_back(static_cast<std::size_t>(mbcs::Next(c) - text));
    }
    const int dots = TextWidth(dc, "...", 3);
    std::size_t kept = ends.front();  // at least the first character
    for (std::size_t count = ends.size() - 1; count >= 1; --count) {
        if (TextWidth(dc, text, ends[count - 1]) + reserve + dots <= width) {
            kept = ends[count - 1];
            break;
        }
    }
    return CString(text, static_cast<int>(kept)) + "...";
}

void CUiCustomListCtrl::DrawItem(LPDRAWITEMSTRUCT item) {
    const DWORD style = GetStyle();
    if ((style & LVS_OWNERDRAWFIXED) == 0 || (style & LVS_REPORT) == 0 || item == nullptr) {
        return;
    }
    CDC* dc = CDC::FromHandle(item->hDC);
    const int row = static_cast<int>(item->itemID);
    const COLORREF textColor = GetTextColor();
    const COLORREF textBackColor = GetTextBkColor();
    const COLORREF backColor = GetBkColor();
    const COLORREF previousText = dc->SetTextColor(textColor);
    const COLORREF previousBack = dc->SetBkColor(textBackColor);

    LVITEMA rowItem{};
    rowItem.mask = LVIF_IMAGE | LVIF_STATE;
    rowItem.iItem = row;
    rowItem.stateMask = 0xFFFF;
    GetItem(&rowItem);
    const CString label = CellText(row, 0);
    const BOOL enabled = IsWindowEnabled();
    const bool highlighted = (rowItem.state & LVIS_SELECTED) != 0 && enabled;

    CRect iconRect;
    CRect bounds;
    CRect labelRect;
    GetItemRect(row, &iconRect, LVIR_ICON);
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    GetItemRect(row, &labelRect, LVIR_LABEL);
    CRect painted = bounds;
    painted.left = labelRect.left;

    if (highlighted) {
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
        CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
        dc->FillRect(&painted, &highlight);
    } else {
        CBrush background(backColor);
        dc->FillRect(&painted, &background);
    }

    if (CImageList* images = GetImageList(LVSIL_SMALL); images != nullptr && rowItem.iImage >= 0) {
        images->Draw(dc, rowItem.iImage, iconRect.TopLeft(), highlighted && m_blend ? ILD_SELECTED : ILD_NORMAL);
    }

    CRect labelText = labelRect;
    labelText.DeflateRect(kLabelMargin, 0);
    const CString shortLabel = TruncateWithEllipsis(dc, label, labelRect.Width(), kLabelReserve);
    dc->DrawText(shortLabel, &labelText, kTextFormat);

    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    CRect cell = labelRect;
    for (int index = 1; GetColumn(index, &column); ++index) {
        cell.left = cell.right;
        cell.right = cell.left + column.cx;
        const CString text = CellText(row, index);
        if (text.IsEmpty()) {
            continue;
        }
        const CString shown = TruncateWithEllipsis(dc, text, column.cx, kCellReserve);
        UINT alignment = DT_LEFT;
        if (shown == text) {
            const int justify = column.fmt & LVCFMT_JUSTIFYMASK;
            alignment = justify == LVCFMT_RIGHT ? DT_RIGHT : justify == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
        }
        CRect textRect = cell;
        textRect.DeflateRect(kCellMargin, 0);
        dc->DrawText(shown, &textRect, kTextFormat | alignment);
    }

    if ((rowItem.state & LVIS_FOCUSED) != 0) {
        dc->SetBkColor(backColor);
        dc->DrawFocusRect(&painted);
    }
    if (enabled) {
        dc->SetTextColor(previousText);
        dc->SetBkColor(previousBack);
    }
}

void CUiCustomListCtrl::FitLastColumn() {
    const int count = GetColumnCount();
    if (count == 0) {
        return;
    }
    CRect window;
    GetWindowRect(&window);
    int others = 0;
    for (int index = 0; index + 1 < count; ++index) {
        others += GetColumnWidth(index);
    }
    if (others + GetColumnWidth(count - 1) != window.Width()) {
        // Never a negative width, however narrow the control.
        SetColumnWidth(count - 1, std::max(0, window.Width() - others - 4));
    }
}

void CUiCustomListCtrl::AutoSizeColumn(int column) {
    const int count = GetColumnCount();
    if (count == 0) {
        return;
    }
    CRect window;
    GetWindowRect(&window);
    int smallest = count == 1 ? window.Width() - 4 : kSmallestColumn;
    smallest = std::max(smallest, GetStringWidth(GetColumnHeading(column)));
    int widest = 0;
    for (int row = 0; row < GetItemCount(); ++row) {
        const int width = GetStringWidth(CellText(row, column)) + (count == 1 ? kSingleColumnExtra : 0);
        widest = std::max(widest, width);
    }
    SetColumnWidth(column, std::max(widest, smallest));
}

int CUiCustomListCtrl::GetColumnCount() const {
    return GetListColumnCount(*this);
}

CString CUiCustomListCtrl::GetColumnHeading(int column) const {
    char heading[256] = {};
    LVCOLUMNA query{};
    query.mask = LVCF_TEXT;
    query.pszText = heading;
    query.cchTextMax = sizeof(heading);
    GetColumn(column, &query);
    return heading;
}

BOOL CUiCustomListCtrl::HasSelection() const {
    return GetNextItem(-1, LVNI_SELECTED) >= 0 ? TRUE : FALSE;
}

BOOL CUiCustomListCtrl::IsItemSelected(int row) const {
    return (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0 ? TRUE : FALSE;
}

int CUiCustomListCtrl::GetSelectedItems(CIntList& rows) const {
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        rows.AddTail(row);
    }
    return static_cast<int>(rows.GetCount());
}

void CUiCustomListCtrl::GetAllItems(CIntList& rows) const {
    for (int row = 0; row < GetItemCount(); ++row) {
        rows.AddTail(row);
    }
}

int CUiCustomListCtrl::ClearItemStates(const CIntList& rows) {
    for (POSITION at = rows.GetHeadPosition(); at != nullptr;) {
        SetItemState(rows.GetNext(at), 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    return static_cast<int>(rows.GetCount());
}

BOOL CUiCustomListCtrl::FocusItem(int row) {
    if (GetItemCount() == 0) {
        return FALSE;
    }
    LVITEMA item{};
    item.mask = LVIF_STATE;
    item.iItem = row;
    item.state = LVIS_FOCUSED;
    item.stateMask = LVIS_FOCUSED;
    return SetItem(&item);
}

int CUiCustomListCtrl::FindRowByText(LPCSTR text) const {
    return FindListRowByText(*this, text);
}

void CUiCustomListCtrl::Click(CPoint point) {
    UINT flags = 0;
    HitTest(point, &flags);
    if ((flags & LVHT_NOWHERE) == 0) {
        Default();
    }
}

void CUiCustomListCtrl::OnLButtonDown(UINT, CPoint point) {
    Click(point);
}

void CUiCustomListCtrl::OnRButtonDown(UINT, CPoint point) {
    Click(point);
}

void CUiCustomListCtrl::OnLButtonDblClk(UINT, CPoint point) {
    Click(point);
}

void CUiCustomListCtrl::OnRButtonDblClk(UINT, CPoint point) {
    Click(point);
}

void CUiCustomListCtrl::OnKillFocus(CWnd* next) {
    CListCtrl::OnKillFocus(next);
}

void CUiCustomListCtrl::OnInsertItem(NMHDR*, LRESULT* result) {
    if (m_fit) {
        FitLastColumn();
    }
    *result = 0;
}
