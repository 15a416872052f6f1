// CHostServiceF, the lower operations (3 to 100 but 25 and 31, and 162 to
// 164): every operation as a row against the recording fakes of service F
// and its companions; the placeholder maps against the simulated host.
#include "hostui/host_service_f.h"
#include "sim/host/sim_host.h"
#include "tests/hostui/service_f_host.h"
#include "util/placeholder_expander.h"

#include <gtest/gtest.h>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostServiceF;
using Host = ServiceFHost;

const DWORD kSeven = 7;

// Outs taken on success; a failure takes the fallback.
Expect FWithFallback(const std::string& taken, const std::string& fallback) {
    return {J("0", taken), J("0", taken), J("1", fallback), "1"};
}

const std::vector<Row<Wrapper>>& Rows() {
    static const std::vector<Row<Wrapper>> rows = {
        {3, {Q("a"), Q("b"), "7"}, {}, CALL_VOID(w.Op3("a", "b", 7)), NoneAlways()},
        {4, {Q("a"), Q("b"), Q("c")}, {}, CALL_VOID(w.Op4("a", "b", "c")), NoneAlways()},
        {5, {Q("a"), "7"}, {}, CALL_VOID(w.Op5("a", 7)), NoneAlways()},
        {6, {Q("a"), Q("b")}, {}, CALL_VOID(w.Op6("a", "b")), NoneAlways()},
        {7, {Q("a"), Q("b"), "out(0)"}, {Num(9)}, CALL(w.Op7("a", "b", &c.number[0], nullptr)), F("n0=9")},
        {7, {Q("a"), Q("b"), "out(0)"}, {Num(9)}, CALL(w.Op7("a", "b", &c.number[0], &kSeven)),
         FWithFallback("n0=9", "n0=7"), 0, {}, "with a fallback"},
        {8, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op8("a", "b", c.text[0], nullptr)), F("t0=new")},
        {8, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op8("a", "b", c.text[0], "dflt")),
         FWithFallback("t0=new", "t0=dflt"), 0, {}, "with a fallback"},
        {9, {Q("a"), "out(0)"}, {Num(9)}, CALL(w.Op9("a", &c.number[0], nullptr)), F("n0=9")},
        {9, {Q("a"), "out(0)"}, {Num(9)}, CALL(w.Op9("a", &c.number[0], &kSeven)), FWithFallback("n0=9", "n0=7"), 0,
         {}, "with a fallback"},
        {10, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op10("a", c.text[0], nullptr)), F("t0=new")},
        {10, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op10("a", c.text[0], "dflt")), FWithFallback("t0=new", "t0=dflt"),
         0, {}, "with a fallback"},
        {11, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e")}, {}, CALL(w.Op11("a", "b", "c", "d", "e")), F()},
        {12, {Q("a"), Q("b"), Q("c"), Q("d")}, {}, CALL(w.Op12("a", "b", "c", "d")), F()},
        {13, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op13("a", "b", "c")), F()},
        {17, {Q("a"), Q("b"), Q("c"), Q("d"), "out"}, {Txt("new")}, CALL(w.Op17("a", "b", "c", "d", c.text[0])),
         F("t0=new")},
        {18, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.Op18("a", "b", "c", c.text[0])), F("t0=new")},
        {19, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op19("a", "b", c.text[0])), F("t0=new")},
        {23, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e")}, {}, CALL(w.Op23("a", "b", "c", "d", "e")), F(), 0, {}, {},
         Alloc::NullTexts},
        {29, {Q("a"), Q("b"), Q("c"), Q("d"), "out"}, {Txt("new")}, CALL(w.Op29("a", "b", "c", "d", c.text[0])),
         F("t0=new"), 0, {}, {}, Alloc::NullTexts},
        // The record lists out are taken whatever the host answers.
        {35, {"out"}, {PairOut()}, CALL_VOID(w.Op35(c.pairs)), NoneAlways(kPairsTaken)},
        {36, {"out"}, {PairOut()}, CALL_VOID(w.Op36(c.pairs)), NoneAlways(kPairsTaken)},
        {37, {kPairsSent}, {}, CALL_VOID(w.Op37(c.pairs)), NoneAlways()},
        {38, {kPairsSent}, {}, CALL_VOID(w.Op38(c.pairs)), NoneAlways()},
        {39, {"out"}, {QuadOut()}, CALL_VOID(w.Op39(c.quads)), NoneAlways(kQuadsTaken)},
        {40, {"out"}, {QuadOut()}, CALL_VOID(w.Op40(c.quads)), NoneAlways(kQuadsTaken)},
        {41, {kQuadsSent}, {}, CALL_VOID(w.Op41(c.quads)), NoneAlways()},
        {42, {kQuadsSent}, {}, CALL_VOID(w.Op42(c.quads)), NoneAlways()},
        {43, {"out"}, {PlaceholderOut()}, CALL_VOID(w.GetCustomPlaceholders(c.placeholders)),
         NoneAlways(kPlaceholdersTaken)},
        {44, {"out"}, {PlaceholderOut()}, CALL_VOID(w.Op44(c.placeholders)), NoneAlways(kPlaceholdersTaken)},
        {45, {kPlaceholdersSent}, {}, CALL_VOID(w.Op45(c.placeholders)), NoneAlways()},
        {46, {kPlaceholdersSent}, {}, CALL_VOID(w.Op46(c.placeholders)), NoneAlways()},
        {47, {"7", "out"}, {Txt("new")}, CALL_VOID(w.Op47(7, c.text[0])), NoneAlways("t0=new")},
        {48, {"7", Q("a")}, {}, CALL_VOID(w.Op48(7, "a")), NoneAlways()},
        {49, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op49("a", "b", c.text[0])),
         {"0 t0=new", "0 t0=new", "0 t0=new", "0"}},
        // A host that fails without a text empties the caller's.
        {49, {Q("a"), Q("b"), "out"}, {}, CALL(w.Op49("a", "b", c.text[0])), {"0 t0=", "0 t0=", "0 t0=", "0"}, 0, {},
         "no text"},
        {50, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op50("a", "b", "c")), {"0", "0", "0", "0"}},
        {51, {"out(0)"}, {Num(5)}, CALL(w.Op51()), V()},
        {52, {"out(0)"}, {Num(5)}, CALL(w.Op52()), V()},
        {53, {"out"}, {Txt("new")}, CALL(w.Op53()), T()},
        {53, {"out"}, {}, CALL(w.Op53()), T("\"\""), 0, {}, "no text"},
        {54, {"out"}, {Txt("new")}, CALL(w.Op54()), T()},
        {55, {"out"}, {Txt("new")}, CALL(w.Op55()), T()},
        {56, {"7"}, {}, CALL_VOID(w.Op56(7)), NoneAlways()},
        {57, {Q("a")}, {}, CALL_VOID(w.Op57("a")), NoneAlways()},
        {58, {Q("a")}, {}, CALL_VOID(w.Op58("a")), NoneAlways()},
        {59, {Q("a")}, {}, CALL_VOID(w.Op59("a")), NoneAlways()},
        {60, {"out"}, {TextTextNumberOut()}, CALL_VOID(w.Op60(c.textTextNumbers)), NoneAlways(kTextTextNumbersTaken)},
        {61, {kTextTextNumbersSent}, {}, CALL_VOID(w.Op61(c.textTextNumbers)), NoneAlways()},
        {62, {"out", "out"}, {Txt("1"), Txt("2")}, CALL_VOID(w.Op62(c.text[0], c.text[1])), NoneAlways("t0=1 t1=2")},
        {63, {Q("a"), Q("b")}, {}, CALL(w.Op63("a", "b")), S(), 0, {}, {}, Alloc::NullTexts},
        {64, {Q("a")}, {}, CALL(w.Op64("a")), S(), 0, {}, {}, Alloc::NullTexts},
        {65, {Q("a")}, {}, CALL(w.Op65("a")), S(), 0, {}, {}, Alloc::NullTexts},
        // The value getters start from 0, so a host that fails without
        // writing answers 0 (out(0) is what each passes).
        {66, {"out(0)"}, {Num(5)}, CALL(w.Op66()), V()},
        {66, {"out(0)"}, {}, CALL(w.Op66()), V("0"), 0, {}, "nothing written"},
        {67, {"out(0)"}, {Num(5)}, CALL(w.Op67()), V()},
        {68, {"out(0)"}, {Num(5)}, CALL(w.Op68()), V()},
        {69, {"out(0)"}, {Num(5)}, CALL(w.Op69()), V()},
        {70, {"out(0)"}, {Num(5)}, CALL(w.Op70()), V()},
        {71, {"out(0)"}, {Num(5)}, CALL(w.Op71()), V()},
        {72, {"out(0)"}, {Num(5)}, CALL(w.Op72()), V()},
        {74, {"out", "out", "out"}, {Txt("1"), Txt("2"), Txt("3")}, CALL_VOID(w.Op74(c.text[0], c.text[1], c.text[2])),
         NoneAlways("t0=1 t1=2 t2=3")},
        {75, {"out(0)"}, {Num(5)}, CALL(w.Op75()), V()},
        {76, {"1", "2", "3", "4", "5", "6", "7", "8", "out", "out", "out"}, {Txt("1"), Txt("2"), Txt("3")},
         CALL_VOID(w.Op76(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2])), NoneAlways("t0=1 t1=2 t2=3"), 1},
        {77, {"1", "2", "3", "4", "5", "6", "7", "8", Q("a"), Q("b"), Q("c")}, {},
         CALL_VOID(w.Op77(1, 2, 3, 4, 5, 6, 7, 8, "a", "b", "c")), NoneAlways(), 1},
        {78, {"out(0)"}, {Num(5)}, CALL(w.Op78()), V()},
        {79, {"out(0)"}, {Num(5)}, CALL(w.Op79()), V()},
        {80, {"out(0)"}, {Num(5)}, CALL(w.Op80()), V()},
        {81, {"out(0)"}, {Num(5)}, CALL(w.Op81()), V()},
        {82, {"out(0)"}, {Num(5)}, CALL(w.Op82()), V()},
        {83, {"out(0)"}, {Num(5)}, CALL(w.Op83()), V()},
        {84, {"out(0)"}, {Num(5)}, CALL(w.Op84()), V()},
        {85, {"1", "2", "3", "4", "5", "6", "7"}, {}, CALL_VOID(w.Op85(1, 2, 3, 4, 5, 6, 7)), NoneAlways()},
        {86, {"1", "2", "3", "4", "5", "6", "7"}, {}, CALL_VOID(w.Op86(1, 2, 3, 4, 5, 6, 7)), NoneAlways()},
        {87, {"out(0)"}, {Num(5)}, CALL(w.Op87()), V()},
        {88, {"out(0)"}, {Num(5)}, CALL(w.Op88()), V()},
        {89, {"out(0)"}, {Num(5)}, CALL(w.Op89()), V()},
        {90, {"7"}, {}, CALL_VOID(w.Op90(7)), NoneAlways()},
        {91, {"out(0)"}, {Num(5)}, CALL(w.Op91()), V()},
        {92, {"out(0)"}, {Num(5)}, CALL(w.Op92()), V()},
        {92, {"out(0)"}, {Num(5)}, CALL(w.Op92Second()), V(), 0, {}, "second method"},
        {93, {"out"}, {Txt("new")}, CALL(w.Op93()), T()},
        {95, {"1", "2", "3", "4", "5", "out", "6"}, {Txt("new")},
         CALL_VOID(w.Op95(1, 2, 3, 4, 5, c.text[0], 6)), NoneAlways("t0=new"), 1},
        {96, {"1", "2", "3", "4", "5", Q("a"), "6"}, {}, CALL_VOID(w.Op96(1, 2, 3, 4, 5, "a", 6)), NoneAlways(), 1},
        {97, {Q("a"), "out"}, {Strs({"x", "y"})}, CALL_VOID(w.Op97("a", c.list[0])), NoneAlways("l0=[keep|x|y]")},
        {97, {Q("a"), "out"}, {}, CALL_VOID(w.Op97("a", c.list[0])), NoneAlways(), 0, {}, "list left empty"},
        {98, {Q("a"), "[keep]"}, {}, CALL_VOID(w.Op98("a", c.list[0])), NoneAlways()},
        {99, {"out"}, {Strs({"x"})}, CALL_VOID(w.Op99(c.list[0])), NoneAlways("l0=[keep|x]")},
        {100, {"[keep]"}, {}, CALL_VOID(w.Op100(c.list[0])), NoneAlways()},
        {162, {"1", "2", "3", "4", "5", "out", "6", "7"}, {Txt("new")},
         CALL_VOID(w.Op162(1, 2, 3, 4, 5, c.text[0], 6, 7)), NoneAlways("t0=new"), 2},
        {163, {"1", "2", "3", "4", "5", Q("a"), "6", "7"}, {}, CALL_VOID(w.Op163(1, 2, 3, 4, 5, "a", 6, 7)),
         NoneAlways(), 2},
        {164, {"out(0)"}, {Num(5)}, CALL(w.Op164()), V()},
        {164, {"out(0)"}, {}, CALL(w.Op164()), V("0"), 0, {}, "nothing written"},
    };
    return rows;
}

