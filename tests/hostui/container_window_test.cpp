// The container window: the services and owner ids it takes, its children
// and the three user messages, linked pairs, and the plug-in's window with
// its Setup and help commands.
#include "hostui/instance_data_container_wnd.h"
#include "plugin/wsclient_vk3.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "sim/host/session_services.h"
#include "tests/hostui/ui_fixture.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace hostuitest;

std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

// A child that writes what happens to it into the journal.
class JournaledCtrl : public CInstanceDataCtrl {
public:
    JournaledCtrl(CHostUiManager* manager, std::string name, DWORD style)
        : CInstanceDataCtrl(nullptr, manager, style), m_name(std::move(name)) {}
    ~JournaledCtrl() override { Journal().push_back("delete " + m_name); }
    void UnregisterFromHost() override {
        Journal().push_back("unregister " + m_name);
        CInstanceDataCtrl::UnregisterFromHost();
    }
    void RefreshData() override { Journal().push_back("refresh " + m_name); }

protected:
    afx_msg void OnDestroy() {
        Journal().push_back("destroy " + m_name);
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
};

BEGIN_MESSAGE_MAP(JournaledCtrl, CInstanceDataCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A container whose children the test adds.
class TestContainer : public CInstanceDataContainerWnd {
public:
    using CInstanceDataContainerWnd::CInstanceDataContainerWnd;

    JournaledCtrl* Add(const std::string& name, DWORD style = 0) {
        auto child = std::make_unique<JournaledCtrl>(m_uiManager, name, style);
        EXPECT_TRUE(child->CreateControl(m_hWnd, nullptr));
        m_children.push_back(std::move(child));
        return static_cast<JournaledCtrl*>(m_children.back().get());
    }
};

class ContainerWindow : public ManagerFixture {
protected:
    void SetUp() override {
        ManagerFixture::SetUp();
        Journal().clear();
    }

    testsupport::TestUi driver;
    simhost::HostMainWindow mainWindow;
};

TEST_F(ContainerWindow, ItAsksForItsSixServicesInFieldOrderAndTwoOwnerIds) {
    log.Clear();
    TestContainer container(&host, &manager);
    std::vector<std::string> asked;
    for (const simhost::CallRecord& call : log.Find("QueryService")) {
        asked.push_back(call.detail);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"IHContainerService1", "IHUiService", "IHWorkSpaceInfo",
                                               "IHServiceFCompanion1", "IHContainerService5", "IHContainerService6"}));
    EXPECT_EQ(container.GetService(0), nullptr);  // refused: left as it was
    EXPECT_NE(container.GetService(2), nullptr);
    EXPECT_EQ(container.GetOwnerId1(), 2u);
    EXPECT_EQ(container.GetOwnerId2(), 3u);
}

