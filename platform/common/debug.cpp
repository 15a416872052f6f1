#include "platform/debug.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

struct Sink {
    std::mutex mutex;
    bool capturing = false;
    std::vector<std::string> lines;
};

Sink& TheSink() {
    static Sink* sink = new Sink;  // threads still running at exit use it
    return *sink;
}

}  // namespace

DebugOutputCapture::DebugOutputCapture() {
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    sink.capturing = true;
    sink.lines.clear();
}

DebugOutputCapture::~DebugOutputCapture() {
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    sink.capturing = false;
    sink.lines.clear();
}

std::vector<std::string> DebugOutputCapture::Lines() const {
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    return sink.lines;
}

std::string DebugOutputCapture::Text() const {
    std::string text;
    for (const auto& line : Lines()) {
        text += line;
    }
    return text;
}

void DebugOutputCapture::Clear() {
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    sink.lines.clear();
}

}  // namespace platform

#ifdef _WIN32
void PlatformOutputDebugStringA(LPCSTR text)
#else
void OutputDebugStringA(LPCSTR text)
#endif
{
    platform::Sink& sink = platform::TheSink();
    const std::string line = text != nullptr ? text : "";
    {
        std::lock_guard lock(sink.mutex);
        if (sink.capturing) {
            sink.lines.push_back(line);
            return;
        }
    }
#ifdef _WIN32
#undef OutputDebugStringA
    ::OutputDebugStringA(line.c_str());
#define OutputDebugStringA PlatformOutputDebugStringA
#else
    if (std::getenv("Q3V_DEBUG_OUTPUT") != nullptr) {
        std::fputs(line.c_str(), stderr);
    }
#endif
}
