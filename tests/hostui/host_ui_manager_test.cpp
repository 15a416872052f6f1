// The UI registration manager against the simulated host's UI recorder:
// what goes to the host, what is recorded, and what the host does not give.
#include "hostui/host_ui_manager.h"

#include "tests/hostui/test_resources.h"
#include "tests/hostui/ui_fixture.h"
#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace hostuitest;

const std::string kEmpty = "VT_EMPTY";

UiToolbarArrays Arrays(UiIdArray buttons, UiIdArray second = {}, const CStringArray* names = nullptr,
                       UiIdArray third = {}, UiIdArray fourth = {}, UiIdArray fifth = {}, UiIdArray sixth = {}) {
    UiToolbarArrays arrays;
    arrays.buttons = buttons;
    arrays.second = second;
    arrays.names = names;
    arrays.third = third;
    arrays.fourth = fourth;
    arrays.fifth = fifth;
    arrays.sixth = sixth;
    return arrays;
}

TEST(HostUiManagerMaking, AsksForUiInterfacesFourToOneAndCallsNothingElse) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    const CHostUiManager manager(&host);
    std::vector<std::string> asked;
    for (const simhost::CallRecord& call : log.Find("QueryService")) {
        asked.push_back(call.detail);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"IHUiRegistration4", "IHUiRegistration3", "IHUiRegistration2",
                                               "IHUiRegistration"}));
    EXPECT_TRUE(host.UiRegistry().Calls().empty());
    EXPECT_EQ(manager.GetHost(), &host);
}

using HostUiManager = ManagerFixture;

TEST_F(HostUiManager, OwnerIdsComeFromTheHostAndGoBackToIt) {
    EXPECT_EQ(owner, 1u);
    DWORD second = 0;
    manager.AcquireOwnerId(&second);
    EXPECT_EQ(second, 2u);
    manager.ReleaseOwnerId(&second);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"out"}, {"2"}}));
    EXPECT_EQ(ui.OwnerIdsOut(), (std::set<DWORD>{1}));
    manager.ReleaseOwnerId(&owner);
}

TEST_F(HostUiManager, WindowsAndInstancesAreRecordedAndRemovedOnlyOneAtATime) {
    EXPECT_EQ(manager.RemoveWindow(owner), S_FALSE);  // nothing registered
    EXPECT_EQ(manager.RemoveResourceInstance(owner), S_FALSE);
    EXPECT_TRUE(TakeOps().empty());
    CWnd first;
    CWnd second;
    first.CreateEx(0, nullptr, "first", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    second.CreateEx(0, nullptr, "second", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    EXPECT_EQ(manager.AddWindow(owner, clsid, first.GetSafeHwnd()), S_OK);
    EXPECT_EQ(manager.AddResourceInstance(Program(), owner, clsid), S_OK);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{"1", "UI component", simhost::DescribeWindow(first)},
                                                     {ProgramName(), "1", "UI component"}}));
    ui.ClearCalls();
    EXPECT_EQ(manager.RemoveResourceInstance(owner), S_OK);
    EXPECT_EQ(manager.AddWindow(owner, clsid, second.GetSafeHwnd()), S_OK);
    EXPECT_EQ(manager.RemoveWindow(owner), S_FALSE);  // two windows: which one is not said
    EXPECT_EQ(TakeOps(), (std::vector<int>{36, 34}));
    manager.UnregisterOwner(owner);
    EXPECT_EQ(TakeOps(), (std::vector<int>{37, 37}));
    EXPECT_TRUE(manager.Windows().Owners().empty());
    first.DestroyWindow();
    second.DestroyWindow();
}

