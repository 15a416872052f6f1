#include "platform/window_system.h"

#include <atomic>

namespace platform {
namespace {

#ifdef _WIN32
std::atomic<bool> headless{false};
#endif

}  // namespace

void UseHeadlessWindows() {
#ifdef _WIN32
    headless.store(true);
#endif
}

bool HeadlessWindows() {
#ifdef _WIN32
    return headless.load(std::memory_order_relaxed);
#else
    return true;
#endif
}

}  // namespace platform
