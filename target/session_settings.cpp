#include "target/session_settings.h"

#include "platform/profile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

std::mutex g_sourceMutex;
SessionIniPathSource g_source;

}  // namespace

void SetSessionIniPathSource(SessionIniPathSource source) {
    std::lock_guard lock(g_sourceMutex);
    g_source = std::move(source);
}

std::optional<std::string> GetSessionIniPath() {
    SessionIniPathSource source;
    {
        std::lock_guard lock(g_sourceMutex);
        source = g_source;
    }
    return source ? source() : std::nullopt;
}

DWORD SessionIniGetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size) {
    if (const auto path = GetSessionIniPath()) {
        return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, path->c_str());
    }
    if (buffer != nullptr && size > 0) {
        const char* text = defaultValue != nullptr ? defaultValue : "";
        const std::size_t length = std::min<std::size_t>(std::strlen(text), size - 1);
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
    }
    return 0;
}

UINT SessionIniGetInt(LPCSTR section, LPCSTR key, INT defaultValue) {
    if (const auto path = GetSessionIniPath()) {
        return GetPrivateProfileIntA(section, key, defaultValue, path->c_str());
    }
    return static_cast<UINT>(defaultValue);
}

BOOL SessionIniWriteString(LPCSTR section, LPCSTR key, LPCSTR value) {
    if (const auto path = GetSessionIniPath()) {
        return WritePrivateProfileStringA(section, key, value, path->c_str());
    }
    return FALSE;
}

BOOL SessionIniWriteInt(LPCSTR section, LPCSTR key, int value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    return SessionIniWriteString(section, key, text);
}
