// The instance-data control, through a test-derived control: the host's
// interfaces and owner ids it takes, its style word, the two commands it
// tells the host, its help, sizing and background.
#include "hostui/instance_data_ctrl.h"

#include "tests/hostui/ui_fixture.h"
#include "tests/support/html_help_control.h"
#include "tests/support/registry_lock.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace hostuitest;

class HelpedCtrl : public CInstanceDataCtrl {
public:
    using CInstanceDataCtrl::CInstanceDataCtrl;
    DWORD GetHelpContextId() const override { return 42; }
    LPCSTR GetHelpFileName() const override { return "Control.chm"; }
};

// A parent window for the controls.
class Parent {
public:
    Parent() { window_.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0); }
    ~Parent() { window_.DestroyWindow(); }
    Parent(const Parent&) = delete;
    Parent& operator=(const Parent&) = delete;
    HWND Handle() const { return window_.GetSafeHwnd(); }

private:
    CWnd window_;
};

TEST(InstanceDataCtrlMaking, WithoutHostOrManagerItTakesNothingAndGivesNothingBack) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CHostUiManager manager(&host);
    const int live = CInstanceDataCtrl::LiveCount();
    {
        CInstanceDataCtrl control(nullptr, nullptr, 0x3);
        EXPECT_EQ(CInstanceDataCtrl::LiveCount(), live + 1);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(control.GetHostInterface(i), nullptr) << i;
        }
        EXPECT_EQ(control.GetOwnerId1(), 0u);
        EXPECT_EQ(control.GetOwnerId2(), 0u);
        EXPECT_EQ(control.GetLinkedControl(), nullptr);
        control.UnregisterFromHost();
    }
    EXPECT_EQ(CInstanceDataCtrl::LiveCount(), live);
    EXPECT_TRUE(log.Find("QueryService").size() == 4u);  // the manager's own, nothing more
    EXPECT_TRUE(host.UiRegistry().Calls().empty());
}

TEST(InstanceDataCtrlMaking, WithThemItAsksForTheHostObjectAndFourServicesAndTakesTwoOwnerIds) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CHostUiManager manager(&host);
    log.Clear();
    {
        CInstanceDataCtrl control(&host, &manager, 0);
        EXPECT_EQ(control.GetHostInterface(0), static_cast<IHostServiceProvider*>(&host));  // the host object
        EXPECT_EQ(control.GetHostInterface(1), nullptr);
        EXPECT_EQ(control.GetHostInterface(2), nullptr);
        EXPECT_NE(control.GetHostInterface(3), nullptr);  // the workspace information
        EXPECT_EQ(control.GetHostInterface(4), nullptr);
        EXPECT_EQ(control.GetOwnerId1(), 1u);
        EXPECT_EQ(control.GetOwnerId2(), 2u);
    }
    std::vector<std::string> asked;
    for (const simhost::CallRecord& call : log.Calls()) {
        if (call.what == "QueryInterface" || call.what == "QueryService") {
            asked.push_back(call.what + " " + call.detail);
        }
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"QueryInterface IHHostObject", "QueryService IHContainerService1",
                                               "QueryService IHUiService", "QueryService IHWorkSpaceInfo",
                                               "QueryService IHServiceFCompanion1"}));
    EXPECT_EQ(ArgumentsOf(host.UiRegistry().Calls()),
              (std::vector<std::vector<std::string>>{{"out"}, {"out"}, {"1"}, {"2"}}));
    EXPECT_TRUE(host.UiRegistry().OwnerIdsOut().empty());
}

TEST(InstanceDataCtrlStyle, BitsAreTestedSetAndCleared) {
    CInstanceDataCtrl control(nullptr, nullptr, 0x7);
    EXPECT_EQ(control.TestCtrlStyle(0x5), 0x5u);
    control.ModifyCtrlStyle(0x5, FALSE);
    EXPECT_EQ(control.GetCtrlStyle(), 0x2u);
    control.ModifyCtrlStyle(0x8, TRUE);
    EXPECT_EQ(control.GetCtrlStyle(), 0xAu);
    EXPECT_EQ(control.TestCtrlStyle(0x1), 0u);
    control.SetCtrlStyle(0x1);
    EXPECT_EQ(control.TestCtrlStyle(CInstanceDataCtrl::kSecondOfPairStyle), 0x1u);
    CInstanceDataCtrl other(nullptr, nullptr, 0);
    control.SetLinkedControl(&other);
    EXPECT_EQ(control.GetLinkedControl(), &other);
}

class InstanceDataCtrlUi : public ManagerFixture {
protected:
    void SetUp() override {
        ManagerFixture::SetUp();
        ASSERT_TRUE(control.CreateControl(parent.Handle(), nullptr));
        ui.ClearCalls();
    }
    void TearDown() override {
        control.DestroyControl();
        ManagerFixture::TearDown();
    }

    testsupport::TestUi driver;
    Parent parent;
    HelpedCtrl control{&host, &manager, 0};
};

