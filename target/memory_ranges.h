// The address ranges the memory handler lets the host read and write on
// this family, judged by the device's layout: the device's top address
// (M), the end of its RAM (G, the larger of the FIRM and FIR2 ends), the
// start of its flash (F, the FLAS top) and the holes between its flash
// blocks. The gap between the RAM and the flash holds only the internal
// I/O area IIO2; an enabled FIR3 area is always allowed.
#pragma once

#include "platform/wintypes.h"

// Results of the checks.
inline constexpr HRESULT kRangeRefused = static_cast<HRESULT>(0x80042010);
inline constexpr HRESULT kRangeRefusedInRewriteMode = static_cast<HRESULT>(0x80043041);

// Whether the host may access [start, end]; a refusal names the address it
// stumbled on.
bool CheckAccessRange(DWORD start, DWORD end, DWORD* badAddress);
// 0, or kRangeRefused.
HRESULT CheckRange(DWORD start, DWORD end);
// [start, end] and [secondStart, secondStart + end - start]: 0, or
// kRangeRefused with the address of the first refusal.
HRESULT CheckRangePair(DWORD start, DWORD end, DWORD secondStart, DWORD* badAddress);

// Whether the host may write [start, end]: the emulator's firmware and work
// RAM are never written, and in the CPU rewrite mode only the data flash of
// the flash blocks. A refusal sets result to kRangeRefused, or to
// kRangeRefusedInRewriteMode after showing why.
bool CheckRewriteRange(DWORD start, DWORD end, DWORD* badAddress, HRESULT* result);
// 0, or the refusal's result.
HRESULT CheckWriteAccess(DWORD start, DWORD end);
// The copy's source readable and its destination writable: 0, or the
// refusal's result with the address.
HRESULT CheckCopyRanges(DWORD start, DWORD end, DWORD destination, DWORD* badAddress);
