#include "platform/shell.h"

#include "platform/wintypes.h"

#include <shellapi.h>

namespace platform {

bool ShellDisplayName(const char* path, std::string& name) {
    SHFILEINFOA information{};
    if (path == nullptr || SHGetFileInfoA(path, 0, &information, sizeof(information), SHGFI_DISPLAYNAME) == 0) {
        return false;
    }
    name = information.szDisplayName;
    return true;
}

}  // namespace platform
