#include "target/target_objects.h"

#include "util/service_slot.h"

#include <utility>

namespace {

// Made on first use: the subsystems install their factories while the
// module's static objects are still being made.
ServiceSlot<TargetObjectFactories>& Factories() {
    static ServiceSlot<TargetObjectFactories> factories;
    return factories;
}

}  // namespace

void SetTargetObjectFactories(TargetObjectFactories factories) {
    Factories().Set(std::move(factories));
}

void UpdateTargetObjectFactories(const std::function<void(TargetObjectFactories&)>& change) {
    Factories().Update(change);
}

TargetObjectFactories GetTargetObjectFactories() {
    return Factories().Get();
}
