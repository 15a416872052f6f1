// Linked into every test program but the person's: the tests drive their
// dialogs by script and read the headless window system's drawing journal,
// geometry and controls, so in the Windows build they choose it before any
// window exists (on Linux it is the only one).
#include "platform/window_system.h"

namespace {

const bool headlessChosen = [] {
    platform::UseHeadlessWindows();
    return true;
}();

}  // namespace
