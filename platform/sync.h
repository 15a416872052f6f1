// Critical sections (re-entrant) and events (manual and auto reset, optionally
// named process-wide), with WaitForSingleObject and CloseHandle.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

struct CRITICAL_SECTION {
    void* impl;  // the layer's re-entrant mutex
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

#define SYNCHRONIZE 0x00100000u
#define EVENT_MODIFY_STATE 0x0002u
#define EVENT_ALL_ACCESS 0x1F0003u

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

// A name already in use opens the existing event (GetLastError then answers
// ERROR_ALREADY_EXISTS) and ignores the reset and state arguments. Names are
// Windows' object names: case-sensitive, in the session's namespace unless
// they start with "Global\\" ("Local\\" names the session's), with no other
// backslash (ERROR_PATH_NOT_FOUND, ERROR_BAD_PATHNAME for a leading one), and
// shorter than MAX_PATH (ERROR_FILENAME_EXCED_RANGE).
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
// Null when no event of that name exists (ERROR_FILE_NOT_FOUND).
HANDLE OpenEventA(DWORD access, BOOL inheritHandle, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// Closes an event or a file opened with CreateFileA.
BOOL CloseHandle(HANDLE handle);

#endif

// Waits for an event. The time-out is measured on the layer's clock: with the
// test clock installed, a wait that is not satisfied at once lets the other
// threads run, then advances the clock by the time-out and times out, so no
// test waits in real time. INFINITE waits for real.
#ifdef _WIN32
DWORD PlatformWaitForSingleObject(HANDLE handle, DWORD milliseconds);
#define WaitForSingleObject PlatformWaitForSingleObject
#else
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
#endif
