// The monitor's memory access on the simulated target: reads and writes in
// pieces past the firmware's 32 KiB a call, a running target suspended
// around each piece, the writes kept out of the emulator's areas with their
// reports, the fill with its verify report, both searches and the copy in
// both directions.
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/memory_access.h"
#include "link/monitor_data.h"
#include "monitor/monitor_engine.h"
#include "monitor/monitor_output.h"
#include "link/monitor_services.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

namespace monitortest {
namespace {

using namespace memory_status;

Bytes Pattern(std::size_t size, BYTE seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<BYTE>(seed + i * 7 + (i >> 8));
    }
    return bytes;
}

class MemoryAccess : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        UseDevice(Device::Vk32D64, 2);  // RAM 0x0400-0x13FFF, 80 KiB
    }
    void Put(DWORD address, const Bytes& bytes) {
        ASSERT_EQ(Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
    }
    static DWORD Word(std::size_t index) { return g_monitorData.Word(index); }
    static Bytes PayloadBytes(std::size_t count) {
        const auto payload = g_monitorData.Payload();
        return Bytes(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(count));
    }
};

TEST_F(MemoryAccess, AReadLongerThanOneFirmwareCallGoesInPieces) {
    const Bytes bytes = Pattern(70000, 3);
    Put(0x1000, bytes);
    Bytes read(bytes.size());
    DWORD failing = 0;
    EXPECT_EQ(ReadTargetMemoryChunked(0x1000, 70000, read.data(), &failing, true, 1), kDone);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(Output(), "");
}

TEST_F(MemoryAccess, AReadStopsAtTheSystemAreaTopAndGoesOnFromIt) {
    g_deviceAreas[kAreaBsc1] = {1, 0x2010, 0x201F};
    Bytes read(64);
    EXPECT_EQ(ReadTargetMemoryChunked(0x2000, 64, read.data(), nullptr, false, 1), kDone);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0], "00 0E 5A 11 00 0E 00 20 00 00 10 00 20 42 A5 81") << "16 bytes up to the top";
    EXPECT_EQ(frames[1], "00 0E 5A 11 00 0E 10 20 00 00 10 00 20 42 A5 81") << "the area whole";
    EXPECT_EQ(frames[2], "00 0E 5A 11 00 0E 20 20 00 00 20 00 20 42 A5 81") << "the rest";
}

TEST_F(MemoryAccess, AFailedSecondPieceReportsHowFarTheReadGot) {
    g_deviceAreas[kAreaBsc1] = {1, 0x2010, 0x201F};
    ASSERT_EQ(Control().injectFaultAfter(2, Q3V_SIM_FAULT_NAK, 0, 1), Q3V_SIM_OK);
    Engine().ReadMemoryToResponse(0x2000, 64, 1);
    EXPECT_EQ(Word(0), kMonitorReplyData);
    EXPECT_EQ(Word(1), 0x2010u) << "the failing piece's start";
    EXPECT_EQ(Word(2), 16u) << "the first piece's bytes";
    EXPECT_NE(Word(7), 0u);
    EXPECT_EQ(FramesIn().size(), 2u) << "nothing after the failed piece";
}

TEST_F(MemoryAccess, ReadMemoryToResponseFillsTheDataReply) {
    const Bytes bytes = Pattern(300, 9);
    Put(0x2000, bytes);
    Engine().ReadMemoryToResponse(0x2000, 300, 4);
    EXPECT_EQ(Word(0), kMonitorReplyData);
    EXPECT_EQ(Word(1), 0x2000u);
    EXPECT_EQ(Word(2), 300u);
    EXPECT_EQ(Word(7), 0u);
    EXPECT_EQ(PayloadBytes(300), bytes) << "memory order whatever the unit";
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
}

TEST_F(MemoryAccess, ARunningTargetIsStoppedAroundEachPieceUnlessTheDeviceNeedsNot) {
    UseDevice(Device::Vk31D16, 1);
    LoadProgram(0x500, {kNop, kNop, 0xFE, 0xFD});
    g_registerImage[kPc] = 0x500;
    g_registerImage[kIsp] = 0x900;
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), link_result::kOk);
    MonitorSetRunning(1);
    ClearFrames();
    Bytes read(4);
    EXPECT_EQ(ReadTargetMemoryChunked(0x500, 4, read.data(), nullptr, false, 1), kDone);
    EXPECT_EQ(read, (Bytes{kNop, kNop, 0xFE, 0xFD}));
    std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(frames[0].starts_with("00 06 5A 22")) << "the break line's stop";
    EXPECT_TRUE(frames[1].starts_with("00 0E 5A 11")) << "the read";
    EXPECT_TRUE(frames[2].starts_with("00 0E 5A 21")) << "the go";
    EXPECT_EQ(Status().running, 1u);

    g_swtiSupported = 1;
    ClearFrames();
    EXPECT_EQ(ReadTargetMemoryChunked(0x500, 4, read.data(), nullptr, false, 1), kDone);
    frames = FramesIn();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].starts_with("00 0E 5A 11"));
}