TEST_F(ContainerWindow, WithoutAManagerItTakesNoIdsRegistersNothingAndCallsNothing) {
    {
        CWSClientVk3 window(&host, nullptr);
        EXPECT_EQ(window.GetOwnerId1(), 0u);
        ASSERT_TRUE(window.CreateUnderAppModuleState());
        window.DestroyUnderAppModuleState();
    }
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(ContainerWindow, WithoutAMainWindowItCannotBeMade) {
    CWinApp* app = AfxGetApp();
    CWnd* main = app->m_pMainWnd;
    app->m_pMainWnd = nullptr;
    {
        CWSClientVk3 window(&host, &manager);
        EXPECT_FALSE(window.CreateUnderAppModuleState());
        window.DestroyUnderAppModuleState();
    }
    app->m_pMainWnd = main;
    EXPECT_EQ(ui.Ops(), (std::vector<int>{44, 44, 45, 45}));  // the ids, and nothing registered
}

TEST_F(ContainerWindow, TheWorkspaceClientPartAnswersItsOwnInterfaces) {
    CWSClientVk3 window(nullptr, nullptr);
    void* object = nullptr;
    EXPECT_EQ(window.QueryInterface(IID_IHWorkSpaceClient, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHWorkSpaceClient*>(&window));
    EXPECT_EQ(window.QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(window.QueryInterface(IID_IHWorkSpaceClient2, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(window.AddRef(), 1u);
    EXPECT_EQ(window.Release(), 0u);
}

TEST_F(ContainerWindow, ChildrenAreWithdrawnDestroyedAndDeletedInListOrderBeforeTheWindowGoes) {
    TestContainer container(&host, &manager);
    ASSERT_TRUE(container.CreateUnderAppModuleState());
    const JournaledCtrl* first = container.Add("first");
    container.Add("second");
    ASSERT_EQ(manager.AddWindow(first->GetOwnerId1(), clsid, first->GetSafeHwnd()), S_OK);
    container.RefreshAllChildren();
    ui.ClearCalls();
    container.DestroyUnderAppModuleState();
    EXPECT_EQ(Journal(), (std::vector<std::string>{"refresh first", "refresh second", "unregister first",
                                                   "destroy first", "delete first", "unregister second",
                                                   "destroy second", "delete second"}));
    EXPECT_EQ(container.ChildCount(), 0u);
    // What the first child registered goes, and each child's owner ids.
    EXPECT_EQ(ui.Ops(), (std::vector<int>{37, 45, 45, 45, 45}));
}

TEST_F(ContainerWindow, TheUserMessagesActOnTheChildBehindTheHandleAndAnswerOne) {
    TestContainer container(&host, &manager);
    ASSERT_TRUE(container.CreateUnderAppModuleState());
    JournaledCtrl* first = container.Add("first");
    const HWND firstWindow = first->GetSafeHwnd();
    JournaledCtrl* second = container.Add("second");
    // A control of the container that is none of its children.
    JournaledCtrl stranger(&manager, "stranger", 0);
    ASSERT_TRUE(stranger.CreateControl(container.GetSafeHwnd(), nullptr));
    ui.ClearCalls();
    Journal().clear();

    EXPECT_EQ(container.SendMessage(CInstanceDataContainerWnd::kRefreshChildMessage,
                                    reinterpret_cast<WPARAM>(second->GetSafeHwnd()), 99),
              1);
    EXPECT_EQ(container.SendMessage(CInstanceDataContainerWnd::kNotifyChildMessage,
                                    reinterpret_cast<WPARAM>(firstWindow), 0),
              1);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{simhost::DescribeWindow(container.GetSafeHwnd()), "0x1"}}));
    EXPECT_EQ(container.SendMessage(CInstanceDataContainerWnd::kRemoveChildMessage,
                                    reinterpret_cast<WPARAM>(firstWindow), 0),
              1);
    EXPECT_EQ(container.ChildCount(), 1u);
    EXPECT_EQ(container.SendMessage(CInstanceDataContainerWnd::kRemoveChildMessage,
                                    reinterpret_cast<WPARAM>(stranger.GetSafeHwnd()), 0),
              1);  // not the window's to delete
    EXPECT_EQ(Journal(), (std::vector<std::string>{"refresh second", "unregister first", "destroy first",
                                                   "delete first"}));
    Journal().clear();
    ui.ClearCalls();
    for (const UINT message : {CInstanceDataContainerWnd::kRemoveChildMessage,
                               CInstanceDataContainerWnd::kNotifyChildMessage,
                               CInstanceDataContainerWnd::kRefreshChildMessage}) {
        EXPECT_EQ(container.SendMessage(message, reinterpret_cast<WPARAM>(firstWindow), 0), 1);  // gone
        EXPECT_EQ(container.SendMessage(message, 0, 0), 1);
        EXPECT_EQ(container.SendMessage(message, reinterpret_cast<WPARAM>(mainWindow.Window()), 0), 1);
    }
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(ui.Calls().empty());
    stranger.DestroyControl();
    container.DestroyUnderAppModuleState();
}

TEST_F(ContainerWindow, LinkedControlsArePairedTheFirstWithoutStyleBitOne) {
    TestContainer container(nullptr, nullptr);
    ASSERT_TRUE(container.CreateUnderAppModuleState());
    JournaledCtrl* a = container.Add("a", 0);
    JournaledCtrl* b = container.Add("b", CInstanceDataCtrl::kSecondOfPairStyle);
    JournaledCtrl* c = container.Add("c", 0);
    JournaledCtrl* d = container.Add("d", CInstanceDataCtrl::kSecondOfPairStyle);
    a->SetLinkedControl(b);
    b->SetLinkedControl(a);
    c->SetLinkedControl(b);  // not linked back
    JournaledCtrl outsider(nullptr, "outsider", 0);
    d->SetLinkedControl(&outsider);
    outsider.SetLinkedControl(d);
    struct Case {
        CInstanceDataCtrl* child;
        BOOL found;
        CInstanceDataCtrl* first;
        CInstanceDataCtrl* second;
    };
    const Case cases[] = {
        {a, TRUE, a, b}, {b, TRUE, a, b}, {c, TRUE, c, nullptr}, {d, TRUE, nullptr, d}, {&outsider, FALSE, nullptr, nullptr},
    };
    for (const Case& k : cases) {
        CInstanceDataCtrlPair pair;
        EXPECT_EQ(container.GetLinkedPair(k.child, &pair), k.found);
        EXPECT_EQ(pair.first, k.first);
        EXPECT_EQ(pair.second, k.second);
    }
    EXPECT_FALSE(container.GetLinkedPair(nullptr, nullptr));
    EXPECT_FALSE(container.GetLinkedPair(a, nullptr));
    std::vector<CInstanceDataCtrlPair> pairs;
    container.FindLinkedPairs(pairs);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].first, a);
    EXPECT_EQ(pairs[0].second, b);
    EXPECT_EQ(pairs[1].first, c);
    EXPECT_EQ(pairs[1].second, nullptr);
    EXPECT_EQ(pairs[2].first, nullptr);
    EXPECT_EQ(pairs[2].second, d);
    container.DestroyUnderAppModuleState();
}

