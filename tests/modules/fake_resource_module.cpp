// A resource module with something wrong with it, for the checks that must
// refuse it.
#include "platform/export.h"
#include "platform/wintypes.h"

#include <cstring>

namespace {

#ifdef Q3V_FAKE_RESOURCE_LowerCaseType
constexpr char kType[] = "resource";
constexpr DWORD kMinor = 0;
// Asks for a buffer bigger than the first one offered, to show the retry.
constexpr DWORD kTypeBufferNeeded = 2000;
#elif defined(Q3V_FAKE_RESOURCE_HugeType)
constexpr char kType[] = "Resource";
constexpr DWORD kMinor = 0;
// Writes back a size no text needs, as a broken module might.
constexpr DWORD kTypeBufferNeeded = 0xFFFFFFFF;
#else
constexpr char kType[] = "Resource";
constexpr DWORD kMinor = 1;
constexpr DWORD kTypeBufferNeeded = 0;
#endif

DWORD lastTypeBufferSize = 0;

DWORD CopyText(const char* text, LPSTR buffer, DWORD* size, DWORD needed) {
    if (needed == 0) {
        needed = static_cast<DWORD>(std::strlen(text)) + 1;
    }
    if (*size < needed) {
        *size = needed;
        return 1;
    }
    std::strcpy(buffer, text);
    return 0;
}

}  // namespace

Q3V_EXPORT DWORD WINAPI GetDLLType(LPSTR buffer, DWORD* size) {
    lastTypeBufferSize = *size;
    return CopyText(kType, buffer, size, kTypeBufferNeeded);
}

Q3V_EXPORT DWORD WINAPI GetDLLProductVersion(LPSTR buffer, DWORD* size) {
    return CopyText("1.0", buffer, size, 0);
}

Q3V_EXPORT DWORD WINAPI GetDLLInterfaceVersion(DWORD* major, DWORD* minor) {
    *major = 1;
    *minor = kMinor;
    return 0;
}

Q3V_EXPORT DWORD WINAPI GetDLLOrdinalVersion(DWORD* ordinal) {
    *ordinal = 1;
    return 0;
}

// How many bytes the last GetDLLType call was offered.
Q3V_EXPORT DWORD WINAPI LastTypeBufferSize() {
    return lastTypeBufferSize;
}
