#include "platform/ui/window_table.h"

#include "platform/afx_wnd.h"

#include <algorithm>
#include <map>

namespace platform::ui {
namespace {

struct Table {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<Window>> windows;
    std::vector<HWND> topLevel;  // creation order
    std::uintptr_t nextHandle = 0x10000;
};

// Never destroyed: windows may still be alive when the program exits, and
// their records must stay valid until the very end.
Table& TheTable() {
    static Table* table = new Table;
    return *table;
}

}  // namespace

Window::Window() = default;
Window::~Window() = default;

std::mutex& TableMutex() {
    return TheTable().mutex;
}

std::shared_ptr<Window> FindWindowRecord(HWND handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(TheTable().mutex);
    const auto found = TheTable().windows.find(handle);
    return found != TheTable().windows.end() ? found->second : nullptr;
}

HWND AddWindowRecord(const std::shared_ptr<Window>& window) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    window->handle = reinterpret_cast<HWND>(table.nextHandle);
    table.nextHandle += 4;
    table.windows[window->handle] = window;
    if (window->parent == nullptr) {
        table.topLevel.push_back(window->handle);
    } else if (const auto parent = table.windows.find(window->parent); parent != table.windows.end()) {
        parent->second->children.push_back(window->handle);
    }
    return window->handle;
}

void RemoveWindowRecord(HWND handle) {
    std::shared_ptr<Window> removed;  // released after the lock, so its objects are deleted without it
    {
        Table& table = TheTable();
        std::lock_guard lock(table.mutex);
        const auto found = table.windows.find(handle);
        if (found == table.windows.end()) {
            return;
        }
        removed = found->second;
        table.windows.erase(found);
        std::erase(table.topLevel, handle);
        if (const auto parent = table.windows.find(removed->parent); parent != table.windows.end()) {
            std::erase(parent->second->children, handle);
        }
    }
    // The temporary object is detached before it goes, so that it does not
    // try to destroy a window that is already gone.
    if (removed->temporary != nullptr) {
        removed->temporary->m_hWnd = nullptr;
        removed->temporary.reset();
    }
}

std::vector<std::shared_ptr<Window>> TopLevelWindows() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    std::vector<std::shared_ptr<Window>> windows;
    for (HWND handle : table.topLevel) {
        windows.push_back(table.windows.at(handle));
    }
    return windows;
}

DWORD StyleOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return 0;
    }
    std::lock_guard lock(TableMutex());
    return record->style;
}

HWND ParentOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(TableMutex());
    return record->parent;
}

std::vector<HWND> ChildrenOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return {};
    }
    std::lock_guard lock(TableMutex());
    return record->children;
}

std::string ClassNameOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return {};
    }
    std::lock_guard lock(TableMutex());
    return record->className;
}

std::string TextOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return {};
    }
    std::lock_guard lock(TableMutex());
    return record->text;
}

void SetTextOf(HWND window, const std::string& text) {
    const auto record = FindWindowRecord(window);
    if (record != nullptr) {
        std::lock_guard lock(TableMutex());
        record->text = text;
    }
}

UINT IdOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return 0;
    }
    std::lock_guard lock(TableMutex());
    return record->id;
}

WindowKind KindOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return WindowKind::Generic;
    }
    std::lock_guard lock(TableMutex());
    return record->kind;
}

POINT ScreenOrigin(HWND window) {
    POINT origin{0, 0};
    std::lock_guard lock(TableMutex());
    for (HWND current = window; current != nullptr;) {
        const auto found = TheTable().windows.find(current);
        if (found == TheTable().windows.end()) {
            break;
        }
        origin.x += found->second->rect.left;
        origin.y += found->second->rect.top;
        current = found->second->parent;
    }
    return origin;
}

}  // namespace platform::ui
