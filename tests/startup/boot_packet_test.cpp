// The boot command packets: their frames byte for byte, the reply check and
// decoding, and the packet operations over the simulated emulator's flash
// writer with their argument checks and last boot status.
#include "startup/boot_packet.h"

#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numeric>

namespace linktest {
namespace {

Bytes Counting(std::size_t count, BYTE first = 0) {
    Bytes bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

std::array<BYTE, 128> Block(BYTE first) {
    std::array<BYTE, 128> block{};
    std::iota(block.begin(), block.end(), first);
    return block;
}

TEST(BootPacketFrames, EachPacketLaysOutItsFrame) {
    const auto block = Block(0);
    // The write block's sum: its address bytes and its 128 data bytes.
    const BYTE sum = static_cast<BYTE>(0xF0 + 0x34 + 0x12 + std::accumulate(block.begin(), block.end(), 0));
    Bytes writeBlock = Hex("00 86 F0 34 12 00");
    writeBlock.insert(writeBlock.end(), block.begin(), block.end());
    writeBlock.push_back(sum);
    writeBlock.push_back(0x81);
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CBootPacket>()> make;
        Bytes frame;
    };
    const Case cases[] = {
        {"W", [] { return std::make_unique<CBootPacketW>(nullptr); }, Hex("00 02 57 81")},
        {"write block", [&] { return std::make_unique<CBootPacketWriteBlock>(nullptr, 0x1234F0, block); },
         writeBlock},
        {"close", [] { return std::make_unique<CBootPacket11>(nullptr); }, Hex("00 02 11 81")},
        {"erase", [] { return std::make_unique<CBootPacketErase>(nullptr, 0x00DFFE); },
         Hex("00 06 45 FE DF 00 00 81")},
        {"read", [] { return std::make_unique<CBootPacketRead>(nullptr, 0x12FF00); },
         Hex("00 06 52 FF 12 00 A5 81")},
        {"go", [] { return std::make_unique<CBootPacketGo>(nullptr, 0x0000F024); }, Hex("00 06 46 24 F0 00 00 81")},
    };
    for (const Case& c : cases) {
        const auto packet = c.make();
        packet->Build();
        EXPECT_EQ(HexText(packet->Request()), HexText(c.frame)) << c.name;
    }
}

TEST(BootPacketFrames, AddressesGoLowByteFirstOrHighByteFirst) {
    CBootPacketW packet(nullptr);
    packet.AppendAddress(0x11223344, true);
    packet.AppendAddress(0x11223344, false);
    packet.Build();
    EXPECT_EQ(HexText(packet.Request()), "00 02 57 44 33 22 11 11 22 33 44 81")
        << "the count is the packet's own: the base appends what it is given";
}

TEST(BootPacketReplies, TheCheckTakesTheFrameAndTheStatus) {
    Bytes page = Hex("01 02");
    const Bytes data = Counting(256);
    page.insert(page.end(), data.begin(), data.end());
    page.push_back(0xA5);
    page.push_back(0x81);
    Bytes pageWithoutPad = page;
    pageWithoutPad[258] = 0x00;
    Bytes pageCountedShort = page;
    pageCountedShort[1] = 0x01;
    struct Case {
        const char* name;
        bool read;
        Bytes reply;
        bool good;
        BYTE status;
    };
    const Case cases[] = {
        {"acknowledge", false, Hex("00 02 06 81"), true, 6},
        {"sum error", false, Hex("00 02 91 81"), false, 0x91},
        {"write error", false, Hex("00 02 A3 81"), false, 0xA3},
        {"a count that names three bytes", false, Hex("00 03 06 81"), false, 6},
        {"no closing byte", false, Hex("00 02 06 80"), false, 6},
        {"cut short", false, Hex("00 02 06"), false, 6},
        {"nothing", false, {}, false, 6},
        {"a whole page", true, page, true, 6},
        {"an acknowledge is no page", true, Hex("00 02 06 81"), false, 6},
        {"a page without its pad", true, pageWithoutPad, false, 6},
        {"a page counted short", true, pageCountedShort, false, 6},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CBootPacket> packet;
        if (c.read) {
            packet = std::make_unique<CBootPacketRead>(nullptr, 0);
        } else {
            packet = std::make_unique<CBootPacketErase>(nullptr, 0);
        }
        packet->TakeReply(c.reply);
        EXPECT_EQ(packet->CheckReply(), c.good) << c.name;
        EXPECT_EQ(packet->Status(), c.status) << c.name;
    }
}

TEST(BootPacketReplies, TheReadPacketsDataIsThePagesBytes) {
    CBootPacketRead packet(nullptr, 0x100);
    EXPECT_TRUE(packet.Data().empty()) << "before a decoded reply";
    Bytes reply = Hex("01 02");
    const Bytes data = Counting(256, 7);
    reply.insert(reply.end(), data.begin(), data.end());
    reply.insert(reply.end(), {0xA5, 0x81, 0x55});  // a byte too many is not kept
    packet.TakeReply(reply);
    ASSERT_TRUE(packet.CheckReply());
    packet.DecodeReply();
    EXPECT_EQ(Bytes(packet.Data().begin(), packet.Data().end()), data);
}

// The packet operations against the flash writer in the simulated target.
class BootPacketOperations : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        ASSERT_EQ(Channel().UnlockWithIdCode(), link_result::kOk);
        const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
        const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
        ASSERT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), link_result::kOk);
        ASSERT_EQ(Channel().SendDataBlock(), link_result::kOk);
        Link().SetOpen(1);
        ClearFrames();
    }
};

