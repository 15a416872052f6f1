#include "frame/host_conversions.h"
#include "frame/host_event.h"
#include "frame/host_profile_accessor.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const CLSID kClass = hostid::MakeId(0x0F02, 0xAB);

class WorkspaceAccess : public ::testing::Test {
protected:
    testing_support::TempFolder folder;
    simhost::CallLog log;
    simhost::WorkspaceStorage storage{log, folder.Windows("workspace.ini")};
    std::string prefix = ClsidToText(&kClass);
};

TEST_F(WorkspaceAccess, KeysAreThePrefixFollowedByTheName) {
    CHostProfileAccessor accessor(&storage, "a", "b", "c", kClass);
    EXPECT_EQ(accessor.MakeKey("T_SESSION_IS_SAVED"), CString((prefix + "T_SESSION_IS_SAVED").c_str()));
    EXPECT_EQ(accessor.WriteString("NAME", "value"), S_OK);
    EXPECT_EQ(storage.Stored("workspace|a|b|c", prefix + "NAME"), "value");
    EXPECT_EQ(accessor.WriteString2("NAME", "second"), S_OK);
    EXPECT_EQ(storage.Stored("workspace2|a|b|c", prefix + "NAME"), "second");
}

TEST_F(WorkspaceAccess, IntegersAreWrittenAsTextAndScannedBack) {
    CHostProfileAccessor accessor(&storage, "a", "b", "c", kClass);
    EXPECT_EQ(accessor.WriteInt("MINUS", -5), S_OK);
    EXPECT_EQ(storage.Stored("workspace|a|b|c", prefix + "MINUS"), "-5");
    accessor.WriteString("DIGITS", "12abc");
    accessor.WriteString("LETTERS", "abc");
    struct Case {
        const char* name;
        LONG expected;
    };
    for (const Case& c : {Case{"MINUS", -5}, Case{"DIGITS", 12}, Case{"LETTERS", 77}, Case{"MISSING", 77}}) {
        LONG value = 0;
        EXPECT_EQ(accessor.ReadInt(c.name, 77, value), S_OK);
        EXPECT_EQ(value, c.expected) << c.name;
    }
}

TEST_F(WorkspaceAccess, AReadTheHostDoesNotAnswerWithSOkGivesTheDefault) {
    CHostProfileAccessor accessor(&storage, "a", "b", "c", kClass);
    CString value = "untouched";
    EXPECT_EQ(accessor.ReadString("MISSING", "default", value), S_OK);  // the storage answers S_FALSE
    EXPECT_EQ(value, "default");
    accessor.WriteString("EMPTY", "");
    EXPECT_EQ(accessor.ReadString("EMPTY", "default", value), S_OK);
    EXPECT_EQ(value, "");
    CHostProfileAccessor detached(nullptr, "a", "b", "c", kClass);
    EXPECT_EQ(detached.WriteString("X", "1"), E_FAIL);
    EXPECT_EQ(detached.ReadString("X", "default", value), S_OK);
    EXPECT_EQ(value, "default");
}

TEST_F(WorkspaceAccess, TheSessionAccessorUsesTheFirstSecondAndFourthTexts) {
    CHostProfileAccessorEx accessor(&storage, "one", "two", "three", "four", kClass);
    accessor.WriteString("K", "v1");
    accessor.WriteString2("K", "v2");
    EXPECT_EQ(storage.Stored("session|one|two|four", prefix + "K"), "v1");
    EXPECT_EQ(storage.Stored("session2|one|two|four", prefix + "K"), "v2");
    CString value;
    accessor.ReadString2("K", "", value);
    EXPECT_EQ(value, "v2");
}

TEST(ClassIdTexts, RoundTripAndFailure) {
    const char* text = ClsidToText(&kClass);
    EXPECT_STREQ(text, "{5A3C0F02-7E21-4B9A-9C10-0000000000AB}");
    CLSID parsed{};
    EXPECT_TRUE(TextToClsid(text, &parsed));
    EXPECT_EQ(parsed, kClass);
    EXPECT_TRUE(TextToClsid("{5a3c0f02-7e21-4b9a-9c10-0000000000ab}", &parsed));
    EXPECT_FALSE(TextToClsid("{5A3C0F02-7E21}", &parsed));
    EXPECT_FALSE(TextToClsid(nullptr, &parsed));
    // A failure leaves exactly "0", not the first byte of an older text.
    const char* failed = ClsidToText(nullptr);
    EXPECT_STREQ(failed, "0");
    EXPECT_EQ(std::memcmp(failed, "0\0\0\0", 4), 0);
}

