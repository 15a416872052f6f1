#include "sim/host/label_services.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"
#include "sim/host/workspace_storage.h"

namespace simhost {

HRESULT HostSessionInfo::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHSessionInfo, object);
}

HRESULT HostSessionInfo::Answer(const char* what, const std::string WorkspaceState::*field, BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::string text;
    {
        std::lock_guard lock(mutex_);
        text = state_.*field;
    }
    log_.Add(what, text);
    *name = platform::AllocBstr(text);
    return S_OK;
}

HRESULT HostSessionInfo::GetProjectName(BSTR* name) {
    return Answer("SessionProjectName", &WorkspaceState::projectName, name);
}

HRESULT HostSessionInfo::GetWorkspaceName(BSTR* name) {
    return Answer("SessionWorkspaceName", &WorkspaceState::workspaceName, name);
}

HRESULT HostSessionInfo::GetConfigurationName(BSTR* name) {
    return Answer("SessionConfigurationName", &WorkspaceState::configName, name);
}

HRESULT HostDataManager::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHDataManager, object);
}

HRESULT HostDataManager::GetSessionNames(BSTR* first, BSTR* second) {
    if (first == nullptr || second == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    log_.Add("SessionNames", state_.workspaceName + "|" + state_.projectName);
    *first = platform::AllocBstr(state_.workspaceName);
    *second = platform::AllocBstr(state_.projectName);
    return S_OK;
}

HRESULT HostDataManager::GetSessionFolder(BSTR first, BSTR second, BSTR* folder) {
    if (folder == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    log_.Add("SessionFolder", platform::BstrToAnsi(first) + "|" + platform::BstrToAnsi(second));
    if (state_.sessionFolder.empty() || platform::BstrToAnsi(first) != state_.workspaceName ||
        platform::BstrToAnsi(second) != state_.projectName) {
        return E_FAIL;
    }
    *folder = platform::AllocBstr(state_.sessionFolder);
    return S_OK;
}

HRESULT HostDataManager::GetSessionName(BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    log_.Add("SessionName", state_.sessionName);
    if (state_.sessionFolder.empty()) {
        return E_FAIL;
    }
    *name = platform::AllocBstr(state_.sessionName);
    return S_OK;
}

HRESULT HostDataManager::StoreText(BSTR workspace, BSTR project, BSTR configuration, BSTR key, BSTR text) {
    log_.Add("DataStore", platform::BstrToAnsi(key) + "=" + platform::BstrToAnsi(text));
    if (storage_ == nullptr) {
        return E_FAIL;
    }
    return storage_->WriteSessionText2(workspace, project, configuration, key, text);
}

HRESULT HostDataManager::ReadText(BSTR workspace, BSTR project, BSTR configuration, BSTR key, BSTR* text) {
    log_.Add("DataRead", platform::BstrToAnsi(key));
    if (storage_ == nullptr) {
        return E_FAIL;
    }
    return storage_->ReadSessionText2(workspace, project, configuration, key, text);
}

void HostLabelSelection::QueueLabel(std::string label) {
    std::lock_guard lock(mutex_);
    queued_.push_back(std::move(label));
}

void HostLabelSelection::SetAsker(Asker asker) {
    std::lock_guard lock(mutex_);
    asker_ = std::move(asker);
}

HRESULT HostLabelSelection::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(this, iid, IID_IHLabelSelection, object);
}

HRESULT HostLabelSelection::ChooseLabel(BSTR* label) {
    if (label == nullptr) {
        return E_POINTER;
    }
    *label = nullptr;
    std::optional<std::string> chosen;
    Asker asker;
    {
        std::lock_guard lock(mutex_);
        if (!queued_.empty()) {
            chosen = std::move(queued_.front());
            queued_.pop_front();
        } else {
            asker = asker_;
        }
    }
    if (!chosen && asker) {
        chosen = asker();  // outside the lock: the person may take a while
    }
    log_.Add("ChooseLabel", chosen ? *chosen : "(cancelled)");
    if (!chosen) {
        return S_FALSE;
    }
    *label = platform::AllocBstr(*chosen);
    return S_OK;
}

}  // namespace simhost
