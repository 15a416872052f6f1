// The Setup menu on the real road: the simulated host's console chooses the
// plug-in's menu commands while a target session runs on the simulated
// emulator's module with the demo device, and answers the sheets they open.
#include "tests/road/road_session.h"

#include "sim/host/console.h"

#include "frame/target_memory.h"
#include "tests/support/html_help_control.h"
#include "tests/support/registry_lock.h"

#include "platform/profile.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

namespace {

class SetupMenuRoad : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseDemoEmulator());
        ASSERT_EQ(StartOnGroup("VK31X", 0x0900), S_OK);
    }

    // The console's lines for the commands; the person answers every dialog
    // with the given answers, in order.
    std::string Choose(std::initializer_list<const char*> commands, const std::string& answers = {}) {
        std::istringstream in(answers);
        std::ostringstream out;
        simhost::Console console(*host_, in, out, true);
        for (const char* command : commands) {
            console.Execute(command);
        }
        return out.str();
    }
};

TEST_F(SetupMenuRoad, TheSetupCommandsOpenTheirSheetsAndStartStopNeedsADeviceThatHasIt) {
    const std::string out = Choose({"menu 32773", "menu 32869", "menu 32870"}, "cancel\ncancel\n");
    EXPECT_NE(out.find("menu 32773: chosen"), std::string::npos) << out;
    EXPECT_NE(out.find("[property sheet \"Configuration\", page 1 of 1 \"General\""), std::string::npos) << out;
    EXPECT_NE(out.find("menu 32869: chosen"), std::string::npos) << out;
    EXPECT_NE(out.find("[property sheet \"Emulator Setting\", page 1 of 3"), std::string::npos) << out;
    // The demo device has no start and stop functions.
    EXPECT_NE(out.find("menu 32870: disabled"), std::string::npos) << out;
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// The Configuration sheet's device entry names the device the session uses,
// as the device command and the Emulator Setting sheet do. (It showed a part
// number of the family, whatever the session's device.)
TEST_F(SetupMenuRoad, TheConfigurationSheetNamesTheDeviceTheSessionUses) {
    const std::string out = Choose({"menu 32773", "menu 32869", "cmd de"}, "cancel\ncancel\n");
    EXPECT_NE(out.find("1003 combo box \"VK31D16\" items: *VK31D16\n  -1 static \"Emulation mode:\""),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("1222 combo box \"VK31D16\" items: *VK31D16 (disabled)"), std::string::npos) << out;
    EXPECT_NE(out.find("Current device = VK31D16"), std::string::npos) << out;
}

TEST_F(SetupMenuRoad, WhileTheProgramRunsOrADownloadIsOpenOnlyTheHelpIsChosen) {
    testing_support::RegistryLock lock;
    testing_support::HtmlHelpControlRegistration control(testing_support::HtmlHelpTestControl());
    ASSERT_EQ(exec_->Go(), S_OK);
    testing_support::YieldWhile([&] { return Handler().IsWaiting() == 0; });
    ASSERT_EQ(Handler().IsWaiting(), 1u);
    const std::string running = Choose({"menu 32773", "menu 32869", "menu 32778"});
    ASSERT_EQ(exec_->Halt(), S_OK);
    testing_support::YieldWhile([&] { return Busy(); });
    ASSERT_FALSE(Busy());
    EXPECT_NE(running.find("menu 32773: disabled"), std::string::npos) << running;
    EXPECT_NE(running.find("menu 32869: disabled"), std::string::npos) << running;
    EXPECT_NE(running.find("menu 32778: chosen"), std::string::npos) << running;

    CTargetMemory* memory = target_->GetMemoryHandler();
    ASSERT_EQ(memory->OnDownload(0xFFFF), S_OK);
    const std::string downloading = Choose({"menu 32773", "menu 32869", "menu 32778"});
    ASSERT_EQ(memory->OnDownload(0), S_OK);
    EXPECT_NE(downloading.find("menu 32773: disabled"), std::string::npos) << downloading;
    EXPECT_NE(downloading.find("menu 32869: disabled"), std::string::npos) << downloading;
    EXPECT_NE(downloading.find("menu 32778: chosen"), std::string::npos) << downloading;

    // Afterwards they are chosen again.
    const std::string after = Choose({"menu 32773"}, "cancel\n");
    EXPECT_NE(after.find("menu 32773: chosen\n[property sheet \"Configuration\""), std::string::npos) << after;
}

}  // namespace
