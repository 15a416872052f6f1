// Every injected fault and the wire behaviour it gives: time-outs on the
// platform clock, a lost link, a disconnected connector, negative
// acknowledges and flash statuses, flash that fails to erase or program, a
// target reset seen by the firmware, short and corrupt replies, a bare
// acknowledge in place of any reply, replies held back on the platform
// clock, flash that stays busy, a failing verify and a failing target
// supply; and faults that strike only after a number of driver calls.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

const Bytes kVersion = Hex("00 06 5A 01 00 06 A5 81");
const Bytes kStatusRead = Hex("00 06 00 01 00 02 70 81");
const Bytes kBlankIdCheck = Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81");

class FaultsTest : public EmulatorTest {
protected:
    void Inject(DWORD fault, DWORD value, DWORD count) {
        ASSERT_EQ(Control().injectFault(fault, value, count), Q3V_SIM_OK);
    }
};

TEST_F(FaultsTest, ReceiveTimeoutsTakeTheDriversTimeOutOnThePlatformClock) {
    StartFirmware();
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 2);
    Driver().setTimeout(30);
    const std::uint64_t slept = clock_.SleptMilliseconds();
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
        EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    }
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 60000u);
    EXPECT_EQ(Transact(kVersion).size(), 24u) << "the third exchange goes through";
}

TEST_F(FaultsTest, ALostLinkFailsEveryTransferUntilItIsBack) {
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    BYTE bytes[4] = {};
    EXPECT_EQ(Send(kStatusRead), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().receive(0, bytes, 0, 1), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().readMemory(4, bytes, 0x400008, 4), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().readQ5t(1, bytes, 0x1000, 4), Q3V_SIM_LINK_LOST);
    EXPECT_EQ(Driver().sumCheck(0), Q3V_SIM_LINK_LOST);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 0, 0);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
}

TEST_F(FaultsTest, ADisconnectedConnectorShowsInItsBitAndSwallowsFrames) {
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    EXPECT_EQ(ReadRegister(0x400008)[1] & 0x10, 0x10);
    ASSERT_EQ(Send(kStatusRead), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    Control().clearFaults();
    EXPECT_EQ(ReadRegister(0x400008)[1] & 0x10, 0x00);
}

TEST_F(FaultsTest, StatusRepliesReplaceTheAnswerAndTheFrameIsNotCarriedOut) {
    for (const std::uint8_t status : {0x15, 0x83, 0x85, 0x91, 0xA1, 0xA3}) {
        Inject(Q3V_SIM_FAULT_STATUS, status, 1);
        EXPECT_EQ(Transact(kBlankIdCheck), (Bytes{0x00, 0x02, status, 0x81})) << std::hex << int(status);
        EXPECT_EQ(Status().idVerified, 0u) << "the ID check never reached the target";
    }
    Inject(Q3V_SIM_FAULT_NAK, 0, 2);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 15 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 15 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
}

TEST_F(FaultsTest, FlashThatFailsToEraseOrProgramAnswersAsFlashDoes) {
    ASSERT_EQ(Transact(kBlankIdCheck), Hex("00 02 06 81"));
    ASSERT_EQ(Transact(BulkData(Bytes(16, 4))), Hex("00 02 06 81"));
    WriteTarget(0xC000, {0x12});
    // The adapter's commands answer with their flash statuses.
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(Transact(Hex("00 06 45 00 C0 00 00 81")), Hex("00 02 A1 81"));
    EXPECT_EQ(ReadTarget(0xC000, 1), Hex("12"));
    ASSERT_EQ(Transact(Hex("00 02 57 81")), Hex("00 02 06 81"));
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Transact(ProgramRecord(0xE000, Bytes(128, 0x33))), Hex("00 02 A3 81"));
    EXPECT_EQ(ReadTarget(0xE000, 1), Hex("FF"));
    // The boot program's commands set the error bits of its status.
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    ASSERT_EQ(Transact(Hex("00 0A 00 04 00 00 20 DF 00 D0 A5 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 A0 0C A5 81"));
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    Bytes page{0x41, 0xE1, 0x00};
    page.resize(3 + 256, 0x44);
    ASSERT_EQ(Transact(Relayed(page, 0)), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 B0 0C A5 81"));
}

TEST_F(FaultsTest, ATargetResetSeenByTheFirmwareAnswersRS) {
    StartFirmware();
    ASSERT_EQ(Control().setRegisters(std::vector<DWORD>(20, 0x55).data()), Q3V_SIM_OK);
    Inject(Q3V_SIM_FAULT_TARGET_RESET, 0, 1);
    EXPECT_EQ(HexText(Transact(ReadMemoryRequest(0x0400, 2, 0x4220))), "00 0C 5A 11 00 0C 53 52 00 00 00 00 A5 81");
    EXPECT_EQ(Registers(), std::vector<std::uint32_t>(20, 0));
    // The stop block tells the same.
    const Bytes block = Transact(Hex("00 06 5A 22 00 06 A5 81"));
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 8)), "53 52");
    EXPECT_EQ(Transact(kVersion).size(), 24u) << "one reply only";
}

