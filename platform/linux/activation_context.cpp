#include "platform/activation_context.h"

namespace platform {

// Activation contexts are the system's: here a module has none.
HANDLE MakeModuleActivationContext(HINSTANCE) {
    return nullptr;
}

void ReleaseModuleActivationContext(HANDLE) {}

ActivationScope::ActivationScope(HANDLE) {}

ActivationScope::~ActivationScope() = default;

}  // namespace platform
