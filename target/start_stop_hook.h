// Where a run reaches the start/stop functions (written at the start of
// every run and step): the start-up subsystem, which owns their settings,
// installs them at the module's start; until it does, a run writes nothing.
#pragma once

#include <functional>

void SetStartStopFunctionsApplier(std::function<void()> applier);
void RunStartStopFunctions();
