#include "hostui/ui_target_services.h"

#include "util/service_slot.h"

namespace {

ServiceSlot<UiTargetServices>& Slot() {
    static ServiceSlot<UiTargetServices> slot;
    return slot;
}

}  // namespace

void SetUiTargetServices(UiTargetServices services) {
    Slot().Set(std::move(services));
}

void UpdateUiTargetServices(const std::function<void(UiTargetServices&)>& change) {
    Slot().Update(change);
}

UiTargetServices GetUiTargetServices() {
    return Slot().Get();
}
