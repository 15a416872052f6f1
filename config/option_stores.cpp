#include "config/option_stores.h"

#include "util/scan_values.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::array<const char*, CBreakModeStore::kModeCount> kModeNames = {
    "Normal",
    "No Break",
    "Sequential break Condition 2-1",
    "Sequential break Condition 3-2-1",
    "Sequential break Condition 4-3-2-1",
};
constexpr std::array<const char*, CBreakModeStore::kModeCount> kShortNames = {"", "N", "S1", "S2", "S3"};

}  // namespace

void CBreakModeStore::Set(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5) {
    m_mode = mode;
    m_value2 = value2;
    m_value3 = value3;
    m_value4 = value4;
    m_value5 = value5;
}

void CBreakModeStore::Get(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5) const {
    *mode = m_mode;
    *value2 = m_value2;
    *value3 = m_value3;
    *value4 = m_value4;
    *value5 = m_value5;
}

BreakModeValues CBreakModeStore::Values() const {
    return {m_mode, m_value2, m_value3, m_value4, m_value5};
}

std::string CBreakModeStore::GetName() const {
    if (m_mode >= kModeCount) {
        return {};
    }
    return m_alternativeNames == 1 ? kShortNames[m_mode] : kModeNames[m_mode];
}

int CBreakModeStore::Differs(const CBreakModeStore& other) const {
    return *this == other ? 0 : 1;
}

std::string CBreakModeStore::Format() const {
    char text[48];
    std::snprintf(text, sizeof(text), "%d %d %d %d", static_cast<int>(m_mode), static_cast<int>(m_value2),
                  static_cast<int>(m_value4), static_cast<int>(m_value5));
    return text;
}

bool CBreakModeStore::Parse(const char* text) {
    std::int32_t values[4] = {};
    const int read = ScanValues(text, " %d %d %d %d", &values[0], &values[1], &values[2], &values[3]);
    if (read >= 1 && (values[0] < 0 || static_cast<DWORD>(values[0]) >= kModeCount)) {
        return false;
    }
    DWORD* const fields[4] = {&m_mode, &m_value2, &m_value4, &m_value5};
    for (int i = 0; i < read; ++i) {
        *fields[i] = static_cast<DWORD>(values[i]);
    }
    return true;
}

std::string CStepOptionStore::Format() const {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", static_cast<int>(m_value));
    return text;
}

bool CStepOptionStore::Parse(const char* text) {
    std::int32_t value = 0;
    if (ScanValues(text, " %d", &value) != 1) {
        return false;
    }
    m_value = static_cast<DWORD>(value);
    return true;
}
