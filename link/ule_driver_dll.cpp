#include "link/ule_driver_dll.h"

#include "link/link_results.h"

#include "platform/debug.h"
#include "platform/module.h"

#include <string>

namespace {

// The empty texts of the text-answering wrappers, one each, so that a caller
// that writes into one cannot change another's answer.
char g_emptyIdentify[1] = "";
char g_emptyConfigurationDialog[1] = "";
char g_emptyConfiguration[1] = "";
char g_emptyDllError[1] = "";

template <typename Function>
void Resolve(HMODULE module, const char* name, Function& slot, std::vector<std::string>& missing, bool required) {
    slot = platform::GetProcAddressAs<Function>(module, name);
    if (slot == nullptr && required) {
        missing.emplace_back(name);
    }
}

}  // namespace

CUleDriverDll::CUleDriverDll(const char* path) {
    m_initialised = 0;
    m_module = LoadLibraryA(path);
    if (m_module == nullptr) {
        return;
    }
    Bind();
    if (!m_missing.empty()) {
        // The driver list skips such a module; the debugger output says why.
        std::string text = std::string("Driver module ") + path + " lacks";
        for (const std::string& name : m_missing) {
            text += " " + name;
        }
        text += "; nothing bound.\n";
        OutputDebugStringA(text.c_str());
        ClearRequired();
    }
}

void CUleDriverDll::Bind() {
    HMODULE m = m_module;
    std::vector<std::string>& missing = m_missing;
    Resolve(m, "ULE_Identify", m_identify, missing, true);
    Resolve(m, "ULE_Initialise", m_initialise, missing, true);
    Resolve(m, "ULE_Select", m_select, missing, true);
    Resolve(m, "ULE_Terminate", m_terminate, missing, true);
    Resolve(m, "ULE_TestConfiguration", m_testConfiguration, missing, true);
    Resolve(m, "ULE_ConfigurationDialog", m_configurationDialog, missing, true);
    Resolve(m, "ULE_GetConfiguration", m_getConfiguration, missing, true);
    Resolve(m, "ULE_SetDriverConfiguration", m_setDriverConfiguration, missing, true);
    Resolve(m, "ULE_SetControllerConfiguration", m_setControllerConfiguration, missing, true);
    Resolve(m, "ULE_WriteMemory", m_writeMemory, missing, true);
    Resolve(m, "ULE_ReadMemory", m_readMemory, missing, true);
    Resolve(m, "X_PDI_TX", m_transmit, missing, true);
    Resolve(m, "H_SCI_RX", m_receive, missing, true);
    Resolve(m, "AUD_TraceRead", m_audTraceRead, missing, false);
    Resolve(m, "ULE_Poll", m_poll, missing, true);
    Resolve(m, "ULE_DLLError", m_dllError, missing, true);
    Resolve(m, "LibraryVersion", m_libraryVersion, missing, true);
    Resolve(m, "LibraryType", m_libraryType, missing, true);
    Resolve(m, "LibraryName", m_libraryName, missing, true);
    Resolve(m, "Set_Timeout", m_setTimeout, missing, true);
    Resolve(m, "Q5t_WriteMemory", m_writeQ5tMemory, missing, true);
    Resolve(m, "Q5t_ReadMemory", m_readQ5tMemory, missing, true);
    Resolve(m, "SumCheck", m_sumCheck, missing, true);
    Resolve(m, "MonpOpen", m_monpOpen, missing, true);
    Resolve(m, "ProgDownload", m_progDownload, missing, true);
    Resolve(m, "PreEraseWrite_Erase", m_preEraseWrite, missing, true);
    Resolve(m, "AdapterProgramDownload", m_adapterProgramDownload, missing, true);
}

// Every entry point but the optional AUD_TraceRead.
void CUleDriverDll::ClearRequired() {
    m_identify = nullptr;
    m_initialise = nullptr;
    m_select = nullptr;
    m_terminate = nullptr;
    m_testConfiguration = nullptr;
    m_configurationDialog = nullptr;
    m_getConfiguration = nullptr;
    m_setDriverConfiguration = nullptr;
    m_setControllerConfiguration = nullptr;
    m_writeMemory = nullptr;
    m_readMemory = nullptr;
    m_transmit = nullptr;
    m_receive = nullptr;
    m_poll = nullptr;
    m_dllError = nullptr;
    m_libraryType = nullptr;
    m_libraryName = nullptr;
    m_libraryVersion = nullptr;
    m_setTimeout = nullptr;
    m_writeQ5tMemory = nullptr;
    m_readQ5tMemory = nullptr;
    m_sumCheck = nullptr;
    m_monpOpen = nullptr;
    m_progDownload = nullptr;
    m_preEraseWrite = nullptr;
    m_adapterProgramDownload = nullptr;
}

CUleDriverDll::~CUleDriverDll() {
    if (m_module != nullptr && m_libraryType != nullptr && m_initialised != 0) {
        Terminate();
    }
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
    ClearRequired();
}

const char* CUleDriverDll::Identify() {
    return m_identify != nullptr ? m_identify() : g_emptyIdentify;
}

