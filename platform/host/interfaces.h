// The host's interfaces, as abstract classes whose virtual functions stand in
// the host's slot order (the three IUnknown operations are slots 0 to 2). A
// slot whose operation the plug-in never names is a placeholder, so that the
// later slots keep their numbers; it answers E_NOTIMPL unless an
// implementation gives it a meaning.
#pragma once

#include "platform/com.h"
#include "platform/host/ids.h"
// The workspace information (IHWorkSpaceInfo) and service F
// (IHPlaceholderSettings), declared from their tables.
#include "platform/host/workspace_interfaces.h"

#define HOST_METHOD(name) virtual HRESULT STDMETHODCALLTYPE name
#define HOST_PLACEHOLDER(slot) \
    virtual HRESULT STDMETHODCALLTYPE Placeholder##slot() { return E_NOTIMPL; }

struct IHComponentRegistry;
struct IHEventReceiver;
struct IHostServiceProvider;

// What a component hands the host when it raises a host event: the event id
// with the argument pointer directly behind it.
struct HostEventNotice {
    GUID id;
    const void* argument;
};

// The host's service provider, handed to every component at attach.
struct IHostServiceProvider : IUnknown {
    // 3: the name of the named event that belongs to a host event (the
    // notice's id, with its argument).
    HOST_METHOD(GetEventName)(const HostEventNotice* notice, BSTR* name) = 0;
    // 4: raises a host event without waiting.
    HOST_METHOD(PostEvent)(const HostEventNotice* notice) = 0;
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    // 7: passes a message text to the host's error output.
    HOST_METHOD(ReportErrorText)(BSTR text) = 0;
    HOST_PLACEHOLDER(8);
    // 9: the host service with that interface id; a negative result (or a null
    // object) means the host has none.
    HOST_METHOD(QueryService)(REFIID iid, void** service) = 0;
    // 10 to 13: registration and withdrawal of client and server interfaces.
    HOST_METHOD(RegisterClient)(REFIID iid, IUnknown* client) = 0;
    HOST_METHOD(RegisterServer)(REFIID iid, IUnknown* server) = 0;
    HOST_METHOD(UnregisterClient)(REFIID iid, IUnknown* client) = 0;
    HOST_METHOD(UnregisterServer)(REFIID iid, IUnknown* server) = 0;
    // 14 and 15: from the first call until the second the host hands the
    // receiver each event it announces.
    HOST_METHOD(AdviseEventReceiver)(IHEventReceiver* receiver) = 0;
    HOST_METHOD(UnadviseEventReceiver)(IHEventReceiver* receiver) = 0;
};

// The host's component registry, the argument of LibraryRegister.
struct IHComponentRegistry : IUnknown {
    // 3: registers a target library under its name and family with the
    // interface ids it offers.
    HOST_METHOD(RegisterComponent)(BSTR libraryName, BSTR familyName, DWORD idCount, const IID* ids,
                                   DWORD kind, const CLSID* clsid) = 0;
    HOST_PLACEHOLDER(4);
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    HOST_PLACEHOLDER(7);
    // 8: registers a component under a name and a category.
    HOST_METHOD(Register)(BSTR name, DWORD category, const CLSID* clsid) = 0;
};

// Implemented by every component in the component table.
struct IHRegistryClient : IUnknown {
    HOST_METHOD(Register)(IHComponentRegistry* registry) = 0;  // 3
};

struct IHComponent : IUnknown {
    HOST_METHOD(OnHostEvent)(const GUID* eventId) = 0;                  // 3
    HOST_METHOD(Attach)(IHostServiceProvider* host, WORD flag) = 0;     // 4
    HOST_METHOD(OnHostReady)() = 0;                                     // 5
    HOST_METHOD(OnHostClosing)() = 0;                                   // 6
    HOST_METHOD(Detach)(WORD flag) = 0;                                 // 7
};

struct IHErrorReporter : IUnknown {
    HOST_METHOD(GetErrorText)(HRESULT code, BSTR* text) = 0;  // 3
};

// The error-code table service: texts of error codes, and codes registered at
// run time.
struct IHErrorCodeTable : IUnknown {
    HOST_METHOD(GetErrorText)(HRESULT code, BSTR* text) = 0;        // 3
    HOST_METHOD(RegisterError)(BSTR text, HRESULT* code) = 0;       // 4
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    HOST_METHOD(UnregisterError)(HRESULT code) = 0;                 // 7
};

