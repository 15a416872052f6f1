// The Setup menu on the real road: the simulated host's console chooses the
// plug-in's menu commands while a target session runs on the simulated
// emulator's module with the demo device, and answers the sheets they open.
#include "sim/host/console.h"
#include "sim/host/sim_host.h"

#include "frame/target_memory.h"
#include "res/resource_ids.h"
#include "target/target_exec_vk3.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/html_help_control.h"
#include "tests/support/registry_lock.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/profile.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr char kDefaults[] =
    "device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=50;lockout=3;"
    "flashbusy=0;channels=1;interfaces=1";

class SetupMenuRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(emutest::Module().error.empty()) << emutest::Module().error;
        auto& control = emutest::Module().control;
        ASSERT_EQ(control.reset(), Q3V_SIM_OK);
        ASSERT_EQ(control.configure(kDefaults), Q3V_SIM_OK);
        for (const auto& [address, byte] : emutest::LoadSRecords("Vk3Demo.mot")) {
            ASSERT_EQ(control.writeTarget(address, &byte, 1), Q3V_SIM_OK);
        }
        Session("CPU_SELECT", "MCU_GROUP", "VK31X");
        Session("CPU_SELECT", "DEVICE", "VK31D16");
        Session("CPU_SELECT", "EMUSEL", "1");
        Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
        Session("USER_DATA", "RESET", "c000");
        ASSERT_TRUE(host_.Load()) << host_.LoadError();
        ASSERT_EQ(host_.RegisterLibrary(), S_OK);
        ASSERT_EQ(host_.AttachComponents(), S_OK);
        host_.Services().OpenSession(session_.Windows(), "sess");
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose();
        ASSERT_EQ(host_.StartTargetSession(), S_OK);
        started_ = true;
        IHTarget* target = nullptr;
        ASSERT_EQ(host_.QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)), S_OK);
        target_ = static_cast<CTargetVk3*>(target);
        ASSERT_EQ(target_->GetExecHandler()->QueryInterface(IID_IHTExec2, reinterpret_cast<void**>(&exec_)), S_OK);
        ASSERT_EQ(host_.GiveRegisterArray(), S_OK);
        host_.Services().Registers().SetValue(14, 0xC000);  // PC
        host_.Services().Registers().SetValue(17, 0x0900);  // ISP
    }
    void TearDown() override {
        if (started_) {
            EXPECT_EQ(host_.EndTargetSession(), S_OK);
        }
        host_.Unload();
    }

    void Session(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, session_.Windows("sess.ini").c_str()));
    }
    // The console's lines for the commands; the person answers every dialog
    // with the given answers, in order.
    std::string Choose(std::initializer_list<const char*> commands, const std::string& answers = {}) {
        std::istringstream in(answers);
        std::ostringstream out;
        simhost::Console console(host_, in, out, true);
        for (const char* command : commands) {
            console.Execute(command);
        }
        return out.str();
    }
    CTargetExecVk3& Handler() { return *static_cast<CTargetExecVk3*>(target_->GetExecHandler()); }
    bool Busy() { return target_->QueryBusyOnWorkspaceClose() == 1; }

    testing_support::TempFolder session_;
    testsupport::TestUi ui_;
    simhost::SimHost host_;
    CTargetVk3* target_ = nullptr;
    IHTExec2* exec_ = nullptr;
    bool started_ = false;
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
