// Opening the link: the adapter-program check, the power-up with both
// handshakes and its prompts, the communication speed, and the unlock.
#include "link/link_results.h"
#include "link/link_state.h"
#include "res/resource_ids.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/target_config.h"
#include "tests/link/link_fixture.h"

#include "platform/paths.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace linktest {
namespace {

using namespace link_result;

class OpenLink : public LinkTest {
protected:
    std::string Session(const char* section, const char* key) {
        char text[64] = {};
        SessionIniGetString(section, key, "", text, sizeof(text));
        return text;
    }
    BYTE EmulatorByte(DWORD address) {
        BYTE value = 0;
        Control().readEmulator(address, &value, 1);
        return value;
    }
};

TEST_F(OpenLink, ProtocolTypeOneOpensPowersUpAndChecksTheBootProgram) {
    EXPECT_EQ(Link().Open(), kOk);
    EXPECT_FALSE(Link().IsLinkLost());
    EXPECT_EQ(ReadRegister(0x40001C), Bytes({0x00, 0x01, 0x00, 0x02})) << "the open word with the MCU id";
    EXPECT_EQ(ReadRegister(0x400008)[0] & 0x08, 0x08) << "the system banner bit of \"Vk3 Q3v SYSTEM\"";
    const std::vector<std::string> frames = FramesIn();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(frames[frames.size() - 3], "00 08 00 02 00 01 B5 00 A5 81") << "speed 6 on a type 1 device";
    EXPECT_EQ(frames[frames.size() - 2], "00 06 00 01 00 08 FB 81");
    EXPECT_EQ(frames.back(), "00 08 00 02 00 01 72 92 A5 81");
    EXPECT_EQ(std::string(g_mcuVersionInfo.data()), "VK3B1.00");
    EXPECT_EQ(Session("COMMUNI", "COMSPEED"), "6");
    EXPECT_EQ(Channel().CommunicationSpeedIndex(), 6u);
    DWORD mode = 0, value2 = 0, value3 = 0, value4 = 0, value5 = 0;
    GetBreakModeSettings(&mode, &value2, &value3, &value4, &value5);
    EXPECT_EQ(value2, 6u) << "the break-mode settings carry the speed index";
    EXPECT_EQ(std::string(g_adapterVersionWords.begin(), g_adapterVersionWords.begin() + 12), "Q3vADP V1.00")
        << "the adapter program file's version";
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenLink, ProtocolTypeZeroRunsTheAdaptersHandshake) {
    UseDevice(Device::Vk31D16, 0);
    EXPECT_EQ(Channel().Open(), kOk);
    const Bytes status = ReadRegister(0x400008);
    EXPECT_EQ(status[1] & 0x80, 0x80) << "the control flag set at the end of the handshake";
    EXPECT_EQ(status[0] & 0x10, 0x00) << "the break line released";
    EXPECT_EQ(ReadRegister(0x400004)[1] & 0x20, 0x20) << "the handshake output set";
    EXPECT_EQ(ReadRegister(0x400000)[0] & 0x04, 0x00) << "the power-up bit cleared";
    EXPECT_EQ(Channel().AccessWord(), 2) << "the access word put back";
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 08 00 02 00 01 72 92 A5 81"})
        << "no version command; the firmware check is looped back";
}

TEST_F(OpenLink, TheOpenWordIsWrittenEvenWhenTheAdapterProgramIsRefused) {
    const char other[] = "NOTANEMULATOR";
    Control().writeEmulator(0x1000, reinterpret_cast<const BYTE*>(other), sizeof(other));
    EXPECT_EQ(Channel().Open(), kAborted);
    EXPECT_EQ(ReadRegister(0x40001C), Bytes({0x00, 0x01, 0x00, 0x02}));
    EXPECT_TRUE(FramesIn().empty()) << "no power-up";
}

TEST_F(OpenLink, ADisconnectedConnectorAtStartAsksUntilCancel) {
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    ui_.AnswerNextMessageBox(IDOK);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().Open(), kAborted);
    EXPECT_EQ(g_linkStopByte, kLinkStopRequested);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Connector disconnected. Please, connect and press <Enter> key. ",
                                                    "Connector disconnected. Please, connect and press <Enter> key. "}));
    EXPECT_EQ(ui_.MessageBoxes()[0].type, MB_OKCANCEL | MB_ICONWARNING);
}

TEST_F(OpenLink, WithoutTheEmulatorsSupplyAnUnpoweredBoardIsAskedForAndCancelEndsTheOpen) {
    g_deviceValues.powerSupply = 0;
    Configure("board=unpowered");
    ui_.AnswerNextMessageBox(IDOK);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().PowerUpTarget(), kOk);
    EXPECT_EQ(g_linkStopByte, kLinkStopRequested);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Power on the target board and press <Enter> Key.",
                                                    "Power on the target board and press <Enter> Key."}));
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Channel().Open(), kAborted);

    UseDevice(Device::Vk31D16, 0);
    g_deviceValues.powerSupply = 0;
    Configure("board=unpowered");
    ui_.AnswerNextMessageBox(IDCANCEL);
    Channel().PowerUpTarget();
    EXPECT_EQ(Messages().back(), " Power on the target board and press <Enter> Key. ") << "protocol type 0's text";
}

