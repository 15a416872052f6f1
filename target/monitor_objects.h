// What the target asks of the monitor layer's session objects (monitor
// control, monitor engine, run-state monitor, halt control), which the
// connect procedure makes and the target's teardown ends.
//
// The monitor layer installs these when it makes its objects; until then
// there is no monitor to tell of a new speed and nothing to tear down.
#pragma once

#include "platform/wintypes.h"

#include <functional>

struct MonitorObjectServices {
    // CMonitorControl::SetAdapterBaudRate (speed index): the link's result.
    std::function<WORD(DWORD speedIndex)> setAdapterBaudRate;
    // Teardown step 18: g_monitorEngine, g_runStateMonitor and g_haltControl,
    // each destroyed and deleted, in this order.
    std::function<void()> destroyMonitorObjects;
    // Teardown step 20: g_monitorControl deleted.
    std::function<void()> deleteMonitorControl;
};

// Installs the operations (an empty set removes them).
void SetMonitorObjectServices(MonitorObjectServices services);

// 0 without a monitor control.
WORD MonitorSetAdapterBaudRate(DWORD speedIndex);
void DestroyMonitorObjects();
void DeleteMonitorControl();

// The monitor's memory write (WriteMemoryThroughMonitor: start, source, unit
// size, count, verify flag) that the disconnect's XIN writes use. Installed
// by the monitor's memory access when it exists; until then nothing is
// written and the answer is 0xFFFF.
using MonitorMemoryWrite = std::function<WORD(DWORD start, const BYTE* source, DWORD unitSize, WORD count,
                                              DWORD verify)>;
void SetMonitorMemoryWrite(MonitorMemoryWrite write);
WORD MonitorWriteMemory(DWORD start, const BYTE* source, DWORD unitSize, WORD count, DWORD verify);