TEST_F(BootPacketOperations, RefusedArgumentsSendNothingAndLeave255) {
    std::array<BYTE, 256> page{};
    const auto block = Block(0);
    struct Case {
        const char* name;
        std::function<int()> operation;
    };
    const Case cases[] = {
        {"odd erase address", [] { return EraseFlashBlock(0xDFFF); }},
        {"odd write address", [&] { return WriteFlashBlock128(0xC001, block); }},
        {"a write of 127 bytes", [&] { return WriteFlashBlock128(0xC000, std::span(block).first(127)); }},
        {"an unaligned page", [&] { return ReadFlashPage256(0xC080, page); }},
        {"a page buffer of 255 bytes", [&] { return ReadFlashPage256(0xC000, std::span(page).first(255)); }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.operation(), 0) << c.name;
        EXPECT_EQ(GetLastBootStatus(), 255) << c.name;
    }
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(BootPacketOperations, AWriteEraseAndReadRoundTheFlash) {
    const auto block = Block(0x20);
    ASSERT_EQ(EraseFlashBlock(0xDFFE), 1);
    ASSERT_EQ(OpenImageWrite(), 1);
    ASSERT_EQ(WriteFlashBlock128(0xC080, block), 1);
    ASSERT_EQ(CloseImageWrite(), 1);
    EXPECT_EQ(GetLastBootStatus(), 6);
    EXPECT_EQ(ReadTarget(0xC080, 128), Bytes(block.begin(), block.end()));
    std::array<BYTE, 256> page{};
    page.fill(0x5A);
    ASSERT_EQ(ReadFlashPage256(0xC000, page), 1);
    EXPECT_EQ(Bytes(page.begin(), page.end()), ReadTarget(0xC000, 256));
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0], "00 06 45 FE DF 00 00 81");
    EXPECT_EQ(frames[1], "00 02 57 81");
    EXPECT_EQ(frames[3], "00 02 11 81");
    EXPECT_EQ(frames[4], "00 06 52 C0 00 00 A5 81");
}

TEST_F(BootPacketOperations, AFailureLeavesTheRepliesStatus) {
    const auto block = Block(0);
    ASSERT_EQ(OpenImageWrite(), 1);
    Inject(Q3V_SIM_FAULT_STATUS, 0x91, 1);
    EXPECT_EQ(WriteFlashBlock128(0xC000, block), 0);
    EXPECT_EQ(GetLastBootStatus(), 0x91);
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(WriteFlashBlock128(0xC000, block), 0);
    EXPECT_EQ(GetLastBootStatus(), 0xA3);
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(EraseFlashBlock(0xDFFE), 0);
    EXPECT_EQ(GetLastBootStatus(), 0xA1);
    // An acknowledge where a page belongs carries no status of its own.
    Inject(Q3V_SIM_FAULT_BARE_ACK, 0x52, 1);
    std::array<BYTE, 256> page{};
    EXPECT_EQ(ReadFlashPage256(0xC000, page), 0);
    EXPECT_EQ(GetLastBootStatus(), 255);
    EXPECT_EQ(::StartFirmware(0xF024), 1) << "the link is still good";
    EXPECT_EQ(GetLastBootStatus(), 6);
}

TEST_F(BootPacketOperations, ALostLinkSendsNothingMore) {
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(OpenImageWrite(), 0);
    EXPECT_EQ(GetLastBootStatus(), 255);
    ClearFrames();
    EXPECT_EQ(CloseImageWrite(), 0);
    EXPECT_TRUE(FramesIn().empty()) << "the link is lost";
}

}  // namespace
}  // namespace linktest