// Every kind of registration: recorded only when the host answers exactly
// S_OK, so that the owner's withdrawal calls the host only for those.
TEST_F(HostUiManager, OnlyWhatTheHostAcceptsWithExactlySOkIsRecorded) {
    struct Case {
        const char* name;
        int op;
        std::function<HRESULT(CHostUiManager&, DWORD)> add;
        std::vector<int> withdrawal;
    };
    CStringArray names;
    names.Add("first");
    CStringArray texts;
    texts.Add("one");
    const DWORD ids[] = {kOpen};
    const Case cases[] = {
        {"menu", 29, [](CHostUiManager& m, DWORD o) { return m.AddMenu(Program(), kComponentMenu, o, nullptr); }, {33}},
        {"text menu", 30,
         [&](CHostUiManager& m, DWORD o) { return m.AddTextMenu(texts, {1, ids}, 77, o, nullptr, "", "", 1); },
         {33}},
        {"accelerators", 5,
         [](CHostUiManager& m, DWORD o) { return m.AddAccelerators(Program(), kAccelerators, o, nullptr); }, {6}},
        {"toolbar", 69,
         [](CHostUiManager& m, DWORD o) { return m.AddToolbar("{t}", "T", Program(), kToolbar, 0, o, nullptr); },
         {28}},
        {"named toolbar", 24,
         [](CHostUiManager& m, DWORD o) { return m.AddNamedToolbar("N", Program(), kToolbar, 0, o, nullptr); },
         {28}},
        {"named commands", 3, [&](CHostUiManager& m, DWORD o) { return m.AddNamedCommands(o, nullptr, {1, ids}, names); },
         {4}},
        {"popup item", 21, [](CHostUiManager& m, DWORD o) { return m.AddPopupItem(kRun, o, 8); }, {22}},
        {"id-text item", 9,
         [](CHostUiManager& m, DWORD o) {
             return m.AddIdItemFromMenu("Run", Program(), kComponentMenu, o, nullptr, nullptr, nullptr, 0);
         },
         {11}},
        {"command text", 7, [](CHostUiManager& m, DWORD o) { return m.SetCommandText(kOpen, "Open", o); }, {8}},
        {"command group", 12,
         [](CHostUiManager& m, DWORD o) { return m.AddCommandGroupFromMenu(5, Program(), kComponentMenu, o, nullptr); },
         {13}},
        {"window", 34, [](CHostUiManager& m, DWORD o) { return m.AddWindow(o, nullptr, nullptr); },
         {37}},
        {"instance", 35, [](CHostUiManager& m, DWORD o) { return m.AddResourceInstance(Program(), o, nullptr); }, {36}},
    };
    for (const Case& c : cases) {
        for (const HRESULT answer : {S_FALSE, E_FAIL, static_cast<HRESULT>(0x00000002), S_OK}) {
            ui.ScriptResult(c.op, answer);
            EXPECT_EQ(c.add(manager, owner), answer) << c.name;
            ui.ClearCalls();
            manager.UnregisterOwner(owner);
            EXPECT_EQ(TakeOps(), answer == S_OK ? c.withdrawal : std::vector<int>{}) << c.name << " " << answer;
        }
    }
}

TEST_F(HostUiManager, UnloadableResourcesCallNothingAndPutTheResourceHandleBack) {
    const HINSTANCE saved = AfxGetResourceHandle();
    const auto marker = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x5A5A0));
    AfxSetResourceHandle(marker);
    EXPECT_EQ(manager.AddMenu(Program(), kMissing, owner, clsid), S_FALSE);
    EXPECT_EQ(manager.AddAccelerators(Program(), kMissing, owner, clsid), S_FALSE);
    EXPECT_EQ(manager.AddNamedToolbar("N", Program(), kMissing, 0, owner, clsid), S_FALSE);
    EXPECT_EQ(manager.AddToolbarFromResource("T", Program(), kMissing, 0, owner, clsid), S_FALSE);
    EXPECT_EQ(manager.AddIdItemFromMenu("x", Program(), kMissing, owner, clsid, nullptr, nullptr, 0), S_FALSE);
    EXPECT_EQ(manager.AddCommandGroupFromMenu(1, Program(), kMissing, owner, clsid), S_FALSE);
    EXPECT_EQ(manager.AddToolbar("{t}", "T", Program(), kMissing, 0, owner, clsid), E_FAIL);
    EXPECT_EQ(AfxGetResourceHandle(), marker);
    AfxSetResourceHandle(saved);
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(HostUiManager, AMenuSendsTheIdsOfItsCommandItemsWithTheirTextsAndFlags) {
    ASSERT_EQ(manager.AddMenuEx(Program(), kEdgeMenu, owner, clsid, "", LongItemText().c_str(), 6), S_OK);
    EXPECT_EQ(LastArguments(),
              (std::vector<std::string>{ProgramName(), "900", "1", "UI component",
                                        "VT_ARRAY|VT_UINT {28672, 61439, 28674, 28675}", kEmpty, kEmpty, "\"\"",
                                        "\"" + LongItemText() + "\"", "6"}));
    const CUiMenuRecord* record = manager.Menus().Find(owner, kEdgeMenu);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->flags, 6u);
    EXPECT_EQ(record->secondText.Str(), LongItemText());
    EXPECT_EQ(record->clsid, clsid);
    // The same menu again replaces its record; one withdrawal takes it.
    ASSERT_EQ(manager.AddMenu(Program(), kEdgeMenu, owner, clsid), S_OK);
    EXPECT_EQ(manager.Menus().Find(owner, kEdgeMenu)->flags, 1u);
    ui.ClearCalls();
    EXPECT_EQ(manager.RemoveMenu(kEdgeMenu, owner), S_OK);
    EXPECT_EQ(manager.RemoveMenu(kEdgeMenu, owner), S_FALSE);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"900", "1"}}));
}

