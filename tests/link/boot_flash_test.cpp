// The boot-mode flash loops under the simulated emulator's flash faults:
// erases and page programs with status polling, program records with their
// attempts and the re-erase, the adapter's erase addresses and the raw block.
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace linktest {
namespace {

using namespace link_result;

const char kStatusRead[] = "00 06 00 01 00 02 70 81";
const char kClearStatusFrame[] = "00 06 00 01 00 00 50 81";

class BootFlash : public LinkTest {
protected:
    // The boot program takes flash commands once the ID code passed.
    void Unlock() {
        ASSERT_EQ(Channel().UnlockWithIdCode(), kOk);
        ClearFrames();
    }
    // The flash writer, loaded as the boot sequence loads it (protocol types
    // 1 to 4).
    void LoadWriter() {
        const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
        const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
        ASSERT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), kOk);
        ASSERT_EQ(Channel().SendDataBlock(), kOk);
        ASSERT_EQ(Status().writerLoaded, 1u);
        ClearFrames();
    }
};

TEST_F(BootFlash, PolledErasesWalkTheEraseTableAndStopAtAnEraseError) {
    UseDevice(Device::Vk32D64, 2);
    Unlock();
    EXPECT_EQ(Channel().EraseFlashBlocksPolled(), kOk);
    std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 1u + 2 * 7);
    EXPECT_EQ(frames[0], kClearStatusFrame);
    EXPECT_EQ(frames[1], "00 0A 00 04 00 00 20 7F 0F D0 A5 81");  // block end 0xF7FFF
    EXPECT_EQ(frames[2], kStatusRead);
    EXPECT_EQ(frames[13], "00 0A 00 04 00 00 20 4F 01 D0 A5 81");  // block end 0x14FFF

    ClearFrames();
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(Channel().EraseFlashBlocksPolled(), kEraseError);
    EXPECT_EQ(FramesIn().size(), 3u) << "the first failure ends the loop";
    EXPECT_EQ(Messages(), std::vector<std::string>{"Flash memory erase error !\nChange device"});
}

TEST_F(BootFlash, TheLockBitSettingTurnsTheProtectionOnBeforeErasing) {
    UseDevice(Device::Vk32D64, 2);
    g_deviceValues.lockBit = 1;
    g_deviceValues.eraseBlockCount = 1;
    Unlock();
    EXPECT_EQ(Channel().EraseFlashBlocksPolled(), kOk);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 06 00 01 00 00 75 81", kClearStatusFrame,
                                                    "00 0A 00 04 00 00 20 7F 0F D0 A5 81", kStatusRead}));
}

TEST_F(BootFlash, APageThatFailsToProgramEndsItsBlockAndTheLoopWithTheWriteError) {
    UseDevice(Device::Vk32D64, 2);
    Unlock();
    for (DWORD i = 0; i < 512; ++i) {
        g_flashMirror[0xF0000 + i] = static_cast<BYTE>(i);
    }
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Channel().ProgramBlocksByPages(), kWriteError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Flash memory write error"});
    EXPECT_EQ(ReadTarget(0xF0000, 2), Bytes({0xFF, 0xFF}));
}

TEST_F(BootFlash, AStatusReadThatKeepsFailingRepeatsThePageABoundedNumberOfTimes) {
    // Protocol type 1 relays no page or clear-status command but reads the
    // status, so each page is a status poll alone, failing with the
    // negative acknowledge every time.
    UseDevice(Device::Vk31D16, 1);
    g_deviceValues.flashBlockCount = 2;
    Inject(Q3V_SIM_FAULT_NAK, 0, 1000);
    EXPECT_EQ(Channel().ProgramBlocksByPages(), kNak);
    const std::vector<std::string> frames = FramesIn();
    EXPECT_EQ(frames.size(), 2u * 3) << "three attempts of the first page of each block";
    for (const std::string& frame : frames) {
        EXPECT_EQ(frame, kStatusRead);
    }
}

TEST_F(BootFlash, EraseAddressesAreTheBlocksEndLessOneByARealSubtraction) {
    UseDevice(Device::Vk32D64, 2);
    g_deviceValues.eraseBlockCount = 0;
    g_deviceValues.flashBlockCount = 2;
    g_deviceValues.flashBlockEnd[1] = 0x30000;  // a low byte of 0: the borrow reaches the next byte
    Unlock();
    LoadWriter();
    Channel().EraseAllAdapterBlocks();
    const std::vector<std::string> frames = FramesIn();
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[0], "00 06 45 FE 7F 0F 00 81");
    EXPECT_EQ(frames[1], "00 06 45 FF FF 02 00 81");
    Channel().EraseAdapterBlockEnd(1);
    EXPECT_EQ(FramesIn().back(), "00 06 45 FF FF 02 00 81");
    EXPECT_EQ(Channel().EraseAdapterBlockEnd(7), kAborted) << "no such block";
}

TEST_F(BootFlash, WithoutAnEraseTableTypeOneErasesTheTwoProgramBlocks) {
    g_deviceValues.eraseBlockCount = 0;
    g_deviceAreas[kAreaDatf].enable = 0;
    Unlock();
    LoadWriter();
    EXPECT_EQ(Channel().EraseFirmwareBlocks(), kOk);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 06 45 00 C0 00 00 81", "00 06 45 00 E0 00 00 81"}));
    ClearFrames();
    g_deviceAreas[kAreaDatf].enable = 1;
    EXPECT_EQ(Channel().EraseFirmwareBlocks(), kOk);
    EXPECT_EQ(FramesIn().size(), 4u) << "with data flash, its two blocks first";
    EXPECT_EQ(FramesIn()[0], "00 06 45 00 24 00 00 81");
}

