// The adapter channel's transport core: frames, replies, time-outs, the
// monitor exchanges, the run-state query, the break, the adapter registers
// and the connector.
#include "link/emulator_channel.h"

#include "link/adapter_registers.h"
#include "link/channel_frames.h"
#include "link/driver_lock.h"
#include "link/emulator_link.h"
#include "link/firm_buffers.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/ule_drv_memory.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "link/mot_file.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include "platform/clock.h"
#include "platform/ui.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

namespace {

using namespace link_result;
namespace reg = adapter_register;

// Receive attempts per exchange.
constexpr int kReceiveAttempts = 1;
// The connector register is read at most once in this many milliseconds.
constexpr DWORD kConnectorInterval = 500;
// Stop words at offset 6 of the run-state reply, low byte first: the break
// line's "BK" shows on the wire as "KB".
constexpr WORD kStopBreakLine = 0x424B;
constexpr WORD kStopIllegal = 0x494C;
constexpr WORD kStopBreakInstruction = 0x4249;
// The system name whose adapter gets the banner bit.
constexpr char kSystemBanner[] = "Vk3 Q3v SYSTEM";
constexpr std::size_t kSystemBannerLength = 14;

// The connector check's clock, process-wide.
std::atomic<bool> g_connectorClockStarted{false};
std::atomic<DWORD> g_lastConnectorTest{0};

// Raises (or lowers) the driver's receive time-out for one exchange and sets
// it back to the idle value, on every way out.
class CReceiveTimeoutScope {
public:
    CReceiveTimeoutScope(CUleDrvMemory& memory, DWORD timeout) : m_memory(memory) { m_memory.SetTimeout(timeout); }
    ~CReceiveTimeoutScope() { m_memory.SetTimeout(CEmulatorChannel::kTimeoutIdle); }
    CReceiveTimeoutScope(const CReceiveTimeoutScope&) = delete;
    CReceiveTimeoutScope& operator=(const CReceiveTimeoutScope&) = delete;

private:
    CUleDrvMemory& m_memory;
};

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

WORD StopWordAt6(const BYTE* reply) {
    return static_cast<WORD>(reply[6] | (reply[7] << 8));
}

// Whether the reply buffer holds a whole firmware reply to the run-state
// request that reaches past its stop word: the count twice, the marker and
// the request's command, the pad and the closing byte after the count. A
// bare acknowledge or another reply in its place carries no stop word, and
// what an earlier reply left at 6 must not be read as one.
bool IsRunStateReply(std::span<const BYTE> reply) {
    constexpr std::size_t kStopWordEnd = 8;
    const std::size_t count = static_cast<std::size_t>((reply[0] << 8) | reply[1]);
    return count >= kStopWordEnd && count + 2 <= reply.size() && reply[2] == channel_frame::kRunStateRequest[2] &&
           reply[3] == channel_frame::kRunStateRequest[3] && reply[4] == reply[0] && reply[5] == reply[1] &&
           reply[count] == channel_frame::kPad && reply[count + 1] == channel_frame::kClose;
}

}  // namespace

CEmulatorChannel::CEmulatorChannel(CUleDrvMemory* memory, CEmulatorLink* link)
    : m_memory(memory),
      m_link(link),
      m_connectorRegister(reg::kStatus),
      m_controlRegister(reg::kSpareControl),
      m_receiveBuffer(kMaxReply),
      m_replyBuffer(kMaxReply) {}

CEmulatorChannel::~CEmulatorChannel() = default;

// ---- frames and replies ----

WORD CEmulatorChannel::SendPacket(std::span<BYTE> frame) {
    m_failureShown = false;  // a new exchange: its failure is yet to be shown
    if (frame.size() < 2) {
        return kAborted;
    }
    const std::size_t length = static_cast<std::size_t>((frame[0] << 8) | frame[1]) + 2;
    if (length > frame.size() || length > 0xFFFF) {
        return kAborted;
    }
    return m_memory->XPdiTransmit(static_cast<WORD>(length), frame.data(), 0, 1) != driver_result::kOk ? kTimeout
                                                                                                       : kOk;
}

