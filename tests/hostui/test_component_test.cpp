// A test component with resources of its own puts one of everything into
// the host's user interface under its owner id; withdrawing the owner takes
// it all out again, map by map.
#include "hostui/host_ui_manager.h"

#include "tests/hostui/test_resources.h"
#include "tests/hostui/ui_fixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace hostuitest;

constexpr DWORD kPopup = 500;
constexpr DWORD kList = 60;
constexpr DWORD kTextMenu = 61;

// The test component: its owner id and every kind of registration made with
// its own resources.
class TestComponent {
public:
    TestComponent(CHostUiManager& manager, const CLSID* clsid) : m_manager(manager), m_clsid(clsid) {
        m_manager.AcquireOwnerId(&m_owner);
    }
    ~TestComponent() { m_manager.ReleaseOwnerId(&m_owner); }
    TestComponent(const TestComponent&) = delete;
    TestComponent& operator=(const TestComponent&) = delete;

    DWORD Owner() const { return m_owner; }

    // One registration of every kind; each answers S_OK.
    std::vector<HRESULT> RegisterEverything(HWND window) {
        const DWORD ids[] = {kOpen, kClose};
        CStringArray names;
        names.Add("open");
        names.Add("close");
        CStringArray texts;
        texts.Add("One");
        texts.Add("Two");
        std::vector<HRESULT> results = {
            m_manager.AddPopupItemEx(kPopup, kOpen, 0, "Open", 0, 6, m_owner, 0),
            m_manager.AddPopupItem(kRun, m_owner, 0),
            m_manager.AddCommandGroupFromMenu(1, Program(), kComponentMenu, m_owner, m_clsid),
            m_manager.SetCommandText(kRun, "Run it", m_owner),
            m_manager.AddMenu(Program(), kComponentMenu, m_owner, m_clsid),
            m_manager.AddTextMenu(texts, {2, ids}, kTextMenu, m_owner, m_clsid, nullptr, nullptr, 1),
            m_manager.CreateItemList(kList, 0x9000, 4, FALSE),
            m_manager.InsertItem(kList, "recent", nullptr, 0, 1, "", CUiItemList::kNoExplicitId),
            m_manager.AddListMenu(kList, m_owner, m_clsid, nullptr, nullptr, 1),
            m_manager.AddIdItemFromMenu("Run", Program(), kComponentMenu, m_owner, m_clsid, nullptr, nullptr, 0),
            m_manager.AddAccelerators(Program(), kAccelerators, m_owner, m_clsid),
            // Every toolbar variant, each under a resource id of its own.
            m_manager.AddToolbar("{test}", "Test", Program(), kToolbar, 0, m_owner, m_clsid),
            m_manager.AddToolbarFromResource("From resource", Program(), 0, kToolbarVersion2, m_owner, m_clsid),
            m_manager.AddToolbarFromArrays("From arrays", Program(), 930, 0, m_owner, m_clsid, {2, ids}),
            m_manager.AddToolbarEx("{ex}", "Ex", Program(), 931, 0, m_owner, m_clsid, {2, ids}),
            m_manager.AddToolbarEx2("{ex2}", "Ex2", Program(), 932, 0, m_owner, m_clsid, {2, ids}, 7),
            m_manager.AddToolbarEx3("{ex3}", "Ex3", "third", Program(), 933, 0, m_owner, m_clsid, {2, ids}),
            m_manager.AddNamedToolbar("Named", Program(), 0, kToolbarEmpty, m_owner, m_clsid),
            m_manager.AddNamedToolbarWithIds("Named ids", Program(), 935, 0, m_owner, m_clsid, {2, ids}, {}, &names),
            m_manager.AddResourceInstance(Program(), m_owner, m_clsid),
            m_manager.AddWindow(m_owner, m_clsid, window),
            m_manager.AddNamedCommands(m_owner, m_clsid, {2, ids}, names),
        };
        return results;
    }

private:
    CHostUiManager& m_manager;
    const CLSID* m_clsid;
    DWORD m_owner = 0;
};

