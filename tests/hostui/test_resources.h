// The host UI tests' resources: the plug-in's, and those of a test component
// beside them (menus, an accelerator table, toolbars well formed and not, and
// the prompts of their commands).
#pragma once

#include "platform/resources.h"

#include <string>

namespace hostuitest {

// The test component's commands.
inline constexpr UINT kOpen = 0x8001;
inline constexpr UINT kClose = 0x8002;
inline constexpr UINT kRun = 0x8003;

// A menu of edge ids and texts: ids 0x6FFF, 0x7000, 0xEFFF and 0xF000, an
// item in range without a text, a separator, a popup holding 0x7002 and an
// item of 200 characters (0x7003).
inline constexpr UINT kEdgeMenu = 900;
// "&File" (Open, Close), then "&Run".
inline constexpr UINT kComponentMenu = 901;
// Open, Close and Open again.
inline constexpr UINT kAccelerators = 910;
// Open, a separator, Close.
inline constexpr UINT kToolbar = 920;
// Resources given as bytes: version 2; three bytes; a count of five with one
// id; a header with a count of 0.
inline constexpr UINT kToolbarVersion2 = 921;
inline constexpr UINT kToolbarShort = 922;
inline constexpr UINT kToolbarCountPastEnd = 923;
inline constexpr UINT kToolbarEmpty = 924;
// An id no resource of the program has.
inline constexpr UINT kMissing = 999;

// The text of the 200-character item.
std::string LongItemText();

}  // namespace hostuitest
