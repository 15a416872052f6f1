// CHostServiceD: every operation of interface D and of its sub-interface as
// a row against the recording fakes; the sub-interface is asked for at each
// use.
#include "hostui/host_service_d.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

namespace {

using namespace wrapper_rows;
using Wrapper = CHostServiceD;

constexpr int kSub = 1;  // the fake of the sub-interface

// Interface D (fake 0) and its sub-interface (fake 1).
struct Host {
    explicit Host(bool offer) {
        if (offer) {
            provider.Offer(IID_IHServiceD, d.Unknown());
            provider.Offer(IID_IHServiceDSub, sub.Unknown());
        }
    }
    void Script(int fake, int slot, hostfake::Answer answer) {
        (fake == kSub ? static_cast<hostfake::Recorder&>(sub) : d).Script(slot, std::move(answer));
    }
    std::vector<Located> Calls() const {
        std::vector<Located> calls;
        for (const hostfake::Call& call : d.Calls()) {
            calls.push_back({0, call});
        }
        for (const hostfake::Call& call : sub.Calls()) {
            calls.push_back({kSub, call});
        }
        return calls;
    }

    hostfake::FakeServiceD d;
    hostfake::FakeServiceDSub sub;
    hostfake::FakeProvider provider;
};

// Rows whose answer combines the result with the host's value: what they
// answer under S_OK (S_FALSE and failures answer the row's failure value).
Expect Combined(const std::string& whenOk, const std::string& otherwise) {
    return {whenOk, otherwise, otherwise, otherwise};
}

const std::vector<Row<Wrapper>>& Rows() {
    static const std::vector<Row<Wrapper>> rows = {
        {17, {"out(0)", "&" + Q("a"), "4"}, {Num(0)}, CALL(w.Op17("a", 4)), Combined("0", "1")},
        {17, {"out(0)", "&" + Q("a"), "4"}, {Num(3)}, CALL(w.Op17("a", 4)), Combined("1", "1"), 0, {}, "value 3"},
        // Operation 17 passes the address of an empty text too.
        {17, {"out(0)", "&" + Q(""), "4"}, {Num(0)}, CALL(w.Op17("", 4)), Combined("0", "1"), 0, {}, "empty text"},
        {19, {"out(0)"}, {Num(9)}, CALL(w.Op19()), Combined("9", "1")},
        {20, {"out(0)"}, {Num(9)}, CALL(w.Op20()), Combined("9", "1")},
        {22, {"out(0)", "1"}, {Num(0)}, CALL(w.Op22()), Combined("0", "1")},
        {22, {"out(0)", "1"}, {Num(1)}, CALL(w.Op22()), Combined("1", "1"), 0, {}, "value 1"},
        {23, {}, {}, CALL(w.Op23()), F0()},
        {24, {}, {}, CALL(w.Op24()), F0()},
        {25, {"out(0)"}, {Num(1)}, CALL(w.Op25()), Combined("0", "1")},
        {25, {"out(0)"}, {Num(2)}, CALL(w.Op25()), Combined("1", "1"), 0, {}, "value 2"},
        {26, {}, {}, CALL(w.Op26()), S0()},
        // Any value but 0 on exactly S_OK; S_FALSE answers 0 whatever the value.
        {27, {"out(0)"}, {Num(5)}, CALL(w.Op27()), Combined("1", "0")},
        {27, {"out(0)"}, {Num(0)}, CALL(w.Op27()), Combined("0", "0"), 0, {}, "value 0"},
        // The list is appended whatever the host answers; the answer is 0.
        {29, {"out"}, {Strs({"x"})}, CALL(w.Op29(c.list[0])),
         {"0 l0=[keep|x]", "0 l0=[keep|x]", "0 l0=[keep|x]", "0"}},
        {29, {"out"}, {}, CALL(w.Op29(c.list[0])), {"0", "0", "0", "0"}, 0, {}, "host leaves the list empty"},
        {40, {}, {}, CALL(w.Op40()), H()},
        {41, {}, {}, CALL(w.Op41()), H()},
        {79, {"[keep]"}, {}, CALL_VOID(w.Op79(c.list[0])), NoneAlways()},
        {83, {}, {}, CALL(w.Op83()), H()},
        {84, {"1", "2"}, {}, CALL(w.Op84(1, 2)), H()},
        {85, {"1"}, {}, CALL(w.Op85(1)), H()},
        {86, {}, {}, CALL(w.Op86()), S0()},
        // An empty text goes as a null address; one blank as the address of
        // a BSTR holding one blank.
        {89, {"1", "2", "null"}, {}, CALL_VOID(w.Op89(1, 2, "")), NoneAlways()},
        {89, {"1", "2", "&" + Q(" ")}, {}, CALL_VOID(w.Op89(1, 2, " ")), NoneAlways(), 0, {}, "one blank"},
        {90, {"1", "2", "3", "null"}, {}, CALL_VOID(w.Op90(1, 2, 3, "")), NoneAlways()},
        {90, {"1", "2", "3", "&" + Q("x")}, {}, CALL_VOID(w.Op90(1, 2, 3, "x")), NoneAlways(), 0, {}, "a text"},
        {91, {Q("a"), Q("b"), "3", "4", Q("e"), "6"}, {}, CALL(w.Op91("a", "b", 3, 4, "e", 6)), F0()},
        {92, {}, {}, CALL(w.Op92()), H()},
        {93, {"[keep]"}, {}, CALL_VOID(w.Op93(c.list[0])), NoneAlways()},
        {94, {Q("a"), "4"}, {}, CALL(w.Op94("a", 4)), S0()},
        {95, {}, {}, CALL(w.Op95()), H()},
        {96, {Q("a"), "1", "2", "-1", "0"}, {}, CALL_VOID(w.Op96("a", 1, 2, 3, 0)), NoneAlways()},
        {38, {Q("a"), Q("b"), "3", Q("d"), "5"}, {}, CALL(w.SubOp38("a", "b", 3, "d", 5)), F0(), kSub},
        {39, {Q("a"), Q("b"), "3"}, {}, CALL(w.SubOp39("a", "b", 3)), F0(), kSub},
    };
    return rows;
}

TEST(HostServiceD, EveryOperationAsARow) {
    RunRows<Wrapper, Host>(Rows());
}

TEST(HostServiceD, TheSubInterfaceIsAskedForAtEachUse) {
    Host host(true);
    Wrapper wrapper(&host.provider);
    EXPECT_EQ(host.provider.RequestCount(IID_IHServiceD), 1u);
    EXPECT_EQ(host.provider.RequestCount(IID_IHServiceDSub), 0u);
    EXPECT_EQ(wrapper.SubOp39("a", "b", 3), 0u);
    EXPECT_EQ(wrapper.SubOp38("a", "b", 3, "d", 5), 0u);
    EXPECT_EQ(host.provider.RequestCount(IID_IHServiceDSub), 2u);
}

TEST(HostServiceD, WithoutTheSubInterfaceItsOperationsFailAndInterfaceDStillWorks) {
    Host host(false);
    host.provider.Offer(IID_IHServiceD, host.d.Unknown());
    Wrapper wrapper(&host.provider);
    EXPECT_EQ(wrapper.SubOp38("a", "b", 3, "d", 5), 1u);
    EXPECT_EQ(wrapper.SubOp39("a", "b", 3), 1u);
    EXPECT_EQ(wrapper.Op23(), 0u);
    EXPECT_EQ(host.Calls(), (std::vector<Located>{{0, {23, {}}}}));
}

TEST(HostServiceD, AProviderThatRefusesButWritesStillGivesTheInterface) {
    // The provider's answer is not looked at: what it wrote stays.
    Host host(true);
    host.provider.RefuseAll(true, true);
    Wrapper wrapper(&host.provider);
    EXPECT_EQ(wrapper.Op23(), 0u);
    EXPECT_EQ(wrapper.SubOp39("a", "b", 3), 0u);
    EXPECT_EQ(host.Calls().size(), 2u);
}

TEST(HostServiceD, ANullProviderGivesNothing) {
    Wrapper wrapper(nullptr);
    EXPECT_EQ(wrapper.Op17("a", 1), 1u);
    EXPECT_EQ(wrapper.Op27(), 0u);
    EXPECT_EQ(wrapper.SubOp38("a", "b", 3, "d", 5), 1u);
    EXPECT_EQ(wrapper.Op92(), E_NOINTERFACE);
}

}  // namespace