TEST_F(HostUiManager, ToolbarButtonsComeFromTheResourceWithinItsSize) {
    struct Case {
        UINT resource;
        std::string buttons;
    };
    const Case cases[] = {
        {kToolbar, "VT_ARRAY|VT_UINT {32769, 32770}"},  // the separator is left out
        {kToolbarVersion2, "VT_ARRAY|VT_UINT {}"},
        {kToolbarShort, "VT_ARRAY|VT_UINT {}"},
        {kToolbarCountPastEnd, "VT_ARRAY|VT_UINT {}"},
        {kToolbarEmpty, "VT_ARRAY|VT_UINT {}"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(manager.AddToolbar("{id}", "Caption", Program(), c.resource, 0, owner, clsid), S_OK);
        const auto arguments = LastArguments();
        ASSERT_EQ(arguments.size(), 14u);
        EXPECT_EQ(arguments[7], c.buttons) << c.resource;
        EXPECT_EQ(std::vector<std::string>(arguments.begin() + 8, arguments.end()), std::vector<std::string>(6, kEmpty));
    }
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ui.Ops(), std::vector<int>(5, 28));
}

TEST_F(HostUiManager, TheSameToolbarTwiceKeepsTheSecondRegistrationAndASecondIdStandsInForNone) {
    const DWORD first[] = {1};
    const DWORD second[] = {2, 3};
    ASSERT_EQ(manager.AddToolbar("{a}", "A", Program(), 300, 5, owner, clsid, Arrays({1, first})), S_OK);
    ASSERT_EQ(manager.AddToolbar("{a}", "A", Program(), 300, 6, owner, clsid, Arrays({2, second})), S_OK);
    ASSERT_EQ(manager.AddToolbar("{b}", "B", Program(), 0, 301, owner, clsid, Arrays({1, first})), S_OK);
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{"300", "6", "1"}, {"0", "301", "1"}}));
    EXPECT_EQ(manager.RemoveToolbar(300, 0, owner), S_FALSE);
}

TEST_F(HostUiManager, TheToolbarsFurtherArraysGoAsTheirRulesSay) {
    const DWORD buttons[] = {7};
    const DWORD values[] = {10, 11};
    CStringArray names;
    names.Add("n");
    struct Case {
        const char* name;
        UiToolbarArrays arrays;
        std::vector<std::string> expected;  // second, names, third, fourth, fifth, sixth
    };
    const std::string two = "VT_ARRAY|VT_UINT {10, 11}";
    const Case cases[] = {
        {"none", Arrays({1, buttons}), std::vector<std::string>(6, kEmpty)},
        {"all but sixth, third of two",
         Arrays({1, buttons}, {2, values}, &names, {2, values}, {2, values}, {2, values}),
         {two, "VT_ARRAY|VT_BSTR {\"n\"}", two, two, two, "VT_ARRAY|VT_UINT {0, 0}"}},
        {"sixth given", Arrays({1, buttons}, {}, nullptr, {2, values}, {}, {1, values}, {2, values}),
         {kEmpty, kEmpty, two, kEmpty, "VT_ARRAY|VT_UINT {10}", two}},
        {"no fifth: neither fifth nor sixth", Arrays({1, buttons}, {}, nullptr, {2, values}, {}, {}, {2, values}),
         {kEmpty, kEmpty, two, kEmpty, kEmpty, kEmpty}},
        {"fifth without third count: no zeros", Arrays({1, buttons}, {}, nullptr, {}, {}, {2, values}),
         {kEmpty, kEmpty, kEmpty, kEmpty, two, kEmpty}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(manager.AddToolbar("{id}", "C", Program(), 400, 0, owner, clsid, c.arrays), S_OK) << c.name;
        const auto arguments = LastArguments();
        EXPECT_EQ(arguments[7], "VT_ARRAY|VT_UINT {7}") << c.name;
        EXPECT_EQ(std::vector<std::string>(arguments.begin() + 8, arguments.end()), c.expected) << c.name;
    }
    manager.UnregisterOwner(owner);
}

TEST_F(HostUiManager, IdTextItemsAreKeptUnderTheirKeyText) {
    EXPECT_EQ(CHostUiManager::KeyText("Run", 0x8005), "run8005");
    EXPECT_EQ(CHostUiManager::KeyText("AbC", 0xABCDEF), "abcabcdef");
    EXPECT_EQ(CHostUiManager::KeyText(nullptr, 0), "0");
    ASSERT_EQ(manager.AddIdItemFromMenu("Run", Program(), kComponentMenu, owner, clsid, "first", nullptr, 4), S_OK);
    EXPECT_EQ(LastArguments(),
              (std::vector<std::string>{"\"Run\"", ProgramName(), "901", "1", "UI component",
                                        "VT_ARRAY|VT_UINT {32769, 32770, 32771}", kEmpty, kEmpty, "\"first\"", "\"\"",
                                        "4"}));
    const CUiIdTextRecord* record = manager.IdItems().Find(owner, "run385");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->NumericId(), kComponentMenu);
    EXPECT_EQ(record->firstText.Str(), "first");
    EXPECT_TRUE(record->secondText.IsEmpty());

    const DWORD ids[] = {5};
    CStringArray texts;
    texts.Add("five");
    ASSERT_EQ(manager.AddIdItem("Run", texts, {1, ids}, 0x8005, owner, clsid, nullptr, nullptr, 0), S_OK);
    ASSERT_EQ(manager.AddIdItemFromArrays("RUN", Program(), 0x8005, owner, clsid, {1, ids}, {}, nullptr, nullptr,
                                          nullptr, 0),
              S_OK);  // the same key text: replaces the record
    EXPECT_EQ(manager.IdItems().FindOwner(owner)->size(), 2u);
    EXPECT_EQ(manager.InvokeIdItem("rUn", 0x8005, owner), S_OK);
    EXPECT_EQ(manager.InvokeIdItem("Run", 0x8006, owner), S_FALSE);
    EXPECT_EQ(manager.RemoveIdItem("run", 0x8006, owner), S_FALSE);
    ui.ClearCalls();
    EXPECT_EQ(manager.RemoveIdItem("run", 0x8005, owner), S_OK);
    // The record's own id text goes back to the host.
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"\"RUN\"", "32773", "1"}}));
    manager.UnregisterOwner(owner);
}

