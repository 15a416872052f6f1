// A module's own common controls. A module whose manifest (resource type 24,
// id 2) asks for a version of the common controls gets that version for the
// windows made while its module state is current: the class library makes
// the module's activation context when the module is attached and activates
// it for the scope of each switch to the module's state. Windows build only;
// on Linux a module has no context and a scope does nothing.
#pragma once

#include "platform/wintypes.h"

namespace platform {

// The activation context of the module's manifest; null when the module has
// none (or outside the Windows build).
HANDLE MakeModuleActivationContext(HINSTANCE module);
void ReleaseModuleActivationContext(HANDLE context);

// Makes the context the calling thread's active one for its lifetime; a
// null context changes nothing.
class ActivationScope {
public:
    explicit ActivationScope(HANDLE context);
    ~ActivationScope();
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

#ifdef _WIN32
private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
#endif
};

}  // namespace platform