WORD CEmulatorChannel::TransmitExactly(std::span<BYTE> bytes) {
    m_failureShown = false;
    return m_memory->XPdiTransmit(static_cast<WORD>(bytes.size()), bytes.data(), 0, 1) != driver_result::kOk
               ? kTimeout
               : kOk;
}

WORD CEmulatorChannel::ReceivePacket(std::span<BYTE> reply, DWORD timeout, std::size_t* received) {
    // The time-out, the receive and the time-out set back belong together:
    // another thread's receive must not run under this exchange's time-out.
    CDriverLockGuard hold;
    CReceiveTimeoutScope raised(*m_memory, timeout);
    WORD result = kTimeout;
    for (int attempt = 0; attempt < kReceiveAttempts; ++attempt) {
        result = ReceiveOnce(reply, received);
        if (result == kOk) {
            break;
        }
        if (m_abort == 1) {
            result = kAborted;
            break;
        }
    }
    // An abort is meant for the exchange that was running when it came; it
    // must not turn a later failure into an abort.
    m_abort = 0;
    return result;
}

WORD CEmulatorChannel::ReceiveOnce(std::span<BYTE> reply, std::size_t* received) {
    // Stale bytes of an earlier reply must not complete a short one; only
    // the caller's capacity is ever looked at, so only that much is cleared.
    std::fill_n(m_receiveBuffer.begin(), std::min(reply.size(), m_receiveBuffer.size()), BYTE{0});
    if (m_memory->SciReceive(0, m_receiveBuffer.data(), 0, 1) != driver_result::kOk) {
        return kTimeout;
    }
    // A reply that breaks the frame shape or does not fit the caller's
    // buffer is no reply.
    const std::size_t length = channel_frame::ReplyLength(m_receiveBuffer, reply.size());
    if (length == 0) {
        return kTimeout;
    }
    std::copy_n(m_receiveBuffer.begin(), length, reply.begin());
    if (received != nullptr) {
        *received = length;
    }
    return channel_frame::StatusReplyWord(reply.first(length));
}

WORD CEmulatorChannel::Exchange(std::span<BYTE> frame, DWORD timeout) {
    m_replyLength = 0;
    if (const WORD sent = SendPacket(frame); sent != kOk) {
        return sent;
    }
    const WORD result = ReceivePacket(m_replyBuffer, timeout);
    if (result == kOk) {
        m_replyLength = static_cast<std::size_t>((m_replyBuffer[0] << 8) | m_replyBuffer[1]) + 2;
    }
    return result;
}

WORD CEmulatorChannel::SendAdapterCommand(BYTE code) {
    return Exchange(channel_frame::AdapterCommand(code), kTimeoutCommand);
}

// ---- monitor exchanges ----

WORD CEmulatorChannel::MonitorTransact(std::span<BYTE> request, std::span<BYTE> reply) {
    return MonitorTransactCounted(request, reply, nullptr);
}

WORD CEmulatorChannel::MonitorTransactCounted(std::span<BYTE> request, std::span<BYTE> reply,
                                              std::size_t* received) {
    if (received != nullptr) {
        *received = 0;
    }
    if (const WORD connector = CheckConnector(); connector != kOk) {
        return connector;
    }
    if (const WORD sent = SendPacket(request); sent != kOk) {
        return sent;
    }
    return ReceivePacket(reply, kTimeoutMonitor, received);
}

WORD CEmulatorChannel::MonitorSend(std::span<BYTE> request) {
    const WORD connector = CheckConnector();
    RecomputeLinkRunning();
    WORD result = kTimeout;
    if (connector == kOk && SendPacket(request) == kOk) {
        result = kOk;
        const bool stopPending = g_linkRunning == 1 && (g_linkStopByte == kLinkStopRequested || g_linkBreakFlag != 0);
        if (!stopPending) {
            g_runTickMark = GetTickCount();
            RecomputeLinkRunning();
        }
    }
    if (result == kTimeout && g_linkRunning == 1 &&
        (g_linkStopByte == kLinkStopRequested || g_linkBreakFlag == 1)) {
        // The request was lost while a stop was wanted: it counts as a break-in.
        BreakTarget();
        result = kOk;
    }
    return result;
}

