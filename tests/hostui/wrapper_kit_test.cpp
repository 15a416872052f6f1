// The wrapper kit on its own: the ways of getting an interface, the
// conversions and the result rules, over a small probe interface declared
// and faked from its own table.
#include "hostui/wrapper_kit.h"
#include "tests/hostui/wrapper_rows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace wrapper_rows;
namespace kit = wrapper_kit;

inline constexpr IID kProbeId = hostid::MakeId(0x7F00, 0x01);

#define Q3V_TABLE_IKitProbe(SLOT, GAP)     \
    SLOT(3, TextAndText, Text, StringOut)  \
    GAP(4)                                 \
    SLOT(5, Strings, ListOut)              \
    SLOT(6, Value, NumberOut)              \
    SLOT(7, Time, NumberOut, NumberOut)    \
    SLOT(8, TakeList, List)                \
    SLOT(9, Flags, Flag, FlagOut)

HOST_TABLE_INTERFACE(IKitProbe, Q3V_TABLE_IKitProbe);
HOSTFAKE_CLASS(FakeKitProbe, IKitProbe, kProbeId, Q3V_TABLE_IKitProbe);

static_assert(IKitProbe::kSlots[1] == 4, "a gap keeps its slot");

// One edge case: the slot and what the host answers, the call through the
// kit (its answer and the caller's outs as text), and what must come of it.
struct KitCase {
    const char* name;
    int slot;
    hostfake::Answer answer;
    std::function<std::string(IKitProbe*, CallerState&)> call;
    std::string expected;
};

