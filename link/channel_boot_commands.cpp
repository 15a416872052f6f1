// The adapter channel's relayed boot-mode commands of the microcontroller,
// the data-block frames and the adapter's own commands, each with its reply.
#include "link/channel_frames.h"
#include "link/emulator_channel.h"
#include "link/emulator_link.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "config/device_data.h"
#include "config/settings_files.h"

#include "platform/ui.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace link_result;

// Adapter command codes.
constexpr BYTE kCommandBoot = 'B';
constexpr BYTE kCommandWrite = 'W';
constexpr BYTE kCommandFinish = 'F';
constexpr BYTE kCommandRead = 'R';
constexpr BYTE kCommandEnd = 0x11;
constexpr BYTE kCommandAck = 0x06;
constexpr BYTE kCommandNak = 0x15;

// The relayed commands each protocol type sends.
bool TypeIn(DWORD first, DWORD last) {
    return g_protocolType >= first && g_protocolType <= last;
}

BYTE Byte(DWORD value, int index) {
    return static_cast<BYTE>(value >> (8 * index));
}

}  // namespace

WORD CEmulatorChannel::ShowFailure(WORD result) {
    // A failure is shown where it arises; the slots and loops that pass it
    // on see it marked, so the user sees each failure once.
    if (result != kOk && !m_failureShown) {
        ShowFlashError(result);
        m_failureShown = true;
    }
    return result;
}

WORD CEmulatorChannel::ShowFlashError(WORD result) {
    const char* text = nullptr;
    switch (result) {
    case kFrequencyError:
        text = "Frequency error";
        break;
    case kBootCodeError:
        text = "Boot code error";
        break;
    case kSumCheckError:
        text = "Sum check error";
        break;
    case kEraseError:
        text = "Flash memory erase error !\nChange device";
        break;
    case kWriteError:
        text = "Flash memory write error";
        break;
    default:
        return kOk;
    }
    ShowTargetError(text, MB_ICONWARNING);
    return kOk;
}

// ---- relayed boot-mode commands ----

WORD CEmulatorChannel::ReadStatus(WORD* status) {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kStatusRead.size()> frame = channel_frame::kStatusRead;
    WORD result = Exchange(frame, kTimeoutCommand);
    if (result == kOk) {
        if (const auto bytes = channel_frame::ResponseBytes(LastReply(), 2); !bytes.empty()) {
            *status = static_cast<WORD>(bytes[0] | (bytes[1] << 8));
        } else {
            result = kTimeout;
        }
    }
    return ShowFailure(result);
}

WORD CEmulatorChannel::CheckReady() {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    WORD status = 0;
    if (const WORD result = ReadStatus(&status); result != kOk) {
        return result;
    }
    // Bits 2 and 3 of the second status byte: the ID check has passed.
    return ((status >> 8) & 0x0C) == 0x0C ? kOk : kCheckFailed;
}

WORD CEmulatorChannel::CheckIdCode() {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    const DWORD address = g_deviceValues.setAddr[5];
    const BYTE command[] = {0xF5,
                            Byte(address, 0),
                            Byte(address, 1),
                            Byte(address, 2),
                            0x07,
                            Byte(m_idCode[0], 2),
                            Byte(m_idCode[0], 1),
                            Byte(m_idCode[0], 0),
                            Byte(m_idCode[1], 3),
                            Byte(m_idCode[1], 2),
                            Byte(m_idCode[1], 1),
                            Byte(m_idCode[1], 0)};
    return ShowFailure(Exchange(channel_frame::RelayedCommand(command, 0), kTimeoutCommand));
}

WORD CEmulatorChannel::ReadVersionInfo() {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kVersionRead.size()> frame = channel_frame::kVersionRead;
    WORD result = Exchange(frame, kTimeoutCommand);
    if (result == kOk) {
        if (const auto bytes = channel_frame::ResponseBytes(LastReply(), 8); !bytes.empty()) {
            std::copy(bytes.begin(), bytes.end(), g_mcuVersionInfo.begin());
            g_mcuVersionInfo[8] = '\0';
        } else {
            result = kTimeout;
        }
    }
    return ShowFailure(result);
}

