#include "link/emulator_link.h"

#include "link/emulator_channel.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "config/device_data.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "util/scan_values.h"

#include "platform/ui.h"

CEmulatorLink* g_emulatorLink = nullptr;

namespace {

using namespace link_result;

// The target byte the link clears when it closes (protocol types 0 and 1).
constexpr DWORD kClosingByteAddress = 0x1B8;

}  // namespace

CEmulatorLink::CEmulatorLink(CUleDrvMemory* memory) : m_channel(std::make_unique<CEmulatorChannel>(memory, this)) {}

CEmulatorLink::~CEmulatorLink() {
    if (g_swtiSupported == 0 && (g_protocolType == 0 || g_protocolType == 1)) {
        // The closing byte's result is not looked at, so it must not decide
        // below whether the emulator's supply goes off.
        const DWORD lost = m_lost;
        g_firmWriteData[0] = 0;
        CFirmCommand command(this);
        command.WriteMemory(access_code::kByte, kClosingByteAddress, 1, 0);
        m_lost = lost;
    }
    char text[1024] = {};
    SessionIniGetString("RESET_RELEASE", "ENABLE", "", text, sizeof(text));
    int resetRelease = 0;
    if (text[0] != '\0') {
        ScanValues(text, "%d", &resetRelease);
    }
    if (g_deviceValues.powerSupply == 1) {
        m_channel->CheckSystemBanner(static_cast<DWORD>(resetRelease));
    } else if (resetRelease == 1) {
        m_channel->SetAdapterRegister28();
    }
}

CEmulatorChannel& CEmulatorLink::Channel() {
    return *m_channel;
}

// ---- link state ----

void CEmulatorLink::SetOpen(DWORD open) {
    m_open = open;
    m_lost = 0;
}

WORD CEmulatorLink::RecordResult(WORD word) {
    if (word == kTimeout) {
        m_lost = 1;
    } else if (word == kNotConnected) {
        m_connectorFailure = 1;
    } else if (word == kOk) {
        m_lost = 0;
        m_connectorFailure = 0;
    }
    return 0;
}

WORD CEmulatorLink::CheckConnector() {
    const WORD result = m_connectorFailure == 0 ? m_channel->CheckConnector() : m_channel->TestConnectorBit();
    m_connectorFailure = result != kOk ? 1 : 0;
    return result;
}

// ---- disciplines ----

template <typename Call>
WORD CEmulatorLink::BootStep(Call call) {
    const WORD result = call();
    SetOpen(result == kOk ? 1 : 0);
    RecordResult(result);
    return result;
}

template <typename Call>
WORD CEmulatorLink::Plain(Call call) {
    const WORD result = call();
    RecordResult(result);
    return result;
}

template <typename Call>
WORD CEmulatorLink::Gated(Call call) {
    if (IsLinkLost()) {
        return kTimeout;
    }
    if (const WORD connector = CheckConnector(); connector != kOk) {
        return connector;
    }
    return Plain(call);
}

template <typename Call>
WORD CEmulatorLink::Transport(Call call) {
    if (IsLinkLost()) {
        RecordResult(kTimeout);
        return kTimeout;
    }
    return Plain(call);
}

bool CEmulatorLink::MayCall() {
    return !IsLinkLost() && CheckConnector() == kOk;
}

// ---- boot steps ----

WORD CEmulatorLink::Open() {
    SetOpen(1);
    return BootStep([&] { return m_channel->Open(); });
}

WORD CEmulatorLink::UnlockWithIdCode() {
    return BootStep([&] { return m_channel->UnlockWithIdCode(); });
}

WORD CEmulatorLink::ResetAndUnlock() {
    return BootStep([&] { return m_channel->ResetAndUnlock(); });
}

WORD CEmulatorLink::CheckIdCodeWithPrompt() {
    return BootStep([&] { return m_channel->CheckIdCodeWithPrompt(); });
}

WORD CEmulatorLink::SetDataBlock(DWORD unused, WORD length, const BYTE* bytes) {
    return BootStep([&] { return m_channel->SetDataBlock(unused, length, bytes); });
}

WORD CEmulatorLink::SendRawBlock() {
    return BootStep([&] { return m_channel->SendRawBlock(); });
}

WORD CEmulatorLink::DownloadFirmware(DWORD variant) {
    return BootStep([&] {
        switch (g_protocolType) {
        case 2:
            return m_channel->DownloadFirmwareType2(variant);
        case 3:
            return m_channel->DownloadFirmwareType3(variant);
        case 4:
            return m_channel->DownloadFirmwareType4(variant);
        default:
            return m_channel->DownloadFirmware(variant);
        }
    });
}

// ---- plain ----

WORD CEmulatorLink::SendDataBlock() {
    return Plain([&] { return m_channel->SendDataBlock(); });
}

WORD CEmulatorLink::ReadFlashPage(DWORD address, std::span<BYTE, 256> page) {
    return Plain([&] { return m_channel->ReadPage(address, page); });
}

// ---- gated ----

WORD CEmulatorLink::ProgramFlashBlock(DWORD block, DWORD start) {
    return Gated([&] { return m_channel->ProgramFirmwareBlock(block, start); });
}

WORD CEmulatorLink::BeginAdapterWrite() {
    return Gated([&] { return m_channel->BeginAdapterWrite(); });
}

