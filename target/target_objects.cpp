#include "target/target_objects.h"

#include "util/service_slot.h"

#include <utility>

namespace {

ServiceSlot<TargetObjectFactories> g_factories;

}  // namespace

void SetTargetObjectFactories(TargetObjectFactories factories) {
    g_factories.Set(std::move(factories));
}

void UpdateTargetObjectFactories(const std::function<void(TargetObjectFactories&)>& change) {
    g_factories.Update(change);
}

TargetObjectFactories GetTargetObjectFactories() {
    return g_factories.Get();
}
