// Boot command packets: the frames the flash-write program understands once
// it runs in the microcontroller (open an image write, write a 128-byte
// block, close the write, erase a block, read a 256-byte page, start the
// firmware), and the six packet operations over them.
//
// A request frame is the count (request length - 2, high byte first), the
// command byte (none when it is 0), the payload, 0xA5 with the padded trailer
// and 0x81. Every reply is 00 02, a status byte, 81 (6: acknowledged), but
// the page read's: 01 02, 256 data bytes, A5 81.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <span>
#include <vector>

class CEmulatorLink;

class CBootPacket {
public:
    // The reply status that means acknowledged.
    static constexpr BYTE kAcknowledged = 6;

    explicit CBootPacket(CEmulatorLink* link);
    virtual ~CBootPacket() = default;
    CBootPacket(const CBootPacket&) = delete;
    CBootPacket& operator=(const CBootPacket&) = delete;

    // Lays out the request frame.
    virtual void Build();
    // True when the reply has its frame (count, trailer, closing byte) and,
    // where it carries one, the acknowledged status; takes the status.
    [[nodiscard]] virtual bool CheckReply();
    // Builds, exchanges, checks and decodes: 1 success, 0 failure.
    [[nodiscard]] virtual DWORD Send();
    virtual void DecodeReply() = 0;

    // Appends the four bytes of value, low byte first when lowFirst.
    void AppendAddress(DWORD value, bool lowFirst);
    void AppendByte(BYTE value) { m_payload.push_back(value); }

    // The reply as received: at most the reply length is kept, the rest
    // reads zero (as a fresh reply buffer does).
    void TakeReply(std::span<const BYTE> bytes);
    const std::vector<BYTE>& Request() const { return m_request; }
    const std::vector<BYTE>& Reply() const { return m_reply; }
    // The reply's status byte (6 until a reply carrying one was checked).
    BYTE Status() const { return m_status; }

protected:
    // The trailer modes: 0x81 alone, or 0xA5 0x81.
    static constexpr DWORD kTrailerPlain = 1;
    static constexpr DWORD kTrailerPadded = 2;

    CEmulatorLink* m_link;
    BYTE m_command = 0;
    DWORD m_requestTrailerMode = kTrailerPlain;
    DWORD m_replyTrailerMode = kTrailerPlain;
    std::size_t m_requestLength = 4;
    std::size_t m_replyLength = 4;
    std::vector<BYTE> m_request;
    std::vector<BYTE> m_reply;
    std::vector<BYTE> m_payload;
    bool m_replyHasStatus = true;
    BYTE m_status = kAcknowledged;
};

// 'W' (00 02 57 81): opens an image write.
class CBootPacketW : public CBootPacket {
public:
    explicit CBootPacketW(CEmulatorLink* link);
    void DecodeReply() override {}
};

// A program record (00 86, address low byte first, 128 data bytes, their sum
// with the address bytes, 81): no command byte.
class CBootPacketWriteBlock : public CBootPacket {
public:
    static constexpr std::size_t kDataLength = 128;
    CBootPacketWriteBlock(CEmulatorLink* link, DWORD address, std::span<const BYTE, kDataLength> data);
    void DecodeReply() override {}
};

// 0x11 (00 02 11 81): closes the image write.
class CBootPacket11 : public CBootPacket {
public:
    explicit CBootPacket11(CEmulatorLink* link);
    void DecodeReply() override {}
};

// 'E' (00 06 45 a0 a1 a2 a3 81): erases the block that holds the address.
class CBootPacketErase : public CBootPacket {
public:
    CBootPacketErase(CEmulatorLink* link, DWORD address);
    void DecodeReply() override {}
};

// 'R' (00 06 52 a8 a16 a24 A5 81): reads the 256-byte page; its reply has no
// status byte.
class CBootPacketRead : public CBootPacket {
public:
    static constexpr std::size_t kPageLength = 256;
    CBootPacketRead(CEmulatorLink* link, DWORD address);
    // The page's bytes point into the reply.
    void DecodeReply() override;
    // Valid after a decoded reply; empty before.
    std::span<const BYTE> Data() const { return m_data; }

private:
    std::span<const BYTE> m_data;
};

// 'F' (00 06 46 a0 a1 a2 a3 81): starts the firmware at the address.
class CBootPacketGo : public CBootPacket {
public:
    CBootPacketGo(CEmulatorLink* link, DWORD address);
    void DecodeReply() override {}
};

// The packet operations over the session's link. Each sets the last boot
// status to 6 before it starts and, on failure, to the reply's status byte,
// or to 255 when that was 6 (no status came) or an argument was refused (no
// frame is sent then). 1 success, 0 failure.
[[nodiscard]] int OpenImageWrite();
// The data must be 128 bytes and the address even.
[[nodiscard]] int WriteFlashBlock128(DWORD address, std::span<const BYTE> data);
[[nodiscard]] int CloseImageWrite();
// The address must be even.
[[nodiscard]] int EraseFlashBlock(DWORD address);
// The page must be 256 writable bytes and the address a multiple of 256; the
// page's bytes are copied into it.
[[nodiscard]] int ReadFlashPage256(DWORD address, std::span<BYTE> page);
[[nodiscard]] int StartFirmware(DWORD address);
BYTE GetLastBootStatus();
