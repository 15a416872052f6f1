// The Setup menu of the plug-in's window as the target allows it, and the
// sheets its commands open.
//
// "&System..." and "&Emulator Setting..." are enabled unless the target is
// busy (its memory handler's download word is set: a download is in
// progress) or running (its run-control handler's running word is 1);
// "Start/Stop &Function Setting..." is so only for a device that offers the
// start/stop functions. A target without those handlers is neither busy nor
// running. Other commands are not the Setup menu's and count as disabled.
#pragma once

#include "platform/afx.h"

class CTarget;

bool IsSetupCommandEnabled(const CTarget& target, UINT command);
// Runs the command's sheet through the target's memory-map handler, which
// runs it under the plug-in's module state; nothing without a handler that
// offers the runs, and nothing for a command that is not the Setup menu's.
void RunSetupCommand(const CTarget& target, UINT command);
