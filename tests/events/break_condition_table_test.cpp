// The channel table of the program-fetch channels: which channels count as
// set, the echo lines and events of each change, the address range, and the
// copy into the applied table.
#include "events/break_condition_table.h"
#include "tests/events/events_fixture.h"

#include <cstring>
#include <functional>

namespace eventstest {
namespace {

class ChannelTable : public EventsTest {
protected:
    CBreakConditionTable table_{&host_};
};

TEST_F(ChannelTable, SetChannelWritesAWholeProgramFetchRecordOverAnAccessCondition) {
    Working(1).kind = kBreakKindDataAccess;
    Working(1).dataKind = 8;
    std::strcpy(Working(1).commandText, "A=H'800 LBD=H'1 W ");
    ASSERT_EQ(table_.SetChannel(1, 0xC010), 1u);
    BreakChannelRecord expected{};
    expected.enable = 1;
    expected.kind = kBreakKindAddress;
    expected.address = 0xC010;
    expected.pcBefore = 1;
    expected.direction = 10;
    EXPECT_EQ(std::memcmp(&Working(1), &expected, sizeof(expected)), 0);
    EXPECT_EQ(Echoes(), (std::vector<std::string>{"breakcondition_set channel 2 address 0xc010 pcbefore"}));
    EXPECT_EQ(ChangeEvents(), 1u);
}

TEST_F(ChannelTable, OnlyProgramFetchChannelsCountAsSet) {
    for (const DWORD kind : {kBreakKindDataAccess, kBreakKindXAddress, kBreakKindYAddress}) {
        Working(0) = {};
        Working(0).enable = 1;
        Working(0).kind = kind;
        Working(0).address = 0x900;
        DWORD address = 0;
        bool enabled = false;
        int n = -1;
        EXPECT_FALSE(table_.GetChannel(0, &address, &enabled)) << kind;
        EXPECT_TRUE(table_.FindFreeChannel(&n));
        EXPECT_EQ(n, 0);
        EXPECT_EQ(table_.CountSetChannels(), 0);
        EXPECT_FALSE(table_.FindChannelByAddress(0x900, &enabled, &n));
        EXPECT_EQ(table_.EnableChannel(0, 1), 0u);
    }
}

TEST_F(ChannelTable, ClearingAFreeChannelAnswers1WithoutEchoOrEvent) {
    EXPECT_EQ(table_.ClearChannel(1), 1u);
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(ChangeEvents(), 0u);
    ASSERT_EQ(table_.SetChannel(1, 0x100), 1u);
    ClearEchoes();
    EXPECT_EQ(table_.ClearChannel(1), 1u);
    EXPECT_EQ(Working(1).kind, 0u);
    EXPECT_EQ(Echoes(), (std::vector<std::string>{"breakcondition_clear channel 2"}));
    EXPECT_EQ(ChangeEvents(), 2u);
}

TEST_F(ChannelTable, OnlyFlag1Enables) {
    ASSERT_EQ(table_.SetChannel(0, 0x100), 1u);
    ClearEchoes();
    EXPECT_EQ(table_.EnableChannel(0, 2), 1u);
    EXPECT_EQ(Working(0).enable, 0u);
    EXPECT_EQ(table_.EnableChannel(0, 1), 1u);
    EXPECT_EQ(Working(0).enable, 1u);
    EXPECT_EQ(Echoes(), (std::vector<std::string>{"breakcondition_enable disable channel 1",
                                                  "breakcondition_enable enable channel 1"}));
    DWORD address = 0;
    bool enabled = false;
    int n = -1;
    EXPECT_TRUE(table_.FindChannelByAddress(0x100, &enabled, &n));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(table_.GetChannel(0, &address, &enabled));
    EXPECT_EQ(address, 0x100u);
}

// Each change of a channel marks the target's session modified, so that the
// host asks to save it; an operation that changes nothing leaves it alone.
TEST_F(ChannelTable, EveryChangeMarksTheSessionModified) {
    struct Case {
        const char* what;
        std::function<DWORD(CBreakConditionTable&)> operation;
        bool changes;
    };
    const Case cases[] = {
        {"set", [](CBreakConditionTable& t) { return t.SetChannel(1, 0x200); }, true},
        {"disable", [](CBreakConditionTable& t) { return t.EnableChannel(0, 0); }, true},
        {"enable", [](CBreakConditionTable& t) { return t.EnableChannel(0, 1); }, true},
        {"clear", [](CBreakConditionTable& t) { return t.ClearChannel(0); }, true},
        {"clear a free channel", [](CBreakConditionTable& t) { return t.ClearChannel(1); }, false},
        {"enable a free channel", [](CBreakConditionTable& t) { return t.EnableChannel(1, 1); }, false},
        {"set out of range", [](CBreakConditionTable& t) { return t.SetChannel(2, 0x200); }, false},
        {"set outside the addresses", [](CBreakConditionTable& t) { return t.SetChannel(1, 0x10000); }, false},
    };
    host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0, 0xFFFF});
    CTargetVk3& target = *GetTarget();
    for (const Case& c : cases) {
        g_breakChannels = {};
        ASSERT_EQ(table_.SetChannel(0, 0x100), 1u);
        target.SetModified(0);
        c.operation(table_);
        EXPECT_EQ(target.IsModified(), c.changes ? 1u : 0u) << c.what;
    }
    target.SetModified(0);
}

