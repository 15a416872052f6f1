#include "sim/host/workspace_services.h"

#include "platform/bstr.h"

namespace simhost {
namespace {

template <typename Interface>
HRESULT AnswerQuery(Interface* self, REFIID iid, const IID& own, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == own) {
        *object = self;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

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

HRESULT HostWorkspaceInfo::Answer(const char* what, int slot, bool namesMatch, const std::string& text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (state_.failingOperations.count(slot) != 0) {
        log_.Add(what, "(failed)");
        return E_FAIL;
    }
    *out = platform::AllocBstr(namesMatch ? text : std::string());
    log_.Add(what, namesMatch ? text : "(not the current one)");
    return S_OK;
}

bool HostWorkspaceInfo::IsCurrent(BSTR workspace, BSTR project, BSTR config) const {
    return Text(workspace) == state_.workspaceName && (project == nullptr || Text(project) == state_.projectName) &&
           (config == nullptr || Text(config) == state_.configName);
}

HRESULT HostWorkspaceInfo::GetInstallDirectory(BSTR* folder) {
    std::lock_guard lock(mutex_);
    return Answer("GetInstallDirectory", 5, true, state_.installDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetTempDirectory(BSTR* folder) {
    std::lock_guard lock(mutex_);
    return Answer("GetTempDirectory", 6, true, state_.tempDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetCurrentConfigName(BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetCurrentConfigName", 10, true, state_.configName, name);
}

HRESULT HostWorkspaceInfo::GetCurrentProjectName(BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetCurrentProjectName", 11, true, state_.projectName, name);
}

HRESULT HostWorkspaceInfo::GetCurrentWorkspaceName(BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetCurrentWorkspaceName", 12, true, state_.workspaceName, name);
}

HRESULT HostWorkspaceInfo::GetConfigName(BSTR workspace, BSTR project, BSTR config, BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetConfigName", 19, IsCurrent(workspace, project, config), state_.configName, name);
}

HRESULT HostWorkspaceInfo::GetProjectName(BSTR workspace, BSTR project, BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetProjectName", 20, IsCurrent(workspace, project), state_.projectName, name);
}

HRESULT HostWorkspaceInfo::GetWorkspaceName(BSTR workspace, BSTR* name) {
    std::lock_guard lock(mutex_);
    return Answer("GetWorkspaceName", 21, IsCurrent(workspace), state_.workspaceName, name);
}

HRESULT HostWorkspaceInfo::GetConfigDirectory(BSTR workspace, BSTR project, BSTR config, BSTR* folder) {
    std::lock_guard lock(mutex_);
    return Answer("GetConfigDirectory", 22, IsCurrent(workspace, project, config), state_.configDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetProjectDirectory(BSTR workspace, BSTR project, BSTR* folder) {
    std::lock_guard lock(mutex_);
    return Answer("GetProjectDirectory", 23, IsCurrent(workspace, project), state_.projectDirectory, folder);
}

HRESULT HostWorkspaceInfo::GetWorkspaceDirectory(BSTR workspace, BSTR* folder) {
    std::lock_guard lock(mutex_);
    return Answer("GetWorkspaceDirectory", 24, IsCurrent(workspace), state_.workspaceDirectory, folder);
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
