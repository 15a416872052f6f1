// Installs the factories of the target's status-side objects at the
// module's start: the setting-item store.
#include "frame/target_memory.h"
#include "target/target_objects.h"
#include "target/target_setting_store.h"
#include "target/target_vk3.h"

namespace {

std::unique_ptr<CSettingItemStoreBase> MakeSettingItemStore(IHostServiceProvider* host) {
    // The items reach the memory map through the target.
    CTargetMemoryMap* map = GetTarget()->GetMemoryMapHandler();
    return std::make_unique<CTargetSettingStore>(host, dynamic_cast<CMemoryMapSettingTexts*>(map));
}

[[maybe_unused]] const bool g_installed = [] {
    UpdateTargetObjectFactories(
        [](TargetObjectFactories& factories) { factories.settingItemStore = MakeSettingItemStore; });
    return true;
}();

}  // namespace
