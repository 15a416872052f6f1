// The target's choice of the emulator driver at connect.
#include "target/target_vk3.h"

#include "link/driver_list.h"
#include "link/ule_drv_interface.h"
#include "startup/driver_select_dlg.h"
#include "config/host_window.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include "platform/ui.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace {

constexpr char kNothingSaved[] = "none";
constexpr std::size_t kSavedNameSize = 257;

// The only driver's only interface: true when its single channel is chosen,
// false when the user must choose; nothing for a failure.
std::optional<bool> TakeOnlyInterface() {
    const std::string interfaces = g_currentDriver->Identify();
    if (interfaces.find(',') != std::string::npos) {
        return false;
    }
    const char* const* channels = nullptr;
    if (g_currentDriver->Initialise(interfaces.c_str(), &channels) != 0 || channels == nullptr ||
        channels[0] == nullptr) {
        return std::nullopt;
    }
    if (channels[1] != nullptr) {
        return false;
    }
    static_cast<void>(g_currentDriver->Select(0));  // a refused channel shows when the link opens
    return true;
}

}  // namespace

DWORD CTargetComponentBase::SelectEmulatorDriver() {
    if (g_driverFactory == nullptr) {
        g_driverFactory = new (std::nothrow) CUleDrvFactory;
    }
    if (g_driverList == nullptr) {
        g_driverList = new (std::nothrow) CDriverList;
    }
    // A failure answers 0 and nothing more: the handlers stay for the host's
    // UI thread, which may still call them, until the failed connect's
    // caller tears the target down.
    if (g_driverFactory == nullptr || g_driverList == nullptr) {
        return 0;
    }
    char saved[kSavedNameSize] = "";
    SessionIniGetString("Target", GetTargetSystemName(), kNothingSaved, saved, sizeof(saved));
    SetDriverName(saved);
    if (!g_driverList->Scan(m_moduleInstance)) {
        static_cast<void>(ShowTargetError("No valid driver DLLs exist", MB_ICONEXCLAMATION));  // OK only
        return 0;
    }
    bool choose = true;
    if (std::strcmp(saved, kNothingSaved) == 0) {
        if (g_driverList->GetCount() == 1) {
            if (g_driverList->SelectDriver(0) != 0) {
                return 0;
            }
            const std::optional<bool> taken = TakeOnlyInterface();
            if (!taken) {
                return 0;
            }
            choose = !*taken;
        }
    } else {
        for (WORD i = 0; i < g_driverList->GetCount(); ++i) {
            if (g_driverList->GetAt(i) == saved) {
                if (g_driverList->SelectDriver(i) != 0) {
                    return 0;
                }
                break;
            }
        }
        choose = g_driverList->ConfigurationKind() != CDriverList::kKindReady;
    }
    if (choose) {
        static_cast<void>(ShowTargetError("Please choose driver.", MB_OK));  // OK only
        CDriverSelectDlg dialog(CWnd::FromHandle(GetHostMainWindow()));
        if (dialog.DoModalChecked() != IDOK || g_currentDriver == nullptr) {
            return 0;
        }
    }
    if (g_currentDriver == nullptr) {
        return 0;
    }
    static_cast<void>(g_driverList->SaveSelection());  // nothing to save is no failure
    return 1;
}
