#include "startup/boot_packet.h"

#include "link/emulator_link.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr BYTE kFrameEnd = 0x81;
constexpr BYTE kPad = 0xA5;
// The last boot status of a refused argument, and of a failure whose reply
// carried no status of its own.
constexpr BYTE kStatusRefused = 255;

constexpr BYTE kCommandW = 'W';
constexpr BYTE kCommandClose = 0x11;
constexpr BYTE kCommandErase = 'E';
constexpr BYTE kCommandRead = 'R';
constexpr BYTE kCommandGo = 'F';

std::atomic<BYTE> g_lastBootStatus{CBootPacket::kAcknowledged};

// Sends the packet; on failure the last boot status takes its reply's status,
// or 255 when no status came.
int SendPacket(CBootPacket& packet) {
    if (packet.Send() == 1) {
        return 1;
    }
    g_lastBootStatus = packet.Status() == CBootPacket::kAcknowledged ? kStatusRefused : packet.Status();
    return 0;
}

int Refuse() {
    g_lastBootStatus = kStatusRefused;
    return 0;
}

}  // namespace

CBootPacket::CBootPacket(CEmulatorLink* link) : m_link(link) {}

void CBootPacket::AppendAddress(DWORD value, bool lowFirst) {
    for (int i = 0; i < 4; ++i) {
        const int shift = lowFirst ? 8 * i : 8 * (3 - i);
        m_payload.push_back(static_cast<BYTE>(value >> shift));
    }
}

void CBootPacket::Build() {
    const std::size_t count = m_requestLength - 2;
    m_request.clear();
    m_request.reserve(m_requestLength);
    m_request.push_back(static_cast<BYTE>(count >> 8));
    m_request.push_back(static_cast<BYTE>(count));
    if (m_command != 0) {
        m_request.push_back(m_command);
    }
    m_request.insert(m_request.end(), m_payload.begin(), m_payload.end());
    if (m_requestTrailerMode == kTrailerPadded) {
        m_request.push_back(kPad);
    }
    m_request.push_back(kFrameEnd);
}

void CBootPacket::TakeReply(std::span<const BYTE> bytes) {
    m_reply.assign(m_replyLength, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), m_replyLength), m_reply.begin());
}

bool CBootPacket::CheckReply() {
    if (m_reply.size() != m_replyLength || m_replyLength < 4) {
        return false;
    }
    const std::size_t count = m_replyLength - 2;
    if (m_reply[0] != static_cast<BYTE>(count >> 8) || m_reply[1] != static_cast<BYTE>(count)) {
        return false;
    }
    if (m_replyHasStatus) {
        m_status = m_reply[2];
    }
    if (m_replyTrailerMode == kTrailerPadded && m_reply[m_replyLength - 2] != kPad) {
        return false;
    }
    if (m_reply.back() != kFrameEnd) {
        return false;
    }
    return m_status == kAcknowledged;
}

DWORD CBootPacket::Send() {
    Build();
    m_reply.assign(m_replyLength, 0);
    if (m_link == nullptr || m_request.size() != m_requestLength) {
        return 0;
    }
    if (m_link->MonitorTransact(m_request, m_reply) != 0) {
        // The link turns a status reply other than an acknowledge into a
        // word of its own; the status byte is still the packet's answer.
        if (m_reply[0] == 0x00 && m_reply[1] == 0x02 && m_reply[3] == kFrameEnd) {
            m_status = m_reply[2];
        }
        return 0;
    }
    if (!CheckReply()) {
        return 0;
    }
    DecodeReply();
    return 1;
}

CBootPacketW::CBootPacketW(CEmulatorLink* link) : CBootPacket(link) {
    m_command = kCommandW;
}

CBootPacketWriteBlock::CBootPacketWriteBlock(CEmulatorLink* link, DWORD address,
                                             std::span<const BYTE, kDataLength> data)
    : CBootPacket(link) {
    m_requestLength = 136;
    AppendAddress(address, true);
    m_payload.insert(m_payload.end(), data.begin(), data.end());
    BYTE sum = 0;
    for (const BYTE value : m_payload) {
        sum = static_cast<BYTE>(sum + value);
    }
    AppendByte(sum);
}

CBootPacket11::CBootPacket11(CEmulatorLink* link) : CBootPacket(link) {
    m_command = kCommandClose;
}

CBootPacketErase::CBootPacketErase(CEmulatorLink* link, DWORD address) : CBootPacket(link) {
    m_command = kCommandErase;
    m_requestLength = 8;
    AppendAddress(address, true);
}

CBootPacketRead::CBootPacketRead(CEmulatorLink* link, DWORD address) : CBootPacket(link) {
    m_command = kCommandRead;
    m_requestLength = 8;
    m_replyLength = 2 + kPageLength + 2;
    m_requestTrailerMode = kTrailerPadded;
    m_replyTrailerMode = kTrailerPadded;
    m_replyHasStatus = false;
    AppendByte(static_cast<BYTE>(address >> 8));
    AppendByte(static_cast<BYTE>(address >> 16));
    AppendByte(static_cast<BYTE>(address >> 24));
}

void CBootPacketRead::DecodeReply() {
    m_data = std::span<const BYTE>(m_reply).subspan(2, kPageLength);
}

CBootPacketGo::CBootPacketGo(CEmulatorLink* link, DWORD address) : CBootPacket(link) {
    m_command = kCommandGo;
    m_requestLength = 8;
    AppendAddress(address, true);
}

int OpenImageWrite() {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    CBootPacketW packet(g_emulatorLink);
    return SendPacket(packet);
}

int WriteFlashBlock128(DWORD address, std::span<const BYTE> data) {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    if (data.size() != CBootPacketWriteBlock::kDataLength || (address & 1) != 0) {
        return Refuse();
    }
    CBootPacketWriteBlock packet(g_emulatorLink, address, data.first<CBootPacketWriteBlock::kDataLength>());
    return SendPacket(packet);
}

int CloseImageWrite() {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    CBootPacket11 packet(g_emulatorLink);
    return SendPacket(packet);
}

int EraseFlashBlock(DWORD address) {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    if ((address & 1) != 0) {
        return Refuse();
    }
    CBootPacketErase packet(g_emulatorLink, address);
    return SendPacket(packet);
}

int ReadFlashPage256(DWORD address, std::span<BYTE> page) {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    if (page.size() < CBootPacketRead::kPageLength || (address & 0xFF) != 0) {
        return Refuse();
    }
    CBootPacketRead packet(g_emulatorLink, address);
    if (SendPacket(packet) == 0) {
        return 0;
    }
    std::copy(packet.Data().begin(), packet.Data().end(), page.begin());
    return 1;
}

int StartFirmware(DWORD address) {
    g_lastBootStatus = CBootPacket::kAcknowledged;
    CBootPacketGo packet(g_emulatorLink, address);
    return SendPacket(packet);
}

BYTE GetLastBootStatus() {
    return g_lastBootStatus;
}
