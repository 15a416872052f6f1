// The memory handler's rules that need no emulator: the range checks over
// a device layout with holes between its flash blocks, reads while a flash
// job runs, and the memory map's inert texts and area-text records.
#include "link/flash_blocks.h"
#include "config/device_data.h"
#include "target/memory_ranges.h"
#include "target/target_memory_map_vk3.h"
#include "target/target_memory_vk3.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// RAM up to 0x0BFF, I/O 0x1000-0x10FF (IIO2) in the gap, flash blocks
// 0x4000-0x4FFF and 0x6000-0x7FFF with a hole between them, data flash
// 0x4000-0x43FF, the firmware's flash 0x7800-0x7FFF, a RAM area FIR3 at
// 0x5000-0x50FF inside the hole; the top address 0x7FFF.
class MemoryRanges : public ::testing::Test {
protected:
    void SetUp() override {
        savedValues_ = g_deviceValues;
        savedAreas_ = g_deviceAreas;
        g_deviceAreas = {};
        g_deviceAreas[kAreaFir2] = {1, 0x0400, 0x09FF};
        g_deviceAreas[kAreaFirm] = {1, 0x0A00, 0x0BFF};
        g_deviceAreas[kAreaIio2] = {1, 0x1000, 0x10FF};
        g_deviceAreas[kAreaFlas] = {1, 0x4000, 0x7FFF};
        g_deviceAreas[kAreaDatf] = {1, 0x4000, 0x43FF};
        g_deviceAreas[kAreaAse1] = {1, 0x7800, 0x7FFF};
        g_deviceValues.maxAddr = 0x7FFF;
        g_deviceValues.flashBlockTop = UnusedBlocksBut(0x4000);
        g_deviceValues.flashBlockEnd = UnusedBlocksBut(0x43FF);
        g_deviceValues.flashBlockTop[1] = 0x4400;
        g_deviceValues.flashBlockEnd[1] = 0x4FFF;
        g_deviceValues.flashBlockTop[2] = 0x6000;
        g_deviceValues.flashBlockEnd[2] = 0x7FFF;
        g_deviceValues.flashBlockCount = 3;
    }
    void TearDown() override {
        g_deviceValues = savedValues_;
        g_deviceAreas = savedAreas_;
        g_emuSel = 0;
    }
    DeviceValues savedValues_;
    std::array<DeviceArea, kDeviceAreaCount> savedAreas_;
};

TEST_F(MemoryRanges, AccessIsRefusedOutsideTheLayoutWithTheAddressItStumbledOn) {
    struct Case {
        DWORD start, end;
        bool allowed;
        DWORD bad;
    };
    const Case cases[] = {
        {0x0400, 0x0BFF, true, 0},      {0x0500, 0x04FF, false, 0x04FF},  // reversed
        {0x7000, 0x8000, false, 0x8000},                                   // past the top
        {0x0C00, 0x0C0F, false, 0x0C00}, {0x0B00, 0x0C0F, false, 0x0C0F},  // the gap
        {0x1000, 0x10FF, true, 0},       {0x1000, 0x1100, false, 0x1000},  // the I/O area in the gap
        {0x0400, 0x4000, false, 0x0400},                                   // across the gap
        {0x5000, 0x5000, false, 0x5000}, {0x4F00, 0x5000, false, 0x5000},  // in the hole
        {0x4F00, 0x6000, false, 0x4F00},                                   // across it
        {0x4000, 0x4FFF, true, 0},       {0x6000, 0x7FFF, true, 0},
    };
    for (const Case& c : cases) {
        DWORD bad = 0;
        EXPECT_EQ(CheckAccessRange(c.start, c.end, &bad), c.allowed) << std::hex << c.start << "-" << c.end;
        if (!c.allowed) {
            EXPECT_EQ(bad, c.bad) << std::hex << c.start << "-" << c.end;
        }
    }
    EXPECT_EQ(CheckRange(0x5000, 0x50FF), kRangeRefused);
    g_deviceAreas[kAreaFir3] = {1, 0x5000, 0x50FF};
    EXPECT_EQ(CheckRange(0x5000, 0x50FF), S_OK) << "an enabled RAM area in the hole";
    DWORD bad = 0;
    EXPECT_EQ(CheckRangePair(0x0400, 0x04FF, 0x4F80, &bad), kRangeRefused);
    EXPECT_EQ(bad, 0x507Fu) << "the second range's end in the hole";
}