TEST_F(OpenLink, TheEmulatorPowersTheBoardWhenAsked) {
    Configure("board=unpowered");
    g_powerSupplySettings = {1, 0, 1};  // from the emulator, 5.0 V
    ASSERT_EQ(Link().Open(), kOk);
    EXPECT_EQ(EmulatorByte(0xFFFF00) & 0x03, 0x02) << "5.0 V";
    EXPECT_EQ(EmulatorByte(0xFFFE14) & 0x01, 0x01) << "the supply switched through";
    EXPECT_EQ(Status().targetPowered, 1u);
    EXPECT_TRUE(Messages().empty());

    driver_.reset();  // disconnecting switches the supply off again
    EXPECT_EQ(EmulatorByte(0xFFFF00) & 0x03, 0x00);
    EXPECT_EQ(EmulatorByte(0xFFFE14) & 0x01, 0x00);
}

TEST_F(OpenLink, PowerProblemsAreShownAndTheSupplyDialogFollows) {
    g_powerSupplySettings = {1, 1, 0};
    ui_.OnDialog(res_id::kPowerSupplyDialog).PressCancel();
    EXPECT_EQ(Channel().PowerUpTarget(), kPowerCancelled) << "the board has its own supply; the dialog is cancelled";
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "The power supply to a user system was detected.\nPlease check target power supply."});
    EXPECT_EQ(g_linkStopByte, kLinkStopRequested);

    Configure("board=unpowered");
    Inject(Q3V_SIM_FAULT_TARGET_POWER, 0, 0);
    g_powerSupplySettings = {0, 1, 0};
    ui_.AnswerNextMessageBox(IDOK);
    ui_.OnDialog(res_id::kPowerSupplyDialog).PressCancel();
    EXPECT_EQ(Channel().PowerUpTarget(), kPowerCancelled);
    EXPECT_EQ(Messages().back(), "Power on the target board and press <Enter> Key.");
}

TEST_F(OpenLink, ThePowerSupplyDialogLetsTheEmulatorPowerTheBoard) {
    Configure("board=unpowered");
    ui_.AnswerNextMessageBox(IDOK);  // the board is asked for, and stays dark
    ui_.OnDialog(res_id::kPowerSupplyDialog)
        .Do([](platform::UiDialog& dialog) { EXPECT_FALSE(dialog.IsEnabled(res_id::kVoltage33)); })
        .Click(res_id::kPowerFromEmulator)
        .Click(res_id::kVoltage33)
        .PressOk();
    EXPECT_EQ(Link().Open(), kOk);
    EXPECT_EQ(g_powerSupplySettings.powerFromEmulator, 1u) << "the dialog's settings are kept";
    EXPECT_EQ(g_powerSupplySettings.voltage33, 1u);
    EXPECT_EQ(EmulatorByte(0xFFFF00) & 0x03, 0x01) << "3.3 V";
    EXPECT_EQ(Status().targetPowered, 1u);
}

TEST_F(OpenLink, TheSpeedIsLimitedByTheDeviceFileAndIndexedByProtocolType) {
    const std::string cnf = folder_.Windows("Speed.cnf");
    folder_.Write("Speed.cnf", "[Q3v KTR4 TARGET]\r\nBAUD RATE=10\r\nBAUD RATE DATA FLASH=5\r\n");
    std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%s", cnf.c_str());
    const struct {
        DWORD protocolType;
        int comspeed;
        bool inDataFlash;
        const char* written;
        DWORD index;
    } cases[] = {
        {2, 9, false, "8", 5},  // out of the type's range: the fastest
        {2, 5, false, "5", 2},
        {3, 7, true, "5", 2},   // firmware in the data flash: its own limit
        {4, 5, false, "5", 2},
        {0, 8, false, "6", 3},
        {1, 9, false, "9", 9},
    };
    for (const auto& c : cases) {
        UseDevice(Device::Vk32D64, c.protocolType);
        if (c.inDataFlash) {
            g_deviceAreas[kAreaAse1].top = 0x14000;
        }
        SessionIniWriteInt("COMMUNI", "COMSPEED", c.comspeed);
        Channel().SelectCommunicationSpeed();
        EXPECT_EQ(Session("COMMUNI", "COMSPEED"), c.written) << c.protocolType << " " << c.comspeed;
        EXPECT_EQ(Channel().CommunicationSpeedIndex(), c.index) << c.protocolType << " " << c.comspeed;
    }
    UseDevice(Device::Vk32D64, 2);
    SessionIniWriteInt("COMMUNI", "COMSPEED", 6);
    Channel().SelectCommunicationSpeed();
    Channel().ApplyCommunicationSpeed();
    const Bytes control = ReadRegister(0x400000);
    EXPECT_EQ(control[0] & 0x70, 3 << 4) << "the adapter's own baud index";
    EXPECT_EQ(control[1] & 0x3F, 0x10);
}

