// The monitor's console-style output: every monitor command writes its
// answer into the monitor data buffer as text (kind 2) from payload offset
// 0, counting what it wrote in g_monitorOutputUsed, and marks the buffer
// with the reply-state byte for the reply decoder.
#pragma once

#include "platform/wintypes.h"

#include <atomic>
#include <string_view>

// Payload bytes written since the current command began.
extern std::atomic<DWORD> g_monitorOutputUsed;

// Appends length bytes of text (a fixed field may carry its terminator and
// padding) and keeps the header's kind (2) and length up to date. Bytes
// that do not fit the payload are dropped.
void AppendMonitorOutput(const char* text, WORD length);
// Appends the characters of text (no terminator).
void AppendMonitorText(std::string_view text);

// The frame of every monitor command: output from the start, the reply
// state 2 while it runs and 3 when its answer waits for the decoder.
void BeginMonitorCommand();
void EndMonitorCommand();
// BeginMonitorCommand for a command whose answer is text, even an empty one:
// the header says so from the start, so that no earlier answer's header is
// taken for this one's.
void BeginMonitorTextCommand();
