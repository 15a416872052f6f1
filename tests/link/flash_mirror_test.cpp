// The flash mirror through the simulated emulator: its reset, loading and
// refresh, the write-back of dirty blocks with the work RAM and special
// registers kept around it, the vector check and the "Flash Write" report.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/monitor_run_state.h"
#include "tests/link/link_fixture.h"

#include "platform/afx_wnd.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace linktest {
namespace {

using namespace link_result;

class FlashMirror : public LinkTest {
protected:
    void Running() {
        StartFirmware();
        CFirmCommand command;
        command.ResetFlashBlocks();
        ASSERT_EQ(command.RefreshFlashMirror(), kOk);
        ClearFrames();
    }
    // The boot program with the flash writer loaded, as the boot sequence
    // leaves the target before the firmware download.
    void WriterLoaded() {
        ASSERT_EQ(Link().Open(), kOk);
        ASSERT_EQ(Link().UnlockWithIdCode(), kOk);
        const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
        const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
        ASSERT_EQ(Link().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), kOk);
        ASSERT_EQ(Link().SendDataBlock(), kOk);
        CFirmCommand().ResetFlashBlocks();
        ClearFrames();
    }
    std::vector<std::string> FramesStartingWith(const std::string& prefix) const {
        std::vector<std::string> frames;
        for (const std::string& frame : FramesIn()) {
            if (frame.starts_with(prefix)) {
                frames.push_back(frame);
            }
        }
        return frames;
    }
    Bytes Mirror(DWORD address, std::size_t count) const {
        return Bytes(g_flashMirror.begin() + address, g_flashMirror.begin() + static_cast<std::ptrdiff_t>(address + count));
    }
};

TEST_F(FlashMirror, AResetErasesTheMirrorAndForgetsEveryBlock) {
    g_flashMirror.fill(0x12);
    g_flashBlocks.dirty.fill(1);
    g_flashBlocks.loaded.fill(1);
    g_deviceValues.flashBlockCount = 40;  // more than the tables hold
    EXPECT_EQ(CFirmCommand().ResetFlashBlocks(), 0xFFFFFFFFu);
    EXPECT_TRUE(std::all_of(g_flashMirror.begin(), g_flashMirror.end(), [](BYTE b) { return b == 0xFF; }));
    EXPECT_TRUE(std::all_of(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), [](BYTE b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(g_flashBlocks.loaded.begin(), g_flashBlocks.loaded.end(), [](BYTE b) { return b == 0; }));
    EXPECT_EQ(g_flashBlocks.count, kFlashTableSize) << "the count never reaches past the tables";
    EXPECT_EQ(g_flashBlocks.mirrorState, 1u);
}

TEST_F(FlashMirror, TheRefreshReadsEveryBlockAndCutsTheLastRequestAtItsEnd) {
    StartFirmware();
    g_deviceValues.flashBlockTop[0] = 0xC000;
    g_deviceValues.flashBlockEnd[0] = 0xC0C7;  // 200 bytes
    g_deviceValues.flashBlockCount = 1;
    g_deviceValues.firmBlockNo = 5;
    CFirmCommand command;
    command.ResetFlashBlocks();
    command.MarkFlashDirty(0xC000, 0xC000);
    ClearFrames();
    ASSERT_EQ(command.RefreshFlashMirror(), kOk);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 0E 5A 11 00 0E 00 C0 00 00 80 00 20 42 A5 81",
                                                    "00 0E 5A 11 00 0E 80 C0 00 00 48 00 20 42 A5 81"}));
    EXPECT_EQ(g_flashBlocks.dirty[0], 0);
    EXPECT_EQ(Mirror(0xC0C8, 1), Bytes{0xFF}) << "nothing beyond the block";
}

TEST_F(FlashMirror, TheFirmwareBlockIsRefreshedWithTheFirmwareArea) {
    Running();
    EXPECT_EQ(Mirror(0xF000, 7), Bytes({'Q', '3', 'v', 'F', 'I', 'R', 'M'}));
    EXPECT_EQ(Mirror(0xFFFC, 3), ReadTarget(0xFFFC, 3));
}