WORD CEmulatorChannel::ExchangeRunState() {
    std::array<BYTE, channel_frame::kRunStateRequest.size()> request = channel_frame::kRunStateRequest;
    if (const WORD sent = SendPacket(request); sent != kOk) {
        return sent;
    }
    const WORD received = ReceivePacket(g_firmReplyBuffer, kTimeoutCommand);
    if (received == kOk && !IsRunStateReply(g_firmReplyBuffer)) {
        return kTimeout;
    }
    return received;
}

WORD CEmulatorChannel::QueryRunState(DWORD) {
    RecomputeLinkRunning();
    WORD result = kTimeout;
    bool answered = false;
    if (!(g_linkStopByte == kLinkStopRequested && g_linkRunning == 1)) {
        result = ExchangeRunState();
        answered = result == kOk;
        AccumulateElapsedTicks();
    }
    if (answered) {
        return result;
    }
    bool breakIn = false;
    if (g_linkRunning == 1) {
        if (g_linkStopByte == kLinkStopRequested) {
            MonitorNotifyStop(0x1B);
            breakIn = true;
        } else if (g_linkBreakFlag == 1 && TestAdapterStatusFlag() == 0) {
            breakIn = true;
        }
    }
    if (!breakIn) {
        return kTimeout;
    }
    result = BreakTarget();
    AccumulateElapsedTicks();
    return result;
}

WORD CEmulatorChannel::BreakTarget() {
    g_breakStatusFlag = 0;
    const WORD flag = TestAdapterStatusFlag();
    if (flag == 1) {
        // Already stopped: only ask why.
        if (ExchangeRunState() == kOk) {
            const WORD stopWord = StopWordAt6(g_firmReplyBuffer.data());
            if (stopWord == kStopIllegal || stopWord == kStopBreakInstruction) {
                g_breakStatusFlag = 1;
            }
        }
        return kOk;
    }
    if (flag != 0) {
        // The status could not be read: nothing is known to have stopped,
        // and a lost link must stay lost.
        return flag;
    }
    RecomputeLinkRunning();
    if (PulseBreakLine() != kOk) {
        return kTimeout;
    }
    const BYTE savedStop = g_linkStopByte.exchange(0);
    RecomputeLinkRunning();
    const DWORD start = GetTickCount();
    while (TestAdapterStatusFlag() == 0) {
        if (GetTickCount() - start >= 2001) {
            return kTimeout;
        }
        Sleep(0);
    }
    if (ExchangeRunState() != kOk) {
        g_linkStopByte |= savedStop;
        return kTimeout;
    }
    if (StopWordAt6(g_firmReplyBuffer.data()) != kStopBreakLine) {
        g_breakStatusFlag = 1;
    }
    return kOk;
}

WORD CEmulatorChannel::PulseBreakLine() {
    // The adapter stops the program on the line's rising edge: a line left
    // high by an earlier pulse that failed halfway is lowered first.
    std::array<BYTE, 4> status{};
    WORD result = ReadRegister(reg::kStatus, status);
    if (result == kOk && (status[0] & reg::kBreakPulse) != 0) {
        status[0] = static_cast<BYTE>(status[0] & ~reg::kBreakPulse);
        result = WriteRegister(reg::kStatus, status);
    }
    if (result == kOk) {
        status[0] = static_cast<BYTE>(status[0] | reg::kBreakPulse);
        result = WriteRegister(reg::kStatus, status);
    }
    if (result == kOk) {
        WaitMilliseconds(1);
        result = ChangeRegisterBit(reg::kStatus, 0, reg::kBreakPulse, false);
    }
    if (result != kOk) {
        // Whatever part failed, the line must not stay high; when the adapter
        // does not answer now, the next pulse lowers it first.
        static_cast<void>(ChangeRegisterBit(reg::kStatus, 0, reg::kBreakPulse, false));
    }
    return result;
}

WORD CEmulatorChannel::RequestAbort() {
    m_abort = 1;
    return kOk;
}

// ---- monitor restarts ----

