// The host's interfaces of a debugging target and its handlers, in the host's
// slot order (IUnknown is slots 0 to 2).
#pragma once

#include "platform/host/interfaces.h"

// The target object itself.
struct IHTarget : IUnknown {
    HOST_METHOD(Initialise)(BSTR targetName) = 0;           // 3
    HOST_METHOD(Uninitialise)() = 0;                        // 4
    HOST_METHOD(GetDescription)(BSTR* description) = 0;     // 5
    // 6: the second value is the address of the host's register array
    // (pointer-sized: 32 bits on the host's own platform).
    HOST_METHOD(SetParameters)(DWORD first, DWORD_PTR second) = 0;
    HOST_METHOD(Reconnect)() = 0;                           // 7
};

// Run control.
struct IHTExec : IUnknown {
    HOST_METHOD(Reset)() = 0;                                    // 3
    HOST_METHOD(Go)() = 0;                                       // 4
    HOST_METHOD(StepInEx)(DWORD first, DWORD last) = 0;          // 5
    HOST_METHOD(StepOverEx)(DWORD first, DWORD last) = 0;        // 6
    HOST_METHOD(StepOutEx)(DWORD first, DWORD last) = 0;         // 7
    HOST_METHOD(StepIn)() = 0;                                   // 8
    HOST_METHOD(StepOver)() = 0;                                 // 9
    HOST_METHOD(StepOut)() = 0;                                  // 10
    HOST_METHOD(Halt)() = 0;                                     // 11
    HOST_METHOD(QueryIdleA)() = 0;                               // 12
    HOST_METHOD(QueryIdleB)() = 0;                               // 13
    HOST_METHOD(QueryIdleEx)() = 0;                              // 14
    HOST_METHOD(GetStatusText)(BSTR* text) = 0;                  // 15
};

struct IHTExec2 : IHTExec {
    HOST_METHOD(ResetGo)() = 0;                 // 16
    HOST_METHOD(GoEx)(VARIANT addresses) = 0;   // 17: a list of 32-bit stop addresses
};

// Memory access. A range is given by its first and last address, both
// included. Every area operation answers eight values: start, end, attribute
// word, a fourth value and four 16-bit flags.
struct IHTMemoryServer2 : IUnknown {
    HOST_METHOD(QueryCapability0)() = 0;  // 3 to 9: S_OK when offered, S_FALSE when not
    HOST_METHOD(QueryCapability1)() = 0;
    HOST_METHOD(QueryCapability2)() = 0;
    HOST_METHOD(QueryCapability3)() = 0;
    HOST_METHOD(QueryCapability4)() = 0;
    HOST_METHOD(QueryCapability5)() = 0;
    HOST_METHOD(QueryCapability6)() = 0;
    HOST_METHOD(GetAreaCount)(DWORD* count) = 0;  // 10
    HOST_METHOD(GetAreaByIndex)(DWORD index, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                                WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) = 0;  // 11
    HOST_METHOD(GetAreaByAddress)(DWORD address, DWORD* start, DWORD* end, DWORD* attribute, DWORD* fourth,
                                  WORD* flag1, WORD* flag2, WORD* flag3, WORD* flag4) = 0;  // 12
    HOST_METHOD(ReadMemoryBlock)(DWORD start, DWORD end, BYTE* buffer) = 0;   // 13
    HOST_METHOD(WriteMemoryBlock)(DWORD start, DWORD end, BYTE* buffer) = 0;  // 14
    HOST_METHOD(ReadMemory)(DWORD start, DWORD end, DWORD access, BYTE* buffer) = 0;          // 15
    HOST_METHOD(WriteMemory)(DWORD start, DWORD end, DWORD access, const BYTE* buffer) = 0;   // 16
    HOST_METHOD(CompareMemory)(DWORD start, DWORD end, DWORD secondStart, DWORD unit, DWORD* firstBytes,
                               DWORD* secondBytes, DWORD* address) = 0;  // 17
    HOST_METHOD(CopyMemory)(DWORD start, DWORD end, DWORD destination, WORD kind, DWORD unit, DWORD unused1,
                            DWORD unused2, DWORD* address) = 0;  // 18
    HOST_METHOD(FillMemory)(DWORD start, DWORD end, DWORD patternLength, const BYTE* pattern) = 0;  // 19
    HOST_METHOD(SearchMemory)(DWORD start, DWORD end, WORD flag1, WORD flag2, DWORD patternLength,
                              const BYTE* pattern, const BYTE* mask, DWORD* found) = 0;  // 20
    HOST_METHOD(Notify21)(DWORD, DWORD, DWORD) = 0;  // 21
    HOST_METHOD(Notify22)(DWORD, DWORD) = 0;         // 22
    HOST_METHOD(Notify23)() = 0;                     // 23
    HOST_METHOD(OnDownload)(WORD value) = 0;         // 24: 0xFFFF when a download starts, 0 when it ends
    HOST_METHOD(GetBlockSize)(DWORD* size) = 0;      // 25
};

struct IHTMemoryServer3 : IHTMemoryServer2 {
    HOST_METHOD(AddArea)(DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1, WORD flag2, WORD flag3,
                         WORD flag4) = 0;  // 26
    HOST_METHOD(RemoveArea)(DWORD index) = 0;  // 27
    HOST_METHOD(ModifyArea)(DWORD index, DWORD start, DWORD end, DWORD attribute, DWORD fourth, WORD flag1,
                            WORD flag2, WORD flag3, WORD flag4) = 0;  // 28
};

