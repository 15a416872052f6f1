// The target executing a program under the firmware: single steps, the
// break instruction byte, armed break channels, the emulator's break line
// (and the injected stop it can find instead),
// illegal opcodes, and the stop block each stop leaves for the run-state
// request.
#include "tests/emulator/sim_emulator.h"

#include <functional>

namespace emutest {
namespace {

const Bytes kRunState = Hex("00 06 5A 22 00 06 A5 81");
constexpr std::uint8_t kStep = 0x04;

class ExecutionTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        StartFirmware();
        // The demo program: a loop at C000 that calls a subroutine at C010.
        const auto demo = LoadSRecords("Vk3Demo.mot");
        WriteTarget(0xC000, Slice(demo, 0xC000, 0x20));
        SetPcAndStack(0xC000);
    }

    void SetPcAndStack(std::uint32_t pc) {
        std::vector<std::uint32_t> registers(20, 0);
        registers[14] = pc;
        registers[17] = 0x0A00;  // ISP
        ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    }

    // Sends a go request (it has no reply).
    void Go(std::uint8_t mode, const Bytes& addresses = Bytes(8, 0xFF)) {
        ASSERT_EQ(Send(GoRequest(mode, addresses)), Q3V_SIM_OK);
    }

    Bytes RunState() {
        Bytes reply = Transact(kRunState);
        EXPECT_EQ(reply.size(), 20u);
        reply.resize(20);
        return reply;
    }

    static std::string StopWord(const Bytes& block) { return std::string{char(block[6]), char(block[7])}; }
    static std::uint32_t Pc(const Bytes& block) { return LittleEndian24(block, 8); }

    void WriteFirmware(std::uint32_t address, const Bytes& data) {
        ASSERT_EQ(LittleEndian16(Transact(WriteMemoryRequest(address, 0x4220, data, true)), 6), 0);
    }

    // The emulator's break line: bit 4 of 0x400008, set and cleared.
    void PulseBreak() {
        Bytes status = ReadRegister(0x400008);
        status[0] |= 0x10;
        ASSERT_EQ(WriteRegister(0x400008, status), Q3V_SIM_OK);
        status[0] &= static_cast<std::uint8_t>(~0x10);
        ASSERT_EQ(WriteRegister(0x400008, status), Q3V_SIM_OK);
    }

    bool AdapterSaysStopped() { return (ReadRegister(0x400008)[0] & 0x20) != 0; }
};

TEST_F(ExecutionTest, TheGoRequestIsSixteenBytesWithoutAReply) {
    EXPECT_EQ(HexText(GoRequest(kStep)), "00 0E 5A 21 00 0E 04 FF FF FF FF FF FF FF FF 81");
    Go(kStep);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
}

TEST_F(ExecutionTest, SingleStepsWalkTheLoopAndTheSubroutine) {
    const std::uint32_t path[] = {0xC010, 0xC011, 0xC012, 0xC004, 0xC005, 0xC006, 0xC000};
    for (std::uint32_t expected : path) {
        Go(kStep);
        const Bytes block = RunState();
        EXPECT_EQ(StopWord(block), "SB") << "the word BS travels low byte first";
        EXPECT_EQ(Pc(block), expected);
        EXPECT_EQ(block[12], 0x01) << "stopped by itself at the end of the step";
    }
    // The call left its return address on the stack below ISP.
    EXPECT_EQ(ReadTarget(0x09FD, 3), Hex("04 C0 00"));
    EXPECT_EQ(Registers()[17], 0x0A00u) << "the return took it off again";
}

TEST_F(ExecutionTest, TheStopBlockIsTwentyBytes) {
    Go(kStep);
    EXPECT_EQ(HexText(RunState()), "00 12 5A 22 00 12 53 42 10 C0 00 00 01 00 00 00 00 00 A5 81");
}

