// The download's reserved-area and RAM warnings, with the ranges their
// pending message covers, and the flash write at a download's end.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "monitor/monitor_engine.h"
#include "monitor/reserved_areas.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

namespace monitortest {
namespace {

class ReservedAreas : public MonitorTest {};

TEST_F(ReservedAreas, TheUsersPartsAroundTheAreasAreKeptInOrder) {
    // VK31D16: FIRM 0x0A00-0x0BFF, ASE1 0xF000-0xFF7F.
    g_deviceAreas[kAreaBsc1] = {1, 0x0C00, 0x0C0F};
    EXPECT_EQ(RangeOutsideReservedAreas(0x0900, 0x0D00),
              (std::vector<AddressRange>{{0x0900, 0x09FF}, {0x0C10, 0x0D00}}));
    EXPECT_EQ(RangeOutsideReservedAreas(0x0A00, 0x0C0F), std::vector<AddressRange>{});
    EXPECT_EQ(RangeOutsideReservedAreas(0xEF00, 0xFFFF),
              (std::vector<AddressRange>{{0xEF00, 0xEFFF}, {0xFF80, 0xFFFF}}));
    EXPECT_EQ(RangeOutsideReservedAreas(0x0400, 0x04FF), (std::vector<AddressRange>{{0x0400, 0x04FF}}));
    EXPECT_FALSE(Engine().RangeOverlapsReservedArea(0x0400, 0x09FF));
    EXPECT_TRUE(Engine().RangeOverlapsReservedArea(0x09FF, 0x0A00));
}

TEST_F(ReservedAreas, TwoPiecesInOneAreaGiveTwoTextsAndOnePendingMessageOverBoth) {
    Engine().SplitRangeByReservedAreas(0x0B00, 0x0B0F);
    Engine().SplitRangeByReservedAreas(0x0A10, 0x0A1F);
    EXPECT_EQ(HostReports(),
              (std::vector<std::string>{
                  "User program area and Q3v work RAM are overlapped from 00000B00h to 00000B0Fh.",
                  "User program area and Q3v work RAM are overlapped from 00000A10h to 00000A1Fh."}));
    EXPECT_TRUE(Engine().HasPendingMessage());
    EXPECT_EQ(Engine().PendingMessages(), std::vector<std::string>{
              "User program area and Q3v work RAM are overlapped from 00000A10h to 00000B0Fh."});
    Engine().ClearPendingMessage();
    EXPECT_FALSE(Engine().HasPendingMessage());
    Engine().SplitRangeByReservedAreas(0x0B00, 0x0B0F);
    EXPECT_EQ(Engine().PendingMessages(), std::vector<std::string>{
              "User program area and Q3v work RAM are overlapped from 00000B00h to 00000B0Fh."})
        << "a clear forgets the kept range";
}

TEST_F(ReservedAreas, EachKindOfAreaKeepsItsOwnPendingMessage) {
    Engine().SplitRangeByReservedAreas(0x0A10, 0x0A1F);
    Engine().SplitRangeByReservedAreas(0xF010, 0xF01F);
    Engine().SplitRangeByReservedAreas(0x0B00, 0x0B0F);
    Engine().SplitRangeByReservedAreas(0xF100, 0xF10F);
    EXPECT_EQ(HostReports().size(), 4u);
    const std::vector<std::string> pending = Engine().PendingMessages();
    ASSERT_EQ(pending.size(), 2u) << "one for the firmware's flash, one for its work RAM";
    EXPECT_NE(pending[0].find("from 0000F010h to 0000F10Fh"), std::string::npos) << pending[0];
    EXPECT_EQ(pending[1], "User program area and Q3v work RAM are overlapped from 00000A10h to 00000B0Fh.");
}

TEST_F(ReservedAreas, ProgrammingTheFlashLeavesTheFirmwareAreaOutAndKeepsRamProgramsBack) {
    g_emuSel = connect_mode::kProgramFlash;
    EXPECT_FALSE(Engine().RangeOverlapsReservedArea(0xF000, 0xF0FF));
    Engine().SplitRangeByReservedAreas(0xF000, 0xF0FF);
    EXPECT_TRUE(HostReports().empty());

    ASSERT_TRUE(Engine().RangeOverlapsFir2OrFir3Area(0x0500, 0x050F));
    Engine().WarnWriteIntoFir2OrFir3Area(0x0500, 0x050F);
    Engine().WarnWriteIntoFir2OrFir3Area(0x0400, 0x040F);
    EXPECT_EQ(HostReports(), (std::vector<std::string>{
                                 "User program is located in RAM area from 00000500h to 0000050Fh.",
                                 "User program is located in RAM area from 00000400h to 0000040Fh."}));
    EXPECT_EQ(Engine().PendingMessages(), std::vector<std::string>{
              "User program is located in RAM area from 00000400h to 0000050Fh.\nThe program located in RAM area "
              "is not downloaded."});
}

TEST_F(ReservedAreas, ARamProgramIsOnlyReportedWhenTheTargetIsDebugged) {
    g_deviceAreas[kAreaFir3] = {2, 0x2000, 0x20FF};  // counts only with enable word 1
    EXPECT_FALSE(Engine().RangeOverlapsFir2OrFir3Area(0x2000, 0x2000));
    Engine().WarnWriteIntoFir2OrFir3Area(0x0400, 0x2000);
    EXPECT_EQ(HostReports(), (std::vector<std::string>{
                                 "User program is located in RAM area from 00000400h to 000009FFh."}));
    EXPECT_FALSE(Engine().HasPendingMessage());
}

class FlashWriteAfterDownload : public MonitorTest {};

TEST_F(FlashWriteAfterDownload, TheDirtyBlocksAreWrittenWithTheFirmwaresVectors) {
    const Bytes program = {0x04, 0xFE, 0xFE};
    std::copy(program.begin(), program.end(), g_flashMirror.begin() + 0xC000);
    CFirmCommand().MarkFlashDirty(0xC000, 0xC002);
    EXPECT_EQ(Engine().FlashWriteAfterDownload(), link_result::kOk);
    EXPECT_EQ(ReadTarget(0xC000, 3), program);
    EXPECT_EQ(g_flashBlocks.dirty[0], 0);
}

TEST_F(FlashWriteAfterDownload, AFailedProgrammingInProgramFlashModeIsNoFlashWrite) {
    g_emuSel = connect_mode::kProgramFlash;
    CFirmCommand().MarkFlashDirty(0xC000, 0xC002);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_NE(Engine().FlashWriteAfterDownload(), link_result::kOk);
    EXPECT_EQ(Output(), "");
}

}  // namespace
}  // namespace monitortest
