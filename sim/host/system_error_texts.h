// The texts of the system's error codes that the host's error-code table
// answers without their being registered.
#pragma once

#include "platform/wintypes.h"

namespace simhost {

// The code's text, or null when the system has none for it.
const char* FindSystemErrorText(HRESULT code);

}  // namespace simhost