// The plug-in's window: the Setup commands follow the plug-in's target, which
// has no handlers here; help is always enabled.
class PluginWindow : public ContainerWindow {
protected:
    void SetUp() override {
        ContainerWindow::SetUp();
        window = std::make_unique<CWSClientVk3>(&host, &manager);
        ASSERT_TRUE(window->CreateUnderAppModuleState());
    }
    void TearDown() override {
        g_deviceValues.supportStartStopFunc = savedStartStop;
        window->DestroyUnderAppModuleState();
        window.reset();
        ContainerWindow::TearDown();
    }
    bool Enabled(UINT command) { return platform::QueryCommandState(window->GetSafeHwnd(), command).enabled; }
    void Choose(UINT command) { window->SendMessage(WM_COMMAND, command, 0); }

    std::unique_ptr<CWSClientVk3> window;
    DWORD savedStartStop = g_deviceValues.supportStartStopFunc;
};

TEST_F(PluginWindow, ItsCreationRegistersUnderItsFirstOwnerIdAndItsDestructionWithdrawsAll) {
    EXPECT_EQ(ui.Ops(), (std::vector<int>{44, 44, 29, 34, 35, 69}));
    EXPECT_EQ(ui.Owners().at(window->GetOwnerId1()).windows.front(), window->GetSafeHwnd());
    ui.ClearCalls();
    window->DestroyUnderAppModuleState();
    EXPECT_EQ(ui.Ops(), (std::vector<int>{33, 28, 36, 37}));
    ui.ClearCalls();
    window.reset();
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"2"}, {"3"}}));
    window = std::make_unique<CWSClientVk3>(nullptr, nullptr);  // for the tear-down
}

TEST_F(PluginWindow, WithoutTheTargetsHandlersTheSetupItemsAreEnabledAndDoNothing) {
    g_deviceValues.supportStartStopFunc = 1;
    for (const UINT command : {res_id::kCmdSystemSetup, res_id::kCmdEmulatorSetting, res_id::kCmdStartStopSetting,
                               res_id::kCmdEmulatorHelp}) {
        EXPECT_TRUE(Enabled(command)) << command;
    }
    EXPECT_FALSE(Enabled(res_id::kCmdMemoryResource));  // no handler in this window
    Choose(res_id::kCmdSystemSetup);
    Choose(res_id::kCmdEmulatorSetting);
    Choose(res_id::kCmdStartStopSetting);
    EXPECT_TRUE(driver.Dialogs().empty());
}

TEST_F(PluginWindow, TheStartStopItemIsDisabledForADeviceWithoutStartStopFunctions) {
    g_deviceValues.supportStartStopFunc = 0;
    EXPECT_FALSE(Enabled(res_id::kCmdStartStopSetting));
    EXPECT_TRUE(Enabled(res_id::kCmdSystemSetup));
    EXPECT_TRUE(Enabled(res_id::kCmdEmulatorSetting));
    EXPECT_TRUE(Enabled(res_id::kCmdEmulatorHelp));
}

}  // namespace
