#include "target/target_config.h"

#include "target/target_vk3.h"

#include <atomic>

std::unique_ptr<CTargetConfig> g_targetConfig;
DWORD g_clockIndex = 3;

namespace {

std::atomic<bool> g_targetBusy{false};

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

CTargetConfig::CTargetConfig() {
    g_clockIndex = 3;
}

void SetBreakModeSettings(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5) {
    if (g_targetConfig == nullptr) {
        return;
    }
    g_targetConfig->BreakModeStore().Set(mode, value2, value3, value4, value5);
    g_clockIndex = g_targetConfig->OptionWord() + 1;
}

void GetBreakModeSettings(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5) {
    if (g_targetConfig == nullptr) {
        *mode = *value2 = *value3 = *value4 = *value5 = 0;
        return;
    }
    g_targetConfig->BreakModeStore().Get(mode, value2, value3, value4, value5);
}

const char* GetTargetSystemName() {
    // Registration reads it from the plug-in's own device file.
    return g_libraryName;
}

DWORD GetEmulationMode() {
    return g_targetConfig != nullptr ? g_targetConfig->EmulationMode() : 0;
}

void SetTargetBusy(bool busy) {
    g_targetBusy = busy;
}

bool IsTargetBusy() {
    return g_targetBusy;
}
