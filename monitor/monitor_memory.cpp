// The monitor engine's memory operations for the memory handler: a read or
// a write with its answer in the monitor data buffer, the fill and the
// search.
#include "monitor/monitor_engine.h"

#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/area_segments.h"
#include "monitor/memory_access.h"
#include "link/monitor_data.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_output.h"
#include "config/device_data.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

using namespace memory_status;

// Header words of the memory replies.
constexpr std::size_t kKindWord = 0;
constexpr std::size_t kStartWord = 1;
constexpr std::size_t kLengthWord = 2;
constexpr std::size_t kWrittenWord = 3;
constexpr std::size_t kBlankLengthWord = 4;
constexpr std::size_t kStatusWord = 7;
// A write's reply: its first payload bytes blank, a failed verify's unit
// read back after them.
constexpr std::size_t kWriteBlanks = 32;

constexpr DWORD kSearchWindow = 2048;

void SetHeader(DWORD kind, DWORD start, DWORD length, WORD status) {
    g_monitorData.SetWord(kKindWord, kind);
    g_monitorData.SetWord(kStartWord, start);
    g_monitorData.SetWord(kLengthWord, length);
    g_monitorData.SetWord(kStatusWord, status);
}

// The unit's value from its bytes, the first most significant.
std::uint64_t BigEndianValue(const BYTE* bytes, DWORD unitSize) {
    std::uint64_t value = 0;
    for (DWORD i = 0; i < unitSize; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The low four bytes of a unit lying in memory least significant first.
DWORD MemoryValue(const BYTE* bytes, DWORD unitSize) {
    DWORD value = 0;
    for (DWORD i = 0; i < std::min<DWORD>(unitSize, 4); ++i) {
        value |= DWORD{bytes[i]} << (8 * i);
    }
    return value;
}

bool IsUnitSize(DWORD unitSize) {
    return unitSize == 1 || unitSize == 2 || unitSize == 3 || unitSize == 4 || unitSize == 8;
}

}  // namespace

void CMonitorEngine::ReadMemoryToResponse(DWORD start, DWORD length, DWORD unitSize) {
    BeginMonitorCommand();
    SelectBreakKindFromOption();
    WORD status = NormaliseUnitSize(length, unitSize);
    length = std::min(length, kMemoryPieceSize);
    DWORD headerStart = start;
    DWORD headerLength = length;
    if (length != 0) {
        DWORD failing = start;
        status = ReadTargetMemoryChunked(start, length, g_monitorData.Payload().data(), &failing, false, unitSize);
        if (status != kDone) {
            headerLength = failing - start;
            headerStart = failing;
        }
    }
    SetHeader(kMonitorReplyData, headerStart, headerLength, status);
    EndMonitorCommand();
}

WORD CMonitorEngine::WriteMemoryThroughMonitor(DWORD start, const BYTE* source, DWORD unitSize, DWORD length,
                                               DWORD verify) {
    BeginMonitorCommand();
    SelectBreakKindFromOption();
    WORD status = NormaliseUnitSize(length, unitSize);
    // The range ends at the top of the address space.
    length = static_cast<DWORD>(std::min<std::uint64_t>(length, std::uint64_t{0xFFFFFFFF} - start + 1));
    DWORD headerStart = start;
    DWORD headerLength = length;
    DWORD written = 0;
    std::array<BYTE, 8> readBack{};
    if (length != 0 && source != nullptr) {
        const DWORD end = start + (length - 1);
        DWORD failing = start;
        for (const AddressRange& part : RangeOutsideReservedAreas(start, end)) {
            status = WriteTargetMemoryChunked(part.start, part.end - part.start + 1, source + (part.start - start),
                                              &failing, verify, unitSize);
            if (status != kDone) {
                break;
            }
        }
        if (status == kDone && RangeOverlapsReservedArea(start, end)) {
            SplitRangeByReservedAreas(start, end);
            status = kReserved;
        } else if (status != kDone) {
            headerLength = failing - start;
            headerStart = failing;
        }
        if (status == kVerify) {
            const DWORD unit = std::min<DWORD>(unitSize, static_cast<DWORD>(readBack.size()));
            const DWORD offset = failing - start;
            const DWORD available = std::min(unit, length - offset);
            written = MemoryValue(source + offset, available);
            static_cast<void>(ReadTargetMemoryChunked(failing, available, readBack.data(), nullptr, false, 1));
        }
    }
    SetHeader(kMonitorReplyStatus, headerStart, headerLength, status);
    g_monitorData.SetWord(kWrittenWord, written);
    g_monitorData.SetWord(kBlankLengthWord, static_cast<DWORD>(kWriteBlanks));
    const auto payload = g_monitorData.Payload();
    std::fill_n(payload.begin(), kWriteBlanks, BYTE{' '});
    std::copy(readBack.begin(), readBack.end(), payload.begin() + kWriteBlanks);
    EndMonitorCommand();
    return status;
}

WORD CMonitorEngine::MonitorFillMemory(DWORD start, DWORD end, const BYTE* pattern, DWORD unitSize, DWORD verify) {
    BeginMonitorTextCommand();
    WORD status = kDone;
    if (pattern == nullptr || start > end) {
        EndMonitorCommand();
        return status;
    }
    static_cast<void>(NormaliseUnitSize(end - start + 1, unitSize));
    const AreaSegments first = SplitIntoAreaSegments(start, end);
    if (first[0].kind == area_kind::kMonitor) {
        FormatMonitorError(monitor_message::kMonitorCommandArea);
        EndMonitorCommand();
        return status;
    }
    if (first[0].kind == area_kind::kIo) {
        EndMonitorCommand();
        return status;
    }
    SelectBreakKindFromOption();
    const std::uint64_t value = BigEndianValue(pattern, unitSize);
    const DWORD access = AccessCodeForUnit(unitSize);
    bool areaReported = false;
    std::uint64_t next = start;
    bool done = false;
    while (!done && next <= end) {
        const AreaSegments segments = SplitIntoAreaSegments(static_cast<DWORD>(next), end);
        for (const AreaSegment& segment : segments) {
            if (segment.kind == area_kind::kEnd) {
                break;  // the walk goes on from the last segment's end
            }
            if (g_linkStopByte != 0) {
                done = true;
                break;
            }
            next = std::uint64_t{segment.end} + 1;
            if (segment.kind == area_kind::kMonitor || segment.kind == area_kind::kIo) {
                if (!areaReported) {
                    FormatMonitorError(segment.kind == area_kind::kMonitor ? monitor_message::kMonitorArea
                                                                           : monitor_message::kInternalIoArea);
                    areaReported = true;
                }
                continue;
            }
            if (segment.kind == area_kind::kFlash) {
                SplitRangeByReservedAreas(segment.start, segment.end);
                continue;
            }
            std::array<DWORD, 3> range{segment.start, segment.end, 0};
            status = CFirmCommand().WriteMemoryMonitor(access, verify, static_cast<DWORD>(value),
                                                       static_cast<DWORD>(value >> 32), range.data());
            if (status != kDone) {
                const WORD code = MapMonitorStatus(status, 1);
                if (code != monitor_message::kNone) {
                    FormatMonitorError(code);
                } else if (status == kVerify) {
                    ReportMemoryTestFailure(range[0], range[1], range[2], unitSize);
                    FormatMonitorError(monitor_message::kVerifyError);
                }
                done = true;
                break;
            }
        }
    }
    EndMonitorCommand();
    return status;
}

int CMonitorEngine::MonitorSearchMemory(DWORD start, DWORD end, const BYTE* pattern, DWORD unitSize,
                                        const BYTE* mask, DWORD matcher) {
    BeginMonitorTextCommand();
    const std::uint64_t length = std::uint64_t{end} - start + 1;
    if (start > end || end > g_deviceValues.maxAddr) {
        FormatMonitorError(monitor_message::kInvalidAddress);
        EndMonitorCommand();
        return 0;
    }
    if (pattern == nullptr || !IsUnitSize(unitSize)) {
        FormatMonitorError(monitor_message::kInvalidData);
        EndMonitorCommand();
        return 0;
    }
    if ((unitSize == 2 && (start % 2 != 0 || length % 2 != 0)) ||
        (unitSize == 4 && (start % 4 != 0 || length % 4 != 0))) {
        FormatMonitorError(monitor_message::kInvalidAddress);
        EndMonitorCommand();
        return 0;
    }
    SelectBreakKindFromOption();
    const std::uint64_t unitMask = unitSize == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * unitSize)) - 1;
    const std::uint64_t wanted = mask != nullptr ? BigEndianValue(mask, unitSize) : unitMask;
    const std::uint64_t target = BigEndianValue(pattern, unitSize) & wanted;
    const DeviceArea& io = g_deviceAreas[kAreaIio2];
    std::vector<BYTE> window(unitSize + kSearchWindow - 1);
    std::uint64_t address = start;
    while (address <= end) {
        DWORD size = static_cast<DWORD>(std::min<std::uint64_t>(window.size(), std::uint64_t{end} - address + 1));
        // Neighbouring windows overlap by a unit less one byte, so that a
        // unit across their border is seen; a window stops at the top of
        // the internal I/O area, and the next one starts there.
        std::uint64_t advance = kSearchWindow;
        if (io.enable != 0 && address < io.top && address + size - 1 >= io.top) {
            size = static_cast<DWORD>(io.top - address);
            advance = size;
        }
        DWORD failing = 0;
        const WORD status =
            ReadTargetMemoryChunked(static_cast<DWORD>(address), size, window.data(), &failing, true, 1);
        if (status != kDone || g_linkStopByte != 0) {
            EndMonitorCommand();
            return status;
        }
        const bool last = address + advance > end;
        for (DWORD offset = 0; offset + unitSize <= size && (last || offset < advance); ++offset) {
            if (matcher == 0 && (address + offset - start) % unitSize != 0) {
                continue;
            }
            if ((BigEndianValue(window.data() + offset, unitSize) & wanted) == target) {
                const auto found = static_cast<DWORD>(address + offset);
                const std::array<char, 4> bytes{static_cast<char>(found >> 24), static_cast<char>(found >> 16),
                                                static_cast<char>(found >> 8), static_cast<char>(found)};
                AppendMonitorOutput(bytes.data(), static_cast<WORD>(bytes.size()));
                EndMonitorCommand();
                return kMonitorSearchFound;
            }
        }
        address += advance;
    }
    EndMonitorCommand();
    return 0;
}