void CEmulatorChannel::ClearLinkState() {
    g_linkStopByte = 0;
    g_linkBreakFlag = 0;
    g_targetSuspendRequest = 0;
    g_adapterStatusLatch = 0;
    g_monitorStepWord = 0;
    g_linkParameterKept = 0;
}

WORD CEmulatorChannel::ResetMonitor() {
    ClearLinkState();
    WORD result = MonitorResetTarget();
    if (result == kOk) {
        WaitMilliseconds(50);
        result = MonitorInitMonitor();
    }
    return result;
}

WORD CEmulatorChannel::ResetAndInitMonitor() {
    std::array<BYTE, 4> control{};
    if (ReadRegister(m_controlRegister, control) == kOk) {
        control[0] = static_cast<BYTE>((control[0] & 0x02) | ((g_clockIndex << 2) & ~DWORD{0x02}));
        WriteRegister(m_controlRegister, control);
    }
    WaitMilliseconds(10);
    ClearLinkState();
    // The request has no count word of its own: exactly its 16 bytes go out.
    std::copy(channel_frame::kResyncRequest.begin(), channel_frame::kResyncRequest.end(), g_firmRequestBuffer.begin());
    if (const WORD connector = CheckConnector(); connector != kOk) {
        return connector;
    }
    if (const WORD sent = TransmitExactly(std::span<BYTE>(g_firmRequestBuffer).first(channel_frame::kResyncRequest.size()));
        sent != kOk) {
        return sent;
    }
    WORD result = ReceivePacket(g_firmReplyBuffer, kTimeoutMonitor);
    if (result == kOk) {
        g_registerImage.fill(0);
        result = MonitorInitMonitor();
    }
    return result;
}

// ---- adapter registers ----

WORD CEmulatorChannel::ReadRegister(DWORD address, std::array<BYTE, 4>& bytes) {
    const BYTE count = m_accessWord == 4 ? 4 : 1;
    return m_memory->ReadUleMemory(m_accessWord, bytes.data(), address, count) == driver_result::kOk ? kOk
                                                                                                     : kTimeout;
}

WORD CEmulatorChannel::WriteRegister(DWORD address, std::array<BYTE, 4>& bytes) {
    const BYTE count = m_accessWord == 4 ? 4 : 1;
    return m_memory->WriteUleMemory(m_accessWord, bytes.data(), address, count) == driver_result::kOk ? kOk
                                                                                                      : kTimeout;
}

WORD CEmulatorChannel::ChangeRegisterBit(DWORD address, std::size_t byte, BYTE mask, bool set) {
    std::array<BYTE, 4> bytes{};
    if (ReadRegister(address, bytes) != kOk) {
        return kTimeout;
    }
    bytes[byte] = static_cast<BYTE>(set ? (bytes[byte] | mask) : (bytes[byte] & ~mask));
    return WriteRegister(address, bytes);
}

WORD CEmulatorChannel::WaitRegisterBit(DWORD address, std::size_t byte, BYTE mask, bool set,
                                       DWORD limitMilliseconds) {
    const DWORD start = GetTickCount();
    while (true) {
        std::array<BYTE, 4> bytes{};
        if (ReadRegister(address, bytes) == kOk && ((bytes[byte] & mask) != 0) == set) {
            return kOk;
        }
        if (GetTickCount() - start >= limitMilliseconds) {
            return kTimeout;
        }
        Sleep(0);
    }
}

WORD CEmulatorChannel::LatchAdapterStatusFlag() {
    const WORD flag = TestAdapterStatusFlag();
    if (flag == 0 || flag == 1) {
        g_adapterStatusLatch = static_cast<BYTE>(flag);
    }
    return flag;
}

WORD CEmulatorChannel::TestAdapterStatusFlag() {
    if (CheckConnector() != kOk) {
        return kNotConnected;
    }
    std::array<BYTE, 4> status{};
    if (ReadRegister(reg::kStatus, status) != kOk) {
        return kTimeout;
    }
    // A target without power runs nothing, whatever the flag still says.
    return (status[0] & reg::kStatusFlag) != 0 || (status[1] & reg::kTargetPower) == 0 ? 1 : 0;
}

