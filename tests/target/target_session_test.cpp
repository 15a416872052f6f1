// The target's session load and save through the host's workspace, with the
// setting items refreshed and written around them; and the configuration
// handler's creation from the plug-in's .CNF and the start-up selection.
#include "tests/target/target_test_support.h"

#include "frame/host_conversions.h"
#include "frame/host_profile_accessor.h"
#include "monitor/flash_mode.h"
#include "config/device_data.h"
#include "startup/device_selection.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using targettest::Journal;
using targettest::TestTarget;

// The setting-item store the status subsystem will give: it writes what it
// is asked into the journal.
class JournaledItemStore : public CSettingItemStoreBase {
public:
    explicit JournaledItemStore(Journal& journal) : journal_(journal) {}
    HRESULT Open() override {
        journal_.push_back("open items");
        return S_OK;
    }
    void Close() override { journal_.push_back("close items"); }
    HRESULT Load() override {
        journal_.push_back("load items");
        return S_OK;
    }
    HRESULT Save(const std::vector<std::string>& items) override {
        std::string text = "save items";
        for (const std::string& item : items) {
            text += " " + item;
        }
        journal_.push_back(text);
        return S_OK;
    }

private:
    Journal& journal_;
};

class TargetSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(target.Attach(&host, 1), S_OK);
        host.OfferService(IID_IHWorkspaceStorage, &storage);
        TargetObjectFactories factories;
        factories.settingItemStore = [this](IHostServiceProvider*) {
            return std::make_unique<JournaledItemStore>(items);
        };
        SetTargetObjectFactories(factories);
        ASSERT_EQ(target.Initialise(name.Get()), S_OK);
        g_flashMode = 0;
    }
    void TearDown() override {
        static_cast<void>(target.Uninitialise());
        target.Detach(1);
        SetTargetObjectFactories({});
        g_flashMode = 0;
    }
    std::string Stored(const std::string& fourth, const std::string& name) const {
        return storage.Stored("session|ws|proj|" + fourth, std::string(ClsidToText(&CLSID_Q3vVk3Target)) + name);
    }
    DWORD Modified() {
        DWORD modified = 7;
        target.GetModified(nullptr, nullptr, nullptr, &modified);
        return modified;
    }
    void Load(const char* fourth) {
        platform::Bstr a("ws"), b("proj"), c("load"), d(fourth);
        EXPECT_EQ(target.OnLoadSession(a.Get(), b.Get(), c.Get(), d.Get()), S_OK);
    }

    testing_support::TempFolder folder;
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::WorkspaceStorage storage{log, folder.Windows("workspace.ini")};
    TestTarget target;
    platform::Bstr name{"Vk3 Q3v SYSTEM"};
    Journal items;
};

TEST_F(TargetSession, ASessionTheTargetDidNotSaveIsSavedAtOnce) {
    target.SetModified(1);
    Load("sess");
    EXPECT_EQ(Stored("sess", "T_SESSION_IS_SAVED"), "YES");
    EXPECT_EQ(Stored("sess", "T_CONFIG_ROUND"), "RM_NEAR");
    EXPECT_EQ(Stored("sess", "T_CONFIG_FLASH_MODE"), "0");
    EXPECT_EQ(Modified(), 0u);
    EXPECT_EQ(items, (Journal{"open items", "load items", "close items", "open items",
                              "save items ROM_MODE MAP RESOURCE SIMIOF SIMIOADR", "close items"}));

    // Saved: the next load reads it and writes nothing.
    items.clear();
    log.Clear();
    g_flashMode = 3;
    Load("sess");
    EXPECT_TRUE(log.Find("WorkspaceWrite").empty());
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(g_flashMode, 0u);  // read back from the workspace
}

TEST_F(TargetSession, AnUnreadableSessionIsSavedAgain) {
    {
        CHostProfileAccessorEx writer(&storage, "ws", "proj", "x", "bad", CLSID_Q3vVk3Target);
        ASSERT_EQ(writer.WriteString("T_SESSION_IS_SAVED", "YES"), S_OK);
        ASSERT_EQ(writer.WriteString("T_CONFIG_ROUND", "RM_UP"), S_OK);
    }
    Load("bad");
    EXPECT_EQ(Stored("bad", "T_CONFIG_ROUND"), "RM_NEAR");
    EXPECT_FALSE(items.empty());
}

TEST_F(TargetSession, SaveWritesTheOptionsAndTheMarkUnderTheNameTextAndWritesTheItems) {
    target.SetModified(1);
    platform::Bstr a("ws"), b("proj"), c("saved");
    EXPECT_EQ(target.OnSaveSession(a.Get(), b.Get(), c.Get()), S_OK);
    EXPECT_EQ(Stored("saved", "T_SESSION_IS_SAVED"), "YES");
    EXPECT_EQ(Modified(), 0u);
    EXPECT_EQ(items, (Journal{"open items", "save items ROM_MODE MAP RESOURCE SIMIOF SIMIOADR", "close items"}));
    EXPECT_EQ(log.Find("SessionNameText").size(), 1u);

    // The load variant reads, then writes the items.
    items.clear();
    platform::Bstr d("saved");
    EXPECT_EQ(target.OnLoadSessionDefaults(a.Get(), b.Get(), c.Get(), d.Get()), S_OK);
    EXPECT_EQ(items, (Journal{"open items", "save items ROM_MODE MAP RESOURCE SIMIOF SIMIOADR", "close items"}));
}

