// BreakActionDesc: what a break does when it hits, as the Set Break sheet,
// the console and the restore describe it before the break is made.
#pragma once

#include "platform/wintypes.h"

#include <string>

namespace break_action {
inline constexpr LONG kStop = 0;
inline constexpr LONG kFileInput = 1;
inline constexpr LONG kFileOutput = 2;
inline constexpr LONG kInterrupt = 3;
}  // namespace break_action

struct BreakActionDesc {
    LONG type = break_action::kStop;
    std::string fileName;  // File Input and File Output
    DWORD address = 0;     // first target address of the file transfer
    DWORD dataSize = 0;    // bytes per unit
    DWORD count = 0;       // units per hit
    DWORD append = 0;      // File Output: 1 appends to an existing file
    DWORD interruptType1 = 0;
    DWORD interruptType2 = 0;
    DWORD priority = 0;
};
