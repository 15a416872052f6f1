// The registry: keys below the predefined roots, each with named values.
//
// In the Windows build these are the system's own. On Linux the registry is
// the process's own, empty at start and kept in memory for the life of the
// process (there is no system registry to read; tests write what they need).
// It behaves as Windows documents: key and value names are compared without
// regard to case; a key is opened with the access it is asked for, and a
// handle opened without KEY_QUERY_VALUE or KEY_SET_VALUE cannot read or write
// values; a key with subkeys cannot be deleted; a handle to a deleted key
// answers ERROR_KEY_DELETED. The roots are separate trees: HKEY_CLASSES_ROOT is
// not a view of the classes below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER here.
// Every function answers a Windows error code (ERROR_SUCCESS on success).
#pragma once

#include "platform/sync.h"
#include "platform/wintypes.h"

#ifndef _WIN32

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

// The predefined roots, sign-extended 32-bit values as on Windows.
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000u)))))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000001u)))))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000002u)))))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000003u)))))

#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_CREATE_SUB_KEY 0x0004u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_NOTIFY 0x0010u
#define KEY_READ 0x00020019u
#define KEY_WRITE 0x00020006u
#define KEY_ALL_ACCESS 0x000F003Fu

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_MULTI_SZ 7u

#define REG_OPTION_NON_VOLATILE 0x00000000u
#define REG_CREATED_NEW_KEY 1u
#define REG_OPENED_EXISTING_KEY 2u

#define ERROR_MORE_DATA 234L
#define ERROR_KEY_DELETED 1018L

// subKey null or "" opens the key itself once more.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
// Opens the key, creating it and the keys above it that are missing;
// disposition (may be null) says which.
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                     LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// Deletes a subkey that has no subkeys (ERROR_ACCESS_DENIED when it has).
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
// A null or empty name is the key's default value. The bytes are stored as
// given: a text is stored with the terminator the caller counts in size.
LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// With data null, size (when given) receives the value's size. A buffer too
// small answers ERROR_MORE_DATA with the size needed; data needs a size.
LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);

#endif  // _WIN32
