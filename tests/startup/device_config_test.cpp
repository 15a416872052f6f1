// The device choice a new session takes from the host's device description:
// the tokens, the values, the group and device from the shipped files, the
// data-flash placement.
#include "startup/device_config.h"

#include "target/target_vk3.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t position = 0;
    while (const auto token = CDeviceConfig::NextToken(text, position)) {
        EXPECT_LE(position, text.size());
        tokens.push_back(*token);
        if (tokens.size() > text.size() + 1) {
            ADD_FAILURE() << "the scan does not end";
            break;
        }
    }
    return tokens;
}

TEST(DeviceDescriptionTokens, SeparatorsBlanksAndQuotes) {
    struct Case {
        std::string text;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"[CPUTYPE|X1]", {"[", "CPUTYPE", "|", "X1", "]"}},
        {"[FIRMWARE|F000,1]", {"[", "FIRMWARE", "|", "F000,", "1", "]"}},
        {" A B\t|C ", {"AB", "|", "C"}},
        {"|\"a b\"]x", {"|", "a b", "x"}},  // the character after the closing quote is skipped
        {",,", {",", ","}},
        {"a,b", {"a,", "b"}},
        {"\"", {""}},            // an open quote at the end
        {"\"abc", {"abc"}},      // an open quote runs to the end
        {"x\"", {"x", ""}},      // a quote as the last character
        {"\"\"", {""}},          // a closing quote at the text's end
        {"\"q\"", {"q"}},
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Tokens(c.text), c.tokens);
    }
    // A token keeps at most 1,023 characters.
    const auto tokens = Tokens(std::string(2000, 'a') + "|b");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].size(), 1023u);
}

TEST(DeviceDescription, ValuesAreTakenAfterTheirSeparator) {
    struct Case {
        std::string text;
        std::string cpu, rom, emulator, firmwareText, workRamText;
        DWORD firmware, workRam;
    };
    const Case cases[] = {
        {"[CPUTYPE|X1][ROM_SIZE|16K][EMULATOR|q3][FIRMWARE|F000,1]", "X1", "16K", "q3", "F000", "", 0xF000, 0},
        {"[CPUTYPE|X 1][ROM_SIZE|\"16 K\"]", "X1", "16 K", "", "", "", 0, 0},
        {"[WORK_RAM|fffffff0][FIRMWARE|,1]", "", "", "", "", "FFFFFFF0", 0, 0xFFFFFFF0},
        {"[OTHER|1][CPUTYPE|", "", "", "", "", "", 0, 0},
        {"CPUTYPE", "", "", "", "", "", 0, 0},
        {"[FIRMWARE|zz]", "", "", "", "0", "", 0, 0},
        // Beyond 32 bits the address is the largest, in both builds.
        {"[FIRMWARE|100000000][WORK_RAM|0x1F]", "", "", "", "FFFFFFFF", "1F", 0xFFFFFFFF, 0x1F},
        {"[FIRMWARE|-2]", "", "", "", "FFFFFFFE", "", 0xFFFFFFFE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CDeviceConfig config;
        config.ParseDescription(c.text);
        EXPECT_EQ(config.CpuType(), c.cpu);
        EXPECT_EQ(config.RomSize(), c.rom);
        EXPECT_EQ(config.Emulator(), c.emulator);
        EXPECT_EQ(config.FirmwareText(), c.firmwareText);
        EXPECT_EQ(config.WorkRamText(), c.workRamText);
        EXPECT_EQ(config.FirmwareAddress(), c.firmware);
        EXPECT_EQ(config.WorkRamAddress(), c.workRam);
    }
}

// Through the host's two description services and the shipped "PgDef.ini"
// and group file.
class HostDescription : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetTarget()->Attach(&host, 1), S_OK); }
    void TearDown() override { GetTarget()->Detach(1); }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(HostDescription, ACompleteDescriptionOfThisFamilyIsReadWithItsPlacement) {
    struct Case {
        std::optional<std::string> description;
        bool complete;
        std::string group, device;
        DWORD placementByAddress, block;
    };
    const Case cases[] = {
        {"[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|q3][FIRMWARE|2800,1]", true, "VK31X", "VK31D16", 0, 1},
        {"[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Q3][FIRMWARE|F000]", true, "VK31X", "VK31D16", 1, 0},
        {"[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|E8][FIRMWARE|F000]", false, "VK31X", "VK31D16", 1, 0},
        {"[CPUTYPE|VK31D16][ROM_SIZE|32K][EMULATOR|Q3]", false, "VK31X", "", 1, 0},
        {"[CPUTYPE|VK99][ROM_SIZE|16K][EMULATOR|Q3]", false, "", "", 1, 0},
        {std::nullopt, false, "", "", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description.value_or("none"));
        host.DeviceDescription().SetDescription(c.description);
        CDeviceConfig config;
        DeviceSelectionRecord record;
        record.mcuGroup = "untouched";
        EXPECT_EQ(config.Read(record), c.complete);
        EXPECT_EQ(record.mcuGroup, c.description ? c.group : "untouched");
        if (c.description) {
            EXPECT_EQ(record.device, c.device);
            EXPECT_EQ(record.placementByAddress, c.placementByAddress);
            EXPECT_EQ(record.dataFlashBlock, c.block);
        }
    }
    const auto asked = log.Find("DeviceDescription");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().detail, "CPU|BUILD|DEBUG");
}

TEST_F(HostDescription, AHostWithoutTheServicesGivesNone) {
    host.OfferService(IID_IHDeviceDescription, nullptr);
    host.DeviceDescription().SetDescription("[CPUTYPE|VK31D16]");
    EXPECT_FALSE(CDeviceConfig::GetHostDescription().has_value());
    GetTarget()->Detach(1);
    EXPECT_FALSE(CDeviceConfig::GetHostDescription().has_value());
}

}  // namespace
