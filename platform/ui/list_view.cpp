// List controls: columns, rows with their cells, images, states and data,
// and the layout that hit tests and owner drawing use. The layout is
// deterministic: in report view a 20-pixel header, then rows of 16 pixels.
#include "platform/common_controls.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace platform::ui {
namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 16;
constexpr int kIconWidth = 16;

struct Column {
    int format = LVCFMT_LEFT;
    int width = 0;
    std::string text;
};

struct Row {
    std::vector<std::string> cells;  // by sub-item
    int image = -1;                  // none until one is given
    UINT state = 0;
    LPARAM param = 0;

    std::string& Cell(int subItem) {
        if (cells.size() <= static_cast<std::size_t>(subItem)) {
            cells.resize(static_cast<std::size_t>(subItem) + 1);
        }
        return cells[static_cast<std::size_t>(subItem)];
    }
    std::string CellText(int subItem) const {
        return static_cast<std::size_t>(subItem) < cells.size() ? cells[static_cast<std::size_t>(subItem)] : "";
    }
};

struct ListViewState : ControlState {
    std::vector<Column> columns;
    std::vector<Row> rows;
    HIMAGELIST images[3] = {};
    COLORREF textColor = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF textBackColor = GetSysColor(COLOR_WINDOW);
    COLORREF backColor = GetSysColor(COLOR_WINDOW);
    DWORD extendedStyle = 0;

    bool Valid(int row) const { return row >= 0 && row < static_cast<int>(rows.size()); }
    Row& At(int row) { return rows[static_cast<std::size_t>(row)]; }
};

bool IsReport(HWND window) {
    return (StyleOf(window) & LVS_TYPEMASK) == LVS_REPORT;
}

int RowsTop(HWND window) {
    return IsReport(window) && (StyleOf(window) & LVS_NOCOLUMNHEADER) == 0 ? kHeaderHeight : 0;
}

int RowsWidth(HWND window, const ListViewState& state) {
    if (IsReport(window) && !state.columns.empty()) {
        return std::accumulate(state.columns.begin(), state.columns.end(), 0,
                               [](int sum, const Column& column) { return sum + column.width; });
    }
    const RECT rect = RectOf(window);
    return rect.right - rect.left;
}

RECT RowRect(HWND window, const ListViewState& state, int row, int part) {
    const int top = RowsTop(window) + row * kRowHeight;
    RECT rect{0, top, RowsWidth(window, state), top + kRowHeight};
    const int iconRight = state.images[LVSIL_SMALL] != nullptr ? kIconWidth : 0;
    if (part == LVIR_ICON) {
        rect.right = iconRight;
    } else if (part == LVIR_LABEL) {
        rect.left = iconRight;
        if (IsReport(window) && !state.columns.empty()) {
            rect.right = state.columns.front().width;
        }
    }
    return rect;
}

