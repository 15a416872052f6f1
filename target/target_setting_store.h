// The setting items' store: a short-lived handler that the target opens
// around a session load or save. Loading reads the host's setting text for
// the session and applies its items; saving refreshes the items from the
// target and stores the text again.
#pragma once

#include "frame/target_handler.h"
#include "target/setting_item.h"
#include "target/target_objects.h"

#include "platform/bstr.h"

#include <memory>
#include <string>
#include <vector>

struct IHSettingText;
struct IHWorkspaceNames;

class CTargetSettingStore : public CTargetHandler, public CSettingItemStoreBase {
public:
    // map: where the items' texts go and come from (none: the items pass
    // nothing and read empty texts).
    CTargetSettingStore(IHostServiceProvider* host, CMemoryMapSettingTexts* map);
    ~CTargetSettingStore() override;

    // Takes the host's workspace names (E_FAIL without them, else the first
    // failure reading them) and, when the host has it, its setting-text
    // service.
    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;

    // CSettingItemStoreBase
    HRESULT Open() override { return OnTargetOpen(); }
    void Close() override { static_cast<void>(OnTargetClose()); }
    HRESULT Load() override;
    // Refreshes the named items (adding those missing) after the stored
    // ones, then stores the text of every valid item.
    HRESULT Save(const std::vector<std::string>& items) override;

    // Items from a stored text: every "[" ... "]" in order, invalid ones too.
    void ParseText(const std::string& text);
    // The text of the valid items, each followed by a blank, trimmed.
    std::string FormatText();
    // The first valid item of that name, or none.
    CSettingItem* FindItem(DWORD nameId) const;
    const std::vector<std::unique_ptr<CSettingItem>>& GetItems() const { return m_items; }
    const std::string& GetVersion() const { return m_version; }

private:
    std::string ReadStoredText();
    void StoreText(const std::string& text);

    CMemoryMapSettingTexts* m_map;
    IHWorkspaceNames* m_workspace = nullptr;
    IHSettingText* m_settingText = nullptr;
    // The workspace, project, configuration and session names.
    platform::Bstr m_names[4];
    std::vector<std::unique_ptr<CSettingItem>> m_items;
    std::string m_version = "1";
};
