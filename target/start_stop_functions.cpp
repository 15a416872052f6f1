#include "target/start_stop_functions.h"

#include "util/service_slot.h"

#include <utility>

namespace {

ServiceSlot<std::function<void()>> g_applier;

}  // namespace

void SetStartStopFunctionsApplier(std::function<void()> applier) {
    g_applier.Set(std::move(applier));
}

void ApplyStartStopFunctions() {
    const std::function<void()> applier = g_applier.Get();
    if (applier) {
        applier();
    }
}
