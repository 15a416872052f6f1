#include "target/target_cfg_vk3.h"

#include "frame/error_codes.h"
#include "frame/host_profile_accessor.h"
#include "monitor/flash_mode.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "util/scan_values.h"

#include "platform/host/session_interfaces.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kKeyRound[] = "T_CONFIG_ROUND";
constexpr char kKeyGoOption[] = "T_CONFIG_GOOPTION";
constexpr char kKeyStepOption[] = "T_CONFIG_STEPOPTION";
constexpr char kKeyFlashMode[] = "T_CONFIG_FLASH_MODE";
constexpr char kRoundNear[] = "RM_NEAR";
constexpr char kRoundZero[] = "RM_ZERO";
// What a missing option key reads as.
constexpr char kMissing[] = "ERROR";

// The host's rounding pairs for the two modes.
constexpr DWORD kZeroRoundingFirst = 0x300;
constexpr DWORD kZeroRoundingSecond = 0x1000000;

const char* RoundingText(WORD mode) {
    return mode == 0 ? kRoundNear : kRoundZero;
}

}  // namespace

CTargetCfgVk3::CTargetCfgVk3(LPCSTR systemName, LPCSTR deviceName, IHostServiceProvider* host, DWORD typeCode,
                             WORD roundingMode)
    : CTargetCfg(systemName, "Emulator", "1.03.00.002", deviceName, host),
      m_typeCode(typeCode),
      m_roundingMode(roundingMode) {}

HRESULT CTargetCfgVk3::SaveTargetConfig(CHostProfileAccessor& accessor) {
    HRESULT result = accessor.WriteString(kKeyRound, RoundingText(m_roundingMode));
    if (SUCCEEDED(result) && g_targetConfig != nullptr) {
        result = accessor.WriteString(kKeyGoOption, g_targetConfig->BreakModeStore().Format().c_str());
        if (SUCCEEDED(result)) {
            result = accessor.WriteString(kKeyStepOption, g_targetConfig->StepOptionStore().Format().c_str());
        }
    }
    if (SUCCEEDED(result)) {
        char mode[16];
        std::snprintf(mode, sizeof(mode), "%d", static_cast<int>(g_flashMode.load()));
        result = accessor.WriteString(kKeyFlashMode, mode);
    }
    return result;
}

HRESULT CTargetCfgVk3::LoadTargetConfig(CHostProfileAccessor& accessor) {
    CString text;
    accessor.ReadString(kKeyRound, RoundingText(m_roundingMode), text);
    if (std::strcmp(text, kRoundNear) == 0) {
        m_roundingMode = 0;
    } else if (std::strcmp(text, kRoundZero) == 0) {
        m_roundingMode = 1;
    } else {
        return TE_NOT_AVAILABLE;
    }
    PassRoundingToHost();

    accessor.ReadString(kKeyGoOption, kMissing, text);
    if (std::strcmp(text, kMissing) != 0 && g_targetConfig != nullptr) {
        // A text naming no known mode keeps the settings as they are.
        static_cast<void>(g_targetConfig->BreakModeStore().Parse(text));
    }
    accessor.ReadString(kKeyStepOption, kMissing, text);
    if (std::strcmp(text, kMissing) != 0 && g_targetConfig != nullptr) {
        // A text without a number keeps the option as it is.
        static_cast<void>(g_targetConfig->StepOptionStore().Parse(text));
    }

    accessor.ReadString(kKeyFlashMode, kMissing, text);
    if (std::strcmp(text, kMissing) != 0) {
        std::int32_t mode = 0;
        if (ScanValues(text, " %d", &mode) != 1) {
            return TE_NOT_AVAILABLE;
        }
        // Debugging the CPU rewrite mode leaves the flash alone.
        g_flashMode = g_emuSel == connect_mode::kCpuRewriteMode ? 0 : static_cast<DWORD>(mode);
    }
    return S_OK;
}

void CTargetCfgVk3::PassRoundingToHost() const {
    if (m_host == nullptr) {
        return;
    }
    IHRoundingSettings* rounding = nullptr;
    if (FAILED(m_host->QueryService(IID_IHRoundingSettings, reinterpret_cast<void**>(&rounding))) ||
        rounding == nullptr) {
        return;
    }
    if (m_roundingMode == 0) {
        rounding->SetRounding(0, 0);
    } else {
        rounding->SetRounding(kZeroRoundingFirst, kZeroRoundingSecond);
    }
}
