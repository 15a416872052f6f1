// CHostServiceG, CHostServiceH, CHostServiceI and CHostServiceJ: every
// operation as a row against the recording fakes; I's item reads.
#include "hostui/host_service_g.h"
#include "hostui/host_service_h.h"
#include "hostui/host_service_i.h"
#include "hostui/host_service_j.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace wrapper_rows;
constexpr Alloc kNull = Alloc::NullTexts;

// G's two interfaces: the first is fake 1, the second fake 0.
struct HostG {
    explicit HostG(bool offer) {
        if (offer) {
            provider.Offer(IID_IHServiceGFirst, first.Unknown());
            provider.Offer(IID_IHServiceGSecond, second.Unknown());
        }
    }
    void Script(int fake, int slot, hostfake::Answer answer) {
        (fake == 1 ? static_cast<hostfake::Recorder&>(first) : second).Script(slot, std::move(answer));
    }
    std::vector<Located> Calls() const {
        std::vector<Located> calls;
        for (const hostfake::Call& call : second.Calls()) {
            calls.push_back({0, call});
        }
        for (const hostfake::Call& call : first.Calls()) {
            calls.push_back({1, call});
        }
        return calls;
    }

    hostfake::FakeServiceGFirst first;
    hostfake::FakeServiceGSecond second;
    hostfake::FakeProvider provider;
};

TEST(HostServiceG, EveryOperationAsARow) {
    using Wrapper = CHostServiceG;
    RunRows<Wrapper, HostG>({
        {13, {Q("a"), Q("b"), Q("c"), "1", "2"}, {}, CALL(w.SecondOp13("a", "b", "c", 1, 2)), S(), 0, {}, {}, kNull},
        {14, {}, {}, CALL_VOID(w.SecondOp14()), NoneAlways()},
        {15, {}, {}, CALL_VOID(w.SecondOp15()), NoneAlways()},
        {16, {}, {}, CALL_VOID(w.SecondOp16()), NoneAlways()},
        // Only -1 is yes, whatever the host's result; the value starts at 0.
        {9, {"out(0)"}, {Flg(VARIANT_TRUE)}, CALL(w.FirstOp9()), {"1", "1", "1", "0"}, 1},
        {9, {"out(0)"}, {Flg(1)}, CALL(w.FirstOp9()), {"0", "0", "0", "0"}, 1, {}, "value 1"},
        {9, {"out(0)"}, {}, CALL(w.FirstOp9()), {"0", "0", "0", "0"}, 1, {}, "nothing written"},
    });
}

TEST(HostServiceG, AsksForTheSecondInterfaceFirstAndKeepsEachOnItsOwn) {
    HostG host(false);
    host.provider.Offer(IID_IHServiceGSecond, host.second.Unknown());
    CHostServiceG wrapper(&host.provider);
    EXPECT_EQ(host.provider.Requests(), (std::vector<IID>{IID_IHServiceGSecond, IID_IHServiceGFirst}));
    EXPECT_EQ(wrapper.FirstOp9(), 0u);
    EXPECT_EQ(wrapper.SecondOp13("a", "b", "c", 1, 2), 1u);
    EXPECT_EQ(host.Calls().size(), 1u);
}

TEST(HostServiceH, EveryOperationAsARow) {
    using Wrapper = CHostServiceH;
    using Host = SingleHost<hostfake::FakeServiceH, IID_IHServiceH>;
    RunRows<Wrapper, Host>({
        // S_FALSE is a failure here.
        {3, {"7"}, {}, CALL(w.Op3(7)), F0()},
        {4, {"7"}, {}, CALL(w.Op4(7)), F0()},
        {5, {Q("a"), "1", "2", "3"}, {}, CALL(w.Op5("a", 1, 2, 3)), F0()},
        {6, {}, {}, CALL(w.Op6()), F0()},
        {7, {"7"}, {}, CALL(w.Op7(7)), F0()},
        {8, {"7"}, {}, CALL(w.Op8(7)), F0()},
        {9, {}, {}, CALL(w.Op9()), F0()},
        {10, {"7"}, {}, CALL(w.Op10(7)), F0()},
        {11, {"1", "2"}, {}, CALL(w.Op11(1, 2)), F0()},
        {12, {"7"}, {}, CALL(w.Op12(7)), F0()},
        {13, {Q("a")}, {}, CALL(w.Op13("a")), F0()},
        {14, {}, {}, CALL(w.Op14()), F0()},
    });
}

TEST(HostServiceH, IsDeletedThroughItsBase) {
    hostfake::FakeProvider provider;
    std::unique_ptr<CObject> wrapper = std::make_unique<CHostServiceH>(&provider);
    EXPECT_NE(wrapper, nullptr);
}

const DWORD kValues[5] = {1, 2, 3, 4, 5};

const CDWordArray& Words() {
    static CDWordArray words;
    if (words.IsEmpty()) {
        words.Add(1);
        words.Add(2);
    }
    return words;
}

// I's rows: the answers under S_OK, S_FALSE, a failure and without the
// interface ("not valid").
Expect Rule(const char* ok, const char* sFalse, const char* failure, const char* notValid) {
    return {ok, sFalse, failure, notValid};
}

