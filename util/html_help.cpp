#include "util/html_help.h"

#include "platform/module.h"
#include "platform/registry.h"

namespace {

constexpr char kControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kControlFile[] = "hhctrl.ocx";
constexpr WORD kHtmlHelpOrdinal = 14;

}  // namespace

HWND CHtmlHelpLoader::Call(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
    if (m_module == nullptr && !m_failed) {
        char path[MAX_PATH] = {};
        if (GetHtmlHelpPath(path)) {
            m_module = LoadLibraryA(path);
        }
        if (m_module == nullptr) {
            m_module = LoadLibraryA(kControlFile);
        }
        if (m_module == nullptr) {
            m_failed = TRUE;
            return nullptr;
        }
    }
    if (m_entry == nullptr) {
        // Without a module (a load that failed before) there is nothing to bind.
        m_entry = m_module != nullptr ? platform::GetProcAddressAs<HtmlHelpFunction>(
                                            m_module, MAKEINTRESOURCE(kHtmlHelpOrdinal))
                                      : nullptr;
        if (m_entry == nullptr) {
            m_failed = TRUE;
            return nullptr;
        }
    }
    return m_entry(window, file, command, data);
}

HWND LoadHtmlHelp(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
    static CHtmlHelpLoader loader;
    return loader.Call(window, file, command, data);
}

BOOL GetHtmlHelpPath(char (&path)[MAX_PATH]) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kControlKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return FALSE;
    }
    DWORD size = sizeof(path);
    const LONG result = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(path), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        return FALSE;
    }
    // A value need not end in a terminator: one that fills the buffer without
    // one is no path that fits.
    if (size < sizeof(path)) {
        path[size] = '\0';
    } else if (path[sizeof(path) - 1] != '\0') {
        return FALSE;
    }
    return TRUE;
}
