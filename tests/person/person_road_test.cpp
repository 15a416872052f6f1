// The plug-in as the real host loads it on Windows: the system's own windows,
// and no UI driver anywhere in the process. A person on a thread of their own
// sees the plug-in's sheets and boxes and uses them with the system's
// functions alone, while the host's thread runs the plug-in's modal loops;
// the host's window keeps answering meanwhile. The sheets are kept as
// screenshots in the build folder (screenshots/), each checked to show
// something.
#include "tests/person/person.h"
#include "tests/road/road_session.h"

#include "breaks/break_manager.h"
#include "platform/common_controls.h"
#include "platform/profile.h"
#include "platform/ui.h"
#include "platform/window_system.h"
#include "res/resource_ids.h"
#include "sim/host/sim_host.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using persontest::Person;

[[maybe_unused]] constexpr UINT kConfigurationCommand = 32773;

[[maybe_unused]] std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

BOOL CALLBACK MatchHostWindow(HWND window, LPARAM parameter) {
    char caption[32] = "";
    ::GetWindowTextA(window, caption, sizeof(caption));
    if (std::string(caption) != "Kestrune") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

// The host's main window, made on this thread: another test program on the
// same display has a window of the same caption.
HWND HostWindowOfThisThread() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchHostWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

class PersonRoad : public roadtest::EmulatorRoad {
protected:
    void SetUp() override {
        Q3V_SKIP_ON_LINUX("the person uses the system's own windows, which only the Windows build has");
        ASSERT_FALSE(platform::HeadlessWindows()) << "the product's window system";
        ASSERT_EQ(platform::GetUiDriver(), nullptr) << "nobody answers for the person";
        ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), roadtest::kDemoSettings));
        for (const auto& [address, byte] : emutest::LoadSRecords("Vk3Demo.mot")) {
            ASSERT_EQ(control_->writeTarget(address, &byte, 1), Q3V_SIM_OK);
        }
        host_ = std::make_unique<simhost::SimHost>();
        ASSERT_NO_FATAL_FAILURE(roadtest::AttachPlugin(*host_));
        host_->Services().OpenSession(session_.Windows(), "sess");
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        hostWindow_ = HostWindowOfThisThread();
        ASSERT_NE(hostWindow_, nullptr) << "the host's main window";
        ::ShowWindow(hostWindow_, SW_SHOW);
    }
    void TearDown() override {
        if (started_) {
            EXPECT_EQ(host_->EndTargetSession(), S_OK);
        }
        if (host_ != nullptr) {
            host_->Unload();
        }
    }

    void Session(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, session_.Windows("sess.ini").c_str()));
    }
    std::string Saved(const char* section, const char* key) const {
        char text[256] = "";
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof(text), session_.Windows("sess.ini").c_str());
        return text;
    }
    // The host starts its target session: the selection (when the session
    // asks for it) and the connect.
    HRESULT StartTarget() {
        const HRESULT result = host_->StartTargetSession();
        started_ = SUCCEEDED(result);
        return result;
    }
#ifdef _WIN32
    // The Emulator Setting wizard of a new session, as a person goes
    // through it: the demo group and device, the mode, two pages on, the
    // sheet not to be shown again, Finish.
    void ChooseInWizard(Person& person, HWND sheet, int mode) {
        person.WaitForPageWith(sheet, res_id::kMcuGroup);
        person.Choose(sheet, res_id::kMcuGroup, "VK31X");
        person.Choose(sheet, res_id::kDevice, "VK31D16");
        person.Click(sheet, mode);
        person.PressSheetButton(sheet, PSBTN_NEXT);
        person.WaitForPageWith(sheet, res_id::kSpeedList);
        person.Click(sheet, res_id::kHideSheetCheck);
        person.PressSheetButton(sheet, PSBTN_FINISH);
        person.WaitUntilGone(sheet);
    }
    static std::string Screenshot(const char* name) {
        const std::filesystem::path folder = std::filesystem::current_path().parent_path() / "screenshots";
        std::filesystem::create_directories(folder);
        return (folder / name).string();
    }
    void ExpectPersonDone(Person& person) {
        person.Join();
        EXPECT_TRUE(person.Failures().empty()) << Joined(person.Failures());
    }
#endif

    testing_support::TempFolder session_;
    std::unique_ptr<simhost::SimHost> host_;
    HWND hostWindow_ = nullptr;
    bool started_ = false;
};

