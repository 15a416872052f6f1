// The module's component table: the target component, then the UI component.
#include "plugin/component_manager.h"

#include "plugin/ui_component.h"
#include "target/target_vk3.h"

const ComponentTableEntry g_componentTable[] = {
    {&CLSID_Q3vVk3Target, static_cast<IHRegistryClient*>(GetTarget())},
    {&CLSID_Q3vVk3UiComponent, static_cast<IHRegistryClient*>(GetUiComponent())},
    {nullptr, nullptr},
};
