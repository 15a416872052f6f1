// Where a piece of a memory access goes: to the target through the firmware,
// to the flash mirror, or nowhere (an address outside the effective areas).
// The rules follow the device areas of the device data.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>

enum class PieceRoute { Target, Mirror, AreaError };

struct PieceDecision {
    PieceRoute route = PieceRoute::AreaError;
    // The last address the piece may reach (reads and mirror writes).
    std::uint64_t last = 0;
    // The address lies above the FLAS area (writes: the message is also the
    // monitor's pending message).
    bool aboveFlash = false;
    // The fill's crossing of the FLAS end in connect mode 2 goes unreported.
    bool silent = false;
};

// A read piece at address a, with top the highest readable address.
PieceDecision RouteRead(std::uint64_t a, DWORD top);
// A write piece at a of a call [first, e] of count bytes.
PieceDecision RouteWrite(std::uint64_t a, std::uint64_t e, DWORD count, bool busy);
// A fill piece at a of the range ending at e.
PieceDecision RouteFill(std::uint64_t a, std::uint64_t e);
// The highest address a read reaches: the larger of "MAX ADDR" and the ASE1 end.
DWORD ReadTop();
