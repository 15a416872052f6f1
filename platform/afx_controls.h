// The class library's control objects: thin wrappers that send the
// controls' messages (see platform/windows_ui.h and common_controls.h for
// what each control does with them).
#pragma once

#include "platform/afx_gdi.h"
#include "platform/afx_wnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)

public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE);
    void LimitText(int count = 0);
    void SetLimitText(UINT count);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)

public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
};

// The window class and messages of a control that keeps a list of strings,
// each with an item data value, and a selection: combo boxes and list boxes
// number the messages each their own way.
struct StringItemMessages {
    LPCSTR windowClass;
    UINT getText;
    UINT getTextLen;
    UINT addString;
    UINT insertString;
    UINT deleteString;
    UINT resetContent;
    UINT getCount;
    UINT getCurSel;
    UINT setCurSel;
    UINT getItemData;
    UINT setItemData;
    UINT findString;
    UINT findStringExact;
    UINT selectString;
};

inline constexpr StringItemMessages kComboBoxItemMessages{
    "ComboBox",     CB_GETLBTEXT,    CB_GETLBTEXTLEN,
    CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
    CB_GETCOUNT,    CB_GETCURSEL,    CB_SETCURSEL,    CB_GETITEMDATA,
    CB_SETITEMDATA, CB_FINDSTRING,   CB_FINDSTRINGEXACT, CB_SELECTSTRING,
};
inline constexpr StringItemMessages kListBoxItemMessages{
    "ListBox",      LB_GETTEXT,      LB_GETTEXTLEN,
    LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
    LB_GETCOUNT,    LB_GETCURSEL,    LB_SETCURSEL,    LB_GETITEMDATA,
    LB_SETITEMDATA, LB_FINDSTRING,   LB_FINDSTRINGEXACT, LB_SELECTSTRING,
};

// The string list requests combo boxes and list boxes share.
template <const StringItemMessages& kMessages>
class CStringItemsCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(LPCSTR text);
    int InsertString(int index, LPCSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    int FindString(int start, LPCSTR text) const;
    int FindStringExact(int start, LPCSTR text) const;
    int SelectString(int start, LPCSTR text);

protected:
    // The text requests, which each control names its own way.
    int ItemText(int index, LPSTR buffer) const;
    // An item's text, or an empty text for an item the control does not have.
    void ItemText(int index, CString& text) const;
    int ItemTextLen(int index) const;
};

// Both kinds are built once, in afx_controls.cpp.
extern template class CStringItemsCtrl<kComboBoxItemMessages>;
extern template class CStringItemsCtrl<kListBoxItemMessages>;

class CComboBox : public CStringItemsCtrl<kComboBoxItemMessages> {
    DECLARE_DYNAMIC(CComboBox)

public:
    DWORD GetEditSel() const;
    BOOL SetEditSel(int start, int end);
    BOOL LimitText(int count);
    int GetLBText(int index, LPSTR buffer) const { return ItemText(index, buffer); }
    void GetLBText(int index, CString& text) const { ItemText(index, text); }
    int GetLBTextLen(int index) const { return ItemTextLen(index); }
};

class CListBox : public CStringItemsCtrl<kListBoxItemMessages> {
    DECLARE_DYNAMIC(CListBox)

public:
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);
    int GetSelCount() const;
    int GetSelItems(int maximum, LPINT items) const;
    int GetCaretIndex() const;
    int SetCaretIndex(int index, BOOL scroll = TRUE);
    int GetText(int index, LPSTR buffer) const { return ItemText(index, buffer); }
    void GetText(int index, CString& text) const { ItemText(index, text); }
    int GetTextLen(int index) const { return ItemTextLen(index); }
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int InsertColumn(int column, const LVCOLUMNA* column_);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMNA* column_) const;
    BOOL SetColumn(int column, const LVCOLUMNA* column_);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    int InsertItem(int item, LPCSTR text);
    int InsertItem(int item, LPCSTR text, int image);
    int InsertItem(const LVITEMA* item);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItem(LVITEMA* item) const;
    BOOL SetItem(const LVITEMA* item);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPSTR buffer, int size) const;
    BOOL SetItemText(int item, int subItem, LPCSTR text);
    DWORD_PTR GetItemData(int item) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    UINT GetItemState(int item, UINT mask) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    int GetNextItem(int item, int flags) const;
    UINT GetSelectedCount() const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int HitTest(LVHITTESTINFO* hit) const;
    int GetStringWidth(LPCSTR text) const;
    CImageList* SetImageList(CImageList* list, int type);
    CImageList* GetImageList(int type) const;
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF color);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF color);
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;
    BOOL EnsureVisible(int item, BOOL partialOk);

    // Owner drawing (LVS_OWNERDRAWFIXED): called for each row, with the row's
    // record, when the parent reflects WM_DRAWITEM back to the control.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
    HTREEITEM InsertItem(const TVINSERTSTRUCTA* insert);
    BOOL DeleteItem(HTREEITEM item);
    BOOL DeleteAllItems();
    UINT GetCount() const;
    HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM item) const;
    HTREEITEM GetParentItem(HTREEITEM item) const;
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM item);
    BOOL GetItem(TVITEMA* item) const;
    BOOL SetItem(TVITEMA* item);
    CString GetItemText(HTREEITEM item) const;
    BOOL SetItemText(HTREEITEM item, LPCSTR text);
    DWORD_PTR GetItemData(HTREEITEM item) const;
    BOOL SetItemData(HTREEITEM item, DWORD_PTR data);
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);
    int GetPos() const;
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt();
};

class CAnimateCtrl : public CWnd {
    DECLARE_DYNAMIC(CAnimateCtrl)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Opens the animation resource from the module that holds it along the
    // class library's resource search.
    BOOL Open(UINT id);
    BOOL Play(UINT from, UINT to, UINT repeat);
    BOOL Stop();
    BOOL Close();
    BOOL IsPlaying() const;
};
