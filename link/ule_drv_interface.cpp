#include "link/ule_drv_interface.h"

#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/ule_driver_dll.h"
#include "link/ule_drv_memory.h"
#include "config/settings_files.h"

#include "platform/clock.h"
#include "platform/ui.h"

#include <new>

namespace {

// The interface-name field holds at most this many characters.
constexpr std::size_t kInterfaceNameLength = 257;
// How long a pending configuration is polled, and the pause between polls,
// in milliseconds.
constexpr DWORD kConfigurationLimit = 20000;
constexpr DWORD kConfigurationPollPause = 10;

char g_noText[1] = "";

}  // namespace

CUleDrvInterface::CUleDrvInterface(const char* path) {
    m_binding.reset(new (std::nothrow) CUleDriverDll(path));
    if (m_binding == nullptr) {
        return;
    }
    m_memory = std::make_unique<CUleDrvMemory>(m_binding.get());
    if (g_emuResponse == nullptr) {
        g_emuResponse = new CEmuResponse;
    }
}

CUleDrvInterface::~CUleDrvInterface() {
    Cleanup();
}

bool CUleDrvInterface::IsBound() const {
    return m_binding != nullptr && m_binding->IsUsable();
}

const char* CUleDrvInterface::Identify() {
    return m_binding != nullptr ? m_binding->Identify() : g_noText;
}

DWORD CUleDrvInterface::LibraryName(const char** text) {
    if (m_binding == nullptr) {
        *text = g_noText;
        return 0;
    }
    return m_binding->LibraryName(text);
}

DWORD CUleDrvInterface::Initialise(const char* interfaceName, const char* const** channelList) {
    if (m_binding == nullptr) {
        return 0;
    }
    m_interfaceName = std::string(interfaceName != nullptr ? interfaceName : "").substr(0, kInterfaceNameLength);
    DWORD result = m_binding->Initialise(interfaceName, channelList);
    if (result == driver_result::kAlreadyInitialised) {
        result = driver_result::kOk;
    }
    if (result == driver_result::kOk) {
        if (g_emulatorLink == nullptr) {
            g_emulatorLink = new CEmulatorLink(m_memory.get());
        }
        g_cardDriverFlag = 0;
    }
    return result;
}

DWORD CUleDrvInterface::Select(DWORD index) {
    if (m_binding == nullptr) {
        return 0;
    }
    m_selectedIndex = static_cast<int>(index);
    return m_binding->Select(index);
}

DWORD CUleDrvInterface::TestConfiguration() {
    return m_binding != nullptr ? m_binding->TestConfiguration() : 0;
}

const char* CUleDrvInterface::ConfigurationDialog(DWORD value, const char* iniFileName) {
    return m_binding != nullptr ? m_binding->ConfigurationDialog(value, iniFileName) : g_noText;
}

const char* CUleDrvInterface::GetConfiguration() {
    return m_binding != nullptr ? m_binding->GetConfiguration() : g_noText;
}

DWORD CUleDrvInterface::SetDriverConfiguration(const char* configuration) {
    return m_binding != nullptr ? m_binding->SetDriverConfiguration(configuration) : 0;
}

WORD CUleDrvInterface::SetControllerConfiguration(const char* configuration) {
    if (m_binding == nullptr) {
        return 0;
    }
    WORD result = static_cast<WORD>(m_binding->SetControllerConfiguration(configuration));
    if (result != driver_result::kPending) {
        return result;
    }
    const DWORD start = GetTickCount();
    while (true) {
        result = static_cast<WORD>(m_binding->Poll());
        if (result != driver_result::kPending) {
            return result;
        }
        if (GetTickCount() - start >= kConfigurationLimit) {
            ShowTargetError("Driver timeout setting configuration.", MB_ICONEXCLAMATION);
            return driver_result::kPending;
        }
        Sleep(kConfigurationPollPause);
    }
}

DWORD CUleDrvInterface::Cleanup() {
    if (g_emulatorLink != nullptr) {
        delete g_emulatorLink;
        g_emulatorLink = nullptr;
    }
    m_binding.reset();
    m_memory.reset();
    if (g_emuResponse != nullptr) {
        delete g_emuResponse;
        g_emuResponse = nullptr;
    }
    return 0;
}

void CUleDrvInterface::FreeReply(EmuReplyPtr record) {
    record.reset();
}

const char* CUleDrvInterface::DllError(DWORD code) {
    return m_binding != nullptr ? m_binding->DllError(code) : g_noText;
}

CUleDrvInterface* CUleDrvFactory::CreateInterface(const char* path) {
    return new (std::nothrow) CUleDrvInterface(path);
}