TEST_F(MemoryRanges, TheHolesAreFoundWhateverOrderTheBlockTablesListTheBlocksIn) {
    // The demo device's tables: the program flash 0xC000-0xFFFF first, then
    // the data flash 0x2400-0x2BFF; the flash area runs from 0x2400.
    g_deviceAreas[kAreaFlas] = {1, 0x2400, 0xFFFF};
    g_deviceAreas[kAreaDatf] = {1, 0x2400, 0x2BFF};
    g_deviceAreas[kAreaAse1] = {1, 0xF000, 0xFF7F};
    g_deviceAreas[kAreaIio2] = {};
    g_deviceValues.maxAddr = 0xFFFF;
    const std::pair<DWORD, DWORD> blocks[] = {
        {0xC000, 0xDFFF}, {0xE000, 0xEFFF}, {0xF000, 0xFFFF}, {0x2400, 0x27FF}, {0x2800, 0x2BFF}};
    for (std::size_t i = 0; i < std::size(blocks); ++i) {
        g_deviceValues.flashBlockTop[i] = blocks[i].first;
        g_deviceValues.flashBlockEnd[i] = blocks[i].second;
    }
    g_deviceValues.flashBlockCount = static_cast<DWORD>(std::size(blocks));
    DWORD bad = 0;
    EXPECT_FALSE(CheckAccessRange(0x2C00, 0x2C0F, &bad)) << "between the data flash and the program flash";
    EXPECT_EQ(bad, 0x2C00u);
    EXPECT_FALSE(CheckAccessRange(0x2B00, 0xC0FF, &bad)) << "across the hole";
    EXPECT_EQ(CheckWriteAccess(0xBFF0, 0xBFFF), kRangeRefused);
    EXPECT_TRUE(CheckAccessRange(0x2400, 0x2BFF, &bad));
    EXPECT_TRUE(CheckAccessRange(0xC000, 0xEFFF, &bad));
}

TEST_F(MemoryRanges, WritesKeepOutOfTheEmulatorsAreasAndInRewriteModeOutOfTheUsersFlash) {
    EXPECT_EQ(CheckWriteAccess(0x0400, 0x09FF), S_OK);
    EXPECT_EQ(CheckWriteAccess(0x09F0, 0x0A0F), kRangeRefused) << "the firmware's RAM";
    EXPECT_EQ(CheckWriteAccess(0x7700, 0x780F), kRangeRefused) << "the firmware's flash";
    EXPECT_EQ(CheckWriteAccess(0x6000, 0x60FF), S_OK);
    g_emuSel = connect_mode::kCpuRewriteMode;
    EXPECT_EQ(CheckWriteAccess(0x4000, 0x40FF), S_OK) << "a data-flash block";
    DWORD bad = 0;
    EXPECT_EQ(CheckCopyRanges(0x0400, 0x04FF, 0x0500, &bad), S_OK);
    EXPECT_EQ(CheckCopyRanges(0x0400, 0x04FF, 0x0C00, &bad), kRangeRefused);
    EXPECT_EQ(bad, 0x0C00u);
}

TEST(MemoryHandler, AFlashJobsReadsAnswerErasedBytesWithoutTheLink) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CTargetMemoryVk3 memory(&host);
    g_flashJobActive = 1;
    BYTE bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(memory.ReadMemory(0x100, 0x107, 1, bytes), S_OK);
    g_flashJobActive = 0;
    EXPECT_EQ(std::count(std::begin(bytes), std::end(bytes), BYTE{0xFF}), 8);
    EXPECT_TRUE(host.ReportedErrors().empty()) << "no link asked";
    EXPECT_EQ(memory.ReadMemory(0x107, 0x100, 1, bytes), static_cast<HRESULT>(0x80042010));
    DWORD size = 0;
    EXPECT_EQ(memory.GetBlockSize(&size), S_OK);
    EXPECT_EQ(size, 1024u);
    EXPECT_FALSE(IsTargetBusy());
}

TEST(MemoryMap, TheTextsAreInertAndTheAreaTextsRoundTrip) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CTargetMemoryMapVk3Family map(&host);
    map.SetMapText("ROM 0 FFFF");
    map.SetResourceText("X");
    map.SetRomMode("1");
    EXPECT_EQ(map.GetMapText(), "");
    EXPECT_EQ(map.GetResourceText(), "");
    EXPECT_EQ(map.GetRomModeText(-1), "");
    DWORD low = 1;
    DWORD high = 0;
    EXPECT_EQ(map.RangeInterface()->GetAddressRange(&low, &high), S_OK);
    EXPECT_EQ(low, 0u);
    EXPECT_EQ(high, 0xFFFFFFFFu);

    EXPECT_EQ(CTargetMemoryMapVk3::SplitWords("  one  two "), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(CTargetMemoryMapVk3::JoinWords({"one", "two"}), "one two");
    AreaTextRecord record;
    CTargetMemoryMapVk3::ParseAreaText("10, 1F, ROM , 3, 205", record);
    EXPECT_EQ(record.start, 16u);
    EXPECT_EQ(record.end, 31u);
    EXPECT_STREQ(record.name, "ROM");
    EXPECT_EQ(record.number, 3u);
    EXPECT_EQ(record.attributeHigh, 0u);
    EXPECT_EQ(record.attributeLow, 5u);
    EXPECT_EQ(CTargetMemoryMapVk3::FormatAreaText(record), "0x00000010,0x0000001F,ROM,3,5");
    CTargetMemoryMapVk3::ParseAreaText("0,0,ABCDEFGHIJKLMNOP", record);
    EXPECT_STREQ(record.name, "ABCDEFGHIJK") << "cut to 11 characters";
}

}  // namespace
