// Open files behind HANDLE values, so that CloseHandle closes them like the
// layer's other objects.
#pragma once

#include "platform/wintypes.h"

namespace platform::detail {

// Takes over an open file descriptor and answers its new handle.
HANDLE AddFileHandle(int descriptor);
// The descriptor behind a file handle, or -1 when it is none.
int FileDescriptor(HANDLE handle);
// Closes the file behind a handle; false when the handle is no file.
bool CloseFileHandle(HANDLE handle);

}  // namespace platform::detail
