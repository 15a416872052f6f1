// The device-name table, the group's device file and the loading of one
// device by its index.
#include "link/flash_blocks.h"
#include "link/link_state.h"
#include "config/device_data.h"
#include "startup/device_names.h"
#include "startup/device_selection.h"
#include "target/run_time_text.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "target/target_vk3.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(DeviceNames, AListSplitsAtRunsOfBlanksAndIsCutToTheTable) {
    struct Case {
        const char* name;
        std::string list;
        Names expected;
    };
    std::string many;
    for (int i = 0; i < 205; ++i) {
        many += "D" + std::to_string(i) + " ";
    }
    const Case cases[] = {
        {"two names with several blanks between", "VK31D16    VK31D32", {"VK31D16", "VK31D32"}},
        {"blanks and tabs around", " \tA  B\t", {"A", "B"}},
        {"a line end ends the list", "A B\r\nC", {"A", "B"}},
        {"a name is cut to 19 characters", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", {"ABCDEFGHIJKLMNOPQRS"}},
        {"nothing", "   ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetDeviceNames(c.list);
        EXPECT_EQ(GetDeviceNames(), c.expected);
    }
    SetDeviceNames(many);
    ASSERT_EQ(GetDeviceNames().size(), kDeviceNameCapacity) << "names past the 200th are left out";
    EXPECT_EQ(GetDeviceNames().back(), "D199");
    EXPECT_EQ(FindDeviceName("D7"), 7);
    EXPECT_EQ(FindDeviceName("d7"), -1) << "an exact comparison";
    SetDeviceNames("");
}

class DeviceNamesFile : public ::testing::Test {
protected:
    void TearDown() override {
        GetTarget()->GetSettingsCache().Clear();
        g_deviceValues = DeviceValues{};
        g_deviceAreas = {};
        g_protocolType = 0;
        g_swtiSupported = 0;
        SetDeviceNames("");
        g_deviceSection[0] = '\0';
        BuildCnfPath();
    }
    testsupport::TestUi ui_;
};

TEST_F(DeviceNamesFile, AGroupFileBecomesTheDeviceFileOnlyWhenItExists) {
    ASSERT_TRUE(FindDeviceConfigFile("VK31X"));
    EXPECT_EQ(std::string(g_cnfPath), GetModuleDirectory() + "VK31X.cnf");
    EXPECT_EQ(GetDeviceNames(), Names{"VK31D16"});

    ASSERT_TRUE(FindDeviceConfigFile("LinkTestFiles\\FIRMSEL"));
    EXPECT_EQ(GetDeviceNames(), (Names{"VK31S32", "VK31S48"}));
    const std::string path = g_cnfPath;
    EXPECT_FALSE(FindDeviceConfigFile("NOSUCHGROUP"));
    EXPECT_EQ(std::string(g_cnfPath), path) << "a missing file changes nothing";
    EXPECT_EQ(GetDeviceNames(), (Names{"VK31S32", "VK31S48"}));
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(DeviceNamesFile, LoadingADeviceReadsItsSectionAndRefreshesTheWorkingBlocks) {
    ASSERT_NE(g_deviceSelection, nullptr);
    ASSERT_TRUE(FindDeviceConfigFile("LinkTestFiles\\FIRMSEL"));
    g_flashBlocks.top.fill(0x1234);
    g_flashBlocks.end.fill(0x1234);
    ASSERT_TRUE(LoadDeviceConfig(1));
    EXPECT_STREQ(g_deviceSection, "VK31S48");
    EXPECT_EQ(g_deviceValues.deviceName, "VK31S48");
    EXPECT_EQ(g_flashBlocks.top, g_deviceValues.flashBlockTop);
    EXPECT_EQ(g_flashBlocks.end, g_deviceValues.flashBlockEnd);
    EXPECT_EQ(g_flashBlocks.top[1], 0x8000u);
    EXPECT_EQ(g_flashBlocks.top[2], 0xFFFFFFFFu);

    // An index outside the table reads nothing.
    g_deviceValues.maxAddr = 0x77;
    EXPECT_FALSE(LoadDeviceConfig(-1));
    EXPECT_FALSE(LoadDeviceConfig(2));
    EXPECT_EQ(g_deviceValues.maxAddr, 0x77u);
    EXPECT_STREQ(g_deviceSection, "VK31S48");

    // Without a device selection object nothing is read either.
    CDeviceSelection* const selection = g_deviceSelection;
    g_deviceSelection = nullptr;
    EXPECT_FALSE(LoadDeviceConfig(0));
    g_deviceSelection = selection;
    EXPECT_EQ(g_deviceValues.maxAddr, 0x77u);
}

TEST_F(DeviceNamesFile, TheTraceFixtureHasTheBranchTraceAndTheStartStopVectors) {
    ASSERT_TRUE(FindDeviceConfigFile("LinkTestFiles\\TRACE"));
    ASSERT_TRUE(LoadDeviceConfig(0));
    EXPECT_EQ(g_deviceValues.traceFunction, 1u);
    EXPECT_EQ(g_deviceValues.traceBufSize, 2u);
    EXPECT_EQ(g_deviceValues.regTrc, 0x1B8u);
    EXPECT_EQ(g_deviceValues.regTrcbr, (std::array<DWORD, 4>{0x1A0, 0x1A2, 0x1A4, 0x1A6}));
    EXPECT_EQ(g_deviceValues.supportStartStopFunc, 1u);
    // The firmware information's vectors win over the device file's.
    EXPECT_EQ(g_deviceValues.startFuncVect, 0x60u);
    EXPECT_EQ(g_deviceValues.stopFuncVect, 0x64u);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0xF000u);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST(RunTimeText, HoursMinutesSecondsAndMilliseconds) {
    EXPECT_EQ(FormatRunTime(3723456), "0001h002min003s456ms");
    EXPECT_EQ(FormatRunTime(0), "0000h000min000s000ms");
    EXPECT_EQ(FormatRunTime(0xFFFFFFFF), "1193h002min047s295ms");
    // The link's counter.
    g_runTicksTotal = 3723456;
    EXPECT_EQ(FormatRunTime(), "0001h002min003s456ms");
    g_runTicksTotal = 0;
}

}  // namespace
