// The plug-in's resource module: the plug-in's resources, and the four
// exports through which the plug-in checks that this is the resource module
// it expects.
#include "platform/export.h"
#include "platform/wintypes.h"

#include <cstring>

namespace {

DWORD CopyText(const char* text, LPSTR buffer, DWORD* size) {
    const DWORD needed = static_cast<DWORD>(std::strlen(text)) + 1;
    if (size == nullptr) {
        return 1;
    }
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return 1;
    }
    std::memcpy(buffer, text, needed);
    return 0;
}

}  // namespace

Q3V_EXPORT DWORD WINAPI GetDLLType(LPSTR buffer, DWORD* size) {
    return CopyText("Resource", buffer, size);
}

Q3V_EXPORT DWORD WINAPI GetDLLProductVersion(LPSTR buffer, DWORD* size) {
    return CopyText("1.0", buffer, size);
}

Q3V_EXPORT DWORD WINAPI GetDLLInterfaceVersion(DWORD* major, DWORD* minor) {
    if (major == nullptr || minor == nullptr) {
        return 1;
    }
    *major = 1;
    *minor = 0;
    return 0;
}

Q3V_EXPORT DWORD WINAPI GetDLLOrdinalVersion(DWORD* ordinal) {
    if (ordinal == nullptr) {
        return 1;
    }
    *ordinal = 1;
    return 0;
}