std::vector<std::string> TextsOf(VARIANT& value) {
    std::vector<std::string> texts;
    LONG upper = -1;
    SafeArrayGetUBound(value.parray, 1, &upper);
    for (LONG i = 0; i <= upper; ++i) {
        VARIANT element;
        VariantInit(&element);
        SafeArrayGetElement(value.parray, &i, &element);
        EXPECT_EQ(element.vt, VT_BSTR);
        texts.push_back(platform::BstrToAnsi(element.bstrVal));
        VariantClear(&element);
    }
    return texts;
}

TEST(ListConversions, TextsAndNumbersBecomeVariantArrays) {
    CStringList list;
    list.AddTail("first");
    list.AddTail("second");
    VARIANT value;
    VariantInit(&value);
    StringListToVariantArray(&value, list);
    EXPECT_EQ(value.vt, 0x2008);
    EXPECT_EQ(TextsOf(value), (std::vector<std::string>{"first", "second"}));
    VariantClear(&value);

    CStringArray empty;
    StringArrayToVariantArray(&value, empty);
    EXPECT_TRUE(TextsOf(value).empty());
    VariantClear(&value);

    const DWORD ids[] = {32772, 32773};
    UintsToVariantArray(&value, 2, ids);
    EXPECT_EQ(value.vt, 0x2017);
    LONG index = 1;
    VARIANT element;
    VariantInit(&element);
    SafeArrayGetElement(value.parray, &index, &element);
    EXPECT_EQ(element.vt, VT_UINT);
    EXPECT_EQ(element.uintVal, 32773u);
    VariantClear(&value);

    CList<UINT, UINT> numbers;
    numbers.AddTail(7);
    ListToVariantArray(&value, numbers);
    LONG upper = -1;
    SafeArrayGetUBound(value.parray, 1, &upper);
    EXPECT_EQ(upper, 0);
    VariantClear(&value);
    UintsToVariantArray(&value, 0, nullptr);
    SafeArrayGetUBound(value.parray, 1, &upper);
    EXPECT_EQ(upper, -1);
    VariantClear(&value);
}

TEST(HostEvents, TheNoticeCarriesTheIdWithTheArgumentBehindIt) {
    const CHostEventArg argument(kClass);
    const CHostEvent event(EVENT_GoStarted, &argument);
    const HostEventNotice* notice = event.GetNotice();
    EXPECT_EQ(notice->id, EVENT_GoStarted);
    EXPECT_EQ(*static_cast<const GUID*>(notice->argument), kClass);
    EXPECT_EQ(CHostEvent(EVENT_RunState).GetNotice()->argument, nullptr);
}

class Receiver : public CEventReceiverSink {
public:
    HRESULT STDMETHODCALLTYPE OnEvent(const GUID*) override { return S_OK; }
};

TEST(HostEvents, AReceiverAnswersItsOwnInterfaces) {
    Receiver receiver;
    void* object = nullptr;
    EXPECT_EQ(receiver.QueryInterface(IID_IHEventReceiver, &object), S_OK);
    EXPECT_EQ(object, static_cast<IHEventReceiver*>(&receiver));
    EXPECT_EQ(receiver.QueryInterface(IID_IHTarget, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST(HostLookup, TheCollectorKeepsTheSecondListForTheCaller) {
    CHostNameValueCollector collector("main", 3);
    platform::Bstr name;
    EXPECT_EQ(collector.GetQueryName(name.Out()), S_OK);
    EXPECT_EQ(name.Ansi(), "main");
    DWORD id = 0;
    EXPECT_EQ(collector.GetQueryId(&id), S_OK);
    EXPECT_EQ(id, 3u);
    platform::Bstr a("first");
    platform::Bstr b("second");
    EXPECT_EQ(collector.AddResult(a.Get(), 1), S_OK);
    EXPECT_EQ(collector.AddResult2(b.Get(), 0x200), S_OK);
    ASSERT_EQ(collector.GetCount(), 1);
    EXPECT_EQ(collector.GetName(0), "second");
    EXPECT_EQ(collector.GetValue(0), 0x200u);
    EXPECT_EQ(collector.GetName(1), "");
}

}  // namespace
