#include "util/dlg_with_help.h"

#include "util/path_files.h"
#include "util/path_split.h"

#include "platform/module.h"

#include <string>

namespace {

constexpr DWORD kContextIdBase = 0x80000000u;

// The application's help-file path, changed for a scope and put back on
// every exit.
class HelpFileScope {
public:
    HelpFileScope(CWinApp& app, std::string path) : m_app(app), m_previous(app.m_pszHelpFilePath), m_path(std::move(path)) {
        m_app.m_pszHelpFilePath = m_path.data();
    }
    ~HelpFileScope() { m_app.m_pszHelpFilePath = m_previous; }
    HelpFileScope(const HelpFileScope&) = delete;
    HelpFileScope& operator=(const HelpFileScope&) = delete;

private:
    CWinApp& m_app;
    LPSTR m_previous;
    std::string m_path;
};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgWithHelp, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CDlgWithHelp::CDlgWithHelp(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), CWndControlBase(this), m_templateId(templateId) {}

BOOL CDlgWithHelp::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, m_templateId, help);
}

BOOL ShowControlHelp(CWnd& window, DWORD templateId, const HELPINFO* help) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CWinApp* app = AfxGetApp();
    char modulePath[MAX_PATH] = {};
    GetModuleFileNameA(AfxGetInstanceHandle(), modulePath, MAX_PATH);
    if (help == nullptr || app == nullptr || modulePath[0] == '\0') {
        return FALSE;
    }
    const CString helpPath = CombinePath(GetPathFolder(modulePath), GetPathTitle(modulePath) + ".hlp");
    if (!ResolveAndTestPath(helpPath)) {
        return FALSE;
    }
    const DWORD contextId = kContextIdBase + templateId * 0x10000u + static_cast<DWORD>(help->iCtrlId);
    HelpFileScope scope(*app, helpPath.Str());
    window.WinHelp(contextId, HELP_CONTEXTPOPUP);
    return TRUE;
}
