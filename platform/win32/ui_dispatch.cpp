// Each Platform<Name> of the lists in platform/win32_ui_functions.h passes
// the call to the window system in use: the headless layer's Headless<Name>,
// else the system's own function or the layer's System<Name> over it. This
// file alone sees the system's names undirected (it includes none of the
// layer's headers that redirect them), so Real<Name> is the system's.
#ifdef Q3V_UI
#error "the passes must see the system's names as they stand (platform/win32_redirects.h came first)"
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/win32_ui_functions.h"
#include "platform/window_system.h"

#define Q3V_DECLARE_BACKENDS(result, name, parameters, arguments) result Headless##name parameters;
#define Q3V_DECLARE_OWN_BACKENDS(result, name, parameters, arguments) \
    result Headless##name parameters;                                 \
    result System##name parameters;
Q3V_SYSTEM_PASS_FUNCTIONS(Q3V_DECLARE_BACKENDS)
Q3V_SYSTEM_OWN_FUNCTIONS(Q3V_DECLARE_OWN_BACKENDS)

#define Q3V_DISPATCH_PASS(result, name, parameters, arguments)                           \
    result Platform##name parameters {                                                   \
        return platform::HeadlessWindows() ? Headless##name arguments : name arguments; \
    }
#define Q3V_DISPATCH_OWN(result, name, parameters, arguments)                                     \
    result Platform##name parameters {                                                            \
        return platform::HeadlessWindows() ? Headless##name arguments : System##name arguments; \
    }                                                                                             \
    result Real##name parameters {                                                                \
        return name arguments;                                                                    \
    }
Q3V_SYSTEM_PASS_FUNCTIONS(Q3V_DISPATCH_PASS)
Q3V_SYSTEM_OWN_FUNCTIONS(Q3V_DISPATCH_OWN)
