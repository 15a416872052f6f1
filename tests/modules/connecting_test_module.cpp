// A module whose static target connects through the connecting dialog, as the
// plug-in's does, for the test that unloads a module at once after a connect.
// Its connect procedure hands over the result and then goes on running the
// module's own code until the dialog has gone: a module that let its connect
// thread outlive the connect would be unloaded under that thread.
#include "frame/dlg_connection.h"
#include "frame/target.h"

#include "platform/export.h"
#include "platform/resources.h"

#include <atomic>

namespace {

constexpr UINT kConnectingDialog = 900;

const platform::DialogControl kConnectingControls[] = {
    platform::rc::LText(901, "Connecting...", 7, 7, 120, 8),
};
const platform::DialogResource kDialogs[] = {
    {kConnectingDialog, "Connecting", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 150, 45, kConnectingControls},
};
const platform::ResourceTable kResources = {.dialogs = kDialogs};

// Set once the result is in (the test's), and as the dialog goes, before its
// base awaits the connect thread (the module's).
HANDLE g_resultIn = nullptr;
HANDLE g_dialogGone = nullptr;
// Steps the connect thread has taken after the dialog went.
std::atomic<int> g_tailSteps{0};

class TailDialog : public CDlgConnection {
public:
    explicit TailDialog(CTarget* target) : CDlgConnection(target, kConnectingDialog) {}
    ~TailDialog() override { SetEvent(g_dialogGone); }
};

class ConnectingTarget : public CTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry*) override { return S_OK; }

    DWORD Connect() override {
        TailDialog dialog(this);
        dialog.DoModal();
        return dialog.GetConnectResult();
    }
    UINT ConnectProc() override {
        GetConnectionDialog()->EnableCancel(1);
        SetEvent(g_resultIn);
        // The person may close the dialog now; the connect runs on until
        // the dialog has gone.
        WaitForSingleObject(g_dialogGone, INFINITE);
        for (int step = 0; step < 100000; ++step) {
            g_tailSteps.fetch_add(1, std::memory_order_relaxed);
        }
        return CTarget::ConnectProc();
    }
};

ConnectingTarget theTarget;

}  // namespace

Q3V_EXPORT const platform::ResourceTable* Q3vResourceTable() {
    return &kResources;
}

// Connects once and answers the result; resultIn is set once the dialog may be
// closed, and how many steps the connect thread had taken after the dialog
// went is left in tailSteps.
Q3V_EXPORT DWORD ConnectingTestConnect(HANDLE resultIn, int* tailSteps) {
    g_resultIn = resultIn;
    g_dialogGone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_tailSteps = 0;
    const DWORD result = theTarget.Connect();
    *tailSteps = g_tailSteps.load();
    CloseHandle(g_dialogGone);
    g_dialogGone = nullptr;
    g_resultIn = nullptr;
    return result;
}