// In code page 932 "\x83\x41" and "\x83\x61" are two characters; lowering
// the first byte by byte would make it the second. Each keeps a record of its
// own, and withdrawing one leaves the other to its owner's withdrawal.
TEST_F(HostUiManager, DoubleByteIdTextsKeepKeysOfTheirOwn) {
    AnsiCodePageScope japanese(932);
    const char first[] = "\x83\x41Run";
    const char second[] = "\x83\x61Run";
    EXPECT_EQ(CHostUiManager::KeyText(first, 0x8005), "\x83\x41run8005");
    EXPECT_NE(CHostUiManager::KeyText(first, 0x8005), CHostUiManager::KeyText(second, 0x8005));
    const DWORD ids[] = {5};
    for (const char* text : {first, second}) {
        ASSERT_EQ(manager.AddIdItemFromArrays(text, Program(), 0x8005, owner, clsid, {1, ids}, {}, nullptr, nullptr,
                                              nullptr, 0),
                  S_OK);
    }
    EXPECT_EQ(manager.IdItems().FindOwner(owner)->size(), 2u);
    EXPECT_EQ(manager.RemoveIdItem(first, 0x8005, owner), S_OK);
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    ASSERT_EQ(ui.Calls().size(), 1u) << "the second item goes with its owner";
    EXPECT_EQ(ArgumentsOf(ui.Calls())[0].at(1), "32773");
}

TEST_F(HostUiManager, ItemsWithOneIdTextGoTogetherOrOnlyTheFlaggedOnes) {
    const DWORD ids[] = {1};
    for (const DWORD numeric : {1u, 2u, 3u}) {
        ASSERT_EQ(manager.AddIdItemFromArrays("group", Program(), numeric, owner, clsid, {1, ids}, {}, nullptr, nullptr,
                                              nullptr, numeric == 2 ? 0x4u : 0u),
                  S_OK);
    }
    ASSERT_EQ(manager.AddIdItemFromArrays("other", Program(), 1, owner, clsid, {1, ids}, {}, nullptr, nullptr, nullptr,
                                          0x4),
              S_OK);
    ui.ClearCalls();
    manager.RemoveIdItemsByText("group", owner, TRUE);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"\"group\"", "2", "1"}}));
    ui.ClearCalls();
    manager.RemoveIdItemsByText("group", owner, FALSE);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{"\"group\"", "1", "1"}, {"\"group\"", "3", "1"}}));
    ASSERT_NE(manager.IdItems().FindOwner(owner), nullptr);
    manager.RemoveIdItemsByText("other", owner, FALSE);
    EXPECT_EQ(manager.IdItems().FindOwner(owner), nullptr);  // the owner's last item took its inner map
    manager.RemoveIdItemsByText("other", owner, FALSE);      // nothing left: nothing happens
}

