#include "hostui/host_ui_manager.h"
#include "plugin/target_app.h"

#include "sim/host/sim_host.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ComponentApp, InitialisationCutsTheHelpPathToTheModuleFolder) {
    CTargetApp& app = GetTargetApp();
    ASSERT_NE(app.m_pszHelpFilePath, nullptr);
    EXPECT_TRUE(app.InitInstance());
    EXPECT_EQ(std::string(app.m_pszHelpFilePath), testing_support::ProgramFolder());
    EXPECT_EQ(g_componentApp, &app);
}

TEST(ComponentApp, TheUiManagerIsMadeOnceAndOnlyWithAHost) {
    CTargetApp& app = GetTargetApp();
    EXPECT_EQ(app.GetUiManager(nullptr), nullptr);
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CHostUiManager* manager = app.GetUiManager(&host);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->GetHost(), &host);
    EXPECT_EQ(app.GetUiManager(&host), manager);
    EXPECT_EQ(app.GetUiManager(nullptr), manager);
    // The module's unloading takes the manager with it: a host that loads the
    // module again gets a manager of its own.
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(app.GetUiManager(nullptr), nullptr);
}

}  // namespace
