// Profile (INI file) functions with the Windows behaviour users rely on.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

// Files are read and written as Windows does (see profile_document.h for how
// a file reads): names match without regard to ASCII case, the first of
// duplicate sections and keys wins, and an edit writes the whole file anew.
// A file that cannot be read gives the defaults, with ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND (its folder is missing) or ERROR_ACCESS_DENIED (a
// folder, an empty name); reading a file clears the error. A relative name
// is taken from the current directory (Windows takes its own folder).

// Copies the value of key in section of file into buffer (at most size-1
// characters and a NUL; one pair of enclosing quotes taken off) and returns
// the number of characters copied. A missing key gives the default, its
// trailing spaces and enclosing quotes taken off. A null key lists the
// section's keys, a null section the file's sections (each NUL-terminated,
// the list ending in a second NUL; a list that does not fit is cut and ends
// in two NULs, and the result is size-2); a missing or empty key list gives
// the default as given but for enclosing quotes.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
// The number at the start of the text GetPrivateProfileStringA gives (an
// optional sign, then decimal digits, or "0x", "0o" or "0b" and digits of
// that base), or the default when that text is empty.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
// Writes key=value, creating the file and section as needed. A null value
// deletes the key, a null key the whole section. An edit that changes
// nothing leaves the file untouched.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

#endif
