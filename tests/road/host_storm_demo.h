// What the host storm knows of the demo program (Vk3Demo.mot) and of the
// places it uses on the demo device: the loop the program runs, where a step
// of each kind ends, and the addresses of breakpoints, conditions and memory.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <set>

namespace roadtest::storm {

constexpr DWORD kEntry = 0xC000;
constexpr BYTE kNop = 0x04;
// The instructions in the order the loop runs them from its entry.
constexpr std::array<DWORD, 7> kLoop = {0xC000, 0xC010, 0xC011, 0xC012, 0xC004, 0xC005, 0xC006};
// Erased flash and a no-operation in RAM that the loop never reaches.
constexpr DWORD kUnreachedFlash = 0xC020;
constexpr DWORD kRamCode = 0x0880;

// The stack below which the host starts the program; the call at C000
// pushes its return address C004 low byte first from kStack - 3.
constexpr DWORD kStack = 0x0900;
constexpr DWORD kReturnSlot = kStack - 3;
constexpr std::array<BYTE, 3> kReturnBytes = {0x04, 0xC0, 0x00};

// The user's flash the storm models: the program's two blocks below the
// firmware (the program and the storm's writes at D000 share a block).
constexpr DWORD kFlashFirst = 0xC000;
constexpr DWORD kFlashEnd = 0xEFFF;
// The program's area that reads, compares, copies and searches visit, with
// the unreached flash after it.
constexpr DWORD kProgramArea = 0xC000;
constexpr DWORD kProgramAreaEnd = 0xC03F;
// Where the storm writes the flash: a piece of each block.
constexpr std::array<DWORD, 2> kFlashWrites = {0xD000, 0xE000};
constexpr DWORD kFlashWriteSize = 0x100;
// The user's RAM the storm reads and writes, below the stack; copies and
// compares put their second range from kRamCopies.
constexpr DWORD kRamTop = 0x0400;
constexpr DWORD kRamEnd = 0x07FF;
constexpr DWORD kRamCopies = 0x0600;

// Where a step of each kind from an instruction of the loop stops: a step
// over a call stops after it, and every other step over is a single step.
struct StepFrom {
    DWORD from;
    DWORD in;
    DWORD over;
};
constexpr std::array<StepFrom, 7> kSteps = {{{0xC000, 0xC010, 0xC004},
                                             {0xC004, 0xC005, 0xC005},
                                             {0xC005, 0xC006, 0xC006},
                                             {0xC006, 0xC000, 0xC000},
                                             {0xC010, 0xC011, 0xC011},
                                             {0xC011, 0xC012, 0xC012},
                                             {0xC012, 0xC004, 0xC004}}};
// A step out from the subroutine stops after the call.
constexpr DWORD kAfterCall = 0xC004;

// The instruction runs inside the subroutine: the stack holds the return.
constexpr bool InSubroutine(DWORD pc) {
    return pc >= 0xC010 && pc <= 0xC012;
}

// Where a go from start stops when each of stops stops it: the first of them
// the loop reaches after the start, the start itself last (a go steps off
// what stands where it starts). None when the loop reaches none.
std::optional<DWORD> FirstStop(DWORD start, const std::set<DWORD>& stops);

}  // namespace roadtest::storm