WORD CEmulatorChannel::TestAdapterReadyBit() {
    std::array<BYTE, 4> status{};
    if (ReadRegister(reg::kStatus, status) != kOk) {
        return 0;
    }
    return (status[1] & reg::kTargetPower) != 0 ? 1 : 0;
}

WORD CEmulatorChannel::TestConnectorBit() {
    std::array<BYTE, 4> connector{};
    if (ReadRegister(m_connectorRegister, connector) != kOk || (connector[1] & reg::kDisconnected) != 0) {
        return kNotConnected;
    }
    return kOk;
}

WORD CEmulatorChannel::CheckConnector() {
    const DWORD now = GetTickCount();
    if (g_connectorClockStarted && now - g_lastConnectorTest < kConnectorInterval) {
        return kOk;
    }
    g_connectorClockStarted = true;
    g_lastConnectorTest = now;
    while (true) {
        std::array<BYTE, 4> status{};
        if (ReadRegister(reg::kStatus, status) != kOk) {
            // The adapter does not answer: the check is refused, and there is
            // no connector for the user to plug in.
            AccumulateElapsedTicks();
            return kNotConnected;
        }
        if ((status[1] & reg::kDisconnected) == 0) {
            return kOk;
        }
        if (ShowTargetError("Connector disconnected", MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) {
            AccumulateElapsedTicks();
            return kNotConnected;
        }
        // Retry stays the person's choice, but the next try waits, so a
        // Retry that nobody thought about does not spin.
        WaitMilliseconds(kConnectorInterval);
    }
}

void CEmulatorChannel::SetAdapterBaudRate(DWORD index) {
    if (g_protocolType == 1 || g_swtiSupported != 0) {
        static constexpr std::array<std::pair<BYTE, BYTE>, 9> kCodes{
            {{0xB0, 2}, {0xB1, 3}, {0xB2, 4}, {0xB3, 5}, {0xB4, 7}, {0xB5, 8}, {0xB6, 9}, {0xB7, 10}, {0xB8, 11}}};
        const auto [code, divider] = index < kCodes.size() ? kCodes[index] : kCodes[0];
        SetBaudRate(code);
        {
            CAccessWordScope bytes(*this, 4);
            std::array<BYTE, 4> value{0, divider, 0, 0};
            WriteRegister(reg::kDivider, value);
        }
        WaitMilliseconds(1);
        return;
    }
    std::array<BYTE, 4> control{};
    if (ReadRegister(reg::kControl, control) != kOk) {
        return;
    }
    control[0] = static_cast<BYTE>((control[0] & 0x8F) | ((index << 4) & 0x70));
    control[1] = static_cast<BYTE>((control[1] & 0xC0) | (index <= 5 ? 0x10 : 0x3F));
    WriteRegister(reg::kControl, control);
    WaitMilliseconds(1);
}

void CEmulatorChannel::SetAdapterControlFlag(DWORD flag) {
    ChangeRegisterBit(reg::kStatus, 1, reg::kControlFlag, flag != 0);
}

WORD CEmulatorChannel::ReadAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) {
    if (registerIndex >= 0 && registerIndex <= 4) {
        address = reg::Register(static_cast<DWORD>(registerIndex));
    } else if (registerIndex != -1) {
        return kOk;
    }
    m_memory->ReadUleMemory(m_accessWord, buffer, address, count);
    return kOk;
}

WORD CEmulatorChannel::WriteAdapterMemory(DWORD address, BYTE* buffer, BYTE count, int registerIndex) {
    if (registerIndex >= 0 && registerIndex <= 4) {
        address = reg::Register(static_cast<DWORD>(registerIndex));
    } else if (registerIndex != -1) {
        return kOk;
    }
    m_memory->WriteUleMemory(m_accessWord, buffer, address, count);
    return kOk;
}

WORD CEmulatorChannel::WriteAdapterRegister20(WORD value) {
    // A driver failure is the link's 0x5346, as for every other transfer,
    // so the facade marks the link lost.
    CAccessWordScope bytes(*this, 4);
    std::array<BYTE, 4> word{static_cast<BYTE>(value >> 8), static_cast<BYTE>(value), 0, 0};
    return WriteRegister(reg::kReset, word);
}