TEST_F(BootFlash, ProgramRecordsRetrySumErrorsAndSkipErasedRecords) {
    Unlock();
    LoadWriter();
    ASSERT_EQ(Channel().BeginAdapterWrite(), kOk);
    for (DWORD i = 0; i < 128; ++i) {
        g_flashMirror[0xE000 + i] = static_cast<BYTE>(i + 1);
    }
    ClearFrames();
    Inject(Q3V_SIM_FAULT_STATUS, 0x91, 2);
    EXPECT_EQ(Channel().ProgramFirmwareBlock(1, 0xE000), kOk);
    const std::vector<std::string> frames = FramesIn();
    EXPECT_EQ(frames.size(), 3u) << "one record, two sum errors: three attempts; the erased records are skipped";
    EXPECT_EQ(ReadTarget(0xE000, 3), Bytes({1, 2, 3}));

    ClearFrames();
    for (DWORD i = 0; i < 128; ++i) {
        g_flashMirror[0xE080 + i] = 0x55;
    }
    Inject(Q3V_SIM_FAULT_STATUS, 0x91, 3);
    EXPECT_EQ(Channel().ProgramFirmwareBlock(1, 0xE080), kSumCheckError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Sum check error"});
}

TEST_F(BootFlash, AWriteErrorErasesTheBlockAgainOnceInFlashProgrammingMode) {
    Unlock();
    LoadWriter();
    ASSERT_EQ(Channel().BeginAdapterWrite(), kOk);
    for (DWORD i = 0; i < 128; ++i) {
        g_flashMirror[0xC000 + i] = static_cast<BYTE>(0x80 + i);
    }
    g_emuSel = connect_mode::kProgramFlash;
    ClearFrames();
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Channel().ProgramFirmwareBlock(0, 0xC000), kOk);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1], "00 06 45 00 C0 00 00 81") << "the block erased again by its start";
    EXPECT_EQ(frames[2], "00 02 57 81");
    EXPECT_EQ(ReadTarget(0xC000, 2), Bytes({0x80, 0x81}));

    g_emuSel = connect_mode::kEraseAndConnect;
    Channel().EraseAdapterBlock(0);
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Channel().ProgramFirmwareBlock(0, 0xC000), kWriteError) << "other modes do not erase again";
}

TEST_F(BootFlash, AFailedReEraseIsShownOnce) {
    Unlock();
    LoadWriter();
    ASSERT_EQ(Channel().BeginAdapterWrite(), kOk);
    g_flashMirror[0xC000] = 0x12;
    g_emuSel = connect_mode::kProgramFlash;
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(Channel().ProgramFirmwareBlock(0, 0xC000), kEraseError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Flash memory erase error !\nChange device"});
    // Through the whole-flash loop the same.
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(Channel().ProgramAllBlocks(), kEraseError);
    EXPECT_EQ(Messages().size(), 2u) << "one box for the second failure";
}

TEST_F(BootFlash, APageProgramRefusedByTheAdapterIsShownOnce) {
    UseDevice(Device::Vk32D64, 2);
    Unlock();
    g_flashMirror[0xF0000] = 0x12;
    // The clear-status exchange is the first and second frame call; the page
    // program's frame the third.
    ASSERT_EQ(Control().injectFaultAfter(3, Q3V_SIM_FAULT_STATUS, 0xA3, 1), Q3V_SIM_OK);
    EXPECT_EQ(Channel().ProgramBlocksByPages(), kWriteError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Flash memory write error"});
}

TEST_F(BootFlash, ABusyFlashIsPolledUntilReadyAndOneThatStaysBusyGivesUp) {
    UseDevice(Device::Vk32D64, 2);
    Configure("flashbusy=5");
    Unlock();
    g_deviceValues.eraseBlockCount = 1;
    EXPECT_EQ(Channel().EraseFlashBlocksPolled(), kOk);
    const std::vector<std::string> frames = FramesIn();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), kStatusRead), 6) << "five busy reads, then the ready bit; polled until the ready bit came";
    // An erase that never ends: the poll gives up after its 2 s.
    Inject(Q3V_SIM_FAULT_FLASH_STUCK, 0, 1);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Channel().EraseFlashBlocksPolled(), kTimeout);
    EXPECT_GE(GetTickCount() - start, 2000u);
    EXPECT_TRUE(Messages().empty()) << "a time-out shows no flash message";
    Configure("flashbusy=0");
}

TEST_F(BootFlash, ARawBlockIsAcknowledgedWhenItsSumMatchesAndRefusedWhenNot) {
    UseDevice(Device::Vk31D16, 0);
    ASSERT_EQ(Channel().UnlockWithIdCode(), kOk);
    const BYTE data[] = {0x10, 0x20, 0x30};
    ASSERT_EQ(Channel().SetDataBlock(0, 3, data), kOk);
    ClearFrames();
    Inject(Q3V_SIM_FAULT_CORRUPT_REPLY, 2, 1);  // the adapter's sum, low byte
    EXPECT_EQ(Channel().SendRawBlock(), kSumCheckError);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 04 10 20 30 81", "00 02 15 81"}));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Sum check error"});
    EXPECT_EQ(Status().writerLoaded, 0u);

    ClearFrames();
    EXPECT_EQ(Channel().SendRawBlock(), kOk);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 04 10 20 30 81", "00 02 06 81"}));
    EXPECT_EQ(Status().writerLoaded, 1u);
}

TEST_F(BootFlash, ADataBlockLongerThanItsBufferIsRefused) {
    std::vector<BYTE> data(CEmulatorChannel::kDataBlockSize + 1, 0x11);
    EXPECT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(data.size()), data.data()), kAborted);
    EXPECT_EQ(Channel().SetDataBlock(0, CEmulatorChannel::kDataBlockSize, data.data()), kOk);
}

}  // namespace
}  // namespace linktest
