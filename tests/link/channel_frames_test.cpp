// The adapter channel's frames byte for byte as the simulated emulator logs
// them, its status replies, its receive time-out and abort, and its
// connector check.
#include "link/firm_buffers.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_services.h"
#include "res/resource_ids.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace linktest {
namespace {

using namespace link_result;

struct FrameCase {
    const char* name;
    Device device;
    DWORD protocolType;
    std::function<void(CEmulatorChannel&)> operation;
    const char* firstFrame;  // nullptr: nothing is sent
};

class ChannelFrames : public LinkTest {};

TEST_F(ChannelFrames, EveryCommandGoesOutAsTheWireTablesSay) {
    std::array<BYTE, 256> page{};
    for (std::size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<BYTE>(i);
    }
    const FrameCase cases[] = {
        {"status read", Device::Vk31D16, 1, [](auto& c) { WORD s = 0; c.ReadStatus(&s); },
         "00 06 00 01 00 02 70 81"},
        {"ID check, blank code", Device::Vk31D16, 1, [](auto& c) { c.UnlockWithIdCode(); },
         "00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81"},
        {"version", Device::Vk31D16, 1, [](auto& c) { c.ReadVersionInfo(); }, "00 06 00 01 00 08 FB 81"},
        {"baud rate B2", Device::Vk31D16, 1, [](auto& c) { c.SetBaudRate(0xB2); }, "00 06 00 01 00 01 B2 81"},
        {"baud rate B6", Device::Vk31D16, 1, [](auto& c) { c.SetBaudRate(0xB6); },
         "00 08 00 02 00 01 B5 00 A5 81"},
        {"baud rate B8", Device::Vk31D16, 1, [](auto& c) { c.SetBaudRate(0xB8); },
         "00 08 00 02 00 01 B5 FF A5 81"},
        {"baud rate B9", Device::Vk31D16, 1, [](auto& c) { c.SetBaudRate(0xB9); }, nullptr},
        {"baud index 9", Device::Vk31D16, 1, [](auto& c) { c.SetAdapterBaudRate(9); },
         "00 06 00 01 00 01 B0 81"},
        {"address", Device::Vk31D16, 1, [](auto& c) { c.SetAddress(0x123456); },
         "00 0A 00 04 00 00 29 56 34 12 A5 81"},
        {"bulk data, 3 bytes", Device::Vk31D16, 1,
         [](auto& c) {
             const BYTE data[] = {1, 2, 3};
             c.SetDataBlock(0, 3, data);
             c.SendDataBlock();
         },
         "00 0C 00 07 00 00 FA 03 00 06 01 02 03 81"},
        {"bulk data, 4 bytes", Device::Vk31D16, 1,
         [](auto& c) {
             const BYTE data[] = {1, 2, 3, 4};
             c.SetDataBlock(0, 4, data);
             c.SendDataBlock();
         },
         "00 0E 00 08 00 00 FA 04 00 0A 01 02 03 04 A5 81"},
        {"firmware check", Device::Vk31D16, 1, [](auto& c) { c.CheckFirmwareResponse(); },
         "00 08 00 02 00 01 72 92 A5 81"},
        {"record read, type 1", Device::Vk31D16, 1,
         [](auto& c) {
             std::vector<BYTE> reply(1024);
             c.ReadAdapterRecord(0x123456, reply);
         },
         "00 06 52 34 12 00 A5 81"},
        {"erase by start, type 1", Device::Vk31D16, 1, [](auto& c) { c.EraseAdapterBlock(0); },
         "00 06 45 00 C0 00 00 81"},
        {"write", Device::Vk31D16, 1, [](auto& c) { c.BeginAdapterWrite(); }, "00 02 57 81"},
        {"boot", Device::Vk31D16, 0, [](auto& c) { c.BeginAdapterBoot(); }, "00 02 42 81"},
        {"end of write", Device::Vk31D16, 1, [](auto& c) { c.EndAdapterWrite(); }, "00 02 11 81"},
        {"run state", Device::Vk31D16, 1, [](auto& c) { c.QueryRunState(0); }, "00 06 5A 22 00 06 A5 81"},
        {"page read", Device::Vk32D64, 2, [&](auto& c) { c.ReadPage(0x0FF000, page); },
         "00 08 00 03 01 00 FF F0 0F 81"},
        {"block erase", Device::Vk32D64, 2, [](auto& c) { c.EraseBlock(0x0FFFFF); },
         "00 0A 00 04 00 00 20 FF 0F D0 A5 81"},
        {"erase all", Device::Vk32D64, 2, [](auto& c) { c.EraseAllBlocks(); }, "00 08 00 02 00 00 A7 D0 A5 81"},
        {"clear status", Device::Vk32D64, 2, [](auto& c) { c.ClearStatus(); }, "00 06 00 01 00 00 50 81"},
        {"lock bit read", Device::Vk32D64, 2, [](auto& c) { BYTE b = 0; c.ReadLockBit(0x0FF000, &b); },
         "00 08 00 03 00 01 71 F0 0F 81"},
        {"lock bit program", Device::Vk32D64, 3, [](auto& c) { c.ProgramLockBit(0x0FF000); },
         "00 0A 00 04 00 00 77 F0 0F D0 A5 81"},
        {"lock bit program, type 4", Device::Vk31D16, 4, [](auto& c) { c.ProgramLockBit(0xF000); }, nullptr},
        {"lock bits off", Device::Vk32D64, 2, [](auto& c) { c.DisableLockBits(); }, "00 06 00 01 00 00 7A 81"},
        {"lock bits on", Device::Vk32D64, 2, [](auto& c) { c.EnableLockBits(); }, "00 06 00 01 00 00 75 81"},
        {"page program, erased page", Device::Vk32D64, 2,
         [](auto& c) {
             std::array<BYTE, 256> erased{};
             erased.fill(0xFF);
             c.ProgramPage(0x0FF000, erased);
         },
         nullptr},
        {"record read, type 2", Device::Vk32D64, 2,
         [](auto& c) {
             std::vector<BYTE> reply(1024);
             c.ReadAdapterRecord(0x0FF000, reply);
         },
         "00 04 52 F0 0F 81"},
        {"erase by end, type 2", Device::Vk32D64, 2, [](auto& c) { c.EraseAdapterBlockEnd(4); },
         "00 06 45 FE FF 0F 00 81"},
        {"page read, type 1", Device::Vk31D16, 1, [&](auto& c) { c.ReadPage(0xF000, page); }, nullptr},
        {"record read, type 0", Device::Vk31D16, 0,
         [](auto& c) {
             std::vector<BYTE> reply(1024);
             c.ReadAdapterRecord(0x12B4, reply);
         },
         "00 06 52 80 12 00 A5 81"},
        {"erase by start, type 0", Device::Vk31D16, 0, [](auto& c) { c.EraseAdapterBlock(0); },
         "00 04 45 00 C0 81"},
        {"unlock, type 0", Device::Vk31D16, 0, [](auto& c) { c.UnlockWithIdCode(); }, "00 02 EF 81"},
        {"reset-unlock, type 0", Device::Vk31D16, 0, [](auto& c) { c.ResetAndUnlock(); }, "00 02 DE 81"},
        {"ID check, type 0", Device::Vk31D16, 0, [](auto& c) { c.CheckIdCodeWithPrompt(); }, "00 02 AA 81"},
        {"ID echo, type 0", Device::Vk31D16, 0, [](auto& c) { c.CheckIdCodeEcho(); },
         "00 08 FF FF FF FF FF FF FF 81"},  // the blank code the case before set
        {"raw block, 3 bytes", Device::Vk31D16, 0,
         [](auto& c) {
             const BYTE data[] = {1, 2, 3};
             c.SetDataBlock(0, 3, data);
             c.SendRawBlock();
         },
         "00 04 01 02 03 81"},
        {"raw block, 4 bytes", Device::Vk31D16, 0,
         [](auto& c) {
             const BYTE data[] = {1, 2, 3, 4};
             c.SetDataBlock(0, 4, data);
             c.SendRawBlock();
         },
         "00 06 01 02 03 04 A5 81"},
        {"status read, type 0", Device::Vk31D16, 0, [](auto& c) { WORD s = 0; c.ReadStatus(&s); }, nullptr},
    };
    ui_.OnDialog(res_id::kIdCodeDialog).PressCancel();  // the code the reset-unlock of type 0 asks for
    for (const FrameCase& c : cases) {
        UseDevice(c.device, c.protocolType);
        ClearFrames();
        c.operation(Channel());
        const std::vector<std::string> frames = FramesIn();
        if (c.firstFrame == nullptr) {
            EXPECT_TRUE(frames.empty()) << c.name << ": " << (frames.empty() ? "" : frames[0]);
        } else {
            ASSERT_FALSE(frames.empty()) << c.name;
            EXPECT_EQ(frames[0], c.firstFrame) << c.name;
        }
    }
}

TEST_F(ChannelFrames, APageProgramCarriesItsAddressAndAllTwoHundredFiftySixBytes) {
    UseDevice(Device::Vk32D64, 2);
    std::array<BYTE, 256> page{};
    for (std::size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<BYTE>(i);
    }
    Channel().ProgramPage(0x0FF100, page);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 1u);
    Bytes expected = Hex("01 08 01 03 00 00 41 F1 0F");
    expected.insert(expected.end(), page.begin(), page.end());
    expected.push_back(0x81);
    EXPECT_EQ(frames[0], HexText(expected));
}

