#include "target/setting_item.h"

#include "target/target_objects.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr std::array<const char*, 5> kTypeLetters = {"", "V", "B", "I", "S"};

struct NameRow {
    const char* name;
    DWORD type;
};
constexpr std::array<NameRow, 9> kNames = {{
    {"", CSettingItem::kTypeNone},
    {"VERSION", CSettingItem::kTypeV},
    {"MAP", CSettingItem::kTypeS},
    {"RESOURCE", CSettingItem::kTypeS},
    {"ROM_MODE", CSettingItem::kTypeS},
    {"BUS_MODE", CSettingItem::kTypeI},
    {"CPU_MODE", CSettingItem::kTypeI},
    {"SIMIOF", CSettingItem::kTypeB},
    {"SIMIOADR", CSettingItem::kTypeI},
}};

// The ROM-mode text's selector that asks for the current mode.
constexpr int kCurrentRomMode = -1;
constexpr char kQuote = '"';

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The characters first..last (inclusive) without white space around them.
std::string TrimmedPart(const std::string& text, std::size_t first, std::size_t last) {
    std::size_t end = last + 1;
    while (first < end && IsBlank(text[first])) {
        ++first;
    }
    while (end > first && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

// The position before the next occurrence of what at or after from, as a
// signed value (-2 when there is none, as "not found" minus one).
long long EndBefore(const std::string& text, char what, std::size_t from) {
    const std::size_t found = from <= text.size() ? text.find(what, from) : std::string::npos;
    return found == std::string::npos ? -2 : static_cast<long long>(found) - 1;
}

// A value a parse would read back as itself: one without a quote or a blank
// at either end.
bool ReadsBackBare(const std::string& value) {
    return !value.empty() && value.front() != kQuote && value.back() != kQuote && !IsBlank(value.front()) &&
           !IsBlank(value.back());
}

}  // namespace

CSettingItem::CSettingItem(std::string text) : m_text(std::move(text)) {
    Parse();
}

CSettingItem::CSettingItem(DWORD nameId, std::string value)
    : m_type(nameId < kNames.size() ? kNames[nameId].type : kTypeNone),
      m_nameId(nameId < kNames.size() ? nameId : kNameNone),
      m_value(std::move(value)) {
    Format();
}

DWORD CSettingItem::FindNameId(const std::string& name) {
    for (DWORD id = 1; id < kNames.size(); ++id) {
        if (name == kNames[id].name) {
            return id;
        }
    }
    return kNameNone;
}

const char* CSettingItem::NameOf(DWORD nameId) {
    return nameId < kNames.size() ? kNames[nameId].name : "";
}

bool CSettingItem::Parse() {
    m_valid = 0;
    m_type = kTypeNone;
    m_nameId = kNameNone;
    m_value.clear();
    const long long size = static_cast<long long>(m_text.size());
    const std::size_t open = m_text.find('[');
    long long start = open == std::string::npos ? 0 : static_cast<long long>(open) + 1;
    long long end = EndBefore(m_text, '|', 0);
    if (start <= end) {
        const std::string letter = TrimmedPart(m_text, static_cast<std::size_t>(start), static_cast<std::size_t>(end));
        for (DWORD type = 1; type < kTypeLetters.size(); ++type) {
            if (letter == kTypeLetters[type]) {
                m_type = type;
            }
        }
    }
    if (m_type != kTypeNone) {
        start = end + 2;
        end = EndBefore(m_text, '|', static_cast<std::size_t>(start));
        if (start <= end && end < size) {
            m_nameId = FindNameId(TrimmedPart(m_text, static_cast<std::size_t>(start), static_cast<std::size_t>(end)));
        }
    }
    if (m_nameId != kNameNone) {
        start = end + 2;
        end = EndBefore(m_text, ']', static_cast<std::size_t>(start));
        if (start <= end && end < size) {
            m_value = TrimmedPart(m_text, static_cast<std::size_t>(start), static_cast<std::size_t>(end));
            if (!m_value.empty() && m_value.front() == kQuote) {
                m_value.erase(0, 1);
            }
            if (!m_value.empty() && m_value.back() == kQuote) {
                m_value.pop_back();
            }
            m_valid = m_value.empty() ? 0 : 1;
        }
    }
    if (m_valid == 0) {
        m_type = kTypeNone;
        m_nameId = kNameNone;
        m_value.clear();
    }
    return m_valid != 0;
}

bool CSettingItem::Format() {
    m_valid = 0;
    m_text.clear();
    if (m_nameId == kNameNone) {
        return false;
    }
    m_type = kNames[m_nameId].type;
    // The quotes go into the text only, so formatting again gives the same
    // text. Texts are always quoted; another value is quoted when a parse
    // would otherwise lose its quote or its blanks at either end.
    const bool quoted = m_type == kTypeS || !ReadsBackBare(m_value);
    m_text = std::string("[") + kTypeLetters[m_type] + "|" + kNames[m_nameId].name + "|" +
             (quoted ? kQuote + m_value + kQuote : m_value) + "]";
    m_valid = 1;
    return true;
}

DWORD CSettingItem::Apply(CMemoryMapSettingTexts* map) const {
    switch (m_nameId) {
    case kMap:
        return map != nullptr ? map->SetMapText(m_value.c_str()) : 0;
    case kResource:
        return map != nullptr ? map->SetResourceText(m_value.c_str()) : 0;
    case kRomMode:
        return map != nullptr ? map->SetRomMode(m_value.c_str()) : 0;
    case kSimIoF:
        return m_value == "1" ? 1 : 0;
    case kSimIoAdr:
        return static_cast<DWORD>(std::strtoul(m_value.c_str(), nullptr, 16));
    default:
        return 0;
    }
}

void CSettingItem::ReadBack(CMemoryMapSettingTexts* map) {
    switch (m_nameId) {
    case kMap:
        m_value = map != nullptr ? std::string(map->GetMapText()) : std::string();
        break;
    case kResource:
        m_value = map != nullptr ? std::string(map->GetResourceText()) : std::string();
        break;
    case kRomMode:
        m_value = map != nullptr ? std::string(map->GetRomModeText(kCurrentRomMode)) : std::string();
        break;
    case kSimIoF:
        m_value = "1";
        break;
    case kSimIoAdr: {
        char text[16];
        std::snprintf(text, sizeof(text), "0x%08X", 0u);
        m_value = text;
        break;
    }
    default:
        break;
    }
}
