// The break-condition text commands "BC1" to "BC8": what each condition text
// stores in the working channel table, clearing, and the exact bytes of the
// display.
#include "config/break_channels.h"
#include "link/monitor_data.h"
#include "monitor/monitor_engine.h"
#include "monitor/monitor_output.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace monitortest {
namespace {

constexpr std::size_t kDisplayLine = 5 + kBreakChannelTextSize + 2;

class BreakConditions : public ::testing::Test {
protected:
    void SetUp() override { ResetMonitorState(); }
    void TearDown() override { ResetMonitorState(); }
    // Runs the command and answers its output.
    std::string Command(const std::string& text) {
        engine_.ExecuteBreakConditionCommand(text);
        EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
        return std::string(reinterpret_cast<const char*>(g_monitorData.Payload().data()), g_monitorOutputUsed);
    }
    static std::string Line(int channel, const std::string& text) {
        std::string line = " BC" + std::to_string(channel) + " " + text;
        line.resize(5 + kBreakChannelTextSize, '\0');
        return line + "\r\n";
    }
    static const BreakChannelRecord& Channel(int n) { return g_breakChannels[static_cast<std::size_t>(n - 1)]; }
    static BreakChannelRecord Set(int n, DWORD address) {
        BreakChannelRecord& record = g_breakChannels[static_cast<std::size_t>(n - 1)];
        record.enable = 1;
        record.kind = kBreakKindAddress;
        record.address = address;
        std::strcpy(record.commandText, "PC=H'1");
        return record;
    }

    CMonitorEngine engine_;
};

struct Expected {
    const char* command;
    DWORD kind;
    DWORD address;
    DWORD cycle;
    DWORD dataKind;
    DWORD dataValue;
    DWORD dataMask;
    DWORD timing;
    DWORD direction;
    DWORD bus;
    DWORD passCount;
    const char* stored;
};

TEST_F(BreakConditions, EachConditionTextStoresItsFields) {
    const Expected cases[] = {
        {"BC1 A=H'1234 ;M2 D=H'5*", 1, 0x1234, 2, 0, 0x50, 0x0F, 1, 0, 0, 0, " A=H'1234 ;M2 D=H'5*"},
        {"BC2 PC=H'8000;P D=H'12 W DAT", 2, 0x8000, 0, 0, 0, 0, 0, 10, 0, 0, " PC=H'8000;P D=H'12 W DAT"},
        {"BC2 PC=H'8000", 2, 0x8000, 0, 0, 0, 0, 1, 10, 0, 0, " PC=H'8000"},
        {"BC1 XA=H'100", 3, 0x100, 0, 0, 0, 0, 1, 0, 0, 0, " XA=H'100"},
        {"BC1 YA=H'100", 4, 0x100, 0, 0, 0, 0, 1, 0, 0, 0, " YA=H'100"},
        {"BC4 A=H'abcd WD=H'00ff R DAT COUNT=1f", 1, 0xABCD, 0, 6, 0xFF, 0, 1, 10, 13, 0x1F,
         " A=H'ABCD WD=H'00FF R DAT COUNT=1F"},
        {"BC5 A=H'12345678;M1 LBD=H'**34 W DMA", 1, 0x12345678, 1, 8, 0x0034, 0xFF00, 1, 11, 12, 0,
         " A=H'12345678;M1 LBD=H'**34 W DMA"},
        {"BC6 A=H'123456789 HBD=H'7;M3", 1, 0x12345678, 3, 9, 7, 0, 1, 0, 0, 0, " A=H'123456789 HBD=H'7;M3"},
        {"BC7 D=H'12 W ", 0, 0, 0, 0, 0x12, 0, 1, 11, 0, 0, " D=H'12 W "},
        {"BC8 DAT", 0, 0, 0, 0, 0, 0, 1, 0, 13, 0, " DAT"},
        // Values past the text's end are empty.
        {"BC1 A=", 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, " A="},
        {"BC1 A=H", 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, " A=H"},
        {"BC2 PC=", 2, 0, 0, 0, 0, 0, 1, 10, 0, 0, " PC="},
        {"BC3 A=H'1 D=", 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, " A=H'1 D="},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.command);
        ResetMonitorState();
        const int n = c.command[2] - '0';
        const std::string shown = Command(c.command);
        const BreakChannelRecord& record = Channel(n);
        EXPECT_EQ(record.enable, 1u);
        EXPECT_EQ(record.kind, c.kind);
        EXPECT_EQ(record.address, c.address);
        EXPECT_EQ(record.maskCode, c.cycle);
        EXPECT_EQ(record.dataKind, c.dataKind);
        EXPECT_EQ(record.dataValue, c.dataValue);
        EXPECT_EQ(record.dataMask, c.dataMask);
        EXPECT_EQ(record.pcBefore, c.timing);
        EXPECT_EQ(record.direction, c.direction);
        EXPECT_EQ(record.bus, c.bus);
        EXPECT_EQ(record.passCount, c.passCount);
        EXPECT_STREQ(record.commandText, c.stored);
        EXPECT_EQ(shown, Line(n, c.stored)) << "the channel is displayed";
        for (int other = 1; other <= 8; ++other) {
            EXPECT_TRUE(other == n || Channel(other).enable == 0) << other;
        }
    }
}

TEST_F(BreakConditions, ATextWithNothingRecognisedChangesNothingAndShowsTheChannel) {
    const BreakChannelRecord before = Set(5, 0x4321);
    for (const char* text : {"BC5 COUNT=5", "BC5 ;M2", "BC5 nothing", "BC5", "BC5 a=h'12"}) {
        EXPECT_EQ(Command(text), Line(5, "PC=H'1")) << text;
        EXPECT_EQ(std::memcmp(&Channel(5), &before, sizeof(before)), 0) << text;
    }
}

TEST_F(BreakConditions, ADashClearsOneChannelOrAll) {
    Set(2, 0x200);
    Set(3, 0x300);
    Set(4, 0x400);
    EXPECT_EQ(Command("BC3-"), Line(3, ""));
    EXPECT_EQ(Channel(3).enable, 0u);
    EXPECT_EQ(Channel(2).address, 0x200u);
    EXPECT_EQ(Channel(4).address, 0x400u);
    std::string all;
    for (int n = 1; n <= 8; ++n) {
        all += Line(n, "");
    }
    EXPECT_EQ(Command("BC-"), all);
    EXPECT_EQ(all.size(), 8 * kDisplayLine);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(Channel(n).enable, 0u) << n;
    }
}

TEST_F(BreakConditions, WithoutAChannelDigitAllEightAreShownAndNoneChanges) {
    Set(1, 0x100);
    std::string all = Line(1, "PC=H'1");
    for (int n = 2; n <= 8; ++n) {
        all += Line(n, "");
    }
    for (const char* text : {"B", "BC", "BC0 A=H'5", "BC9 A=H'5", "BCx", ""}) {
        EXPECT_EQ(Command(text), all) << text;
        EXPECT_EQ(Channel(1).address, 0x100u) << text;
    }
}

TEST_F(BreakConditions, TheStoredTextIsCutToItsField) {
    const std::string text = "BC1 A=H'1 " + std::string(400, 'Z');
    Command(text);
    EXPECT_EQ(std::strlen(Channel(1).commandText), kBreakChannelTextSize - 1);
    EXPECT_EQ(g_monitorOutputUsed, kDisplayLine);
}

}  // namespace
}  // namespace monitortest
