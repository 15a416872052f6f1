// The break-condition provider: with the event-function firmware, the address
// breaks go to the emulator's event function through it rather than into the
// chip's registers. The target object installs it; without one there is
// nothing to hand the channels to.
#pragma once

#include "platform/wintypes.h"

class IBreakConditionProvider {
public:
    virtual ~IBreakConditionProvider() = default;
    // Operation 0: hands one address-break channel to the event function;
    // enabled is 1 for an enabled address break. Nonzero on success.
    virtual DWORD SetAddressChannel(DWORD channel, DWORD address, DWORD enabled) = 0;
    // Operation 11: resets the provider before a pending suspend is applied.
    virtual void Reset(DWORD value) = 0;
};

void SetBreakConditionProvider(IBreakConditionProvider* provider);
IBreakConditionProvider* GetBreakConditionProvider();
