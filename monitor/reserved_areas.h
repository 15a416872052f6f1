// The device areas that belong to the emulator rather than the user's
// program: its firmware's flash (ASE1, ASE2), its work RAM (FIRM) and its
// system areas (BSC1, BSC2). A download or write that reaches one is
// reported with the area's message; the user's bytes around it are written.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <vector>

// The ranges the monitor engine widens with each report, one per message.
enum KeptRangeIndex : std::size_t { kKeptFirmware, kKeptWorkRam, kKeptSystem, kKeptRam, kKeptRangeCount };

struct ReservedArea {
    DWORD top = 0;
    DWORD end = 0;
    UINT message = 0;  // the string that reports an overlap
    KeptRangeIndex kept = kKeptFirmware;
};

// The enabled reserved areas in report order: FIRM, BSC1, BSC2, ASE1
// (not while the flash is only programmed), ASE2.
std::vector<ReservedArea> EnabledReservedAreas();

// A range of addresses, both ends included.
struct AddressRange {
    DWORD start = 0;
    DWORD end = 0;
    bool operator==(const AddressRange&) const = default;
};

// The parts of [start, end] that lie outside every enabled reserved area,
// in ascending order.
std::vector<AddressRange> RangeOutsideReservedAreas(DWORD start, DWORD end);
