#include "platform/paths.h"

namespace platform {

// Windows paths are the native ones here.
std::optional<std::string> ToNativePath(std::string_view windowsPath) {
    if (windowsPath.empty()) {
        return std::nullopt;
    }
    return std::string(windowsPath);
}

std::string ToWindowsPath(std::string_view nativePath) {
    std::string result(nativePath);
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    return result;
}

}  // namespace platform
