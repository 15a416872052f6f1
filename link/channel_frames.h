// The adapter channel's frame formats. Every frame is a 16-bit big-endian
// count of the bytes that follow, the body, a pad byte 0xA5 where the count
// would otherwise be odd, and the closing 0x81. A relayed boot-mode command's
// body is its command length and response length (16 bits each, big-endian)
// and the command bytes.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

namespace channel_frame {

inline constexpr BYTE kPad = 0xA5;
inline constexpr BYTE kClose = 0x81;

// Bytes of a frame around a body of n bytes.
constexpr std::size_t FramedSize(std::size_t bodySize) {
    return 2 + bodySize + ((bodySize + 1) % 2) + 1;
}

template <std::size_t N>
constexpr std::array<BYTE, FramedSize(N)> Framed(const std::array<BYTE, N>& body) {
    std::array<BYTE, FramedSize(N)> frame{};
    const std::size_t count = FramedSize(N) - 2;
    frame[0] = static_cast<BYTE>(count >> 8);
    frame[1] = static_cast<BYTE>(count);
    for (std::size_t i = 0; i < N; ++i) {
        frame[2 + i] = body[i];
    }
    if ((N + 1) % 2 != 0) {
        frame[2 + N] = kPad;
    }
    frame[FramedSize(N) - 1] = kClose;
    return frame;
}

template <std::size_t N>
constexpr std::array<BYTE, FramedSize(N + 4)> Relayed(const std::array<BYTE, N>& command, WORD responseLength) {
    std::array<BYTE, N + 4> body{};
    body[0] = static_cast<BYTE>(N >> 8);
    body[1] = static_cast<BYTE>(N);
    body[2] = static_cast<BYTE>(responseLength >> 8);
    body[3] = static_cast<BYTE>(responseLength);
    for (std::size_t i = 0; i < N; ++i) {
        body[4 + i] = command[i];
    }
    return Framed(body);
}

// The same forms for bodies known only at run time.
std::vector<BYTE> FramedBody(std::span<const BYTE> body);
std::vector<BYTE> RelayedCommand(std::span<const BYTE> command, WORD responseLength);
inline std::vector<BYTE> RelayedCommand(std::initializer_list<BYTE> command, WORD responseLength) {
    return RelayedCommand(std::span<const BYTE>(command.begin(), command.size()), responseLength);
}
// An adapter command: its code and argument bytes.
std::vector<BYTE> AdapterCommand(BYTE code, std::initializer_list<BYTE> arguments = {});

// A received reply: its count word, the bytes it counts, the last one 0x81.
// The reply's length (count + 2), or 0 when the bytes break that shape or
// would not fit a buffer of capacity bytes.
std::size_t ReplyLength(std::span<const BYTE> received, std::size_t capacity);
// The result word of a status reply 00 02 s 81 (0 for the acknowledge and
// for any reply that is no status reply).
WORD StatusReplyWord(std::span<const BYTE> reply);
// The response bytes of a relayed command's reply (from byte 2), when the
// reply is exactly the frame of that many; empty otherwise.
std::span<const BYTE> ResponseBytes(std::span<const BYTE> reply, std::size_t count);

// Fixed frames, checked against the wire tables.
inline constexpr auto kStatusRead = Relayed(std::array<BYTE, 1>{0x70}, 2);
static_assert(kStatusRead == std::array<BYTE, 8>{0x00, 0x06, 0x00, 0x01, 0x00, 0x02, 0x70, 0x81});
inline constexpr auto kVersionRead = Relayed(std::array<BYTE, 1>{0xFB}, 8);
static_assert(kVersionRead == std::array<BYTE, 8>{0x00, 0x06, 0x00, 0x01, 0x00, 0x08, 0xFB, 0x81});
inline constexpr auto kEraseAll = Relayed(std::array<BYTE, 2>{0xA7, 0xD0}, 0);
static_assert(kEraseAll == std::array<BYTE, 10>{0x00, 0x08, 0x00, 0x02, 0x00, 0x00, 0xA7, 0xD0, 0xA5, 0x81});
inline constexpr auto kClearStatus = Relayed(std::array<BYTE, 1>{0x50}, 0);
static_assert(kClearStatus == std::array<BYTE, 8>{0x00, 0x06, 0x00, 0x01, 0x00, 0x00, 0x50, 0x81});
inline constexpr auto kDisableLockBits = Relayed(std::array<BYTE, 1>{0x7A}, 0);
inline constexpr auto kEnableLockBits = Relayed(std::array<BYTE, 1>{0x75}, 0);
static_assert(kEnableLockBits == std::array<BYTE, 8>{0x00, 0x06, 0x00, 0x01, 0x00, 0x00, 0x75, 0x81});
// The firmware check: the running firmware answers 0x92.
inline constexpr auto kFirmwareCheck = Relayed(std::array<BYTE, 2>{0x72, 0x92}, 1);
static_assert(kFirmwareCheck == std::array<BYTE, 10>{0x00, 0x08, 0x00, 0x02, 0x00, 0x01, 0x72, 0x92, 0xA5, 0x81});
// The run-state request, sent as it stands.
inline constexpr std::array<BYTE, 8> kRunStateRequest{0x00, 0x06, 0x5A, 0x22, 0x00, 0x06, 0xA5, 0x81};
// The resynchronisation request: 16 bytes without a count word of its own.
inline constexpr std::array<BYTE, 16> kResyncRequest{0xA5, 0xF0, 0x5A, 0x0F, 0x00, 0x00, 0x00, 0x10,
                                                     0x01, 0x00, 0x00, 0x00, 0xA5, 0xF0, 0x5A, 0x0F};

// A program record: 128 bytes to program, 00 86, four address bytes low
// first, the data, the 8-bit sum of address and data, 0x81.
inline constexpr std::size_t kRecordDataSize = 128;
inline constexpr std::size_t kProgramRecordSize = 2 + 4 + kRecordDataSize + 1 + 1;
std::array<BYTE, kProgramRecordSize> ProgramRecord(DWORD address, std::span<const BYTE, kRecordDataSize> data);
static_assert(kProgramRecordSize - 2 == 0x86, "the count of a program record is its code 0x86");

}  // namespace channel_frame
