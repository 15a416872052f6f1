#include "link/event_engine_hooks.h"

#include <atomic>

namespace {

std::atomic<IEventEngineHooks*> g_hooks{nullptr};

}  // namespace

void SetEventEngineHooks(IEventEngineHooks* hooks) {
    g_hooks = hooks;
}

IEventEngineHooks* GetEventEngineHooks() {
    return g_hooks;
}