TEST(HostServiceF, EveryLowerOperationAsARow) {
    RunRows<Wrapper, Host>(Rows());
}

TEST(HostServiceF, ACompanionIsAskedForAtEachCallAndItsAbsenceCallsNothing) {
    Host host(false);
    host.provider.Offer(IID_IHPlaceholderSettings, host.f.Unknown());
    Wrapper wrapper(&host.provider);
    CString text = "old";
    wrapper.Op76(1, 2, 3, 4, 5, 6, 7, 8, text, text, text);
    wrapper.Op162(1, 2, 3, 4, 5, text, 6, 7);
    wrapper.Op194(1, 2, 3, 4, 5, text, 6, 7, 8, text);
    EXPECT_EQ(text, "old");
    EXPECT_TRUE(host.Calls().empty());
    wrapper.Op56(1);
    EXPECT_EQ(host.Calls().size(), 1u);
    EXPECT_EQ(host.provider.RequestCount(IID_IHServiceFCompanion1), 1u);

    host.provider.Offer(IID_IHServiceFCompanion1, host.companion1.Unknown());
    wrapper.Op96(1, 2, 3, 4, 5, "a", 6);
    wrapper.Op96(1, 2, 3, 4, 5, "a", 6);
    EXPECT_EQ(host.provider.RequestCount(IID_IHServiceFCompanion1), 3u);
    EXPECT_EQ(host.companion1.Calls().size(), 2u);
}

