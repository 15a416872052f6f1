#include "plugin/wsclient_vk3.h"

#include "plugin/setup_commands.h"
#include "res/resource_ids.h"
#include "config/module_folder.h"
#include "target/target_vk3.h"
#include "util/html_help.h"

#include <string>

namespace {

constexpr char kDebugToolbarCaption[] = "Debug";
constexpr char kEmulatorHelpFile[] = "Emulator.chm";

// Opens a Setup command's sheet, when the target has what opens it.
void RunSetup(UINT command) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    RunSetupCommand(*GetTarget(), command);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWSClientVk3, CInstanceDataContainerWnd)
    ON_WM_CREATE()
    ON_COMMAND(res_id::kCmdSystemSetup, OnSystemSetup)
    ON_COMMAND(res_id::kCmdEmulatorSetting, OnEmulatorSetting)
    ON_COMMAND(res_id::kCmdStartStopSetting, OnStartStopSetting)
    ON_COMMAND(res_id::kCmdEmulatorHelp, OnEmulatorHelp)
    ON_UPDATE_COMMAND_UI(res_id::kCmdSystemSetup, OnUpdateSetupCommand)
    ON_UPDATE_COMMAND_UI(res_id::kCmdEmulatorSetting, OnUpdateSetupCommand)
    ON_UPDATE_COMMAND_UI(res_id::kCmdStartStopSetting, OnUpdateSetupCommand)
    ON_UPDATE_COMMAND_UI(res_id::kCmdEmulatorHelp, OnUpdateEmulatorHelp)
END_MESSAGE_MAP()

HRESULT CWSClientVk3::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHWorkSpaceClient)) {
        *object = static_cast<IHWorkSpaceClient*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

int CWSClientVk3::OnCreate(LPCREATESTRUCT create) {
    if (CWnd::OnCreate(create) == -1) {
        return -1;
    }
    if (m_uiManager == nullptr) {
        return 0;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const HINSTANCE instance = AfxGetResourceHandle();
    const DWORD owner = m_ownerId1;
    const CLSID* clsid = &CLSID_Q3vVk3UiComponent;
    // What the host refuses is not recorded, so not withdrawn either: the
    // window works without its registrations.
    static_cast<void>(m_uiManager->AddMenu(instance, res_id::kUiMenu, owner, clsid));
    static_cast<void>(m_uiManager->AddWindow(owner, clsid, m_hWnd));
    static_cast<void>(m_uiManager->AddResourceInstance(instance, owner, clsid));
    static_cast<void>(m_uiManager->AddToolbar(kHostDebugToolbarIdText, kDebugToolbarCaption, instance,
                                              res_id::kDebugToolbar, 0, owner, clsid));
    return 0;
}

void CWSClientVk3::OnSystemSetup() {
    RunSetup(res_id::kCmdSystemSetup);
}

void CWSClientVk3::OnEmulatorSetting() {
    RunSetup(res_id::kCmdEmulatorSetting);
}

void CWSClientVk3::OnStartStopSetting() {
    RunSetup(res_id::kCmdStartStopSetting);
}

void CWSClientVk3::OnEmulatorHelp() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const std::string path = GetModuleDirectory() + kEmulatorHelpFile;
    // HTML Help shows its own window; there is nothing to answer.
    static_cast<void>(LoadHtmlHelp(nullptr, path.c_str(), HH_DISPLAY_TOPIC, 0));
}

void CWSClientVk3::OnUpdateSetupCommand(CCmdUI* command) {
    command->Enable(IsSetupCommandEnabled(*GetTarget(), command->m_nID) ? TRUE : FALSE);
}

void CWSClientVk3::OnUpdateEmulatorHelp(CCmdUI* command) {
    command->Enable(TRUE);
}