TEST_F(ExecutionTest, TheBranchTraceRecordsTakenBranchesNewestFirstWhileEnabled) {
    // Empty after the reset: all ones; nothing recorded while bit 1 is clear.
    EXPECT_EQ(HexText(ReadTarget(0x01A0, 8)), "FF FF FF FF FF FF FF FF");
    Go(kStep);  // the call at C000
    EXPECT_EQ(HexText(ReadTarget(0x01A0, 8)), "FF FF FF FF FF FF FF FF");
    WriteFirmware(0x01B8, Hex("02"));
    // Two nops, the return at C012, two nops, the jump at C006, the call.
    for (int step = 0; step < 7; ++step) {
        Go(kStep);
        RunState();
    }
    // High byte first in memory: what a word read puts back as b[0]·256 + b[1].
    EXPECT_EQ(HexText(ReadTarget(0x01A0, 8)), "C0 00 C0 06 C0 12 FF FF");
    // A fourth branch pushes the oldest out.
    for (int step = 0; step < 3; ++step) {
        Go(kStep);
        RunState();
    }
    EXPECT_EQ(HexText(ReadTarget(0x01A0, 8)), "C0 12 C0 00 C0 06 C0 12");
}

TEST_F(ExecutionTest, TheBreakInstructionByteStopsTheProgramOnIt) {
    WriteTarget(0xC011, {0x00});
    Go(0);
    const Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "IB");
    EXPECT_EQ(Pc(block), 0xC011u);
    EXPECT_EQ(Status().running, 0u);
    EXPECT_TRUE(AdapterSaysStopped());
}

TEST_F(ExecutionTest, AnArmedChannelStopsTheProgramBeforeItsAddress) {
    // Channel 0: enable bit 0 of register 0009, address register 0010.
    WriteFirmware(0x0010, Hex("10 C0 00"));
    WriteFirmware(0x0009, Hex("01"));
    Go(0);
    Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "HB");
    EXPECT_EQ(Pc(block), 0xC010u);
    EXPECT_EQ(block[12], 0x01) << "stopped by itself";
    EXPECT_EQ(block[14], 0x01) << "channel 0 matched";
    EXPECT_EQ(ReadTarget(0x0009, 1), Hex("00")) << "the stop disarmed the channels";
    // Not armed again, the next go runs on.
    Go(0);
    EXPECT_EQ(Status().running, 1u);
    PulseBreak();
    EXPECT_EQ(ReadTarget(0x0009, 1), Hex("00"));
}

TEST_F(ExecutionTest, ChannelsTwoAndThreeHaveTheirOwnEnableRegisterAndShortAddresses) {
    // Channel 3: bit 1 of register 000A, a 2-byte address register at 001C.
    WriteFirmware(0x001C, Hex("12 C0"));
    WriteFirmware(0x000A, Hex("02"));
    Go(0);
    const Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "HB");
    EXPECT_EQ(Pc(block), 0xC012u);
    EXPECT_EQ(block[14], 0x08) << "channel 3 matched";
    EXPECT_EQ(ReadTarget(0x000A, 1), Hex("00")) << "the stop disarmed them";
}

// The data break: ABRC at 01AC, BAR at 01A8, BDR at 01AA. The call at C000
// pushes its return address C004 from ISP 0A00 down: 04 at 09FD, C0 at 09FE,
// 00 at 09FF.
struct DataBreakCase {
    const char* control;  // ABRC
    const char* address;  // BAR
    const char* data;     // BDR
    bool stops;
    std::uint32_t pc;     // where a stop leaves the program
};

