// The copy of the working break channels into the applied table while the
// program may run: under the memory lock, with the target suspended for the
// moment of the copy, in the order of every memory access (lock, suspend,
// access, resume, unlock). The record writes of the break-condition set take
// the same lock, so the go thread never copies a half-written record.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <functional>

// Runs work between a suspension and a resumption of the target, under the
// memory lock. Without a halt control (no session) work runs unsuspended.
void WithTargetSuspended(const std::function<void()>& work);

// Copies the first bytes of records 0..count-1 of the working table into the
// applied table (count clamped to the table's eight records).
void CopyWorkingChannels(std::size_t count, std::size_t bytes);

// The device's channel count ("ADDRBREAK"), at most the table's eight.
std::size_t DeviceChannelCount();