TEST_F(PersonRoad, ConnectsThroughTheEmulatorSettingSheet) {
#ifdef _WIN32
    bool hostAnswered = false;
    Person person([&](Person& me) {
        const HWND sheet = me.WaitForWindow("Emulator Setting");
        me.WaitForPageWith(sheet, res_id::kMcuGroup);
        hostAnswered = me.Answers(hostWindow_);
        me.Screenshot(sheet, Screenshot("emulator_setting.png"));
        ChooseInWizard(me, sheet, res_id::kModeKeepFlash);
    });
    EXPECT_EQ(StartTarget(), S_OK);
    ExpectPersonDone(person);
    EXPECT_TRUE(hostAnswered) << "the host's window answered while the sheet was open";
    EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
    EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "1");
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "1");
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE) << "the emulator's firmware serves the session";
#endif
}

TEST_F(PersonRoad, AnswersABootFailedBox) {
#ifdef _WIN32
    // The target resets under the firmware's start: the boot fails.
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_TARGET_RESET, 0, 100), Q3V_SIM_OK);
    bool hostAnswered = false;
    Person person([&](Person& me) {
        ChooseInWizard(me, me.WaitForWindow("Emulator Setting"), res_id::kModeKeepFlash);
        const HWND box = me.WaitForBox("Boot failed !");
        hostAnswered = me.Answers(hostWindow_);
        me.Click(box, IDOK);
        me.WaitUntilGone(box);
    });
    EXPECT_TRUE(FAILED(StartTarget()));
    ExpectPersonDone(person);
    EXPECT_TRUE(hostAnswered) << "the host's window answered while the box was open";
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0") << "the next connect asks again";
#endif
}

TEST_F(PersonRoad, ChangesTheSetBreakAndTheConfigurationSheets) {
#ifdef _WIN32
    // A session that holds its selection: no sheet before the connect.
    Session("CPU_SELECT", "MCU_GROUP", "VK31X");
    Session("CPU_SELECT", "DEVICE", "VK31D16");
    Session("CPU_SELECT", "EMUSEL", "1");
    Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    ASSERT_EQ(StartTarget(), S_OK);
    IHTarget* target = nullptr;
    ASSERT_EQ(host_->QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)), S_OK);
    auto* manager = static_cast<CTBreakManager*>(static_cast<CTargetVk3*>(target)->GetBreakHandler());
    ASSERT_NE(manager, nullptr);

    bool hostAnswered = false;
    Person setBreak([&](Person& me) {
        const HWND sheet = me.WaitForWindow("Set Break");
        me.WaitForPageWith(sheet, res_id::kBrkAddress);
        hostAnswered = me.Answers(hostWindow_);
        me.Screenshot(sheet, Screenshot("set_break.png"));
        me.SetText(sheet, res_id::kBrkAddress, "H'C010");
        me.PressSheetButton(sheet, PSBTN_OK);
        me.WaitUntilGone(sheet);
    });
    manager->RunSetBreakDialog(-1);
    ExpectPersonDone(setBreak);
    EXPECT_TRUE(hostAnswered);
    const auto breakpoints = host_->Services().Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u) << "the sheet's new break is a host breakpoint";
    EXPECT_EQ(breakpoints[0].address, 0xC010u);

    const HWND window = host_->Services().UiRegistry().WindowForCommand(kConfigurationCommand);
    ASSERT_NE(window, nullptr);
    const auto changes = [this] {
        const auto posted = host_->Log().Find("PostEvent");
        return std::count_if(posted.begin(), posted.end(), [](const auto& call) {
            return call.detail == simhost::IdName(EVENT_BreakConditionChanged);
        });
    };
    const auto changesBefore = changes();
    Person configuration([&](Person& me) {
        const HWND sheet = me.WaitForWindow("Configuration");
        me.WaitForPageWith(sheet, res_id::kEmulationMode);
        me.Screenshot(sheet, Screenshot("configuration.png"));
        me.Choose(sheet, res_id::kEmulationMode, "No break");
        me.PressSheetButton(sheet, PSBTN_OK);
        me.WaitUntilGone(sheet);
    });
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(kConfigurationCommand, 0), 0);
    ExpectPersonDone(configuration);
    EXPECT_EQ(changes(), changesBefore + 1) << "the host heard of the break mode the person chose";
#endif
}

}  // namespace
