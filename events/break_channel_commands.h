// The road of a channel change to the monitor engine: the text commands
// "BCn <condition>" and "BCn-", and whether the user's program runs now.
#pragma once

#include <string>

// Hands the command to the monitor engine, which writes the working record,
// then collects and frees its reply (an emulator error is shown to the user
// there and changes nothing here). The memory lock is held over the command
// and its reply, so the go thread neither copies a half-written record nor
// takes the reply. Without a monitor engine (no link) nothing is sent.
void SendChannelCommand(const std::string& command);

// The run-control handler's running flag is 1.
bool IsTargetRunning();