WORD CEmulatorChannel::SetBaudRate(BYTE code) {
    if (!TypeIn(1, 4) || code < 0xB0 || code > 0xB8) {
        return kOk;
    }
    if (code <= 0xB4) {
        return ShowFailure(Exchange(channel_frame::RelayedCommand({code}, 1), kTimeoutCommand));
    }
    // The plug-in's own device file, not the device's (which the speed
    // selection reads).
    const int baudRate = ReadProfileInt("Q3v KTR4 TARGET", "BAUD RATE", 6, GetPluginCnfPath().c_str());
    BYTE c = 0xB5;
    BYTE x = 0;
    if ((g_swtiSupported != 0 && g_protocolType == 2) || (g_protocolType == 1 && baudRate >= 7)) {
        c = 0xB7;
        x = static_cast<BYTE>(code - 174);
    } else {
        x = code == 0xB5 ? 1 : code == 0xB6 ? 0 : 0xFF;
    }
    return ShowFailure(Exchange(channel_frame::RelayedCommand({c, x}, 1), kTimeoutCommand));
}

WORD CEmulatorChannel::SetAddress(DWORD address) {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    return ShowFailure(Exchange(
        channel_frame::RelayedCommand({0x29, Byte(address, 0), Byte(address, 1), Byte(address, 2)}, 0),
        kTimeoutCommand));
}

WORD CEmulatorChannel::ReadPage(DWORD address, std::span<BYTE, 256> page) {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    WORD result =
        Exchange(channel_frame::RelayedCommand({0xFF, Byte(address, 1), Byte(address, 2)}, 256), kTimeoutCommand);
    if (result == kOk) {
        if (const auto bytes = channel_frame::ResponseBytes(LastReply(), 256); !bytes.empty()) {
            std::copy(bytes.begin(), bytes.end(), page.begin());
        } else {
            result = kTimeout;
        }
    }
    return ShowFailure(result);
}

WORD CEmulatorChannel::ProgramPage(DWORD address, std::span<const BYTE, 256> page) {
    if (!TypeIn(2, 4) || std::all_of(page.begin(), page.end(), [](BYTE b) { return b == 0xFF; })) {
        return kOk;
    }
    std::vector<BYTE> command{0x41, Byte(address, 1), Byte(address, 2)};
    command.insert(command.end(), page.begin(), page.end());
    return ShowFailure(Exchange(channel_frame::RelayedCommand(command, 0), kTimeoutData));
}

WORD CEmulatorChannel::EraseBlock(DWORD address) {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    return ShowFailure(
        Exchange(channel_frame::RelayedCommand({0x20, Byte(address, 1), Byte(address, 2), 0xD0}, 0), kTimeoutData));
}

WORD CEmulatorChannel::EraseAllBlocks() {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kEraseAll.size()> frame = channel_frame::kEraseAll;
    return ShowFailure(Exchange(frame, kTimeoutCommand));
}

WORD CEmulatorChannel::ClearStatus() {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kClearStatus.size()> frame = channel_frame::kClearStatus;
    return ShowFailure(Exchange(frame, kTimeoutCommand));
}

WORD CEmulatorChannel::ReadLockBit(DWORD address, BYTE* lockBit) {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    WORD result =
        Exchange(channel_frame::RelayedCommand({0x71, Byte(address, 1), Byte(address, 2)}, 1), kTimeoutCommand);
    if (result == kOk) {
        if (const auto bytes = channel_frame::ResponseBytes(LastReply(), 1); !bytes.empty()) {
            *lockBit = bytes[0];
        } else {
            result = kTimeout;
        }
    }
    return ShowFailure(result);
}

WORD CEmulatorChannel::ProgramLockBit(DWORD address) {
    if (!TypeIn(2, 3)) {
        return kOk;
    }
    return ShowFailure(Exchange(channel_frame::RelayedCommand({0x77, Byte(address, 1), Byte(address, 2), 0xD0}, 0),
                          kTimeoutCommand));
}

WORD CEmulatorChannel::DisableLockBits() {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kDisableLockBits.size()> frame = channel_frame::kDisableLockBits;
    return ShowFailure(Exchange(frame, kTimeoutCommand));
}

WORD CEmulatorChannel::EnableLockBits() {
    if (!TypeIn(2, 4)) {
        return kOk;
    }
    std::array<BYTE, channel_frame::kEnableLockBits.size()> frame = channel_frame::kEnableLockBits;
    return ShowFailure(Exchange(frame, kTimeoutCommand));
}

// ---- data blocks ----

WORD CEmulatorChannel::SetDataBlock(DWORD, WORD length, const BYTE* bytes) {
    if (length > m_dataBlock.size() || (length != 0 && bytes == nullptr)) {
        return kAborted;
    }
    std::copy_n(bytes, length, m_dataBlock.begin());
    m_dataBlockLength = length;
    return kOk;
}

