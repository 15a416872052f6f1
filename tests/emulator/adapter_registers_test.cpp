// The adapter's control registers: storage, the bits the model drives
// (program stopped, target power, connector, handshake), the power-up
// handshake of protocol type 0, the reset control register and the
// emulator's power switch.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

class AdapterRegistersTest : public EmulatorTest {
protected:
    // Read, change one bit, write back: how the power-up sequence works.
    void ChangeBit(std::uint32_t address, std::size_t byte, std::uint8_t bit, bool set) {
        Bytes value = ReadRegister(address);
        value[byte] = set ? static_cast<std::uint8_t>(value[byte] | bit) : static_cast<std::uint8_t>(value[byte] & ~bit);
        ASSERT_EQ(WriteRegister(address, value), Q3V_SIM_OK);
    }
    bool Bit(std::uint32_t address, std::size_t byte, std::uint8_t bit) { return (ReadRegister(address)[byte] & bit) != 0; }

    void EmulatorWrite(std::uint32_t address, std::uint8_t value) {
        ASSERT_EQ(Driver().writeQ5t(1, &value, address, 1, 0), Q3V_SIM_OK);
    }
    std::uint8_t EmulatorRead(std::uint32_t address) {
        BYTE value = 0;
        EXPECT_EQ(Driver().readQ5t(1, &value, address, 1), Q3V_SIM_OK);
        return value;
    }
};

TEST_F(AdapterRegistersTest, RegistersKeepWhatIsWrittenOnBothChannels) {
    ASSERT_EQ(WriteRegister(0x40001C, Hex("00 01 00 05")), Q3V_SIM_OK);
    EXPECT_EQ(ReadRegister(0x40001C), Hex("00 01 00 05"));
    // Channel 2 counts whole registers.
    BYTE two[8] = {0, 3, 0, 0, 0, 1, 0, 0};
    ASSERT_EQ(Driver().writeMemory(2, two, 0x400024, 2), Q3V_SIM_OK);
    BYTE back[8] = {};
    ASSERT_EQ(Driver().readMemory(2, back, 0x400024, 2), Q3V_SIM_OK);
    EXPECT_EQ(Bytes(back, back + 8), Bytes(two, two + 8));
    // Channel 4 counts bytes.
    BYTE one = 0x7F;
    ASSERT_EQ(Driver().writeMemory(4, &one, 0x400025, 1), Q3V_SIM_OK);
    EXPECT_EQ(ReadRegister(0x400024), Hex("00 7F 00 00"));
}