TEST_F(InstanceDataCtrlUi, ItIsAVisibleChildWithIdOneAndAnEmptyRectangle) {
    EXPECT_EQ(GetParent(control.GetSafeHwnd()), parent.Handle());
    EXPECT_EQ(GetWindowLongA(control.GetSafeHwnd(), GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
              static_cast<LONG>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(control.GetDlgCtrlID(), 1);
    CRect rect;
    control.GetClientRect(&rect);
    EXPECT_TRUE(rect.IsRectEmpty());
    control.DestroyControl();
    EXPECT_EQ(control.GetSafeHwnd(), nullptr);
    control.DestroyControl();  // nothing left to destroy
}

TEST_F(InstanceDataCtrlUi, TheToggleCommandIsCheckedUnlessOnlyBitEightIsSet) {
    struct Case {
        DWORD state;
        int check;
    };
    const Case cases[] = {{0x08, 0}, {0x18, 1}, {0x00, 1}, {0x10, 1}};
    for (const Case& c : cases) {
        ui.SetCommandState(c.state);
        const platform::CommandState state =
            platform::QueryCommandState(control.GetSafeHwnd(), CInstanceDataCtrl::kToggleCommand);
        EXPECT_TRUE(state.enabled) << c.state;
        EXPECT_EQ(state.check, c.check) << c.state;
    }
    EXPECT_EQ(ArgumentsOf(ui.CallsTo(17)).front(),
              (std::vector<std::string>{simhost::DescribeWindow(parent.Handle()), "out"}));
    EXPECT_TRUE(platform::QueryCommandState(control.GetSafeHwnd(), CInstanceDataCtrl::kNotifyCommand).enabled);
}

TEST_F(InstanceDataCtrlUi, TheCommandsAreToldToTheHostWithTheParentsHandle) {
    ui.ClearCalls();
    control.SendMessage(WM_COMMAND, CInstanceDataCtrl::kToggleCommand, 0);
    control.SendMessage(WM_COMMAND, CInstanceDataCtrl::kNotifyCommand, 0);
    control.OnContextCommand();
    const std::string parentText = simhost::DescribeWindow(parent.Handle());
    EXPECT_EQ(ArgumentsOf(ui.CallsTo(16)), (std::vector<std::vector<std::string>>{
                                               {parentText, "0x20"}, {parentText, "0x1"}, {parentText, "0x100"}}));
}

TEST_F(InstanceDataCtrlUi, ShiftF1AsksForContextHelpAndF1OpensTheControlsHelpFile) {
    testing_support::RegistryLock lock;
    testing_support::HtmlHelpControlRegistration registration(testing_support::HtmlHelpTestControl());
    driver.HoldKey(VK_F1);
    driver.HoldKey(VK_SHIFT);
    HELPINFO help{};
    EXPECT_EQ(control.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), TRUE);
    EXPECT_TRUE(driver.HelpCalls().empty());  // posted, not yet run
    platform::ProcessWaitingMessages();
    ASSERT_EQ(driver.HelpCalls().size(), 1u);
    EXPECT_EQ(driver.HelpCalls()[0].kind, platform::HelpKind::ContextHelpMode);
    EXPECT_EQ(driver.HelpCalls()[0].window, control.GetSafeHwnd());

    driver.HoldKey(VK_SHIFT, false);
    EXPECT_EQ(control.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), FALSE);  // the stand-in shows no window
    ASSERT_EQ(driver.HelpCalls().size(), 2u);
    const platform::HelpRequest request = driver.HelpCalls()[1];
    EXPECT_EQ(request.kind, platform::HelpKind::HtmlHelp);
    EXPECT_EQ(request.file, std::string(AfxGetApp()->m_pszHelpFilePath) + "Control.chm");
    EXPECT_EQ(request.command, static_cast<UINT>(HH_HELP_CONTEXT));
    EXPECT_EQ(request.data, 42u);
    EXPECT_EQ(request.window, nullptr);
}

TEST_F(InstanceDataCtrlUi, AControlWithoutAHelpFileOpensNoHelp) {
    CInstanceDataCtrl plain(nullptr, nullptr, 0);
    ASSERT_TRUE(plain.CreateControl(parent.Handle(), parent.Handle()));
    EXPECT_EQ(plain.GetOwner(), CWnd::FromHandle(parent.Handle()));
    HELPINFO help{};
    EXPECT_EQ(plain.SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), FALSE);
    EXPECT_EQ(ShowHtmlHelpTopic(nullptr, "", HH_HELP_CONTEXT, 0), nullptr);
    EXPECT_EQ(ShowHtmlHelpTopic(nullptr, nullptr, HH_HELP_CONTEXT, 0), nullptr);
    EXPECT_TRUE(driver.HelpCalls().empty());
    plain.DestroyControl();
}

TEST_F(InstanceDataCtrlUi, ResizingFitsTheFirstChildToTheControlAndShowsIt) {
    control.MoveWindow(0, 0, 60, 30);  // no child yet: nothing to place
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, nullptr, "child", WS_CHILD, CRect(5, 5, 6, 6), &control, 7));
    control.MoveWindow(0, 0, 120, 40);
    CRect rect;
    child.GetWindowRect(&rect);
    control.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 120, 40));
    EXPECT_NE(child.GetStyle() & WS_VISIBLE, 0u);  // shown (its parent window is not)
    child.DestroyWindow();
}

TEST_F(InstanceDataCtrlUi, TheBackgroundIsFilledWithTheWindowColourAndTheBrushPutBack) {
    CDC* dc = control.GetDC();
    ASSERT_NE(dc, nullptr);
    CBrush red(RGB(255, 0, 0));
    dc->SelectObject(&red);
    EXPECT_EQ(control.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), 0), TRUE);
    dc->PatBlt(0, 0, 1, 1, PATCOPY);
    const std::vector<platform::DrawCall> drawn = platform::DrawingOf(dc->GetSafeHdc());
    ASSERT_EQ(drawn.size(), 2u);
    CRect clip;
    dc->GetClipBox(&clip);
    EXPECT_EQ(drawn[0].kind, platform::DrawKind::PatBlt);
    EXPECT_EQ(CRect(drawn[0].rect), clip);
    EXPECT_EQ(drawn[0].fillColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(drawn[0].flags, PATCOPY);
    EXPECT_EQ(drawn[1].fillColor, RGB(255, 0, 0));  // the brush of before is selected again
    control.ReleaseDC(dc);
}

}  // namespace
