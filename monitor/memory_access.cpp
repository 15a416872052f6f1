#include "monitor/memory_access.h"

#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/area_segments.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_object.h"
#include "monitor/monitor_output.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

namespace {

using namespace memory_status;

// The break-in byte after an access the target broke into.
constexpr BYTE kBrokeInMark = 0x90;

// Whether a running target must be stopped for an access at all: not with
// the event-function firmware, nor with the protocol types whose firmware
// reaches memory while the program runs.
bool DeviceNeedsSuspend() {
    return g_swtiSupported != 1 && g_protocolType != 2 && g_protocolType != 3 && g_protocolType != 4;
}

// Whether a read piece starting at address must stop a running target: the
// piece reaches the firmware's RAM or the user's RAM, or the data flash
// when the device has one.
bool ReadNeedsSuspend(DWORD address) {
    if (!MonitorIsRunning() || !DeviceNeedsSuspend()) {
        return false;
    }
    const DeviceArea& dataFlash = g_deviceAreas[kAreaDatf];
    if (dataFlash.enable == 0) {
        return address <= std::max(g_deviceAreas[kAreaFirm].end, g_deviceAreas[kAreaFir2].end);
    }
    return address <= dataFlash.end;
}

bool WriteNeedsSuspend() {
    return MonitorIsRunning() && DeviceNeedsSuspend();
}

// One access, with the target suspended around it when asked: "BI" when
// the target broke in before or during it (the access is then not made
// before, and its result dropped after).
WORD Access(bool suspend, const std::function<WORD()>& access) {
    if (!suspend || g_haltControl == nullptr) {
        return access();
    }
    g_targetSuspendRequest = 1;
    g_haltControl->SuspendTargetForAccess();
    WORD status = kBrokeIn;
    if (g_linkStopByte == 0) {
        status = access();
        if (g_linkStopByte != 0) {
            status = kBrokeIn;
        }
    }
    if (status == kBrokeIn) {
        g_linkStopByte = kBrokeInMark;
    }
    g_haltControl->ResumeTargetAfterAccess();
    g_targetSuspendRequest = 0;
    return status;
}

// The size of the read piece at start with remaining bytes to go: whole,
// or cut at the BSC1 area's bounds, and never more than one piece.
DWORD ReadPieceSize(DWORD start, DWORD remaining) {
    std::uint64_t size = remaining;
    const DeviceArea& bsc1 = g_deviceAreas[kAreaBsc1];
    const std::uint64_t last = std::uint64_t{start} + remaining - 1;
    if (bsc1.enable != 0 && !(start >= bsc1.top && last <= bsc1.end)) {
        if (start < bsc1.top && last >= bsc1.top) {
            size = bsc1.top - start;
        } else if (bsc1.Contains(start) && last > bsc1.end) {
            size = std::uint64_t{bsc1.end} - start + 1;
        }
    }
    return static_cast<DWORD>(std::min<std::uint64_t>(size, kMemoryPieceSize));
}

void AppendMessage(WORD code) {
    if (code != monitor_message::kNone) {
        FormatMonitorError(code);
    }
}

}  // namespace

DWORD AccessCodeForUnit(DWORD unitSize) {
    switch (unitSize) {
    case 0:
    case 5:
    case 6:
    case 7:
        return 0;
    case 2:
        return access_code::kWord;
    case 3:
        return access_code::kFill3;
    case 4:
        return access_code::kLong;
    case 8:
        return access_code::kDouble;
    default:
        return access_code::kByte;
    }
}

WORD NormaliseUnitSize(DWORD length, DWORD& unitSize) {
    const bool known = unitSize == 1 || unitSize == 2 || unitSize == 3 || unitSize == 4 || unitSize == 8;
    if (!known && length != 0) {
        unitSize = 1;
    }
    return kDone;
}

WORD ReadTargetMemoryChunked(DWORD start, DWORD length, BYTE* destination, DWORD* failingAddress, bool report,
                             DWORD unitSize) {
    const DWORD access = AccessCodeForUnit(unitSize);
    WORD status = kDone;
    DWORD address = start;
    DWORD remaining = length;
    while (remaining > 0 && status == kDone) {
        const DWORD piece = ReadPieceSize(address, remaining);
        status = Access(ReadNeedsSuspend(address), [&] {
            return CFirmCommand().ReadMemory(access, address, piece, destination);
        });
        if (report) {
            AppendMessage(MapMonitorStatus(status, 1));
        }
        if (status != kDone && failingAddress != nullptr) {
            *failingAddress = address;
        }
        address += piece;
        destination += piece;
        remaining -= piece;
    }
    return status;
}

