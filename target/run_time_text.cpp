#include "target/run_time_text.h"

#include "link/link_state.h"

#include <cstdio>

std::string FormatRunTime() {
    return FormatRunTime(g_runTicksTotal.load());
}

std::string FormatRunTime(DWORD milliseconds) {
    const DWORD seconds = milliseconds / 1000;
    const DWORD rest = milliseconds - seconds * 1000;
    char text[32];
    std::snprintf(text, sizeof(text), "%04dh%03umin%03us%03ums", static_cast<int>(static_cast<WORD>(seconds / 3600)),
                  static_cast<unsigned>((seconds / 60) % 60), static_cast<unsigned>(seconds % 60),
                  static_cast<unsigned>(rest));
    return text;
}
