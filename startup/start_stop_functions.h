// The start and stop functions: two routines of the user's program that the
// emulator's monitor calls just before the program runs and just after it
// stops. Their settings live in the session's settings file ("START_FUNC",
// "STOP_FUNC": "ENABLE" and "SYMBOL"); before each run the symbols are
// resolved and the two vectors in the flash image are written (0xFD and the
// routine's address, or four filler bytes when a function is off).
#pragma once

#include "platform/afx.h"

// The session file's values; the setters also keep the process-wide word.
int GetStartFuncEnable();
int GetStopFuncEnable();
void SetStartFuncEnable(int value);
void SetStopFuncEnable(int value);
CString GetStartFuncSymbol();
CString GetStopFuncSymbol();
void SetStartFuncSymbol(LPCSTR text);
void SetStopFuncSymbol(LPCSTR text);

// The saved symbol's address, through the host's expression evaluator;
// TRUE when it resolved (the address is kept process-wide too).
BOOL ResolveStartFunc(DWORD* address);
BOOL ResolveStopFunc(DWORD* address);

// Writes both vectors into the flash mirror, marking the blocks of changed
// bytes for the next write-back; nothing in the program-flash connect mode
// or on a device without the functions. A saved symbol that does not
// resolve asks whether to change the setting (the dialog) or to switch both
// functions off. Always 1.
DWORD ApplyStartStopFunctions();

// The bytes of one vector at an address: written into the mirror where they
// differ, the changed bytes' blocks marked. Nothing for protocol type 4, or
// for a vector that does not lie wholly in the mirror.
void WriteStartStopVector(DWORD vectorAddress, DWORD routine, bool enabled);
