// Linked into every test program but those that run on the system's windows:
// the tests drive their dialogs by script and read the headless window
// system's drawing journal, geometry and controls, so in the Windows build
// they choose it before any window exists (on Linux it is the only one). The
// choice is made before the program's other static objects are made, some of
// which register window messages.
#include "platform/window_system.h"

namespace {

struct HeadlessChoice {
    HeadlessChoice() { platform::UseHeadlessWindows(); }
};

#ifdef __GNUC__
__attribute__((init_priority(101)))
#endif
const HeadlessChoice headlessChosen;

}  // namespace
