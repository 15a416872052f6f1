// The event editors' rules over the simulated host's expression evaluator and
// address range: the range text of an event and the reading of the Event
// Setting dialog's entries into events A and B.
#include "events/event_editor_rules.h"
#include "tests/events/events_fixture.h"

#include <cstring>
#include <string>
#include <utility>

namespace {

using eventstest::EventsTest;

constexpr EventSettingFields kFields{1256, 1257, 1254, 1255, 1259};

CEventDescriptor Named(LONG id, DWORD address, const char* name) {
    CEventDescriptor event;
    event.id = id;
    event.address = address;
    std::strncpy(event.name.data(), name, event.name.size() - 1);
    return event;
}

class EditorRules : public EventsTest {
protected:
    EditorRules() { host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0, 0xFFFFF}); }
    IHExpressionEvaluator* Evaluator() { return HostExpressionEvaluator(&host_); }
    EditorAddressRange Range() { return ReadEditorAddressRange(&host_); }
};

TEST_F(EditorRules, TheRangeTextCoversTheMaskedAddressesInTheHostsWidth) {
    host_.Evaluator().DefineSymbol("_buffer", 0x2345);
    struct Case {
        const char* text;
        LONG bits;
        const char* shown;
    };
    const Case cases[] = {
        {"H'1235", 4, "(001230 <= (addr) <= 00123F)"},
        {"_buffer", 8, "(002300 <= (addr) <= 0023FF)"},
        {"H'1235", 20, "(000000 <= (addr) <= 007FFF)"},  // 15 bits at most
        {"H'1235", -3, "(001235 <= (addr) <= 001235)"},  // no bits below 0
        {"H'1235", 0, ""},
        {"", 4, ""},
        {"nowhere", 4, ""},
        {"H'100000", 4, ""},  // past the host's range
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatRangeText(c.text, c.bits, Evaluator(), Range()), c.shown) << c.text << " " << c.bits;
    }
    EXPECT_EQ(FormatRangeText("H'1235", 4, nullptr, Range()), "") << "no evaluator";
}

TEST_F(EditorRules, TheAddressWidthFollowsTheHostsHighAddress) {
    EXPECT_EQ(Range().Format(0x1230), "001230");
    host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0, 0xFFFFFFFF});
    EXPECT_EQ(Range().Format(0x1230), "00001230");
    host_.OfferService(IID_IHAddressRange, nullptr);
    const EditorAddressRange none = Range();
    EXPECT_EQ(none.Format(0x1230), "001230") << "six digits without the service";
    EXPECT_TRUE(none.Contains(0xFFFFFFFF));
}

// The entries of a case: A at addressA with bitsA, data and mask texts, A's
// access size; B always at H'2000.
struct EntryCase {
    const char* name;
    const char* addressA;
    LONG bitsA;
    const char* data;
    const char* mask;
    LONG sizeA;
    int refused;  // the field to correct, 0 when taken
    DWORD address;
    WORD dataValue;
    WORD dataMask;
};

