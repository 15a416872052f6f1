// CUleDriverDll: one loaded emulator driver module with its 27 entry points
// bound by name, and one wrapper per entry point, so that no other code calls
// a driver pointer directly.
//
// Binding is all or nothing: a module that does not load, or that lacks any
// required entry point, binds none of them (AUD_TraceRead alone is optional).
// The wrappers of an unbound entry point answer 5 (kNotBound), or an empty
// text for those that answer texts.
#pragma once

#include "link/ule_driver_functions.h"

#include <string>
#include <vector>

class CUleDriverDll {
public:
    explicit CUleDriverDll(const char* path);
    // Terminates a driver that was initialised, then unloads the module.
    virtual ~CUleDriverDll();
    CUleDriverDll(const CUleDriverDll&) = delete;
    CUleDriverDll& operator=(const CUleDriverDll&) = delete;

    // Usable: the module loaded and every required entry point is bound.
    bool IsUsable() const { return m_module != nullptr && m_libraryType != nullptr; }
    HMODULE Module() const { return m_module; }
    // The required entry points the module lacks (empty for a usable binding
    // and for a module that did not load).
    const std::vector<std::string>& MissingEntryPoints() const { return m_missing; }

    const char* Identify();
    DWORD Initialise(const char* interfaceName, const char* const** channelList);
    DWORD Select(DWORD index);
    DWORD Terminate();
    DWORD TestConfiguration();
    const char* ConfigurationDialog(DWORD value, const char* iniFileName);
    const char* GetConfiguration();
    DWORD SetDriverConfiguration(const char* configuration);
    DWORD SetControllerConfiguration(const char* configuration);
    DWORD WriteMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD ReadMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD XPdiTransmit(WORD count, BYTE* buffer, WORD reserved, BYTE flag);
    DWORD SciReceive(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag);
    DWORD AudTraceRead(DWORD first, DWORD second, WORD third, BYTE fourth);
    DWORD Poll();
    const char* DllError(DWORD code);
    DWORD LibraryType(const char** text);
    DWORD LibraryName(const char** text);
    DWORD LibraryVersion(const char** text);
    DWORD SetTimeout(DWORD value);
    DWORD WriteQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag);
    DWORD ReadQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count);
    DWORD SumCheck(DWORD value);
    DWORD MonpOpen(DWORD value);
    DWORD ProgDownload(WORD length, DWORD startAddress, WORD sum);
    DWORD PreEraseWrite_Erase(BYTE mode, DWORD value);
    DWORD AdapterProgramDownload(DWORD address, DWORD stagingAddress, WORD sum);

private:
    void Bind();
    void ClearRequired();

    HMODULE m_module = nullptr;
    DWORD m_initialised = 0;
    std::vector<std::string> m_missing;

    // The entry-point table, in the driver interface's order.
    UleIdentifyFn m_identify = nullptr;
    UleInitialiseFn m_initialise = nullptr;
    UleSelectFn m_select = nullptr;
    UleTerminateFn m_terminate = nullptr;
    UleTestConfigurationFn m_testConfiguration = nullptr;
    UleConfigurationDialogFn m_configurationDialog = nullptr;
    UleGetConfigurationFn m_getConfiguration = nullptr;
    UleSetDriverConfigurationFn m_setDriverConfiguration = nullptr;
    UleSetControllerConfigurationFn m_setControllerConfiguration = nullptr;
    UleWriteMemoryFn m_writeMemory = nullptr;
    UleReadMemoryFn m_readMemory = nullptr;
    XPdiTxFn m_transmit = nullptr;
    HSciRxFn m_receive = nullptr;
    AudTraceReadFn m_audTraceRead = nullptr;
    UlePollFn m_poll = nullptr;
    UleDllErrorFn m_dllError = nullptr;
    LibraryTextFn m_libraryType = nullptr;
    LibraryTextFn m_libraryName = nullptr;
    LibraryTextFn m_libraryVersion = nullptr;
    SetTimeoutFn m_setTimeout = nullptr;
    Q5tWriteMemoryFn m_writeQ5tMemory = nullptr;
    Q5tReadMemoryFn m_readQ5tMemory = nullptr;
    SumCheckFn m_sumCheck = nullptr;
    MonpOpenFn m_monpOpen = nullptr;
    ProgDownloadFn m_progDownload = nullptr;
    PreEraseWriteEraseFn m_preEraseWrite = nullptr;
    AdapterProgramDownloadFn m_adapterProgramDownload = nullptr;
};