TEST_F(HostUiManager, CommandTextsAndGroupsGoBackWithTheirValues) {
    EXPECT_EQ(manager.RemoveCommandText(kOpen, owner), S_FALSE);
    EXPECT_EQ(manager.RemoveCommandGroup(5, owner), S_FALSE);
    ASSERT_EQ(manager.SetCommandText(kOpen, "Open it", owner), S_OK);
    ASSERT_EQ(manager.AddCommandGroupFromMenu(5, Program(), kComponentMenu, owner, clsid), S_OK);
    const DWORD ids[] = {9, 8};
    ASSERT_EQ(manager.AddCommandGroup(6, Program(), 0, owner, clsid, {2, ids}, {1, ids}, nullptr), S_OK);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{
                  {"32769", "\"Open it\""},
                  {"5", ProgramName(), "901", "1", "UI component", "VT_ARRAY|VT_UINT {32769, 32770, 32771}", kEmpty,
                   kEmpty},
                  {"6", ProgramName(), "0", "1", "UI component", "VT_ARRAY|VT_UINT {9, 8}", "VT_ARRAY|VT_UINT {9}",
                   kEmpty}}));
    ui.ClearCalls();
    EXPECT_EQ(manager.RemoveCommandText(kOpen, owner), S_OK);
    EXPECT_EQ(manager.RemoveCommandGroup(5, owner), S_OK);
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"32769"}, {"5", "901", "1"}, {"6", "0", "1"}}));
}

TEST_F(HostUiManager, APopupItemIsRemovedAndItsPopupReleasedWhateverTheRemovalAnswered) {
    EXPECT_EQ(manager.RemovePopupItem(kRun, owner), S_FALSE);
    ASSERT_EQ(manager.AddPopupItemEx(500, kRun, 3, "Run", 5, 6, owner, 8), S_OK);
    ASSERT_EQ(manager.AddPopupItem(kOpen, owner, 9), S_OK);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{{"500", "32771", "3", "\"Run\"", "5", "6", "1", "8"},
                                                     {"0", "32769", "0", "\"\"", "0", "0", "1", "9"}}));
    ui.ClearCalls();
    ui.ScriptResult(22, E_FAIL);
    EXPECT_EQ(manager.RemovePopupItem(kRun, owner), E_FAIL);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"500", "32771", "6", "1"}, {"500"}}));
    ui.ClearCalls();
    EXPECT_EQ(manager.RemovePopupItem(kOpen, owner), S_OK);  // outside any popup: nothing to release
    EXPECT_EQ(ui.Ops(), (std::vector<int>{22}));
    ui.ClearCalls();
    manager.UnregisterOwner(owner);  // the refused one is still recorded
    EXPECT_EQ(ui.Ops(), (std::vector<int>{22, 87, 19}));
}

TEST_F(HostUiManager, NamedCommandsAreKeptByNameAndWithdrawnInOneCall) {
    CStringArray names;
    names.Add("alpha");
    names.Add("beta");
    const DWORD ids[] = {kOpen, kClose};
    ASSERT_EQ(manager.AddNamedCommands(owner, clsid, {2, ids}, names), S_OK);
    EXPECT_EQ(LastArguments(), (std::vector<std::string>{"1", "UI component", "VT_ARRAY|VT_UINT {32769, 32770}",
                                                         "VT_ARRAY|VT_BSTR {\"alpha\", \"beta\"}"}));
    CStringArray one;
    one.Add("alpha");
    ASSERT_EQ(manager.RemoveNamedCommands(owner, one), S_OK);
    ASSERT_NE(manager.NamedCommands().Find(owner, "beta"), nullptr);
    EXPECT_EQ(manager.NamedCommands().Find(owner, "alpha"), nullptr);
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"1", "VT_ARRAY|VT_BSTR {\"beta\"}"}}));
}

TEST_F(HostUiManager, AnOwnerWithoutRegistrationsIsWithdrawnWithoutAHostCall) {
    manager.UnregisterOwner(owner);
    manager.UnregisterOwner(reinterpret_cast<UiOwnerKey>(this));
    manager.UnregisterAllOwners();
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(HostUiManager, AllOwnersAreWithdrawn) {
    DWORD second = 0;
    manager.AcquireOwnerId(&second);
    ASSERT_EQ(manager.AddResourceInstance(Program(), second, clsid), S_OK);
    ASSERT_EQ(manager.SetCommandText(kOpen, "Open", owner), S_OK);
    ui.ClearCalls();
    manager.UnregisterAllOwners();
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"32769"}, {"2"}}));
}