TEST_F(AdapterRegistersTest, StatusBitsFollowTheTargetNotTheWrites) {
    // 0x400008: byte 0 bit 5 program stopped, byte 1 bit 0 power, bit 4 connector.
    EXPECT_EQ(ReadRegister(0x400008), Hex("20 01 00 00"));
    ASSERT_EQ(WriteRegister(0x400008, Hex("00 10 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(ReadRegister(0x400008), Hex("20 01 00 00"));
    ASSERT_EQ(WriteRegister(0x400008, Hex("08 80 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(ReadRegister(0x400008), Hex("28 81 00 00")) << "the banner and control bits are kept";
    Configure("connector=disconnected");
    EXPECT_EQ(ReadRegister(0x400008)[1] & 0x10, 0x10);
    Configure("board=unpowered");
    EXPECT_EQ(ReadRegister(0x400008), Hex("08 90 00 00")) << "no power: nothing stopped, nothing detected";
}

TEST_F(AdapterRegistersTest, ProtocolType0PowerUpHandshakeCompletesAtOnce) {
    Configure("protocol=0");
    ChangeBit(0x400000, 0, 0x04, true);
    ASSERT_TRUE(Bit(0x400008, 1, 0x01)) << "target power present";
    ChangeBit(0x400000, 0, 0x04, false);
    ChangeBit(0x400008, 0, 0x10, true);
    ChangeBit(0x400004, 1, 0x20, false);
    ChangeBit(0x400008, 0, 0x08, false);
    EXPECT_TRUE(Bit(0x400008, 0, 0x20)) << "the adapter status flag is up";
    EXPECT_FALSE(Bit(0x400004, 1, 0x10)) << "handshake input low";
    ChangeBit(0x400008, 0, 0x10, false);
    ChangeBit(0x400004, 1, 0x20, true);
    EXPECT_TRUE(Bit(0x400004, 1, 0x10)) << "handshake input high";
    ChangeBit(0x400008, 1, 0x80, true);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
}

TEST_F(AdapterRegistersTest, Register20ResetsTheTargetIntoBootOrRunMode) {
    ASSERT_EQ(Transact(Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81")), Hex("00 02 06 81"));
    ASSERT_EQ(Status().idVerified, 1u);
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 01 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
    EXPECT_EQ(Status().idVerified, 0u) << "a reset forgets the ID check";
    // Run mode with erased flash: no firmware, nothing answers.
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 03 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_USER_CODE);
    EXPECT_FALSE(Bit(0x400008, 0, 0x20));
    // With the firmware's reset vector in flash, run mode starts it.
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 01 00 00")), Q3V_SIM_OK);
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 03 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
}

TEST_F(AdapterRegistersTest, Register20ResetsTheCpuWithTheCodeOfProtocolTypes2To4) {
    // Protocol types 0 and 1 know no code 4: refused, nothing stored.
    StartFirmware();
    EXPECT_EQ(WriteRegister(0x400020, Hex("00 04 00 00")), Q3V_SIM_INVALID_PARAMETER);
    EXPECT_EQ(ReadRegister(0x400020), Hex("00 00 00 00"));
    BYTE low = 0x04;
    EXPECT_EQ(Driver().writeMemory(4, &low, 0x400021, 1), Q3V_SIM_INVALID_PARAMETER) << "nor byte by byte";
    // Protocol type 2: the CPU is reset and the firmware starts afresh.
    Configure("device=VK32D64;protocol=2");
    StartFirmware();
    WriteTarget(0x0500, Hex("FE FF"));  // a jump to itself
    std::vector<DWORD> registers(20, 0x55);
    registers[14] = 0x0500;
    ASSERT_EQ(Control().setRegisters(registers.data()), Q3V_SIM_OK);
    ASSERT_EQ(Send(GoRequest(0)), Q3V_SIM_OK);
    ASSERT_EQ(Status().running, 1u);
    ASSERT_EQ(WriteRegister(0x400020, Hex("00 04 00 00")), Q3V_SIM_OK);
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(Registers(), std::vector<std::uint32_t>(20, 0)) << "the registers come out of reset";
}

TEST_F(AdapterRegistersTest, TheEmulatorSwitchesTargetPowerThroughItsOwnMemory) {
    Configure("board=unpowered");
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_OFF);
    EXPECT_FALSE(Bit(0x400008, 1, 0x01));
    EXPECT_EQ(Send(Hex("00 06 00 01 00 02 70 81")), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT) << "an unpowered target answers nothing";
    // The power switch: enable off, both voltages off, then 3.3 V on.
    EmulatorWrite(0xFFFE14, EmulatorRead(0xFFFE14) & ~0x01);
    EmulatorWrite(0xFFFF00, EmulatorRead(0xFFFF00) & ~0x03);
    EmulatorWrite(0xFFFF00, EmulatorRead(0xFFFF00) | 0x01);
    EXPECT_TRUE(Bit(0x400008, 1, 0x01));
    EmulatorWrite(0xFFFE15, EmulatorRead(0xFFFE15) & ~0x01);
    EmulatorWrite(0xFFFE14, EmulatorRead(0xFFFE14) | 0x01);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
    EXPECT_EQ(Transact(Hex("00 06 00 01 00 02 70 81")), Hex("00 04 80 00 A5 81"));
    // Switching off clears both voltage bits.
    EmulatorWrite(0xFFFF00, EmulatorRead(0xFFFF00) & ~0x03);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_OFF);
}

TEST_F(AdapterRegistersTest, TheCanaryFillsRamWithEachBytesAddressPlusOne) {
    Configure("canary=1");
    Control().reset();
    EXPECT_EQ(ReadTarget(0x0400, 4), Hex("01 02 03 04"));
    EXPECT_EQ(ReadTarget(0x04FF, 2), Hex("00 01"));
    EXPECT_EQ(ReadTarget(0x0000, 2), Hex("00 00")) << "I/O registers start at their reset values";
    EXPECT_EQ(ReadTarget(0xC000, 2), Hex("FF FF")) << "flash starts erased";
}

}  // namespace
}  // namespace emutest
