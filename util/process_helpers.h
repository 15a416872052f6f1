// Processes and the shell: opening a file with its program, starting a
// program, who the process runs as, the computer's name and the
// environment's variables.
#pragma once

#include "platform/afx.h"

// Opens the file with the shell ("open", shown normally, without the
// system's error dialogs): TRUE when it did; otherwise, when asked, the text
// of the shell's error code.
BOOL ShellOpen(LPCSTR file, CString* errorText = nullptr);
// The text of one of the shell's error codes ("Unknown Error." for others).
CString ShellErrorText(int code);

// The results of LaunchProcess.
inline constexpr int kLaunchStarted = 0;
inline constexpr int kLaunchNoProgram = 1;
inline constexpr int kLaunchNoFolder = 2;
inline constexpr int kLaunchFailed = 3;
// Starts the program ("path" arguments) in the folder (empty: the program's
// own) without waiting for it.
int LaunchProcess(LPCSTR program, LPCSTR arguments, LPCSTR folder);

// The process user's account and domain ("unknown user" and "unknown
// domain" while a step fails) and whether the user is in the built-in
// Administrators group. 0, or the error of the system call that failed.
DWORD GetProcessUserInfo(CString& user, CString& domain, BOOL& administrator);
BOOL GetComputerNameText(CString& name);
// TRUE with the value when the variable exists.
BOOL GetEnvironmentText(LPCSTR name, CString& value);
