// The monitor engine's copy of a target range, piece by piece through the
// firmware's transfer buffer; backwards when the destination starts inside
// the source, so that no source byte is overwritten before it is read.
#include "monitor/monitor_engine.h"

#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/area_segments.h"
#include "monitor/break_table.h"
#include "monitor/memory_access.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_output.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using namespace memory_status;

struct CopyPiece {
    DWORD start;
    DWORD size;
    WORD kind;
};

// The source range's pieces in ascending order: the area segments (walked
// on when one list does not reach the end), cut to the transfer buffer.
std::vector<CopyPiece> SourcePieces(DWORD start, DWORD end) {
    std::vector<CopyPiece> pieces;
    std::uint64_t next = start;
    while (next <= end) {
        for (const AreaSegment& segment : SplitIntoAreaSegments(static_cast<DWORD>(next), end)) {
            if (segment.kind == area_kind::kEnd) {
                break;  // the walk goes on from the last segment's end
            }
            for (std::uint64_t a = segment.start; a <= segment.end; a += kFirmWriteDataSize) {
                const auto size = static_cast<DWORD>(std::min<std::uint64_t>(segment.end - a + 1, kFirmWriteDataSize));
                pieces.push_back({static_cast<DWORD>(a), size, segment.kind});
            }
            next = std::uint64_t{segment.end} + 1;
        }
    }
    return pieces;
}

bool Accessible(WORD kind) {
    return kind == area_kind::kPlain || kind == area_kind::kDataFlash;
}

// A failure's message, when it has one the user reads.
void AppendFailure(WORD status) {
    const WORD code = MapMonitorStatus(status, 1);
    if (code < monitor_message::kNone) {
        FormatMonitorError(code);
    }
}

}  // namespace

WORD CMonitorEngine::MonitorCopyMemory(DWORD start, DWORD end, DWORD destination, DWORD verify) {
    BeginMonitorTextCommand();
    g_currentBreakKind.kind = break_kind::kP;
    if (start > end) {
        EndMonitorCommand();
        return kDone;
    }
    if (g_linkStopByte != 0) {
        EndMonitorCommand();
        return kFailed;
    }
    std::vector<CopyPiece> pieces = SourcePieces(start, end);
    if (destination >= start && destination <= end) {
        std::reverse(pieces.begin(), pieces.end());
    }
    bool areaReported = false;
    WORD status = kDone;
    for (const CopyPiece& piece : pieces) {
        if (!Accessible(piece.kind)) {
            if (!areaReported) {
                FormatMonitorError(piece.kind == area_kind::kIo ? monitor_message::kInternalIoArea
                                                                : monitor_message::kMonitorArea);
                areaReported = true;
            }
            continue;
        }
        const DWORD target = destination + (piece.start - start);
        CFirmCommand command;
        status = command.ReadMemory(access_code::kByte, piece.start, piece.size, g_firmWriteData.data());
        if (status == kDone) {
            status = command.WriteMemory(access_code::kByte, target, piece.size, verify);
        }
        if (status == kVerify) {
            DWORD failing = target;
            command.GetResult(firm_code::kWriteMemory, &failing, nullptr);
            const BYTE expected = failing - target < piece.size ? g_firmWriteData[failing - target] : 0;
            BYTE read = 0;
            static_cast<void>(CFirmCommand().ReadMemory(access_code::kByte, failing, 1, &read));
            ReportMemoryTestFailure(failing, expected, read, 1);
            FormatMonitorError(monitor_message::kVerifyError);
            break;
        }
        if (status != kDone) {
            AppendFailure(status);
            break;
        }
        if (g_linkStopByte != 0 && &piece != &pieces.back()) {
            status = kFailed;  // the pieces after this one are not copied
            break;
        }
    }
    EndMonitorCommand();
    return status;
}
