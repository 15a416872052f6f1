#include "platform/shell.h"

#include "platform/files.h"

#include <algorithm>
#include <cstring>

namespace platform {

bool ShellDisplayName(const char* path, std::string& name) {
    if (path == nullptr) {
        return false;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    name = found.cFileName;
    return true;
}

}  // namespace platform

DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD, SHFILEINFOA* information, UINT, UINT flags) {
    if ((flags & SHGFI_SYSICONINDEX) != 0) {
        return platform::SystemImageListInfo(path, information, flags);
    }
    if ((flags & SHGFI_DISPLAYNAME) != 0 && information != nullptr) {
        std::string name;
        if (!platform::ShellDisplayName(path, name)) {
            return 0;
        }
        const std::size_t count = std::min<std::size_t>(name.size(), sizeof(information->szDisplayName) - 1);
        std::memcpy(information->szDisplayName, name.data(), count);
        information->szDisplayName[count] = '\0';
        return 1;
    }
    return 0;
}
