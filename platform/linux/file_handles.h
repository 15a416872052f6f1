// Open files behind HANDLE values, so that CloseHandle closes them like the
// layer's other objects.
#pragma once

#include "platform/wintypes.h"

namespace platform::detail {

// What a handle stands for: an open file, or a file-mapping object (which
// keeps its own descriptor of the file).
enum class FileHandleKind { File, Mapping };

// Takes over an open file descriptor and answers its new handle.
HANDLE AddFileHandle(int descriptor, FileHandleKind kind = FileHandleKind::File);
// The descriptor behind a handle of that kind, or -1 when it is none.
int FileDescriptor(HANDLE handle, FileHandleKind kind = FileHandleKind::File);
// Closes the file or mapping behind a handle; false when it is neither.
bool CloseFileHandle(HANDLE handle);

}  // namespace platform::detail
