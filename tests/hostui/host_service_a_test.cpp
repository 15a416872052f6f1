// CHostServiceA: every operation as a row against the recording fake; the
// name lookup; the current folders against the simulated host.
#include "hostui/host_service_a.h"
#include "sim/host/sim_host.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostServiceA;
using Host = SingleHost<hostfake::FakeWorkSpaceInfo, IID_IHWorkSpaceInfo>;

// A yes/no row: yes only when the host succeeds and answers 1.
Expect Y(const char* whenAnswered) {
    return {whenAnswered, whenAnswered, "0", "0"};
}

const std::vector<Row<Wrapper>>& Rows() {
    static const std::vector<Row<Wrapper>> rows = {
        {3, {Q("a")}, {}, CALL(w.Op3("a")), F()},
        {4, {Q("a")}, {}, CALL(w.Op4("a")), F()},
        {5, {"out"}, {Txt("new")}, CALL(w.GetInstallDirectory(c.text[0])), F("t0=new")},
        {6, {"out"}, {Txt("new")}, CALL(w.GetTempDirectory(c.text[0])), F("t0=new")},
        {7, {"out"}, {Txt("new")}, CALL(w.Op7(c.text[0])), F("t0=new")},
        {8, {"out"}, {Txt("new")}, CALL(w.Op8(c.text[0])), F("t0=new")},
        {9, {"out"}, {Txt("new")}, CALL(w.Op9(c.text[0])), F("t0=new")},
        // The project is asked for first (and answers S_OK here).
        {10, {"out"}, {Txt("new")}, CALL(w.GetCurrentConfigName(c.text[0])), F("t0=new"), 0,
         {{0, {11, {"out"}}}}},
        {11, {"out"}, {Txt("new")}, CALL(w.GetCurrentProjectName(c.text[0])), F("t0=new")},
        {12, {"out"}, {Txt("new")}, CALL(w.GetCurrentWorkspaceName(c.text[0])), F("t0=new")},
        {13, {"out"}, {Txt("new")}, CALL(w.Op13(c.text[0])), F("t0=new"), 0, {{0, {14, {"out"}}}}},
        {14, {"out"}, {Txt("new")}, CALL(w.Op14(c.text[0])), F("t0=new")},
        {15, {"out"}, {Txt("new")}, CALL(w.Op15(c.text[0])), F("t0=new")},
        {16, {Q("a"), Q("b"), "out"}, {Strs({"x", "y"})}, CALL(w.Op16("a", "b", c.list[0])), F("l0=[keep|x|y]")},
        {17, {Q("a"), "out"}, {Strs({"x"})}, CALL(w.Op17("a", c.list[0])), F("l0=[keep|x]")},
        {18, {"out"}, {Strs({"x"})}, CALL(w.Op18(c.list[0])), F("l0=[keep|x]")},
        {19, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.GetConfigName("a", "b", "c", c.text[0])),
         F("t0=new")},
        {20, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.GetProjectName("a", "b", c.text[0])), F("t0=new")},
        {21, {Q("a"), "out"}, {Txt("new")}, CALL(w.GetWorkspaceName("a", c.text[0])), F("t0=new")},
        {22, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.GetConfigDirectory("a", "b", "c", c.text[0])),
         F("t0=new")},
        {23, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.GetProjectDirectory("a", "b", c.text[0])),
         F("t0=new")},
        {24, {Q("a"), "out"}, {Txt("new")}, CALL(w.GetWorkspaceDirectory("a", c.text[0])), F("t0=new")},
        {25, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op25("a", "b", c.text[0])), F("t0=new")},
        {26, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op26("a", c.text[0])), F("t0=new")},
        {27, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op27("a", "b", c.text[0])), F("t0=new")},
        {28, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op28("a", c.text[0])), F("t0=new")},
        {29, {Q("a"), Q("b"), "out", "out", "out", "out", "out", "out", "out"},
         {Txt("1"), Txt("2"), Txt("3"), Txt("4"), Txt("5"), Txt("6"), Txt("7")},
         CALL(w.Op29("a", "b", c.text[0], c.text[1], c.text[2], c.text[3], c.text[4], c.text[5], c.text[6])),
         F("t0=1 t1=2 t2=3 t3=4 t4=5 t5=6 t6=7")},
        // The flags take 1 only from the value 1: -1 gives 0.
        {30, {Q("a"), Q("b"), "out", "out", "out", "out", "out", "out", "out", "out", "out(0)", "out(0)"},
         {Txt("1"), Txt("2"), Txt("3"), Txt("4"), Txt("5"), Txt("6"), Txt("7"), Txt("8"), Num(1), Num(0xFFFFFFFF)},
         CALL(w.Op30("a", "b", c.text[0], c.text[1], c.text[2], c.text[3], c.text[4], c.text[5], c.text[6],
                     c.text[7], &c.flag[0], &c.flag[1])),
         F("t0=1 t1=2 t2=3 t3=4 t4=5 t5=6 t6=7 t7=8 f0=1 f1=0")},
        {31, {Q("a"), "out", "out", "out", "out"}, {Txt("1"), Txt("2"), Txt("3"), Txt("4")},
         CALL(w.Op31("a", c.text[0], c.text[1], c.text[2], c.text[3])), F("t0=1 t1=2 t2=3 t3=4")},
        {32, {Q("a"), "out(0)"}, {Num(1)}, CALL(w.Op32("a")), Y("1")},
        {32, {Q("a"), "out(0)"}, {Num(2)}, CALL(w.Op32("a")), Y("0"), 0, {}, "value 2 is no"},
        {33, {"out(0)"}, {Num(1)}, CALL(w.Op33()), Y("1")},
        {33, {"out(0)"}, {Num(0)}, CALL(w.Op33()), Y("0"), 0, {}, "value 0"},
        {35, {"out(0)"}, {Num(1)}, CALL(w.HasWorkspacePlaceholders()), Y("1")},
        {35, {"out(0)"}, {Num(0xFFFFFFFF)}, CALL(w.HasWorkspacePlaceholders()), Y("0"), 0, {}, "value -1"},
        {36, {Q("a"), Q("b"), "out"}, {Strs({"x"})}, CALL(w.Op36("a", "b", c.list[0])), F("l0=[keep|x]")},
        // The first word out is the high half.
        {37, {Q("a"), "out(0)", "out(0)"}, {Num(0x01D2ABCD), Num(0x3344)}, CALL(w.Op37("a", c.time)),
         F("time=1D2ABCD:3344")},
        {38, {Q("a"), Q("b"), "out(0)", "out(0)"}, {Num(7), Num(8)}, CALL(w.Op38("a", "b", c.time)),
         F("time=7:8")},
        {39, {"out"}, {Txt("new")}, CALL(w.Op39(c.text[0])), F("t0=new")},
        {40, {"out"}, {Txt("new")}, CALL(w.Op40(c.text[0])), F("t0=new")},
        {41, {Q("a"), Q("b"), "out"}, {Strs({"x"})}, CALL(w.Op41("a", "b", c.list[0])), F("l0=[keep|x]")},
        {42, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.Op42("a", "b", "c", c.text[0])), F("t0=new")},
        {43, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op43("a", "b", c.text[0])), F("t0=new")},
        {44, {"out"}, {Txt("new")}, CALL(w.Op44(c.text[0])), F("t0=new")},
        {45, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op45("a", c.text[0])), S("t0=new")},
        {46, {Q("a"), Q("b"), "out", "out"}, {Txt("1"), Txt("2")}, CALL(w.Op46("a", "b", c.text[0], c.text[1])),
         F("t0=1 t1=2")},
        {47, {Q("a"), "out", "7", "8", "out", "out", "out"}, {Txt("new"), Strs({"x"}), Strs({"y"}), Strs({"z"})},
         CALL(w.Op47("a", c.text[0], 7, 8, c.list[0], c.list[1], c.list[2])),
         F("t0=new l0=[keep|x] l1=[keep|y] l2=[keep|z]")},
        {48, {Q("a"), "7", "8", "[keep]", "[keep]", "[keep]"}, {},
         CALL(w.Op48("a", 7, 8, c.list[0], c.list[1], c.list[2])), F()},
    };
    return rows;
}

