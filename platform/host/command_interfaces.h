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

#include "platform/host/service_table.h"

// The command window's syntax texts: 11 adds the text shown for a command
// word (a Number of 0 for a command's name, 1 for its alias); a second add
// for the same word replaces its text. 12 withdraws the text of a word.
#define Q3V_TABLE_IHCmdSyntax(SLOT, GAP) \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7) GAP(8) GAP(9) GAP(10) \
    SLOT(11, AddSyntax, Text, Text, Number)                   \
    SLOT(12, RemoveSyntax, Text, Text)

HOST_TABLE_INTERFACE(IHCmdSyntax, Q3V_TABLE_IHCmdSyntax);

// The command window's output: 8 writes one text (it carries its own line
// break) below the command that is running; any thread may write.
#define Q3V_TABLE_IHCmdOutput(SLOT, GAP) \
    GAP(3) GAP(4) GAP(5) GAP(6) GAP(7)   \
    SLOT(8, WriteLine, Text)

HOST_TABLE_INTERFACE(IHCmdOutput, Q3V_TABLE_IHCmdOutput);
