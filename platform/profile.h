// Profile (INI file) functions with the Windows behaviour users rely on.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

// Copies the value of key in section of file into buffer (at most size-1
// characters and a NUL) and returns the number of characters copied. A null
// key lists the section's keys, a null section the file's sections (each
// NUL-terminated, the list ending in a second NUL).
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
// The value's leading decimal digits (an optional sign first), or the default.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// Writes key=value, creating the file and section as needed. A null value
// deletes the key, a null key the whole section.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

#endif