TEST_F(FaultsTest, ShortAndCorruptRepliesChangeOnlyWhatIsDelivered) {
    StartFirmware();
    Inject(Q3V_SIM_FAULT_SHORT_REPLY, 5, 1);
    ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
    Bytes buffer(64, 0xEE);
    ASSERT_EQ(Driver().receive(0, buffer.data(), 0, 1), Q3V_SIM_OK);
    EXPECT_EQ(HexText(Bytes(buffer.begin(), buffer.begin() + 7)), "00 16 5A 01 00 EE EE");
    Inject(Q3V_SIM_FAULT_CORRUPT_REPLY, 3, 1);
    const Bytes corrupt = Transact(kVersion);
    ASSERT_EQ(corrupt.size(), 24u);
    EXPECT_EQ(HexText(Bytes(corrupt.begin(), corrupt.begin() + 4)), "00 16 5A FE");
    const Bytes whole = Transact(kVersion);
    ASSERT_EQ(whole.size(), 24u);
    EXPECT_EQ(whole[3], 0x01) << "the next exchange is whole";
}

TEST_F(FaultsTest, ABareAcknowledgeAnswersAnyRequestWhichIsNotCarriedOut) {
    StartFirmware();
    Inject(Q3V_SIM_FAULT_BARE_ACK, 0, 3);
    EXPECT_EQ(Transact(WriteMemoryRequest(0x0456, 0x4220, Hex("01 02"), true)), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(kVersion), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 06 5A 22 00 06 A5 81")), Hex("00 02 06 81")) << "the run-state request too";
    EXPECT_EQ(ReadTarget(0x0456, 2), Hex("00 00")) << "the write never reached the target";
    EXPECT_EQ(Transact(kVersion).size(), 24u) << "the fourth exchange is whole";
    // The boot program's and the adapter's commands alike.
    Control().reset();
    Inject(Q3V_SIM_FAULT_BARE_ACK, 0, 1);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
}

TEST_F(FaultsTest, ADelayHoldsRepliesOnThePlatformClockAndOnePastTheTimeOutIsLost) {
    StartFirmware();
    Driver().setTimeout(5);
    Inject(Q3V_SIM_FAULT_DELAY, 1200, 2);
    std::uint64_t slept = clock_.SleptMilliseconds();
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 1200u);
    slept = clock_.SleptMilliseconds();
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 1200u);
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 1200u) << "only the next two replies are held";
    // Held as long as the receive waits: the receive times out at its own
    // time-out and the reply is gone.
    Inject(Q3V_SIM_FAULT_DELAY, 5000, 1);
    slept = clock_.SleptMilliseconds();
    ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 5000u);
    ASSERT_EQ(Send(Hex("00 06 5A 22 00 06 A5 81")), Q3V_SIM_OK);
    EXPECT_EQ(Receive().bytes.size(), 20u) << "the next reply is its own, not the lost one";
    Driver().setTimeout(20);
}

TEST_F(FaultsTest, AStuckEraseOrProgramKeepsTheFlashBusyUntilAReset) {
    ASSERT_EQ(Transact(kBlankIdCheck), Hex("00 02 06 81"));
    Inject(Q3V_SIM_FAULT_FLASH_STUCK, 0, 1);
    ASSERT_EQ(Transact(Hex("00 0A 00 04 00 00 20 DF 00 D0 A5 81")), Hex("00 02 06 81"));
    for (int poll = 0; poll < 100; ++poll) {
        ASSERT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81")) << poll;
    }
    EXPECT_EQ(Transact(Hex("00 06 00 01 00 00 50 81")), Hex("00 02 15 81")) << "a busy flash takes nothing else";
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 01 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
}

