#include "util/placeholder_expander.h"

#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/sysinfo.h"
#include "util/mbcs.h"
#include "util/path_split.h"
#include "util/placeholder_keywords.h"
#include "util/placeholder_text.h"

#include <memory>
#include <vector>

namespace {

// The 10,000th placeholder and all behind it stay as they are.
constexpr int kMaxPlaceholders = 9'999;
constexpr UINT kFolderBufferSize = 260;

const char* const kTimeFormats[] = {"%H:%M:%S", "%B %d, %Y", "%d/%m/%Y", "%m/%d/%Y", "%Y/%m/%d"};

CString Unavailable(int index) {
    return PlaceholderToken(index, TRUE);
}

CString TakeText(platform::Bstr& text) {
    return CString(text.Ansi());
}

// The Windows folder or the system folder; "" when it does not fit.
CString WindowsFolder(bool system) {
    char folder[kFolderBufferSize + 1] = {};
    const UINT length = system ? GetSystemDirectoryA(folder, kFolderBufferSize)
                               : GetWindowsDirectoryA(folder, kFolderBufferSize);
    return length == 0 || length > kFolderBufferSize ? CString() : CString(folder);
}

CString UserName() {
    char name[201] = {};
    DWORD size = 200;
    return GetUserNameA(name, &size) ? CString(name) : CString();
}

// Deletes the records of the maps it holds when it goes.
struct CustomMaps {
    CCustomPlaceholderMap first;
    CCustomPlaceholderMap second;
    ~CustomMaps() {
        DeleteCustomPlaceholders(first);
        DeleteCustomPlaceholders(second);
    }
};

}  // namespace

CPlaceholderExpander::CPlaceholderExpander(IHostServiceProvider* host) {
    if (host == nullptr) {
        return;
    }
    void* service = nullptr;
    if (SUCCEEDED(host->QueryService(IID_IHWorkSpaceInfo, &service))) {
        m_workspaceInfo = static_cast<IHWorkSpaceInfo*>(service);
    }
    service = nullptr;
    if (SUCCEEDED(host->QueryService(IID_IHPlaceholderSettings, &service))) {
        m_placeholderSettings = static_cast<IHPlaceholderSettings*>(service);
    }
}

CString CPlaceholderExpander::Expand(LPCSTR text, LPCSTR fileName) {
    return ExpandWithContext(text, nullptr, nullptr, nullptr, fileName);
}

CString CPlaceholderExpander::ExpandWithContext(LPCSTR text, LPCSTR workspace, LPCSTR project, LPCSTR config,
                                                LPCSTR fileName) {
    CString working = text != nullptr ? text : "";
    int offset = 0;
    CString before;
    CString name;
    CString after;
    for (int handled = 0; handled < kMaxPlaceholders; ++handled) {
        if (SplitAtPlaceholder(working, before, name, after, offset) != 0) {
            break;
        }
        CString value;
        if (ResolveKeyword(name, value, fileName, workspace, project, config)) {
            // The search goes on after the value, which is never expanded again.
            working = before + value + after;
            offset = before.GetLength() + value.GetLength();
        } else {
            working = before + after;
            offset = before.GetLength();
        }
    }
    return working;
}

BOOL CPlaceholderExpander::ResolveKeyword(LPCSTR name, CString& value, LPCSTR fileName, LPCSTR workspace,
                                          LPCSTR project, LPCSTR config) {
    value.Empty();
    const int index = FindAnyKeyword(name);
    if (index >= 0) {
        return ResolvePlaceholder(index, value, name, fileName, workspace, project, config);
    }
    CustomMaps maps;
    GetCustomPlaceholders(maps.first, maps.second);
    CCustomPlaceholderInfo* record = nullptr;
    const bool inFirst = maps.first.Lookup(name, record) && record != nullptr;
    if (inFirst) {
        value = record->m_value;
    }
    record = nullptr;
    const bool inSecond = maps.second.Lookup(name, record) && record != nullptr;
    if (value.IsEmpty() && inSecond) {
        value = record->m_value;
    }
    return inFirst || inSecond ? TRUE : FALSE;
}

