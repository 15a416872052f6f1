// The instruction text of the trace rows and of the stop reports: code of
// the emulator's own firmware area shows "*** EML ***", any other address
// the host disassembler's text of its bytes.
#pragma once

#include "platform/host/interfaces.h"

#include <string>

class CTraceMemoryAccess;

// The bytes the disassembler is given.
inline constexpr DWORD kTraceInstructionBytes = 8;

// The text of the instruction whose bytes (kTraceInstructionBytes of them)
// were read at address: "*** EML ***" inside the enabled ASE1 area, else the
// host disassembler's text; empty without a disassembler.
std::string FormatTraceRow(IHostServiceProvider* host, const BYTE* bytes, DWORD address);
// Reads the instruction's bytes and formats them; empty when the read fails.
// Inside ASE1 nothing is read.
std::string FormatInstructionAt(IHostServiceProvider* host, CTraceMemoryAccess* memory, DWORD address);
