#include "link/frame_packet.h"

#include "link/emulator_link.h"
#include "link/firm_codes.h"
#include "link/link_results.h"

#include <algorithm>

namespace {

using firm_code::kClose;
using firm_code::kMarker;
using firm_code::kPad;
constexpr std::size_t kHeaderSize = 6;
// The reply buffer has room for five times the expected reply.
constexpr std::size_t kReplyRoom = 5;
constexpr std::size_t kEventItemSize = 10;

}  // namespace

CFramePacket::CFramePacket(CEmulatorLink* link) : m_link(link) {}

void CFramePacket::AppendValue(DWORD value, DWORD lowFirst) {
    for (int i = 0; i < 4; ++i) {
        const int shift = lowFirst != 0 ? 8 * i : 8 * (3 - i);
        m_payload.push_back(static_cast<BYTE>(value >> shift));
    }
}

void CFramePacket::AppendWord16(WORD value, DWORD lowFirst) {
    const BYTE low = static_cast<BYTE>(value);
    const BYTE high = static_cast<BYTE>(value >> 8);
    m_payload.push_back(lowFirst != 0 ? low : high);
    m_payload.push_back(lowFirst != 0 ? high : low);
}

void CFramePacket::Serialize() {
    std::vector<BYTE> frame;
    const DWORD length = m_requestLength >= 2 ? m_requestLength - 2 : 0;
    const BYTE high = static_cast<BYTE>(length >> 8);
    const BYTE low = static_cast<BYTE>(length);
    frame.insert(frame.end(), {high, low, kMarker, m_command, high, low});
    frame.insert(frame.end(), m_payload.begin(), m_payload.end());
    if (m_requestTrailerMode == kTrailerPadded) {
        frame.push_back(kPad);
    }
    frame.push_back(kClose);
    m_request = std::move(frame);
}

bool CFramePacket::CheckReply() const {
    const std::size_t length = m_replyLength;
    const std::size_t minimum = kHeaderSize + (m_statusFlag == 1 ? 2 : 0) + (m_replyTrailerMode == kTrailerPadded ? 2 : 1);
    if (length < minimum || m_reply.size() < length) {
        return false;
    }
    const std::size_t count = length - 2;
    const bool header = m_reply[0] == static_cast<BYTE>(count >> 8) && m_reply[1] == static_cast<BYTE>(count) &&
                        m_reply[2] == kMarker && m_reply[3] == m_command && m_reply[4] == m_reply[0] &&
                        m_reply[5] == m_reply[1];
    const WORD status = m_statusFlag == 1 ? static_cast<WORD>((m_reply[6] << 8) | m_reply[7]) : 0;
    const bool trailer = (m_replyTrailerMode != kTrailerPadded || m_reply[length - 2] == kPad) &&
                         m_reply[length - 1] == kClose;
    return header && trailer && status == 0;
}

DWORD CFramePacket::Send() {
    // A request whose layout disagrees with its length is never sent.
    if (m_link == nullptr || m_request.empty() || m_request.size() != m_requestLength) {
        return 0;
    }
    m_reply.assign(kReplyRoom * m_replyLength, 0);
    if (m_link->MonitorTransact(m_request, m_reply) != link_result::kOk || !CheckReply()) {
        return 0;
    }
    Decode();
    return 1;
}

CEventFramePacket::CEventFramePacket(CEmulatorLink* link, BYTE subCommand, DWORD count,
                                     const EventPacketItem* items)
    : CFramePacket(link) {
    m_command = kCommand;
    m_requestLength = static_cast<DWORD>(kEventItemSize) * count + 8;
    m_replyLength = 10;
    m_requestTrailerMode = 1;
    m_replyTrailerMode = kTrailerPadded;
    m_statusFlag = 1;
    AppendByte(subCommand);
    for (DWORD i = 0; i < count && items != nullptr; ++i) {
        const EventPacketItem& item = items[i];
        AppendValue(item.address, 1);
        AppendByte(0x20);
        AppendByte(item.accessLetter);
        AppendWord16(item.firstValue, 1);
        AppendWord16(item.secondValue, 1);
    }
    Serialize();
}