// Workspace and session notifications. Slots 3 to 39; the argument counts are
// the host's, every argument 32 bits wide. Slot 14 answers through its second
// argument; slots 10 and 12 are the two run-state queries (1 while the target
// runs).
struct IHWorkSpaceClient : IUnknown {
    HOST_METHOD(OnWorkspaceCreated)(DWORD, DWORD) = 0;              // 3
    HOST_METHOD(OnWorkspaceOpened)(DWORD) = 0;                      // 4
    HOST_METHOD(OnWorkspaceClosed)(DWORD) = 0;                      // 5
    HOST_METHOD(OnWorkspaceSaved)(DWORD) = 0;                       // 6
    HOST_METHOD(OnProjectAdded)(DWORD) = 0;                         // 7
    HOST_METHOD(OnProjectRemoved)(DWORD) = 0;                       // 8
    HOST_METHOD(OnProjectActivated)(DWORD) = 0;                     // 9
    HOST_METHOD(QueryBusyOnWorkspaceClose)() = 0;                   // 10
    HOST_METHOD(OnConfigurationChanged)(DWORD) = 0;                 // 11
    HOST_METHOD(QueryBusyOnProjectChange)() = 0;                    // 12
    HOST_METHOD(OnBuildStarted)(DWORD) = 0;                         // 13
    HOST_METHOD(QueryWorkspaceData)(DWORD, DWORD* result) = 0;      // 14
    HOST_METHOD(OnFileAdded)(DWORD, DWORD) = 0;                     // 15
    HOST_METHOD(OnFileRemoved)(DWORD, DWORD) = 0;                   // 16
    HOST_METHOD(OnFileRenamed)(DWORD, DWORD) = 0;                   // 17
    HOST_METHOD(OnFolderAdded)(DWORD, DWORD, DWORD) = 0;            // 18
    HOST_METHOD(OnFolderRemoved)(DWORD, DWORD) = 0;                 // 19
    HOST_METHOD(OnFolderRenamed)(DWORD, DWORD, DWORD) = 0;          // 20
    HOST_METHOD(OnBuildEnded)(DWORD, DWORD) = 0;                    // 21
    HOST_METHOD(OnDownloadStarted)(DWORD, DWORD) = 0;               // 22
    HOST_METHOD(OnDownloadEnded)(DWORD, DWORD) = 0;                 // 23
    HOST_METHOD(OnDebugSessionChanged)(DWORD, DWORD) = 0;           // 24
    HOST_METHOD(OnOptionChanged)(DWORD, DWORD, DWORD, DWORD) = 0;   // 25
    HOST_METHOD(OnToolAdded)(DWORD, DWORD, DWORD) = 0;              // 26
    HOST_METHOD(OnToolRemoved)(DWORD, DWORD, DWORD) = 0;            // 27
    HOST_METHOD(OnToolChanged)(DWORD, DWORD, DWORD) = 0;            // 28
    HOST_METHOD(OnDependencyAdded)(DWORD, DWORD, DWORD) = 0;        // 29
    HOST_METHOD(OnDependencyRemoved)(DWORD, DWORD, DWORD) = 0;      // 30
    HOST_METHOD(OnViewOpened)(DWORD, DWORD) = 0;                    // 31
    HOST_METHOD(OnViewClosed)(DWORD, DWORD) = 0;                    // 32
    HOST_METHOD(OnSettingChanged)(DWORD, DWORD, DWORD) = 0;         // 33
    HOST_METHOD(OnSettingRemoved)(DWORD, DWORD, DWORD) = 0;         // 34
    HOST_METHOD(OnItemRenamed)(DWORD, DWORD, DWORD, DWORD) = 0;     // 35
    HOST_METHOD(OnItemMoved)(DWORD, DWORD, DWORD, DWORD) = 0;       // 36
    HOST_METHOD(OnSelectionChanged)(DWORD, DWORD) = 0;              // 37
    HOST_METHOD(OnPropertyChanged)(DWORD, DWORD, DWORD) = 0;        // 38
    HOST_METHOD(OnCustomNotify)(DWORD, DWORD, DWORD, DWORD) = 0;    // 39
};

// The session extension: slots 40 to 49. The four session texts identify the
// session to the host's workspace storage.
struct IHWorkSpaceClient2 : IHWorkSpaceClient {
    HOST_METHOD(OnSessionCreated)(BSTR, BSTR, BSTR) = 0;                      // 40
    HOST_METHOD(QueryBusyOnSessionSave)(BSTR, BSTR, BSTR, DWORD) = 0;         // 41
    HOST_METHOD(QueryBusyOnSessionLoad)(BSTR, BSTR, BSTR, DWORD) = 0;         // 42
    HOST_METHOD(OnSessionRenamed)(BSTR, BSTR, BSTR, BSTR) = 0;                // 43
    HOST_METHOD(OnLoadSession)(BSTR, BSTR, BSTR, BSTR) = 0;                   // 44
    HOST_METHOD(OnLoadSessionDefaults)(BSTR, BSTR, BSTR, BSTR) = 0;           // 45
    HOST_METHOD(OnSessionRemoved)(BSTR, BSTR, BSTR, BSTR) = 0;                // 46
    HOST_METHOD(OnSessionCopied)(BSTR, BSTR, BSTR, BSTR) = 0;                 // 47
    HOST_METHOD(OnSaveSession)(BSTR, BSTR, BSTR) = 0;                         // 48
    HOST_METHOD(GetModified)(BSTR, BSTR, BSTR, DWORD* modified) = 0;          // 49
};

// The further workspace interface: one operation, answered with 0.
struct IHWorkSpaceClientExtra : IUnknown {
    HOST_METHOD(OnWorkspaceIdle)() = 0;  // 3
};

// The two exports through which the host enters a target library.
using LibraryRegisterFunction = HRESULT(STDAPICALLTYPE*)(IHComponentRegistry* registry);
using LibraryQueryInterfaceFunction = HRESULT(STDAPICALLTYPE*)(REFIID iid, void** object);
