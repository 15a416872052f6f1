// The class library's application object and module states.
//
// Each module (the program and every loaded module built on the class
// library) has its own module state: its instance and resource handles and its
// application object. The current module state belongs to the thread;
// AFX_MANAGE_STATE switches to a module's own state for a scope and puts the
// caller's back on every exit, and the module's activation context (the
// common controls its manifest asks for) is active meanwhile.
#pragma once

#include "platform/activation_context.h"
#include "platform/afx_string.h"
#include "platform/afx_thread.h"
#include "platform/windows_ui.h"

#include <string>

class CWinApp;

struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    const char* m_lpszCurrentAppName = nullptr;
    // The module's activation context (its manifest's common controls), made
    // when the module is attached; null for none.
    HANDLE m_hActCtx = nullptr;
};

// The thread's current module state (the program's unless switched).
AFX_MODULE_STATE* AfxGetModuleState();
// The program's module state.
AFX_MODULE_STATE* AfxGetAppModuleState();
// The calling module's own state. Every module links its own copy of this
// function (the platform's module library), so it answers that module's state.
AFX_MODULE_STATE* AfxGetStaticModuleState();

class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* newState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* previous_;
    platform::ActivationScope activation_;
};
#define AFX_MANAGE_STATE(state) AFX_MAINTAIN_STATE2 afxManagedState_(state)

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);
// The module that holds a resource along the class library's search: the
// current module state's resources, then the application's; the current
// resources when neither has it.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
// The same for a string of the string table.
HINSTANCE AfxFindStringResourceHandle(UINT id);
CWinApp* AfxGetApp();
LPCSTR AfxGetAppName();

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    // An application object registers itself with the module state of the
    // module whose code constructs it.
    explicit CWinApp(LPCSTR appName = nullptr) : CWinApp(appName, AfxGetStaticModuleState()) {}
    CWinApp(LPCSTR appName, AFX_MODULE_STATE* moduleState);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // WinHelp with the application's help file (m_pszHelpFilePath).
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    // The application's profile: an INI file (m_pszProfileName). A missing
    // entry reads as the default (empty when none is given); writing a null
    // value deletes the entry, a null entry the whole section.
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);

    // Set when the module is attached: the module's name without its folder
    // and extension (unless given to the constructor), and the module's full
    // path with the help extension ".HLP". The help path is a writable
    // NUL-terminated buffer owned by the application object.
    LPCSTR m_pszAppName = nullptr;
    LPSTR m_pszHelpFilePath = nullptr;
    // The profile file: set when the module is attached to the module's full
    // path with the extension ".INI"; an application may point it elsewhere.
    LPCSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;

private:
    friend BOOL AfxModuleAttach(AFX_MODULE_STATE* state, HINSTANCE module);
    AFX_MODULE_STATE* moduleState_;
    std::string appName_;
    std::string helpFilePath_;
    std::string profileName_;
};

// Called by a module's DllMain (the platform's module library): records the
// module's handles and, when the module has an application object, fills its
// names and runs its InitInstance under the module's own state. Returns the
// InitInstance result (TRUE without an application object).
BOOL AfxModuleAttach(AFX_MODULE_STATE* state, HINSTANCE module);
// Runs the application object's ExitInstance under the module's state.
void AfxModuleDetach(AFX_MODULE_STATE* state);
// The state of a module attached through its DllMain (null when none is).
AFX_MODULE_STATE* AfxFindModuleState(HINSTANCE module);
