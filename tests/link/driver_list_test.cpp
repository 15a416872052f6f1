// The driver list: the driver modules beside the plug-in, the selected
// driver's interface, and the selection saved in the session settings.
#include "link/driver_list.h"
#include "link/emulator_link.h"
#include "link/ule_drv_interface.h"
#include "config/session_settings.h"
#include "config/target_config.h"
#include "target/target_vk3.h"
#include "tests/link/link_fixture.h"

#include "platform/module.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace linktest {
namespace {

constexpr char kSimulatedDriver[] = "Q3v Simulated Emulator";
constexpr DWORD kDllError = 0x80040201;
constexpr char kNotConnected[] =
    "The emulator is not connected.\nPlease start the debugger after connecting the emulator.";

// Each test scans a folder of its own holding exactly the modules it needs,
// so nothing else beside the test programs changes what the list finds.
class DriverList : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        driver_.reset();  // the list makes the session's driver itself
        g_driverFactory = &factory_;
    }
    void TearDown() override {
        list_.ReleaseCurrentDriver();
        g_driverFactory = nullptr;
        LinkTest::TearDown();
        SteerModule(emutest::Module());
        if (copy_.module != nullptr) {
            FreeLibrary(copy_.module);
        }
    }
    // Copies the modules from beside the program into the test's folder and
    // loads the simulated driver's copy there, whose emulator the test steers
    // from now on; answers the copy, the module whose folder the list scans.
    HMODULE Folder(std::initializer_list<const char*> others) {
        for (const char* name : others) {
            CopyModule(name);
        }
        CopyModule("Q3vSimEmu.dll");
        copy_ = emutest::LoadSimModule(folder_.Windows("Q3vSimEmu.dll"));
        EXPECT_TRUE(copy_.error.empty()) << copy_.error;
        SteerModule(copy_);
        return copy_.module;
    }
    void CopyModule(const char* name) {
        const auto source = platform::ToNativePath(testing_support::ProgramFolder() + name);
        ASSERT_TRUE(source.has_value()) << name;
        std::filesystem::copy_file(*source, folder_.Native() / name);
    }
    WORD SimulatedIndex() const {
        for (WORD i = 0; i < list_.GetCount(); ++i) {
            if (list_.GetAt(i) == kSimulatedDriver) {
                return i;
            }
        }
        ADD_FAILURE() << "the simulated driver is not listed";
        return 0;
    }
    void Save(const char* value) { SessionIniWriteString("Driver Configuration", kSimulatedDriver, value); }
    std::string Saved(const char* section, const char* key) {
        char text[256] = {};
        SessionIniGetString(section, key, "", text, sizeof(text));
        return text;
    }
    std::string EmulatorConfiguration() {
        char text[256] = {};
        Control().getConfiguration(text, sizeof(text));
        return text;
    }

    CUleDrvFactory factory_;
    CDriverList list_;
    emutest::SimModule copy_;
};

TEST_F(DriverList, TheScanListsTheDriverModulesBesideThePluginAndSkipsTheRest) {
    // A module that is no driver, one that lacks an entry point, one that
    // binds but is of another library type, and one that refuses to load.
    ASSERT_TRUE(list_.Scan(Folder({"PlatformTestModule.dll", "PartialDriverNoPoll.dll", "PartialDriverNoTrace.dll",
                                   "RefusingTestModule.dll"})));
    EXPECT_EQ(list_.GetCount(), 1u) << "modules that are no drivers, lack entry points or refuse to load are skipped";
    EXPECT_EQ(list_.GetAt(0), kSimulatedDriver);
    EXPECT_EQ(list_.PathAt(0), folder_.Windows("Q3vSimEmu.dll"));
    EXPECT_EQ(list_.GetAt(1), "");
    EXPECT_EQ(list_.SelectDriver(1), kDllError) << "an index equal to the count";
    EXPECT_EQ(g_currentDriver, nullptr);
}

