#include "platform/activation_context.h"

namespace platform {

HANDLE MakeModuleActivationContext(HINSTANCE module) {
    // A DLL's own manifest has id 2; a module without one makes no context.
    constexpr WORD kDllManifestId = 2;
    if (module == nullptr || ::FindResourceExA(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(kDllManifestId), 0) ==
                                 nullptr) {
        return nullptr;
    }
    ACTCTXA context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    context.lpResourceName = MAKEINTRESOURCEA(kDllManifestId);
    context.hModule = module;
    const HANDLE made = ::CreateActCtxA(&context);
    return made != INVALID_HANDLE_VALUE ? made : nullptr;
}

void ReleaseModuleActivationContext(HANDLE context) {
    if (context != nullptr) {
        ::ReleaseActCtx(context);
    }
}

ActivationScope::ActivationScope(HANDLE context) {
    active_ = context != nullptr && ::ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (active_) {
        ::DeactivateActCtx(0, cookie_);
    }
}

}  // namespace platform
