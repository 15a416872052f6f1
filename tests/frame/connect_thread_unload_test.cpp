// A module unloaded at once after a connect: its connect thread, still running
// the module's code as the connecting dialog goes, has ended by then.
#include "platform/module.h"
#include "platform/sync.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectThreadLifetime, AModuleUnloadedRightAfterAConnectHasNoThreadLeftInIt) {
    HMODULE module = LoadLibraryA("ConnectingTestModule.dll");
    ASSERT_NE(module, nullptr);
    const auto connect = platform::GetProcAddressAs<DWORD (*)(HANDLE, int*)>(module, "ConnectingTestConnect");
    ASSERT_NE(connect, nullptr);
    const HANDLE resultIn = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    testsupport::TestUi ui;
    ui.OnDialog("Connecting").Do([resultIn](platform::UiDialog&) { WaitForSingleObject(resultIn, INFINITE); }).Close();

    int tailSteps = 0;
    EXPECT_EQ(connect(resultIn, &tailSteps), 1u);
    // The thread went on after the dialog had closed, and had finished before
    // the connect returned.
    EXPECT_EQ(tailSteps, 100000);
    EXPECT_TRUE(FreeLibrary(module));
    CloseHandle(resultIn);
}

}  // namespace
