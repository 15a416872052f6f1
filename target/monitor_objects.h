// What the target does with the monitor layer's session objects (monitor
// control, monitor engine, run-state monitor, halt control), which the
// connect procedure makes and the target's teardown ends.
#pragma once

#include "platform/wintypes.h"

#include <functional>

// CMonitorControl::SetAdapterBaudRate (speed index): the link's result; 0
// without a monitor control.
WORD MonitorSetAdapterBaudRate(DWORD speedIndex);
// Before the link goes: the program's own bytes back where its breakpoints
// stood, and the flash blocks that hold bytes only in the mirror (such
// bytes, or blocks a failed write-back left dirty) written, so that the chip
// holds the program once the session has ended. A running program is
// suspended meanwhile and runs on; one that does not stop for it is reset,
// and the box says so. A lost link is reopened for it when it can be; a
// flash write that cannot be done is told with "Flash memory writing NG.".
// The go thread must have ended.
void RestoreProgramBytes();
// Teardown step 18: the monitor engine, the run-state monitor and the halt
// control, each destroyed and deleted, in this order.
void DestroyMonitorObjects();
// Teardown step 20: the monitor control deleted.
void DeleteMonitorControl();

// The monitor's memory write (WriteMemoryThroughMonitor: start, source, unit
// size, count, verify flag) that the disconnect's XIN writes use: the
// monitor engine's, unless another is installed (tests watch the writes so);
// without an engine nothing is written and the answer is 0xFFFF.
using MonitorMemoryWrite = std::function<WORD(DWORD start, const BYTE* source, DWORD unitSize, WORD count,
                                              DWORD verify)>;
void SetMonitorMemoryWrite(MonitorMemoryWrite write);
WORD MonitorWriteMemory(DWORD start, const BYTE* source, DWORD unitSize, WORD count, DWORD verify);