TEST(HostServiceI, EveryOperationAsARow) {
    using Wrapper = CHostServiceI;
    using Host = SingleHost<hostfake::FakeServiceI, IID_IHServiceI>;
    RunRows<Wrapper, Host>({
        {8, {"out(0)"}, {Num(9)}, CALL(w.Op8(&c.number[0])), F0("n0=9")},
        {10, {"7"}, {}, CALL(w.Op10(7)), F0()},
        {11, {"7"}, {}, CALL(w.Op11(7)), F0()},
        // S_FALSE is success for 33, failure for 10.
        {33, {}, {}, CALL(w.Op33()), F()},
        {35, {}, {}, CALL(w.Op35()), S0()},
        {43, {Q("a"), Q("b"), "1", "2", "3", "4", "5"}, {},
         CALL(w.Op43("a", "b", &kValues[0], &kValues[1], &kValues[2], &kValues[3], &kValues[4])), S0(), 0, {}, {},
         kNull},
        {44, {}, {}, CALL(w.Op44()), S0()},
        {45, {}, {}, CALL(w.Op45()), S0()},
        {46, {}, {}, CALL_VOID(w.Op46()), NoneAlways()},
        {47, {}, {}, CALL_VOID(w.Op47()), NoneAlways()},
        // Without the interface operation 48 answers 0, as S_OK would.
        {48, {"[keep]"}, {}, CALL(w.Op48(c.list[0])), Rule("0", "1", "0x80070005", "0")},
        {49, {Q("a"), "7", Q("b"), "out"}, {Txt("new")}, CALL(w.Op49("a", 7, "b", c.text[0])), S("t0=new"), 0, {}, {},
         kNull},
        {50, {Q("a"), "u[1|2]", "out"}, {Strs({"x"})}, CALL(w.Op50("a", Words(), c.list[0])), S("l0=[keep|x]")},
    });
}

// I's item reads: operation 9 gives an item whose operations 3, 5 and 4
// give its first text, its second text and its number.
class ItemReads : public testing::Test {
protected:
    ItemReads() {
        provider.Offer(IID_IHServiceI, service.Unknown());
        AnswerAll(S_OK);
    }
    // Every read answering as given, with its value.
    void AnswerAll(HRESULT answer) {
        service.Script(9, {answer, {hostfake::Out::Pointer(static_cast<IHServiceIItem*>(&item))}});
        item.Script(3, {answer, {Txt("first")}});
        item.Script(5, {answer, {Txt("second")}});
        item.Script(4, {answer, {Num(42)}});
    }
    ~ItemReads() override { EXPECT_TRUE(leak_check::NothingLeaked()); }
    DWORD Read() {
        CHostServiceI wrapper(&provider);
        return wrapper.Op9(5, first, second, &number);
    }

    hostfake::FakeServiceI service;
    hostfake::FakeServiceIItem item;
    hostfake::FakeProvider provider;
    CString first = "old";
    CString second = "old";
    DWORD number = 77;
};

TEST_F(ItemReads, AllFourAnsweringExactlyOkGiveTheItem) {
    EXPECT_EQ(Read(), 0u);
    EXPECT_EQ(first, "first");
    EXPECT_EQ(second, "second");
    EXPECT_EQ(number, 42u);
    EXPECT_EQ(service.Calls(), (std::vector<hostfake::Call>{{9, {"5", "out"}}}));
    EXPECT_EQ(item.Calls(), (std::vector<hostfake::Call>{{3, {"out"}}, {5, {"out"}}, {4, {"out(0)"}}}));
}

TEST_F(ItemReads, AnyOtherAnswerStopsTheReadsAndChangesNothing) {
    struct Case {
        int slot;
        HRESULT answer;
        std::size_t itemCalls;
    };
    for (const Case& each : {Case{9, S_FALSE, 0}, Case{9, kFailure, 0}, Case{3, S_FALSE, 1}, Case{5, S_FALSE, 2},
                             Case{4, S_FALSE, 3}, Case{4, kFailure, 3}}) {
        SCOPED_TRACE("op " + std::to_string(each.slot) + " answering " + R(each.answer));
        AnswerAll(S_OK);
        if (each.slot == 9) {
            service.Script(9, {each.answer, {hostfake::Out::Pointer(static_cast<IHServiceIItem*>(&item))}});
        } else {
            item.Script(each.slot, {each.answer, {each.slot == 4 ? Num(42) : Txt("given")}});
        }
        item.ClearCalls();
        EXPECT_EQ(Read(), 1u);
        EXPECT_EQ(first, "old");
        EXPECT_EQ(second, "old");
        EXPECT_EQ(number, 77u);
        EXPECT_EQ(item.Calls().size(), each.itemCalls);
    }
}

TEST_F(ItemReads, ASuccessWithoutAnItemAndAMissingInterfaceAnswerOne) {
    service.Script(9, {S_OK, {}});
    EXPECT_EQ(Read(), 1u);
    EXPECT_TRUE(item.Calls().empty());
    hostfake::FakeProvider none;
    CHostServiceI wrapper(&none);
    EXPECT_FALSE(wrapper.IsValid());
    EXPECT_EQ(wrapper.Op9(5, first, second, &number), 1u);
    EXPECT_EQ(first, "old");
}

TEST(HostServiceJ, EveryOperationAsARow) {
    using Wrapper = CHostServiceJ;
    using Host = SingleHost<hostfake::FakeServiceJ, IID_IHServiceJ>;
    RunRows<Wrapper, Host>({
        {3, {}, {}, CALL(w.Op3()), S0()},
        {37, {"7"}, {}, CALL(w.Op37(7)), S0()},
    });
}

}  // namespace