TEST(HostServiceF, ANullProviderAsksNothing) {
    Wrapper wrapper(nullptr);
    CString text = "old";
    EXPECT_EQ(wrapper.Op10("a", text, "dflt"), 1u);
    EXPECT_EQ(text, "old");
    wrapper.Op76(1, 2, 3, 4, 5, 6, 7, 8, text, text, text);
    EXPECT_EQ(wrapper.Op211(), 0u);
    EXPECT_EQ(wrapper.Op53(), "");
}

// Service F on the simulated host gives the maps the placeholder expander
// reads through the same operations.
TEST(HostServiceF, TheSimulatedHostsPlaceholderMapsAreTheExpandersOwn) {
    simhost::SimHost host;
    host.Services().ChangeWorkspace([](simhost::WorkspaceState& state) {
        state.workspaceName = "Demo";
        state.placeholders = {{"BOARD", "The board", "Vk3Demo"}, {"OUT", "Output", "C:\\Out"}};
        state.workspacePlaceholders = {{"BOARD", "This board", "Vk3Mini"}, {"TOOLS", "Tools", "C:\\Tools"}};
        state.hasWorkspacePlaceholders = true;
    });
    CHostServiceF wrapper(&host.Services());
    CCustomPlaceholderMap own;
    wrapper.GetCustomPlaceholders(own);
    CCustomPlaceholderMap workspace;
    EXPECT_EQ(wrapper.GetWorkspacePlaceholders("Demo", workspace), 0u);

    CPlaceholderExpander expander(&host.Services());
    CCustomPlaceholderMap expanderOwn;
    CCustomPlaceholderMap expanderWorkspace;
    expander.GetCustomPlaceholders(expanderOwn, expanderWorkspace);

    const auto same = [](const CCustomPlaceholderMap& a, const CCustomPlaceholderMap& b) {
        if (a.GetCount() != b.GetCount()) {
            return false;
        }
        for (POSITION position = a.GetStartPosition(); position != nullptr;) {
            CString key;
            CCustomPlaceholderInfo* record = nullptr;
            a.GetNextAssoc(position, key, record);
            CCustomPlaceholderInfo* other = nullptr;
            if (!b.Lookup(key, other) || *other != *record) {
                return false;
            }
        }
        return true;
    };
    EXPECT_EQ(own.GetCount(), 2);
    EXPECT_EQ(workspace.GetCount(), 2);
    EXPECT_TRUE(same(own, expanderOwn));
    EXPECT_TRUE(same(workspace, expanderWorkspace));
    CCustomPlaceholderInfo* board = nullptr;
    ASSERT_TRUE(workspace.Lookup("BOARD", board));
    EXPECT_EQ(board->m_value, "Vk3Mini");
    EXPECT_EQ(board->m_description, "This board");
    for (CCustomPlaceholderMap* map : {&own, &workspace, &expanderOwn, &expanderWorkspace}) {
        DeleteCustomPlaceholders(*map);
    }
}

}  // namespace
