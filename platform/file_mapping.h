// Mapping a file into memory for reading, and the size of an open file.
#pragma once

#include "platform/files.h"
#include "platform/wintypes.h"

#ifndef _WIN32

#define PAGE_READONLY 0x02
#define FILE_MAP_READ 0x0004
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define ERROR_FILE_INVALID 1006L

// The low 32 bits of the file's size (the high ones in high, when given).
DWORD GetFileSize(HANDLE file, LPDWORD high);
// A read-only mapping of the whole file (PAGE_READONLY, sizes 0): null for any
// other request, and for an empty file (ERROR_FILE_INVALID), as on Windows.
// The mapping is closed with CloseHandle; it stays usable after the file's
// handle is closed.
HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD sizeHigh,
                          DWORD sizeLow, LPCSTR name);
// A view of the whole mapping (FILE_MAP_READ, offset 0, size 0), or null.
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T size);
BOOL UnmapViewOfFile(LPCVOID view);

#endif