// The single calls: one host call each with the arguments as given, texts
// as BSTRs (an absent one empty), and the outs as the host fills them.
TEST_F(HostUiManager, SingleCallsPassTheirArgumentsThrough) {
    struct Case {
        int op;
        std::function<HRESULT(CHostUiManager&)> call;
        std::vector<std::string> arguments;
    };
    const DWORD ids[] = {4, 5};
    const DWORD value = 77;
    CStringArray none;
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1230));
    const Case cases[] = {
        {14, [](CHostUiManager& m) { return m.SetIdText(3, "t"); }, {"3", "\"t\""}},
        {15, [](CHostUiManager& m) { return m.SetValues15(1, 2, 3); }, {"1", "2", "3"}},
        {16, [&](CHostUiManager& m) { return m.FireCommand(window, 0x20); }, {simhost::DescribeWindow(window), "0x20"}},
        {18, [](CHostUiManager& m) { return m.CreatePopup(nullptr, 2, 3, 4); }, {"\"\"", "2", "3", "4"}},
        {19, [](CHostUiManager& m) { return m.ReleasePopup(9); }, {"9"}},
        {20, [](CHostUiManager& m) { return m.SetItemText20(1, "x", 3, 4, 5); }, {"1", "\"x\"", "3", "4", "5"}},
        {26, [&](CHostUiManager& m) { return m.SetTexts26(1, 2, 3, 4, none, "y"); },
         {"1", "2", "3", "4", kEmpty, "\"y\""}},
        {27, [](CHostUiManager& m) { return m.SetText27("z"); }, {"\"z\""}},
        {40, [](CHostUiManager& m) { return m.SetTextValue40("a", 1); }, {"\"a\"", "1"}},
        {41, [](CHostUiManager& m) { return m.SetText41(nullptr); }, {"\"\""}},
        {42, [](CHostUiManager& m) { return m.SetValue42(1, 2); }, {"1", "2"}},
        {43, [](CHostUiManager& m) { return m.SetValue43(3, 4); }, {"3", "4"}},
        {46, [](CHostUiManager& m) { return m.ShowAtPoint("p", POINT{0x12, -2}); }, {"\"p\"", "0xFFFE0012"}},
        {47, [](CHostUiManager& m) { return m.SetValue47(5, 6); }, {"5", "6"}},
        {49, [](CHostUiManager& m) { return m.Notify49(); }, {}},
        {51, [](CHostUiManager& m) { return m.RegisterItem51("a", nullptr, 3, 4, 5, 6); },
         {"\"a\"", "\"\"", "3", "4", "5", "6"}},
        {53, [](CHostUiManager& m) { return m.SetTextValue53("a", 53); }, {"\"a\"", "53"}},
        {54, [](CHostUiManager& m) { return m.SetTextValue54("a", 54); }, {"\"a\"", "54"}},
        {55, [](CHostUiManager& m) { return m.SetTextPair("a", "b"); }, {"\"a\"", "\"b\""}},
        {56, [](CHostUiManager& m) { return m.SetTextValue56("a", 56); }, {"\"a\"", "56"}},
        {57, [](CHostUiManager& m) { return m.SetValue57(5, 7); }, {"5", "7"}},
        {58, [](CHostUiManager& m) { return m.SetTextPair58("a", "b"); }, {"\"a\"", "\"b\""}},
        {60, [&](CHostUiManager& m) { return m.SetTextValue60("a", &value); }, {"\"a\"", "77"}},
        {61, [&](CHostUiManager& m) { return m.Forward61(1, 2, 3, 4, 5, 6, {2, ids}, {}, {1, ids}, {}, {}); },
         {"1", "2", "3", "4", "5", "6", "VT_ARRAY|VT_UINT {4, 5}", kEmpty, "VT_ARRAY|VT_UINT {4}", kEmpty, kEmpty}},
        {62, [](CHostUiManager& m) { return m.SetValue62(62); }, {"62"}},
        {63, [](CHostUiManager& m) { return m.SetValue63(63); }, {"63"}},
        {64, [](CHostUiManager& m) { return m.SetFlag64(1, 2); }, {"1", "0xFFFFFFFF"}},
        {64, [](CHostUiManager& m) { return m.SetFlag64(1, 0); }, {"1", "0x0"}},
        {70, [](CHostUiManager& m) { return m.SetText70("a"); }, {"\"a\""}},
        {71, [](CHostUiManager& m) { return m.SetText71("a"); }, {"\"a\""}},
        {72, [](CHostUiManager& m) { return m.SetTextValue72("a", 72); }, {"\"a\"", "72"}},
        {74, [](CHostUiManager& m) { return m.SetTextValue74("a", 74); }, {"\"a\"", "74"}},
        {78, [](CHostUiManager& m) { return m.SetTexts78(1, 2, nullptr, nullptr); }, {"1", "2", kEmpty, "\"\""}},
        {79, [](CHostUiManager& m) { return m.SetValue79(79); }, {"79"}},
        {80, [](CHostUiManager& m) { return m.SetText80("a"); }, {"\"a\""}},
        {81, [](CHostUiManager& m) { return m.Notify81(); }, {}},
        {85, [](CHostUiManager& m) { return m.SetToolbarValue85(8, 5); }, {"8", "5"}},
        {86, [](CHostUiManager& m) { return m.QueryToolbar86(); }, {}},
    };
    for (const Case& c : cases) {
        ui.ScriptResult(c.op, static_cast<HRESULT>(0x00000007));
        EXPECT_EQ(c.call(manager), 7) << c.op;
        const auto calls = ui.Calls();
        ASSERT_EQ(calls.size(), 1u) << c.op;
        EXPECT_EQ(calls[0].op, c.op);
        EXPECT_EQ(calls[0].args, c.arguments) << c.op;
        ui.ClearCalls();
    }
}

