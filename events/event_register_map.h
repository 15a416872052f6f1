// Where the event function's registers lie: the map the event engine reads
// from the device description file (section "SWTI" and the device's own
// section) and from the firmware information file beside the firmware
// image. Each engine reads its own at construction.
#pragma once

#include "events/event_commands.h"

#include "platform/wintypes.h"

#include <array>
#include <string>

struct AddressInterruptRegisters {
    BYTE low = 0;
    BYTE high = 0;
    BYTE enable = 0;
    // 0: the registers are reached at the register base; else through the
    // DCR registers, by their own numbers.
    DWORD space = 0;
};

struct EventRegisterMap {
    DWORD base = 0;
    BYTE dcrData = 0;
    BYTE dcrCommand = 0;
    std::array<AddressInterruptRegisters, 8> interrupts{};
    EventRegisterRow eventA{};  // DBC0, DBAD0L, DBAD0H, DBAM0, DBD0, DBDM0
    EventRegisterRow eventB{};  // DBC1, DBAD1L, DBAD1H, DBAM1, and 0 for its missing data registers
    BYTE trigger = 0;
    BYTE traceCount = 0;
    BYTE tracePointer = 0;
    BYTE tracePointerOffset = 0;
    BYTE traceData = 0;
    // 1..255: "SWTI_TraceSize" outside that range reads as 64, since 'T'
    // carries one byte of it and 'V' asks for that many entries.
    LONG traceSize = 64;
    // The trace buffer's offset from the trace area's top: the device
    // file's, or the firmware information file's when it names one.
    DWORD traceBufferOffset = 0;
};

inline constexpr LONG kDefaultTraceSize = 64;

// The map of the device section of file; missing keys take their defaults.
EventRegisterMap ReadEventRegisterMap(const char* file, const char* section);
// The firmware information file beside the device's firmware image (its
// "FIRM NAME", from the plug-in's folder, with ".sys" made ".fif"), or ""
// when the section names no firmware or the file does not exist.
std::string EventFirmwareInfoPath(const char* file, const char* section);
