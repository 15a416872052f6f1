// The frame tests' resources: the plug-in's, and a connecting dialog.
#pragma once

#include "platform/resources.h"

namespace frametest {

inline constexpr UINT kConnectingDialog = 900;
inline constexpr int kConnectingText = 901;  // static text

}  // namespace frametest