TEST_F(DriverList, AFolderWithoutDriversListsNothing) {
    // A module alone in a folder of its own: nothing beside it is a driver.
    const auto source = platform::ToNativePath(testing_support::ProgramFolder() + "PlatformTestModule.dll");
    ASSERT_TRUE(source.has_value());
    std::filesystem::copy_file(*source, folder_.Native() / "PlatformTestModule.dll");
    HMODULE module = LoadLibraryA(folder_.Windows("PlatformTestModule.dll").c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_FALSE(list_.Scan(module));
    FreeLibrary(module);
    EXPECT_EQ(list_.GetCount(), 0u);
    EXPECT_EQ(list_.GetAt(0), "");
    list_.AddDriver((folder_.Windows() + "\\").c_str(), "Missing.dll");
    EXPECT_EQ(list_.GetCount(), 0u) << "a module that does not load";
}

TEST_F(DriverList, WithNothingSavedTheDriversFirstInterfaceIsTakenAndSaved) {
    ASSERT_TRUE(list_.Scan(Folder({})));
    ASSERT_EQ(list_.SelectDriver(SimulatedIndex()), 0u);
    ASSERT_NE(g_currentDriver, nullptr);
    EXPECT_STREQ(g_currentDriver->InterfaceName(), "SIMUSB");
    EXPECT_EQ(g_currentDriver->SelectedIndex(), 0);
    EXPECT_NE(g_emulatorLink, nullptr);
    EXPECT_EQ(GetTarget()->GetDriverName(), kSimulatedDriver);
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver), "SIMUSB,0," + EmulatorConfiguration());
    EXPECT_EQ(Saved("Target", "Vk3 Q3v SYSTEM"), kSimulatedDriver);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DriverList, ASavedSelectionIsAppliedToTheDriver) {
    ASSERT_TRUE(list_.Scan(Folder({})));
    const char* saved[] = {"SIMUSB,0,", "SIMUSB,0"};
    for (const char* value : saved) {
        Save(value);
        ClearFrames();
        ASSERT_EQ(list_.SelectDriver(SimulatedIndex()), 0u) << value;
        EXPECT_EQ(list_.ConfigurationKind(), CDriverList::kKindReady) << "the simulated driver needs no dialog";
        EXPECT_EQ(g_currentDriver->SelectedIndex(), 0);
        EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver), value) << "nothing written back";
    }
    Save("SIMUSB,0,device=VK32D64;protocol=2;board=powered;connector=connected;canary=0;pending=0;steps=1000;lockout=3");
    ASSERT_EQ(list_.SelectDriver(SimulatedIndex()), 0u);
    EXPECT_EQ(Status().protocolType, 2u) << "the saved configuration reached the emulator";
    EXPECT_EQ(list_.SaveSelection(), 1);
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver), "SIMUSB,0," + EmulatorConfiguration());
}

TEST_F(DriverList, ARejectedSavedSelectionShowsItsMessageAndKeepsTheDriver) {
    ASSERT_TRUE(list_.Scan(Folder({})));
    for (const char* value : {"SIMUSB,0,device=NOSUCH", "NOSUCHIF,0,", "SIMUSB,7,"}) {
        Save(value);
        ui_.AnswerNextMessageBox(IDOK);
        EXPECT_EQ(list_.SelectDriver(SimulatedIndex()), kDllError) << value;
        EXPECT_NE(g_currentDriver, nullptr) << "the driver stays, so another configuration can be tried";
        EXPECT_EQ(Messages().back(), kNotConnected);
    }
    EXPECT_EQ(Messages().size(), 3u);
}

TEST_F(DriverList, ReleasingTheDriverEndsTheSession) {
    ASSERT_TRUE(list_.Scan(Folder({})));
    ASSERT_EQ(list_.SelectDriver(SimulatedIndex()), 0u);
    list_.ReleaseCurrentDriver();
    EXPECT_EQ(g_currentDriver, nullptr);
    EXPECT_EQ(g_emulatorLink, nullptr);
    EXPECT_EQ(list_.SelectedIndex(), -1);
    EXPECT_EQ(list_.SaveSelection(), 0) << "nothing selected, nothing written";
}

}  // namespace
}  // namespace linktest
