// The work RAM around a flash write-back, through the simulated emulator:
// the flash writer runs in the user's RAM and the firmware's, so the job
// keeps both windows (read twice, so a corrupted reply is never taken for
// the user's data) and writes them back, verified, on every way out once the
// save succeeded, answering the first failure.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include "platform/ui_script.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace linktest {
namespace {

using namespace link_result;

// The windows of the demo device: user RAM from the flash writer's address
// for a kilobyte, and the firmware's RAM.
constexpr DWORD kUserRam = 0x0400;
constexpr std::size_t kUserRamBytes = 0x400;
constexpr DWORD kFirmwareRam = 0x0A00;
constexpr std::size_t kFirmwareRamBytes = 0x200;

Bytes Pattern(std::size_t count, BYTE step, BYTE first) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<BYTE>(first + step * i);
    }
    return bytes;
}

class WorkRam : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        Prepare();
    }
    // The firmware running with the user's RAM filled, the mirror as the
    // chip holds it, and a change in blocks 0 and 1 of the mirror.
    void Prepare() {
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        StartFirmware();
        CFirmCommand command;
        command.ResetFlashBlocks();
        ASSERT_EQ(command.RefreshFlashMirror(), kOk);
        ASSERT_EQ(Control().writeTarget(kUserRam, userRam_.data(), kUserRamBytes), Q3V_SIM_OK);
        ASSERT_EQ(Control().writeTarget(kFirmwareRam, firmwareRam_.data(), kFirmwareRamBytes), Q3V_SIM_OK);
        g_flashMirror[0xC010] = 0x42;
        g_flashMirror[0xE010] = 0x43;
        command.MarkFlashDirty(0xC010, 0xC010);
        command.MarkFlashDirty(0xE010, 0xE010);
        ClearFrames();
    }
    void ExpectRamAsBefore(const std::string& what) const {
        ExpectWindow(kUserRam, userRam_, what + ": the user's RAM");
        ExpectWindow(kFirmwareRam, firmwareRam_, what + ": the firmware's RAM");
    }
    void ExpectWindow(DWORD top, const Bytes& expected, const std::string& what) const {
        const Bytes held = ReadTarget(top, expected.size());
        const auto differ = std::mismatch(held.begin(), held.end(), expected.begin());
        if (differ.first != held.end()) {
            ADD_FAILURE() << what << " differs first at " << std::hex << top + (differ.first - held.begin())
                          << ": " << int{*differ.first} << " for " << int{*differ.second};
        }
    }
    bool Sent(const std::string& prefix) const {
        const std::vector<std::string> frames = FramesIn();
        return std::any_of(frames.begin(), frames.end(), [&](const std::string& f) { return f.starts_with(prefix); });
    }
    // The driver call that transmits the first frame beginning with prefix
    // in a write-back that meets no fault: each exchange is a transmit and a
    // receive.
    DWORD TransmitCallOf(const std::string& prefix) {
        EXPECT_EQ(CFirmCommand().WriteBackFlash(), kOk);
        const std::vector<std::string> frames = FramesIn();
        const auto at = std::find_if(frames.begin(), frames.end(),
                                     [&](const std::string& f) { return f.starts_with(prefix); });
        EXPECT_NE(at, frames.end()) << prefix;
        Prepare();
        return 2 * static_cast<DWORD>(at - frames.begin()) + 1;
    }

    const Bytes userRam_ = Pattern(kUserRamBytes, 7, 1);
    const Bytes firmwareRam_ = Pattern(kFirmwareRamBytes, 3, 0x40);
};

TEST_F(WorkRam, ASuccessfulWriteBackPutsTheRamBack) {
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kOk);
    EXPECT_EQ(ReadTarget(0xC010, 1), Bytes{0x42});
    EXPECT_EQ(ReadTarget(0xE010, 1), Bytes{0x43});
    ExpectRamAsBefore("success");
}

TEST_F(WorkRam, ACorruptedReadDuringTheSaveStopsTheWriteBackBeforeAnythingIsErased) {
    // The save's first reply: a data byte of the firmware's RAM inverted.
    ASSERT_EQ(Control().injectFaultAfter(2, Q3V_SIM_FAULT_CORRUPT_REPLY, 12 + 5, 1), Q3V_SIM_OK);
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kAborted);
    EXPECT_FALSE(Sent("00 06 5A 13")) << "the flash was never handed over";
    EXPECT_FALSE(Sent("00 06 45")) << "nothing erased";
    EXPECT_EQ(g_flashBlocks.dirty[0], 1);
    EXPECT_EQ(g_flashBlocks.dirty[1], 1);
    EXPECT_EQ(g_flashJobActive, 0u);
    ExpectRamAsBefore("a corrupted save");
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kOk) << "the next write-back tries again";
    ExpectRamAsBefore("the next write-back");
}