TEST_F(MemoryAccess, AWriteOfEveryUnitSizeReadsBackInMemoryOrder) {
    for (const DWORD unit : {1u, 2u, 3u, 4u, 8u}) {
        const Bytes bytes = Pattern(40000, static_cast<BYTE>(unit));
        EXPECT_EQ(Engine().WriteMemoryThroughMonitor(0x1000, bytes.data(), unit, 40000, 0), kDone) << unit;
        EXPECT_EQ(ReadTarget(0x1000, 40000), bytes) << unit;
        EXPECT_EQ(Word(0), kMonitorReplyStatus);
        EXPECT_EQ(Word(1), 0x1000u);
        EXPECT_EQ(Word(2), 40000u);
    }
}

TEST_F(MemoryAccess, AWriteOfNothingStillAnswers) {
    EXPECT_EQ(Engine().WriteMemoryThroughMonitor(0x1000, nullptr, 1, 0, 0), kDone);
    EXPECT_EQ(Word(0), kMonitorReplyStatus);
    EXPECT_EQ(Word(2), 0u);
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(MemoryAccess, AWriteAcrossTheFirmwaresRamKeepsTheBytesBeforeIt) {
    // The firmware's RAM (FIRM) is 0x13C00-0x13DFF on this device.
    const Bytes before = ReadTarget(0x13C00, 0x100);
    const Bytes bytes = Pattern(0x200, 1);
    EXPECT_EQ(Engine().WriteMemoryThroughMonitor(0x13B00, bytes.data(), 1, 0x200, 0), kReserved);
    EXPECT_EQ(ReadTarget(0x13B00, 0x100), Bytes(bytes.begin(), bytes.begin() + 0x100));
    EXPECT_EQ(ReadTarget(0x13C00, 0x100), before);
    EXPECT_EQ(Word(7), kReserved);
    const std::string text = "User program area and Q3v work RAM are overlapped from 00013C00h to 00013CFFh.";
    EXPECT_EQ(HostReports(), (std::vector<std::string>{text}));
    EXPECT_EQ(Engine().PendingMessages(), std::vector<std::string>{text});
}

TEST_F(MemoryAccess, AVerifiedWriteThatDoesNotReadBackSaysWhere) {
    const Bytes bytes = Pattern(16, 0x41);
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    EXPECT_EQ(Engine().WriteMemoryThroughMonitor(0x1000, bytes.data(), 1, 16, 1), kVerify);
    EXPECT_EQ(Word(7), kVerify);
    EXPECT_EQ(Word(1), 0x1000u) << "the failing address";
    EXPECT_EQ(Word(2), 0u);
    EXPECT_EQ(Word(3), 0x41u) << "the unit written";
}

TEST_F(MemoryAccess, AVerifyFailureNamedOutsideTheWriteFailsItsPieceWithNothingReadBack) {
    const Bytes bytes = Pattern(4, 0x41);
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    Inject(Q3V_SIM_FAULT_CORRUPT_REPLY, 9, 1);  // the failing address 0x1000 becomes 0xEF00
    EXPECT_EQ(Engine().WriteMemoryThroughMonitor(0x1000, bytes.data(), 1, 4, 1), kFailed);
    EXPECT_EQ(Word(1), 0x1000u) << "the piece's start";
    EXPECT_EQ(Word(2), 0u) << "nothing counted as written";
    EXPECT_EQ(Word(3), 0u) << "no unit taken from the caller's bytes";
    EXPECT_EQ(FramesIn().size(), 1u) << "nothing read back";
}

// A range that ends at the top of the address space, in an emulator area
// that no walk writes: each walk ends at the top instead of going on from
// address 0 (the link is lost a few frames in, so a walk that wraps ends).
TEST_F(MemoryAccess, WalksOfARangeEndingAtTheTopOfTheAddressSpaceEndThere) {
    g_deviceAreas[kAreaAse2] = {1, 0xFFFFFF00, 0xFFFFFFFF};
    const Bytes bytes(0x100, 0x5A);
    const BYTE pattern[] = {0x5A};
    const struct {
        const char* what;
        std::function<void()> walk;
    } cases[] = {
        {"a fill", [&] { EXPECT_EQ(Engine().MonitorFillMemory(0xFFFFFF00, 0xFFFFFFFF, pattern, 1, 0), kDone); }},
        {"a write",
         [&] { EXPECT_EQ(WriteTargetMemoryChunked(0xFFFFFF00, 0x100, bytes.data(), nullptr, 0, 1), kDone); }},
        {"a copy", [&] { Engine().MonitorCopyMemory(0xFFFFFF00, 0xFFFFFFFF, 0x1000, 0); }},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Control().clearFaults(), Q3V_SIM_OK);
        ASSERT_EQ(Control().injectFaultAfter(8, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
        ClearFrames();
        c.walk();
        EXPECT_TRUE(FramesIn().empty()) << c.what;
    }
    ASSERT_EQ(Control().clearFaults(), Q3V_SIM_OK);
}

TEST_F(MemoryAccess, AFillWithAFailedVerifyReportsTheMemoryTest) {
    Put(0x1000, Bytes(16, 0x5A));
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    const BYTE pattern[] = {0x41};
    EXPECT_EQ(Engine().MonitorFillMemory(0x1000, 0x100F, pattern, 1, 1), kVerify);
    const std::string output = Output();
    EXPECT_TRUE(output.starts_with("FAILED AT 00001000 WRITE=41 'A' READ=41 'A' *** 31:Verify error"))
        << testing::PrintToString(output);
}

TEST_F(MemoryAccess, AFillLaysItsPatternUnitsOverTheRangeAndLeavesTheIoAlone) {
    const BYTE pattern[] = {0x12, 0x34};  // the unit's value, most significant first
    EXPECT_EQ(Engine().MonitorFillMemory(0x1000, 0x1007, pattern, 2, 0), kDone);
    EXPECT_EQ(ReadTarget(0x1000, 8), (Bytes{0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12}));

    ClearFrames();
    EXPECT_EQ(Engine().MonitorFillMemory(0x0100, 0x1007, pattern, 2, 0), kDone);
    EXPECT_TRUE(FramesIn().empty()) << "a fill that starts in the I/O area stops";
    EXPECT_EQ(Output(), "");

    EXPECT_EQ(Engine().MonitorFillMemory(0x0400, 0x1007, pattern, 2, 0), kDone);
    EXPECT_EQ(ReadTarget(0x0400, 2), (Bytes{0x34, 0x12}));
}

TEST_F(MemoryAccess, TheMemoryTestLineHasOneLayoutPerUnitSize) {
    BeginMonitorCommand();
    ReportMemoryTestFailure(0x12345678, 0x4142, 0x0041, 2);
    EXPECT_EQ(Output(), "FAILED AT 12345678 WRITE=4142 'AB' READ=0041 '.A'");
    BeginMonitorCommand();
    ReportMemoryTestFailure(0xC000, 0x41424344, 0x7F000020, 4);
    EXPECT_EQ(Output(), "FAILED AT 0000C000 WRITE=41424344 'ABCD' READ=7F000020 '... '");
}

class MemorySearch : public MemoryAccess {
protected:
    int Search(DWORD start, DWORD end, const Bytes& pattern, const Bytes& mask, DWORD matcher) {
        return Engine().MonitorSearchMemory(start, end, pattern.data(), static_cast<DWORD>(pattern.size()),
                                            mask.empty() ? nullptr : mask.data(), matcher);
    }
    static DWORD FoundAddress() {
        const std::string output = Output();
        EXPECT_EQ(output.size(), 4u);
        DWORD address = 0;
        for (const char c : output) {
            address = (address << 8) | static_cast<BYTE>(c);
        }
        return address;
    }
};

TEST_F(MemorySearch, AUnitAcrossTwoWindowsIsFound) {
    Put(0x1000, Bytes(0x1000, 0));
    Put(0x1000 + 2047, {0xDE, 0xAD});
    EXPECT_EQ(Search(0x1000, 0x1FFF, {0xDE, 0xAD}, {}, 1), -1);
    EXPECT_EQ(FoundAddress(), 0x1000u + 2047);
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    EXPECT_EQ(Search(0x1000, 0x1FFF, {0xDE, 0xAD}, {}, 0), 0) << "not a whole unit from the start";
    EXPECT_EQ(Output(), "");
}

TEST_F(MemorySearch, TheMaskPicksTheBitsCompared) {
    Put(0x1000, Bytes(0x100, 0));
    Put(0x10F0, {0x12, 0x34, 0x56, 0x78});
    EXPECT_EQ(Search(0x1000, 0x10FF, {0x12, 0x00, 0x00, 0x78}, {0xFF, 0x00, 0x00, 0xFF}, 0), -1);
    EXPECT_EQ(FoundAddress(), 0x10F0u);
}

TEST_F(MemorySearch, ArgumentsOutsideTheRulesAreRefusedWithTheirMessage) {
    EXPECT_EQ(Search(0x1001, 0x1000, {1}, {}, 0), 0);
    EXPECT_EQ(Output().substr(0, 23), " *** 18:Invalid address");
    EXPECT_EQ(Search(0x1000, 0x100000, {1}, {}, 0), 0) << "past the device's top address";
    EXPECT_EQ(Output().substr(0, 23), " *** 18:Invalid address");
    EXPECT_EQ(Search(0x1001, 0x1004, {1, 2}, {}, 0), 0) << "an odd start for 2-byte units";
    EXPECT_EQ(Output().substr(0, 23), " *** 18:Invalid address");
    EXPECT_EQ(Search(0x1000, 0x1004, {1, 2, 3, 4, 5}, {}, 0), 0) << "no unit of five bytes";
    EXPECT_EQ(Output().substr(0, 20), " *** 17:Invalid data");
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(MemoryAccess, AnOverlappingCopyRunsBackwards) {
    const Bytes bytes = Pattern(0x100, 5);
    Put(0x1000, bytes);
    EXPECT_EQ(Engine().MonitorCopyMemory(0x1000, 0x10FF, 0x1080, 0), memory_status::kDone);
    EXPECT_EQ(ReadTarget(0x1080, 0x100), bytes);
    Engine().MonitorCopyMemory(0x1080, 0x117F, 0x1000, 0);
    EXPECT_EQ(ReadTarget(0x1000, 0x100), bytes);
    Engine().MonitorCopyMemory(0x1000, 0x10FF, 0x1000, 0);
    EXPECT_EQ(ReadTarget(0x1000, 0x100), bytes) << "onto itself";
    EXPECT_EQ(Output(), "");
}

TEST_F(MemoryAccess, ACopyOverLongerThanTheTransferBufferAndTheIoArea) {
    const Bytes bytes = Pattern(33000, 11);
    Put(0x0400, bytes);
    Engine().MonitorCopyMemory(0x0400, 0x0400 + 33000 - 1, 0x0400 + 33000, 0);
    EXPECT_EQ(ReadTarget(0x0400 + 33000, 33000), bytes);
    EXPECT_EQ(Engine().MonitorCopyMemory(0x0200, 0x04FF, 0x2000, 0), memory_status::kDone) << "the rest copied";
    EXPECT_EQ(Output().substr(0, 25), " *** 83:Internal I/O area");
    EXPECT_EQ(ReadTarget(0x2200, 0x100), Bytes(bytes.begin(), bytes.begin() + 0x100)) << "the RAM part is copied";
}

TEST_F(MemoryAccess, ACopyWhoseVerifyFailsReportsTheMemoryTest) {
    Put(0x1000, {0x41, 0x42});
    Put(0x2000, {0x00, 0x00});
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    EXPECT_EQ(Engine().MonitorCopyMemory(0x1000, 0x1001, 0x2000, 1), memory_status::kVerify);
    EXPECT_TRUE(Output().starts_with("FAILED AT 00002000 WRITE=41 'A' READ=41 'A' *** 31:Verify error"))
        << testing::PrintToString(Output());
}

// A piece the emulator refuses ends the copy with its status, though the
// monitor has no message for it; what follows it is not copied.
TEST_F(MemoryAccess, ACopyTheEmulatorRefusesAnswersItsStatus) {
    Put(0x1000, {0x41, 0x42});
    Put(0x2000, {0x00, 0x00});
    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_NE(Engine().MonitorCopyMemory(0x1000, 0x1001, 0x2000, 0), memory_status::kDone);
    EXPECT_EQ(ReadTarget(0x2000, 2), (Bytes{0x00, 0x00}));
}

}  // namespace
}  // namespace monitortest