TEST(HostServiceA, EveryOperationAsARow) {
    RunRows<Wrapper, Host>(Rows());
}

TEST(HostServiceA, ConfigurationNameIsNotAskedWhenTheProjectNameFails) {
    Host host(true);
    host.fake.Script(11, {E_FAIL, {Txt("project")}});
    Wrapper wrapper(&host.provider);
    CString name = "old";
    EXPECT_EQ(wrapper.GetCurrentConfigName(name), 1u);
    EXPECT_EQ(name, "old");
    EXPECT_EQ(host.Calls(), (std::vector<Located>{{0, {11, {"out"}}}}));

    host.fake.ClearCalls();
    host.fake.Script(14, {E_FAIL, {}});
    EXPECT_EQ(wrapper.Op13(name), 1u);
    EXPECT_EQ(host.Calls(), (std::vector<Located>{{0, {14, {"out"}}}}));
}

// A workspace information whose operation 19 gives the next of a list of
// values ("fail": fails without giving one).
class ValueLookup : public hostfake::FakeWorkSpaceInfo {
public:
    HRESULT STDMETHODCALLTYPE GetConfigName(BSTR first, BSTR second, BSTR name, BSTR* value) override {
        static_cast<void>(FakeWorkSpaceInfo::GetConfigName(first, second, name, value));  // records the call
        const std::string next = values.empty() ? std::string() : values.front();
        if (!values.empty()) {
            values.erase(values.begin());
        }
        if (next == "fail") {
            return E_FAIL;
        }
        *value = hostfake::MakeBstr(next);
        return S_OK;
    }

