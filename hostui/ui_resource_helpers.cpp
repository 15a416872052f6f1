#include "hostui/ui_resource_helpers.h"

#include "platform/resources.h"

#include <cstring>
#include <vector>

namespace {

// Menu texts are first read into a buffer of this many characters.
constexpr int kMenuTextBuffer = 128;
constexpr WORD kToolbarVersion = 1;
constexpr DWORD kToolbarHeaderWords = 4;

WORD ReadWord(const BYTE* bytes, DWORD index) {
    return static_cast<WORD>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

}  // namespace

void CollectMenuItems(HMENU menu, CStringList* texts, CUintList* ids) {
    // The count is asked anew on every pass.
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        if (HMENU submenu = GetSubMenu(menu, position); submenu != nullptr) {
            CollectMenuItems(submenu, texts, ids);
        }
        CString text;
        GetMenuItemTextByPosition(menu, position, &text, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, position);
        if (id < kFirstMenuCommandId || id > kLastMenuCommandId || text.IsEmpty()) {
            continue;
        }
        if (texts != nullptr) {
            texts->AddTail(text);
        }
        if (ids != nullptr) {
            ids->AddTail(id);
        }
    }
}

int GetMenuItemTextByPosition(HMENU menu, int position, CString* text, UINT flags) {
    if (text == nullptr) {
        return 0;
    }
    char buffer[kMenuTextBuffer] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), buffer, kMenuTextBuffer, flags);
    *text = buffer;
    if (text->IsEmpty()) {
        GetMenuItemText(CMenu::FromHandle(menu), static_cast<UINT>(position), *text, MF_BYPOSITION);
    }
    return text->GetLength();
}

int GetMenuItemText(CMenu* menu, UINT item, CString& text, UINT flags) {
    const int length = menu != nullptr ? GetMenuStringA(menu->GetSafeHmenu(), item, nullptr, 0, flags) : 0;
    if (length < 1) {
        text.Empty();
        return length;
    }
    std::vector<char> buffer(2 * static_cast<std::size_t>(length) + 2, '\0');
    GetMenuStringA(menu->GetSafeHmenu(), item, buffer.data(), static_cast<int>(buffer.size()), flags);
    text = buffer.data();  // up to its terminating zero
    return length;
}

int FindMenuItemPosition(HMENU menu, UINT commandId) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(menu, position) == commandId) {
            return position;
        }
    }
    return -1;
}

int CopyAccelTable(HACCEL table, std::unique_ptr<ACCEL[]>& entries) {
    const int count = CopyAcceleratorTableA(table, nullptr, 0);
    if (count <= 0) {
        return 0;
    }
    auto copy = std::make_unique<ACCEL[]>(static_cast<std::size_t>(count));
    const int copied = CopyAcceleratorTableA(table, copy.get(), count);
    entries = std::move(copy);
    return copied;
}

void CollectAccelCommands(HACCEL table, CUintList* ids) {
    if (table == nullptr || ids == nullptr) {
        return;
    }
    std::unique_ptr<ACCEL[]> entries;
    const int count = CopyAccelTable(table, entries);
    for (int i = 0; i < count; ++i) {
        ids->AddTail(entries[i].cmd);
    }
}

void CollectToolbarButtons(const void* data, DWORD size, CUintList* ids, BOOL skipSeparators) {
    if (data == nullptr || ids == nullptr || size < 2 * kToolbarHeaderWords) {
        return;
    }
    const auto* bytes = static_cast<const BYTE*>(data);
    const WORD count = ReadWord(bytes, 3);
    if (ReadWord(bytes, 0) != kToolbarVersion || size < 2 * (kToolbarHeaderWords + count)) {
        return;
    }
    for (DWORD i = 0; i < count; ++i) {
        const WORD id = ReadWord(bytes, kToolbarHeaderWords + i);
        if (id != 0 || skipSeparators == FALSE) {
            ids->AddTail(id);
        }
    }
}

void CopyUintListToArray(const CUintList& list, DWORD* array) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        *array++ = list.GetNext(position);
    }
}

HMENU LoadMenuFromInstance(HINSTANCE instance, DWORD menuId) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const LPCSTR name = MAKEINTRESOURCE(static_cast<WORD>(menuId));
    HINSTANCE module = nullptr;
    {
        CResourceHandleScope scope(instance);
        module = AfxFindResourceHandle(name, RT_MENU);
    }
    return module != nullptr ? LoadMenuA(module, name) : nullptr;
}

HACCEL LoadAcceleratorsFromInstance(HINSTANCE instance, DWORD tableId) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const LPCSTR name = MAKEINTRESOURCE(static_cast<WORD>(tableId));
    CResourceHandleScope scope(instance);
    HINSTANCE module = AfxFindResourceHandle(name, RT_ACCELERATOR);
    if (module == nullptr || FindResourceA(module, name, RT_ACCELERATOR) == nullptr) {
        return nullptr;
    }
    return LoadAcceleratorsA(module, name);
}

ToolbarResourceData LoadToolbarFromInstance(HINSTANCE instance, DWORD toolbarId) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const LPCSTR name = MAKEINTRESOURCE(static_cast<WORD>(toolbarId));
    CResourceHandleScope scope(instance);
    HINSTANCE module = AfxFindResourceHandle(name, RT_TOOLBAR);
    HRSRC found = module != nullptr ? FindResourceA(module, name, RT_TOOLBAR) : nullptr;
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {LockResource(loaded), SizeofResource(module, found)};
}
