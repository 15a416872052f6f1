// The target's connect through the "Connecting" dialog and its connect
// thread, with the real driver list finding the simulated emulator's module
// beside the test program: the driver choice, the session objects, the boot
// sequence by connect mode and protocol type with its log lines and frames,
// and one message for each failure.
#include "tests/target/connect_fixture.h"

#include "monitor/halt_control.h"
#include "monitor/monitor_engine.h"
#include "frame/dlg_connection.h"
#include "config/host_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace linktest {
namespace {

TEST_F(ConnectRoad, TheOnlyDriverIsTakenTheTargetBootsAndTheChoiceIsSaved) {
    SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, kErasing, kErasingOk}));
    EXPECT_TRUE(playing_);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ui_.Dialogs().size(), 1u) << "no dialog but the connecting one";
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(ReadTarget(0xF000, 0x400), emutest::Slice(emutest::LoadSRecords("frm_kq14.sys"), 0xC000, 0x400))
        << "the firmware in its area";
    EXPECT_EQ(Saved("Target", "Vk3 Q3v SYSTEM"), kSimulatedDriver);
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver).rfind("SIMUSB,0,device=VK31D16;", 0), 0u);
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "1") << "a success leaves it";
    EXPECT_EQ(GetTarget()->GetConnectSessionIniPath(), folder_.Windows("session.ini"));
    EXPECT_EQ(GetTarget()->GetDriverName(), kSimulatedDriver);
    EXPECT_EQ(GetTarget()->GetWriterReader(), nullptr) << "the reader is released";

    // Again without a teardown: the saved choice, and no new session object.
    const CTargetConfig* config = g_targetConfig.get();
    const CMonitorEngine* engine = g_monitorEngine.get();
    const CHaltControl* halt = g_haltControl.get();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(g_targetConfig.get(), config);
    EXPECT_EQ(g_monitorEngine.get(), engine);
    EXPECT_EQ(g_haltControl.get(), halt);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ui_.Dialogs().size(), 2u);
}

TEST_F(ConnectRoad, EachConnectModeRunsItsBootOnTheDemoDevice) {
    struct Case {
        DWORD mode;
        Lines log;
    };
    const Case cases[] = {
        {connect_mode::kEraseAndConnect, {kWriter, kErasing, kErasingOk}},
        {connect_mode::kKeepFlashAndConnect, {kWriter, kReading, kReadingOk}},
        {connect_mode::kProgramFlash, {kWriter, kErasing, kErasingOk}},
        {connect_mode::kCpuRewriteMode, {kWriter, kErasing, kErasingOk}},
    };
    const Bytes user = Hex("04 FE FD 04");
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        g_emuSel = c.mode;
        WriteTarget(0xC000, user);
        ClearFrames();
        EXPECT_EQ(RunConnect(), 1u);
        EXPECT_EQ(LogLines(), c.log);
        EXPECT_TRUE(Messages().empty());
        const Lines frames = FramesIn();
        const long writer = Find(frames, WriterBulkFrame);
        EXPECT_GE(writer, 0) << "the flash writer goes to the boot program";
        if (c.mode == connect_mode::kProgramFlash) {
            EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
            EXPECT_EQ(Find(frames, ProgramRecord), -1) << "no firmware";
            EXPECT_EQ(ReadTarget(0xF000, 1), Bytes{0xFF}) << "the firmware's area erased";
            continue;
        }
        EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
        const long firstProgram = Find(frames, ProgramRecord);
        EXPECT_GT(firstProgram, writer);
        if (c.mode == connect_mode::kKeepFlashAndConnect) {
            EXPECT_LT(Find(frames, RecordRead, true), firstProgram) << "every page read before the firmware goes";
            EXPECT_EQ(ReadTarget(0xC000, 4), user) << "the user's flash is kept";
        } else {
            EXPECT_EQ(ReadTarget(0xC000, 4), Bytes(4, 0xFF)) << "the flash is erased";
        }
    }
}

