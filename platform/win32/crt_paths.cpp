#include "platform/crt.h"

#include "platform/codepage.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#undef _fullpath
#undef _splitpath

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::string Ansi(const wchar_t* text) {
    return platform::WideToAnsi(reinterpret_cast<const char16_t*>(text));
}

void CopyPart(char* out, const wchar_t* part) {
    if (out != nullptr) {
        const std::string text = Ansi(part);
        std::memcpy(out, text.c_str(), text.size() + 1);
    }
}

}  // namespace

char* PlatformFullPath(char* absolute, const char* relative, size_t maxLength) {
    const std::u16string wide = platform::AnsiToWide(relative != nullptr ? relative : "");
    wchar_t full[32768];
    if (_wfullpath(full, Wide(wide), sizeof(full) / sizeof(full[0])) == nullptr) {
        return nullptr;
    }
    const std::string text = Ansi(full);
    if (absolute == nullptr) {
        maxLength = _MAX_PATH;
    }
    if (text.size() + 1 > maxLength) {
        errno = ERANGE;
        return nullptr;
    }
    if (absolute == nullptr) {
        absolute = static_cast<char*>(std::malloc(maxLength));
        if (absolute == nullptr) {
            errno = ENOMEM;
            return nullptr;
        }
    }
    std::memcpy(absolute, text.c_str(), text.size() + 1);
    return absolute;
}

void PlatformSplitPath(const char* path, char* drive, char* folder, char* name, char* extension) {
    const std::u16string wide = platform::AnsiToWide(path != nullptr ? path : "");
    wchar_t wideDrive[_MAX_DRIVE];
    wchar_t wideFolder[_MAX_DIR];
    wchar_t wideName[_MAX_FNAME];
    wchar_t wideExtension[_MAX_EXT];
    _wsplitpath(Wide(wide), wideDrive, wideFolder, wideName, wideExtension);
    CopyPart(drive, wideDrive);
    CopyPart(folder, wideFolder);
    CopyPart(name, wideName);
    CopyPart(extension, wideExtension);
}
