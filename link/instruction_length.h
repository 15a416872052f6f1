// The monitor's instruction-length rule for steps: the byte length (2 to 5)
// of an instruction whose successor is simply the next address, from its
// opcode word (the first instruction byte in the high byte); 0, 6, 7 or 8
// for an instruction whose successor is not (an unknown one, a jump, a
// return, an interrupt return). The rule follows the device's protocol type.
#pragma once

#include "platform/wintypes.h"

WORD GetInstructionLength(WORD opcodeWord);

// True when the length says the next instruction follows at address + length.
constexpr bool IsPlainInstructionLength(WORD length) {
    return length >= 2 && length <= 5;
}
