// Which break-condition channels a device has, by its hardware break type
// ("HWBREAK"), protocol type and channel count ("ADDRBREAK"). The set's
// operations do not share one rule; each names the one it follows.
#pragma once

#include "config/device_data.h"

namespace break_rules {

inline bool HwBreak1() {
    return g_deviceValues.hwBreak == 1;
}

inline bool Protocol234() {
    return g_protocolType >= 2 && g_protocolType <= 4;
}

inline bool CountAbove(int n) {
    return g_deviceValues.addressBreakCount > static_cast<DWORD>(n);
}

// The clear's per-channel work and the list rows.
inline bool ChannelExists(int n) {
    if (n < 2) {
        return true;
    }
    if (n < 4) {
        return HwBreak1() || g_deviceValues.addressBreakCount >= 4;
    }
    return CountAbove(n);
}

// The channels the search by address looks at.
inline bool Searched(int n) {
    return n < 2 || HwBreak1() || g_deviceValues.addressBreakCount >= 4;
}

// The channels a toggle removes from.
inline bool Removable(int n) {
    if (n < 2) {
        return true;
    }
    return n < 4 ? HwBreak1() || Protocol234() : Protocol234();
}

// The channels a toggle places into.
inline bool Placeable(int n) {
    if (n < 2) {
        return true;
    }
    if (n < 4) {
        return HwBreak1() || (Protocol234() && CountAbove(n));
    }
    return !HwBreak1() && Protocol234() && CountAbove(n);
}

}  // namespace break_rules
