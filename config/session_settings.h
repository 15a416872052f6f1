// The session settings store: the INI file that belongs to the host's current
// session, read and written with the profile functions. The host's data
// manager tells where it lies (its folder, a backslash, the session's name
// and ".ini"); without a data manager or a session, reads give their
// defaults and writes do nothing.
#pragma once

#include "platform/wintypes.h"

#include <optional>
#include <string>

// The session's INI file path, or nothing.
std::optional<std::string> GetSessionIniPath();

// GetPrivateProfileStringA on the session file; without one the default is
// copied (at most size - 1 characters) and the answer is 0.
DWORD SessionIniGetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
// GetPrivateProfileIntA on the session file; the default without one.
UINT SessionIniGetInt(LPCSTR section, LPCSTR key, INT defaultValue);
// WritePrivateProfileStringA on the session file; 0 without one.
BOOL SessionIniWriteString(LPCSTR section, LPCSTR key, LPCSTR value);
// The value as "%d".
BOOL SessionIniWriteInt(LPCSTR section, LPCSTR key, int value);
// The value as "%X".
BOOL SessionIniWriteHex(LPCSTR section, LPCSTR key, DWORD value);
