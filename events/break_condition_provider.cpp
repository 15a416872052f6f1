#include "events/break_condition_provider.h"

#include <atomic>

namespace {

std::atomic<IBreakConditionProvider*> g_provider{nullptr};

}  // namespace

void SetBreakConditionProvider(IBreakConditionProvider* provider) {
    g_provider = provider;
}

IBreakConditionProvider* GetBreakConditionProvider() {
    return g_provider;
}