TEST_F(HostUiManager, TheFourNotificationsAnswerSOkWhateverTheHostSays) {
    for (const int op : {65, 66, 67, 68}) {
        ui.ScriptResult(op, E_FAIL);
    }
    EXPECT_EQ(manager.Notify65(), S_OK);
    EXPECT_EQ(manager.Notify66(), S_OK);
    EXPECT_EQ(manager.Notify67(), S_OK);
    EXPECT_EQ(manager.Notify68(), S_OK);
    EXPECT_EQ(ui.Ops(), (std::vector<int>{65, 66, 67, 68}));
}

TEST_F(HostUiManager, ListOutsAreAppendedAndTextOutsSetAsTheirRulesSay) {
    ui.SetOuts({"a", "b"}, {7, 8}, "text", 42);
    CStringArray array;
    array.Add("old");
    CString text = "kept";
    EXPECT_EQ(manager.GetTexts25(1, 2, 3, 4, array, nullptr), S_OK);
    ASSERT_EQ(array.GetSize(), 2);  // sized to the host's texts
    EXPECT_EQ(array[1].Str(), "b");
    EXPECT_EQ(manager.GetTexts77(1, 2, array, &text), S_OK);
    EXPECT_EQ(text.Str(), "text");
    CStringList names;
    names.AddTail("first");
    EXPECT_EQ(manager.GetNames38(names), S_OK);
    EXPECT_EQ(names.GetCount(), 3);
    CStringList second;
    EXPECT_EQ(manager.GetNameLists75(names, second), S_OK);
    EXPECT_EQ(names.GetCount(), 5);
    EXPECT_EQ(second.GetCount(), 2);
    CUintList ids;
    ids.AddTail(1);
    EXPECT_EQ(manager.GetIds39("x", ids), S_OK);
    EXPECT_EQ(manager.GetIds76("x", ids), S_OK);
    EXPECT_EQ(ids.GetCount(), 5);
    EXPECT_EQ(ids.GetTail(), 8u);

    DWORD value = 1;
    EXPECT_EQ(manager.GetValue73("v", &value), S_OK);
    EXPECT_EQ(value, 42u);
    value = 1;
    ui.ScriptResult(73, S_FALSE);
    EXPECT_EQ(manager.GetValue73("v", &value), S_FALSE);
    EXPECT_EQ(value, 1u);  // written only on S_OK

    text = "kept";
    ui.ScriptResult(88, E_FAIL);
    EXPECT_EQ(manager.GetText88(1, 2, &text), E_FAIL);
    EXPECT_EQ(text.Str(), "kept");
    ui.ScriptResult(88, S_FALSE);
    EXPECT_EQ(manager.GetText88(1, 2, &text), S_FALSE);
    EXPECT_EQ(text.Str(), "text");
}

TEST_F(HostUiManager, AnEditedTextComesBackInPlaceOfTheOneGiven) {
    CString text = "before";
    EXPECT_EQ(manager.EditText59("a", "b", 1, 2, 3, 4, &text), S_OK);
    EXPECT_EQ(LastArguments(), (std::vector<std::string>{"\"a\"", "\"b\"", "1", "2", "3", "4", "\"before\""}));
    EXPECT_EQ(text.Str(), "before");  // the host left it as it was
    ui.SetOuts({}, {}, "after", 0);
    EXPECT_EQ(manager.EditText59("a", "b", 1, 2, 3, 4, &text), S_OK);
    EXPECT_EQ(text.Str(), "after");
    EXPECT_EQ(manager.EditText59("a", "b", 1, 2, 3, 4, nullptr), S_OK);
    EXPECT_EQ(LastArguments().back(), "null");
}