WORD CEmulatorChannel::SetAdapterRegister28() {
    if (g_emuSel != connect_mode::kProgramFlash) {
        return kOk;
    }
    CAccessWordScope bytes(*this, 4);
    std::array<BYTE, 4> word{0x00, 0x01, 0x00, 0x00};
    return WriteRegister(reg::kResetRelease, word);
}

WORD CEmulatorChannel::ReadTargetPower(bool& powered) {
    std::array<BYTE, 4> status{};
    if (const WORD read = ReadRegister(reg::kStatus, status); read != kOk) {
        return read;
    }
    powered = (status[1] & reg::kTargetPower) != 0;
    return kOk;
}

void CEmulatorChannel::CheckSystemBanner(DWORD resetRelease) {
    if (g_protocolType == 1 && m_link != nullptr && m_link->IsLinkLost()) {
        return;
    }
    if (std::strncmp(GetTargetSystemName(), kSystemBanner, kSystemBannerLength) == 0) {
        ChangeRegisterBit(reg::kStatus, 0, reg::kBannerBit, true);
    }
    if (resetRelease == 1) {
        SetAdapterRegister28();
    }
    if (g_deviceValues.powerSupply == 1) {
        // The emulator's own supply to the target goes off.
        BYTE value = 0;
        if (m_memory->ReadQ5tMemory(1, &value, emulator_memory::kPowerEnable, 1) == driver_result::kOk) {
            value = static_cast<BYTE>(value & ~0x01);
            m_memory->WriteQ5tMemory(1, &value, emulator_memory::kPowerEnable, 1, 1);
        }
        if (m_memory->ReadQ5tMemory(1, &value, emulator_memory::kPowerVoltage, 1) == driver_result::kOk) {
            value = static_cast<BYTE>(value & ~0x03);
            m_memory->WriteQ5tMemory(1, &value, emulator_memory::kPowerVoltage, 1, 1);
        }
    }
}

void CEmulatorChannel::CheckSystemBannerDefault() {
    CheckSystemBanner(0);
}

WORD CEmulatorChannel::IsCardDriver(const char* driverName) {
    if (driverName == nullptr) {
        return 0;
    }
    if (EqualNoCase(driverName, "Q71K PC Card Driver")) {
        m_connectorRegister = 32;
        m_accessWord = 2;
        g_cardDriverFlag = 0;
        return 1;
    }
    if (EqualNoCase(driverName, "Q71K PCI Card Driver2")) {
        m_connectorRegister = 32;
        m_accessWord = 4;
        g_cardDriverFlag = 1;
        return 1;
    }
    return 0;
}

// ---- small slots ----

WORD CEmulatorChannel::GetStatusWords(DWORD* first, DWORD* second) {
    *first = m_idCode[0];
    *second = m_idCode[1];
    return kOk;
}

WORD CEmulatorChannel::Slot8(DWORD, DWORD, DWORD) {
    return kOk;
}

WORD CEmulatorChannel::Slot16(DWORD first, DWORD second, DWORD third) {
    return Slot8(first, second, third);
}

WORD CEmulatorChannel::ReservedCheck(DWORD, DWORD) {
    return 1;
}

WORD CEmulatorChannel::ReservedQuery(DWORD) {
    return kOk;
}

WORD CEmulatorChannel::Slot64(DWORD) {
    return kOk;
}

WORD CEmulatorChannel::GetChannelKind() {
    return 2;
}

WORD CEmulatorChannel::WaitMilliseconds(DWORD milliseconds) {
    // The wait passes on the platform clock and leaves the processor to the
    // other threads meanwhile.
    Sleep(milliseconds);
    return kOk;
}

DWORD CEmulatorChannel::AccumulateElapsedTicks() {
    const DWORD now = GetTickCount();
    const DWORD elapsed = now - g_runTickMark.exchange(now);
    g_runTicksTotal += elapsed;
    return elapsed;
}
