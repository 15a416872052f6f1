// The adapter channel's Open: the adapter-program check, the power-up with
// its handshakes, the communication speed, and the firmware check.
#include "link/adapter_registers.h"
#include "link/channel_frames.h"
#include "link/emulator_channel.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/ule_drv_memory.h"
#include "res/resource_ids.h"
#include "link/adapter_program.h"
#include "config/device_data.h"
#include "link/setup_dialogs.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "util/scan_values.h"

#include "platform/clock.h"
#include "platform/profile.h"
#include "platform/ui.h"

#include <algorithm>
#include <string>

namespace {

using namespace link_result;
namespace reg = adapter_register;

// Between two looks at a disconnected connector.
constexpr DWORD kConnectorRetryPause = 500;
constexpr char kTargetSection[] = "Q3v KTR4 TARGET";

// Asks the user to switch the board's power on; true on OK.
bool AskForBoardPower() {
    if (g_protocolType == 0) {
        return ShowTargetError(" Power on the target board and press <Enter> Key. ", MB_OKCANCEL | MB_ICONWARNING) !=
               IDCANCEL;
    }
    return ShowTargetMessage(res_id::kPowerOnPrompt, MB_OKCANCEL | MB_ICONWARNING) != IDCANCEL;
}

}  // namespace

WORD CEmulatorChannel::Open() {
    g_adapterVersionWords[0] = 0xFF;
    std::array<BYTE, 4> openWord{0x00, 0x01, 0x00, static_cast<BYTE>(g_deviceValues.mcuId)};
    WORD step = kOk;
    {
        CAdapterProgram holder("MonpMain.mot", "AdpErase.mot", "AdpWrite.mot", "Q3vdp.mot",
                               g_deviceAreas[kAreaAdpv].top, g_deviceAreas[kAreaAdp0].top,
                               g_deviceAreas[kAreaAdp0].end, g_deviceAreas[kAreaAdp1].top,
                               g_deviceAreas[kAreaAdp1].end, g_deviceValues.adpTsum, 1);
        holder.SetDriverMemory(m_memory);
        holder.SetResultByte(&g_adapterVersionWords);
        char monp[1024] = {};
        GetPrivateProfileStringA("MONP", "MONP", "", monp, sizeof(monp), GetPluginSettingsFilePath().c_str());
        if (monp[0] == '\0') {
            step = holder.CheckEmulatorFirmware();
        } else {
            int value = 0;
            ScanValues(monp, "%d", &value);
            bool forced = false;
            if (value == 1) {
                forced = ShowTargetError("The compulsion update is executed. \nUpdate now?",
                                         MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
            }
            AdapterVersionRecord lowVersion{};
            AdapterVersionRecord version{};
            step = holder.ReadAdapterProgramFile(lowVersion, version);
            if (step == kOk) {
                g_adapterVersionWords = version;
                if (forced) {
                    step = holder.UpdateEmulatorFirmware();
                }
            }
        }
    }
    {
        CAccessWordScope bytes(*this, 4);
        WriteRegister(reg::kOpenWord, openWord);
    }
    if (step != kOk) {
        return kAborted;
    }
    if (const WORD power = PowerUpTarget(); power != kOk) {
        return power;
    }
    if (g_linkStopByte != 0) {
        return kAborted;
    }
    WORD result = ReadVersionInfo();
    if (result == kOk && g_protocolType <= 1) {
        result = CheckFirmwareResponse();
    }
    return result;
}

void CEmulatorChannel::WaitConnectorAtStart() {
    while (true) {
        std::array<BYTE, 4> status{};
        // A register that cannot be read leaves the question to the steps
        // that follow, which fail on the same link.
        if (ReadRegister(reg::kStatus, status) != kOk || (status[1] & reg::kDisconnected) == 0) {
            g_linkStopByte = 0;
            return;
        }
        if (ShowTargetError("Connector disconnected. Please, connect and press <Enter> key. ",
                            MB_OKCANCEL | MB_ICONWARNING) == IDCANCEL) {
            g_linkStopByte = kLinkStopRequested;
            return;
        }
        // The next look waits on the clock, as the connector check's does.
        WaitMilliseconds(kConnectorRetryPause);
    }
}

WORD CEmulatorChannel::PowerUpTarget() {
    WaitConnectorAtStart();
    if (g_linkStopByte != 0) {
        return kOk;
    }
    CheckSystemBannerDefault();
    WaitMilliseconds(300);
    if (g_protocolType == 0) {
        ChangeRegisterBit(reg::kControl, 0, reg::kPowerUpBit, true);
    }
    bool power = false;
    if (g_deviceValues.powerSupply == 1) {
        while (!power) {
            if (g_powerSupplySettings.powerFromEmulator == 0) {
                if (TestAdapterReadyBit() == 1) {
                    power = true;
                } else {
                    if (!AskForBoardPower()) {
                        g_linkStopByte = kLinkStopRequested;
                        return kPowerCancelled;
                    }
                    power = TestAdapterReadyBit() == 1;
                }
            } else if (TestAdapterReadyBit() == 0) {
                power = SetTargetPower(g_powerSupplySettings.VoltageSelection()) == 1;
                if (!power) {
                    ShowTargetError("Power supply error.\nPlease check target system.", MB_ICONWARNING);
                }
            } else {
                ShowTargetError("The power supply to a user system was detected.\nPlease check target power supply.",
                                MB_ICONWARNING);
            }
            if (!power && !PromptPowerSupplyDialog(g_powerSupplySettings)) {
                g_linkStopByte = kLinkStopRequested;
                return kPowerCancelled;
            }
        }
    } else {
        while (!power) {
            if (TestAdapterReadyBit() == 1) {
                power = true;
            } else if (!AskForBoardPower()) {
                g_linkStopByte = kLinkStopRequested;
                return kOk;
            }
        }
    }
    if (g_protocolType == 0) {
        // The adapter's power-up handshake.
        CAccessWordScope bytes(*this, 4);
        ChangeRegisterBit(reg::kControl, 0, reg::kPowerUpBit, false);
        ChangeRegisterBit(reg::kStatus, 0, reg::kBreakPulse, true);
        ChangeRegisterBit(reg::kHandshake, 1, reg::kHandshakeOut, false);
        ChangeRegisterBit(reg::kStatus, 0, reg::kBannerBit, false);
        if (WaitRegisterBit(reg::kStatus, 0, reg::kStatusFlag, true, 5001) != kOk) {
            return kTimeout;
        }
        SelectCommunicationSpeed();
        ApplyCommunicationSpeed();
        if (WaitRegisterBit(reg::kHandshake, 1, reg::kHandshakeIn, false, 2001) != kOk) {
            return kTimeout;
        }
        ChangeRegisterBit(reg::kStatus, 0, reg::kBreakPulse, false);
        ChangeRegisterBit(reg::kHandshake, 1, reg::kHandshakeOut, true);
        if (WaitRegisterBit(reg::kHandshake, 1, reg::kHandshakeIn, true, 2001) != kOk) {
            return kTimeout;
        }
        ChangeRegisterBit(reg::kStatus, 1, reg::kControlFlag, true);
        return kOk;
    }
    if (g_linkStopByte == 0) {
        const DWORD start = GetTickCount();
        const WORD reset = WriteAdapterRegister20(1);
        if (reset != kOk || GetTickCount() - start > 2001) {
            return kTimeout;
        }
        SelectCommunicationSpeed();
        ApplyCommunicationSpeed();
    }
    return kOk;
}

WORD CEmulatorChannel::SetTargetPower(DWORD voltage) {
    const auto change = [&](DWORD address, BYTE clear, BYTE set) {
        BYTE value = 0;
        if (m_memory->ReadQ5tMemory(1, &value, address, 1) == driver_result::kOk) {
            value = static_cast<BYTE>((value & ~clear) | set);
            m_memory->WriteQ5tMemory(1, &value, address, 1, 1);
        }
    };
    change(emulator_memory::kPowerEnable, 0x01, 0);
    change(emulator_memory::kPowerVoltage, 0x03, 0);
    change(emulator_memory::kPowerVoltage, 0x03, voltage == 0 ? 0x01 : 0x02);
    WaitMilliseconds(500);
    if (TestAdapterReadyBit() == 0) {
        change(emulator_memory::kPowerVoltage, 0x03, 0);
        return 0;
    }
    change(emulator_memory::kPowerSense, 0x01, 0);
    change(emulator_memory::kPowerEnable, 0, 0x01);
    return 1;
}

void CEmulatorChannel::SelectCommunicationSpeed() {
    int limit = ReadProfileInt(kTargetSection, "BAUD RATE", 6, g_cnfPath);
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    if (dataFlash.Contains(g_deviceAreas[kAreaAse1].top)) {
        limit = std::min(limit, ReadProfileInt(kTargetSection, "BAUD RATE DATA FLASH", limit, g_cnfPath));
    }
    int speed = static_cast<int>(SessionIniGetInt("COMMUNI", "COMSPEED", g_swtiSupported != 0 ? 7 : 6));
    speed = std::min(speed, limit);
    int index = 0;
    if (g_protocolType == 1 || g_swtiSupported != 0) {
        index = speed;
    } else if (g_protocolType == 2 || g_protocolType == 3) {
        if (speed >= 4 && speed <= 8) {
            index = speed - 3;
        } else {
            speed = 8;
            index = 5;
        }
    } else if (speed >= 4 && speed <= 6) {
        index = speed - 3;
    } else {
        speed = 6;
        index = 3;
    }
    SessionIniWriteInt("COMMUNI", "COMSPEED", speed);
    m_speedIndex = static_cast<DWORD>(index);
}

void CEmulatorChannel::ApplyCommunicationSpeed() {
    const BreakModeValues values = GetBreakModeValues();
    SetBreakModeSettings(values.mode, m_speedIndex, values.value3, values.value4, values.value5);
    SetAdapterBaudRate(m_speedIndex);
}

WORD CEmulatorChannel::CheckFirmwareResponse() {
    std::array<BYTE, channel_frame::kFirmwareCheck.size()> frame = channel_frame::kFirmwareCheck;
    if (g_protocolType == 0) {
        const WORD result = Exchange(frame, kTimeoutCommand);
        if (result != kOk) {
            return result;
        }
        const std::span<const BYTE> reply = LastReply();
        return reply.size() >= 4 && std::equal(frame.begin(), frame.begin() + 4, reply.begin()) ? kOk : kCheckFailed;
    }
    const WORD result = Exchange(frame, kTimeoutCheck);
    if (result != kOk) {
        return result;
    }
    const std::span<const BYTE> reply = LastReply();
    return reply.size() > 3 && reply[2] == 0x92 ? kOk : kCheckFailed;
}