TEST_F(ExecutionTest, TheDataBreakStopsAfterTheInstructionOfAMatchingAccess) {
    const DataBreakCase cases[] = {
        {"C1", "FE 09", "00 00", true, 0xC010},   // any access at 09FE: the call's push
        {"85", "FE 09", "C0 00", true, 0xC010},   // a write of C0 there
        {"85", "FE 09", "C1 00", false, 0},       // another value
        {"45", "FE 09", "C0 00", true, 0xC004},   // reads only: the return's pop
        {"81", "F0 09", "00 00", false, 0},       // another address
        {"91", "F0 09", "00 00", true, 0xC010},   // its low 4 bits ignored
        {"80", "FE 09", "00 00", false, 0},       // not enabled
        {"01", "FE 09", "00 00", false, 0},       // no access picked
    };
    for (const DataBreakCase& c : cases) {
        SetPcAndStack(0xC000);
        WriteFirmware(0x01A8, Hex(c.address));
        WriteFirmware(0x01AA, Hex(c.data));
        WriteFirmware(0x01AC, Hex(c.control));
        Go(0);
        if (c.stops) {
            const Bytes block = RunState();
            EXPECT_EQ(StopWord(block), "HB") << c.control << " " << c.address;
            EXPECT_EQ(Pc(block), c.pc) << "after the instruction";
            EXPECT_EQ(block[14], 0x04) << "channel 2";
            EXPECT_EQ(ReadTarget(0x01AC, 1), Hex("00")) << "the stop disarmed it";
        } else {
            EXPECT_EQ(RunState()[6], 0) << "still running: " << c.control << " " << c.address;
            EXPECT_EQ(Status().running, 1u);
            PulseBreak();
        }
    }
}

TEST_F(ExecutionTest, AGoFromAnArmedChannelsAddressRunsThatInstructionAndStops) {
    WriteFirmware(0x0010, Hex("10 C0 00"));
    WriteFirmware(0x0009, Hex("01"));
    Go(0);
    ASSERT_EQ(Pc(RunState()), 0xC010u);
    // Armed again where it stands, a go steps off the address: one
    // instruction, then "BH" with the PC on the next one.
    WriteFirmware(0x0009, Hex("01"));
    std::uint32_t before = Status().instructions;
    Go(0);
    Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "HB");
    EXPECT_EQ(Pc(block), 0xC011u);
    EXPECT_EQ(block[12], 0x01);
    EXPECT_EQ(block[14], 0x01);
    EXPECT_EQ(Status().instructions - before, 1u);
    // Armed for the address again, the loop comes round and stops before it.
    WriteFirmware(0x0009, Hex("01"));
    before = Status().instructions;
    Go(0);
    block = RunState();
    EXPECT_EQ(StopWord(block), "HB");
    EXPECT_EQ(Pc(block), 0xC010u);
    EXPECT_EQ(Status().instructions - before, 6u);
    // A single step from an armed address ends as a step.
    WriteFirmware(0x0009, Hex("01"));
    Go(kStep);
    block = RunState();
    EXPECT_EQ(StopWord(block), "SB");
    EXPECT_EQ(Pc(block), 0xC011u);
}

TEST_F(ExecutionTest, ProtocolType0CarriesItsChannelsInTheGoRequest) {
    Configure("protocol=0");
    StartFirmware();
    WriteTarget(0xC000, Slice(LoadSRecords("Vk3Demo.mot"), 0xC000, 0x20));
    SetPcAndStack(0xC000);
    Go(0x02, Hex("FF FF FF FF 12 C0 00 00"));
    const Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "HB");
    EXPECT_EQ(Pc(block), 0xC012u);
    EXPECT_EQ(block[14], 0x02) << "channel 1";
}

TEST_F(ExecutionTest, OtherProtocolTypesIgnoreChannelBitsInTheGoRequest) {
    Go(0x01, Hex("10 C0 00 00 FF FF FF FF"));
    EXPECT_EQ(Status().running, 1u);
}

TEST_F(ExecutionTest, TheBreakLineStopsARunningProgram) {
    Go(0);
    EXPECT_EQ(Status().running, 1u);
    EXPECT_FALSE(AdapterSaysStopped());
    // A program without breaks runs on from call to call.
    const std::uint32_t before = Status().instructions;
    ReadRegister(0x400008);
    EXPECT_GT(Status().instructions, before);
    PulseBreak();
    EXPECT_TRUE(AdapterSaysStopped());
    const Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "KB") << "the bytes the break sequence tests";
    EXPECT_EQ(block[12], 0x00) << "stopped by the emulator, not by itself";
}

