// The target's connect through the "Connecting" dialog and its connect
// thread, with the real driver list finding the simulated emulator's module
// beside the test program: the driver choice, the session objects, the boot
// sequence by connect mode and protocol type with its log lines and frames,
// and one message for each failure.
#include "link/driver_list.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "res/resource_ids.h"
#include "startup/connection_progress_dlg.h"
#include "target/host_window.h"
#include "target/session_settings.h"
#include "target/target_config.h"
#include "target/target_vk3.h"
#include "tests/link/link_fixture.h"

#include "platform/common_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace linktest {
namespace {

constexpr char kSimulatedDriver[] = "Q3v Simulated Emulator";
constexpr char kErasing[] = " Flash memory erasing ... ";
constexpr char kErasingOk[] = " Flash memory erasing ... OK";
constexpr char kErasingNg[] = " Flash memory erasing ... NG";
constexpr char kWriter[] = " Downloading Flash memory write program";
constexpr char kReading[] = " Flash memory reading ... ";
constexpr char kReadingOk[] = " Flash memory reading ... OK";

using Lines = std::vector<std::string>;

// A frame's position in the list, or -1.
long Find(const Lines& frames, const std::function<bool(const Bytes&)>& match, bool last = false) {
    long found = -1;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (match(Hex(frames[i]))) {
            found = static_cast<long>(i);
            if (!last) {
                break;
            }
        }
    }
    return found;
}

bool ProgramRecord(const Bytes& frame) {
    return frame.size() == 136 && frame[0] == 0x00 && frame[1] == 0x86;
}

bool RecordRead(const Bytes& frame) {
    return frame.size() > 2 && frame[2] == 0x52;
}

// The flash writer's bulk data frame (relayed command 0xFA).
bool WriterBulkFrame(const Bytes& frame) {
    return std::find(frame.begin(), frame.end(), 0xFA) != frame.end() && frame.size() > 512;
}

class ConnectRoad : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        // The connect chooses its driver and makes its session objects.
        driver_.reset();
        g_targetConfig.reset();
    }
    void TearDown() override {
        static_cast<void>(GetTarget()->DestroyHandlers());  // the session objects go; it answers 0
        Configure("channels=1;interfaces=1");
        LinkTest::TearDown();
    }
    // The connecting dialog's script: its log and animation are read as it
    // closes. Queued by the connect unless a test queued it before the
    // scripts of the dialogs that follow it.
    void QueueConnecting() {
        log_.clear();
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose().AtClose([this](platform::UiDialog& dialog) {
            log_ = dialog.Text(res_id::kConnectLog);
            playing_ = ::SendMessageA(dialog.Control(res_id::kConnectAnimation), ACM_ISPLAYING, 0, 0) != 0;
        });
        connectingQueued_ = true;
    }
    DWORD RunConnect() {
        if (!connectingQueued_) {
            QueueConnecting();
        }
        connectingQueued_ = false;
        messagesBefore_ = ui_.MessageBoxes().size();
        return GetTarget()->Connect();
    }
    // The message boxes of the last connect.
    Lines ConnectMessages() const {
        const Lines all = Messages();
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(messagesBefore_), all.end());
    }
    // A new session: nothing saved.
    void ForgetSession() { std::filesystem::remove(folder_.Native() / "session.ini"); }
    Lines LogLines() const {
        Lines lines;
        std::size_t start = 0;
        while (start < log_.size()) {
            const std::size_t end = log_.find("\r\n", start);
            lines.push_back(log_.substr(start, end - start));
            start = end == std::string::npos ? log_.size() : end + 2;
        }
        return lines;
    }
    std::string Saved(const char* section, const char* key) const {
        char text[256] = "";
        SessionIniGetString(section, key, "<none>", text, sizeof(text));
        return text;
    }
    void WriteTarget(DWORD address, const Bytes& bytes) {
        Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    // A connect that fails with exactly the one message.
    void ExpectFailure(const std::string& message) {
        SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "1");
        EXPECT_EQ(RunConnect(), 0u);
        EXPECT_EQ(ConnectMessages(), Lines{message});
        EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    }

    std::string log_;
    bool playing_ = false;
    bool connectingQueued_ = false;
    std::size_t messagesBefore_ = 0;
};

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
    // The download's own message, the boot's, then the restart message once.
    const Lines messages = ConnectMessages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2], "Boot failed !");
    EXPECT_EQ(messages.back(), "Communication timeout error.\nPlease restart Q3v SYSTEM");
    EXPECT_EQ(std::count(messages.begin(), messages.end(), messages.back()), 1);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Boot failed !"), 1);
    EXPECT_EQ(LogLines().back(), kErasingNg);
}

}  // namespace
}  // namespace linktest