class TestComponentUi : public ManagerFixture {
protected:
    void SetUp() override {
        ManagerFixture::SetUp();
        window.CreateEx(0, nullptr, "component", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    }
    void TearDown() override {
        window.DestroyWindow();
        ManagerFixture::TearDown();
    }
    CWnd window;
};

TEST_F(TestComponentUi, EverythingRegisteredIsShownAndWithdrawnMapByMap) {
    std::vector<int> expectedOps;
    {
        TestComponent component(manager, clsid);
        // A second owner shares the popup, so that it is not released with the
        // first owner's item.
        ASSERT_EQ(manager.AddPopupItemEx(kPopup, kClose, 0, "Close", 0, 6, owner, 0), S_OK);
        for (const HRESULT result : component.RegisterEverything(window.GetSafeHwnd())) {
            EXPECT_EQ(result, S_OK);
        }
        std::ostringstream shown;
        ui.Describe(shown);
        const std::string text = shown.str();
        EXPECT_NE(text.find("    accelerators 910: 32769, 32770, 32769\n"), std::string::npos) << text;
        EXPECT_NE(text.find("    menu 901 from " + ProgramName() + ", flags 1\n"
                            "      \"&File\"\n"
                            "        \"&Open\" 32769\n"
                            "        \"&Close\" 32770\n"
                            "      \"&Run\" 32771\n"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("    toolbar \"Test\" {test}, resource 920/0 from " + ProgramName() + "\n"
                            "      32769 \"Open\"\n"
                            "      32770 \"Close\"\n"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find("    named command \"close\" 32770\n"), std::string::npos) << text;
        EXPECT_NE(text.find("    id-text item \"Run\" 901, flags 0: 32769, 32770, 32771\n"), std::string::npos) << text;
        EXPECT_NE(text.find("    menu 60 from texts, flags 1\n      \"recent\" 36864\n"), std::string::npos) << text;

        ui.ClearCalls();
        manager.UnregisterOwner(component.Owner());
        expectedOps = ui.Ops();
        const std::vector<std::vector<std::string>> withdrawal = {
            {"500", "32769", "6", "2"},  // 1: popup items, the shared popup still in use
            {"500", "out"},
            {"0", "32771", "0", "2"},
            {"1", "901", "2"},           // 2: command groups
            {"32771"},                   // 3: command texts
            {"60", "2"},                 // 4: menus, by key
            {"61", "2"},
            {"901", "2"},
            {"\"Run\"", "901", "2"},     // 5: id-text items
            {"910", "2"},                // 7: accelerator tables
            {"920", "0", "2"},           // 6: toolbars, by key
            {"0", "921", "2"},
            {"0", "924", "2"},
            {"930", "0", "2"},
            {"931", "0", "2"},
            {"932", "0", "2"},
            {"933", "0", "2"},
            {"935", "0", "2"},
            {"2"},                       // 9: resource instances
            {"2"},                       // 8: windows
            {"2", "VT_ARRAY|VT_BSTR {\"close\", \"open\"}"},  // 10: named commands, in one call
        };
        EXPECT_EQ(ArgumentsOf(ui.Calls()), withdrawal);
    }
    EXPECT_EQ(expectedOps, (std::vector<int>{22, 87, 22, 13, 8, 33, 33, 33, 11, 6, 28, 28, 28, 28, 28, 28, 28, 28,
                                             36, 37, 4}));
    // The first owner's item was the popup's last use: withdrawing it
    // releases the popup.
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{"500", "32770", "6", "1"}, {"500", "out"}, {"500"}}));
    std::ostringstream shown;
    ui.Describe(shown);
    EXPECT_EQ(shown.str(), "host UI registrations: none\n  owner ids given out: 1\n");
}

}  // namespace
