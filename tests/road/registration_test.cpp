// The plug-in module as the host loads it: registration, interface lookup,
// attach and detach through the simulated host.
#include "sim/host/sim_host.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"
#include "platform/paths.h"
#include "platform/ui.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::ProgramFolder;

class PluginRoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Load()) << host.LoadError(); }
    platform::ScriptedUiDriver ui;
    simhost::SimHost host;
};

TEST_F(PluginRoad, RegistersTheTargetThenTheUiComponent) {
    EXPECT_EQ(host.RegisterLibrary(), S_OK);
    const auto registrations = host.Registry().Registrations();
    ASSERT_EQ(registrations.size(), 2u);

    const auto& target = registrations[0];
    EXPECT_TRUE(target.isTarget);
    EXPECT_EQ(target.name, "Vk3 Q3v SYSTEM");
    EXPECT_EQ(target.family, "Vk31X");
    EXPECT_EQ(target.kindOrCategory, 4u);
    EXPECT_EQ(target.clsid, CLSID_Q3vVk3Target);
    ASSERT_EQ(target.ids.size(), 13u);
    EXPECT_EQ(target.ids[0], CLSID_Q3vVk3UiComponent);

    const auto& ui = registrations[1];
    EXPECT_FALSE(ui.isTarget);
    EXPECT_EQ(ui.name, "Target Configuration");
    EXPECT_EQ(ui.kindOrCategory, 2u);
    EXPECT_EQ(ui.clsid, CLSID_Q3vVk3UiComponent);
    EXPECT_TRUE(this->ui.MessageBoxes().empty());
}

TEST_F(PluginRoad, QueryInterfaceAnswersEachComponentsInterfaces) {
    struct Case {
        const IID* iid;
        bool found;
    };
    const Case cases[] = {
        {&IID_IHRegistryClient, true},      {&IID_IHComponent, true},        {&IID_IHErrorReporter, false},
        {&IID_IHWorkSpaceClient, true},     {&IID_IHWorkSpaceClient2, true}, {&IID_IHWorkSpaceClientExtra, true},
        {&CLSID_Q3vVk3Target, true},        {&CLSID_Q3vVk3UiComponent, true}, {&IID_IHostServiceProvider, false},
        {&IID_IHErrorCodeTable, false},
    };
    for (const Case& c : cases) {
        void* object = &host;
        const HRESULT result = host.QueryPluginInterface(*c.iid, &object);
        EXPECT_EQ(result, c.found ? S_OK : E_NOINTERFACE) << simhost::IdName(*c.iid);
        EXPECT_EQ(object != nullptr, c.found) << simhost::IdName(*c.iid);
    }
    // Interfaces both components answer come from the target, the first in the table.
    void* fromTable = nullptr;
    void* target = nullptr;
    ASSERT_EQ(host.QueryPluginInterface(IID_IHComponent, &fromTable), S_OK);
    ASSERT_EQ(host.QueryPluginInterface(CLSID_Q3vVk3Target, &target), S_OK);
    IHComponent* targetComponent = nullptr;
    ASSERT_EQ(static_cast<IUnknown*>(target)->QueryInterface(IID_IHComponent,
                                                              reinterpret_cast<void**>(&targetComponent)),
              S_OK);
    EXPECT_EQ(fromTable, targetComponent);
}

TEST_F(PluginRoad, AttachAndDetachLeaveNoRegistrationBehind) {
    ASSERT_EQ(host.RegisterLibrary(), S_OK);
    EXPECT_EQ(host.AttachComponents(), S_OK);
    ASSERT_EQ(host.Components().size(), 2u);
    EXPECT_EQ(host.Services().Registrations().size(), 2u);  // the target's two workspace clients
    EXPECT_EQ(host.DetachComponents(), S_OK);
    EXPECT_TRUE(host.Services().Registrations().empty());
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(PluginRoad, TheHelpPathIsCutToThePluginFolder) {
    AFX_MODULE_STATE* state = AfxFindModuleState(host.Module());
    ASSERT_NE(state, nullptr);
    ASSERT_NE(state->m_pCurrentWinApp, nullptr);
    EXPECT_EQ(std::string(state->m_pCurrentWinApp->m_pszHelpFilePath), ProgramFolder());
}

TEST(PluginRoadFailures, AModuleWithoutTheExportsIsRefusedClearly) {
    simhost::SimHost host(ProgramFolder() + "PlatformTestModule.dll");
    EXPECT_FALSE(host.Load());
    EXPECT_NE(host.LoadError().find("lacks the export LibraryRegister"), std::string::npos);
    EXPECT_EQ(host.RegisterLibrary(), E_FAIL);
    void* object = nullptr;
    EXPECT_EQ(host.QueryPluginInterface(IID_IHComponent, &object), E_FAIL);
}

TEST(PluginRoadFailures, AMissingModuleIsRefusedClearly) {
    simhost::SimHost host(ProgramFolder() + "NoSuchPlugin.dll");
    EXPECT_FALSE(host.Load());
    EXPECT_NE(host.LoadError().find("cannot load"), std::string::npos);
}

TEST(PluginRoadFailures, WithoutItsDeviceFileThePluginShowsWhyAndKeepsItsDefaultNames) {
    testing_support::TempFolder folder;
    std::filesystem::copy_file(std::filesystem::path(platform::ToNativePath(ProgramFolder() + "Q3vVk3.dll").value()),
                               folder.Native() / "Q3vVk3.dll");
    platform::ScriptedUiDriver ui;
    simhost::SimHost host(folder.Windows("Q3vVk3.dll"));
    ASSERT_TRUE(host.Load()) << host.LoadError();
    EXPECT_EQ(host.RegisterLibrary(), S_OK);
    ASSERT_FALSE(ui.MessageBoxes().empty());
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Can't find configration file");
    const auto registrations = host.Registry().Registrations();
    ASSERT_EQ(registrations.size(), 2u);
    EXPECT_EQ(registrations[0].name, "Vk3 Q3v SYSTEM");
}

}  // namespace

namespace {

TEST(PluginRoadFailures, WithoutItsResourceModuleTheTargetRefusesToAttach) {
    testing_support::TempFolder folder;
    const auto native = [](const std::string& name) {
        return std::filesystem::path(platform::ToNativePath(ProgramFolder() + name).value());
    };
    std::filesystem::copy_file(native("Q3vVk3.dll"), folder.Native() / "Q3vVk3.dll");
    std::filesystem::copy_file(native("Q3VVK3.CNF"), folder.Native() / "Q3VVK3.CNF");
    platform::ScriptedUiDriver ui;
    simhost::SimHost host(folder.Windows("Q3vVk3.dll"));
    ASSERT_TRUE(host.Load()) << host.LoadError();
    ASSERT_EQ(host.RegisterLibrary(), S_OK);
    EXPECT_EQ(host.AttachComponents(), E_FAIL);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Error loading resource DLL " + folder.Windows("Q3vVk3ExtRes.dll"));
    EXPECT_TRUE(host.Services().Registrations().empty());  // the target registered nothing
}

}  // namespace
