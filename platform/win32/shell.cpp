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

bool IsLoadableBitmapFile(const char* path) {
    if (path == nullptr) {
        return false;
    }
    const HANDLE bitmap = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (bitmap == nullptr) {
        return false;
    }
    DeleteObject(bitmap);
    return true;
}

}  // namespace platform
