// Frame packets: self-contained firmware commands with their own request and
// reply buffers. The caller appends payload bytes, the packet lays out the
// same 'Z' frame as the firmware requests, sends it through the link facade,
// checks the reply's frame and status and lets the derived packet decode it.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <vector>

class CEmulatorLink;

class CFramePacket {
public:
    explicit CFramePacket(CEmulatorLink* link);
    virtual ~CFramePacket() = default;
    CFramePacket(const CFramePacket&) = delete;
    CFramePacket& operator=(const CFramePacket&) = delete;

    // Lays out the request: length (request length - 2) high byte first,
    // 0x5A, the command, the length again, the payload, 0xA5 with request
    // trailer mode 2, and 0x81.
    virtual void Serialize();
    // True when the reply has the expected frame, trailer and a zero status.
    virtual bool CheckReply() const;
    // 1 when the transfer, the reply check and the decoding succeed, else 0.
    virtual DWORD Send();
    virtual void Decode() = 0;

    void AppendByte(BYTE value) { m_payload.push_back(value); }
    // The four bytes of value, low byte first when lowFirst is nonzero.
    void AppendValue(DWORD value, DWORD lowFirst);
    void AppendWord16(WORD value, DWORD lowFirst);

    const std::vector<BYTE>& Request() const { return m_request; }
    const std::vector<BYTE>& Reply() const { return m_reply; }

protected:
    // Trailer mode 2: the frame ends 0xA5 0x81; any other: 0x81 alone.
    static constexpr DWORD kTrailerPadded = 2;

    CEmulatorLink* m_link;
    BYTE m_command = 0;
    DWORD m_requestTrailerMode = 0;
    DWORD m_replyTrailerMode = 0;
    DWORD m_requestLength = 0;
    DWORD m_replyLength = 0;
    std::vector<BYTE> m_request;
    std::vector<BYTE> m_reply;
    std::vector<BYTE> m_payload;
    DWORD m_statusFlag = 1;  // the reply carries a status word in bytes 6-7
};

// One item of an event frame packet, as the caller gives it.
struct EventPacketItem {
    DWORD address;
    BYTE accessLetter;  // the boot sequence uses 'B'
    BYTE spare;
    WORD firstValue;
    WORD secondValue;
};
static_assert(sizeof(EventPacketItem) == 12, "an item record is 12 bytes");

// The '#' packet the boot sequence sends with the device's initial register
// settings: a sub-command byte, then ten bytes per item (address low byte
// first, a blank, the access letter, the two values low byte first).
class CEventFramePacket : public CFramePacket {
public:
    static constexpr BYTE kCommand = '#';

    CEventFramePacket(CEmulatorLink* link, BYTE subCommand, DWORD count, const EventPacketItem* items);
    void Decode() override {}
};