void CopyOut(const std::string& text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

// Sets a row's state bits; one row at most is focused, and with single
// selection one at most selected.
void SetRowState(HWND window, ListViewState& state, int row, UINT bits, UINT mask) {
    const UINT added = bits & mask;
    if ((added & LVIS_FOCUSED) != 0) {
        for (Row& other : state.rows) {
            other.state &= ~LVIS_FOCUSED;
        }
    }
    if ((added & LVIS_SELECTED) != 0 && (StyleOf(window) & LVS_SINGLESEL) != 0) {
        for (Row& other : state.rows) {
            other.state &= ~LVIS_SELECTED;
        }
    }
    Row& target = state.At(row);
    target.state = (target.state & ~mask) | added;
}

bool SetItem(HWND window, ListViewState& state, int row, const LVITEMA& item) {
    if (!state.Valid(row) || item.iSubItem < 0) {
        return false;
    }
    Row& target = state.At(row);
    if ((item.mask & LVIF_TEXT) != 0) {
        target.Cell(item.iSubItem) = item.pszText != nullptr ? item.pszText : "";
    }
    if (item.iSubItem == 0) {
        if ((item.mask & LVIF_IMAGE) != 0) {
            target.image = item.iImage;
        }
        if ((item.mask & LVIF_PARAM) != 0) {
            target.param = item.lParam;
        }
        if ((item.mask & LVIF_STATE) != 0) {
            SetRowState(window, state, row, item.state, item.stateMask);
        }
    }
    return true;
}

bool GetItem(ListViewState& state, LVITEMA& item) {
    if (!state.Valid(item.iItem) || item.iSubItem < 0) {
        return false;
    }
    const Row& row = state.At(item.iItem);
    if ((item.mask & LVIF_TEXT) != 0) {
        CopyOut(row.CellText(item.iSubItem), item.pszText, item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0) {
        item.iImage = row.image;
    }
    if ((item.mask & LVIF_PARAM) != 0) {
        item.lParam = row.param;
    }
    if ((item.mask & LVIF_STATE) != 0) {
        item.state = row.state & item.stateMask;
    }
    return true;
}

int AutoWidth(const ListViewState& state, int column, bool withHeader) {
    int width = 0;
    for (const Row& row : state.rows) {
        width = std::max(width, static_cast<int>(row.CellText(column).size()) * kCharWidth + 12);
    }
    if (withHeader) {
        width = std::max(width, static_cast<int>(state.columns[static_cast<std::size_t>(column)].text.size()) *
                                        kCharWidth + 12);
    }
    return width;
}

// A click: the row under the point becomes the only selected one and gets
// the focus; a click where there is no row clears the selection.
void Clicked(HWND window, ListViewState& state, LPARAM point) {
    SetFocusTo(window);
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    const int row = y >= RowsTop(window) ? (y - RowsTop(window)) / kRowHeight : -1;
    for (Row& each : state.rows) {
        each.state &= ~LVIS_SELECTED;
    }
    if (state.Valid(row) && x >= 0 && x < RowsWidth(window, state)) {
        SetRowState(window, state, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

// Owner drawing: the parent draws each row (WM_DRAWITEM) on the given
// device context.
void Paint(HWND window, ListViewState& state, HDC dc) {
    if (!IsReport(window) || (StyleOf(window) & LVS_OWNERDRAWFIXED) == 0) {
        return;
    }
    const HWND parent = ParentOf(window);
    for (int row = 0; row < static_cast<int>(state.rows.size()); ++row) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTVIEW;
        item.CtlID = IdOf(window);
        item.itemID = static_cast<UINT>(row);
        item.itemAction = ODA_DRAWENTIRE;
        const UINT rowState = state.At(row).state;
        item.itemState = ((rowState & LVIS_SELECTED) != 0 ? ODS_SELECTED : 0u) |
                         ((rowState & LVIS_FOCUSED) != 0 ? ODS_FOCUS : 0u);
        item.hwndItem = window;
        item.hDC = dc;
        item.rcItem = RowRect(window, state, row, LVIR_BOUNDS);
        item.itemData = static_cast<ULONG_PTR>(state.At(row).param);
        Send(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

std::unique_ptr<ControlState> MakeListViewState(HWND, const CreateParameters&) {
    return std::make_unique<ListViewState>();
}

LRESULT ListViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto held = HoldState<ListViewState>(window);
    if (!held) {
        return DefaultProcedure(window, message, wParam, lParam);
    }
    ListViewState& state = *held;
    const int index = static_cast<int>(wParam);
    switch (message) {
    case LVM_INSERTCOLUMNA: {
        const auto* column = reinterpret_cast<const LVCOLUMNA*>(lParam);
        if (column == nullptr || index < 0) {
            return -1;
        }
        Column added;
        if ((column->mask & LVCF_FMT) != 0) {
            added.format = column->fmt;
        }
        if ((column->mask & LVCF_WIDTH) != 0) {
            added.width = column->cx;
        }
        if ((column->mask & LVCF_TEXT) != 0 && column->pszText != nullptr) {
            added.text = column->pszText;
        }
        const int at = std::min(index, static_cast<int>(state.columns.size()));
        state.columns.insert(state.columns.begin() + at, added);
        return at;
    }
    case LVM_DELETECOLUMN:
        if (index < 0 || index >= static_cast<int>(state.columns.size())) {
            return FALSE;
        }
        state.columns.erase(state.columns.begin() + index);
        for (Row& row : state.rows) {
            if (static_cast<std::size_t>(index) < row.cells.size()) {
                row.cells.erase(row.cells.begin() + index);
            }
        }
        return TRUE;
    case LVM_GETCOLUMNA:
    case LVM_SETCOLUMNA: {
        auto* column = reinterpret_cast<LVCOLUMNA*>(lParam);
        if (column == nullptr || index < 0 || index >= static_cast<int>(state.columns.size())) {
            return FALSE;
        }
        Column& target = state.columns[static_cast<std::size_t>(index)];
        if (message == LVM_SETCOLUMNA) {
            if ((column->mask & LVCF_FMT) != 0) {
                target.format = column->fmt;
            }
            if ((column->mask & LVCF_WIDTH) != 0) {
                target.width = column->cx;
            }
            if ((column->mask & LVCF_TEXT) != 0) {
                target.text = column->pszText != nullptr ? column->pszText : "";
            }
            return TRUE;
        }
        if ((column->mask & LVCF_FMT) != 0) {
            column->fmt = target.format;
        }
        if ((column->mask & LVCF_WIDTH) != 0) {
            column->cx = target.width;
        }
        if ((column->mask & LVCF_TEXT) != 0) {
            CopyOut(target.text, column->pszText, column->cchTextMax);
        }
        if ((column->mask & LVCF_SUBITEM) != 0) {
            column->iSubItem = index;
        }
        return TRUE;
    }
    case LVM_GETCOLUMNWIDTH:
        return index >= 0 && index < static_cast<int>(state.columns.size())
                   ? state.columns[static_cast<std::size_t>(index)].width
                   : 0;
    case LVM_SETCOLUMNWIDTH: {
        if (index < 0 || index >= static_cast<int>(state.columns.size())) {
            return FALSE;
        }
        const int width = static_cast<short>(LOWORD(lParam));
        int& target = state.columns[static_cast<std::size_t>(index)].width;
        if (width == LVSCW_AUTOSIZE) {
            target = AutoWidth(state, index, false);
        } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
            target = AutoWidth(state, index, true);
        } else {
            target = width;
        }
        return TRUE;
    }
    case LVM_INSERTITEMA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        if (item == nullptr || item->iSubItem != 0 || item->iItem < 0) {
            return -1;
        }
        const int at = std::min(item->iItem, static_cast<int>(state.rows.size()));
        state.rows.insert(state.rows.begin() + at, Row{});
        SetItem(window, state, at, *item);
        NMLISTVIEW notification{};
        notification.iItem = at;
        notification.iSubItem = -1;
        NotifyParent(window, LVN_INSERTITEM, notification.hdr);
        return at;
    }
    case LVM_DELETEITEM:
        if (!state.Valid(index)) {
            return FALSE;
        }
        state.rows.erase(state.rows.begin() + index);
        return TRUE;
    case LVM_DELETEALLITEMS:
        state.rows.clear();
        return TRUE;
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(state.rows.size());
    case LVM_GETITEMA: {
        auto* item = reinterpret_cast<LVITEMA*>(lParam);
        return item != nullptr && GetItem(state, *item) ? TRUE : FALSE;
    }
    case LVM_SETITEMA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        return item != nullptr && SetItem(window, state, item->iItem, *item) ? TRUE : FALSE;
    }
    case LVM_GETITEMTEXTA: {
        auto* item = reinterpret_cast<LVITEMA*>(lParam);
        if (item == nullptr || !state.Valid(index)) {
            return 0;
        }
        const std::string text = state.At(index).CellText(item->iSubItem);
        CopyOut(text, item->pszText, item->cchTextMax);
        return static_cast<LRESULT>(std::min<std::size_t>(text.size(), std::max(item->cchTextMax - 1, 0)));
    }
    case LVM_SETITEMTEXTA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        if (item == nullptr || !state.Valid(index) || item->iSubItem < 0) {
            return FALSE;
        }
        state.At(index).Cell(item->iSubItem) = item->pszText != nullptr ? item->pszText : "";
        return TRUE;
    }
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        if (item == nullptr) {
            return FALSE;
        }
        if (index == -1) {
            for (int row = 0; row < static_cast<int>(state.rows.size()); ++row) {
                Row& target = state.At(row);
                target.state = (target.state & ~item->stateMask) | (item->state & item->stateMask);
            }
            return TRUE;
        }
        if (!state.Valid(index)) {
            return FALSE;
        }
        SetRowState(window, state, index, item->state, item->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return state.Valid(index) ? static_cast<LRESULT>(state.At(index).state & static_cast<UINT>(lParam)) : 0;
    case LVM_GETNEXTITEM: {
        const UINT wanted = static_cast<UINT>(lParam) & (LVNI_SELECTED | LVNI_FOCUSED);
        for (int row = std::max(index + 1, 0); row < static_cast<int>(state.rows.size()); ++row) {
            if ((state.At(row).state & wanted) == wanted) {
                return row;
            }
        }
        return -1;
    }
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(state.rows.begin(), state.rows.end(),
                             [](const Row& row) { return (row.state & LVIS_SELECTED) != 0; });
    case LVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (rect == nullptr || !state.Valid(index)) {
            return FALSE;
        }
        *rect = RowRect(window, state, index, rect->left);
        return TRUE;
    }
    case LVM_HITTEST: {
        auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (hit == nullptr) {
            return -1;
        }
        const int y = hit->pt.y - RowsTop(window);
        const int row = y >= 0 ? y / kRowHeight : -1;
        if (!state.Valid(row) || hit->pt.x < 0 || hit->pt.x >= RowsWidth(window, state)) {
            hit->flags = LVHT_NOWHERE;  // the empty area beside or below the rows
            hit->iItem = -1;
            return -1;
        }
        const bool onIcon = state.images[LVSIL_SMALL] != nullptr && hit->pt.x < kIconWidth;
        hit->flags = onIcon ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
        hit->iItem = row;
        hit->iSubItem = 0;
        return row;
    }
    case LVM_GETSTRINGWIDTHA:
        return lParam != 0 ? static_cast<LRESULT>(std::strlen(reinterpret_cast<const char*>(lParam))) * kCharWidth : 0;
    case LVM_SETIMAGELIST: {
        if (index < 0 || index > 2) {
            return 0;
        }
        const HIMAGELIST previous = state.images[index];
        state.images[index] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
        return index >= 0 && index <= 2 ? reinterpret_cast<LRESULT>(state.images[index]) : 0;
    case LVM_GETTEXTCOLOR:
        return state.textColor;
    case LVM_SETTEXTCOLOR:
        state.textColor = static_cast<COLORREF>(lParam);
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return state.textBackColor;
    case LVM_SETTEXTBKCOLOR:
        state.textBackColor = static_cast<COLORREF>(lParam);
        return TRUE;
    case LVM_GETBKCOLOR:
        return state.backColor;
    case LVM_SETBKCOLOR:
        state.backColor = static_cast<COLORREF>(lParam);
        return TRUE;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD previous = state.extendedStyle;
        const DWORD mask = wParam != 0 ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        state.extendedStyle = (state.extendedStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return state.extendedStyle;
    case LVM_ENSUREVISIBLE:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        Clicked(window, state, lParam);
        return 0;
    case WM_PAINT:
        Paint(window, state, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefaultProcedure(window, message, wParam, lParam);
    }
}

}  // namespace platform::ui
