#include "target/start_stop_hook.h"

#include "util/service_slot.h"

#include <utility>

namespace {

// Made on first use: the start-up subsystem installs the functions while the
// module's static objects are still being made.
ServiceSlot<std::function<void()>>& Applier() {
    static ServiceSlot<std::function<void()>> applier;
    return applier;
}

}  // namespace

void SetStartStopFunctionsApplier(std::function<void()> applier) {
    Applier().Set(std::move(applier));
}

void RunStartStopFunctions() {
    const std::function<void()> applier = Applier().Get();
    if (applier) {
        applier();
    }
}