BOOL CPlaceholderExpander::ResolvePlaceholder(int index, CString& value, LPCSTR typedName, LPCSTR fileName,
                                              LPCSTR workspace, LPCSTR project, LPCSTR config) {
    value.Empty();
    if (index < kFullFile || index > kDeviceDetails) {
        return FALSE;
    }
    switch (index) {
        case kFullFile:
        case kFileName:
        case kFileLeaf:
        case kFileDir:
        case kExtension:
            if (fileName == nullptr) {
                value = Unavailable(index);
            } else if (index == kFullFile) {
                value = fileName;
            } else if (index == kFileName) {
                value = GetPathLeaf(fileName);
            } else if (index == kFileLeaf) {
                value = GetPathTitle(fileName);
            } else if (index == kFileDir) {
                value = GetPathFolder(fileName);
            } else {
                value = GetPathExtension(fileName);
            }
            break;
        case kKtrDir:
        case kTempDir:
            if (m_workspaceInfo == nullptr) {
                value = Unavailable(index);
            } else {
                platform::Bstr folder;
                if (index == kKtrDir) {
                    m_workspaceInfo->GetInstallDirectory(folder.Out());
                } else {
                    m_workspaceInfo->GetTempDirectory(folder.Out());
                }
                value = TakeText(folder);
            }
            break;
        case kWorkspaceDir:
        case kWorkspaceName:
        case kProjectDir:
        case kProjectName:
        case kConfigName:
        case kConfigDir: {
            const bool needsProject = index >= kProjectDir;
            const bool needsConfig = index >= kConfigName;
            CString workspaceName;
            CString projectName;
            CString configName;
            GetWorkspaceName(workspaceName, workspace);
            if (needsProject) {
                GetProjectName(projectName, project);
            }
            if (needsConfig) {
                GetConfigName(configName, config);
            }
            if (m_workspaceInfo == nullptr || workspaceName.IsEmpty() || (needsProject && projectName.IsEmpty()) ||
                (needsConfig && configName.IsEmpty())) {
                value = Unavailable(index);
                break;
            }
            const platform::Bstr ws(workspaceName.Str());
            const platform::Bstr proj(projectName.Str());
            const platform::Bstr conf(configName.Str());
            platform::Bstr answer;
            switch (index) {
                case kWorkspaceDir:
                    m_workspaceInfo->GetWorkspaceDirectory(ws.Get(), answer.Out());
                    break;
                case kWorkspaceName:
                    m_workspaceInfo->GetWorkspaceName(ws.Get(), answer.Out());
                    break;
                case kProjectDir:
                    m_workspaceInfo->GetProjectDirectory(ws.Get(), proj.Get(), answer.Out());
                    break;
                case kProjectName:
                    m_workspaceInfo->GetProjectName(ws.Get(), proj.Get(), answer.Out());
                    break;
                case kConfigName:
                    m_workspaceInfo->GetConfigName(ws.Get(), proj.Get(), conf.Get(), answer.Out());
                    break;
                default:
                    m_workspaceInfo->GetConfigDirectory(ws.Get(), proj.Get(), conf.Get(), answer.Out());
                    break;
            }
            value = TakeText(answer);
            break;
        }
        case kWinDir:
            value = WindowsFolder(false);
            break;
        case kWinSysDir:
            value = WindowsFolder(true);
            break;
        case kTime:
        case kDateText:
        case kDateDmy:
        case kDateMdy:
        case kDateYmd:
            value = CTime(ClockTime(nullptr)).Format(kTimeFormats[index - kTime]);
            break;
        case kUser:
            value = UserName();
            break;
        case kUserInput:
            value = typedName != nullptr ? "$(" + CString(typedName) + ")" : CString("$(ERROR)");
            break;
        default:
            // Written with its long name, also when the short code was typed.
            value = Unavailable(index);
            break;
    }
    return value.IsEmpty() ? FALSE : TRUE;
}

BOOL CPlaceholderExpander::CheckText(LPCSTR text, const int* allowed) {
    CustomMaps maps;
    GetCustomPlaceholders(maps.first, maps.second);
    return CheckPlaceholderNames(text, allowed, maps.first, maps.second) != 0 ? TRUE : FALSE;
}