TEST_F(ChannelFrames, TheResynchronisationRequestGoesOutAsItsSixteenBytesAlone) {
    Control().installFirmware();
    g_registerImage.fill(0x5A5A5A5A);
    EXPECT_EQ(Channel().ResetAndInitMonitor(), kOk);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], "A5 F0 5A 0F 00 00 00 10 01 00 00 00 A5 F0 5A 0F");
    EXPECT_EQ(HexText(Bytes(g_firmReplyBuffer.begin(), g_firmReplyBuffer.begin() + 10)),
              "00 08 5A 0F 00 08 00 00 A5 81");
    EXPECT_EQ(g_registerImage[14], 0u) << "the register image is cleared";
    EXPECT_EQ(ReadRegister(0x40000C)[0], 3 << 2) << "the adapter's control byte carries the clock index";
}

TEST_F(ChannelFrames, RunTimeIsCountedOnceForEachTick) {
    g_runTickMark = clock_.Now();
    const DWORD total = g_runTicksTotal;
    clock_.Advance(100);
    const DWORD first = Channel().AccumulateElapsedTicks();
    EXPECT_GE(first, 100u);
    EXPECT_LE(Channel().AccumulateElapsedTicks(), 2u) << "the next call counts only the ticks since the first";
    EXPECT_LE(g_runTicksTotal - total, first + 2);
}

