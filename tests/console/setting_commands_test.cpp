// The two option commands that no list makes, "halt_option" and "nmi_mode",
// and the break-condition mode of a CPU type that has one, over a target
// configuration of their own and no connected target.
#include "console/setting_commands.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class UnlistedOptions : public ::testing::Test {
protected:
    void SetUp() override {
        g_targetConfig = std::make_unique<CTargetConfig>();
        halt.DefineArguments();
        nmi.DefineArguments();
        conditionMode.DefineArguments();
    }
    void TearDown() override {
        g_targetConfig.reset();
        g_deviceValues.cpuType = cpuType;
    }
    static DWORD ModeValue(std::size_t index) {
        DWORD values[5] = {};
        GetBreakModeSettings(&values[0], &values[1], &values[2], &values[3], &values[4]);
        return values[index];
    }
    static DWORD NmiMode() { return ModeValue(3); }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
    CCmdHaltOption halt{&host};
    CCmdNmiMode nmi{&host};
    CCmdBreakConditionMode conditionMode{&host};
    const std::string cpuType = g_deviceValues.cpuType;
};

TEST_F(UnlistedOptions, HaltOptionShowsAndSetsItsWord) {
    EXPECT_EQ(window.Execute("ho").text, "Halt option = X-PDI\n");
    EXPECT_EQ(window.Execute("halt_option DORSK").result, S_OK);
    DWORD option = 0;
    GetHaltOption(&option);
    EXPECT_EQ(option, 1u);
    EXPECT_EQ(window.Execute("ho").text, "Halt option = DORSK\n");
    const simhost::CommandOutput refused = window.Execute("ho fast");
    EXPECT_EQ(refused.result, E_FAIL);
    EXPECT_EQ(refused.text, "Parameter keyword [halt_opt] is a mistake. input keyword (xpdi,dorsk).");
    EXPECT_EQ(window.Execute("ho x y").text, "To many parameter\nInvalid parameter\n");
    EXPECT_TRUE(host.CommandSyntax().Texts().empty()) << "neither registers a syntax text";
}

TEST_F(UnlistedOptions, NmiModeIsOnlyForTheCpuTypesThatHaveOne) {
    for (const char* type : {"Vk31X", "Pz6/300L"}) {
        g_deviceValues.cpuType = type;
        const simhost::CommandOutput refused = window.Execute("nm user x y");
        EXPECT_EQ(refused.result, E_FAIL) << type;
        EXPECT_EQ(refused.text, "Not currently available\n") << type;
    }
    g_deviceValues.cpuType = "Vk33A";
    EXPECT_EQ(window.Execute("nm").text, "NMI mode = eml\n");
    EXPECT_EQ(window.Execute("nm u").result, S_OK);
    EXPECT_EQ(NmiMode(), 1u);
    EXPECT_EQ(window.Execute("nm").text, "NMI mode = user\n");
    EXPECT_EQ(window.Execute("nmi_mode eml").result, S_OK);
    EXPECT_EQ(NmiMode(), 0u);
    EXPECT_EQ(window.Execute("nm").text, "NMI mode = eml\n");
    EXPECT_EQ(window.Execute("nm x").text, "Parameter keyword [nmi_mode] is a mistake. input keyword (eml,user).");
}

TEST_F(UnlistedOptions, BreakConditionModeShowsAndSwitchesForACpuTypeThatHasOne) {
    g_deviceValues.cpuType = "Vk33A";
    EXPECT_EQ(window.Execute("bcm").text, "Breakcondition_mode = eml\n");
    const simhost::CommandOutput switched = window.Execute("breakcondition_mode U");
    EXPECT_EQ(switched.result, S_OK);
    EXPECT_EQ(switched.text, "");
    EXPECT_EQ(ModeValue(4), 1u);
    EXPECT_EQ(ModeValue(3), 0u) << "the other values stay";
    EXPECT_EQ(window.Execute("bcm").text, "Breakcondition_mode = user\n");
    EXPECT_EQ(window.Execute("bcm user").result, S_OK) << "the same mode again";
    EXPECT_EQ(window.Execute("bcm x").text,
              "Parameter keyword [Breakcondition_mode] is a mistake. input keyword (eml,user).");
    EXPECT_EQ(window.Execute("bcm eml x").text, "To many parameter\nInvalid parameter\n");
    EXPECT_EQ(window.Execute("bcm eml").result, S_OK);
    EXPECT_EQ(ModeValue(4), 0u);
    EXPECT_EQ(host.CommandSyntax().Texts().count("bcm"), 0u) << "no syntax text";
}

}  // namespace
