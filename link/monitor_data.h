// The monitor data buffer: where the monitor engine leaves the answer to each
// emulator command for the reply decoder. A header of eight big-endian 32-bit
// words, then the payload:
//   word 0  reply type: 6 status reply, 7 memory data, any other value text
//   word 1  text length (the first value of types 6 and 7)
//   word 2  data length of types 6 and 7 (words 2 to 4: values of type 6)
//   word 6  an address value (types 6 and 7)
//   word 7  a status code (types 6 and 7)
// The reply-pending byte says whether the buffer holds an answer that has not
// been fetched.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <span>

inline constexpr std::size_t kMonitorHeaderWords = 8;
inline constexpr std::size_t kMonitorHeaderSize = kMonitorHeaderWords * 4;
// Room for the largest answer the engine writes: a memory piece of 32,768
// bytes and what a failed verify reads back after it.
inline constexpr std::size_t kMonitorPayloadCapacity = 0x10000;

// Reply types of header word 0.
inline constexpr DWORD kMonitorReplyStatus = 6;
inline constexpr DWORD kMonitorReplyData = 7;
inline constexpr DWORD kMonitorReplyText = 2;

// The reply-pending byte: 2 while a monitor command is writing its answer,
// 3 while an answer waits to be fetched, 0 when the link is idle.
inline constexpr BYTE kMonitorReplyRunning = 2;
inline constexpr BYTE kMonitorReplyPending = 3;

class CMonitorDataBuffer {
public:
    DWORD Word(std::size_t index) const;
    void SetWord(std::size_t index, DWORD value);
    std::span<BYTE, kMonitorPayloadCapacity> Payload() { return std::span<BYTE, kMonitorPayloadCapacity>(m_payload); }
    std::span<const BYTE, kMonitorPayloadCapacity> Payload() const {
        return std::span<const BYTE, kMonitorPayloadCapacity>(m_payload);
    }

private:
    std::array<BYTE, kMonitorHeaderSize> m_header{};
    std::array<BYTE, kMonitorPayloadCapacity> m_payload{};
};
static_assert(sizeof(CMonitorDataBuffer) == kMonitorHeaderSize + kMonitorPayloadCapacity,
              "the header and the payload lie one after the other");

extern CMonitorDataBuffer g_monitorData;
// kMonitorReplyRunning while a command writes g_monitorData,
// kMonitorReplyPending while it holds an unfetched answer, else 0.
extern std::atomic<BYTE> g_monitorReplyState;
