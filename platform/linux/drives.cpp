#include "platform/crt.h"
#include "platform/files.h"

#include "platform/paths.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// Drive Z: is the whole native tree, drive number 25.
constexpr unsigned int kDriveNumber = 'Z' - 'A';

}  // namespace

DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
    if (longPath == nullptr || GetFileAttributesA(longPath) == INVALID_FILE_ATTRIBUTES) {
        SetLastError(longPath == nullptr ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(longPath));
    if (shortPath == nullptr || size <= length) {
        return length + 1;
    }
    std::memmove(shortPath, longPath, length + 1);
    return length;
}

UINT GetDriveTypeA(LPCSTR rootPath) {
    if (rootPath == nullptr) {
        return DRIVE_FIXED;
    }
    const bool isZ = std::toupper(static_cast<unsigned char>(rootPath[0])) == 'Z' && rootPath[1] == ':' &&
                     (rootPath[2] == '\0' || (rootPath[2] == '\\' && rootPath[3] == '\0'));
    return isZ ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
}

int _stat(const char* path, struct _stat* status) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    struct stat info {};
    if (status == nullptr || !native || stat(native->c_str(), &info) != 0) {
        errno = ENOENT;
        return -1;
    }
    const DWORD attributes = GetFileAttributesA(path);
    status->st_dev = kDriveNumber;
    status->st_mode = static_cast<unsigned short>((S_ISDIR(info.st_mode) ? _S_IFDIR : _S_IFREG) | _S_IREAD |
                                                  ((attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0 : _S_IWRITE));
    status->st_size = S_ISDIR(info.st_mode) ? 0 : static_cast<long long>(info.st_size);
    return 0;
}
