// The firmware request frames: building, sending and parsing.
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "config/break_channels.h"
#include "link/monitor_services.h"
#include "config/device_data.h"

#include "platform/clock.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

using namespace link_result;

// Offsets in the reply frame.
constexpr std::size_t kReplyLengthAt = 4;
constexpr std::size_t kStatusAt = 6;
constexpr std::size_t kDetailAt = 8;
constexpr std::size_t kMemoryDataAt = 12;
constexpr std::size_t kVersionTextLength = 12;
constexpr std::size_t kVersionValueAt = 20;
// Whole replies: a status reply (status and detail word), and the register
// file's reply (its 42 bytes after the status).
constexpr std::size_t kStatusReplyLength = 12;
constexpr std::size_t kRegisterReplyLength = 50;
// The go request: mode byte, eight bytes for the channel addresses, 0x81.
constexpr std::size_t kGoModeAt = 6;
constexpr std::size_t kGoLength = 16;
// After a go the target gets a moment before anything else goes out.
constexpr DWORD kGoPause = 10;
// The CPU type whose detail words are 16 bits wide.
constexpr char kShortDetailCpu[] = "Pz6/300L";

// Set while the monitor is re-initialised after a reported reset, so the
// replies that re-initialisation parses do not start it again.
std::atomic<bool> g_resetHandling{false};

WORD FrameCount(std::span<const BYTE> frame, std::size_t at) {
    WORD value = 0;
    GetWord16(&value, frame.data() + at, true);
    return value;
}

}  // namespace

CFirmCommand::CFirmCommand() : CFirmCommand(g_emulatorLink) {}

CFirmCommand::CFirmCommand(CEmulatorLink* link)
    : m_link(link), m_request(g_firmRequestBuffer), m_reply(g_firmReplyBuffer) {
    Init();
}

void CFirmCommand::Init() {
    m_request = g_firmRequestBuffer;
    m_reply = g_firmReplyBuffer;
    m_access = 0;
    m_count = 0;
    m_address = 0;
    m_endAddress = 0;
    m_detail = 0;
    m_verify = 0;
    m_value = 0;
    m_registerCursor = nullptr;
    m_blockIndex = 0;
    m_data = nullptr;
    m_savedWindows = 0;
}

void CFirmCommand::BuildRequest(DWORD code) {
    BYTE* frame = m_request.data();
    WORD length = firm_code::FrameLength(code);
    PutWord16(frame, length, true);
    PutWord16(frame + 2, code >> 16, true);
    PutWord16(frame + 4, length, true);
    switch (code) {
    case firm_code::kReadMemory:
        PutWord32LowFirst(frame + 6, m_address);
        PutWord16(frame + 10, static_cast<DWORD>(m_count), false);
        PutWord16(frame + 12, m_access, false);
        break;
    case firm_code::kWriteMemory: {
        // The callers keep a piece within the frame: 16 + 128 bytes at most.
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max(m_count, 0)),
                                                        kFirmBufferSize - 18);
        PutWord32LowFirst(frame + 6, m_address);
        PutWord16(frame + 10, m_access, false);
        PutWord16(frame + 14, m_verify, false);
        std::size_t total = length + count;
        if (total % 2 != 0) {
            frame[16 + count] = 0;
            ++total;
        }
        length = static_cast<WORD>(total);
        PutWord16(frame, length, true);
        PutWord16(frame + 4, length, true);
        PutWord16(frame + 12, static_cast<DWORD>(count), false);
        if (count != 0 && m_data != nullptr) {
            std::memcpy(frame + 16, m_data, count);
        }
        break;
    }
    case firm_code::kWriteRegisters:
        for (std::size_t i = 0; i < 14; ++i) {
            PutWord16(frame + 6 + 2 * i, *m_registerCursor++, false);
        }
        PutWord24(frame + 34, *m_registerCursor++, false);
        PutWord24(frame + 37, *m_registerCursor++, false);
        for (std::size_t i = 0; i < 4; ++i) {
            PutWord16(frame + 40 + 2 * i, *m_registerCursor++, false);
        }
        break;
    case firm_code::kGo:
        frame[kGoModeAt] = GoModeByte();
        std::fill(frame + kGoModeAt + 1, frame + kGoLength - 1, BYTE{0xFF});
        frame[kGoLength - 1] = firm_code::kClose;
        return;  // the go request ends without the pad byte
    default:
        break;
    }
    frame[length] = firm_code::kPad;
    frame[length + 1] = firm_code::kClose;
}

BYTE CFirmCommand::GoModeByte() const {
    const DWORD mode = g_runMode;
    const bool step = mode == run_mode::kStep ||
                      (mode == run_mode::kStepOver && g_appliedBreakChannels[0].pcBefore == 1);
    return step ? 4 : 0;
}

