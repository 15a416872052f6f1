#include "platform/sysinfo.h"

#include "platform/codepage.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Copies text with its NUL when it fits; the length written, or the size
// needed with the NUL.
UINT CopyFolder(const char* text, LPSTR buffer, UINT size) {
    const UINT length = static_cast<UINT>(std::strlen(text));
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::memcpy(buffer, text, length + 1);
    return length;
}

std::string UserName() {
    std::vector<char> storage(4096);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, storage.data(), storage.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr && *found->pw_name != '\0') {
        return found->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "user";
}

std::string ComputerName() {
    char host[256] = {};
    if (gethostname(host, sizeof(host) - 1) != 0 || host[0] == '\0') {
        return "LOCALHOST";
    }
    std::string name(host, std::min(std::strcspn(host, "."), static_cast<std::size_t>(MAX_COMPUTERNAME_LENGTH)));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

}  // namespace

BOOL GetVersionExA(LPOSVERSIONINFOA information) {
    if (information == nullptr || information->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    information->dwMajorVersion = 6;
    information->dwMinorVersion = 1;
    information->dwBuildNumber = 7601;
    information->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::snprintf(information->szCSDVersion, sizeof(information->szCSDVersion), "Service Pack 1");
    return TRUE;
}

LANGID GetSystemDefaultLangID() {
    return platform::AnsiCodePage() == 932 ? 0x0411 : 0x0409;
}

int GetLocaleInfoA(LCID, LCTYPE type, LPSTR buffer, int size) {
    if (type != LOCALE_IDEFAULTLANGUAGE) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    char text[8];
    const int length = std::snprintf(text, sizeof(text), "%04x", GetSystemDefaultLangID()) + 1;
    if (size == 0) {
        return length;
    }
    if (buffer == nullptr || size < length) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text, static_cast<std::size_t>(length));
    return length;
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return CopyFolder("C:\\windows", buffer, size);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size) {
    return CopyFolder("C:\\windows\\system32", buffer, size);
}

BOOL GetUserNameA(LPSTR buffer, LPDWORD size) {
    if (size == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = UserName();
    const DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, name.c_str(), needed);
    *size = needed;
    return TRUE;
}

BOOL GetComputerNameA(LPSTR buffer, LPDWORD size) {
    if (size == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = ComputerName();
    if (buffer == nullptr || *size < name.size() + 1) {
        *size = static_cast<DWORD>(name.size() + 1);
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return TRUE;
}