TEST_F(FaultsTest, AFaultInjectedAfterSomeCallsStrikesInTheMiddleOfAnExchange) {
    StartFirmware();
    // Calls: the transmit, then the receive; the third call is the next
    // exchange's transmit.
    ASSERT_EQ(Control().injectFaultAfter(3, Q3V_SIM_FAULT_BARE_ACK, 0, 1), Q3V_SIM_OK);
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(Transact(kVersion), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    // The second call is a receive: the delay holds that very reply.
    ASSERT_EQ(Control().injectFaultAfter(2, Q3V_SIM_FAULT_DELAY, 300, 1), Q3V_SIM_OK);
    const std::uint64_t slept = clock_.SleptMilliseconds();
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(clock_.SleptMilliseconds() - slept, 300u);
    // Register reads do not count; cleared faults never come.
    ASSERT_EQ(Control().injectFaultAfter(2, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    BYTE bytes[4] = {};
    EXPECT_EQ(Driver().readMemory(4, bytes, 0x400008, 4), Q3V_SIM_OK);
    ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_LINK_LOST) << "the second frame call";
    EXPECT_EQ(Driver().readMemory(4, bytes, 0x400008, 4), Q3V_SIM_LINK_LOST);
    Control().clearFaults();
    ASSERT_EQ(Control().injectFaultAfter(1, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    Control().clearFaults();
    EXPECT_EQ(Transact(kVersion).size(), 24u);
    EXPECT_EQ(Control().injectFaultAfter(1, 99, 0, 1), Q3V_SIM_INVALID_PARAMETER);
}

TEST_F(FaultsTest, AFaultAfterDriverCallsCountsRegisterAndEmulatorMemoryCallsToo) {
    StartFirmware();
    BYTE bytes[4] = {};
    // Calls: a register read, a register write, a frame sent; the fourth,
    // the receive, loses the link.
    ASSERT_EQ(Control().injectFaultAfterDriverCalls(4, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Driver().readMemory(4, bytes, 0x400008, 4), Q3V_SIM_OK);
    EXPECT_EQ(Driver().writeMemory(4, bytes, 0x400008, 4), Q3V_SIM_OK);
    ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_LINK_LOST);
    Control().clearFaults();
    // The emulator's memory counts as well: the second call here is a write.
    ASSERT_EQ(Control().injectFaultAfterDriverCalls(2, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Driver().readQ5t(1, bytes, 0x1000, 1), Q3V_SIM_OK);
    EXPECT_EQ(Driver().writeQ5t(1, bytes, 0x40000, 1, 1), Q3V_SIM_LINK_LOST);
    Control().clearFaults();
    EXPECT_EQ(Control().injectFaultAfterDriverCalls(1, 99, 0, 1), Q3V_SIM_INVALID_PARAMETER);
}

TEST_F(FaultsTest, AFailingVerifyReportsBTAtTheFirstAddress) {
    StartFirmware();
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    EXPECT_EQ(HexText(Transact(WriteMemoryRequest(0x0456, 0x4220, Hex("01 02"), true))),
              "00 0C 5A 12 00 0C 54 42 56 04 00 00 A5 81");
    EXPECT_EQ(ReadTarget(0x0456, 2), Hex("01 02")) << "the bytes were written";
    // Writes without verify do not use the fault up.
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    EXPECT_EQ(LittleEndian16(Transact(WriteMemoryRequest(0x0456, 0x4220, Hex("01 02"), false)), 6), 0);
    EXPECT_EQ(LittleEndian16(Transact(WriteMemoryRequest(0x0456, 0x4220, Hex("01 02"), true)), 6), 0x4254);
}

TEST_F(FaultsTest, AFailingTargetSupplyLosesTheTargetUntilPowerReturns) {
    StartFirmware();
    Inject(Q3V_SIM_FAULT_TARGET_POWER, 0, 0);
    EXPECT_EQ(ReadRegister(0x400008)[1] & 0x01, 0x00);
    ASSERT_EQ(Send(kVersion), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    Inject(Q3V_SIM_FAULT_TARGET_POWER, 1, 0);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT) << "power returns into the boot program";
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
}

TEST_F(FaultsTest, FaultsCanComeFromAConfigurationText) {
    Configure("fault=status:0xA3:2");
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 A3 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 A3 81"));
    Configure("fault=ack:0:1");
    EXPECT_EQ(Transact(kStatusRead), Hex("00 02 06 81"));
    Configure("fault=timeout");
    ASSERT_EQ(Send(kStatusRead), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
    EXPECT_EQ(Control().injectFault(99, 0, 1), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(Control().injectFault(Q3V_SIM_FAULT_STATUS, 0x100, 1), Q3V_SIM_INVALID_PARAMETER);
}

}  // namespace
}  // namespace emutest