TEST_F(FlashMirror, AWriteBackWithNothingDirtySendsNothing) {
    Running();
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kOk);
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_TRUE(HostReports().empty());
}

TEST_F(FlashMirror, LinkedBlocksAreWrittenBackTogether) {
    Running();
    g_deviceValues.firmLinkedFlag = 1;
    g_deviceValues.firmLinkedBlock = 1;
    g_flashMirror[0xE010] = 0x42;
    CFirmCommand command;
    command.MarkFlashDirty(0xE010, 0xE010);
    ASSERT_EQ(command.WriteBackFlash(), kOk);
    EXPECT_EQ(FramesStartingWith("00 06 45"),
              (std::vector<std::string>{"00 06 45 00 E0 00 00 81", "00 06 45 00 F0 00 00 81"}))
        << "the changed block and the firmware's block are erased";
    EXPECT_EQ(ReadTarget(0xE010, 1), Bytes{0x42});
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE) << "the firmware was programmed back with its block";
    EXPECT_TRUE(std::none_of(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), [](BYTE b) { return b != 0; }));
    EXPECT_FALSE(platform::WaitCursorShown());
    EXPECT_EQ(g_flashJobActive, 0u);
}

// A byte put back into the mirror alone (a break byte taken out while the
// program is stopped): the chip keeps its own byte until a write-back, and
// the write of the chip's byte (the next go's break byte) settles it.
TEST_F(FlashMirror, ABytePutBackIsProgrammedOnlyWhenItStillDiffersAtTheWriteBack) {
    struct Case {
        const char* what;
        bool breakByteAgain;  // the next go writes the chip's byte back
        bool written;         // the write-back programs the block
        BYTE chip;            // the chip's byte afterwards
    };
    const Case cases[] = {
        {"the break byte goes back in", true, false, 0x00},
        {"the session ends", false, true, 0x04},
    };
    for (const Case& c : cases) {
        Running();
        g_flashMirror[0xC010] = 0x00;  // the break byte, in the mirror and in the chip
        ASSERT_EQ(Control().writeTarget(0xC010, Bytes{0x00}.data(), 1), Q3V_SIM_OK);
        CFirmCommand command;
        ASSERT_EQ(command.PutBackByte(0xC010, 0x04), kOk);
        EXPECT_EQ(Mirror(0xC010, 1), Bytes{0x04}) << c.what;
        EXPECT_TRUE(std::none_of(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), [](BYTE b) { return b != 0; }))
            << c.what;
        EXPECT_TRUE(FramesIn().empty()) << c.what << ": nothing sent";
        if (c.breakByteAgain) {
            g_firmWriteData[0] = 0x00;
            ASSERT_EQ(command.WriteMemory(access_code::kByte, 0xC010, 1, 1), kOk);
        }
        ASSERT_EQ(command.WriteBackFlash(), kOk) << c.what;
        EXPECT_EQ(FramesStartingWith("00 06 45").empty(), !c.written) << c.what;
        EXPECT_EQ(ReadTarget(0xC010, 1), Bytes{c.chip}) << c.what;
        EXPECT_TRUE(g_flashBlocks.chipBytes.empty()) << c.what;
        ClearFrames();
    }
}

