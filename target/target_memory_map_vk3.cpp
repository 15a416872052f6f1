#include "target/target_memory_map_vk3.h"

#include "config/device_data.h"
#include "config/target_config.h"

#include "platform/afx_app.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kDefaultAttribute = 1;

void TrimLeft(std::string& text) {
    text.erase(0, text.find_first_not_of(' '));
}

void TrimRight(std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
}

}  // namespace

CTargetMemoryMapVk3::CTargetMemoryMapVk3(IHostServiceProvider* host, DWORD firstLimit, DWORD secondLimit)
    : CTargetMemoryMap(host),
      m_firstLimit(firstLimit),
      m_secondLimit(secondLimit),
      m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTMemoryRange, &m_range);
    }
}

CTargetMemoryMapVk3::~CTargetMemoryMapVk3() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTMemoryRange, &m_range);
    }
}

HRESULT CTargetMemoryMapVk3::OnTargetOpen() {
    const HRESULT result = CTargetMemoryMap::OnTargetOpen();
    if (FAILED(result)) {
        return result;
    }
    // Building the map adds the default area, and a map built without
    // failing gets it once more: the host has always been shown two areas.
    AddDefaultArea();
    AddDefaultArea();
    return S_OK;
}

void CTargetMemoryMapVk3::AddDefaultArea() {
    AddArea(0, g_deviceValues.maxAddr, kDefaultAttribute, kDefaultAttribute, 1, 1, 1, 1);
}

std::string CTargetMemoryMapVk3::GetRomModeText(int) const {
    return {};
}

void CTargetMemoryMapVk3::SetRomMode(const std::string&) {}

void CTargetMemoryMapVk3::SetMapText(const std::string&) {
    // The family keeps no map words: whatever the text, nothing is applied.
}

std::string CTargetMemoryMapVk3::GetMapText() const {
    return JoinWords({});
}

void CTargetMemoryMapVk3::SetResourceText(const std::string&) {}

std::string CTargetMemoryMapVk3::GetResourceText() const {
    return JoinWords({});
}

std::vector<std::string> CTargetMemoryMapVk3::SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string rest = text + " ";
    TrimLeft(rest);
    while (!rest.empty()) {
        const std::size_t blank = rest.find(' ');
        words.push_back(rest.substr(0, blank));
        rest.erase(0, blank);
        TrimLeft(rest);
    }
    return words;
}

std::string CTargetMemoryMapVk3::JoinWords(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) {
        joined += word;
        joined += ' ';
    }
    TrimRight(joined);
    return joined;
}

void CTargetMemoryMapVk3::ParseAreaText(const std::string& text, AreaTextRecord& record) {
    std::vector<std::string> fields;
    std::string rest = text + ",";
    while (!rest.empty() && fields.size() < 5) {
        const std::size_t comma = rest.find(',');
        fields.push_back(rest.substr(0, comma));
        rest.erase(0, comma == std::string::npos ? rest.size() : comma + 1);
        TrimLeft(rest);
    }
    fields.resize(5);
    record.start = static_cast<DWORD>(std::strtoul(fields[0].c_str(), nullptr, 16));
    record.end = static_cast<DWORD>(std::strtoul(fields[1].c_str(), nullptr, 16));
    std::string name = fields[2];
    TrimRight(name);
    const std::size_t kept = std::min(name.size(), AreaTextRecord::kNameSize - 1);
    std::memset(record.name, 0, sizeof(record.name));
    std::memcpy(record.name, name.data(), kept);
    record.number = static_cast<DWORD>(std::strtoul(fields[3].c_str(), nullptr, 10));
    const auto attribute = static_cast<DWORD>(std::strtoul(fields[4].c_str(), nullptr, 10));
    // The family has no high attribute part: only the low part is kept.
    record.attributeHigh = 0;
    record.attributeLow = attribute % 100;
}

std::string CTargetMemoryMapVk3::FormatAreaText(const AreaTextRecord& record) {
    char text[96];
    std::snprintf(text, sizeof(text), "0x%08X,0x%08X,%.*s,%d,%d", static_cast<unsigned>(record.start),
                  static_cast<unsigned>(record.end), static_cast<int>(AreaTextRecord::kNameSize - 1), record.name,
                  static_cast<int>(record.number), static_cast<int>(record.attributeLow));
    return text;
}

HRESULT CTargetMemoryMapVk3::CRange::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTMemoryRange)) {
        *object = static_cast<IHTMemoryRange*>(this);
        return S_OK;
    }
    if (IsEqualIID(iid, IID_IHErrorReporter)) {
        *object = static_cast<IHErrorReporter*>(m_owner.m_reporter.get());
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CTargetMemoryMapVk3::CRange::GetAddressRange(DWORD* low, DWORD* high) {
    if (low != nullptr) {
        *low = 0;
    }
    if (high != nullptr) {
        *high = std::max(m_owner.m_firstLimit, m_owner.m_secondLimit);
    }
    return S_OK;
}

void CTargetMemoryMapVk3Setup::RunConfigurationSheet() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (g_targetConfig != nullptr) {
        static_cast<void>(g_targetConfig->RunConfigurationSheet());  // answers 0
    }
}

void CTargetMemoryMapVk3Setup::RunEmulatorSettingSheet() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (g_targetConfig != nullptr) {
        static_cast<void>(g_targetConfig->RunEmulatorSettingSheet());  // answers 0
    }
}
