#include "sim/host/setting_services.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

namespace simhost {
namespace {

std::string Key(const std::string& workspace, const std::string& project, const std::string& session) {
    return workspace + "|" + project + "|" + session;
}

}  // namespace

HRESULT HostWorkspaceNames::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHWorkspaceNames*>(this), iid, IID_IHWorkspaceNames, object);
}

HRESULT HostWorkspaceNames::Answer(const char* what, const std::string WorkspaceState::*field, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::string value;
    {
        std::lock_guard lock(mutex_);
        value = state_.*field;
    }
    log_.Add(what, value);
    if (value.empty()) {
        *name = nullptr;
        return E_FAIL;
    }
    *name = platform::AllocBstr(value);
    return S_OK;
}

HRESULT HostWorkspaceNames::GetWorkspaceName(BSTR* name) {
    return Answer("GetWorkspaceName", &WorkspaceState::workspaceName, name);
}

HRESULT HostWorkspaceNames::GetProjectName(BSTR* name) {
    return Answer("GetProjectName", &WorkspaceState::projectName, name);
}

HRESULT HostWorkspaceNames::GetConfigurationName(BSTR* name) {
    return Answer("GetConfigurationName", &WorkspaceState::configName, name);
}

HRESULT HostWorkspaceNames::GetSessionName(BSTR* name) {
    return Answer("GetSessionName", &WorkspaceState::sessionName, name);
}

HRESULT HostSettingTexts::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHSettingText*>(this), iid, IID_IHSettingText, object);
}

HRESULT HostSettingTexts::GetSettingText(BSTR workspace, BSTR project, BSTR session, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    const std::string key = Key(platform::BstrToAnsi(workspace), platform::BstrToAnsi(project),
                                platform::BstrToAnsi(session));
    log_.Add("GetSettingText", key);
    std::lock_guard lock(mutex_);
    const auto found = texts_.find(key);
    *text = platform::AllocBstr(found != texts_.end() ? found->second : std::string());
    return S_OK;
}

HRESULT HostSettingTexts::SetSettingText(BSTR workspace, BSTR project, BSTR session, BSTR text) {
    const std::string key = Key(platform::BstrToAnsi(workspace), platform::BstrToAnsi(project),
                                platform::BstrToAnsi(session));
    std::string value = platform::BstrToAnsi(text);
    log_.Add("SetSettingText", key + "|" + value);
    std::lock_guard lock(mutex_);
    texts_[key] = std::move(value);
    return S_OK;
}

std::optional<std::string> HostSettingTexts::Stored(const std::string& workspace, const std::string& project,
                                                    const std::string& session) const {
    std::lock_guard lock(mutex_);
    const auto found = texts_.find(Key(workspace, project, session));
    if (found == texts_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void HostSettingTexts::Store(const std::string& workspace, const std::string& project, const std::string& session,
                             std::string text) {
    std::lock_guard lock(mutex_);
    texts_[Key(workspace, project, session)] = std::move(text);
}

}  // namespace simhost
