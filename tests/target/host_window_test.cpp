#include "config/host_window.h"

#include "frame/dlg_connection.h"
#include "config/settings_files.h"

#include "platform/afx.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

namespace {

using testsupport::TestUi;

HWND NewTopLevelWindow(const char* title) {
    return CreateWindowExA(0, nullptr, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// One walk through the owners in their order of precedence; the remembered
// main window lives for the process, so the steps share one test.
TEST(HostMainWindow, PreferredThenConnectingDialogThenMainWindowThenTheRememberedOne) {
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    app->m_pMainWnd = &frame;

    const HWND preferred = NewTopLevelWindow("start-up");
    SetPreferredOwnerWindow(preferred);
    EXPECT_EQ(GetHostMainWindow(), preferred);

    CDlgConnection connecting(nullptr, UINT{6005});
    ASSERT_TRUE(connecting.CreateEx(0, nullptr, "Connecting", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    SetOpenConnectionDialog(&connecting);
    EXPECT_EQ(GetHostMainWindow(), preferred);  // the preferred owner comes first while it lives
    DestroyWindow(preferred);
    EXPECT_EQ(GetHostMainWindow(), connecting.m_hWnd);
    SetOpenConnectionDialog(nullptr);
    connecting.DestroyWindow();

    // The main window is found, and kept for when the application has none.
    EXPECT_EQ(GetHostMainWindow(), frame.m_hWnd);
    app->m_pMainWnd = nullptr;
    EXPECT_EQ(GetHostMainWindow(), frame.m_hWnd);

    TestUi ui;
    ui.AnswerNextMessageBox(IDOK);
    ShowTargetError("owned", MB_OK);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].owner, frame.m_hWnd);
    frame.DestroyWindow();
}

}  // namespace
