// The breakpoint table: setting, finding, removing and listing the
// monitor's software breakpoints, and putting their break bytes into target
// memory and taking them out again.
#include "monitor/break_table.h"

#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_state.h"
#include "monitor/area_segments.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_output.h"
#include "monitor/monitor_run_base.h"
#include "config/device_data.h"

#include <array>
#include <vector>

std::array<MonitorBreakEntry, kMonitorBreakEntries> g_monitorBreakTable{};
WORD g_monitorBreakCount = 0;
BreakKindSetting g_currentBreakKind;

void ClearBreakTable() {
    g_monitorBreakTable.fill(MonitorBreakEntry{});
    g_monitorBreakCount = 0;
    g_currentBreakKind = BreakKindSetting{};
}

namespace {

constexpr WORD kStatusVerify = 0x4254;   // "BT": the byte did not read back
constexpr WORD kStatusMonitor = 0x4D4F;  // "MO": the monitor's own area
constexpr WORD kStatusTlb = 0x5445;      // "TE"
constexpr DWORD kUnmirroredMask = 0x1FFFFFFF;
constexpr DWORD kVerify = 1;
constexpr DWORD kKindValueLimit = 0xFF;
constexpr BYTE kBreakKindBit = 0x01;

constexpr char kHeading[] = "  <ADDR>\r\n";
constexpr std::size_t kHeadingField = 20;

bool IsUnrestorable(WORD status) {
    return status == kStatusVerify || status == kStatusMonitor;
}

// A firmware status as the message the user sees, or the status itself when
// it has none.
WORD MessageOrStatus(WORD status) {
    const WORD code = MapMonitorStatus(status, 1);
    return code != monitor_message::kNone ? code : status;
}

WORD ReadTargetByte(DWORD address, BYTE* value) {
    return CFirmCommand().ReadMemory(access_code::kByte, address, 1, value);
}

WORD WriteTargetByte(DWORD address, WORD value) {
    g_firmWriteData[0] = static_cast<BYTE>(value);
    return CFirmCommand().WriteMemory(access_code::kByte, address, 1, kVerify);
}

// Whether the query and the entry are compared without the address's top
// three bits: outside the internal I/O areas, neither translated nor of
// kind "V ".
bool ComparesMasked(const BreakQuery& query, const MonitorBreakEntry& entry) {
    const DeviceArea& iio1 = g_deviceAreas[kAreaIio1];
    const DeviceArea& iio2 = g_deviceAreas[kAreaIio2];
    const bool belowIo2 = iio2.enable == 0 || query.address < iio2.top;
    const bool inIo1 = iio1.enable != 0 && iio1.Contains(query.address);
    return belowIo2 && !inIo1 && entry.translated == 0 && query.kind != break_kind::kV &&
           entry.kind != break_kind::kV;
}

}  // namespace

DWORD QueryChipBreakState() {
    DWORD state = 0;
    static_cast<void>(CFirmCommand().UnsupportedRequestA());  // answers 0 and leaves state as it was
    return state;
}

WORD BreakInstructionByte() {
    return g_protocolType == 3 ? 0x08 : 0x00;
}

void CMonitorRunBase::BreakpointCommand(DWORD selector, DWORD address, char kindLetter, DWORD kindValue) {
    BeginMonitorCommand();
    g_linkStopByte = 0;
    if (selector == 0) {
        int entry = -1;
        static_cast<void>(SetBreakpoint(&entry, address, kindLetter, kindValue));  // a refusal is its message
    } else {
        static_cast<void>(RemoveBreakInstructions(-1));  // a byte that stays is its message
        static_cast<void>(RemoveBreakpoint(selector, address, kindLetter, kindValue));  // nothing removed: the listing shows it
    }
    std::array<char, kHeadingField> heading{};
    std::copy(std::begin(kHeading), std::end(kHeading), heading.begin());
    AppendMonitorOutput(heading.data(), static_cast<WORD>(heading.size()));
    for (const MonitorBreakEntry& entry : g_monitorBreakTable) {
        if (g_linkStopByte != 0) {
            break;
        }
        if (!entry.InUse()) {
            continue;
        }
        std::array<char, 12> line{' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, '\r', '\n'};
        FormatHex(entry.requestedAddress, line.data() + 2, 8);
        AppendMonitorOutput(line.data(), static_cast<WORD>(line.size()));
    }
    EndMonitorCommand();
}

void CMonitorRunBase::SelectBreakKind(char kindLetter, DWORD kindValue) {
    if (kindLetter == 'P') {
        g_currentBreakKind.kind = break_kind::kP;
    } else if (kindLetter == 'V') {
        g_currentBreakKind.kind = break_kind::kV;
    } else {
        g_currentBreakKind.kind = (QueryChipBreakState() & kBreakKindBit) != 0 ? break_kind::kV : break_kind::kP;
    }
    if (kindValue > kKindValueLimit) {
        g_currentBreakKind.flag = 1;
        g_currentBreakKind.value = static_cast<BYTE>(kindValue);
    } else {
        const DWORD state = QueryChipBreakState();
        g_currentBreakKind.flag = static_cast<BYTE>(state >> 8);
        g_currentBreakKind.value = static_cast<BYTE>(state);
    }
}

int CMonitorRunBase::SetBreakpoint(int* entry, DWORD address, char kindLetter, DWORD kindValue) {
    SelectBreakKind(kindLetter, kindValue);
    const int number = AddBreakpoint(address, break_entry::kClassSoftware);
    if (number < 0 || number >= static_cast<int>(kMonitorBreakEntries)) {
        return -1;
    }
    g_monitorBreakTable[static_cast<std::size_t>(number)].requestedAddress = address;
    *entry = number;
    return 0;
}

int CMonitorRunBase::AddBreakpoint(DWORD address, WORD entryClass) {
    BreakQuery query{address};
    WORD result = 0;
    int number = -1;
    if (FindBreakpoint(query) == break_result::kFound) {
        result = monitor_message::kInvalidAddress;
    } else if (entryClass == break_entry::kClassSoftware && g_monitorBreakCount >= kMonitorBreakEntries) {
        result = monitor_message::kTooManyPoints;
    } else if (const WORD kind = SplitIntoAreaSegments(address, address)[0].kind; kind != area_kind::kPlain) {
        result = kind == area_kind::kIo ? monitor_message::kInternalIoArea : monitor_message::kEmulatorArea;
    } else {
        BYTE saved = 0;
        result = ReadTargetByte(address, &saved);
        if (result != 0) {
            result = MessageOrStatus(result);
        } else {
            for (std::size_t i = 0; i < kMonitorBreakEntries && number < 0; ++i) {
                if (!g_monitorBreakTable[i].InUse()) {
                    number = static_cast<int>(i);
                }
            }
            if (number < 0) {
                result = monitor_message::kTooManyPoints;
            } else {
                MonitorBreakEntry& entry = g_monitorBreakTable[static_cast<std::size_t>(number)];
                entry = MonitorBreakEntry{};
                entry.flags = static_cast<WORD>(entryClass | break_entry::kInUse);
                entry.address = address;
                entry.breakByte = BreakInstructionByte();
                entry.kind = g_currentBreakKind.kind;
                entry.kindFlag = g_currentBreakKind.flag;
                entry.kindValue = g_currentBreakKind.value;
                entry.savedByte = saved;
                if (entryClass == break_entry::kClassSoftware) {
                    ++g_monitorBreakCount;
                }
            }
        }
    }
    if (result >= 0x0100) {
        FormatMonitorError(result);
        return -1;
    }
    return number;
}

WORD CMonitorRunBase::FindBreakpoint(BreakQuery& query) const {
    for (std::size_t i = 0; i < kMonitorBreakEntries; ++i) {
        const MonitorBreakEntry& entry = g_monitorBreakTable[i];
        if (!entry.InUse()) {
            continue;
        }
        const DWORD mask = ComparesMasked(query, entry) ? kUnmirroredMask : ~DWORD{0};
        if ((entry.address & mask) != (query.address & mask)) {
            continue;
        }
        if (query.kind != 0 && (entry.kind != query.kind || entry.kindValue != query.kindValue)) {
            continue;
        }
        query.entry = static_cast<int>(i);
        query.entryClass = entry.Class();
        return break_result::kFound;
    }
    return break_result::kNotFound;
}

void CMonitorRunBase::ClearBreakEntry(std::size_t index) {
    MonitorBreakEntry& entry = g_monitorBreakTable[index];
    if (entry.InUse() && entry.Class() == break_entry::kClassSoftware && g_monitorBreakCount > 0) {
        --g_monitorBreakCount;
    }
    entry = MonitorBreakEntry{};
}

WORD CMonitorRunBase::RemoveBreakpoint(DWORD selector, DWORD address, char kindLetter, DWORD kindValue) {
    if (g_monitorBreakCount == 0) {
        return break_result::kNothingRemoved;
    }
    SelectBreakKind(kindLetter, kindValue);
    bool removed = false;
    if (selector == 1) {
        BreakQuery query{address};
        while (FindBreakpoint(query) == break_result::kFound && query.entryClass == break_entry::kClassSoftware) {
            ClearBreakEntry(static_cast<std::size_t>(query.entry));
            removed = true;
        }
    } else {
        for (std::size_t i = 0; i < kMonitorBreakEntries && g_linkStopByte == 0; ++i) {
            if (g_monitorBreakTable[i].InUse() && g_monitorBreakTable[i].Class() == break_entry::kClassSoftware) {
                ClearBreakEntry(i);
                removed = true;
            }
        }
    }
    if (!removed) {
        return break_result::kNothingRemoved;
    }
    CompactBreakTable();
    return 0;
}

void CMonitorRunBase::CompactBreakTable() {
    std::size_t to = 0;
    for (std::size_t from = 0; from < kMonitorBreakEntries; ++from) {
        if (g_monitorBreakTable[from].InUse()) {
            g_monitorBreakTable[to++] = g_monitorBreakTable[from];
        }
    }
    for (; to < kMonitorBreakEntries; ++to) {
        g_monitorBreakTable[to] = MonitorBreakEntry{};
    }
}

void CMonitorRunBase::MarkBreakInstructions(bool written) {
    for (MonitorBreakEntry& entry : g_monitorBreakTable) {
        if (entry.InUse()) {
            entry.flags = static_cast<WORD>(written ? entry.flags | break_entry::kWritten
                                                    : entry.flags & ~break_entry::kWritten);
        }
    }
}

WORD CMonitorRunBase::RestoreBreakByte(std::size_t index) {
    const MonitorBreakEntry& entry = g_monitorBreakTable[index];
    BYTE current = 0;
    if (const WORD read = ReadTargetByte(entry.address, &current); read != 0) {
        return read;
    }
    // A byte changed behind the plug-in's back is left as it is. In flash
    // the byte goes into the mirror: the chip has it at the next write-back,
    // unless the next go puts the break byte back first.
    return current == entry.breakByte ? CFirmCommand().PutBackByte(entry.address, static_cast<BYTE>(entry.savedByte))
                                      : WORD{0};
}

WORD CMonitorRunBase::RemoveBreakInstructions(int count) {
    const DWORD runMode = g_runMode;
    // The entries to visit are taken first, so one that loses its entry on
    // the way changes neither which of the others are visited nor how often.
    std::vector<std::size_t> written;
    for (std::size_t i = 0; i < kMonitorBreakEntries; ++i) {
        if (g_monitorBreakTable[i].InUse() && g_monitorBreakTable[i].Written() &&
            (count < 0 || written.size() < static_cast<std::size_t>(count))) {
            written.push_back(i);
        }
    }
    WORD result = 0;
    bool removed = false;
    for (const std::size_t index : written) {
        const WORD status = RestoreBreakByte(index);
        if (IsUnrestorable(status)) {
            SetMonitorAddressText(g_monitorBreakTable[index].address);
            FormatMonitorError(monitor_message::kBreakPointDeleted);
            ClearBreakEntry(index);
            removed = true;
            result = monitor_message::kBreakPointDeleted;
            continue;
        }
        if (status != 0) {
            if (status == kStatusTlb) {
                FormatMonitorError(MessageOrStatus(status));
            }
            result = status;
            break;
        }
    }
    MarkBreakInstructions(false);
    if (removed) {
        CompactBreakTable();
    }
    g_runMode = runMode;
    return result;
}

WORD CMonitorRunBase::InstallBreakInstructions() {
    int installed = 0;
    for (MonitorBreakEntry& entry : g_monitorBreakTable) {
        if (!entry.InUse() || !entry.Written()) {
            continue;
        }
        BYTE current = 0;
        if (const WORD read = ReadTargetByte(entry.address, &current); read != 0) {
            return read;
        }
        if (current != entry.breakByte) {
            entry.savedByte = current;
            const WORD status = WriteTargetByte(entry.address, entry.breakByte);
            if (IsUnrestorable(status)) {
                SetMonitorAddressText(entry.address);
                FormatMonitorError(monitor_message::kCannotSet);
                // The refused byte is looked at too: a write that fails its
                // verify may still have changed it, and a break byte must not
                // stay behind in the program.
                static_cast<void>(RemoveBreakInstructions(installed + 1));  // a byte that stays is its own message
                return monitor_message::kCannotSet;
            }
            if (status == kStatusTlb) {
                FormatMonitorError(MessageOrStatus(status));
                return status;
            }
            if (status != 0) {
                return status;
            }
        }
        ++installed;
    }
    return 0;
}