WORD CEmulatorChannel::SendDataBlock() {
    if (!TypeIn(1, 4)) {
        return kOk;
    }
    const std::size_t n = m_dataBlockLength;
    BYTE sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sum = static_cast<BYTE>(sum + m_dataBlock[i]);
    }
    std::vector<BYTE> command{0xFA, Byte(static_cast<DWORD>(n), 0), Byte(static_cast<DWORD>(n), 1), sum};
    command.insert(command.end(), m_dataBlock.begin(), m_dataBlock.begin() + static_cast<std::ptrdiff_t>(n));
    return ShowFailure(Exchange(channel_frame::RelayedCommand(command, 0), kTimeoutData));
}

WORD CEmulatorChannel::SendRawBlock() {
    std::vector<BYTE> frame = channel_frame::FramedBody(
        std::span<const BYTE>(m_dataBlock.data(), m_dataBlockLength));
    WORD sum = 0;
    for (std::size_t i = 2; i < frame.size(); ++i) {
        sum = static_cast<WORD>(sum + frame[i]);
    }
    WORD result = Exchange(frame, kTimeoutData);
    if (result != kOk) {
        return ShowFailure(result);
    }
    const std::span<const BYTE> reply = LastReply();
    if (reply.size() < 5 || reply[0] != 0x00 || reply[1] != 0x04) {
        return kOk;
    }
    const WORD adapterSum = static_cast<WORD>(reply[2] | (reply[3] << 8));
    if (adapterSum == sum) {
        return ShowFailure(SendAdapterCommand(kCommandAck));
    }
    // The adapter took the block wrongly: it is refused whatever the adapter
    // answers to the refusal, unless the link itself failed.
    result = SendAdapterCommand(kCommandNak);
    if (result == kTimeout || result == kAborted) {
        return result;
    }
    return ShowFailure(kSumCheckError);
}

WORD CEmulatorChannel::SendRawBlockStatus() {
    std::vector<BYTE> frame = channel_frame::FramedBody(
        std::span<const BYTE>(m_dataBlock.data(), m_dataBlockLength));
    WORD result = Exchange(frame, kTimeoutData);
    if (result != kOk) {
        return ShowFailure(result);
    }
    const std::span<const BYTE> reply = LastReply();
    if (reply.size() < 8) {
        return kTimeout;
    }
    return reply[6];
}

// ---- the adapter's commands ----

WORD CEmulatorChannel::BeginAdapterWrite() {
    return ShowFailure(SendAdapterCommand(kCommandWrite));
}

WORD CEmulatorChannel::BeginAdapterBoot() {
    return ShowFailure(SendAdapterCommand(kCommandBoot));
}

WORD CEmulatorChannel::SendFinish() {
    if (g_swtiSupported != 0 || TypeIn(2, 4)) {
        const std::array<BYTE, 4>& jump = g_deviceValues.firmJumpAddr;
        return Exchange(channel_frame::AdapterCommand(kCommandFinish, {jump[0], jump[1], jump[2], jump[3]}),
                        kTimeoutCommand);
    }
    return SendAdapterCommand(kCommandFinish);
}

WORD CEmulatorChannel::EndAdapterWrite() {
    const WORD result = SendAdapterCommand(kCommandEnd);
    return ShowFailure(result != kOk ? result : SendFinish());
}

WORD CEmulatorChannel::ReadAdapterRecord(DWORD address, std::span<BYTE> reply) {
    std::vector<BYTE> frame;
    if (g_protocolType == 1 || g_swtiSupported != 0) {
        frame = channel_frame::AdapterCommand(kCommandRead, {Byte(address, 1), Byte(address, 2), Byte(address, 3)});
    } else if (g_protocolType == 0) {
        frame = channel_frame::AdapterCommand(kCommandRead,
                                              {static_cast<BYTE>(Byte(address, 0) & 0x80), Byte(address, 1), 0x00});
    } else {
        frame = channel_frame::AdapterCommand(kCommandRead, {Byte(address, 1), Byte(address, 2)});
    }
    if (const WORD sent = SendPacket(frame); sent != kOk) {
        return ShowFailure(sent);
    }
    return ShowFailure(ReceivePacket(reply, kTimeoutData));
}

WORD CEmulatorChannel::SendAdapterErase(DWORD address) {
    if (g_protocolType == 0) {
        return Exchange(channel_frame::AdapterCommand('E', {Byte(address, 0), Byte(address, 1)}), kTimeoutData);
    }
    return Exchange(
        channel_frame::AdapterCommand('E', {Byte(address, 0), Byte(address, 1), Byte(address, 2), Byte(address, 3)}),
        kTimeoutData);
}
