#include "config/session_settings.h"

#include "frame/target_access.h"

#include "platform/bstr.h"
#include "platform/host/label_interfaces.h"
#include "platform/profile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

std::optional<std::string> GetSessionIniPath() {
    IHostServiceProvider* host = GetTargetHost();
    if (host == nullptr) {
        return std::nullopt;
    }
    IHDataManager* manager = nullptr;
    if (FAILED(host->QueryService(IID_IHDataManager, reinterpret_cast<void**>(&manager))) || manager == nullptr) {
        return std::nullopt;
    }
    platform::Bstr first;
    platform::Bstr second;
    platform::Bstr folder;
    platform::Bstr name;
    if (FAILED(manager->GetSessionNames(first.Out(), second.Out())) ||
        FAILED(manager->GetSessionFolder(first.Get(), second.Get(), folder.Out())) ||
        FAILED(manager->GetSessionName(name.Out()))) {
        return std::nullopt;
    }
    return folder.Ansi() + "\\" + name.Ansi() + ".ini";
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

BOOL SessionIniWriteHex(LPCSTR section, LPCSTR key, DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%X", static_cast<unsigned>(value));
    return SessionIniWriteString(section, key, text);
}
