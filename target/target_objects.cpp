#include "target/target_objects.h"

#include "util/service_slot.h"

#include <utility>

namespace {

ServiceSlot<TargetObjectFactories> g_factories;

}  // namespace

void SetTargetObjectFactories(TargetObjectFactories factories) {
    g_factories.Set(std::move(factories));
}

TargetObjectFactories GetTargetObjectFactories() {
    return g_factories.Get();
}
