#include "link/driver_list.h"

#include "link/ule_driver_dll.h"
#include "link/ule_drv_interface.h"
#include "res/resource_ids.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "util/string_numbers.h"
#include "frame/target_access.h"

#include "platform/crt.h"
#include "platform/crt_strings.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/ui.h"

#include <cstring>

CDriverList* g_driverList = nullptr;
CUleDrvFactory* g_driverFactory = nullptr;
CUleDrvInterface* g_currentDriver = nullptr;

namespace {

constexpr DWORD kDllError = 0x80040201;
constexpr char kSectionDrivers[] = "Driver Configuration";
constexpr char kSectionTarget[] = "Target";
constexpr char kNothingSaved[] = "none";
constexpr std::size_t kSavedValueSize = 256;
constexpr std::size_t kPathField = 260;
constexpr std::size_t kNameField = 128;
constexpr char kDriverType[] = "Driver";

// The text up to the first ',' from position, and where the next one starts
// (npos when there was no ',').
std::string Token(const std::string& text, std::size_t& position) {
    if (position == std::string::npos || position > text.size()) {
        position = std::string::npos;
        return {};
    }
    const std::size_t comma = text.find(',', position);
    std::string token = text.substr(position, comma == std::string::npos ? std::string::npos : comma - position);
    position = comma == std::string::npos ? std::string::npos : comma + 1;
    return token;
}

DWORD ShowNotConnected() {
    ShowTargetMessage(res_id::kEmulatorNotConnected, MB_ICONEXCLAMATION);
    return kDllError;
}

}  // namespace

CDriverList::~CDriverList() {
    ReleaseCurrentDriver();
}

bool CDriverList::Scan(HMODULE module) {
    m_records.clear();
    char modulePath[MAX_PATH] = {};
    if (GetModuleFileNameA(module, modulePath, MAX_PATH) == 0) {
        return false;
    }
    char drive[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    _splitpath(modulePath, drive, folder, nullptr, nullptr);
    const std::string searchFolder = std::string(drive) + folder;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((searchFolder + "*.DLL").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    do {
        AddDriver(searchFolder.c_str(), found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return !m_records.empty();
}

void CDriverList::AddDriver(const char* folder, const char* fileName) {
    const std::string path = std::string(folder) + fileName;
    // A path that does not fit the record could not be loaded again.
    if (path.size() >= kPathField) {
        return;
    }
    CUleDriverDll binding(path.c_str());
    if (!binding.IsUsable()) {
        return;
    }
    const char* type = nullptr;
    const char* name = nullptr;
    if (binding.LibraryType(&type) != 0 || type == nullptr || _stricmp(type, kDriverType) != 0 ||
        binding.LibraryName(&name) != 0 || name == nullptr) {
        return;
    }
    m_records.push_back({path, std::string(name).substr(0, kNameField - 1)});
}

std::string CDriverList::GetAt(WORD index) const {
    return index < m_records.size() ? m_records[index].name : std::string();
}

DWORD CDriverList::SelectDriver(WORD index) {
    // An interface still selected would be lost otherwise.
    ReleaseCurrentDriver();
    if (index < m_records.size() && g_driverFactory != nullptr) {
        m_selectedIndex = index;
        g_currentDriver = g_driverFactory->CreateInterface(m_records[index].path.c_str());
    }
    if (g_currentDriver != nullptr) {
        SetTargetDriverName(m_records[index].name.c_str());
        if (const DWORD loaded = LoadDefaults(m_records[index].name.c_str()); loaded != 0) {
            return loaded;
        }
    }
    return g_currentDriver != nullptr ? 0 : kDllError;
}

DWORD CDriverList::LoadDefaults(const char* driverName) {
    if (g_currentDriver == nullptr || m_selectedIndex < 0) {
        return kDllError;
    }
    char saved[kSavedValueSize] = {};
    SessionIniGetString(kSectionDrivers, driverName, kNothingSaved, saved, sizeof(saved));
    const std::string text = saved;
    if (text == kNothingSaved) {
        return InitialiseFromDriver();
    }
    std::size_t position = 0;
    const std::string interfaceName = Token(text, position);
    if (interfaceName.empty()) {
        return InitialiseFromDriver();
    }
    const char* const* channels = nullptr;
    if (g_currentDriver->Initialise(interfaceName.c_str(), &channels) != 0) {
        return ShowNotConnected();
    }
    if (channels != nullptr) {
        // A single channel needs no choice.
        m_configurationKind = channels[0] == nullptr || channels[1] == nullptr ? kKindReady : kKindNeedsDialog;
    }
    const std::string index = Token(text, position);
    if (index.empty()) {
        return InitialiseFromDriver();
    }
    if (g_currentDriver->Select(static_cast<DWORD>(ReadInt(index.c_str()))) != 0) {
        return ShowNotConnected();
    }
    if (position == std::string::npos || position >= text.size()) {
        return 0;
    }
    const std::string configuration = text.substr(position);
    if (g_currentDriver->SetControllerConfiguration(configuration.c_str()) != 0) {
        return ShowNotConnected();
    }
    g_currentDriver->SetDriverConfiguration(configuration.c_str());
    return 0;
}

DWORD CDriverList::InitialiseFromDriver() {
    const char* identify = g_currentDriver->Identify();
    if (identify == nullptr) {
        return kDllError;
    }
    std::size_t position = 0;
    const std::string interfaceName = Token(identify, position);
    if (interfaceName.empty()) {
        return kDllError;
    }
    const char* const* channels = nullptr;
    if (g_currentDriver->Initialise(interfaceName.c_str(), &channels) != 0) {
        return ShowNotConnected();
    }
    g_currentDriver->Select(0);
    SaveSelection();
    return 0;
}

int CDriverList::SaveSelection() {
    if (g_currentDriver == nullptr || m_selectedIndex < 0 ||
        static_cast<std::size_t>(m_selectedIndex) >= m_records.size()) {
        return 0;
    }
    const std::string& name = m_records[static_cast<std::size_t>(m_selectedIndex)].name;
    if (name.empty()) {
        return 0;
    }
    const std::string value = std::string(g_currentDriver->InterfaceName()) + "," +
                              std::to_string(g_currentDriver->SelectedIndex()) + "," +
                              g_currentDriver->GetConfiguration();
    SessionIniWriteString(kSectionDrivers, name.c_str(), value.c_str());
    SessionIniWriteString(kSectionTarget, GetTargetSystemName(), name.c_str());
    return 1;
}

void CDriverList::ReleaseCurrentDriver() {
    if (g_currentDriver != nullptr) {
        delete g_currentDriver;
        g_currentDriver = nullptr;
        m_selectedIndex = -1;
    }
}
