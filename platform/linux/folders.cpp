#include "platform/files.h"

#include "platform/crt.h"
#include "platform/linux/file_errors.h"
#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace {

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

}  // namespace

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    if (!native) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (mkdir(native->c_str(), 0777) != 0) {
        return Fail(errno == EEXIST ? ERROR_ALREADY_EXISTS
                                    : (errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED));
    }
    return TRUE;
}

BOOL RemoveDirectoryA(LPCSTR path) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    if (!native) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (rmdir(native->c_str()) != 0) {
        switch (errno) {
            case ENOENT:
                return Fail(platform::detail::MissingPathError(*native));
            case ENOTDIR:
                return Fail(ERROR_DIRECTORY);
            case ENOTEMPTY:
            case EEXIST:
                return Fail(ERROR_DIR_NOT_EMPTY);
            default:
                return Fail(ERROR_ACCESS_DENIED);
        }
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR path) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    if (!native) {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    struct stat info {};
    if (stat(native->c_str(), &info) != 0) {
        return Fail(platform::detail::MissingPathError(*native));
    }
    // Windows deletes neither folders nor read-only files.
    if (S_ISDIR(info.st_mode) || (info.st_mode & S_IWUSR) == 0 || unlink(native->c_str()) != 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    char current[MAX_PATH * 4];
    if (_getcwd(current, sizeof(current)) == nullptr) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const DWORD length = static_cast<DWORD>(std::strlen(current));
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::memcpy(buffer, current, length + 1);
    return length;
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    struct stat info {};
    if (!native || stat(native->c_str(), &info) != 0) {
        return Fail(native ? platform::detail::MissingPathError(*native) : ERROR_PATH_NOT_FOUND);
    }
    if (!S_ISDIR(info.st_mode)) {
        return Fail(ERROR_DIRECTORY);
    }
    if (chdir(native->c_str()) != 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return TRUE;
}
