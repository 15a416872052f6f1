// CUiCustomListCtrl: a report-view list control that draws its own rows:
// each cell's text shortened with "..." to its width, sub-item texts aligned
// as their column says (when not shortened), a selected row in the system's
// highlight colours; clicks on the empty area below the rows are dropped, so
// they never clear the selection. It also sizes columns and answers row
// queries (FindRowByText serves the dialogs' list controls).
#pragma once

#include "platform/afx.h"
#include "util/string_split.h"

// The row search of any list control: the first row one of whose cells, or
// whose cells from the first joined so far, equal the text ignoring case
// (multibyte-aware); -1 for none, 0 for an empty text.
int FindListRowByText(const CListCtrl& list, LPCSTR text);
int GetListColumnCount(const CListCtrl& list);

class CUiCustomListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CUiCustomListCtrl)

public:
    // fit: every inserted row makes the last column fill the control.
    explicit CUiCustomListCtrl(BOOL fit = FALSE);

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    // The text, or its longest start (whole characters, at least the first)
    // that fits the width with "..." and the reserve, followed by "...".
    CString TruncateWithEllipsis(CDC* dc, LPCSTR text, int width, int reserve) const;
    void FitLastColumn();
    void AutoSizeColumn(int column);
    int GetColumnCount() const;
    CString GetColumnHeading(int column) const;
    BOOL HasSelection() const;
    BOOL IsItemSelected(int row) const;
    // Append to the list; answer its count.
    int GetSelectedItems(CIntList& rows) const;
    void GetAllItems(CIntList& rows) const;
    // Clears the selected and focused state of each listed row; answers how
    // many were listed.
    int ClearItemStates(const CIntList& rows);
    BOOL FocusItem(int row);
    // The first row with a cell, or its cells from the first joined so far,
    // equal to the text ignoring case; -1 for none, 0 for an empty text.
    int FindRowByText(LPCSTR text) const;
    CUiCustomListCtrl& SetSelectedImageBlend(BOOL blend);

protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnInsertItem(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // A click on the empty area is dropped.
    void Click(CPoint point);
    CString CellText(int row, int column) const;

    BOOL m_fit;
    BOOL m_blend = TRUE;
};
