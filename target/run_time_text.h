// The run-time counter as the status pages show it: hours, minutes, seconds
// and milliseconds ("0001h002min003s456ms").
#pragma once

#include "platform/wintypes.h"

#include <string>

// The text of the link's run-time counter (g_runTicksTotal, milliseconds).
std::string FormatRunTime();
std::string FormatRunTime(DWORD milliseconds);
