// Process, thread and token handles, so that CloseHandle closes them like the
// layer's other objects.
#pragma once

#include "platform/wintypes.h"

#include <sys/types.h>

namespace platform::detail {

enum class KernelObjectKind { Process, Thread, Token };

HANDLE AddKernelObject(KernelObjectKind kind, pid_t process);
// Whether the handle is one of that kind.
bool IsKernelObject(HANDLE handle, KernelObjectKind kind);
// Closes the handle; the last handle of a started process collects its end,
// so no finished child lingers. False when it is none of these.
bool CloseKernelObject(HANDLE handle);

}  // namespace platform::detail