TEST(WrapperKit, EdgeCases) {
    const KitCase cases[] = {
        {"S_FALSE is success: F answers 0 and the text is taken", 3, {S_FALSE, {Txt("new")}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0])));
         },
         "0 t0=new"},
        {"S_FALSE is success: S answers 1", 3, {S_FALSE, {Txt("new")}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::S>(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0])));
         },
         "1 t0=new"},
        {"S_FALSE is no success for F0: 1, the text kept", 3, {S_FALSE, {Txt("new")}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F0>(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0])));
         },
         "1"},
        {"S_FALSE is no success for S0: 0", 3, {S_FALSE, {}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::S0>(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0])));
         },
         "0"},
        {"a failed text out keeps the caller's text (the host's BSTR is freed)", 3, {E_FAIL, {Txt("new")}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0])));
         },
         "1"},
        {"a text out taken always reads a text the host did not give as empty", 3, {E_FAIL, {}},
         [](IKitProbe* probe, CallerState& c) {
             kit::CallNone(probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(c.text[0], kit::Take::Always));
             return std::string("-");
         },
         "- t0="},
        {"a failed text out with a fallback takes the fallback", 3, {E_FAIL, {Txt("new")}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::TextAndText, kit::Text("a"),
                                        kit::OutText(c.text[0], kit::Take::OnPass, "fallback")));
         },
         "1 t0=fallback"},
        {"a list of 2 receiving 3 holds 5", 5, {S_OK, {Strs({"c", "d", "e"})}},
         [](IKitProbe* probe, CallerState& c) {
             c.list[0].AddTail("b");
             return R(kit::Call<kit::F>(probe, &IKitProbe::Strings, kit::StringsOut(c.list[0])));
         },
         "0 l0=[keep|b|c|d|e]"},
        {"a failed list out adds nothing", 5, {E_FAIL, {Strs({"c"})}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::Strings, kit::StringsOut(c.list[0])));
         },
         "1"},
        {"a list out of another kind adds nothing", 5, {S_OK, {hostfake::Out::List(hostfake::MakeByteList({1}))}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::Strings, kit::StringsOut(c.list[0])));
         },
         "0"},
        {"yes/no: the value 1 is yes", 6, {S_OK, {Num(1)}},
         [](IKitProbe* probe, CallerState&) { return R(kit::YesNo(probe, &IKitProbe::Value)); }, "1"},
        {"yes/no: the value 2 is no", 6, {S_OK, {Num(2)}},
         [](IKitProbe* probe, CallerState&) { return R(kit::YesNo(probe, &IKitProbe::Value)); }, "0"},
        {"yes/no: S_FALSE with 1 is yes", 6, {S_FALSE, {Num(1)}},
         [](IKitProbe* probe, CallerState&) { return R(kit::YesNo(probe, &IKitProbe::Value)); }, "1"},
        {"yes/no: a failure with 1 is no", 6, {E_FAIL, {Num(1)}},
         [](IKitProbe* probe, CallerState&) { return R(kit::YesNo(probe, &IKitProbe::Value)); }, "0"},
        {"V: the value whatever the result", 6, {E_FAIL, {Num(9)}},
         [](IKitProbe* probe, CallerState&) { return R(kit::Value(probe, &IKitProbe::Value)); }, "9"},
        {"V: a value the host did not write is 0", 6, {E_FAIL, {}},
         [](IKitProbe* probe, CallerState&) { return R(kit::Value(probe, &IKitProbe::Value)); }, "0"},
        {"a number out is taken on success", 6, {S_FALSE, {Num(9)}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::Value, kit::NumberOut(&c.number[0])));
         },
         "0 n0=9"},
        {"a failed number out with a fallback takes the fallback", 6, {E_FAIL, {Num(9)}},
         [](IKitProbe* probe, CallerState& c) {
             static const DWORD fallback = 7;
             return R(kit::Call<kit::F>(probe, &IKitProbe::Value,
                                        kit::NumberOut(&c.number[0], kit::Take::OnPass, &fallback)));
         },
         "1 n0=7"},
        {"the file time's first word out is its high half", 7, {S_OK, {Num(0x01D2ABCD), Num(0x00003344)}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::Time, kit::FileTimeOut(c.time)));
         },
         "0 time=1D2ABCD:3344"},
        {"a failed file time is left", 7, {E_FAIL, {Num(1), Num(2)}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::F>(probe, &IKitProbe::Time, kit::FileTimeOut(c.time)));
         },
         "1"},
        {"H: the host's result itself", 8, {S_FALSE, {}},
         [](IKitProbe* probe, CallerState& c) { return R(kit::CallH(probe, &IKitProbe::TakeList, kit::StringsIn(c.list[0]))); },
         "1"},
        {"flags: 1 only from VARIANT_TRUE for EqualsMinusOne", 9, {S_OK, {Flg(1)}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::S>(probe, &IKitProbe::Flags, kit::Flag(2),
                                        kit::FlagFromVariantBool(&c.flag[0], kit::Truth::EqualsMinusOne)));
         },
         "1 f0=0"},
        {"flags: 1 from any value for NotZero", 9, {S_OK, {Flg(1)}},
         [](IKitProbe* probe, CallerState& c) {
             return R(kit::Call<kit::S>(probe, &IKitProbe::Flags, kit::Flag(0),
                                        kit::FlagFromVariantBool(&c.flag[0], kit::Truth::NotZero)));
         },
         "1 f0=1"},
    };
    for (const KitCase& each : cases) {
        SCOPED_TRACE(each.name);
        FakeKitProbe probe;
        probe.Script(each.slot, each.answer);
        CallerState caller;
        const std::string answer = each.call(&probe, caller);
        EXPECT_EQ(J(answer, caller.Changes()), each.expected);
        ASSERT_EQ(probe.Calls().size(), 1u);
        EXPECT_EQ(probe.Calls()[0].slot, each.slot);
    }
    EXPECT_TRUE(leak_check::NothingLeaked());
}

TEST(WrapperKit, ArgumentsCrossInTheirHostForms) {
    FakeKitProbe probe;
    CallerState caller;
    caller.list[0].AddTail("");
    static_cast<void>(kit::Call<kit::F>(&probe, &IKitProbe::TextAndText, kit::Text(nullptr), kit::OutText(caller.text[0])));
    static_cast<void>(kit::Call<kit::F>(&probe, &IKitProbe::TextAndText, kit::Text(""), kit::OutText(caller.text[0])));
    static_cast<void>(kit::CallH(&probe, &IKitProbe::TakeList, kit::StringsIn(caller.list[0])));
    static_cast<void>(kit::CallH(&probe, &IKitProbe::Flags, kit::Flag(2), nullptr));
    static_cast<void>(kit::CallH(&probe, &IKitProbe::Flags, kit::FlagIfOne(2), nullptr));
    static_cast<void>(kit::CallH(&probe, &IKitProbe::Flags, kit::FlagIfOne(1), nullptr));
    EXPECT_EQ(probe.Calls(), (std::vector<hostfake::Call>{{3, {"null", "out"}},
                                                          {3, {"\"\"", "out"}},
                                                          {8, {"[keep|]"}},
                                                          {9, {"-1", "null"}},
                                                          {9, {"0", "null"}},
                                                          {9, {"-1", "null"}}}));
    EXPECT_EQ(kit::WordFlag(2), 1u);
    EXPECT_EQ(kit::WordFlag(0), 0u);
}