DWORD CUleDriverDll::Initialise(const char* interfaceName, const char* const** channelList) {
    if (m_initialise == nullptr) {
        return driver_result::kNotBound;
    }
    // Marked before the call: a driver that fails half-way still gets its
    // ULE_Terminate when the binding goes.
    m_initialised = 1;
    return m_initialise(interfaceName, channelList);
}

DWORD CUleDriverDll::Select(DWORD index) {
    return m_select != nullptr ? m_select(index) : driver_result::kNotBound;
}

DWORD CUleDriverDll::Terminate() {
    m_initialised = 0;
    return m_terminate != nullptr ? m_terminate() : driver_result::kNotBound;
}

DWORD CUleDriverDll::TestConfiguration() {
    return m_testConfiguration != nullptr ? m_testConfiguration() : driver_result::kNotBound;
}

const char* CUleDriverDll::ConfigurationDialog(DWORD value, const char* iniFileName) {
    return m_configurationDialog != nullptr ? m_configurationDialog(value, iniFileName) : g_emptyConfigurationDialog;
}

const char* CUleDriverDll::GetConfiguration() {
    return m_getConfiguration != nullptr ? m_getConfiguration() : g_emptyConfiguration;
}

DWORD CUleDriverDll::SetDriverConfiguration(const char* configuration) {
    return m_setDriverConfiguration != nullptr ? m_setDriverConfiguration(configuration) : driver_result::kNotBound;
}

DWORD CUleDriverDll::SetControllerConfiguration(const char* configuration) {
    return m_setControllerConfiguration != nullptr ? m_setControllerConfiguration(configuration)
                                                   : driver_result::kNotBound;
}

DWORD CUleDriverDll::WriteMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return m_writeMemory != nullptr ? m_writeMemory(channel, buffer, address, count) : driver_result::kNotBound;
}

DWORD CUleDriverDll::ReadMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return m_readMemory != nullptr ? m_readMemory(channel, buffer, address, count) : driver_result::kNotBound;
}

DWORD CUleDriverDll::XPdiTransmit(WORD count, BYTE* buffer, WORD reserved, BYTE flag) {
    return m_transmit != nullptr ? m_transmit(count, buffer, reserved, flag) : driver_result::kNotBound;
}

DWORD CUleDriverDll::SciReceive(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag) {
    return m_receive != nullptr ? m_receive(reserved, buffer, reserved2, flag) : driver_result::kNotBound;
}

DWORD CUleDriverDll::AudTraceRead(DWORD first, DWORD second, WORD third, BYTE fourth) {
    return m_audTraceRead != nullptr ? m_audTraceRead(first, second, third, fourth) : driver_result::kNotBound;
}

DWORD CUleDriverDll::Poll() {
    return m_poll != nullptr ? m_poll() : driver_result::kNotBound;
}

const char* CUleDriverDll::DllError(DWORD code) {
    return m_dllError != nullptr ? m_dllError(code) : g_emptyDllError;
}

DWORD CUleDriverDll::LibraryType(const char** text) {
    return m_libraryType != nullptr ? m_libraryType(text) : driver_result::kNotBound;
}

DWORD CUleDriverDll::LibraryName(const char** text) {
    return m_libraryName != nullptr ? m_libraryName(text) : driver_result::kNotBound;
}

DWORD CUleDriverDll::LibraryVersion(const char** text) {
    return m_libraryVersion != nullptr ? m_libraryVersion(text) : driver_result::kNotBound;
}

DWORD CUleDriverDll::SetTimeout(DWORD value) {
    return m_setTimeout != nullptr ? m_setTimeout(value) : driver_result::kNotBound;
}

DWORD CUleDriverDll::WriteQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag) {
    return m_writeQ5tMemory != nullptr ? m_writeQ5tMemory(channel, buffer, address, count, flag)
                                       : driver_result::kNotBound;
}

DWORD CUleDriverDll::ReadQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return m_readQ5tMemory != nullptr ? m_readQ5tMemory(channel, buffer, address, count) : driver_result::kNotBound;
}

DWORD CUleDriverDll::SumCheck(DWORD value) {
    return m_sumCheck != nullptr ? m_sumCheck(value) : driver_result::kNotBound;
}

DWORD CUleDriverDll::MonpOpen(DWORD value) {
    return m_monpOpen != nullptr ? m_monpOpen(value) : driver_result::kNotBound;
}

DWORD CUleDriverDll::ProgDownload(WORD length, DWORD startAddress, WORD sum) {
    return m_progDownload != nullptr ? m_progDownload(length, startAddress, sum) : driver_result::kNotBound;
}

DWORD CUleDriverDll::PreEraseWrite_Erase(BYTE mode, DWORD value) {
    return m_preEraseWrite != nullptr ? m_preEraseWrite(mode, value) : driver_result::kNotBound;
}

DWORD CUleDriverDll::AdapterProgramDownload(DWORD address, DWORD stagingAddress, WORD sum) {
    return m_adapterProgramDownload != nullptr ? m_adapterProgramDownload(address, stagingAddress, sum)
                                               : driver_result::kNotBound;
}
