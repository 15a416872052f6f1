// CUleDrvMemory: the serialised transfer front of the selected driver. Every
// driver call that moves data goes through it under the driver lock; the
// reads that may answer pending (3) are polled to completion under that same
// hold. Without a binding every operation answers 3 and calls nothing.
#pragma once

#include "platform/wintypes.h"

class CUleDriverDll;

class CUleDrvMemory {
public:
    explicit CUleDrvMemory(CUleDriverDll* binding) : m_binding(binding) {}

    // Polled: a pending read is polled for at most 30 seconds, then
    // "Driver timeout reading memory" is shown and 3 answered.
    DWORD ReadUleMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD WriteUleMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD XPdiTransmit(WORD count, BYTE* buffer, WORD reserved, BYTE flag);
    DWORD SciReceive(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag);
    DWORD AudTraceRead(DWORD first, DWORD second, WORD third, BYTE fourth);
    DWORD WriteQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag);
    // Polled like ReadUleMemory, with "Driver timeout reading Q3v memory".
    DWORD ReadQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD AdapterSumCheck(DWORD value);
    DWORD MonpOpen(DWORD value);
    DWORD MonpProgDownload(WORD length, DWORD startAddress, WORD sum);
    DWORD PreEraseWrite_Erase(BYTE mode, DWORD value);
    DWORD AdapterProgramDownload(DWORD address, DWORD stagingAddress, WORD sum);
    // Under the driver lock too, so that a time-out set for a receive cannot
    // land in the middle of another thread's receive.
    DWORD SetTimeout(DWORD value);

private:
    using ReadEntry = DWORD (CUleDriverDll::*)(WORD, BYTE*, DWORD, BYTE);
    DWORD PolledRead(ReadEntry entry, const char* timeoutMessage, WORD channel, BYTE* buffer, DWORD address,
                     BYTE count);

    CUleDriverDll* m_binding;
};
