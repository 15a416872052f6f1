// The text of the instruction at an address, for the stop report: the
// target's trace provider formats it (its instruction column). Until a
// provider installs its formatter the text is empty.
#pragma once

#include "platform/wintypes.h"

#include <functional>
#include <span>
#include <string>

// The trace provider's row formatter for one instruction.
using InstructionTextSource = std::function<std::string(DWORD address)>;
// Installs the formatter (an empty one removes it) and gives back the one it
// replaced, so that a caller borrowing the slot can put it back.
InstructionTextSource SetInstructionTextSource(InstructionTextSource source);

// Clears length, then copies the instruction's text into destination (cut
// to fit with its terminator) and sets length to the characters copied: 1.
DWORD GetInstructionText(DWORD address, std::span<char> destination, DWORD* length);
