// The last-error value of a path that does not exist, as Windows tells the
// two cases apart.
#pragma once

#include "platform/wintypes.h"

#include <string>

namespace platform::detail {

// ERROR_FILE_NOT_FOUND when the folder that would hold the native path
// exists, else ERROR_PATH_NOT_FOUND.
DWORD MissingPathError(const std::string& nativePath);

}  // namespace platform::detail
