// The monitor data buffer's text output, the status words' messages with
// every message text, and the engine's text helpers.
#include "link/monitor_data.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_object.h"
#include "monitor/monitor_output.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace monitortest {
namespace {

class MonitorOutput : public ::testing::Test {
protected:
    void SetUp() override { ResetMonitorState(); }
    void TearDown() override { ResetMonitorState(); }
    static std::string Payload(std::size_t count) {
        return std::string(reinterpret_cast<const char*>(g_monitorData.Payload().data()), count);
    }
};

TEST_F(MonitorOutput, AppendsCountTheBytesAndMarkTheBufferAsText) {
    BeginMonitorCommand();
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyRunning);
    AppendMonitorOutput("hello", 5);
    AppendMonitorOutput("!\0", 2);
    EXPECT_EQ(g_monitorOutputUsed, 7u);
    EXPECT_EQ(g_monitorData.Word(0), 2u);
    EXPECT_EQ(g_monitorData.Word(1), 7u) << "the length at offset 4, big-endian";
    EXPECT_EQ(Payload(7), std::string("hello!\0", 7));
    EndMonitorCommand();
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
}

TEST_F(MonitorOutput, AppendsStopAtThePayloadsEnd) {
    const std::string block(0x8000, 'x');
    AppendMonitorOutput(block.data(), static_cast<WORD>(block.size()));
    AppendMonitorOutput(block.data(), static_cast<WORD>(block.size()));
    EXPECT_EQ(g_monitorOutputUsed, kMonitorPayloadCapacity);
    AppendMonitorOutput("more", 4);
    EXPECT_EQ(g_monitorOutputUsed, kMonitorPayloadCapacity);
    EXPECT_EQ(g_monitorData.Word(1), kMonitorPayloadCapacity);
}

TEST_F(MonitorOutput, StatusWordsMapToTheirMessages) {
    struct Case {
        WORD status;
        DWORD flag;
        WORD code;
    };
    const Case cases[] = {
        {0x5045, 1, 0x1200}, {0x4254, 0, 0x1D00}, {0x4254, 1, 0xFFFF}, {0x4D4F, 0, 0xFFFF},
        {0x4149, 1, 0x2A00}, {0x5346, 1, 0x0500}, {0x4E55, 1, 0x0600}, {0x5445, 1, 0x3300},
        {0x1234, 0, 0xFFFF}, {0, 1, 0xFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapMonitorStatus(c.status, c.flag), c.code) << std::hex << c.status << " flag " << c.flag;
    }
}

TEST_F(MonitorOutput, EveryMessageCodeGivesItsText) {
    const std::vector<std::string> first = {
        "Internal error(nn)", "HOST I/O error(nn)", "Parallel I/O error(nn)", "EXT I/O error(nn)",
        "Communication timeout error", "Connector disconnected", "FD unformatted", "File not found",
        "Invalid file name", "Invalid file", "Not same size", "Not same format", "File too large max",
        "Overlay command not found", "Syntax error", "Invalid command", "Invalid data", "Invalid address",
        "Data overflow", "Symbol not found", "Invalid symbol", "Invalid condition", "Double definition",
        "Symbol in use", "Invalid asm mnemonic", "Invalid asm operand", "Too many symbols", "Too many points",
        "Set point not ram", "Illegal instruction address", "Verify error", "Not found", "Invalid sp address",
        "Internal I/O area", "Label table overflow", "Monitor rom area", "JTAG control area",
        "Monitor command area", "Set point not break", "Set condition not bc1", "Trace condition in use",
        "Can not use this mode", "Associative write fault", "Invalid alignment", "Buffer empty",
        "Can not set A=", "Break point is deleted A=", "No trace information",
        "Command unusable in breakcondition release mode", "Duplicate hi break point", "Tlb error EXPEVT=",
        "Can not set fill trace(interrupt on)", "Can not set (full trace on)", "Emulator area"};
    const std::vector<std::string> second = {
        "Odd address", "Invalid operand size", "Invalid absolute address", "Internal I/O area", "Dummy error",
        "Invalid file data", "Monitor command area", "Emulator area", "Dummy error", "Dummy error", "Dummy error"};
    g_monitorAddressText = {'0', '0', '0', '0', '0', '0', '0', '0'};
    auto expect = [](WORD code, int number, const std::string& text) {
        char expected[80];
        std::snprintf(expected, sizeof(expected), " *** %02d:%s", number, text.c_str());
        BeginMonitorCommand();
        FormatMonitorError(code);
        std::string shown = Payload(60);
        shown.resize(std::strlen(shown.c_str()));
        const std::string address = code == 0x2E00 || code == 0x2F00 ? "00000000" : "";
        EXPECT_EQ(shown, expected + address) << std::hex << code;
        EXPECT_EQ(g_monitorOutputUsed, 60u) << "the whole 60-byte field";
        EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    };
    for (std::size_t i = 0; i < first.size(); ++i) {
        expect(static_cast<WORD>((i + 1) << 8), static_cast<int>(i + 1), first[i]);
    }
    for (std::size_t i = 0; i < second.size(); ++i) {
        expect(static_cast<WORD>(0x5000 + (i << 8)), static_cast<int>(80 + i), second[i]);
    }
    // The low byte does not choose another message.
    expect(0x1234, 18, "Invalid address");
}

