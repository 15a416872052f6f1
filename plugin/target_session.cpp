// The target's session load and save: the configuration handler's options
// and the event handler's conditions in the host's workspace, the "IS_SAVED"
// mark, and the setting items around them.
#include "target/target_vk3.h"

#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "frame/host_profile_accessor.h"
#include "target/target_cfg_vk3.h"
#include "target/target_objects.h"

#include "platform/bstr.h"
#include "platform/host/session_interfaces.h"
#include "platform/host/storage_interfaces.h"

namespace {

constexpr char kKeyIsSaved[] = "T_SESSION_IS_SAVED";
constexpr char kSaved[] = "YES";
constexpr char kNotSaved[] = "NO";

IHWorkspaceStorage* QueryStorage(IHostServiceProvider* host) {
    IHWorkspaceStorage* storage = nullptr;
    if (host == nullptr || FAILED(host->QueryService(IID_IHWorkspaceStorage, reinterpret_cast<void**>(&storage)))) {
        return nullptr;
    }
    return storage;
}

// Saved means the plug-in marked the session "YES".
bool IsSessionSaved(CHostProfileAccessor& accessor) {
    CString value;
    accessor.ReadString(kKeyIsSaved, kNotSaved, value);
    return value == kSaved;
}

// A temporary setting-item store, open for one call.
template <typename Work>
void WithSettingItemStore(IHostServiceProvider* host, Work work) {
    const auto factory = GetTargetObjectFactories().settingItemStore;
    const std::unique_ptr<CSettingItemStoreBase> store = factory ? factory(host) : nullptr;
    if (store == nullptr) {
        return;
    }
    if (SUCCEEDED(store->Open())) {
        work(*store);
    }
    store->Close();
}

}  // namespace

const std::vector<std::string>& CTargetComponentBase::DefaultSettingItems() {
    static const std::vector<std::string> items = {"ROM_MODE", "MAP", "RESOURCE", "SIMIOF", "SIMIOADR"};
    return items;
}

HRESULT CTargetComponentBase::OnLoadSession(BSTR first, BSTR second, BSTR third, BSTR fourth) {
    bool saved = false;
    if (IHWorkspaceStorage* storage = QueryStorage(m_host)) {
        CHostProfileAccessorEx accessor(storage, platform::BstrToAnsi(first).c_str(),
                                        platform::BstrToAnsi(second).c_str(), platform::BstrToAnsi(third).c_str(),
                                        platform::BstrToAnsi(fourth).c_str(), m_componentClassId);
        saved = SUCCEEDED(LoadSessionObjects(accessor)) && IsSessionSaved(accessor);
    }
    if (!saved) {
        // A session the plug-in did not save (or could not read) is saved at
        // once, so its options are in the workspace from now on.
        RunItemHelperRefresh();
        OnSaveSession(first, second, fourth);
    }
    SetModified(0);
    return S_OK;
}

HRESULT CTargetComponentBase::OnLoadSessionDefaults(BSTR first, BSTR second, BSTR third, BSTR fourth) {
    OnLoadSession(first, second, third, fourth);
    RunItemHelperUpdate(nullptr);
    return S_OK;
}

HRESULT CTargetComponentBase::OnSaveSession(BSTR first, BSTR second, BSTR third) {
    IHSessionNameText* names = nullptr;
    platform::Bstr name;
    IHWorkspaceStorage* storage = nullptr;
    if (m_host != nullptr && SUCCEEDED(m_host->QueryService(IID_IHSessionNameText, reinterpret_cast<void**>(&names))) &&
        names != nullptr && SUCCEEDED(names->GetNameText(name.Out())) &&
        (storage = QueryStorage(m_host)) != nullptr) {
        CHostProfileAccessorEx accessor(storage, platform::BstrToAnsi(first).c_str(),
                                        platform::BstrToAnsi(second).c_str(), name.Ansi().c_str(),
                                        platform::BstrToAnsi(third).c_str(), m_componentClassId);
        if (SUCCEEDED(SaveSessionObjects(accessor))) {
            // A failed mark leaves the session to be saved again at its next load.
            static_cast<void>(accessor.WriteString(kKeyIsSaved, kSaved));
        }
    }
    RunItemHelperUpdate(nullptr);
    SetModified(0);
    return S_OK;
}

HRESULT CTargetComponentBase::LoadSessionObjects(CHostProfileAccessor& accessor) {
    if (auto* cfg = dynamic_cast<CTargetCfgVk3*>(m_cfgHandler); cfg != nullptr && FAILED(cfg->LoadTargetConfig(accessor))) {
        return TE_FILE_READ_ERROR;
    }
    if (m_eventHandler != nullptr && FAILED(m_eventHandler->LoadSession(accessor))) {
        return TE_FILE_READ_ERROR;
    }
    return S_OK;
}

HRESULT CTargetComponentBase::SaveSessionObjects(CHostProfileAccessor& accessor) {
    if (auto* cfg = dynamic_cast<CTargetCfgVk3*>(m_cfgHandler); cfg != nullptr && FAILED(cfg->SaveTargetConfig(accessor))) {
        return TE_FILE_WRITE_ERROR;
    }
    if (m_eventHandler != nullptr && FAILED(m_eventHandler->SaveSession(accessor))) {
        return TE_FILE_WRITE_ERROR;
    }
    return S_OK;
}

void CTargetComponentBase::RunItemHelperRefresh() {
    WithSettingItemStore(m_host, [](CSettingItemStoreBase& store) {
        // The items keep what they held when the workspace has none.
        static_cast<void>(store.Load());
    });
}

void CTargetComponentBase::RunItemHelperUpdate(const std::vector<std::string>* items) {
    WithSettingItemStore(m_host, [items](CSettingItemStoreBase& store) {
        // A failed write is the host's to report; the session goes on.
        static_cast<void>(store.Save(items != nullptr ? *items : DefaultSettingItems()));
    });
}