// A host that offers none of the UI interfaces: no call is made, and the
// answers are E_NOINTERFACE but where the operation says otherwise.
TEST(HostUiManagerWithoutUi, NothingIsCalledAndTheAnswersSayWhy) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    for (const IID* iid : {&IID_IHUiRegistration, &IID_IHUiRegistration2, &IID_IHUiRegistration3,
                           &IID_IHUiRegistration4}) {
        host.OfferService(*iid, nullptr);
    }
    CHostUiManager manager(&host);
    DWORD owner = 0;
    manager.AcquireOwnerId(&owner);
    EXPECT_EQ(owner, 0u);
    manager.ReleaseOwnerId(&owner);
    const DWORD ids[] = {1};
    CStringArray texts;
    texts.Add("t");
    CString text;
    CStringList list;
    CUintList idList;
    DWORD value = 0;
    const std::vector<std::pair<const char*, HRESULT>> answers = {
        {"AddWindow", manager.AddWindow(1, nullptr, nullptr)},
        {"AddResourceInstance", manager.AddResourceInstance(Program(), 1, nullptr)},
        {"AddMenu", manager.AddMenu(Program(), kComponentMenu, 1, nullptr)},
        {"AddTextMenu", manager.AddTextMenu(texts, {1, ids}, 5, 1, nullptr, nullptr, nullptr, 1)},
        {"AddAccelerators", manager.AddAccelerators(Program(), kAccelerators, 1, nullptr)},
        {"AddToolbar", manager.AddToolbar("{t}", "T", Program(), kToolbar, 0, 1, nullptr)},
        {"AddToolbarFromResource", manager.AddToolbarFromResource("T", Program(), kToolbar, 0, 1, nullptr)},
        {"AddToolbarEx", manager.AddToolbarEx("{t}", "T", Program(), 1, 0, 1, nullptr, {1, ids})},
        {"AddToolbarEx2", manager.AddToolbarEx2("{t}", "T", Program(), 1, 0, 1, nullptr, {1, ids}, 0)},
        {"AddToolbarEx3", manager.AddToolbarEx3("{t}", "T", "3", Program(), 1, 0, 1, nullptr, {1, ids})},
        {"AddNamedToolbar", manager.AddNamedToolbar("N", Program(), kToolbar, 0, 1, nullptr)},
        {"AddNamedCommands", manager.AddNamedCommands(1, nullptr, {1, ids}, texts)},
        {"AddPopupItem", manager.AddPopupItem(1, 1, 0)},
        {"AddIdItemFromMenu", manager.AddIdItemFromMenu("i", Program(), kComponentMenu, 1, nullptr, nullptr, nullptr, 0)},
        {"SetCommandText", manager.SetCommandText(1, "t", 1)},
        {"FireCommand", manager.FireCommand(nullptr, 1)},
        {"QueryCommandState", manager.QueryCommandState(nullptr, &value)},
        {"GetNames38", manager.GetNames38(list)},
        {"GetIds76", manager.GetIds76("x", idList)},
        {"GetTexts77", manager.GetTexts77(1, 2, texts, &text)},
        {"SetTexts78", manager.SetTexts78(1, 2, &texts, "t")},
        {"SetValue62", manager.SetValue62(1)},
        {"SetFlag64", manager.SetFlag64(1, TRUE)},
        {"Forward61", manager.Forward61(1, 2, 3, 4, 5, 6, {}, {}, {}, {}, {})},
        {"Notify81", manager.Notify81()},
        {"QueryToolbar86", manager.QueryToolbar86()},
        {"GetText88", manager.GetText88(1, 2, &text)},
    };
    for (const auto& [name, answer] : answers) {
        EXPECT_EQ(answer, E_NOINTERFACE) << name;
    }
    EXPECT_EQ(manager.EditText59("a", "b", 1, 2, 3, 4, &text), E_FAIL);
    EXPECT_EQ(manager.SetValue79(1), E_FAIL);
    EXPECT_EQ(manager.SetText80("t"), E_FAIL);
    EXPECT_EQ(manager.Notify65(), S_OK);
    EXPECT_EQ(manager.Notify68(), S_OK);
    manager.UnregisterOwner(1);
    EXPECT_TRUE(host.UiRegistry().Calls().empty());
}

// Only UI interface 1: its operations work, those of the others do not.
TEST(HostUiManagerWithoutUi, EachOperationTestsTheInterfaceItCalls) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    for (const IID* iid : {&IID_IHUiRegistration2, &IID_IHUiRegistration3, &IID_IHUiRegistration4}) {
        host.OfferService(*iid, nullptr);
    }
    CHostUiManager manager(&host);
    DWORD owner = 0;
    manager.AcquireOwnerId(&owner);
    EXPECT_EQ(manager.AddMenu(Program(), kComponentMenu, owner, nullptr), S_OK);
    EXPECT_EQ(manager.AddToolbar("{t}", "T", Program(), kToolbar, 0, owner, nullptr), E_NOINTERFACE);
    EXPECT_EQ(manager.AddPopupItemEx(500, 1, 0, "p", 0, 0, owner, 0), S_OK);
    host.UiRegistry().ClearCalls();
    manager.UnregisterOwner(owner);  // the popup's use count cannot be asked: it is not released
    EXPECT_EQ(host.UiRegistry().Ops(), (std::vector<int>{22, 33}));
    manager.ReleaseOwnerId(&owner);
    EXPECT_TRUE(host.UiRegistry().HostErrors().empty());
}

}  // namespace