WORD WriteTargetMemoryChunked(DWORD start, DWORD length, const BYTE* source, DWORD* failingAddress, DWORD verify,
                              DWORD unitSize) {
    if (length == 0) {
        return kDone;
    }
    const DWORD access = AccessCodeForUnit(unitSize);
    const std::uint64_t last = std::uint64_t{start} + length - 1;
    std::uint64_t next = start;
    WORD status = kDone;
    // A range that needs more than one list of segments is walked on from
    // where the list stopped.
    while (next <= last && status == kDone) {
        const AreaSegments segments = SplitIntoAreaSegments(static_cast<DWORD>(next), static_cast<DWORD>(last));
        for (const AreaSegment& segment : segments) {
            if (segment.kind == area_kind::kEnd) {
                break;  // the walk goes on from the last segment's end
            }
            next = std::uint64_t{segment.end} + 1;
            if (segment.kind == area_kind::kFlash) {
                continue;  // the emulator's areas are not the user's to write
            }
            const DWORD segmentVerify =
                segment.kind == area_kind::kMonitor || segment.kind == area_kind::kControl ? 0 : verify;
            for (std::uint64_t a = segment.start; a <= segment.end && status == kDone;) {
                const DWORD piece = static_cast<DWORD>(std::min<std::uint64_t>(segment.end - a + 1, kMemoryPieceSize));
                std::memcpy(g_firmWriteData.data(), source + (a - start), piece);
                CFirmCommand command;
                status = Access(WriteNeedsSuspend(), [&] {
                    return command.WriteMemory(access, static_cast<DWORD>(a), piece, segmentVerify);
                });
                if (status != kDone) {
                    DWORD failing = static_cast<DWORD>(a);
                    if (status == kVerify) {
                        command.GetResult(firm_code::kWriteMemory, &failing, nullptr);
                        // A failing unit named outside the piece is a reply
                        // that cannot be trusted: the piece failed, from its
                        // start, and there is no unit to read back.
                        if (failing < a || failing - a >= piece) {
                            failing = static_cast<DWORD>(a);
                            status = kFailed;
                        }
                    }
                    if (failingAddress != nullptr) {
                        *failingAddress = failing;
                    }
                    WORD code = MapMonitorStatus(status, 1);
                    if (code == monitor_message::kNone) {
                        if (status == kVerify) {
                            code = monitor_message::kVerifyError;
                        } else if (status != kBrokeIn) {
                            status = kFailed;
                        }
                    }
                    AppendMessage(code);
                }
                a += piece;
            }
            if (status != kDone) {
                break;
            }
        }
    }
    return status;
}

void ReportMemoryTestFailure(DWORD address, DWORD written, DWORD read, DWORD unitSize) {
    struct Layout {
        const char* text;
        std::size_t digits;
        std::size_t writtenChars;
        std::size_t readDigits;
        std::size_t readChars;
    };
    static constexpr Layout kLayouts[] = {
        {"FAILED AT          WRITE=   ' ' READ=   ' '", 2, 29, 37, 41},
        {"FAILED AT          WRITE=     '  ' READ=     '  '", 4, 31, 40, 46},
        {"FAILED AT          WRITE=         '    ' READ=         '    '", 8, 35, 46, 56},
    };
    constexpr std::size_t kAddressColumn = 10;
    constexpr std::size_t kWrittenColumn = 25;
    const Layout& layout = kLayouts[unitSize == 1 ? 0 : unitSize == 2 ? 1 : 2];
    std::string line = layout.text;
    const std::size_t characters = layout.digits / 2;
    CMonitorObject::FormatHex(address, line.data() + kAddressColumn, 8);
    CMonitorObject::FormatHex(written, line.data() + kWrittenColumn, layout.digits);
    CMonitorObject::FormatAscii(written, line.data() + layout.writtenChars, characters);
    CMonitorObject::FormatHex(read, line.data() + layout.readDigits, layout.digits);
    CMonitorObject::FormatAscii(read, line.data() + layout.readChars, characters);
    AppendMonitorText(line);
}

void SelectBreakKindFromOption() {
    DWORD option = 0;
    GetHaltOption(&option);
    g_currentBreakKind.kind = option == 0 ? break_kind::kNone : option == 1 ? break_kind::kP : break_kind::kV;
}
