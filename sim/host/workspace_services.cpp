#include "sim/host/workspace_services.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

namespace simhost {
namespace {

std::string Text(BSTR text) {
    return platform::BstrToAnsi(text);
}

}  // namespace

HRESULT PlaceholdersToVariant(const std::vector<CustomPlaceholder>& placeholders, VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    VariantInit(out);
    SAFEARRAYBOUND bound;
    bound.cElements = static_cast<ULONG>(placeholders.size() * 4);
    bound.lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
    if (array == nullptr) {
        return E_OUTOFMEMORY;
    }
    VARIANT* elements = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
    std::size_t index = 0;
    for (const CustomPlaceholder& placeholder : placeholders) {
        for (const std::string* text : {&placeholder.description, &placeholder.name, &placeholder.value}) {
            elements[index].vt = VT_BSTR;
            elements[index].bstrVal = platform::AllocBstr(*text);
            ++index;
        }
    }
    SafeArrayUnaccessData(array);
    out->vt = VT_ARRAY | VT_BSTR;
    out->parray = array;
    return S_OK;
}

HRESULT HostWorkspaceInfo::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHWorkSpaceInfo, object);
}

HRESULT HostWorkspaceInfo::Answer(const char* what, int slot, const std::string WorkspaceState::*field, BSTR* out,
                                  const std::optional<AskedNames>& asked) {
    std::lock_guard lock(mutex_);
    const bool namesMatch = !asked || IsCurrent(*asked);
    if (out == nullptr) {
        return E_POINTER;
    }
    if (state_.failingOperations.count(slot) != 0) {
        log_.Add(what, "(failed)");
        return E_FAIL;
    }
    const std::string& text = state_.*field;
    *out = platform::AllocBstr(namesMatch ? text : std::string());
    log_.Add(what, namesMatch ? text : "(not the current one)");
    return S_OK;
}

bool HostWorkspaceInfo::IsCurrent(const AskedNames& asked) const {
    return Text(asked.workspace) == state_.workspaceName &&
           (asked.project == nullptr || Text(asked.project) == state_.projectName) &&
           (asked.config == nullptr || Text(asked.config) == state_.configName);
}

HRESULT HostWorkspaceInfo::GetInstallDirectory(BSTR* folder) {
    return Answer("GetInstallDirectory", 5, &WorkspaceState::installDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetTempDirectory(BSTR* folder) {
    return Answer("GetTempDirectory", 6, &WorkspaceState::tempDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetCurrentConfigName(BSTR* name) {
    return Answer("GetCurrentConfigName", 10, &WorkspaceState::configName, name);
}

HRESULT HostWorkspaceInfo::GetCurrentProjectName(BSTR* name) {
    return Answer("GetCurrentProjectName", 11, &WorkspaceState::projectName, name);
}

HRESULT HostWorkspaceInfo::GetCurrentWorkspaceName(BSTR* name) {
    return Answer("GetCurrentWorkspaceName", 12, &WorkspaceState::workspaceName, name);
}

HRESULT HostWorkspaceInfo::GetConfigName(BSTR workspace, BSTR project, BSTR config, BSTR* name) {
    return Answer("GetConfigName", 19, &WorkspaceState::configName, name, AskedNames{workspace, project, config});
}

HRESULT HostWorkspaceInfo::GetProjectName(BSTR workspace, BSTR project, BSTR* name) {
    return Answer("GetProjectName", 20, &WorkspaceState::projectName, name, AskedNames{workspace, project});
}

HRESULT HostWorkspaceInfo::GetWorkspaceName(BSTR workspace, BSTR* name) {
    return Answer("GetWorkspaceName", 21, &WorkspaceState::workspaceName, name, AskedNames{workspace});
}

HRESULT HostWorkspaceInfo::GetConfigDirectory(BSTR workspace, BSTR project, BSTR config, BSTR* folder) {
    return Answer("GetConfigDirectory", 22, &WorkspaceState::configDirectory, folder,
                  AskedNames{workspace, project, config});
}

HRESULT HostWorkspaceInfo::GetProjectDirectory(BSTR workspace, BSTR project, BSTR* folder) {
    return Answer("GetProjectDirectory", 23, &WorkspaceState::projectDirectory, folder, AskedNames{workspace, project});
}

HRESULT HostWorkspaceInfo::GetWorkspaceDirectory(BSTR workspace, BSTR* folder) {
    return Answer("GetWorkspaceDirectory", 24, &WorkspaceState::workspaceDirectory, folder, AskedNames{workspace});
}

HRESULT HostWorkspaceInfo::HasWorkspacePlaceholders(DWORD* flag) {
    if (flag == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    *flag = state_.hasWorkspacePlaceholders ? 1 : 0;
    log_.Add("HasWorkspacePlaceholders", std::to_string(*flag));
    return S_OK;
}

HRESULT HostPlaceholderSettings::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHPlaceholderSettings, object);
}

HRESULT HostPlaceholderSettings::GetCustomPlaceholders(VARIANT* placeholders) {
    std::lock_guard lock(mutex_);
    log_.Add("GetCustomPlaceholders", std::to_string(state_.placeholders.size()));
    return PlaceholdersToVariant(state_.placeholders, placeholders);
}

HRESULT HostPlaceholderSettings::GetWorkspacePlaceholders(BSTR workspace, VARIANT* placeholders) {
    std::lock_guard lock(mutex_);
    const std::string name = Text(workspace);
    log_.Add("GetWorkspacePlaceholders", name);
    static const std::vector<CustomPlaceholder> kNone;
    return PlaceholdersToVariant(name == state_.workspaceName ? state_.workspacePlaceholders : kNone, placeholders);
}

}  // namespace simhost
