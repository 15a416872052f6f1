// Reading command ids out of the plug-in's menu, accelerator and toolbar
// resources before they are registered with the host, and loading those
// resources from a given resource instance.
#pragma once

#include "frame/com_utils.h"
#include "platform/afx.h"

#include <memory>

// Command ids the host takes from a menu: a command item counts when its id
// lies in this range and its text is not empty.
inline constexpr UINT kFirstMenuCommandId = 0x7000;
inline constexpr UINT kLastMenuCommandId = 0xEFFF;

// Appends the text and the id of every command item of the menu and its
// submenus, depth first in menu order (a submenu's items before the entries
// that follow it); popup entries and separators never count. Either list may
// be null.
void CollectMenuItems(HMENU menu, CStringList* texts, CUintList* ids);
// The text of the item at the position, read into a buffer of 128 characters
// (so at most 127 of them), and read again whole with GetMenuItemText when
// that gave nothing. Answers the text's length; 0 at once without a text out.
int GetMenuItemTextByPosition(HMENU menu, int position, CString* text, UINT flags);
// The text of an item chosen by id or position (flags): its length is asked
// first; below 1 the text is emptied, else it is read whole. Answers the
// length first asked.
int GetMenuItemText(CMenu* menu, UINT item, CString& text, UINT flags);
// The position of the first top-level item with the command id, -1 when none
// has it (submenus are not searched).
int FindMenuItemPosition(HMENU menu, UINT commandId);

// A copy of the table's entries: answers their number, 0 (leaving entries
// untouched) when the table has none.
int CopyAccelTable(HACCEL table, std::unique_ptr<ACCEL[]>& entries);
// Appends the command of every entry in table order, duplicates kept.
void CollectAccelCommands(HACCEL table, CUintList* ids);

// Reads a toolbar resource of size bytes: 16-bit little-endian words
// version, button width, button height, item count, then the ids. With
// version 1 each id is appended in order, separators (0) left out when
// skipSeparators is set. A resource shorter than its header or than the ids
// its count names appends nothing, so nothing past its end is read.
void CollectToolbarButtons(const void* data, DWORD size, CUintList* ids, BOOL skipSeparators);

// Copies the list into the array in list order; the caller makes the array
// as long as the list.
void CopyUintListToArray(const CUintList& list, DWORD* array);

// Switches the current module state's resource handle to an instance for a
// scope and puts the saved one back on every exit.
class CResourceHandleScope {
public:
    explicit CResourceHandleScope(HINSTANCE instance) : m_saved(AfxGetResourceHandle()) {
        AfxSetResourceHandle(instance);
    }
    ~CResourceHandleScope() { AfxSetResourceHandle(m_saved); }
    CResourceHandleScope(const CResourceHandleScope&) = delete;
    CResourceHandleScope& operator=(const CResourceHandleScope&) = delete;

private:
    HINSTANCE m_saved;
};

// The menu with the 16-bit id, found along the class library's resource
// search with the resource handle switched to the instance (and put back
// before this returns); null when it cannot be loaded. The caller destroys it.
HMENU LoadMenuFromInstance(HINSTANCE instance, DWORD menuId);
// The same for an accelerator table.
HACCEL LoadAcceleratorsFromInstance(HINSTANCE instance, DWORD tableId);

// A toolbar resource's bytes as loaded; data is null when it could not be
// found or loaded.
struct ToolbarResourceData {
    const void* data = nullptr;
    DWORD size = 0;
};
// The toolbar resource (type 241) with the 16-bit id, found as the menus are.
ToolbarResourceData LoadToolbarFromInstance(HINSTANCE instance, DWORD toolbarId);
