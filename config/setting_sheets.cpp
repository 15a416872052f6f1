#include "config/setting_sheets.h"

#include "util/service_slot.h"

#include <utility>

namespace {

// Made on first use: the start-up objects may install the sheets while the
// module's static objects are still being made.
ServiceSlot<SettingSheets>& Slot() {
    static ServiceSlot<SettingSheets> slot;
    return slot;
}

}  // namespace

void SetSettingSheets(SettingSheets sheets) {
    Slot().Set(std::move(sheets));
}

void RemoveSettingSheets(const void* owner) {
    Slot().Update([owner](SettingSheets& sheets) {
        if (sheets.owner == owner) {
            sheets = SettingSheets{};
        }
    });
}

SettingSheets GetSettingSheets() {
    return Slot().Get();
}
