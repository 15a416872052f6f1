// The host's interfaces of the status window, the trace window and the
// setting texts, in the host's slot order (IUnknown is slots 0 to 2): those
// the target serves (the trace list, the status period, memory reads while
// the program runs) and the host services they ask for (the execution
// state, the disassembler, the workspace's names, the stored setting text).
#pragma once

#include "platform/host/interfaces.h"

// The trace window's list of recorded rows. Failures answer 0x80042001.
struct IHTTraceList : IUnknown {
    // 3, 4: the text of a row (its tab-separated columns); no such row:
    // a null text.
    HOST_METHOD(GetRowText)(DWORD row, BSTR* text) = 0;
    HOST_METHOD(GetRowText2)(DWORD row, BSTR* text) = 0;
    // 5: whether the list offers the capability of that index.
    HOST_METHOD(QueryCapability)(DWORD index, WORD* offered) = 0;
    HOST_METHOD(Unsupported6)(DWORD, DWORD) = 0;
    HOST_METHOD(Unsupported7)(DWORD, DWORD) = 0;
    HOST_METHOD(Unsupported8)(DWORD, DWORD) = 0;
    // 9: the list's kind and its name.
    HOST_METHOD(GetName)(DWORD* kind, BSTR* name) = 0;
    // 10: clears the records (kind 3).
    HOST_METHOD(Clear)(DWORD kind) = 0;
    // 11: the column titles, tab-separated.
    HOST_METHOD(GetHeader)(BSTR* header) = 0;
    // 12: kind 0 the capacity, kinds 1 and 2 the rows recorded.
    HOST_METHOD(GetCount)(DWORD kind, DWORD* count) = 0;
    HOST_METHOD(Unsupported13)(DWORD, DWORD) = 0;
    // 14: how the host shows a column.
    HOST_METHOD(GetColumnKind)(DWORD column, LONG* kind) = 0;
};

// How often the host asks for the status.
struct IHStatusTiming : IUnknown {
    HOST_METHOD(GetTimingFlag)(WORD* flag) = 0;                            // 3
    HOST_METHOD(GetStatusTime)(DWORD* period) = 0;                         // 4: milliseconds
    HOST_METHOD(GetStatusTimeRange)(DWORD* minimum, DWORD* maximum) = 0;   // 5
};

// Memory reads while the program runs (the host's live memory views).
struct IHTRunningMemory : IUnknown {
    HOST_METHOD(CheckRange)(DWORD start, DWORD length, DWORD* ok) = 0;              // 3
    HOST_METHOD(ReadWhileRunning)(DWORD start, DWORD length, BYTE* buffer) = 0;     // 4
};

// The host's execution state: S_OK while a run of the host is in progress.
struct IHExecutionService : IUnknown {
    HOST_METHOD(QueryExecuting)() = 0;  // 3
};

// The host's disassembler: the instruction text of the 8 bytes read at an
// address.
struct IHDisassembler : IUnknown {
    HOST_METHOD(Disassemble)(DWORD address, const BYTE* bytes, BSTR* text) = 0;  // 3
};

// The names of the host's current workspace, project, configuration and
// session.
struct IHWorkspaceNames : IUnknown {
    HOST_METHOD(GetWorkspaceName)(BSTR* name) = 0;      // 3
    HOST_METHOD(GetProjectName)(BSTR* name) = 0;        // 4
    HOST_METHOD(GetConfigurationName)(BSTR* name) = 0;  // 5
    HOST_METHOD(GetSessionName)(BSTR* name) = 0;        // 6
};

// The setting text the host keeps for a target, by workspace, project and
// session.
struct IHSettingText : IUnknown {
    HOST_METHOD(GetSettingText)(BSTR workspace, BSTR project, BSTR session, BSTR* text) = 0;  // 3
    HOST_METHOD(SetSettingText)(BSTR workspace, BSTR project, BSTR session, BSTR text) = 0;   // 4
};
