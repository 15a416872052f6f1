// Context help of the plug-in's dialogs, and the disable and enable
// operations its dialogs and controls share.
#include "util/dlg_with_help.h"

#include "platform/files.h"
#include "tests/support/help_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace utiltest;
using testsupport::TestUi;

// A dialog of the plug-in's kind: help asked for a control without an id of
// its own is answered without a pop-up.
class HelpDialog : public CDlgWithHelp {
public:
    HelpDialog() : CDlgWithHelp(kHelpDialog) {}

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* help) {
        if (help->iCtrlId == -1) {
            return TRUE;
        }
        return CDlgWithHelp::OnHelpInfo(help);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpDialog, CDlgWithHelp)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

class SharedEdit : public CEdit, public CWndControlBase {
public:
    SharedEdit() : CWndControlBase(this) {}
};

// What the dialog answers to WM_HELP for the control.
LRESULT AskHelp(HWND dialog, int control) {
    HELPINFO help{};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = control;
    help.hItemHandle = GetDlgItem(dialog, control);
    return SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}

// One test, as the help file beside the program is shared by every case.
TEST(DialogHelp, APopUpFromTheModulesHelpFileOnlyWhenTheFileIsThere) {
    TestUi ui;
    testsupport::HelpFile file("util_tests");
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    const LPSTR applicationHelp = app->m_pszHelpFilePath;
    const std::string applicationHelpText = applicationHelp != nullptr ? applicationHelp : "";
    constexpr DWORD kContext = 0x812C03E9;  // template 300, control 1001

    ui.OnDialog(kHelpDialog)
        .Do([&](platform::UiDialog& shown) {
            EXPECT_EQ(AskHelp(shown.Window(), kHelpField), FALSE);  // no help file yet
            EXPECT_TRUE(ui.HelpCalls().empty());
            file.Create();
            EXPECT_EQ(AskHelp(shown.Window(), kHelpField), TRUE);
            ASSERT_EQ(ui.HelpCalls().size(), 1u);
            // The application's help file was the module's for the call only.
            EXPECT_EQ(app->m_pszHelpFilePath, applicationHelp);
            EXPECT_EQ(std::string(app->m_pszHelpFilePath != nullptr ? app->m_pszHelpFilePath : ""),
                      applicationHelpText);
            EXPECT_EQ(AskHelp(shown.Window(), kUnnamedLabel), TRUE);  // answered, nothing shown
            EXPECT_EQ(ui.HelpCalls().size(), 1u);
        })
        .Help(kHelpField)  // F1 on the field
        .Help(kUnnamedLabel)
        .PressOk();
    HelpDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);

    const auto calls = ui.HelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call.kind, platform::HelpKind::WinHelp);
        EXPECT_EQ(call.file, file.Path());
        EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTEXTPOPUP));
        EXPECT_EQ(call.data, kContext);
    }
}

TEST(DialogHelp, DialogsAndControlsDisableAndEnableTheirWindows) {
    TestUi ui;
    HelpDialog dialog;
    SharedEdit field;
    ui.OnDialog(kHelpDialog)
        .Do([&](platform::UiDialog& shown) {
            ASSERT_TRUE(field.SubclassDlgItem(kHelpField, &dialog));
            CWndControlBase* const parts[] = {&dialog, &field};
            for (CWndControlBase* part : parts) {
                part->Disable();
            }
            EXPECT_FALSE(IsWindowEnabled(shown.Window()));
            EXPECT_FALSE(shown.IsEnabled(kHelpField));
            for (CWndControlBase* part : parts) {
                part->Enable();
            }
            EXPECT_TRUE(IsWindowEnabled(shown.Window()));
            EXPECT_TRUE(shown.IsEnabled(kHelpField));
        })
        .PressOk();
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace
