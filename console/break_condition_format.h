// The listing of the event function's break-condition channels: one line per
// channel of the channel table, a set channel with its address as the host
// shows it, the source file and line and the function it lies in. A host
// service that is not offered leaves its part out.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

class CBreakConditionTable;

// Appends "Break condition: Enable  <address> pcbefore\n" (or "Disable")
// for a set channel and "Break condition: Disable None\n" for a free one.
void FormatBreakCondition(const CBreakConditionTable& table, IHostServiceProvider* host, CString& text);

// "Address=<text>(<file>/<line>,<function>)", with only the parts the host
// gave; empty when the host gave no address text.
CString FormatBreakConditionAddress(IHostServiceProvider* host, DWORD address);