struct IHTMemoryServer4 : IHTMemoryServer3 {
    HOST_METHOD(SearchMemoryEx)(DWORD start, DWORD end, WORD flag1, WORD flag2, WORD mode, DWORD patternLength,
                                const BYTE* pattern, const BYTE* mask, DWORD* found) = 0;  // 29
    HOST_METHOD(Extended30)(DWORD, DWORD, DWORD, DWORD) = 0;          // 30
    HOST_METHOD(Extended31)(DWORD, DWORD, DWORD, DWORD, DWORD) = 0;   // 31
    HOST_METHOD(Extended32)(DWORD, DWORD, DWORD, DWORD, DWORD) = 0;   // 32
    HOST_METHOD(Extended33)() = 0;                                    // 33
};

// The address range of the target's memory, as the host shows it.
struct IHTMemoryRange : IUnknown {
    HOST_METHOD(GetAddressRange)(DWORD* low, DWORD* high) = 0;  // 3
};

// Receives host events: the host calls it with the id of each event it
// announces to the registered receivers.
struct IHEventReceiver : IUnknown {
    HOST_METHOD(OnEvent)(const GUID* eventId) = 0;  // 3
};

// A page of the host's status window: rows of "item\tstatus" texts.
struct IHStatusClient : IUnknown {
    HOST_METHOD(GetItemCount)(GUID pageId, DWORD* count) = 0;                 // 3
    HOST_METHOD(GetItemText)(GUID pageId, DWORD row, BSTR* text) = 0;         // 4
    HOST_METHOD(GetPageInfo)(GUID* pageId, BSTR* name, BSTR* firstTitle, BSTR* secondTitle, DWORD* firstWidth,
                             DWORD* secondWidth) = 0;                         // 5
};

// The I/O register file of the target.
struct IHTIO : IUnknown {
    HOST_METHOD(GetIOFilePath)(BSTR* path) = 0;  // 3
    HOST_METHOD(GetIOValue)(DWORD* value) = 0;   // 4
};

// PC breakpoints, named by their index (or id) in the target's list.
struct IHTPCBreakClient : IUnknown {
    HOST_METHOD(AddBreak)(DWORD address, GUID ownerId, BSTR text, DWORD* index) = 0;  // 3
    HOST_METHOD(EnableBreak)(LONG index, WORD enable) = 0;                            // 4
    HOST_METHOD(IsBreakEnabled)(LONG index, WORD* enabled) = 0;                       // 5
    HOST_METHOD(RemoveBreak)(LONG index) = 0;                                         // 6
    // 7: the owner id, the text (a new BSTR, the caller's) and the id of the
    // break at an address.
    HOST_METHOD(GetBreakInfo)(DWORD address, GUID* ownerId, BSTR* text, DWORD* index) = 0;
    HOST_METHOD(FindBreak)(DWORD address, DWORD* index) = 0;                          // 8
};

// The host's event service: raises a host event and names the event object
// to wait on. Only slot 42 is used.
struct IHostEventService : IUnknown {
    HOST_PLACEHOLDER(3);
    HOST_PLACEHOLDER(4);
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    HOST_PLACEHOLDER(7);
    HOST_PLACEHOLDER(8);
    HOST_PLACEHOLDER(9);
    HOST_PLACEHOLDER(10);
    HOST_PLACEHOLDER(11);
    HOST_PLACEHOLDER(12);
    HOST_PLACEHOLDER(13);
    HOST_PLACEHOLDER(14);
    HOST_PLACEHOLDER(15);
    HOST_PLACEHOLDER(16);
    HOST_PLACEHOLDER(17);
    HOST_PLACEHOLDER(18);
    HOST_PLACEHOLDER(19);
    HOST_PLACEHOLDER(20);
    HOST_PLACEHOLDER(21);
    HOST_PLACEHOLDER(22);
    HOST_PLACEHOLDER(23);
    HOST_PLACEHOLDER(24);
    HOST_PLACEHOLDER(25);
    HOST_PLACEHOLDER(26);
    HOST_PLACEHOLDER(27);
    HOST_PLACEHOLDER(28);
    HOST_PLACEHOLDER(29);
    HOST_PLACEHOLDER(30);
    HOST_PLACEHOLDER(31);
    HOST_PLACEHOLDER(32);
    HOST_PLACEHOLDER(33);
    HOST_PLACEHOLDER(34);
    HOST_PLACEHOLDER(35);
    HOST_PLACEHOLDER(36);
    HOST_PLACEHOLDER(37);
    HOST_PLACEHOLDER(38);
    HOST_PLACEHOLDER(39);
    HOST_PLACEHOLDER(40);
    HOST_PLACEHOLDER(41);
    // 42: raises the event with a value and answers the name of the event
    // object that is signalled when the host has handled it.
    HOST_METHOD(RaiseEvent)(const GUID* eventId, DWORD value, BSTR* eventName) = 0;
};

// The host's register service: the registers of the host's register array
// by name.
struct IHRegisterService : IUnknown {
    HOST_METHOD(GetValueByName)(BSTR name, DWORD* value) = 0;                // 3
    // The value's bytes, most significant first, and its width in bytes.
    HOST_METHOD(GetBytesByName)(BSTR name, BYTE* bytes, WORD* width) = 0;  // 4
};

// The host's stop-position service: where the program stands after a run.
struct IHStopPosition : IUnknown {
    HOST_METHOD(SetStopPosition)(DWORD pc) = 0;  // 3
};