TEST_F(TargetSession, WithoutTheHostsStorageOrNameTextNothingIsWrittenButTheItems) {
    host.OfferService(IID_IHSessionNameText, nullptr);
    platform::Bstr a("ws"), b("proj"), c("none");
    EXPECT_EQ(target.OnSaveSession(a.Get(), b.Get(), c.Get()), S_OK);
    EXPECT_NE(Stored("none", "T_SESSION_IS_SAVED").find("<missing>"), std::string::npos);
    host.OfferService(IID_IHWorkspaceStorage, nullptr);
    Load("none");
    EXPECT_TRUE(log.Find("WorkspaceWrite").empty());
    EXPECT_EQ(Modified(), 0u);
    EXPECT_EQ(items.size(), 9u);  // one save, then a refresh and a save
}

TEST_F(TargetSession, WithoutHandlersTheSessionIsStillMarkedSaved) {
    static_cast<void>(target.Uninitialise());
    Load("bare");
    EXPECT_EQ(Stored("bare", "T_SESSION_IS_SAVED"), "YES");
    EXPECT_NE(Stored("bare", "T_CONFIG_ROUND").find("<missing>"), std::string::npos);
}

// The start-up selection of the test's own: it chooses a device (or not)
// and names its section.
class ChosenDevice : public CDeviceSelection {
public:
    int LoadStartupDeviceSelection(int listSelector) override {
        selectors.push_back(listSelector);
        if (!choose) {
            return -1;
        }
        g_deviceIndex = 0;
        return 0;
    }
    std::string GetDeviceName(int index) const override { return index == 0 ? "VK31D16" : ""; }
    bool choose = true;
    std::vector<int> selectors;
};

// A target whose configuration handler is the family's own.
class FamilyCfgTarget : public TestTarget {
public:
    CTargetCfg* CreateCfgHandler() override { return CTargetVk3::CreateCfgHandler(); }
};

TEST(ConfigurationHandler, IsMadeOnlyForTheLibraryNameAChosenDeviceAndTheFamilysCpu) {
    struct Case {
        const char* name;
        const char* cnf;  // the plug-in's .CNF
        bool choose;
        const char* cpuType;
        const char* targetName;
        bool made;
        int selector;
    };
    const char* const own = "[Q3v KTR4 TARGET]\nLIBRARY NAME=Vk3 Q3v SYSTEM\nFAMILY NAME=Vk31X\n";
    const Case cases[] = {
        {"made", own, true, "Vk31X", "Vk3 Q3v SYSTEM", true, 0},
        {"no library name", "[Q3v KTR4 TARGET]\nFAMILY NAME=Vk31X\n", true, "Vk31X", "Vk3 Q3v SYSTEM", false, -2},
        {"nothing chosen", own, false, "Vk31X", "Vk3 Q3v SYSTEM", false, 0},
        {"another CPU type", own, true, "Vk32X", "Vk3 Q3v SYSTEM", false, 0},
        {"another target name", own, true, "Vk31X", "Other System", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChosenDevice selection;
        selection.choose = c.choose;
        CDeviceSelection* const saved = g_deviceSelection;
        g_deviceSelection = &selection;
        const std::string savedCpu = g_deviceValues.cpuType;
        g_deviceValues.cpuType = c.cpuType;
        BuildCnfPath();
        CSettingsFileCache& cache = GetTarget()->GetSettingsCache();
        // The plug-in's reader keeps one file: this text stands for its .CNF.
        cache.SetFileName(g_cnfPath);
        std::vector<char> content(c.cnf, c.cnf + std::strlen(c.cnf));
        content.push_back('\x1A');
        content.push_back('\0');
        cache.SetContent(std::move(content));
        FamilyCfgTarget target;
        target.SetTargetName(c.targetName);
        std::unique_ptr<CTargetCfg> cfg(target.CreateCfgHandler());
        EXPECT_EQ(cfg != nullptr, c.made);
        if (c.selector < 0) {
            EXPECT_TRUE(selection.selectors.empty());
        } else {
            EXPECT_EQ(selection.selectors, std::vector<int>{c.selector});
        }
        if (c.made) {
            platform::Bstr description;
            ASSERT_EQ(cfg->GetDescription(description.Out()), S_OK);
            EXPECT_EQ(description.Ansi(), "Vk3 Q3v SYSTEM\nEmulator\n1.03.00.002");
            EXPECT_EQ(dynamic_cast<CTargetCfgVk3&>(*cfg).GetTypeCode(), 200u);
            EXPECT_EQ(cfg->GetSecondName(), "VK31D16");
            EXPECT_STREQ(g_deviceSection, "VK31D16");
        }
        cfg.reset();
        cache.Clear();
        cache.SetFileName("");
        g_deviceValues.cpuType = savedCpu;
        g_deviceSelection = saved;
        g_deviceIndex = -1;
    }
}

}  // namespace
