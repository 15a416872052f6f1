#include "platform/shell.h"

#include "platform/wintypes.h"

#include <shellapi.h>

#undef SHGetFileInfoA

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

// With the headless window system the system image list is the layer's, as
// image lists are; the rest is the system shell's.
DWORD_PTR HeadlessSHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* information, UINT size, UINT flags) {
    if ((flags & SHGFI_SYSICONINDEX) != 0) {
        return platform::SystemImageListInfo(path, information, flags);
    }
    return SHGetFileInfoA(path, attributes, information, size, flags);
}