void CPlaceholderExpander::ListPlaceholders(CCustomPlaceholderMap& map) {
    CustomMaps maps;
    GetCustomPlaceholders(maps.first, maps.second);
    for (CCustomPlaceholderMap* source : {&maps.first, &maps.second}) {
        // Take the records over from the fetched map before handing them on.
        std::vector<std::unique_ptr<CCustomPlaceholderInfo>> records;
        for (POSITION position = source->GetStartPosition(); position != nullptr;) {
            CString name;
            CCustomPlaceholderInfo* record = nullptr;
            source->GetNextAssoc(position, name, record);
            records.emplace_back(record);
        }
        source->RemoveAll();
        const bool first = source == &maps.first;
        for (auto& record : records) {
            CCustomPlaceholderInfo* present = nullptr;
            if (record != nullptr && (first || !map.Lookup(record->m_name, present))) {
                SetCustomPlaceholder(map, record.get());
                record.release();  // the caller's map owns it now
            }
        }
    }
}

void CPlaceholderExpander::GetCustomPlaceholders(CCustomPlaceholderMap& first, CCustomPlaceholderMap& second) {
    if (m_placeholderSettings != nullptr) {
        VARIANT placeholders;
        VariantInit(&placeholders);
        m_placeholderSettings->GetCustomPlaceholders(&placeholders);
        VariantToCustomPlaceholderMap(placeholders, first);
        VariantClear(&placeholders);
    }
    if (m_workspaceInfo == nullptr) {
        return;
    }
    DWORD hasOwn = 0;
    m_workspaceInfo->HasWorkspacePlaceholders(&hasOwn);
    if (hasOwn == 0 || m_placeholderSettings == nullptr) {
        return;
    }
    platform::Bstr workspace;
    m_workspaceInfo->GetCurrentWorkspaceName(workspace.Out());
    VARIANT placeholders;
    VariantInit(&placeholders);
    m_placeholderSettings->GetWorkspacePlaceholders(workspace.Get(), &placeholders);
    VariantToCustomPlaceholderMap(placeholders, second);
    VariantClear(&placeholders);
}

void CPlaceholderExpander::GetWorkspaceName(CString& name, LPCSTR given) {
    if (given != nullptr) {
        name = given;
        return;
    }
    platform::Bstr current;
    if (m_workspaceInfo != nullptr) {
        m_workspaceInfo->GetCurrentWorkspaceName(current.Out());
    }
    name = TakeText(current);
}

void CPlaceholderExpander::GetProjectName(CString& name, LPCSTR given) {
    if (given != nullptr) {
        name = given;
        return;
    }
    platform::Bstr current;
    if (m_workspaceInfo != nullptr) {
        m_workspaceInfo->GetCurrentProjectName(current.Out());
    }
    name = TakeText(current);
}

void CPlaceholderExpander::GetConfigName(CString& name, LPCSTR given) {
    if (given != nullptr) {
        name = given;
        return;
    }
    platform::Bstr current;
    if (m_workspaceInfo != nullptr) {
        m_workspaceInfo->GetCurrentConfigName(current.Out());
    }
    name = TakeText(current);
}

BOOL CPlaceholderExpander::UsesCustomPlaceholders(LPCSTR text) {
    if (text == nullptr) {
        return FALSE;
    }
    CustomMaps maps;
    GetCustomPlaceholders(maps.first, maps.second);
    for (const CCustomPlaceholderMap* map : {&maps.first, &maps.second}) {
        for (POSITION position = map->GetStartPosition(); position != nullptr;) {
            CString name;
            CCustomPlaceholderInfo* record = nullptr;
            map->GetNextAssoc(position, name, record);
            if (mbcs::FindText(text, "$(" + name + ")") >= 0) {
                return TRUE;
            }
        }
    }
    return FALSE;
}

CString ExpandPlaceholders(IHostServiceProvider* host, LPCSTR text) {
    CPlaceholderExpander expander(host);
    return expander.Expand(text);
}
