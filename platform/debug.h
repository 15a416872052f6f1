// Debugger output (OutputDebugStringA) into a sink that tests can read.
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <vector>

#ifdef _WIN32
void PlatformOutputDebugStringA(LPCSTR text);
#define OutputDebugStringA PlatformOutputDebugStringA
#else
void OutputDebugStringA(LPCSTR text);
#endif

namespace platform {

// Captures everything passed to OutputDebugStringA for its lifetime (texts are
// kept as given, one entry per call). Without a capture the texts go to the
// real debugger output (standard error on Linux when Q3V_DEBUG_OUTPUT is set).
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    std::vector<std::string> Lines() const;
    std::string Text() const;  // all entries joined
    void Clear();
};

}  // namespace platform