TEST_F(MonitorOutput, CodesOutsideTheTablesAppendNothing) {
    for (const WORD code : {WORD{0x0000}, WORD{0x00FF}, WORD{0x3601}, WORD{0x3700}, WORD{0x4FFF}, WORD{0x5A01},
                            WORD{0x5B00}, WORD{0xFFFF}, WORD{0x8000}}) {
        BeginMonitorCommand();
        FormatMonitorError(code);
        EXPECT_EQ(g_monitorOutputUsed, 0u) << std::hex << code;
        EXPECT_EQ(g_monitorReplyState, kMonitorReplyRunning) << "the reply state is left alone";
    }
}

TEST_F(MonitorOutput, MessagesFortySixAndFortySevenNameTheAddress) {
    SetMonitorAddressText(0x00ABCDEF);
    BeginMonitorCommand();
    FormatMonitorError(0x2E00);
    FormatMonitorError(0x2F00);
    EXPECT_EQ(Payload(60).c_str(), std::string(" *** 46:Can not set A=00ABCDEF"));
    EXPECT_EQ(std::string(Payload(120).c_str() + 60), " *** 47:Break point is deleted A=00ABCDEF");
    EXPECT_EQ(Payload(60).substr(30), std::string(30, '\0')) << "zeros after the text";
}

TEST_F(MonitorOutput, TextHelpers) {
    char text[9] = {};
    CMonitorObject::FormatHex(0x12AB, text, 4);
    EXPECT_STREQ(text, "12AB");
    CMonitorObject::FormatHex(0xFEDCBA98, text, 8);
    EXPECT_STREQ(text, "FEDCBA98");
    CMonitorObject::FormatHex(0x5, text, 2);
    EXPECT_EQ(std::string(text, 2), "05");

    char chars[5] = {};
    CMonitorObject::FormatAscii(0x4142, chars, 2);
    EXPECT_STREQ(chars, "AB") << "eight bits a character";
    CMonitorObject::FormatAscii(0x41001F7F, chars, 4);
    EXPECT_STREQ(chars, "A...") << "control characters and 0x7F up print as dots";
    char one[2] = {};
    CMonitorObject::FormatAscii(0x7E, one, 1);
    EXPECT_STREQ(one, "~");

    EXPECT_EQ(CMonitorObject::HexDigitValue('0'), 0);
    EXPECT_EQ(CMonitorObject::HexDigitValue('9'), 9);
    EXPECT_EQ(CMonitorObject::HexDigitValue('A'), 10);
    EXPECT_EQ(CMonitorObject::HexDigitValue('F'), 15);
    EXPECT_EQ(CMonitorObject::HexDigitValue('a'), -1);
    EXPECT_EQ(CMonitorObject::HexDigitValue('G'), -1);
    EXPECT_EQ(CMonitorObject::HexDigitValue('*'), -1);
}

}  // namespace
}  // namespace monitortest
