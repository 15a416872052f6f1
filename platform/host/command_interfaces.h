// The host's command window: command clients (the plug-in's console
// commands) and the callback through which a command that finishes later
// hands the host its text.
#pragma once

#include "platform/host/interfaces.h"

struct IHCmdCallback : IUnknown {
    HOST_METHOD(Notify)(DWORD number, BSTR text) = 0;   // 3
    HOST_METHOD(Complete)(BSTR finalText) = 0;          // 4
};

struct IHCmdClient : IUnknown {
    // 3: the command's words (name first, then its alias) as a VARIANT
    // holding a one-dimensional array of BSTRs.
    HOST_METHOD(GetCommandNames)(VARIANT* names) = 0;
    // 4: runs one command line. A command that wants more lines sets the
    // continuation mark (0xFFFF) and answers the prompt to show.
    HOST_METHOD(Execute)(BSTR line, BSTR* result, BSTR* prompt, WORD* continuation, WORD* status,
                         IHCmdCallback* callback) = 0;
    HOST_METHOD(Abort)() = 0;  // 5
};

struct IHCmdClient2 : IHCmdClient {
    HOST_METHOD(GetCommandNamesEx)(VARIANT* names, DWORD* attribute) = 0;  // 6
};
