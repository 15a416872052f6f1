// What the class library's parts share among themselves.
#pragma once

#include "platform/gdi.h"

namespace platform::afx {

// Forgets the temporary object of a device context that is gone.
void DropTemporaryDC(HDC dc);

}  // namespace platform::afx