    std::vector<std::string> values;
};

// FindNameByValue over the names "p", "q", "r".
class FindNameByValue : public testing::Test {
protected:
    FindNameByValue() {
        fake.Script(16, {S_OK, {Strs({"p", "q", "r"})}});
        fake.Script(27, {S_OK, {Txt("fallback")}});
        provider.Offer(IID_IHWorkSpaceInfo, fake.Unknown());
    }
    DWORD Find(std::vector<std::string> values, const char* wanted, CString& name, DWORD& found) {
        fake.values = std::move(values);
        Wrapper wrapper(&provider);
        return wrapper.FindNameByValue("w", "x", wanted, name, &found);
    }

    ValueLookup fake;
    hostfake::FakeProvider provider;
};

TEST_F(FindNameByValue, StopsAtTheFirstNameWhoseValueMatchesExactly) {
    CString name;
    DWORD found = 7;
    EXPECT_EQ(Find({"1", "2", "3"}, "2", name, found), 0u);
    EXPECT_EQ(name, "q");
    EXPECT_EQ(found, 1u);
    EXPECT_EQ(fake.Calls(),
              (std::vector<hostfake::Call>{{16, {Q("w"), Q("x"), "out"}},
                                           {19, {Q("w"), Q("x"), Q("p"), "out"}},
                                           {19, {Q("w"), Q("x"), Q("q"), "out"}}}));
}

TEST_F(FindNameByValue, ComparesWithCaseAndAFailedValueReadsEmpty) {
    // "P" is not "p"; the failed read of q's value compares as an empty text.
    CString name;
    DWORD found = 7;
    EXPECT_EQ(Find({"P", "fail", "p"}, "p", name, found), 0u);
    EXPECT_EQ(name, "r");
    EXPECT_EQ(found, 1u);

    name.Empty();
    EXPECT_EQ(Find({"a", "fail", "b"}, "", name, found), 0u);
    EXPECT_EQ(name, "q");
}

TEST_F(FindNameByValue, NoMatchAsksForTheFallbackOnlyForAnEmptyName) {
    CString name;
    DWORD found = 7;
    EXPECT_EQ(Find({"1", "2", "3"}, "9", name, found), 0u);
    EXPECT_EQ(name, "fallback");
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(fake.Calls().back(), (hostfake::Call{27, {Q("w"), Q("x"), "out"}}));

    fake.ClearCalls();
    CString kept = "mine";
    EXPECT_EQ(Find({"1", "2", "3"}, "9", kept, found), 0u);
    EXPECT_EQ(kept, "mine");
    EXPECT_EQ(fake.Calls().size(), 4u);  // 16 and three of 19, no 27
}

