// CUleDrvInterface: the selected emulator driver as the rest of the plug-in
// sees it. It owns the driver's binding and its serialised transfer object,
// initialises and configures the driver, and makes the session objects that
// every emulator request uses: the link facade (g_emulatorLink) on the first
// successful initialisation, and the reply decoder (g_emuResponse).
#pragma once

#include "link/emu_response.h"

#include "platform/wintypes.h"

#include <memory>
#include <string>

class CUleDriverDll;
class CUleDrvMemory;

class CUleDrvInterface {
public:
    explicit CUleDrvInterface(const char* path);
    // Runs Cleanup.
    virtual ~CUleDrvInterface();
    CUleDrvInterface(const CUleDrvInterface&) = delete;
    CUleDrvInterface& operator=(const CUleDrvInterface&) = delete;

    // The binding exists and its entry points are bound.
    virtual bool IsBound() const;
    virtual const char* Identify();
    virtual DWORD LibraryName(const char** text);
    // Keeps the interface name; on success (11 counts as success) makes the
    // link facade when there is none. Answers the driver's result, 11 as 0.
    virtual DWORD Initialise(const char* interfaceName, const char* const** channelList);
    virtual DWORD Select(DWORD index);
    virtual DWORD TestConfiguration();
    virtual const char* ConfigurationDialog(DWORD value, const char* iniFileName);
    virtual const char* GetConfiguration();
    virtual DWORD SetDriverConfiguration(const char* configuration);
    // Polls a pending answer (without the driver lock, pausing between
    // polls) for at most 20 seconds, then shows "Driver timeout setting
    // configuration." and answers 3.
    virtual WORD SetControllerConfiguration(const char* configuration);
    // The driver interface's twelfth slot, which no caller uses: answers 0.
    virtual DWORD Reserved() { return 0; }
    // Ends the link facade, the binding (terminate and unload), the transfer
    // object and the reply decoder, in that order. Answers 0.
    virtual DWORD Cleanup();
    // Frees a reply record of the reply decoder (nothing for none).
    virtual void FreeReply(EmuReplyPtr record);
    virtual const char* DllError(DWORD code);

    // The interface name given to Initialise (at most 257 characters).
    const char* InterfaceName() const { return m_interfaceName.c_str(); }
    // The last index given to Select, -1 before.
    int SelectedIndex() const { return m_selectedIndex; }
    CUleDrvMemory* Memory() const { return m_memory.get(); }

private:
    std::unique_ptr<CUleDriverDll> m_binding;
    std::unique_ptr<CUleDrvMemory> m_memory;
    std::string m_interfaceName;
    int m_selectedIndex = -1;
};

// The driver selection's creator of driver interfaces.
// Its first three slots answer null; CreateInterface is the fourth, so a
// caller that reaches it by slot finds it where it expects it.
class CUleDrvFactory {
public:
    virtual void* ReservedSlot0() { return nullptr; }
    virtual void* ReservedSlot1() { return nullptr; }
    virtual void* ReservedSlot2() { return nullptr; }
    // A new driver interface for the module at path, or null.
    virtual CUleDrvInterface* CreateInterface(const char* path);
    virtual ~CUleDrvFactory() = default;
};