WORD CFirmCommand::Transfer(DWORD code) {
    switch (code) {
    case firm_code::kReadVersion:
    case firm_code::kReadMemory:
    case firm_code::kWriteMemory:
    case firm_code::kFlashStep:
    case firm_code::kReadRegisters:
    case firm_code::kWriteRegisters:
    case firm_code::kReset:
        return m_link != nullptr ? m_link->MonitorTransact(m_request, m_reply) : kTimeout;
    case firm_code::kGo: {
        if (m_link == nullptr) {
            return kTimeout;
        }
        const WORD result = m_link->MonitorSend(m_request.first(kGoLength));
        Sleep(kGoPause);
        return result;
    }
    default:
        return kNoSuchRequest;
    }
}

bool CFirmCommand::ReplyIsWhole(DWORD code) const {
    // The channel delivers whole frames: a count word, the bytes it counts
    // and the closing byte. A firmware reply repeats its count at 4-5, names
    // the request's command at 3, ends with the pad and the closing byte, and
    // is exactly as long as a reply of its kind: anything else (a bare
    // acknowledge, a status reply, a corrupted header) carries no status
    // here, and bytes of an earlier reply must not stand in for one. Data
    // bytes carry no check of their own.
    const WORD count = FrameCount(m_reply, 0);
    if (count < kStatusAt + 2 || count + 2u > kFirmBufferSize || FrameCount(m_reply, kReplyLengthAt) != count ||
        m_reply[2] != firm_code::kMarker || m_reply[count] != firm_code::kPad ||
        m_reply[count + 1u] != firm_code::kClose) {
        return false;
    }
    // The go gets no reply: its parse reads the last reply, whatever it was.
    if (code == firm_code::kGo) {
        return true;
    }
    WORD status = 0;
    GetWord16(&status, m_reply.data() + kStatusAt, false);
    return m_reply[3] == static_cast<BYTE>(code >> 16) && count == WholeReplyLength(code, status);
}

std::size_t CFirmCommand::WholeReplyLength(DWORD code, WORD status) const {
    // A failure, and every request that answers nothing else, is a status
    // reply: the status and the detail word.
    if (status != 0) {
        return kStatusReplyLength;
    }
    switch (code) {
    case firm_code::kReadMemory:
        return kMemoryDataAt + static_cast<std::size_t>(std::max(m_count, 0));
    case firm_code::kReadVersion:
        return kVersionValueAt + 2;
    case firm_code::kReadRegisters:
        return kRegisterReplyLength;
    default:
        return kStatusReplyLength;
    }
}

WORD CFirmCommand::BrokenReply() {
    // As with a frame the channel cannot read: the exchange is out of step,
    // and the link counts as lost until it is brought back.
    if (m_link != nullptr) {
        m_link->RecordResult(kTimeout);
    }
    return kTimeout;
}

WORD CFirmCommand::ParseReply(DWORD code) {
    if (!ReplyIsWhole(code)) {
        return BrokenReply();
    }
    const BYTE* reply = m_reply.data();
    WORD status = 0;
    GetWord16(&status, reply + kStatusAt, false);
    if (status == kTargetReset) {
        bool expected = false;
        if (!MonitorIsRunning() && g_resetHandling.compare_exchange_strong(expected, true)) {
            MonitorInitMonitor();
            MonitorPrintStopCause(kStopCauseTargetReset);
            g_resetHandling = false;
        }
        return status;
    }
    switch (code) {
    case firm_code::kReadMemory:
        if (status == 0) {
            // The reply carries exactly the requested bytes (its length was
            // checked above), so it neither overruns the caller's buffer nor
            // leaves part of it unread.
            if (m_data == nullptr) {
                return BrokenReply();
            }
            std::memcpy(m_data, reply + kMemoryDataAt, static_cast<std::size_t>(std::max(m_count, 0)));
            break;
        }
        [[fallthrough]];
    case firm_code::kWriteMemory:
        if (status != 0) {
            m_detail = GetWord32LowFirst(reply + kDetailAt);
            if (std::strncmp(g_deviceValues.cpuType.c_str(), kShortDetailCpu, 8) == 0) {
                m_detail &= 0xFFFF;
            }
        }
        break;
    case firm_code::kReadVersion:
        if (status == 0) {
            if (m_data == nullptr) {
                return BrokenReply();
            }
            std::memcpy(m_data, reply + kDetailAt, kVersionTextLength);
            m_data[kVersionTextLength] = 0;
            WORD version = 0;
            GetWord16(&version, reply + kVersionValueAt, false);
            m_value = version;
        }
        break;
    default:
        break;
    }
    m_detail &= g_deviceValues.maxAddr;
    return status;
}

WORD CFirmCommand::Request(DWORD code) {
    BuildRequest(code);
    if (const WORD sent = Transfer(code); sent != kOk) {
        return sent;
    }
    return ParseReply(code);
}