// A programming of the whole chip (or a firmware download) clears the dirty
// flags: the records of bytes put back into the mirror alone go with them,
// so a later write of a recorded byte still makes its block dirty. (A stale
// record took the chip to hold that byte, and the write never reached it.)
TEST_F(FlashMirror, ClearingTheDirtyFlagsForgetsTheBytesPutBack) {
    Running();
    g_flashMirror[0xC010] = 0x00;  // the break byte, in the mirror and in the chip
    ASSERT_EQ(Control().writeTarget(0xC010, Bytes{0x00}.data(), 1), Q3V_SIM_OK);
    CFirmCommand command;
    ASSERT_EQ(command.PutBackByte(0xC010, 0x04), kOk);
    // The whole chip programmed from the mirror.
    ASSERT_EQ(Control().writeTarget(0xC010, Bytes{0x04}.data(), 1), Q3V_SIM_OK);
    command.ClearFlashDirtyFlags();
    EXPECT_TRUE(g_flashBlocks.chipBytes.empty());
    g_firmWriteData[0] = 0x00;
    ASSERT_EQ(command.WriteMemory(access_code::kByte, 0xC010, 1, 1), kOk);
    ASSERT_EQ(command.WriteBackFlash(), kOk);
    EXPECT_EQ(ReadTarget(0xC010, 1), Bytes{0x00}) << "the byte written reached the chip";
}

TEST_F(FlashMirror, AFailedWriteBackPutsTheSpecialRegisterBackAndKeepsItsBlocksDirty) {
    UseDevice(Device::Vk32D64, 2);
    Running();
    g_deviceValues.specialRegisters[0] = {0x000A, 0x03};
    ASSERT_EQ(Control().writeTarget(0x000A, Bytes{0x5F}.data(), 1), Q3V_SIM_OK);
    // A firmware RAM area that no single read can keep: the job stops.
    g_deviceAreas[kAreaFirm] = {1, 0x20000, 0x2FFFF};
    g_flashMirror[0xF0000] = 0x00;
    CFirmCommand command;
    command.MarkFlashDirty(0xF0000, 0xF0000);
    EXPECT_EQ(command.WriteBackFlash(), kAborted);
    EXPECT_EQ(ReadTarget(0x000A, 1), Bytes{0x0F}) << "the kept four bits are back";
    EXPECT_EQ(g_flashBlocks.dirty[0], 1);
    EXPECT_EQ(g_flashJobActive, 0u);
    EXPECT_TRUE(FramesStartingWith("00 06 5A 13").empty()) << "the flash was never handed over";
}

TEST_F(FlashMirror, AStepOrWriteStateOtherThanGoOnWritesNothingAndFailsNothing) {
    // Where the flash step and the write-state query fall among the frames.
    Running();
    g_flashMirror[0xE010] = 0x42;
    CFirmCommand().MarkFlashDirty(0xE010, 0xE010);
    ASSERT_EQ(CFirmCommand().WriteBackFlash(), kOk);
    const std::vector<std::string> frames = FramesIn();
    const auto step = std::find_if(frames.begin(), frames.end(),
                                   [](const std::string& f) { return f.starts_with("00 06 5A 13"); });
    ASSERT_NE(step, frames.end());
    // Each exchange is a transmit and a receive: the step's reply is the
    // receive of its exchange, the write state's the one after.
    const DWORD stepReply = 2 * static_cast<DWORD>(step - frames.begin()) + 2;
    const struct {
        const char* what;
        DWORD calls;
        DWORD fault;
        DWORD value;
        WORD result;
    } cases[] = {
        // The status is corrupted on its way: the firmware did hand the flash
        // to the writer, which refuses the work RAM's restore, and the job
        // says so rather than answering success over clobbered RAM.
        {"a step status other than 1", stepReply, Q3V_SIM_FAULT_CORRUPT_REPLY, 6, kNak},
        {"a write state other than 2", stepReply + 2, Q3V_SIM_FAULT_CORRUPT_REPLY, 6, kOk},
        {"a write state lost on the link", stepReply + 2, Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, kTimeout},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        Running();
        g_flashMirror[0xE010] = 0x42;
        CFirmCommand command;
        command.MarkFlashDirty(0xE010, 0xE010);
        ASSERT_EQ(Control().injectFaultAfter(c.calls, c.fault, c.value, 1), Q3V_SIM_OK);
        EXPECT_EQ(command.WriteBackFlash(), c.result) << c.what;
        EXPECT_EQ(g_flashBlocks.dirty[1], 1) << c.what << ": the next write-back tries again";
        EXPECT_TRUE(FramesStartingWith("00 06 45").empty()) << c.what << ": nothing erased";
        EXPECT_EQ(ReadTarget(0xE010, 1), Bytes{0xFF}) << c.what;
        EXPECT_EQ(g_flashJobActive, 0u) << c.what;
    }
}