TEST_F(ExecutionTest, ABreakStopFaultMakesTheBreakLineFindTheProgramStoppedByItself) {
    // A pulse that meets no running program does not use the fault up.
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_BREAK_STOP, 0x4249, 1), Q3V_SIM_OK);
    PulseBreak();
    Go(0);
    PulseBreak();
    Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "IB") << "the injected word, as a break instruction would leave it";
    EXPECT_EQ(block[12], 0x01) << "stopped by itself";
    Go(0);
    PulseBreak();
    block = RunState();
    EXPECT_EQ(StopWord(block), "KB") << "one pulse only";
    Configure("fault=breakstop:0x4248:1");
    Go(0);
    PulseBreak();
    EXPECT_EQ(StopWord(RunState()), "HB");
    EXPECT_EQ(Control().injectFault(Q3V_SIM_FAULT_BREAK_STOP, 0x10000, 1), Q3V_SIM_INVALID_PARAMETER);
}

TEST_F(ExecutionTest, ANoBreakFaultLetsTheBreakLineStopNothing) {
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_NO_BREAK, 0, 2), Q3V_SIM_OK);
    PulseBreak();  // nothing runs: the fault is not used up
    Go(0);
    PulseBreak();
    PulseBreak();
    EXPECT_EQ(Status().running, 1u);
    EXPECT_FALSE(AdapterSaysStopped());
    PulseBreak();
    EXPECT_EQ(StopWord(RunState()), "KB");
    Configure("fault=nobreak:0:1");
    Go(0);
    PulseBreak();
    EXPECT_EQ(Status().running, 1u);
}

TEST_F(ExecutionTest, AResetThatEndsARunningProgramLeavesRS) {
    const Bytes kResetRequest = Hex("00 06 5A 41 00 06 A5 81");
    struct Case {
        const char* what;
        std::function<void()> reset;
    };
    const Case cases[] = {
        {"reset into run mode", [&] { ASSERT_EQ(WriteRegister(0x400020, Hex("00 03 00 00")), Q3V_SIM_OK); }},
        {"the firmware's reset request", [&] { EXPECT_EQ(LittleEndian16(Transact(kResetRequest), 6), 0); }},
    };
    for (const Case& c : cases) {
        SetPcAndStack(0xC000);
        Go(0);
        c.reset();
        Bytes block = RunState();
        EXPECT_EQ(StopWord(block), "SR") << c.what;
        EXPECT_EQ(block[12], 0x00) << c.what;
        EXPECT_EQ(Pc(block), 0u) << c.what;
        EXPECT_EQ(Status().running, 0u) << c.what;
        // A reset of a stopped program has nothing to report.
        c.reset();
        EXPECT_EQ(StopWord(RunState()), std::string(2, '\0')) << c.what;
    }
}

TEST_F(ExecutionTest, TheBudgetLimitsHowFarARunningProgramGetsPerCall) {
    Configure("steps=5");
    Go(0);
    const std::uint32_t afterGo = Status().instructions;
    EXPECT_EQ(afterGo, 5u);
    ReadRegister(0x400008);
    EXPECT_EQ(Status().instructions, 10u);
}

TEST_F(ExecutionTest, AGoWhileRunningChangesNothingAndRegistersReadLive) {
    Configure("steps=3");
    Go(0);
    Go(kStep);
    EXPECT_EQ(Status().running, 1u) << "the step did not replace the run";
    const Bytes registers = Transact(Hex("00 06 5A 31 00 06 A5 81"));
    ASSERT_EQ(registers.size(), 52u);
    EXPECT_EQ(LittleEndian24(registers, 36), Status().pc);
}

TEST_F(ExecutionTest, AnIllegalOpcodeStopsWithThePcPastIt) {
    WriteTarget(0xC004, {0xFF});
    Go(0);
    Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "LI");
    EXPECT_EQ(Pc(block), 0xC005u);
    EXPECT_EQ(block[12], 0x00);
}

