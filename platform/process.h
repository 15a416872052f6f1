// Processes, the environment and the process token: starting a program, the
// environment's variables, and who the process runs as (its user and groups,
// as security identifiers).
#pragma once

#include "platform/sync.h"
#include "platform/wintypes.h"

#ifndef _WIN32

#define STARTF_USESHOWWINDOW 0x00000001u
#define CREATE_NEW_CONSOLE 0x00000010u
#define ERROR_ENVVAR_NOT_FOUND 203L
#define ERROR_NONE_MAPPED 1332L
#ifndef ERROR_INSUFFICIENT_BUFFER
#define ERROR_INSUFFICIENT_BUFFER 122L
#endif

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
using LPSTARTUPINFOA = STARTUPINFOA*;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// Starts the program the command line names first (in double quotes when
// its path holds blanks), with the rest of the line as its arguments split
// as the Windows run time splits them, in the working folder (null: the
// caller's). The program's environment is the caller's; without
// inheritHandles it gets none of the caller's open files. The process and
// thread handles are closed with CloseHandle; the program is never waited
// for (its end is collected when its handles are closed). ERROR_FILE_NOT_FOUND
// for a program that is missing or cannot be run, ERROR_DIRECTORY for a
// missing folder.
BOOL CreateProcessA(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD flags, LPVOID environment,
                    LPCSTR currentDirectory, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION information);
HANDLE GetCurrentProcess();

// The variable's value: the characters copied without the NUL, or when the
// buffer is too small the size needed with it; 0 and ERROR_ENVVAR_NOT_FOUND
// when it is not set.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);

// Security identifiers and the process token. The process runs as its user
// (S-1-5-21-0-0-0-<1000 + uid>), who belongs to the built-in Users group
// (S-1-5-32-545) and, as root, to the Administrators (S-1-5-32-544).
using PSID = void*;
struct SID_IDENTIFIER_AUTHORITY {
    BYTE Value[6];
};
using PSID_IDENTIFIER_AUTHORITY = SID_IDENTIFIER_AUTHORITY*;
#define SECURITY_NT_AUTHORITY {0, 0, 0, 0, 0, 5}
#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020u
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220u
#define DOMAIN_ALIAS_RID_USERS 0x00000221u

struct SID_AND_ATTRIBUTES {
    PSID Sid;
    DWORD Attributes;
};
struct TOKEN_USER {
    SID_AND_ATTRIBUTES User;
};
struct TOKEN_GROUPS {
    DWORD GroupCount;
    SID_AND_ATTRIBUTES Groups[1];
};
using PTOKEN_USER = TOKEN_USER*;
using PTOKEN_GROUPS = TOKEN_GROUPS*;

enum TOKEN_INFORMATION_CLASS { TokenUser = 1, TokenGroups = 2 };
enum SID_NAME_USE { SidTypeUser = 1, SidTypeGroup, SidTypeDomain, SidTypeAlias, SidTypeWellKnownGroup };
using PSID_NAME_USE = SID_NAME_USE*;
#define TOKEN_QUERY 0x0008u

BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token);
// The record of the class (user or groups) with the identifiers it points
// at, in one buffer; when the buffer is too small, FALSE
// (ERROR_INSUFFICIENT_BUFFER) and the size needed.
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID buffer, DWORD size, LPDWORD needed);
// The account and domain names of an identifier (sizes in/out as Windows
// has them); ERROR_NONE_MAPPED for an identifier of no account.
BOOL LookupAccountSidA(LPCSTR system, PSID sid, LPSTR name, LPDWORD nameSize, LPSTR domain, LPDWORD domainSize,
                       PSID_NAME_USE use);
BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD a0, DWORD a1, DWORD a2,
                              DWORD a3, DWORD a4, DWORD a5, DWORD a6, DWORD a7, PSID* sid);
BOOL EqualSid(PSID first, PSID second);
PVOID FreeSid(PSID sid);

#endif