TEST_F(ChannelTable, ChannelsOutOfRangeAreRefused) {
    for (const int n : {-1, 2, 8}) {
        EXPECT_EQ(table_.SetChannel(n, 0x100), 0u) << n;
        EXPECT_EQ(table_.ClearChannel(n), 0u) << n;
        EXPECT_EQ(table_.EnableChannel(n, 1), 0u) << n;
    }
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(Working(2).kind, 0u);
}

TEST_F(ChannelTable, WithNoChannelsEveryOperationFindsNone) {
    UseDevice(0, 1, 0);
    int n = -1;
    bool enabled = false;
    EXPECT_EQ(table_.GetChannelCount(), 0);
    EXPECT_EQ(table_.SetChannel(0, 0x100), 0u);
    EXPECT_FALSE(table_.FindFreeChannel(&n));
    EXPECT_EQ(table_.CountSetChannels(), 0);
    EXPECT_FALSE(table_.FindChannelByAddress(0x100, &enabled, &n));
    Working(0).enable = 1;
    Working(0).kind = kBreakKindAddress;
    host_.Execution().SetExecuting(true);
    EXPECT_EQ(table_.Apply(), S_OK);
    EXPECT_EQ(Applied(0).enable, 0u);
    host_.Execution().SetExecuting(false);
}

TEST_F(ChannelTable, ADeviceCountAboveEightServesTheTablesEight) {
    UseDevice(0, 2, 12);
    EXPECT_EQ(table_.GetChannelCount(), 8);
    EXPECT_EQ(table_.SetChannel(8, 0x100), 0u);
    EXPECT_EQ(table_.SetChannel(7, 0x100), 1u);
}

TEST_F(ChannelTable, TheAddressRangeIsTheHostsOrTheDevicesInclusive) {
    // The host's range service answers the target's range when a test sets none.
    host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0x400, 0x9FF});
    EXPECT_FALSE(table_.IsAddressInRange(0x3FF));
    EXPECT_TRUE(table_.IsAddressInRange(0x400));
    EXPECT_TRUE(table_.IsAddressInRange(0x9FF));
    EXPECT_FALSE(table_.IsAddressInRange(0xA00));
    EXPECT_EQ(table_.SetChannel(0, 0xA00), 0u);
    EXPECT_EQ(Working(0).kind, 0u);
    // Without the service: 0 to the device's top address.
    CBreakConditionTable alone(nullptr);
    EXPECT_TRUE(alone.IsAddressInRange(0xFFFF));
    EXPECT_FALSE(alone.IsAddressInRange(0x10000));
}

TEST_F(ChannelTable, ApplyCopiesWholeRecordsOnlyWhileRunningInTheOrdinaryMode) {
    ASSERT_EQ(table_.SetChannel(0, 0xC010), 1u);
    std::strcpy(Working(0).commandText, "PC=H'C010");
    std::strcpy(Working(1).commandText, "kept");
    // Stopped: the host's state service refuses, and nothing is copied.
    host_.Execution().SetExecuting(false);
    EXPECT_TRUE(FAILED(table_.Apply()));
    EXPECT_EQ(Applied(0).enable, 0u);
    host_.Execution().SetExecuting(true);
    EXPECT_EQ(table_.Apply(), S_OK);
    EXPECT_EQ(std::memcmp(&Applied(0), &Working(0), sizeof(BreakChannelRecord)), 0);
    EXPECT_STREQ(Applied(1).commandText, "kept") << "all 84 words of each channel";
    EXPECT_STREQ(Applied(2).commandText, "") << "channels beyond the device's count stay";
    host_.Execution().SetExecuting(false);
}

TEST_F(ChannelTable, ApplyInAnotherBreakModeCopiesNothing) {
    BreakMode(1, 0);
    host_.Execution().SetExecuting(true);
    ASSERT_EQ(table_.SetChannel(0, 0xC010), 1u);
    EXPECT_EQ(table_.Apply(), S_FALSE);
    EXPECT_EQ(Applied(0).enable, 0u);
    host_.Execution().SetExecuting(false);
}

}  // namespace
}  // namespace eventstest
