#include "platform/crt.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) {
        return "Z:\\";
    }
    return platform::ToWindowsPath(buffer.data());
}

// The next backslash at or after from that is a character of its own (not
// the trail byte of a double-byte character), or npos.
std::size_t FindSeparator(const std::string& text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
            ++i;
        } else if (text[i] == '\\') {
            return i;
        }
    }
    return std::string::npos;
}

// The last character of text is a backslash of its own.
bool EndsWithSeparator(const std::string& text) {
    bool last = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) {
            ++i;
            last = false;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}

bool SameDrive(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

// Folds the components of rest (the part of a path after its root, starting
// with a backslash or empty) and appends them to root.
std::string Fold(const std::string& root, const std::string& rest) {
    std::vector<std::string> components;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(FindSeparator(rest, start), rest.size());
        if (end > start) {
            components.push_back(rest.substr(start, end - start));
        }
        start = end + 1;
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < components.size(); ++i) {
        std::string component = components[i];
        if (component == ".") {
            continue;
        }
        if (component == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
            continue;
        }
        if (i + 1 == components.size()) {
            // The last component loses its trailing dots and blanks.
            const std::size_t last = component.find_last_not_of(". ");
            component.erase(last == std::string::npos ? 0 : last + 1);
            if (component.empty()) {
                continue;
            }
        } else if (component.find_first_not_of('.') == std::string::npos) {
            component.pop_back();  // a run of dots inside the path loses one
        }
        kept.push_back(component);
    }
    std::string result = root;
    for (const std::string& component : kept) {
        result += "\\" + component;
    }
    if (kept.empty() ? !rest.empty() : EndsWithSeparator(rest)) {
        result += "\\";
    }
    return result;
}

std::string FullPath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (path.empty()) {
        return CurrentDirectory();
    }
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // The root of a UNC path is its server and share; ".." stops there.
        const std::size_t serverEnd = FindSeparator(path, 2);
        if (serverEnd == std::string::npos) {
            return path;
        }
        const std::size_t shareEnd = FindSeparator(path, serverEnd + 1);
        if (shareEnd == std::string::npos) {
            return serverEnd + 1 == path.size() ? path : Fold(path, "");
        }
        return Fold(path.substr(0, shareEnd), path.substr(shareEnd));
    }
    const std::string current = CurrentDirectory();
    if (path.size() >= 2 && path[1] == ':') {
        const std::string after = path.substr(2);
        if (!after.empty() && after[0] == '\\') {
            return Fold(path.substr(0, 2), after);
        }
        if (SameDrive(path[0], current[0])) {
            return Fold(current.substr(0, 2), current.substr(2) + "\\" + after);
        }
        return Fold(path.substr(0, 2), "\\" + after);
    }
    if (path[0] == '\\') {
        return Fold(current.substr(0, 2), path);
    }
    return Fold(current.substr(0, 2), current.substr(2) + "\\" + path);
}

// Copies text into buffer (or a new one of at least size bytes when buffer is
// null); null with errno ERANGE when it does not fit.
char* Deliver(const std::string& text, char* buffer, std::size_t size) {
    if (buffer == nullptr) {
        size = std::max(size, text.size() + 1);
        buffer = static_cast<char*>(std::malloc(size));
        if (buffer == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    }
    if (text.size() + 1 > size) {
        errno = ERANGE;
        return nullptr;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

void CopyPart(char* out, const char* first, const char* last) {
    if (out != nullptr) {
        std::memcpy(out, first, static_cast<std::size_t>(last - first));
        out[last - first] = '\0';
    }
}

}  // namespace

char* _fullpath(char* absolute, const char* relative, std::size_t maxLength) {
    const std::string full = FullPath(relative != nullptr ? relative : "");
    if (absolute == nullptr) {
        if (full.size() + 1 > _MAX_PATH) {
            errno = ERANGE;
            return nullptr;
        }
        return Deliver(full, nullptr, _MAX_PATH);
    }
    return Deliver(full, absolute, maxLength);
}

void _splitpath(const char* path, char* drive, char* folder, char* name, char* extension) {
    const char* p = path != nullptr ? path : "";
    const char* end = p + std::strlen(p);
    const char* driveEnd = end - p >= 2 && p[1] == ':' ? p + 2 : p;
    // Separators and the extension's dot count only as characters of their
    // own, never as the trail byte of a double-byte character.
    const char* folderEnd = driveEnd;
    for (const char* c = driveEnd; c < end; ++c) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*c)) && c + 1 < end) {
            ++c;
        } else if (*c == '\\' || *c == '/') {
            folderEnd = c + 1;
        }
    }
    const char* dot = end;
    for (const char* c = folderEnd; c < end; ++c) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*c)) && c + 1 < end) {
            ++c;
        } else if (*c == '.') {
            dot = c;
        }
    }
    // A part longer than its buffer's standard size leaves every part empty,
    // as the Windows run time does (Wine shows it), rather than overrun the
    // caller's buffer.
    if (driveEnd - p >= _MAX_DRIVE || folderEnd - driveEnd >= _MAX_DIR || dot - folderEnd >= _MAX_FNAME ||
        end - dot >= _MAX_EXT) {
        for (char* out : {drive, folder, name, extension}) {
            CopyPart(out, p, p);
        }
        errno = ERANGE;
        return;
    }
    CopyPart(drive, p, driveEnd);
    CopyPart(folder, driveEnd, folderEnd);
    CopyPart(name, folderEnd, dot);
    CopyPart(extension, dot, end);
}

int _access(const char* path, int mode) {
    const DWORD attributes = path != nullptr ? GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        errno = ENOENT;
        return -1;
    }
    if ((mode & 2) != 0 && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

int _chmod(const char* path, int mode) {
    if (path == nullptr || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        errno = ENOENT;
        return -1;
    }
    if (!SetFileAttributesA(path, (mode & _S_IWRITE) != 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY)) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

char* _getcwd(char* buffer, int size) {
    return Deliver(CurrentDirectory(), buffer, size < 0 ? 0 : static_cast<std::size_t>(size));
}

int _chdir(const char* path) {
    const auto native = path != nullptr ? platform::ToNativePath(path) : std::nullopt;
    if (!native || chdir(native->c_str()) != 0) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}
