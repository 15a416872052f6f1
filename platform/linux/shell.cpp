#include "platform/shell.h"

#include "platform/files.h"

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
