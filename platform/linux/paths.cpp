#include "platform/paths.h"

#include "platform/codepage.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The entry of folder whose name equals component without regard to case; the
// exact name wins when both exist.
std::optional<std::string> FindEntryNoCase(const std::string& folder, const std::string& component) {
    struct stat info {};
    const std::string exact = folder == "/" ? "/" + component : folder + "/" + component;
    if (lstat(exact.c_str(), &info) == 0) {
        return component;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) {
        return std::nullopt;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (strcasecmp(entry->d_name, component.c_str()) == 0) {
            return std::string(entry->d_name);
        }
    }
    return std::nullopt;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) {
        return "/";
    }
    return buffer.data();
}

}  // namespace

std::optional<std::string> ToNativePath(std::string_view windowsPath) {
    if (windowsPath.empty()) {
        return std::nullopt;
    }
    std::string_view rest = windowsPath;
    std::string base;
    if (rest.size() >= 2 && rest[1] == ':') {
        const char drive = rest[0];
        if (drive != 'Z' && drive != 'z') {
            return std::nullopt;
        }
        rest.remove_prefix(2);
        if (rest.empty() || !IsSeparator(rest[0])) {
            // "Z:name" is relative to the drive's current folder; the whole
            // native tree is one drive, so that is the current directory.
            base = CurrentDirectory();
        } else {
            base = "/";
        }
    } else if (IsSeparator(rest[0])) {
        if (rest.size() >= 2 && IsSeparator(rest[1])) {
            return std::nullopt;  // UNC shares have no native counterpart here
        }
        base = "/";
    } else {
        base = CurrentDirectory();
    }

    // Split into components, folding "." and "..".
    std::vector<std::string> components;
    {
        std::string current = base;
        // Start from the components of the base folder, which are native and exact.
        std::size_t position = 1;
        while (position < current.size()) {
            const std::size_t next = current.find('/', position);
            const std::size_t end = next == std::string::npos ? current.size() : next;
            if (end > position) {
                components.emplace_back(current.substr(position, end - position));
            }
            position = end + 1;
        }
    }
    const std::size_t baseCount = components.size();
    std::vector<bool> resolved(baseCount, true);
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        // A double-byte character whose trail byte is '\\' is part of a name.
        while (end < rest.size() && !IsSeparator(rest[end])) {
            end += IsDBCSLeadByte(static_cast<BYTE>(rest[end])) && end + 1 < rest.size() ? 2 : 1;
        }
        end = std::min(end, rest.size());
        const std::string_view component = rest.substr(start, end - start);
        if (component == "..") {
            if (!components.empty()) {
                components.pop_back();
                resolved.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            components.emplace_back(component);
            resolved.push_back(false);
        }
        if (end == rest.size()) {
            break;
        }
        start = end + 1;
    }

    // Resolve each component against the disk without regard to case; once a
    // folder does not exist the rest is kept as written.
    std::string native;
    bool exists = true;
    for (std::size_t i = 0; i < components.size(); ++i) {
        std::string name = components[i];
        if (exists && !resolved[i]) {
            if (auto found = FindEntryNoCase(native.empty() ? "/" : native, name)) {
                name = *found;
            } else {
                exists = false;
            }
        }
        native += "/";
        native += name;
    }
    if (native.empty()) {
        native = "/";
    }
    return native;
}

std::string ToWindowsPath(std::string_view nativePath) {
    std::string result = "Z:";
    if (nativePath.empty() || nativePath[0] != '/') {
        result += "\\";
    }
    for (const char c : nativePath) {
        result += c == '/' ? '\\' : c;
    }
    return result;
}

}  // namespace platform
