// The plug-in's front door: the component table, the component manager that
// walks it for the two exports, and the application object that owns them.
#pragma once

#include "platform/afx_app.h"
#include "platform/host/interfaces.h"

class CHostUiManager;

// One component: its class id and its IHRegistryClient part. An entry whose
// class-id pointer is null ends the table.
struct ComponentTableEntry {
    const CLSID* clsid;
    IUnknown* component;
};

// The module's table: the target component, then the UI component.
extern const ComponentTableEntry g_componentTable[];

class CComponentManager {
public:
    explicit CComponentManager(const ComponentTableEntry* table) : table_(table) {}
    virtual ~CComponentManager() = default;

    // Registers every component that offers IHRegistryClient with the host's
    // registry; E_NOINTERFACE when one does not (the others still register).
    HRESULT RegisterComponents(IHComponentRegistry* registry);
    // The first component that answers the interface wins.
    HRESULT QueryInterface(REFIID iid, void** object);

private:
    const ComponentTableEntry* table_;
};

class CComponentApp : public CWinApp {
public:
    explicit CComponentApp(const ComponentTableEntry* table);
    ~CComponentApp() override;

    BOOL InitInstance() override;
    // The module is being unloaded: the UI manager, made over the host that
    // loaded it, goes with it.
    int ExitInstance() override;

    CComponentManager& GetComponentManager() { return m_componentManager; }
    // Makes the host UI registration manager on the first call with a host;
    // answers the one made (null until then).
    CHostUiManager* GetUiManager(IHostServiceProvider* host);

private:
    CComponentManager m_componentManager;
    CHostUiManager* m_uiManager = nullptr;  // owned
};

// The application object; the exports reach the component manager through it.
extern CComponentApp* g_componentApp;
