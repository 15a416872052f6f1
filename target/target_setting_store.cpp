#include "target/target_setting_store.h"

#include "platform/host/status_interfaces.h"

#include <array>

namespace {

// The order in which a load applies the items.
constexpr std::array<DWORD, 5> kApplyOrder = {CSettingItem::kRomMode, CSettingItem::kMap, CSettingItem::kResource,
                                              CSettingItem::kSimIoAdr, CSettingItem::kSimIoF};

// The keys of the stored text: the workspace, project and session names.
constexpr std::array<std::size_t, 3> kTextKeys = {0, 1, 3};

}  // namespace

CTargetSettingStore::CTargetSettingStore(IHostServiceProvider* host, CMemoryMapSettingTexts* map)
    : CTargetHandler(host), m_map(map) {}

CTargetSettingStore::~CTargetSettingStore() = default;

HRESULT CTargetSettingStore::OnTargetOpen() {
    const HRESULT opened = CTargetHandler::OnTargetOpen();
    if (FAILED(opened)) {
        return opened;
    }
    m_workspace = nullptr;
    m_settingText = nullptr;
    if (m_host != nullptr) {
        m_host->QueryService(IID_IHWorkspaceNames, reinterpret_cast<void**>(&m_workspace));
    }
    if (m_workspace == nullptr) {
        return E_FAIL;
    }
    const std::array<HRESULT (STDMETHODCALLTYPE IHWorkspaceNames::*)(BSTR*), 4> readers = {
        &IHWorkspaceNames::GetWorkspaceName, &IHWorkspaceNames::GetProjectName,
        &IHWorkspaceNames::GetConfigurationName, &IHWorkspaceNames::GetSessionName};
    for (std::size_t i = 0; i < readers.size(); ++i) {
        const HRESULT read = (m_workspace->*readers[i])(m_names[i].Out());
        if (FAILED(read)) {
            return read;
        }
    }
    m_host->QueryService(IID_IHSettingText, reinterpret_cast<void**>(&m_settingText));
    return S_OK;
}

HRESULT CTargetSettingStore::OnTargetClose() {
    m_items.clear();
    return CTargetHandler::OnTargetClose();
}

std::string CTargetSettingStore::ReadStoredText() {
    if (m_settingText == nullptr) {
        return {};
    }
    platform::Bstr text;
    if (FAILED(m_settingText->GetSettingText(m_names[kTextKeys[0]].Get(), m_names[kTextKeys[1]].Get(),
                                             m_names[kTextKeys[2]].Get(), text.Out()))) {
        return {};
    }
    return text.Ansi();
}

void CTargetSettingStore::StoreText(const std::string& text) {
    if (m_settingText == nullptr) {
        return;
    }
    const platform::Bstr wide(text);
    m_settingText->SetSettingText(m_names[kTextKeys[0]].Get(), m_names[kTextKeys[1]].Get(),
                                  m_names[kTextKeys[2]].Get(), wide.Get());
}

void CTargetSettingStore::ParseText(const std::string& text) {
    m_items.clear();
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('[', position);
        const std::size_t close = text.find(']', position);
        if (open == std::string::npos || close == std::string::npos || open > close) {
            break;
        }
        m_items.push_back(std::make_unique<CSettingItem>(text.substr(open, close - open + 1)));
        position = close + 1;
    }
}

std::string CTargetSettingStore::FormatText() {
    std::string text;
    for (const auto& item : m_items) {
        if (item->Format()) {
            text += item->GetText() + " ";
        }
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

CSettingItem* CTargetSettingStore::FindItem(DWORD nameId) const {
    for (const auto& item : m_items) {
        if (item->IsValid() && item->GetNameId() == nameId) {
            return item.get();
        }
    }
    return nullptr;
}

HRESULT CTargetSettingStore::Load() {
    const std::string text = ReadStoredText();
    if (text.empty()) {
        return S_OK;
    }
    ParseText(text);
    if (const CSettingItem* version = FindItem(CSettingItem::kVersion)) {
        m_version = version->GetValue();
    }
    for (const DWORD nameId : kApplyOrder) {
        if (const CSettingItem* item = FindItem(nameId)) {
            static_cast<void>(item->Apply(m_map));  // the memory map's answer changes nothing here
        }
    }
    return S_OK;
}

HRESULT CTargetSettingStore::Save(const std::vector<std::string>& items) {
    const std::string stored = ReadStoredText();
    if (stored.empty()) {
        m_items.clear();
    } else {
        ParseText(stored);
    }
    for (const std::string& name : items) {
        const DWORD nameId = CSettingItem::FindNameId(name);
        if (nameId == CSettingItem::kNameNone) {
            continue;
        }
        CSettingItem* item = FindItem(nameId);
        if (item == nullptr) {
            m_items.push_back(std::make_unique<CSettingItem>(nameId, std::string()));
            item = m_items.back().get();
        }
        item->ReadBack(m_map);
    }
    StoreText(FormatText());
    return S_OK;
}