TEST_F(OpenLink, TheSpeedSelectionReadsTheDevicesFileAndTheBaudCommandThePlugInsOwn) {
    // The device's file allows ten, the plug-in's own (none beside the test
    // program: its default) six.
    folder_.Write("Speed.cnf", "[Q3v KTR4 TARGET]\r\nBAUD RATE=10\r\n");
    std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%s", folder_.Windows("Speed.cnf").c_str());
    ASSERT_FALSE(std::filesystem::exists(*platform::ToNativePath(GetPluginCnfPath())));
    SessionIniWriteInt("COMMUNI", "COMSPEED", 9);
    Channel().SelectCommunicationSpeed();
    EXPECT_EQ(Session("COMMUNI", "COMSPEED"), "9") << "the device's limit";
    ClearFrames();
    EXPECT_EQ(Channel().SetBaudRate(0xB6), kOk);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 08 00 02 00 01 B5 00 A5 81"})
        << "the plug-in's own limit (6): the short form";
}

TEST_F(OpenLink, TheBlankIdCodeUnlocksAnErasedTarget) {
    ASSERT_EQ(Channel().Open(), kOk);
    g_idUnlocked = 0;
    EXPECT_EQ(Channel().UnlockWithIdCode(), kOk);
    EXPECT_EQ(g_idUnlocked, 1u);
    EXPECT_EQ(Status().idVerified, 1u);
    DWORD first = 0, second = 0;
    Channel().GetStatusWords(&first, &second);
    EXPECT_EQ(first, 0x00FFFFFFu);
    EXPECT_EQ(second, 0xFFFFFFFFu);
}

TEST_F(OpenLink, AProtectedTargetAsksForItsCodeAndCancelGivesTheCheckFailure) {
    const BYTE code[7] = {1, 2, 3, 4, 5, 6, 7};
    Control().setIdCode(code);
    g_idUnlocked = 0;
    ui_.OnDialog(res_id::kIdCodeDialog).PressCancel();
    ui_.OnDialog(res_id::kIdCodeDialog).PressCancel();
    EXPECT_EQ(Channel().UnlockWithIdCode(), kCheckFailed);
    EXPECT_EQ(g_idUnlocked, 0u) << "an early return sets nothing";
    EXPECT_EQ(Channel().CheckIdCodeWithPrompt(), kCheckFailed);
    EXPECT_EQ(Status().idVerified, 0u);
}

TEST_F(OpenLink, AWrongCodeIsAskedForAgainAndTheRightOneUnlocks) {
    const BYTE code[7] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE};
    Control().setIdCode(code);
    ui_.OnDialog(res_id::kIdCodeDialog).SetText(res_id::kIdCodeText, "00000000000000").PressOk();
    ui_.OnDialog(res_id::kIdCodeDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kIdCodeText), "00000000000000") << "the last code typed is offered";
        })
        .SetText(res_id::kIdCodeText, "123456789abcde")
        .PressOk();
    EXPECT_EQ(Channel().UnlockWithIdCode(), kOk);
    EXPECT_EQ(Status().idVerified, 1u);
    DWORD first = 0, second = 0;
    Channel().GetStatusWords(&first, &second);
    EXPECT_EQ(first, 0x123456u);
    EXPECT_EQ(second, 0x789ABCDEu);
    const std::vector<std::string> frames = FramesIn();
    EXPECT_EQ(frames[frames.size() - 2], "00 12 00 0C 00 00 F5 DF FF 00 07 12 34 56 78 9A BC DE A5 81");
}

TEST_F(OpenLink, ResetAndUnlockKeepsTheUserResetBytesOfTheSession) {
    SessionIniWriteString("USER_DATA", "RESET", "12345678");
    for (const DWORD type : {1u, 2u, 3u, 4u}) {
        UseDevice(Device::Vk31D16, type);
        g_userResetBytes = {};
        EXPECT_EQ(Channel().ResetAndUnlock(), kOk) << type;
        const std::size_t count = type == 4 ? 2 : 3;
        ASSERT_EQ(g_userResetBytes.count, count) << type;
        EXPECT_EQ(Bytes(g_userResetBytes.bytes.begin(), g_userResetBytes.bytes.begin() + count),
                  Bytes({0x78, 0x56, 0x34}).size() == count ? Bytes({0x78, 0x56, 0x34}) : Bytes({0x78, 0x56}))
            << type;
    }
}

}  // namespace
}  // namespace linktest
