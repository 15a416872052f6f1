// List-box, combo-box, list-control and tree-control helpers of the dialog
// library. A null control or collection is tolerated: the answer is that of
// a missing item (-1, 0 or an empty text), or nothing happens. Every text
// search is FindListBoxStringExact (FindComboBoxStringExact), and the helpers
// that add a text unless present compare with case.
#pragma once

#include "platform/afx.h"
#include "util/string_split.h"

using CTreeItemList = CList<HTREEITEM, HTREEITEM>;

// Multiple selection: LBS_MULTIPLESEL or LBS_EXTENDEDSEL.
BOOL IsMultipleSelection(const CWnd* control);

// caseSensitive 0: the control's own exact search (ignoring case); else the
// first item equal with case.
int FindListBoxStringExact(LPCSTR text, const CListBox* list, BOOL caseSensitive);
void GetListBoxSelectedIndexes(CIntList& indexes, const CListBox* list);
void GetListBoxSelectedTexts(CStringList& texts, const CListBox* list);
// Every non-empty item text.
void GetListBoxTexts(CStringList& texts, const CListBox* list);
BOOL GetListBoxTextsAt(const CIntList& indexes, CStringList* texts, const CListBox* list);
// The key (before the last '=') of every item that has one.
void GetListBoxEntryNames(CStringList& names, const CListBox* list);
CString GetListBoxItemText(int index, CString* buffer, const CListBox* list);
int GetListBoxSelectionCount(const CListBox* list);
int GetListBoxFocusedSelection(const CListBox* list);
int SelectListBoxIndex(int index, CListBox* list);
void SelectListBoxString(LPCSTR text, CListBox* list);
void AddListBoxStringUnique(LPCSTR text, CListBox* list);
void FillListBoxFromList(const CStringList& texts, CListBox* list);
void RemoveListBoxString(LPCSTR text, CListBox* list, BOOL caseSensitive);
void RemoveListBoxStrings(const CStringList& texts, CListBox* list, BOOL caseSensitive);
void RenameListBoxString(LPCSTR oldText, LPCSTR newText, CListBox* list);

int FindComboBoxStringExact(LPCSTR text, const CComboBox* combo, BOOL caseSensitive);
void AddComboBoxStringUnique(LPCSTR text, CComboBox* combo);
void AddComboBoxStringWithData(LPCSTR text, DWORD data, CComboBox* combo);
void FillComboBoxFromList(const CStringList& texts, CComboBox* combo);
// Texts up to the first empty one, each with the data at its index; it stops
// at the data array's end too.
void FillComboBoxFromArrays(const CStringArray& texts, const CDWordArray& data, CComboBox* combo);
void RemoveComboBoxString(LPCSTR text, CComboBox* combo, BOOL caseSensitive);
void RemoveComboBoxStrings(const CStringList& texts, CComboBox* combo, BOOL caseSensitive);
// The first item that begins with the text (ignoring case): none answers 1
// and leaves data; else data is its item data (0 when reading it fails, which
// answers 1), and the answer 0.
int GetComboBoxItemDataByText(LPCSTR text, DWORD& data, const CComboBox* combo);
int SelectComboBoxByItemData(DWORD value, CComboBox* combo);
void DeleteComboBoxByItemData(DWORD value, CComboBox* combo);

int GetFirstSelectedRow(const CListCtrl* list);
// Exchanges the row with the one above (below): their first-column text,
// image, selected and focused state and item data; the row's new place is
// selected. 0 when there is nothing to exchange it with.
BOOL MoveRowUp(CListCtrl* list, int row);
BOOL MoveRowDown(CListCtrl* list, int row);
BOOL MoveRowToTop(CListCtrl* list, int row);
BOOL MoveRowToBottom(CListCtrl* list, int row);
// Appends every descendant of the parent, depth first.
void CollectTreeItems(const CTreeCtrl* tree, HTREEITEM parent, CTreeItemList& items);