TEST_F(ExecutionTest, ProtocolType4ReportsAnIllegalOpcodeAtItsOwnAddress) {
    Configure("protocol=4");
    StartFirmware();
    WriteTarget(0xC000, {0x04, 0xFF});
    SetPcAndStack(0xC000);
    Go(0);
    EXPECT_EQ(Pc(RunState()), 0xC001u);
}

TEST_F(ExecutionTest, EachJumpAndCallLandsWhereItsOperandSays) {
    struct Case {
        const char* what;
        Bytes code;
        std::uint32_t pc;
        Bytes stack;  // what the stack holds below ISP afterwards
    };
    const Case cases[] = {
        {"JMP.B back", Hex("FE F0"), 0xC101 - 0x10, Hex("AA AA AA")},
        {"JMP.W forward", Hex("F4 00 02"), 0xC301, Hex("AA AA AA")},
        {"JMP.A", Hex("FC 34 E2 00"), 0xE234, Hex("AA AA AA")},
        {"JSR.S", Hex("EF 10"), 0xC111, Hex("02 C1 00")},
        {"JSR.W", Hex("F5 00 01"), 0xC201, Hex("03 C1 00")},
        {"JSR.A", Hex("FD 00 E0 00"), 0xE000, Hex("04 C1 00")},
        {"NOP", Hex("04"), 0xC101, Hex("AA AA AA")},
    };
    for (const Case& c : cases) {
        WriteTarget(0x09FD, Hex("AA AA AA"));
        WriteTarget(0xC100, c.code);
        SetPcAndStack(0xC100);
        Go(kStep);
        EXPECT_EQ(Pc(RunState()), c.pc) << c.what;
        EXPECT_EQ(ReadTarget(0x09FD, 3), c.stack) << c.what;
        WriteTarget(0xC100, Bytes(c.code.size(), 0xFF));
    }
}

TEST_F(ExecutionTest, ReturnsTakeTheirFrameFromTheStack) {
    // RTS: the 3-byte return address; REIT: PC and the flags.
    WriteTarget(0x09FD, Hex("34 C2 00"));
    WriteTarget(0xC100, Hex("F3"));
    std::vector<std::uint32_t> registers(20, 0);
    registers[14] = 0xC100;
    registers[17] = 0x09FD;
    ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    Go(kStep);
    EXPECT_EQ(Pc(RunState()), 0xC234u);
    EXPECT_EQ(Registers()[17], 0x0A00u);

    WriteTarget(0x09FC, Hex("78 C5 45 01"));
    WriteTarget(0xC100, Hex("FB"));
    registers[17] = 0x09FC;
    ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    Go(kStep);
    const Bytes block = RunState();
    EXPECT_EQ(Pc(block), 0xC578u);
    EXPECT_EQ(LittleEndian16(block, 16), 0x0145u) << "FLG from the frame";
}

TEST_F(ExecutionTest, ProtocolType3BreaksOnByte08AndKnowsNoByte00) {
    Configure("device=VK33D64");
    StartFirmware();
    WriteTarget(0xFF0000, Hex("04 08"));
    SetPcAndStack(0xFF0000);
    Go(0);
    Bytes block = RunState();
    EXPECT_EQ(StopWord(block), "IB");
    EXPECT_EQ(Pc(block), 0xFF0001u);
    WriteTarget(0xFF0001, Hex("00"));
    SetPcAndStack(0xFF0001);
    Go(0);
    block = RunState();
    EXPECT_EQ(StopWord(block), "LI");
}

TEST_F(ExecutionTest, NothingToReportBeforeTheFirstGo) {
    EXPECT_EQ(HexText(RunState()), "00 12 5A 22 00 12 00 00 00 C0 00 00 00 00 00 00 00 00 A5 81");
}

}  // namespace
}  // namespace emutest
