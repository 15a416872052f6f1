// Replies that are whole frames but not the reply the request asked for: a
// bare acknowledge in place of a firmware reply or of a page. Each is a
// failed exchange, never stale data from an earlier reply. And replies that
// come late: within the receive time-out they are taken, past it the
// exchange times out.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

namespace linktest {
namespace {

using namespace link_result;

class ShortReplies : public LinkTest {
protected:
    // A whole reply in the reply buffer, as an earlier exchange leaves it.
    void CleanExchange() {
        std::array<BYTE, 13> version{};
        ASSERT_EQ(CFirmCommand().ReadVersion(version), kOk);
    }
    // The flash writer loaded, as the boot sequence leaves the target.
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
};

TEST_F(ShortReplies, AFirmwareRequestAnsweredWithABareAcknowledgeFails) {
    StartFirmware();
    std::array<BYTE, 4> read{};
    std::array<DWORD, 20> registers{};
    std::array<BYTE, 13> version{};
    const struct {
        const char* what;
        std::function<WORD(CFirmCommand&)> run;
    } cases[] = {
        {"verified memory write",
         [](CFirmCommand& c) {
             g_firmWriteData[0] = 0x5A;
             return c.WriteMemory(access_code::kByte, 0x0456, 1, 1);
         }},
        {"memory read", [&](CFirmCommand& c) { return c.ReadMemory(access_code::kWord, 0x0400, 4, read.data()); }},
        {"register write", [&](CFirmCommand& c) { return c.WriteRegisterFile(registers); }},
        {"register read", [&](CFirmCommand& c) { return c.ReadRegisterFile(registers); }},
        {"version", [&](CFirmCommand& c) { return c.ReadVersion(version); }},
        {"CPU reset",
         [](CFirmCommand& c) {
             c.BuildRequest(firm_code::kReset);
             const WORD sent = c.Transfer(firm_code::kReset);
             return sent != kOk ? sent : c.ParseReply(firm_code::kReset);
         }},
        {"flash write-back step",
         [](CFirmCommand& c) {
             c.BuildRequest(firm_code::kFlashStep);
             const WORD sent = c.Transfer(firm_code::kFlashStep);
             return sent != kOk ? sent : c.ParseReply(firm_code::kFlashStep);
         }},
    };
    for (const auto& c : cases) {
        Link().SetOpen(1);
        CleanExchange();
        Inject(Q3V_SIM_FAULT_BARE_ACK, 0, 1);
        CFirmCommand command;
        EXPECT_EQ(c.run(command), kTimeout) << c.what;
        EXPECT_TRUE(Link().IsLinkLost()) << c.what << ": the exchange is out of step";
    }
    EXPECT_EQ(ReadTarget(0x0456, 1), Bytes{0x00}) << "the verified write never happened";
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE) << "nor did the flash change hands";
}

TEST_F(ShortReplies, APageReadAnsweredWithABareAcknowledgeLoadsNothingIntoTheMirror) {
    const Bytes code = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(Control().writeTarget(0xC000, code.data(), 4), Q3V_SIM_OK);
    WriterLoaded();
    Inject(Q3V_SIM_FAULT_BARE_ACK, 'R', 1);
    EXPECT_EQ(CFirmCommand().LoadFlashMirrorHalfPages(), kTimeout);
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xC000, g_flashMirror.begin() + 0xC004), Bytes(4, 0xFF))
        << "no acknowledge bytes to be programmed later";
    EXPECT_EQ(CFirmCommand().LoadFlashMirrorHalfPages(), kOk);
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xC000, g_flashMirror.begin() + 0xC004), code);
}

TEST_F(ShortReplies, FlashWriteEndsWithoutAVerdictWhenAChecksumPageIsABareAcknowledge) {
    WriterLoaded();
    g_flashMirror[0xC000] = 0x10;
    CFirmCommand command;
    command.MarkFlashDirty(0xC000, 0xC000);
    Inject(Q3V_SIM_FAULT_BARE_ACK, 'R', 1);
    EXPECT_EQ(command.WriteFlashAndReport(), kTimeout);
    EXPECT_EQ(ReadTarget(0xC000, 1), Bytes{0x10}) << "the programming itself went through";
    EXPECT_TRUE(Messages().empty()) << "neither a checksum verdict nor an ID code from an acknowledge";
}

TEST_F(ShortReplies, AReplyHeldPastTheMonitorsTimeOutTimesTheExchangeOut) {
    StartFirmware();
    std::array<BYTE, 13> version{};
    // The monitor's exchanges wait 30 s for their reply.
    Inject(Q3V_SIM_FAULT_DELAY, 29000, 1);
    DWORD start = GetTickCount();
    EXPECT_EQ(CFirmCommand().ReadVersion(version), kOk);
    EXPECT_GE(GetTickCount() - start, 29000u);
    Inject(Q3V_SIM_FAULT_DELAY, 30000, 1);
    start = GetTickCount();
    EXPECT_EQ(CFirmCommand().ReadVersion(version), kTimeout);
    EXPECT_GE(GetTickCount() - start, 30000u);
    EXPECT_TRUE(Link().IsLinkLost());
}

}  // namespace
}  // namespace linktest