TEST_F(ConnectRoad, AFailedFlashReadInModeOneSendsNoDownloadFrame) {
    g_emuSel = connect_mode::kKeepFlashAndConnect;
    Inject(Q3V_SIM_FAULT_BARE_ACK, 0x52, 1);
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_EQ(LogLines(), (Lines{kWriter, kReading, " Flash memory reading ... NG"}));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages()[0], "Boot failed !");
    const Lines frames = FramesIn();
    EXPECT_EQ(Find(frames, ProgramRecord), -1);
    EXPECT_EQ(Find(frames, [](const Bytes& frame) { return frame.size() == 8 && frame[2] == 'E'; }), -1)
        << "nothing erased";
}

TEST_F(ConnectRoad, ProtocolTypesZeroTwoAndThreeBootWithTheirDeviceValues) {
    struct Case {
        Device device;
        DWORD type;
        const char* firmware;
        Lines log;
    };
    const Case cases[] = {
        {Device::Vk31D16, 0, "frm_kq14.sys", {kErasing, kErasingOk, kWriter}},
        {Device::Vk32D64, 2, "LinkTestFiles\\frm_vk32.sys", {kWriter, kErasing, kErasingOk}},
        {Device::Vk32D64, 3, "LinkTestFiles\\frm_vk33.sys", {kWriter, kErasing, kErasingOk}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("protocol type " + std::to_string(c.type));
        UseDevice(c.device, c.type);
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        g_deviceValues.firmName = c.firmware;
        if (c.type == 0) {
            g_deviceAreas[kAreaAse1] = {1, 0xC000, 0xC3FF};  // the image where it is linked
        }
        ClearFrames();
        EXPECT_EQ(RunConnect(), 1u);
        EXPECT_EQ(LogLines(), c.log);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
        EXPECT_EQ(Status().protocolType, c.type);
        const Lines frames = FramesIn();
        if (c.type == 0) {
            EXPECT_NE(std::find(frames.begin(), frames.end(), "00 02 EF 81"), frames.end()) << "the erasing unlock";
        } else {
            EXPECT_EQ(Find(frames, WriterBulkFrame), -1) << "the flash writer stays in the link";
        }
        static_cast<void>(GetTarget()->DestroyHandlers());  // the next type's driver starts afresh
        ForgetSession();  // and the configuration it saved stays with its own device
    }
}

TEST_F(ConnectRoad, EachBootFailureShowsOneMessage) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    };
    const Case cases[] = {
        {"the link lost as it opens", [this] { Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0); }, "Boot Failed !"},
        {"an erase error of the unlock",
         [this] {
             UseDevice(Device::Vk31D16, 0);
             Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
         },
         "Flash memory erase error !\nChange device"},
        {"an ID code the user does not give",
         [this] {
             Configure("idcode=01020304050607");
             QueueConnecting();
             ui_.OnDialog(res_id::kIdCodeDialog).PressCancel();
         },
         "ID code error !"},
        {"another firmware version", [] { g_deviceValues.chipId = 0x0093; }, "Boot failed !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseDevice(Device::Vk31D16, 1);
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        c.arrange();
        ExpectFailure(c.message);
        Control().clearFaults();
        static_cast<void>(GetTarget()->DestroyHandlers());
        ForgetSession();
    }
}

TEST_F(ConnectRoad, AFirmwareDownloadFailureShowsTheDownloadsMessagesAlone) {
    UseDevice(Device::Vk31D16, 1);
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 2);
    SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_EQ(ConnectMessages(), (Lines{"Flash memory write error", "Error sending firmware"}));
    EXPECT_EQ(LogLines().back(), kErasingNg);
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
}

TEST_F(ConnectRoad, TheEraseErrorOfProtocolTypeZeroIsLogged) {
    UseDevice(Device::Vk31D16, 0);
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    ExpectFailure("Flash memory erase error !\nChange device");
    EXPECT_EQ(LogLines(), (Lines{kErasing, kErasingNg}));
}

