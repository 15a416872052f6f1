// The start/stop functions the user sets for the target's run (applied at
// the start of every run and step): a narrow interface that their settings'
// owner fills; until it does, a run applies nothing.
#pragma once

#include <functional>

void SetStartStopFunctionsApplier(std::function<void()> applier);
void ApplyStartStopFunctions();