TEST_F(EditorRules, OkReadsOrRefusesTheEntries) {
    const EntryCase cases[] = {
        {"masked address", "H'1235", 4, "", "", 1, 0, 0x1230, 0, 0},
        {"bits above 15", "H'1235", 20, "", "", 1, 0, 0x0000, 0, 0},
        {"byte data, every bit", "H'1235", 0, "C0", "", 1, 0, 0x1235, 0xC0, 0xFFFF},
        {"byte data too wide", "H'1235", 0, "1FF", "", 1, 1254, 0, 0, 0},
        {"word data", "H'1234", 0, "1FF", "", 2, 0, 0x1234, 0x1FF, 0xFFFF},
        {"word at an odd address", "H'1235", 0, "12", "", 2, 1259, 0, 0, 0},
        {"word too wide", "H'1234", 0, "10000", "", 2, 1254, 0, 0, 0},
        {"data not a number", "H'1234", 0, "xyz", "", 1, 1254, 0, 0, 0},
        {"mask not a number", "H'1234", 0, "12", "xyz", 1, 1255, 0, 0, 0},
        {"mask of some bits", "H'1234", 0, "12", "F0", 1, 0, 0x1234, 0x12, 0xF0},
        {"mask 0 clears the data", "H'1234", 0, "12", "0", 1, 0, 0x1234, 0, 0},
        {"address unknown", "nowhere", 0, "", "", 1, 1256, 0, 0, 0},
        {"address past the range", "H'100000", 0, "", "", 1, 1256, 0, 0, 0},
    };
    for (const EntryCase& c : cases) {
        CEventDescriptor a = Named(0, 0x500, "H'500");
        CEventDescriptor b = Named(1, 0x600, "H'600");
        const CEventDescriptor oldA = a;
        EventSettingEntries entries;
        entries.addressA = c.addressA;
        entries.addressB = "H'2000";
        entries.dataA = c.data;
        entries.maskA = c.mask;
        entries.maskBitsA = c.bitsA;
        entries.accessSizeA = c.sizeA;
        entries.accessTypeA = 2;
        entries.accessTypeB = 1;
        EXPECT_EQ(ReadEventSettingEntries(entries, Evaluator(), Range(), kFields, a, b), c.refused) << c.name;
        if (c.refused != 0) {
            EXPECT_EQ(a.address, oldA.address) << c.name << ": nothing taken";
            EXPECT_EQ(a.maskBits, oldA.maskBits) << c.name;
            EXPECT_EQ(b.address, 0x600u) << c.name;
            continue;
        }
        EXPECT_EQ(a.address, c.address) << c.name;
        EXPECT_EQ(a.data, c.dataValue) << c.name;
        EXPECT_EQ(a.dataMask, c.dataMask) << c.name;
        EXPECT_EQ(a.kind, 0) << c.name;
        EXPECT_EQ(a.accessType, 2) << c.name;
        EXPECT_STREQ(a.name.data(), c.addressA) << c.name;
        EXPECT_EQ(b.address, 0x2000u) << c.name;
        EXPECT_EQ(b.kind, 1) << c.name;
        EXPECT_EQ(b.accessType, 1) << c.name;
        EXPECT_STREQ(b.name.data(), "H'2000") << c.name;
    }
}

TEST_F(EditorRules, WithoutTheEvaluatorOkKeepsTheAddressesAndTheirNames) {
    CEventDescriptor a = Named(0, 0x500, "H'500");
    a.data = 0x12;
    a.dataMask = 0xFFFF;
    CEventDescriptor b = Named(1, 0x600, "H'600");
    EventSettingEntries entries;
    entries.addressA = "H'1234";
    entries.addressB = "H'2000";
    entries.dataA = "";
    entries.maskBitsA = 20;
    entries.maskBitsB = -2;
    entries.accessSizeA = 2;
    entries.accessTypeB = 0;
    EXPECT_EQ(ReadEventSettingEntries(entries, nullptr, Range(), kFields, a, b), 0);
    // The texts were not converted: the events keep the addresses they
    // watch, and the names that show them.
    EXPECT_EQ(a.address, 0x500u);
    EXPECT_STREQ(a.name.data(), "H'500");
    EXPECT_EQ(b.address, 0x600u);
    EXPECT_STREQ(b.name.data(), "H'600");
    EXPECT_EQ(a.data, 0x12);
    EXPECT_EQ(a.dataMask, 0xFFFF);
    EXPECT_EQ(a.kind, 1) << "the kind is not touched either";
    EXPECT_EQ(a.maskBits, 15);
    EXPECT_EQ(b.maskBits, 0);
    EXPECT_EQ(a.accessSize, 2);
    EXPECT_EQ(b.accessType, 0);
}

TEST_F(EditorRules, TheDataTextsShowOnlyWhatIsCompared) {
    struct Case {
        LONG size;
        WORD data;
        WORD mask;
        const char* dataText;
        const char* maskText;
    };
    const Case cases[] = {
        {1, 0xC0, 0xFFFF, "C0", ""},    {1, 0xC0, 0xF0, "C0", "F0"},   {1, 0xC0, 0xFF00, "", ""},
        {2, 0x1FF, 0xFFFF, "01FF", ""}, {2, 0x1FF, 0, "", ""},         {2, 0x1FF, 0x0F0F, "01FF", "0F0F"},
        {0, 0x12, 0x00FF, "0012", "00FF"},
    };
    for (const Case& c : cases) {
        CEventDescriptor a;
        a.accessSize = c.size;
        a.data = c.data;
        a.dataMask = c.mask;
        std::string data;
        std::string mask;
        FormatEventData(a, data, mask);
        EXPECT_EQ(data, c.dataText) << c.size << " " << c.mask;
        EXPECT_EQ(mask, c.maskText) << c.size << " " << c.mask;
    }
}

}  // namespace