TEST_F(ChannelFrames, AFrameWhoseCountReachesPastItsBufferIsNotSent) {
    std::array<BYTE, 8> frame{0x00, 0x10, 0x5A, 0x01, 0x00, 0x06, 0xA5, 0x81};
    EXPECT_EQ(Channel().SendPacket(frame), kAborted);
    std::array<BYTE, 1> tooShort{0x00};
    EXPECT_EQ(Channel().SendPacket(tooShort), kAborted);
    EXPECT_TRUE(FramesIn().empty());
    std::array<BYTE, 8> fits{0x00, 0x06, 0x00, 0x01, 0x00, 0x02, 0x70, 0x81};
    EXPECT_EQ(Channel().SendPacket(fits), kOk);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 00 01 00 02 70 81"});
}

TEST_F(ChannelFrames, StatusRepliesMapToTheirResultWordsAndFlashStatusesShowTheirMessages) {
    const struct {
        BYTE status;
        WORD word;
        const char* message;
    } cases[] = {
        {0x06, kOk, nullptr},
        {0x15, kNak, nullptr},
        {0x83, kFrequencyError, "Frequency error"},
        {0x85, kBootCodeError, "Boot code error"},
        {0x91, kSumCheckError, "Sum check error"},
        {0xA1, kEraseError, "Flash memory erase error !\nChange device"},
        {0xA3, kWriteError, "Flash memory write error"},
    };
    for (const auto& c : cases) {
        const std::size_t shown = Messages().size();
        Inject(Q3V_SIM_FAULT_STATUS, c.status, 1);
        EXPECT_EQ(Channel().BeginAdapterWrite(), c.word) << std::hex << int(c.status);
        if (c.message == nullptr) {
            EXPECT_EQ(Messages().size(), shown) << std::hex << int(c.status);
        } else {
            ASSERT_EQ(Messages().size(), shown + 1) << std::hex << int(c.status);
            EXPECT_EQ(Messages().back(), c.message);
            EXPECT_EQ(ui_.MessageBoxes().back().type, MB_ICONWARNING);
        }
    }
    EXPECT_EQ(CEmulatorChannel::ShowFlashError(kTimeout), 0);
    EXPECT_EQ(CEmulatorChannel::ShowFlashError(150), 0);
}

