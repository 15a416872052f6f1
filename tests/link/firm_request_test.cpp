// The firmware request frames: their bytes, the codes no transport carries,
// the reply parser's length checks and the target reset it handles once.
#include "config/break_channels.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "link/monitor_services.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace linktest {
namespace {

using namespace link_result;

Bytes RequestBytes(std::size_t count) {
    return Bytes(g_firmRequestBuffer.begin(), g_firmRequestBuffer.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST(FirmRequestFrames, EachRequestHasItsLayout) {
    CFirmCommand command(nullptr);
    command.SetAddress(0x12345);
    command.SetCount(128);
    command.SetAccess(access_code::kByte);
    command.BuildRequest(firm_code::kReadMemory);
    EXPECT_EQ(HexText(RequestBytes(16)), "00 0E 5A 11 00 0E 45 23 01 00 80 00 20 42 A5 81");

    const std::array<BYTE, 3> data{0x11, 0x22, 0x33};
    command.SetData(const_cast<BYTE*>(data.data()));
    command.SetCount(3);
    command.SetVerify(1);
    command.BuildRequest(firm_code::kWriteMemory);
    EXPECT_EQ(HexText(RequestBytes(22)), "00 14 5A 12 00 14 45 23 01 00 20 42 03 00 01 00 11 22 33 00 A5 81")
        << "an odd count is padded and the length rounded up to 20; the count field keeps 3";

    g_runMode = run_mode::kStep;
    command.BuildRequest(firm_code::kGo);
    EXPECT_EQ(HexText(RequestBytes(16)), "00 0E 5A 21 00 0E 04 FF FF FF FF FF FF FF FF 81");
    g_runMode = run_mode::kGo;
    command.BuildRequest(firm_code::kGo);
    EXPECT_EQ(RequestBytes(16)[6], 0x00);
    g_runMode = run_mode::kStepOver;
    g_appliedBreakChannels[0].pcBefore = 1;
    command.BuildRequest(firm_code::kGo);
    EXPECT_EQ(RequestBytes(16)[6], 0x04) << "a step over with the temporary break steps one instruction";
    g_appliedBreakChannels = {};
    g_runMode = run_mode::kGo;

    command.BuildRequest(firm_code::kReset);
    EXPECT_EQ(HexText(RequestBytes(8)), "00 06 5A 41 00 06 A5 81");
    command.BuildRequest(firm_code::kReadVersion);
    EXPECT_EQ(HexText(RequestBytes(8)), "00 06 5A 01 00 06 A5 81");

}

TEST(FirmRequestFrames, TheReadReplyIsTakenOnlyWhenItCarriesTheRequestedBytes) {
    struct Case {
        WORD lengthAt0;
        WORD lengthAt4;
        WORD status;
        WORD expected;
    };
    const Case cases[] = {
        {12 + 16, 12 + 16, 0, kOk},
        {12 + 17, 12 + 17, 0, kTimeout},  // longer than asked for
        {12 + 15, 12 + 15, 0, kTimeout},  // shorter
        {10, 10, 0, kTimeout},            // shorter than its header: would wrap
        {12 + 16, 12 + 900, 0, kTimeout},  // the lengths disagree
        {1100, 1100, 0, kTimeout},        // past the reply buffer
        {12, 12, 0x5045, 0x5045},         // a failing status is passed on
    };
    for (const Case& c : cases) {
        g_firmReplyBuffer.fill(0xEE);
        g_firmReplyBuffer[2] = firm_code::kMarker;
        g_firmReplyBuffer[3] = 0x11;
        PutWord16(g_firmReplyBuffer.data(), c.lengthAt0, true);
        PutWord16(g_firmReplyBuffer.data() + 4, c.lengthAt4, true);
        PutWord16(g_firmReplyBuffer.data() + 6, c.status, false);
        if (c.lengthAt0 + 2u <= g_firmReplyBuffer.size()) {
            g_firmReplyBuffer[c.lengthAt0] = firm_code::kPad;
            g_firmReplyBuffer[c.lengthAt0 + 1u] = firm_code::kClose;
        }
        std::array<BYTE, 24> destination{};
        CFirmCommand command(nullptr);
        command.SetCount(16);
        command.SetData(destination.data());
        EXPECT_EQ(command.ParseReply(firm_code::kReadMemory), c.expected) << c.lengthAt0 << "/" << c.lengthAt4;
        EXPECT_EQ(destination[16], 0) << "nothing beyond the requested bytes is written";
        EXPECT_EQ(destination[0], c.expected == kOk ? 0xEE : 0x00);
    }
}

TEST(FirmRequestFrames, OnlyAWholeFirmwareReplyToTheRequestIsParsed) {
    const struct {
        const char* what;
        const char* reply;
    } cases[] = {
        {"a bare acknowledge", "00 02 06 81"},
        {"a status reply", "00 02 15 81"},
        {"no marker", "00 0C 00 12 00 0C 00 00 00 00 00 00 A5 81"},
        {"another request's reply", "00 0C 5A 13 00 0C 00 00 00 00 00 00 A5 81"},
        {"counts that disagree", "00 0C 5A 12 00 0E 00 00 00 00 00 00 A5 81"},
        {"a failure without its detail word", "00 08 5A 12 00 08 45 50 A5 81"},
    };
    for (const auto& c : cases) {
        // What an earlier reply left behind reads as success.
        const Bytes earlier = Hex("00 0C 5A 12 00 0C 00 00 00 00 00 00 A5 81");
        std::copy(earlier.begin(), earlier.end(), g_firmReplyBuffer.begin());
        const Bytes reply = Hex(c.reply);
        std::copy(reply.begin(), reply.end(), g_firmReplyBuffer.begin());
        CFirmCommand command(nullptr);
        EXPECT_EQ(command.ParseReply(firm_code::kWriteMemory), kTimeout) << c.what;
    }
    const Bytes whole = Hex("00 0C 5A 12 00 0C 45 50 34 12 00 00 A5 81");
    std::copy(whole.begin(), whole.end(), g_firmReplyBuffer.begin());
    CFirmCommand command(nullptr);
    EXPECT_EQ(command.ParseReply(firm_code::kWriteMemory), kOutsideArea);
    EXPECT_EQ(command.ParseReply(firm_code::kGo), kOutsideArea) << "the go reads whatever reply came last";
}

TEST(FirmRequestFrames, EveryFixedByteOfTheReplyLayoutIsChecked) {
    const std::string version = "00 16 5A 01 00 16 00 00 51 33 76 4B 51 31 34 56 31 2E 30 30 ";
    const std::string registers = "00 32 5A 31 00 32 00 00 " + std::string(42 * 3, ' ');
    const struct {
        const char* what;
        DWORD code;
        std::string reply;
        WORD expected;
    } cases[] = {
        {"a whole write reply", firm_code::kWriteMemory, "00 0C 5A 12 00 0C 00 00 00 00 00 00 A5 81", kOk},
        {"a write reply without its pad", firm_code::kWriteMemory, "00 0C 5A 12 00 0C 00 00 00 00 00 00 00 81",
         kTimeout},
        {"a write reply without its detail word", firm_code::kWriteMemory, "00 08 5A 12 00 08 00 00 A5 81", kTimeout},
        {"a write reply with bytes after its detail word", firm_code::kWriteMemory,
         "00 0E 5A 12 00 0E 00 00 00 00 00 00 00 00 A5 81", kTimeout},
        {"a reset reply longer than its status", firm_code::kReset, "00 0E 5A 41 00 0E 00 00 00 00 00 00 00 00 A5 81",
         kTimeout},
        {"a failed read without its pad", firm_code::kReadMemory, "00 0C 5A 11 00 0C 45 50 00 00 01 00 EE 81",
         kTimeout},
        {"a whole version reply", firm_code::kReadVersion, version + "92 00 A5 81", kOk},
        {"a version value followed by more bytes", firm_code::kReadVersion,
         "00 18 5A 01 00 18 00 00 51 33 76 4B 51 31 34 56 31 2E 30 30 92 00 00 00 A5 81", kTimeout},
        {"a version reply without its pad", firm_code::kReadVersion, version + "92 00 00 81", kTimeout},
        {"a failed version reply longer than its status", firm_code::kReadVersion,
         "00 0E 5A 01 00 0E 52 50 00 00 00 00 00 00 A5 81", kTimeout},
        {"a target reset reported in a reply without its pad", firm_code::kWriteMemory,
         "00 0C 5A 12 00 0C 53 52 00 00 00 00 00 81", kTimeout},
    };
    for (const auto& c : cases) {
        g_firmReplyBuffer.fill(0);
        const Bytes reply = Hex(c.reply);
        std::copy(reply.begin(), reply.end(), g_firmReplyBuffer.begin());
        std::array<BYTE, 13> text{};
        CFirmCommand command(nullptr);
        command.SetData(text.data());
        EXPECT_EQ(command.ParseReply(c.code), c.expected) << c.what;
    }
    // The register file: exactly its 42 bytes after the status.
    for (const WORD length : {WORD{50}, WORD{52}}) {
        g_firmReplyBuffer.fill(0);
        PutWord16(g_firmReplyBuffer.data(), length, true);
        g_firmReplyBuffer[2] = firm_code::kMarker;
        g_firmReplyBuffer[3] = 0x31;
        PutWord16(g_firmReplyBuffer.data() + 4, length, true);
        g_firmReplyBuffer[length] = firm_code::kPad;
        g_firmReplyBuffer[length + 1u] = firm_code::kClose;
        EXPECT_EQ(CFirmCommand(nullptr).ParseReply(firm_code::kReadRegisters), length == 50 ? kOk : kTimeout)
            << length;
    }
}

TEST(FirmRequestFrames, AFirmwareResetIsHandledOnceEvenWhenItsHandlingSeesAnother) {
    int initialisations = 0;
    std::vector<DWORD> causes;
    MonitorServices services;
    services.initMonitor = [&] {
        ++initialisations;
        // Re-initialising writes through the firmware, which reports the reset again.
        CFirmCommand nested(nullptr);
        EXPECT_EQ(nested.ParseReply(firm_code::kWriteMemory), kTargetReset);
        return WORD{0};
    };
    services.printStopCause = [&](DWORD cause) { causes.push_back(cause); };
    SetMonitorServices(services);
    const Bytes reply = Hex("00 0C 5A 12 00 0C 53 52 00 00 00 00 A5 81");
    std::copy(reply.begin(), reply.end(), g_firmReplyBuffer.begin());
    CFirmCommand command(nullptr);
    EXPECT_EQ(command.ParseReply(firm_code::kWriteMemory), kTargetReset);
    EXPECT_EQ(initialisations, 1);
    EXPECT_EQ(causes, std::vector<DWORD>{kStopCauseTargetReset});

    services.isRunning = [] { return true; };
    SetMonitorServices(services);
    EXPECT_EQ(command.ParseReply(firm_code::kWriteMemory), kTargetReset);
    EXPECT_EQ(initialisations, 1) << "a running target's reset is left to the run-state monitor";
    SetMonitorServices({});
}

class FirmRequests : public LinkTest {};

TEST_F(FirmRequests, ACodeWithoutTransportSendsNothing) {
    StartFirmware();
    CFirmCommand command;
    command.BuildRequest(0x0c000014);
    EXPECT_EQ(command.Transfer(0x0c000014), kNoSuchRequest);
    EXPECT_EQ(command.UnsupportedRequest08(7), kNoSuchRequest);
    EXPECT_EQ(command.UnsupportedRequestA(), kOk);
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(FirmRequests, AReplyWithACorruptedFixedByteFailsTheExchange) {
    StartFirmware();
    std::array<BYTE, 13> version{};
    std::array<BYTE, 4> read{};
    const struct {
        const char* what;
        DWORD offset;
        std::function<WORD(CFirmCommand&)> run;
    } cases[] = {
        {"the version reply's pad", 22, [&](CFirmCommand& c) { return c.ReadVersion(version); }},
        {"the read reply's pad", 16,
         [&](CFirmCommand& c) { return c.ReadMemory(access_code::kByte, 0x400, 4, read.data()); }},
        {"the write reply's pad", 12,
         [](CFirmCommand& c) {
             g_firmWriteData[0] = 0x12;
             return c.WriteMemory(access_code::kByte, 0x400, 1, 0);
         }},
        {"the write reply's marker", 2,
         [](CFirmCommand& c) {
             g_firmWriteData[0] = 0x12;
             return c.WriteMemory(access_code::kByte, 0x400, 1, 0);
         }},
        {"the write reply's command", 3,
         [](CFirmCommand& c) {
             g_firmWriteData[0] = 0x12;
             return c.WriteMemory(access_code::kByte, 0x400, 1, 0);
         }},
    };
    for (const auto& c : cases) {
        Link().SetOpen(1);
        Inject(Q3V_SIM_FAULT_CORRUPT_REPLY, c.offset, 1);
        CFirmCommand command;
        EXPECT_EQ(c.run(command), kTimeout) << c.what;
        EXPECT_TRUE(Link().IsLinkLost()) << c.what;
    }
}

TEST_F(FirmRequests, TheVersionComesWithItsTextAndValue) {
    StartFirmware();
    CFirmCommand command;
    std::array<BYTE, 13> version{};
    version.fill(0xEE);
    ASSERT_EQ(command.ReadVersion(version), kOk);
    EXPECT_STREQ(reinterpret_cast<const char*>(version.data()), "Q3vKQ14V1.00");
    DWORD detail = 1;
    DWORD value = 0;
    command.GetResult(firm_code::kReadVersion, &detail, &value);
    EXPECT_EQ(value, 0x0092u);
    EXPECT_EQ(detail, 1u);
}

}  // namespace
}  // namespace linktest
