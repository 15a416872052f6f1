// The event handler's list counts by device, which never pass the eight
// channels; the lists' operations that do nothing; the list names.
#include "events/target_event_vk3.h"
#include "frame/error_codes.h"
#include "tests/events/events_fixture.h"

#include "platform/bstr.h"

namespace eventstest {
namespace {

TEST_F(EventsTest, TheChannelListCountsTheDevicesChannelsUpToEight) {
    struct Case {
        DWORD hwBreak, protocolType, channels;
        LONG expected;
    };
    const Case cases[] = {
        {1, 1, 2, 4}, {1, 3, 8, 4},  // the data-break devices: four
        {0, 0, 6, 2}, {0, 1, 8, 2}, {0, 5, 8, 2},  // protocols other than 2 to 4: two
        {0, 2, 3, 3}, {0, 3, 8, 8}, {0, 4, 0, 0}, {0, 4, 12, 8},  // the device's count, at most eight
    };
    CTargetEventVk3 handler(&host_);
    for (const Case& c : cases) {
        UseDevice(c.hwBreak, c.protocolType, c.channels);
        EXPECT_EQ(handler.GetConditionCount(1), c.expected) << c.hwBreak << " " << c.protocolType << " " << c.channels;
    }
    EXPECT_EQ(handler.GetConditionCount(2), -1);
    EXPECT_EQ(handler.GetConditionCount(0), 0) << "no break manager: no PC breaks";
}

TEST_F(EventsTest, TheListOperationsWithoutEffectAndTheListNames) {
    CTargetEventVk3 handler(&host_);
    EXPECT_EQ(handler.ListOperation7(1, 2), S_OK);
    EXPECT_EQ(handler.ListOperation8(0, 1), TE_INVALID_INDEX);
    EXPECT_EQ(handler.ListOperation8(1, 1), S_OK);
    WORD out = 7;
    EXPECT_EQ(handler.ListOperation10(1, 0, 0, &out), S_OK);
    EXPECT_EQ(out, 0u);
    out = 7;
    EXPECT_EQ(handler.ListOperation10(0, 0, 0, &out), TE_INVALID_INDEX);
    EXPECT_EQ(out, 7u);
    EXPECT_FALSE(handler.IsListRegistered(0));
    platform::Bstr header;
    EXPECT_EQ(handler.GetListKinds(header.Out()), S_OK);
    EXPECT_EQ(header.Ansi(), "Breakpoint\tBreakcondition");
    EXPECT_TRUE(handler.IsListRegistered(0));
    EXPECT_TRUE(handler.IsListRegistered(1));
    EXPECT_FALSE(handler.IsListRegistered(-1));
    CEventItemInfo previous{};
    CEventItemInfo* row = &previous;
    EXPECT_EQ(handler.GetItemText(0, 0, &row), S_OK);
    EXPECT_EQ(row, nullptr);
}

}  // namespace
}  // namespace eventstest