TEST_F(FlashMirror, BlocksAreLoadedOnceInCpuRewriteMode) {
    Running();
    g_emuSel = connect_mode::kCpuRewriteMode;
    const Bytes code = {1, 2, 3, 4};
    ASSERT_EQ(Control().writeTarget(0xE000, code.data(), 4), Q3V_SIM_OK);
    CFirmCommand command;
    ASSERT_EQ(command.LoadFlashBlocks(0xE000, 0xE003), kOk);
    EXPECT_EQ(Mirror(0xE000, 4), code);
    EXPECT_EQ(g_flashBlocks.loaded[1], 1);
    EXPECT_EQ(FramesIn().size(), 32u) << "the 4 KiB block in 128-byte pieces";
    ClearFrames();
    ASSERT_EQ(command.LoadFlashBlocks(0xE000, 0xEFFF), kOk);
    EXPECT_TRUE(FramesIn().empty()) << "a loaded block is not read again";
}

TEST_F(FlashMirror, TheBootSequenceLoadsTheMirrorThroughTheFlashWriter) {
    const Bytes code = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(Control().writeTarget(0xC100, code.data(), 4), Q3V_SIM_OK);
    WriterLoaded();
    ASSERT_EQ(CFirmCommand().LoadFlashMirrorHalfPages(), kOk);
    EXPECT_EQ(Mirror(0xC100, 4), code);
    EXPECT_EQ(FramesIn().front(), "00 06 52 C0 00 00 A5 81") << "one 256-byte page a request";
}

TEST_F(FlashMirror, FlashWriteProgramsEveryBlockAndReportsItsChecksum) {
    WriterLoaded();
    g_flashMirror[0xC000] = 0x10;
    g_flashMirror[0xE0FF] = 0x20;
    CFirmCommand command;
    command.MarkFlashDirty(0xC000, 0xE0FF);
    ui_.AnswerNextMessageBox(IDOK);
    ASSERT_EQ(command.WriteFlashAndReport(), kOk);
    EXPECT_EQ(ReadTarget(0xC000, 1), Bytes{0x10});
    EXPECT_EQ(ReadTarget(0xE0FF, 1), Bytes{0x20});
    // 18,432 bytes of flash, all 0xFF but the two programmed.
    EXPECT_EQ(Messages(), std::vector<std::string>{"Flash memory writing OK.\nChecksum = H'0047B632\nID code=H'FFFFFFFFFFFFFF"});
    EXPECT_EQ(HostReports(), (std::vector<std::string>{" Flash memory writing ... ", " Flash memory write end "}));
}

TEST_F(FlashMirror, TheFirmwaresVectorsAndABlankIdCodeArePutBack) {
    Running();
    g_flashMirror[0xFFE5] = 0x00;  // the first vector changed
    g_flashMirror[0xFFDF] = 0x12;  // and an ID-code byte
    CFirmCommand command;
    ASSERT_EQ(command.CheckFirmwareVectors(), kOk);
    EXPECT_EQ(Mirror(0xFFE4, 4), Bytes({0x40, 0xF0, 0x00, 0x00}));
    EXPECT_EQ(Mirror(0xFFDF, 1), Bytes{0xFF});
    EXPECT_EQ(g_flashBlocks.dirty[2], 1) << "so the next write-back programs them";
    EXPECT_TRUE(FramesIn().empty()) << "all in the mirror";
    command.ClearFlashDirtyFlags();
    ASSERT_EQ(command.CheckFirmwareVectors(), kOk);
    EXPECT_EQ(g_flashBlocks.dirty[2], 0) << "nothing to put back";
}

}  // namespace
}  // namespace linktest