TEST_F(WorkRam, TheRestoreWritesWithTheVerifyFlag) {
    // The job's only verified writes are the restore's: the first piece is
    // answered "BT" twice, once more than a piece is tried again (its bytes
    // are written all the same).
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 2);
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), 0x4254);
    EXPECT_EQ(ReadTarget(0xE010, 1), Bytes{0x43}) << "the flash was written";
    EXPECT_EQ(g_flashBlocks.dirty[1], 0);
    ExpectRamAsBefore("a failed verify: the rest is restored all the same");
}

TEST_F(WorkRam, ARestorePieceRefusedOnceIsWrittenAgain) {
    // The restore's first piece (64 bytes at 0x400) is refused unread once.
    const DWORD restore = TransmitCallOf("00 50 5A 12 00 50 00 04 00 00");
    ASSERT_EQ(Control().injectFaultAfter(restore, Q3V_SIM_FAULT_NAK, 0, 1), Q3V_SIM_OK);
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kOk);
    ExpectRamAsBefore("a restore piece refused once");
    EXPECT_EQ(g_flashBlocks.dirty[1], 0);
}

TEST_F(WorkRam, EveryWayOutOfTheJobPutsTheRamBackAndAnswersTheFirstFailure) {
    const struct {
        const char* what;
        DWORD call;
        DWORD fault;
        WORD result;
        BYTE dirty0;  // the blocks' flags afterwards
        BYTE dirty1;
    } cases[] = {
        {"a failing erase", TransmitCallOf("00 06 45"), Q3V_SIM_FAULT_ERASE, kEraseError, 1, 1},
        {"a failing begin step", TransmitCallOf("00 02 57 81"), Q3V_SIM_FAULT_NAK, kNak, 1, 1},
        {"the second block's program failing", TransmitCallOf("00 86 00 E0"), Q3V_SIM_FAULT_PROGRAM, kWriteError,
         0, 1},
        {"a failing end step", TransmitCallOf("00 02 11 81"), Q3V_SIM_FAULT_NAK, kNak, 0, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Control().injectFaultAfter(c.call, c.fault, 0, 1), Q3V_SIM_OK) << c.what;
        EXPECT_EQ(CFirmCommand().WriteBackFlash(), c.result) << c.what;
        ExpectRamAsBefore(c.what);
        EXPECT_EQ(g_flashBlocks.dirty[0], c.dirty0) << c.what;
        EXPECT_EQ(g_flashBlocks.dirty[1], c.dirty1) << c.what;
        EXPECT_EQ(g_flashJobActive, 0u) << c.what;
        std::array<BYTE, 13> version{};
        EXPECT_EQ(CFirmCommand().ReadVersion(version), kOk) << c.what << ": the firmware has the target back";
        Prepare();
    }
}

TEST_F(WorkRam, AConnectorCancelledDuringTheJobIsAskedAboutOnceMoreForTheRestore) {
    platform::ScriptedUiDriver unattended;  // every box its default, Retry, until it comes back unchanged
    // The save's last reply comes late, so the flash step's connector check
    // is due, and the connector is gone by then.
    const DWORD step = TransmitCallOf("00 06 5A 13");
    ASSERT_EQ(Control().injectFaultAfter(step - 1, Q3V_SIM_FAULT_DELAY, 600, 1), Q3V_SIM_OK);
    ASSERT_EQ(Control().injectFaultAfter(step - 1, Q3V_SIM_FAULT_CONNECTOR, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kNotConnected);
    EXPECT_EQ(unattended.MessageBoxes().size(), std::size_t{2 * platform::kUnchangedBoxLimit})
        << "the job's question, and one for the restore: a link that is gone is not asked about piece by piece";
    EXPECT_EQ(g_flashBlocks.dirty[0], 1);
    Control().clearFaults();
}

TEST_F(WorkRam, ALinkLostDuringTheJobLeavesTheRestoreFailingQuietly) {
    const DWORD erase = TransmitCallOf("00 06 45");
    ASSERT_EQ(Control().injectFaultAfter(erase, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    const DWORD start = GetTickCount();
    EXPECT_EQ(CFirmCommand().WriteBackFlash(), kTimeout) << "the first failure";
    EXPECT_LT(GetTickCount() - start, 1000u) << "nothing waits for a link that is gone";
    EXPECT_TRUE(Link().IsLinkLost());
    EXPECT_EQ(g_flashBlocks.dirty[0], 1);
    EXPECT_EQ(g_flashBlocks.dirty[1], 1);
    EXPECT_EQ(g_flashJobActive, 0u);
    EXPECT_TRUE(Messages().empty()) << "the restore fails without a word of its own";
    Control().clearFaults();
}

}  // namespace
}  // namespace linktest
