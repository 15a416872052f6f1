// CHostServiceB: every operation as a row against the recording fake.
#include "hostui/host_service_b.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostServiceB;
using Host = SingleHost<hostfake::FakeServiceB, IID_IHServiceB>;

const char* const kModule = "modules=[keep,1,keep,1,1,1,1;f.mot,16,S,1,2,3,4]";

// The list "keep|x" as the caller gives it to operation 26.
const CStringList& KeepAndX() {
    static CStringList list;
    if (list.IsEmpty()) {
        list.AddTail("keep");
        list.AddTail("x");
    }
    return list;
}

// What operation 9 answers: 1 for a flag the host left that is not 0,
// whatever its result.
Expect FlagOnly(const char* answer) {
    return {answer, answer, answer, "0"};
}

const std::vector<Row<Wrapper>>& Rows() {
    static const std::vector<Row<Wrapper>> rows = {
        // The records are appended whatever the host answers.
        {3, {Q("a"), Q("b"), Q("c"), "out"}, {Strs({"f.mot", "16", "S", "1", "2", "3", "4"})},
         CALL(w.Op3("a", "b", "c", c.modules)),
         {J("0", kModule), J("1", kModule), J("0x80070005", kModule), "0x80004002"}},
        {4, {Q("a"), Q("b"), Q("c"), "[keep|1|keep|1|1|1|1]"}, {}, CALL(w.Op4("a", "b", "c", c.modules)), H()},
        {5, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.Op5("a", "b", "c", c.text[0])), F("t0=new")},
        {6, {Q("a"), Q("b"), Q("c"), Q("d")}, {}, CALL(w.Op6("a", "b", "c", "d")), H()},
        {7, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.Op7("a", "b", "c", c.text[0])), F("t0=new")},
        {8, {Q("a"), Q("b"), Q("c"), Q("d")}, {}, CALL(w.Op8("a", "b", "c", "d")), H()},
        {9, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Flg(VARIANT_TRUE)}, CALL(w.Op9("a", "b", "c")), FlagOnly("1")},
        {9, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Flg(5)}, CALL(w.Op9("a", "b", "c")), FlagOnly("1"), 0, {}, "flag 5"},
        {9, {Q("a"), Q("b"), Q("c"), "out(0)"}, {}, CALL(w.Op9("a", "b", "c")), FlagOnly("0"), 0, {},
         "flag not written"},
        // Only the BOOL 1 is VARIANT_TRUE here.
        {10, {Q("a"), Q("b"), Q("c"), "0"}, {}, CALL(w.Op10("a", "b", "c", 2)), H()},
        {10, {Q("a"), Q("b"), Q("c"), "-1"}, {}, CALL(w.Op10("a", "b", "c", 1)), H(), 0, {}, "BOOL 1"},
        {11, {Q("a"), Q("b"), Q("c"), "out"}, {Strs({"cmd.txt", "3"})}, CALL_VOID(w.Op11("a", "b", "c", c.files)),
         NoneAlways("files=[keep:1;cmd.txt:3]")},
        {13, {Q("a"), Q("b"), Q("c"), "out"}, {Txt("new")}, CALL(w.Op13("a", "b", "c", c.text[0])), S("t0=new")},
        {14, {Q("a"), Q("b"), Q("c"), Q("d")}, {}, CALL_VOID(w.Op14("a", "b", "c", "d")), NoneAlways()},
        {19, {Q("a"), Q("b"), Q("c"), Q("d"), "out"}, {Txt("new")}, CALL(w.Op19("a", "b", "c", "d", c.text[0])),
         F("t0=new")},
        {20, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e")}, {}, CALL(w.Op20("a", "b", "c", "d", "e")), F()},
        {23, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Flg(VARIANT_TRUE)}, CALL(w.Op23("a", "b", "c", &c.flag[0])),
         S("f0=1")},
        {23, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Flg(VARIANT_FALSE)}, CALL(w.Op23("a", "b", "c", &c.flag[0])),
         S("f0=0"), 0, {}, "flag 0"},
        // Any BOOL but 0 is VARIANT_TRUE here.
        {24, {Q("a"), Q("b"), Q("c"), "-1"}, {}, CALL(w.Op24("a", "b", "c", 2)), S()},
        // Two names each ended by '|': the names and an empty last piece.
        {25, {Q("a"), Q("b"), "out"}, {Txt("x|y|")}, CALL(w.Op25("a", "b", c.list[0])), S("l0=[keep|x|y|]")},
        {25, {Q("a"), Q("b"), "out"}, {Txt("")}, CALL(w.Op25("a", "b", c.list[0])), S(), 0, {}, "empty text"},
        {26, {Q("a"), Q("b"), Q("keep|x")}, {}, CALL(w.Op26("a", "b", KeepAndX())), S()},
        {27, {Q("a"), Q("b"), "4"}, {}, CALL(w.Op27("a", "b", 4)), S()},
        {28, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op28("a", "b", "c")), S0()},
        {29, {Q("a"), "out"}, {Txt("new")}, CALL(w.Op29("a", c.text[0])), S("t0=new")},
        {30, {Q("a"), Q("b")}, {}, CALL(w.Op30("a", "b")), S()},
        {31, {Q("a"), "out(0)"}, {Flg(VARIANT_TRUE)}, CALL(w.Op31("a", &c.flag[0])), S("f0=1")},
        {32, {Q("a"), "-1"}, {}, CALL(w.Op32("a", 5)), S()},
        {32, {Q("a"), "0"}, {}, CALL(w.Op32("a", 0)), S(), 0, {}, "BOOL 0"},
        {33, {Q("a"), Q("b")}, {}, CALL(w.Op33("a", "b")), S0()},
        {38, {Q("a")}, {}, CALL(w.Op38("a")), S()},
        {39, {Q("a"), Q("b"), Q("c"), "4", "out(0)"}, {Num(9)}, CALL(w.Op39("a", "b", "c", 4, &c.number[0])),
         F0("n0=9")},
        {40, {Q("t1"), Q("t2"), Q("t3"), "4", Q("t5"), Q("t6"), "7", "8", "9", Q("t10"), "11", "12", "13", "14", "15",
              "16"},
         {}, CALL(w.Op40("t1", "t2", "t3", 4, "t5", "t6", 7, 8, 9, "t10", 11, 12, 13, 14, 15, 16)), F0()},
        {41, {Q("t1"), Q("t2"), Q("t3"), "4", Q("t5"), Q("t6"), "out", "out(0)", "out(0)", "out(0)", "out", "out(0)",
              "out(0)", "out(0)", "out(0)", "out(0)", "out(0)"},
         {Txt("t7"), Num(8), Num(9), Num(10), Txt("t11"), Num(12), Num(13), Num(14), Num(15), Num(16), Num(17)},
         CALL(w.Op41("t1", "t2", "t3", 4, "t5", "t6", c.text[0], &c.number[0], &c.number[1], &c.number[2], c.text[1],
                     &c.number[3], &c.number[4], &c.number[5], &c.number[6], &c.number[7], &c.number[8])),
         F0("t0=t7 t1=t11 n0=8 n1=9 n2=10 n3=12 n4=13 n5=14 n6=15 n7=16 n8=17")},
        {42, {Q("a"), Q("b"), Q("c"), "[keep]"}, {}, CALL(w.Op42("a", "b", "c", c.list[0])), F0()},
        {43, {Q("a"), Q("b"), Q("c"), "out"}, {Strs({"x", "y"})}, CALL(w.Op43("a", "b", "c", c.list[0])),
         F0("l0=[keep|x|y]")},
        {44, {Q("t1"), Q("t2"), Q("t3"), "4", Q("t5"), Q("t6"), "7", "8", "9", Q("t10"), "11", "12", "13", "14", "15",
              "16", "17", "[keep]", Q("t19")},
         {},
         CALL(w.Op44("t1", "t2", "t3", 4, "t5", "t6", 7, 8, 9, "t10", 11, 12, 13, 14, 15, 16, 17, c.list[0], "t19")),
         S0()},
        {45, {Q("t1"), "2", "3", "4", Q("t5"), "6", "7", "8", "9", "10", "11", "12", "[keep]"}, {},
         CALL(w.Op45("t1", 2, 3, 4, "t5", 6, 7, 8, 9, 10, 11, 12, c.list[0])), S0()},
        {46, {Q("t1"), Q("t2"), Q("t3"), "4", Q("t5"), Q("t6"), "out", "8", "9", "10", "out", "12", "13", "14", "15",
              "16", "17", "18", "out", "out"},
         {Txt("t7"), Txt("t11"), Strs({"x"}), Txt("t20")},
         CALL(w.Op46("t1", "t2", "t3", 4, "t5", "t6", c.text[0], 8, 9, 10, c.text[1], 12, 13, 14, 15, 16, 17, 18,
                     c.list[0], c.text[2])),
         S0("t0=t7 t1=t11 t2=t20 l0=[keep|x]")},
        {47, {Q("t1"), "2", "3", "4", "out", "6", "7", "8", "9", "10", "11", "12", "out"}, {Txt("t5"), Strs({"x"})},
         CALL(w.Op47("t1", 2, 3, 4, c.text[0], 6, 7, 8, 9, 10, 11, 12, c.list[0])), S0("t0=t5 l0=[keep|x]")},
        {48, {Q("a"), Q("b"), Q("c"), "4", Q("e")}, {}, CALL(w.Op48("a", "b", "c", 4, "e")), S0()},
        {49, {Q("a"), Q("b"), Q("c"), "4", Q("e")}, {}, CALL(w.Op49("a", "b", "c", 4, "e")), S0()},
        {50, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Flg(7)}, CALL(w.Op50("a", "b", "c", &c.flag[0])), S0("f0=1")},
        {51, {Q("a"), Q("b"), Q("c"), "-1"}, {}, CALL(w.Op51("a", "b", "c", 3)), S0()},
        // The word flags cross as the 32-bit values 1 and 0.
        {52, {Q("a"), Q("b"), Q("c"), "1"}, {}, CALL(w.Op52("a", "b", "c", 2)), S0()},
        {53, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Num(2)}, CALL(w.Op53("a", "b", "c", &c.flag[0])), S0("f0=1")},
        {53, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Num(0)}, CALL(w.Op53("a", "b", "c", &c.flag[0])), S0("f0=0"), 0,
         {}, "value 0"},
        {54, {Q("a"), Q("b"), Q("c"), "0"}, {}, CALL(w.Op54("a", "b", "c", 0)), S0()},
        {55, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Num(1)}, CALL(w.Op55("a", "b", "c", &c.flag[0])), S0("f0=1")},
    };
    return rows;
}

TEST(HostServiceB, EveryOperationAsARow) {
    RunRows<Wrapper, Host>(Rows());
}

}  // namespace