TEST(WrapperKit, WithoutTheInterfaceNothingIsCalledAndEachRuleFails) {
    IKitProbe* none = nullptr;
    CallerState caller;
    EXPECT_EQ(kit::Call<kit::F>(none, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0])), 1u);
    EXPECT_EQ(kit::Call<kit::F0>(none, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0])), 1u);
    EXPECT_EQ(kit::Call<kit::S>(none, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0])), 0u);
    EXPECT_EQ(kit::Call<kit::S0>(none, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0])), 0u);
    EXPECT_EQ(kit::CallH(none, &IKitProbe::TakeList, kit::StringsIn(caller.list[0])), E_NOINTERFACE);
    EXPECT_EQ(kit::YesNo(none, &IKitProbe::Value), 0u);
    EXPECT_EQ(kit::Value(none, &IKitProbe::Value), 0u);
    EXPECT_EQ(kit::TextAnswer(none, &IKitProbe::TextAndText, kit::Text("a")), "");
    static const DWORD fallback = 7;
    EXPECT_EQ(kit::Call<kit::F>(none, &IKitProbe::Value, kit::NumberOut(&caller.number[0], kit::Take::OnPass, &fallback)),
              1u);
    kit::CallNone(none, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0], kit::Take::Always));
    EXPECT_EQ(caller.Changes(), "");
}

TEST(WrapperKit, ABstrThatCannotBeMadeThrowsOrPassesNull) {
    FakeKitProbe probe;
    CallerState caller;
    {
        platform::BstrAllocationFault fault;
        HRESULT error = S_OK;
        try {
            static_cast<void>(kit::Call<kit::F>(&probe, &IKitProbe::TextAndText, kit::Text("a"), kit::OutText(caller.text[0])));
        } catch (const platform::ComError& raised) {
            error = raised.Error();
        }
        EXPECT_EQ(error, E_OUTOFMEMORY);
        EXPECT_TRUE(probe.Calls().empty());
        static_cast<void>(
            kit::Call<kit::F>(&probe, &IKitProbe::TextAndText, kit::TextOrNull("a"), kit::OutText(caller.text[0])));
    }
    EXPECT_EQ(probe.Calls(), (std::vector<hostfake::Call>{{3, {"null", "out"}}}));
    EXPECT_TRUE(leak_check::NothingLeaked());
}

// A provider that answers one request as scripted, for the ways of getting
// an interface.
class ScriptedProvider : public hostfake::FakeProvider {
public:
    ScriptedProvider(HRESULT answer, IUnknown* written) : answer_(answer), written_(written) {}
    HRESULT STDMETHODCALLTYPE QueryService(REFIID iid, void** service) override {
        static_cast<void>(FakeProvider::QueryService(iid, service));  // records the request
        if (written_ != nullptr) {
            *service = written_;
        }
        return answer_;
    }

private:
    HRESULT answer_;
    IUnknown* written_;
};

TEST(WrapperKit, WaysOfGettingAnInterface) {
    FakeKitProbe probe;
    struct Case {
        HRESULT answer;
        bool writes;
        bool fromProvider;  // way 1 keeps the pointer
        bool intoField;     // way 2 keeps what the host wrote
    };
    const Case cases[] = {
        {S_OK, true, true, true},
        {S_FALSE, true, true, true},
        {E_NOINTERFACE, true, false, true},  // a refusal that leaves a pointer behind
        {E_NOINTERFACE, false, false, false},
        {S_OK, false, false, false},  // success without a pointer
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(R(each.answer) + (each.writes ? " writing" : " not writing"));
        ScriptedProvider provider(each.answer, each.writes ? probe.Unknown() : nullptr);
        EXPECT_EQ(kit::FromProvider<IKitProbe>(&provider, kProbeId) != nullptr, each.fromProvider);
        IKitProbe* field = &probe;
        kit::IntoField(&provider, kProbeId, field);
        EXPECT_EQ(field != nullptr, each.intoField);
        EXPECT_EQ(kit::AskEachCall<IKitProbe>(&provider, kProbeId) != nullptr, each.intoField);
        EXPECT_EQ(provider.RequestCount(kProbeId), 3u);
    }
    IKitProbe* field = &probe;
    kit::IntoField<IKitProbe>(nullptr, kProbeId, field);
    EXPECT_EQ(field, nullptr);
    EXPECT_EQ(kit::FromProvider<IKitProbe>(nullptr, kProbeId), nullptr);
    EXPECT_EQ(kit::AskEachCall<IKitProbe>(nullptr, kProbeId), nullptr);
}

}  // namespace