TEST_F(FindNameByValue, FailsWhenTheNamesCannotBeHad) {
    fake.Script(16, {E_FAIL, {Strs({"p"})}});
    CString name = "old";
    DWORD found = 7;
    EXPECT_EQ(Find({}, "1", name, found), 1u);
    EXPECT_EQ(name, "old");
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(fake.Calls().size(), 1u);
}

TEST(HostServiceA, TheReservedMethodCallsNothing) {
    Host host(true);
    Wrapper wrapper(&host.provider);
    CString text = "old";
    DWORD value = 7;
    EXPECT_EQ(wrapper.Reserved("a", "b", "c", text, &value), 0u);
    EXPECT_TRUE(host.Calls().empty());
    EXPECT_EQ(text, "old");
    EXPECT_EQ(value, 7u);
}

// The simulated host's workspace information, as the wrapper sees it.
class HostServiceAOnTheSimulatedHost : public testing::Test {
protected:
    HostServiceAOnTheSimulatedHost() {
        host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) {
            state.workspaceName = "Demo";
            state.workspaceDirectory = "C:\\Work\\Demo";
            state.projectName = "Blink";
            state.projectDirectory = "C:\\Work\\Demo\\Blink";
            state.configName = "Debug";
            state.configDirectory = "C:\\Work\\Demo\\Blink\\Debug";
        });
    }
    std::vector<std::string> Asked() {
        std::vector<std::string> names;
        for (const simhost::CallRecord& call : host.Log().Calls()) {
            if (call.what != "QueryService") {
                names.push_back(call.what);
            }
        }
        return names;
    }

    simhost::SimHost host;
};

TEST_F(HostServiceAOnTheSimulatedHost, GivesTheCurrentFolders) {
    CHostServiceA wrapper(&host.Services());
    EXPECT_EQ(wrapper.GetCurrentWorkspaceText(), "C:\\Work\\Demo");
    EXPECT_EQ(wrapper.GetCurrentProjectText(), "C:\\Work\\Demo\\Blink");
    EXPECT_EQ(wrapper.GetCurrentConfigurationText(), "C:\\Work\\Demo\\Blink\\Debug");
    EXPECT_EQ(Asked(), (std::vector<std::string>{
                           "GetCurrentWorkspaceName", "GetWorkspaceDirectory",                            //
                           "GetCurrentWorkspaceName", "GetCurrentProjectName", "GetProjectDirectory",     //
                           "GetCurrentWorkspaceName", "GetCurrentProjectName", "GetCurrentProjectName",  //
                           "GetCurrentConfigName", "GetConfigDirectory"}));
}

TEST_F(HostServiceAOnTheSimulatedHost, WithoutAProjectThereIsNoConfigurationFolder) {
    host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) { state.failingOperations = {11}; });
    CHostServiceA wrapper(&host.Services());
    EXPECT_EQ(wrapper.GetCurrentConfigurationText(), "");
    EXPECT_EQ(wrapper.GetCurrentProjectText(), "");
    EXPECT_EQ(wrapper.GetCurrentWorkspaceText(), "C:\\Work\\Demo");
    const std::vector<std::string> asked = Asked();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "GetConfigDirectory"), 0);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "GetCurrentConfigName"), 0);
}

TEST_F(HostServiceAOnTheSimulatedHost, AnEmptyNameEndsTheWalk) {
    host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) { state.workspaceName.clear(); });
    CHostServiceA wrapper(&host.Services());
    EXPECT_EQ(wrapper.GetCurrentWorkspaceText(), "");
    EXPECT_EQ(wrapper.GetCurrentConfigurationText(), "");
    const std::vector<std::string> asked = Asked();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "GetWorkspaceDirectory"), 0);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "GetConfigDirectory"), 0);
}

}  // namespace
