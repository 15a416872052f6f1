#include "config/settings_files.h"

#include "config/host_window.h"
#include "config/module_folder.h"
#include "util/scan_values.h"

#include "platform/afx_app.h"
#include "platform/crt.h"
#include "platform/profile.h"
#include "platform/resources.h"
#include "platform/ui.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <optional>
#include <string_view>

char g_cnfPath[MAX_PATH] = {};
DWORD g_isWin9x = 0;

namespace {

constexpr char kCnfExtension[] = ".CNF";

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Copies text into buffer, cut to size-1 characters, and answers the length
// copied.
int CopyOut(std::string_view text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

// The value of key after the header of section, or nothing. Header and key
// rules as the file format has them: a header is any "[" name "]" whose name
// equals the section exactly; the first key line after it whose name equals
// the key exactly wins, also when it lies in a later section.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key) {
    std::size_t position = 0;
    bool found = false;
    while (true) {
        const std::size_t open = text.find('[', position);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = text.find(']', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        position = close + 1;
        if (text.substr(open + 1, close - open - 1) == section) {
            found = true;
            break;
        }
    }
    if (!found) {
        return std::nullopt;
    }
    while (true) {
        const std::size_t lineBreak = text.find('\n', position);
        if (lineBreak == std::string_view::npos) {
            return std::nullopt;
        }
        const std::size_t lineStart = lineBreak + 1;
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && line.substr(0, equals) == key) {
            return line.substr(equals + 1);
        }
        position = lineStart;
    }
}

}  // namespace

std::string GetPluginModuleName() {
    const std::string modulePath = GetPluginModulePath();
    const std::size_t separator = modulePath.find_last_of('\\');
    std::string name = separator == std::string::npos ? modulePath : modulePath.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}

std::string GetPluginCnfPath() {
    std::string name = GetPluginModuleName();
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return GetModuleDirectory() + name + kCnfExtension;
}

void BuildCnfPath() {
    CopyOut(GetPluginCnfPath(), g_cnfPath, MAX_PATH);
}

std::string GetPluginSettingsFilePath() {
    return GetModuleDirectory() + GetPluginModuleName() + ".ini";
}

BOOL LoadProfileFile(LPCSTR file) {
    if (file == nullptr || std::strlen(file) < 2) {
        return FALSE;
    }
    CSettingsFileCache& cache = GetTargetSettingsCache();
    cache.Clear();
    FILE* stream = _fsopen(file, "r", _SH_DENYNO);
    if (stream == nullptr) {
        ShowTargetError("Can't find configration file", MB_ICONEXCLAMATION);
        return FALSE;
    }
    std::vector<char> content;
    char chunk[4096];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof(chunk), stream)) > 0) {
        content.insert(content.end(), chunk, chunk + read);
    }
    std::fclose(stream);
    content.push_back('\x1A');
    content.push_back('\0');
    cache.SetContent(std::move(content));
    return TRUE;
}

int ReadProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, int size, LPCSTR file) {
    if (section == nullptr || key == nullptr || file == nullptr) {
        return 0;
    }
    CSettingsFileCache& cache = GetTargetSettingsCache();
    if (!cache.IsLoaded() || !EqualNoCase(cache.FileName(), file)) {
        cache.SetFileName(file);
        if (!LoadProfileFile(file)) {
            return 0;
        }
    }
    // The text up to the end-of-file marker the loader appended.
    const std::vector<char>& content = cache.Content();
    const std::string_view text(content.data(), content.size() - 2);
    if (const auto value = FindValue(text, section, key)) {
        return CopyOut(*value, buffer, size);
    }
    return CopyOut(defaultValue != nullptr ? defaultValue : "", buffer, size);
}

int ReadProfileInt(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
    if (g_isWin9x == 0) {
        return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, file));
    }
    char text[256] = {};
    if (ReadProfileString(section, key, "", text, sizeof(text), file) > 0) {
        std::int32_t value = 0;
        if (ScanValues(text, "%d", &value) == 1) {
            return value;
        }
    }
    return defaultValue;
}

int ReadProfileValue(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
    char text[256] = {};
    if (ReadProfileString(section, key, "", text, sizeof(text), file) > 0) {
        std::uint32_t value = 0;
        if (ScanValues(text, "%x", &value) == 1) {
            return static_cast<int>(value);
        }
    }
    return defaultValue;
}

namespace {
std::atomic<DWORD> g_targetErrorsShown{0};
}  // namespace

DWORD TargetErrorsShown() {
    return g_targetErrorsShown.load();
}

int ShowTargetError(LPCSTR text, UINT type) {
    if ((type & MB_TYPEMASK) == MB_OK) {
        ++g_targetErrorsShown;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const char* caption = AfxGetApp() != nullptr && AfxGetAppName() != nullptr ? AfxGetAppName() : "Target";
    return MessageBoxA(GetHostMainWindow(), text, caption, type);
}

int ShowTargetMessage(UINT stringId, UINT type) {
    if (stringId == 0) {
        return IDOK;
    }
    return ShowTargetError(LoadTargetString(stringId).c_str(), type);
}

std::string LoadTargetString(UINT stringId) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return platform::LoadResourceString(AfxGetResourceHandle(), stringId).value_or("");
}
