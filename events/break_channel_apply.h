// The copy of the working break channels into the applied table while the
// program may run: under the memory lock, with the target suspended for the
// moment of the copy, in the order of every memory access (lock, suspend,
// access, resume, unlock). The record writes of the break-condition set take
// the same lock, so the go thread never copies a half-written record.
#pragma once

#include "platform/wintypes.h"

#include <functional>

// Runs work between a suspension and a resumption of the target, under the
// memory lock. Without a halt control (no session) work runs unsuspended.
void WithTargetSuspended(const std::function<void()>& work);
