#include "monitor/monitor_control.h"

#include "link/emulator_link.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"

#include "platform/clock.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

std::unique_ptr<CMonitorControl> g_monitorControl;

namespace {

using namespace link_result;

constexpr DWORD kVersionSlow = 2000;
constexpr DWORD kVersionWrongValue = 0xFFFF;
constexpr DWORD kVersionWrongText = 0xFFFE;
constexpr DWORD kVersionBreakIn = 0xFFFD;
constexpr DWORD kVersionCheckFailed = 0x80004005;  // E_FAIL
constexpr std::size_t kVersionTextLength = 12;
constexpr DWORD kRestartPause = 10;
constexpr std::size_t kRegisterCount = 20;
constexpr std::size_t kPcIndex = 14;
constexpr std::size_t kIspIndex = 17;
constexpr std::size_t kFlgIndex = 19;
constexpr std::size_t kResetVectorBytes = 4;
constexpr std::array<DWORD, 5> kLinkParameterBlock{0x0F5AF0A5, 0x14000000, 0, 0xD0F9FF0F, 0x0F5AF0A5};

// The link bytes of a break that came in while the monitor asked.
bool BreakCameIn() {
    return g_linkBreakFlag == 1 && g_linkStopByte == kLinkStopRequested;
}

struct RegisterEntry {
    DWORD address;
    DWORD width;
};
// The registers the configuration's changes set back to 0, ended by width 0.
constexpr RegisterEntry kZeroInitRegisters[] = {{0xFFC8, 1}, {0xFFC9, 1}, {0xFFCA, 1}, {0xFFCB, 1},
                                                {0xFFCC, 1}, {0xFFCD, 1}, {0, 0}};

DWORD AccessForWidth(DWORD width) {
    return width == 2 ? access_code::kWord : width == 4 ? access_code::kLong : access_code::kByte;
}

}  // namespace

CMonitorControl::CMonitorControl() {
    UpdateMonitorServices([this](MonitorServices& services) {
        InstallOwned(services.initMonitor, this, {[this] { return InitMonitor(); }});
        // A failure beyond the link's 16-bit words is a general failure.
        InstallOwned(services.resetTarget, this, {[this] {
                         const DWORD result = ResetTarget();
                         return result > 0xFFFF ? kAborted : static_cast<WORD>(result);
                     }});
    });
}

CMonitorControl::~CMonitorControl() {
    UpdateMonitorServices([this](MonitorServices& services) {
        RemoveOwned(services.initMonitor, this);
        RemoveOwned(services.resetTarget, this);
    });
}

DWORD CMonitorControl::CheckMonitorVersion() {
    CFirmCommand command;
    std::array<BYTE, 32> reply{};
    const DWORD before = GetTickCount();
    const WORD status = command.ReadVersion(std::span<BYTE, 13>(reply.data(), 13));
    const DWORD after = GetTickCount();
    if (after - before > kVersionSlow) {
        return kVersionCheckFailed;
    }
    DWORD version = 0;
    if (status == kOk) {
        command.GetResult(firm_code::kReadVersion, nullptr, &version);
    }
    if (BreakCameIn()) {
        return kVersionBreakIn;
    }
    const std::string& firmId = g_deviceValues.firmId;
    std::array<char, kVersionTextLength + 1> expected{};
    std::memcpy(expected.data(), firmId.data(), std::min(firmId.size(), kVersionTextLength));
    if (status != kOk || std::strcmp(reinterpret_cast<const char*>(reply.data()), expected.data()) != 0) {
        return kVersionWrongText;
    }
    return (version & 0xFF) == (g_deviceValues.chipId & 0xFF) ? 0 : kVersionWrongValue;
}

WORD CMonitorControl::InitMonitor() {
    CFirmCommand command;
    const DWORD pc = g_registerImage[kPcIndex];
    g_registerImage.fill(0);
    g_registerImage[kPcIndex] = pc;
    g_registerImage[kIspIndex] = g_deviceValues.reginiStack;
    g_registerImage[kFlgIndex] = g_deviceValues.reginiCcr;
    if (g_emuSel == connect_mode::kProgramFlash) {
        return kOk;
    }
    if (g_protocolType == 0) {
        UserResetBytes vector;
        if (command.ReadMemory(access_code::kByte, g_deviceValues.setAddr[6], kResetVectorBytes,
                               vector.bytes.data()) != kOk) {
            return kAborted;
        }
        vector.count = kResetVectorBytes;
        g_userResetBytes = vector;
    }
    const auto& bytes = g_userResetBytes.bytes;
    const DWORD start = DWORD{bytes[0]} | (DWORD{bytes[1]} << 8) | (DWORD{bytes[2]} << 16);
    g_registerImage[kPcIndex] = start & PcAddressMask();
    const std::span<DWORD, kRegisterCount> registers(g_registerImage.data(), kRegisterCount);
    if (command.WriteRegisterFile(registers) != kOk) {
        return kAborted;
    }
    static_cast<void>(command.ReadRegisterFile(registers));  // the image written stands when the read fails
    return kOk;
}

WORD CMonitorControl::RestartMonitor() {
    if (g_emulatorLink != nullptr) {
        g_emulatorLink->WaitMilliseconds(kRestartPause);
    }
    const WORD initialised = InitMonitor();
    return BreakCameIn() || initialised != kOk ? kAborted : kOk;
}

WORD CMonitorControl::DownloadFirmware(DWORD variant) {
    CFirmCommand command;
    const WORD result = g_emulatorLink != nullptr ? g_emulatorLink->DownloadFirmware(variant) : kTimeout;
    if (result == kOk) {
        command.ClearFlashDirtyFlags();
    }
    return result;
}

WORD CMonitorControl::SetAdapterBaudRate(DWORD index) {
    // The link sets nothing while it is lost.
    if (g_emulatorLink == nullptr || g_emulatorLink->IsLinkLost()) {
        return kTimeout;
    }
    g_emulatorLink->SetAdapterBaudRate(index);
    return kOk;
}

DWORD CMonitorControl::ResetTarget() {
    return CFirmCommand().ResetTarget();
}

bool CMonitorControl::SelectDefaultDeviceName() {
    return false;
}

WORD SetLinkParameter(DWORD value) {
    if (value == g_linkParameterKept) {
        return kOk;
    }
    const WORD answer = g_emulatorLink != nullptr ? g_emulatorLink->SendParameterBlock(kLinkParameterBlock, value)
                                                  : kTimeout;
    g_linkParameterKept = answer == kOk ? value : 0;
    return answer;
}

WORD ZeroInitRegisterList() {
    CFirmCommand command;
    WORD status = kOk;
    for (const RegisterEntry& entry : kZeroInitRegisters) {
        if (entry.width == 0) {
            break;
        }
        std::fill_n(g_firmWriteData.begin(), entry.width, BYTE{0});
        status = command.WriteMemory(AccessForWidth(entry.width), entry.address, entry.width, 0);
        if (status != kOk) {
            break;
        }
    }
    return status;
}