WORD CEmulatorLink::EndAdapterWrite() {
    return Gated([&] { return m_channel->EndAdapterWrite(); });
}

WORD CEmulatorLink::ReturnTargetToFirmware() {
    return Gated([&] { return m_channel->SendFinish(); });
}

WORD CEmulatorLink::ReadAdapterRecord(DWORD address, std::span<BYTE> reply) {
    return Gated([&] { return m_channel->ReadAdapterRecord(address, reply); });
}

WORD CEmulatorLink::EraseAdapterBlock(DWORD block) {
    return Gated([&] {
        return g_protocolType >= 2 && g_protocolType <= 4 ? m_channel->EraseAdapterBlockEnd(block)
                                                           : m_channel->EraseAdapterBlock(block);
    });
}

WORD CEmulatorLink::EraseFirmwareArea() {
    if (IsLinkLost()) {
        ReportCommunicationTimeout();
    }
    return Gated([&] {
        return g_protocolType >= 2 && g_protocolType <= 4 ? m_channel->EraseFlashBlocksPolled()
                                                           : m_channel->EraseFirmwareBlocks();
    });
}

WORD CEmulatorLink::ProgramAllFlashBlocks() {
    return Gated([&] {
        if (g_emuSel == connect_mode::kProgramFlash && g_swtiSupported != 0) {
            return m_channel->ProgramAllBlocks();
        }
        return g_protocolType >= 2 && g_protocolType <= 4 ? m_channel->ProgramBlocksByPages()
                                                           : m_channel->ProgramAllBlocks();
    });
}

WORD CEmulatorLink::BreakTarget() {
    return Gated([&] { return m_channel->BreakTarget(); });
}

WORD CEmulatorLink::QueryRunState(DWORD unused) {
    return Gated([&] { return m_channel->QueryRunState(unused); });
}

WORD CEmulatorLink::ReservedQuery(DWORD value) {
    return Gated([&] { return m_channel->ReservedQuery(value); });
}

WORD CEmulatorLink::ReservedCheck(DWORD first, DWORD second) {
    return Gated([&] { return m_channel->ReservedCheck(first, second); });
}

// ---- transport ----

WORD CEmulatorLink::MonitorTransact(std::span<BYTE> request, std::span<BYTE> reply, std::size_t* received) {
    if (received != nullptr) {
        *received = 0;
    }
    return Transport([&] { return m_channel->MonitorTransactCounted(request, reply, received); });
}

WORD CEmulatorLink::MonitorSend(std::span<BYTE> request) {
    return Transport([&] { return m_channel->MonitorSend(request); });
}

// ---- the others ----

WORD CEmulatorLink::TestAdapterStatusFlag() {
    if (IsLinkLost()) {
        return kTimeout;
    }
    return Plain([&] { return m_channel->TestAdapterStatusFlag(); });
}

WORD CEmulatorLink::WriteAdapterRegister20(WORD value) {
    if (IsLinkLost()) {
        return kTimeout;
    }
    return Plain([&] { return m_channel->WriteAdapterRegister20(value); });
}

WORD CEmulatorLink::CheckTargetPower() {
    if (IsLinkLost()) {
        return kTimeout;
    }
    bool powered = false;
    const WORD read = m_channel->ReadTargetPower(powered);
    RecordResult(read);
    return read != kOk ? read : powered ? kOk : kNoTargetPower;
}

WORD CEmulatorLink::SendRawBlockStatus() {
    if (const WORD connector = CheckConnector(); connector != kOk) {
        return connector;
    }
    return Plain([&] { return m_channel->SendRawBlockStatus(); });
}

WORD CEmulatorLink::GetChannelKind() {
    if (const WORD connector = CheckConnector(); connector != kOk) {
        return connector;
    }
    return Plain([&] { return m_channel->GetChannelKind(); });
}

WORD CEmulatorLink::ResetMonitor() {
    if (IsLinkLost()) {
        return kTimeout;
    }
    if (CheckConnector() != kOk) {
        return kNotConnected;
    }
    const WORD reset = m_channel->ResetMonitor();
    // A target that lost its power during the reset was not reset, though
    // its last requests may still have been answered (the register image's
    // read back is allowed to fail): the reset ends with the power's check.
    return reset != kOk ? reset : CheckTargetPower();
}

WORD CEmulatorLink::ResetAndInitMonitor() {
    m_lost = 0;
    if (CheckConnector() != kOk) {
        return kNotConnected;
    }
    return Plain([&] { return m_channel->ResetAndInitMonitor(); });
}

void CEmulatorLink::SetAdapterBaudRate(DWORD code) {
    if (MayCall()) {
        m_channel->SetAdapterBaudRate(code);
    }
}

void CEmulatorLink::SetAdapterControlFlag(DWORD value) {
    if (MayCall()) {
        m_channel->SetAdapterControlFlag(value);
    }
}

void CEmulatorLink::WaitMilliseconds(DWORD milliseconds) {
    if (MayCall()) {
        m_channel->WaitMilliseconds(milliseconds);
    }
}

void CEmulatorLink::AccumulateElapsedTicks() {
    if (MayCall()) {
        m_channel->AccumulateElapsedTicks();
    }
}

WORD CEmulatorLink::RequestAbort() {
    return m_channel->RequestAbort();
}

WORD CEmulatorLink::SendParameterBlock(std::span<const DWORD, 5>, DWORD) {
    return 1;
}