TEST_F(ChannelFrames, BrokenRepliesAreNoReplies) {
    const struct {
        DWORD fault;
        DWORD value;
    } faults[] = {
        {Q3V_SIM_FAULT_SHORT_REPLY, 3},      // cut before its closing byte
        {Q3V_SIM_FAULT_CORRUPT_REPLY, 5},    // the closing byte of 00 04 s1 s2 A5 81 inverted
    };
    for (const auto& f : faults) {
        Inject(f.fault, f.value, 1);
        WORD status = 0x1234;
        EXPECT_EQ(Channel().ReadStatus(&status), kTimeout);
        EXPECT_EQ(status, 0x1234) << "nothing is filled from a broken reply";
    }
    WORD status = 0;
    EXPECT_EQ(Channel().ReadStatus(&status), kOk);
}

TEST_F(ChannelFrames, EveryReceiveSetsItsTimeOutAndPutsTwentyBack) {
    const auto idleWait = [&] {
        const std::uint64_t slept = clock_.SleptMilliseconds();
        BYTE buffer[64] = {};
        emutest::Module().driver.receive(0, buffer, 0, 1);  // nothing queued: waits the time-out
        return clock_.SleptMilliseconds() - slept;
    };
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    std::uint64_t slept = clock_.SleptMilliseconds();
    WORD status = 0;
    EXPECT_EQ(Channel().ReadStatus(&status), kTimeout);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 5000u) << "a command waits 5";
    EXPECT_EQ(idleWait(), 20000u);

    Control().installFirmware();
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    std::array<BYTE, 8> version{0x00, 0x06, 0x5A, 0x01, 0x00, 0x06, 0xA5, 0x81};
    slept = clock_.SleptMilliseconds();
    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kTimeout);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 30000u) << "a monitor exchange waits 30";
    EXPECT_EQ(idleWait(), 20000u);

    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kOk);
    EXPECT_EQ(idleWait(), 20000u) << "also after a receive that succeeded";
}

TEST_F(ChannelFrames, AnAbortEndsTheFailingReceiveItWasMeantForAndNoLaterOne) {
    WORD status = 0;
    Channel().RequestAbort();
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(Channel().ReadStatus(&status), kAborted);
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(Channel().ReadStatus(&status), kTimeout) << "the abort was cleared by the receive that honoured it";

    Channel().RequestAbort();
    EXPECT_EQ(Channel().ReadStatus(&status), kOk) << "an exchange that succeeds ends the abort too";
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(Channel().ReadStatus(&status), kTimeout) << "so a later failure still marks the link lost";
}

TEST_F(ChannelFrames, TheConnectorIsCheckedAtMostEveryHalfSecondAndCancelGivesNu) {
    Control().installFirmware();
    std::array<BYTE, 8> version{0x00, 0x06, 0x5A, 0x01, 0x00, 0x06, 0xA5, 0x81};
    clock_.Advance(1000);
    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kOk);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kTimeout)
        << "within 500 ms the connector is not read again: the frame goes out and gets no reply";
    EXPECT_TRUE(Messages().empty());
    clock_.Advance(500);
    ui_.AnswerNextMessageBox(IDRETRY);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kNotConnected);
    ASSERT_EQ(Messages().size(), 2u) << "Retry tests again";
    EXPECT_EQ(Messages()[0], "Connector disconnected");
    EXPECT_EQ(ui_.MessageBoxes()[0].type, MB_RETRYCANCEL | MB_ICONWARNING);
    clock_.Advance(500);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 0, 0);
    EXPECT_EQ(Channel().MonitorTransact(version, g_firmReplyBuffer), kOk);
}

}  // namespace
}  // namespace linktest
