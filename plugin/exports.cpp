// The module's two exports. The host calls LibraryRegister once with its
// component registry, then asks QueryInterface for interfaces.
#include "plugin/component_manager.h"
#include "platform/export.h"

Q3V_EXPORT HRESULT STDAPICALLTYPE LibraryRegister(IHComponentRegistry* registry) {
    if (g_componentApp == nullptr) {
        return E_FAIL;
    }
    return g_componentApp->GetComponentManager().RegisterComponents(registry);
}

Q3V_EXPORT HRESULT STDAPICALLTYPE QueryInterface(REFIID iid, void** object) {
    if (g_componentApp == nullptr) {
        if (object != nullptr) {
            *object = nullptr;
        }
        return E_NOINTERFACE;
    }
    return g_componentApp->GetComponentManager().QueryInterface(iid, object);
}