TEST_F(ConnectRoad, ThePowerDialogsCancelFailsTheOpen) {
    Configure("board=unpowered");
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    ui_.AnswerNextMessageBox(IDOK);  // "Power on the target board": still no power
    QueueConnecting();
    ui_.OnDialog(res_id::kPowerSupplyDialog).PressCancel();
    EXPECT_EQ(RunConnect(), 0u);
    const Lines messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], "Boot Failed !") << "the one failure message, after the power prompt";
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    Configure("board=powered");
}

TEST_F(ConnectRoad, ACancelRequestWhileTheLinkOpensEndsTheConnect) {
    Configure("board=unpowered");
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    ui_.AnswerNextMessageBox(IDOK);
    QueueConnecting();
    // While the power dialog is open (on the connect thread), the hidden
    // Cancel button's command reaches the connecting dialog.
    ui_.OnDialog(res_id::kPowerSupplyDialog)
        .Do([](platform::UiDialog&) {
            const HWND connecting = GetOpenConnectionDialog()->GetSafeHwnd();
            const HWND cancel = ::GetDlgItem(connecting, res_id::kConnectCancel);
            EXPECT_FALSE(::IsWindowVisible(cancel));
            EXPECT_FALSE(::IsWindowEnabled(cancel));
            ::SendMessageA(connecting, WM_COMMAND, MAKEWPARAM(res_id::kConnectCancel, BN_CLICKED),
                           reinterpret_cast<LPARAM>(cancel));
        })
        .Check(res_id::kPowerFromEmulator)
        .Pick(res_id::kVoltage33)
        .PressOk();
    EXPECT_EQ(RunConnect(), 0u);
    const Lines messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Boot Canceled !");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Boot Canceled !"), 1);
    EXPECT_TRUE(LogLines().empty()) << "nothing after the open";
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    Configure("board=powered");
}

TEST_F(ConnectRoad, ALinkLostDuringTheBootAddsTheRestartMessageOnce) {
    EXPECT_EQ(RunConnect(), 1u);
    const DWORD frames = Control().getFrameCount();
    static_cast<void>(GetTarget()->DestroyHandlers());
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    ClearFrames();
    // Half way through: the firmware download.
    ASSERT_EQ(Control().injectFaultAfter(frames / 2, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(RunConnect(), 0u);
    // The download's own message, then the restart message once; the boot
    // adds no box of its own to a failure already shown.
    const Lines messages = ConnectMessages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "Error sending firmware");
    EXPECT_EQ(messages.back(), "Communication timeout error.\nPlease restart Q3v SYSTEM");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), messages.back()), 1);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Boot failed !"), 0);
    EXPECT_EQ(LogLines().back(), kErasingNg);
}

TEST_F(ConnectRoad, TheEventFunctionFirmwareOfProtocolTypeZeroFailsSilently) {
    UseDevice(Device::Vk31D16, 0);
    g_swtiSupported = 1;
    ClearFrames();
    SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_TRUE(ConnectMessages().empty());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(FramesIn().empty()) << "not even the link is opened";
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    g_swtiSupported = 0;
}

TEST_F(ConnectRoad, AnEventFunctionFirmwareRecordOutsideTheImageFailsBeforeTheBlockErase) {
    g_swtiSupported = 1;
    g_deviceValues.eraseBlockCount = 0;
    g_deviceValues.firmDefaultTopAddr = 0xFFF00000;  // the firmware's records would land beyond the image
    ClearFrames();
    EXPECT_EQ(RunConnect(), 0u);
    EXPECT_EQ(ConnectMessages(), Lines{"Error downloading firmware file"});
    EXPECT_EQ(LogLines(), (Lines{kWriter, " Downloading firmware file"}));
    const Lines frames = FramesIn();
    EXPECT_EQ(Find(frames, [](const Bytes& frame) { return frame.size() == 8 && frame[2] == 'E'; }), -1)
        << "nothing erased";
    EXPECT_EQ(ReadTarget(0xFFFC, 1), Bytes{0xFF});
    g_swtiSupported = 0;
}

}  // namespace
}  // namespace linktest
