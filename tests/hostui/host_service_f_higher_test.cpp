// CHostServiceF, the higher operations (25, 31, 129, 132 and 141 to 239):
// every operation as a row against the recording fakes.
#include "hostui/host_service_f.h"
#include "tests/hostui/service_f_host.h"

#include <gtest/gtest.h>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostServiceF;
using Host = ServiceFHost;

constexpr Alloc kNull = Alloc::NullTexts;
const std::vector<std::string> kEight = {"1", "2", "3", "4", "5", "6", "7", "8"};

std::vector<std::string> Join(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::vector<Row<Wrapper>>& Rows() {
    static const std::vector<Row<Wrapper>> rows = {
        {25, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op25("a", "b", "c")), F(), 0, {}, {}, kNull},
        {31, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op31("a", "b", c.text[0])), F("t0=new"), 0, {}, {}, kNull},
        {129, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e")}, {}, CALL(w.Op129("a", "b", "c", "d", "e")), S(), 0, {}, {},
         kNull},
        // A failure empties the caller's text.
        {132, {Q("a"), Q("b"), Q("c"), Q("d"), "out"}, {Txt("new")}, CALL(w.Op132("a", "b", "c", "d", c.text[0])),
         {"1 t0=new", "1 t0=new", "0 t0=", "0"}, 0, {}, {}, kNull},
        {141, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op141("a", "b", c.text[0])), S("t0=new")},
        {142, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op142("a", "b", "c")), S()},
        {143, {Q("a"), Q("b"), Q("c"), Q("d"), "out"}, {Txt("new")}, CALL(w.Op143("a", "b", "c", "d", c.text[0])),
         S("t0=new")},
        {144, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e")}, {}, CALL(w.Op144("a", "b", "c", "d", "e")), S()},
        {145, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), "out"}, {Txt("new")},
         CALL(w.Op145("a", "b", "c", "d", "e", c.text[0])), S("t0=new")},
        {146, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), Q("f")}, {}, CALL(w.Op146("a", "b", "c", "d", "e", "f")), S()},
        {147, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), "out"}, {Txt("new")},
         CALL(w.Op147("a", "b", "c", "d", "e", c.text[0])), S("t0=new")},
        {148, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), Q("f")}, {}, CALL(w.Op148("a", "b", "c", "d", "e", "f")), S()},
        {149, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), Q("f"), "out"}, {Txt("new")},
         CALL(w.Op149("a", "b", "c", "d", "e", "f", c.text[0])), S("t0=new")},
        {150, {Q("a"), Q("b"), Q("c"), Q("d"), Q("e"), Q("f"), Q("g")}, {},
         CALL(w.Op150("a", "b", "c", "d", "e", "f", "g")), S()},
        {151, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op151("a", "b", "c")), S()},
        {152, {Q("a"), Q("b"), Q("c")}, {}, CALL_VOID(w.Op152("a", "b", "c")), NoneAlways()},
        {153, {Q("a"), Q("b"), Q("c")}, {}, CALL_VOID(w.Op153("a", "b", "c")), NoneAlways()},
        // The list is taken whatever the host answers.
        {154, {Q("a"), Q("b"), "out"}, {Strs({"x", "y", "z"})}, CALL_VOID(w.Op154("a", "b", c.list[0])),
         NoneAlways("l0=[keep|x|y|z]")},
        {154, {Q("a"), Q("b"), "out"}, {}, CALL_VOID(w.Op154("a", "b", c.list[0])), NoneAlways(), 0, {},
         "list left empty"},
        {165, Join(kEight, {"out", "out", "out", "9"}), {Txt("1"), Txt("2"), Txt("3")},
         CALL_VOID(w.Op165(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9)), NoneAlways("t0=1 t1=2 t2=3"),
         2},
        {165, Join(kEight, {"out", "out", "out", "9"}), {},
         CALL_VOID(w.Op165(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9)), NoneAlways("t0= t1= t2="), 2,
         {}, "no texts"},
        {166, Join(kEight, {Q("a"), Q("b"), Q("c"), "9"}), {},
         CALL_VOID(w.Op166(1, 2, 3, 4, 5, 6, 7, 8, "a", "b", "c", 9)), NoneAlways(), 2},
        // The flag is written whatever the host answers: 1 only for the value 1.
        {168, {Q("a"), "out(0)"}, {Num(1)}, CALL_VOID(w.Op168("a", &c.flag[0])), NoneAlways("f0=1")},
        {168, {Q("a"), "out(0)"}, {Num(0xFFFFFFFF)}, CALL_VOID(w.Op168("a", &c.flag[0])), NoneAlways("f0=0"), 0, {},
         "value -1"},
        {168, {Q("a"), "out(0)"}, {}, CALL_VOID(w.Op168("a", &c.flag[0])), NoneAlways("f0=0"), 0, {},
         "nothing written"},
        {169, {Q("a"), "7"}, {}, CALL_VOID(w.Op169("a", 7)), NoneAlways()},
        {170, {Q("a"), "out(0)"}, {Num(1)}, CALL_VOID(w.Op170("a", &c.flag[0])), NoneAlways("f0=1")},
        {171, {Q("a"), "7"}, {}, CALL_VOID(w.Op171("a", 7)), NoneAlways()},
        {172, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op172("a", "b", c.text[0])), F0("t0=new"), 0, {}, {},
         kNull},
        {173, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op173("a", "b", c.text[0])), F0("t0=new"), 0, {}, {},
         kNull},
        // The third text is made the throwing way.
        {174, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op174("a", "b", "c")), F0()},
        {175, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op175("a", "b", "c")), F0()},
        {176, {Q("a"), "out"}, {TextTextNumberOut()}, CALL(w.Op176("a", c.textTextNumbers)), F0(kTextTextNumbersTaken),
         0, {}, {}, kNull},
        {177, {Q("a"), kTextTextNumbersSent}, {}, CALL(w.Op177("a", c.textTextNumbers)), F0(), 0, {}, {}, kNull},
        {178, {Q("a"), "out", "out"}, {Txt("1"), Txt("2")}, CALL(w.Op178("a", c.text[0], c.text[1])),
         F0("t0=1 t1=2"), 0, {}, {}, kNull},
        {179, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op179("a", "b", "c")), F0(), 0, {}, {}, kNull},
        {180, {Q("a"), Q("b")}, {}, CALL(w.Op180("a", "b")), F0(), 0, {}, {}, kNull},
        {181, {Q("a"), Q("b")}, {}, CALL(w.Op181("a", "b")), F0(), 0, {}, {}, kNull},
        {182, {Q("a"), "out"}, {PairOut()}, CALL(w.Op182("a", c.pairs)), F0(kPairsTaken), 0, {}, {}, kNull},
        {183, {Q("a"), kPairsSent}, {}, CALL(w.Op183("a", c.pairs)), F0(), 0, {}, {}, kNull},
        {184, {Q("a"), "out"}, {QuadOut()}, CALL(w.Op184("a", c.quads)), F0(kQuadsTaken), 0, {}, {}, kNull},
        {185, {Q("a"), kQuadsSent}, {}, CALL(w.Op185("a", c.quads)), F0(), 0, {}, {}, kNull},
        {186, {Q("a"), "out"}, {PlaceholderOut()}, CALL(w.GetWorkspacePlaceholders("a", c.placeholders)),
         F0(kPlaceholdersTaken), 0, {}, {}, kNull},
        {187, {Q("a"), kPlaceholdersSent}, {}, CALL(w.Op187("a", c.placeholders)), F0(), 0, {}, {}, kNull},
        {188, {Q("a"), "out(0)", "out"}, {Num(1), Txt("new")}, CALL(w.Op188("a", &c.flag[0], c.text[0])),
         F0("t0=new f0=1"), 0, {}, {}, kNull},
        {188, {Q("a"), "out(0)", "out"}, {Num(2), Txt("new")}, CALL(w.Op188("a", &c.flag[0], c.text[0])),
         F0("t0=new f0=0"), 0, {}, "value 2", kNull},
        {189, {Q("a"), "7", Q("b")}, {}, CALL(w.Op189("a", 7, "b")), F0()},
        // S_FALSE is success here: 0 and the four texts.
        {190, {Q("a"), Q("b"), "7", "out", "out", "out", "out"}, {Txt("1"), Txt("2"), Txt("3"), Txt("4")},
         CALL(w.Op190("a", "b", 7, c.text[0], c.text[1], c.text[2], c.text[3])), F("t0=1 t1=2 t2=3 t3=4"), 0, {}, {},
         kNull},
        {191, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op191("a", "b", c.text[0])), F("t0=new"), 0, {}, {},
         kNull},
        {192, {Q("a"), Q("b"), "7", Q("c"), Q("d"), Q("e"), Q("f")}, {}, CALL(w.Op192("a", "b", 7, "c", "d", "e", "f")),
         F(), 0, {}, {}, kNull},
        {193, {Q("a"), Q("b"), "7", Q("c"), Q("d"), Q("e"), Q("f")}, {}, CALL(w.Op193("a", "b", 7, "c", "d", "e", "f")),
         F(), 0, {}, {}, kNull},
        {194, {"1", "2", "3", "4", "5", "out", "6", "7", "8", "out"}, {Txt("1"), Txt("2")},
         CALL_VOID(w.Op194(1, 2, 3, 4, 5, c.text[0], 6, 7, 8, c.text[1])), NoneAlways("t0=1 t1=2"), 3},
        {194, {"1", "2", "3", "4", "5", "out", "6", "7", "8", "out"}, {},
         CALL_VOID(w.Op194(1, 2, 3, 4, 5, c.text[0], 6, 7, 8, c.text[1])), NoneAlways("t0= t1="), 3, {}, "no texts"},
        {195, {"1", "2", "3", "4", "5", Q("a"), "6", "7", "8", Q("b")}, {},
         CALL_VOID(w.Op195(1, 2, 3, 4, 5, "a", 6, 7, 8, "b")), NoneAlways(), 3},
        {198, {"out"}, {Txt("new")}, CALL_VOID(w.Op198(c.text[0])), NoneAlways("t0=new")},
        {198, {"out"}, {}, CALL_VOID(w.Op198(c.text[0])), NoneAlways("t0="), 0, {}, "no text"},
        {199, {Q("a")}, {}, CALL_VOID(w.Op199("a")), NoneAlways()},
        {201, {Q("a"), "7", Q("b"), "8"}, {}, CALL(w.Op201("a", 7, "b", 8)), F0()},
        // The host receives the number the caller's pointer holds.
        {202, {Q("a"), "77", "out", "out(0)"}, {Txt("new"), Num(9)},
         CALL(w.Op202("a", &c.number[0], c.text[0], &c.number[1])), S0("t0=new n1=9")},
        {203, {Q("a"), Q("b"), Q("c")}, {}, CALL(w.Op203("a", "b", "c")), F0()},
        {204, {Q("a"), Q("b"), "out"}, {Txt("new")}, CALL(w.Op204("a", "b", c.text[0])), S0("t0=new")},
        {205, {Q("a"), Q("b"), Q("c"), "1", "2"}, {}, CALL(w.Op205("a", "b", "c", 1, 2)), F0()},
        {206, {Q("a"), Q("b"), Q("c"), "1", "2"}, {}, CALL(w.Op206("a", "b", "c", 1, 2)), S0()},
        {207, Join(kEight, {"out", "out", "out", "9", "10"}), {Txt("1"), Txt("2"), Txt("3")},
         CALL_VOID(w.Op207(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9, 10)),
         NoneAlways("t0=1 t1=2 t2=3")},
        {207, Join(kEight, {"out", "out", "out", "9", "10"}), {},
         CALL_VOID(w.Op207(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9, 10)),
         NoneAlways("t0= t1= t2="), 0, {}, "no texts"},
        {208, Join(kEight, {Q("a"), Q("b"), Q("c"), "9", "10"}), {},
         CALL_VOID(w.Op208(1, 2, 3, 4, 5, 6, 7, 8, "a", "b", "c", 9, 10)), NoneAlways()},
        {209, {}, {}, CALL(w.Op209()), H()},
        // The value when the host's result is not negative, else 0.
        {210, {Q("a"), Q("b"), Q("c"), "out(0)"}, {Num(9)}, CALL(w.Op210("a", "b", "c")), {"9", "9", "0", "0"}},
        // The value whatever the host answers.
        {211, {"out(0)"}, {Num(9)}, CALL(w.Op211()), {"9", "9", "9", "0"}},
        {211, {"out(0)"}, {}, CALL(w.Op211()), {"0", "0", "0", "0"}, 0, {}, "nothing written"},
        {212, {"7"}, {}, CALL(w.Op212(7)), H()},
        {214, {Q("a")}, {}, CALL_VOID(w.Op214("a")), NoneAlways()},
        {215, {"7", "out", "out", "out", "out"}, {Txt("1"), Txt("2"), Txt("3"), Txt("4")},
         CALL_VOID(w.Op215(7, c.text[0], c.text[1], c.text[2], c.text[3])), NoneAlways("t0=1 t1=2 t2=3 t3=4")},
        {215, {"7", "out", "out", "out", "out"}, {},
         CALL_VOID(w.Op215(7, c.text[0], c.text[1], c.text[2], c.text[3])), NoneAlways("t0= t1= t2= t3="), 0, {},
         "no texts"},
        // The host's second out (0 before the call) is dropped.
        {216, {Q("a"), "out", "out(0)"}, {Txt("new"), Num(9)}, CALL_VOID(w.Op216("a", c.text[0])),
         NoneAlways("t0=new"), 0, {}, {}, kNull},
        {216, {Q("a"), "out", "out(0)"}, {}, CALL_VOID(w.Op216("a", c.text[0])), NoneAlways("t0="), 0, {}, "no text",
         kNull},
        {217, {Q("a"), Q("b"), "7"}, {}, CALL_VOID(w.Op217("a", "b", 7)), NoneAlways(), 0, {}, {}, kNull},
        {218, Join(kEight, {"out", "out", "out", "9", "10", "11", "12", "13", "14", "15", "16"}),
         {Txt("1"), Txt("2"), Txt("3")},
         CALL_VOID(w.Op218(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9, 10, 11, 12, 13, 14, 15, 16)),
         NoneAlways("t0=1 t1=2 t2=3")},
        {218, Join(kEight, {"out", "out", "out", "9", "10", "11", "12", "13", "14", "15", "16"}), {},
         CALL_VOID(w.Op218(1, 2, 3, 4, 5, 6, 7, 8, c.text[0], c.text[1], c.text[2], 9, 10, 11, 12, 13, 14, 15, 16)),
         NoneAlways("t0= t1= t2="), 0, {}, "no texts"},
        {219, Join(kEight, {Q("a"), Q("b"), Q("c"), "9", "10", "11", "12", "13", "14", "15", "16"}), {},
         CALL_VOID(w.Op219(1, 2, 3, 4, 5, 6, 7, 8, "a", "b", "c", 9, 10, 11, 12, 13, 14, 15, 16)), NoneAlways()},
        // The flags are 1 only for VARIANT_TRUE: a VARIANT_BOOL of 1 gives 0.
        {220, {Q("a"), "out(0)", "out", "out", "out(0)", "out"},
         {Flg(VARIANT_TRUE), Txt("1"), Txt("2"), Flg(1), Txt("3")},
         CALL(w.Op220("a", &c.flag[0], c.text[0], c.text[1], &c.flag[1], c.text[2])),
         S("t0=1 t1=2 t2=3 f0=1 f1=0")},
        // The flags 2 and 0 cross as -1 and 0.
        {221, {Q("a"), "-1", Q("b"), Q("c"), "0", Q("d")}, {}, CALL(w.Op221("a", 2, "b", "c", 0, "d")), S()},
        {222, {"out", "out"}, {Txt("1"), Txt("2")}, CALL_VOID(w.Op222(c.text[0], c.text[1])), NoneAlways("t0=1 t1=2")},
        {222, {"out", "out"}, {}, CALL_VOID(w.Op222(c.text[0], c.text[1])), NoneAlways("t0= t1="), 0, {}, "no texts"},
        {223, {Q("a"), Q("b")}, {}, CALL_VOID(w.Op223("a", "b")), NoneAlways(), 0, {}, {}, kNull},
        {224, {"out"}, {Strs({"x", "y", "z"})}, CALL_VOID(w.Op224(c.list[0])), NoneAlways("l0=[keep|x|y|z]")},
        // The list VARIANT itself goes to the host.
        {225, {"[keep]"}, {}, CALL_VOID(w.Op225(c.list[0])), NoneAlways()},
        {228, {Q("a")}, {}, CALL(w.Op228("a")), S0(), 0, {}, {}, kNull},
        {229, {Q("a")}, {}, CALL(w.Op229("a")), S0(), 0, {}, {}, kNull},
        {230, {Q("a")}, {}, CALL(w.Op230("a")), S0(), 0, {}, {}, kNull},
        // Any value but 0 is 1; a flag the host did not write is 0.
        {231, {"out(0)", "out(0)", "out(0)"}, {Flg(1), Flg(0)}, CALL_VOID(w.Op231(&c.flag[0], &c.flag[1], &c.flag[2])),
         NoneAlways("f0=1 f1=0 f2=0")},
        {232, {"-1", "0", "-1"}, {}, CALL(w.Op232(1, 0, 5)), H()},
        {233, {}, {}, CALL(w.Op233()), H()},
        {234, {"-1"}, {}, CALL(w.Op234(3)), H()},
        {235, {Q("a"), "7"}, {}, CALL_VOID(w.Op235("a", 7)), NoneAlways(), 0, {}, {}, kNull},
        {236, {Q("a")}, {}, CALL(w.Op236("a")), S0(), 0, {}, {}, kNull},
        {237, {Q("a"), "7"}, {}, CALL_VOID(w.Op237("a", 7)), NoneAlways(), 0, {}, {}, kNull},
        // The caller's flags are set to 0 before the call; after a success
        // each is 1 only for VARIANT_TRUE.
        {238, {Q("a"), "out(0)", "out(0)", "out(0)", "out(0)"}, {Flg(VARIANT_TRUE), Flg(1), Flg(0)},
         CALL_VOID(w.Op238("a", &c.flag[0], &c.flag[1], &c.flag[2], &c.flag[3])),
         {"- f0=1 f1=0 f2=0 f3=0", "- f0=1 f1=0 f2=0 f3=0", "- f0=0 f1=0 f2=0 f3=0", "-"}, 0, {}, {}, kNull},
        {239, {Q("a"), "-1", "0", "-1", "0"}, {}, CALL_VOID(w.Op239("a", 1, 0, 3, 0)), NoneAlways(), 0, {}, {}, kNull},
    };
    return rows;
}

TEST(HostServiceF, EveryHigherOperationAsARow) {
    RunRows<Wrapper, Host>(Rows());
}

}  // namespace
