#include "platform/crt.h"

#include "platform/linux/crt_stream.h"
#include "platform/linux/file_sharing.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

namespace {

// A mode as the Windows run time reads it: "r", "w" or "a" first, then any
// of '+' (read and write), 'b' (binary) and 't' (text, the default); other
// letters after the first are the run time's own options, taken as no change.
struct Mode {
    int flags = 0;                // open(2) flags
    platform::FileAccess access;  // what the stream may do
    bool truncate = false;        // "w": emptied once the sharing allows it
    bool text = true;
    const char* streamMode = "";  // the C library's mode for the stream
};

std::optional<Mode> ParseMode(const char* text) {
    Mode mode;
    const std::string letters = text;
    const bool update = letters.find('+') != std::string::npos;
    switch (letters.empty() ? '\0' : letters[0]) {
        case 'r':
            mode.flags = update ? O_RDWR : O_RDONLY;
            mode.streamMode = update ? "r+" : "r";
            break;
        case 'w':
            mode.flags = (update ? O_RDWR : O_WRONLY) | O_CREAT;
            mode.truncate = true;
            mode.streamMode = update ? "w+" : "w";
            break;
        case 'a':
            mode.flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
            mode.streamMode = update ? "a+" : "a";
            break;
        default:
            return std::nullopt;
    }
    mode.access = {letters[0] == 'r' || update, letters[0] != 'r' || update};
    mode.text = letters.find('b') == std::string::npos;
    return mode;
}

// The access a sharing flag lets later opens have.
std::optional<platform::FileAccess> SharedAccess(int shareFlag) {
    switch (shareFlag) {
        case _SH_DENYRW:
            return platform::FileAccess{false, false};
        case _SH_DENYWR:
            return platform::FileAccess{true, false};
        case _SH_DENYRD:
            return platform::FileAccess{false, true};
        case _SH_DENYNO:
            return platform::FileAccess{true, true};
        default:
            return std::nullopt;
    }
}

FILE* Fail(int error) {
    errno = error;
    return nullptr;
}

}  // namespace

FILE* _fsopen(const char* fileName, const char* modeText, int shareFlag) {
    if (fileName == nullptr) {
        return Fail(ENOENT);
    }
    const std::optional<Mode> mode = modeText != nullptr ? ParseMode(modeText) : std::nullopt;
    if (!mode) {
        return Fail(EINVAL);
    }
    const std::optional<platform::FileAccess> shared = SharedAccess(shareFlag);
    if (!shared) {
        return nullptr;  // the run time refuses the flag without naming an error
    }
    const std::optional<std::string> native = platform::ToNativePath(fileName);
    if (!native) {
        return Fail(ENOENT);
    }
    const int fd = open(native->c_str(), mode->flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        // A folder cannot be opened as a file: access denied, as on Windows.
        return Fail(errno == EISDIR ? EACCES : errno);
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EACCES : errno;
        close(fd);
        return Fail(error);
    }
    auto share = std::make_unique<platform::FileShare>(info.st_dev, info.st_ino, mode->access, *shared);
    if (!share->Registered() || (mode->truncate && ftruncate(fd, 0) != 0)) {
        const int error = share->Registered() ? errno : EACCES;
        close(fd);
        return Fail(error);
    }
    return platform::OpenStream(fd, mode->streamMode, mode->text, std::move(share));
}
