// The firmware's event function as the layers below it reach it: the link's
// channel apply step, the run-state monitor's stop handling and the go
// thread start and stop the events and arm or disarm the address interrupts
// that carry the program-fetch break channels. The event engine fills it and
// the target object installs it while an engine exists; without one every
// caller skips its step.
#pragma once

#include "platform/wintypes.h"

class IEventEngineHooks {
public:
    // Arms (enable 1) or disarms channel 0..7's address interrupt at
    // address. False when the emulator refused it.
    virtual bool SetAddressInterrupt(DWORD channel, DWORD address, LONG enable) = 0;
    // Sends the event settings before a run and keeps sending later edits at
    // once; flag 0 leaves the break combination and the break at a full
    // trace out of this run.
    virtual void StartEvents(LONG flag) = 0;
    // After a run: the settings sent once more without their breaks, then
    // later edits are only kept until the next start.
    virtual void StopEvents() = 0;

protected:
    ~IEventEngineHooks() = default;
};

void SetEventEngineHooks(IEventEngineHooks* hooks);
IEventEngineHooks* GetEventEngineHooks();
