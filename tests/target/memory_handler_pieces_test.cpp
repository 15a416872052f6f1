// The memory handler over the real link and monitor on the 1 MB device,
// whose RAM holds more than 64 KiB: host calls longer than one firmware
// piece and than a 16-bit count, and a read whose second piece fails.
#include "target/target_memory_vk3.h"

#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>


namespace monitortest {
namespace {

constexpr DWORD kRamTop = 0x1000;

Bytes Pattern(std::size_t size, BYTE seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<BYTE>(seed + i * 5 + (i >> 9));
    }
    return bytes;
}

class MemoryHandlerPieces : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        UseDevice(Device::Vk32D64, 2);  // RAM 0x0400-0x13BFF
        memory_ = std::make_unique<CTargetMemoryVk3>(&host_);
    }
    void TearDown() override {
        memory_.reset();
        MonitorTest::TearDown();
    }
    Bytes ReadTarget(DWORD address, std::size_t count) const {
        Bytes bytes(count);
        EXPECT_EQ(Control().readTarget(address, bytes.data(), static_cast<DWORD>(count)), Q3V_SIM_OK);
        return bytes;
    }
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    std::unique_ptr<CTargetMemoryVk3> memory_;
};

TEST_F(MemoryHandlerPieces, CallsPastSixtyFourKibibytesAreWrittenAndReadWhole) {
    for (const DWORD count : {65536u, 70000u}) {
        const Bytes bytes = Pattern(count, static_cast<BYTE>(count));
        EXPECT_EQ(memory_->WriteMemory(kRamTop, kRamTop + count - 1, 1, bytes.data()), S_OK) << count;
        EXPECT_EQ(ReadTarget(kRamTop, count), bytes) << "all " << count << " bytes written";
        Bytes read(count, 0xA5);
        EXPECT_EQ(memory_->ReadMemory(kRamTop, kRamTop + count - 1, 1, read.data()), S_OK) << count;
        EXPECT_EQ(read, bytes) << count;
    }
    EXPECT_TRUE(host_.ReportedErrors().empty());
}

TEST_F(MemoryHandlerPieces, AReadWhoseSecondPieceFailsLeavesNoStaleBytes) {
    const Bytes bytes = Pattern(40000, 1);
    ASSERT_EQ(Control().writeTarget(kRamTop, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
    // The first piece goes in 256 requests of 128 bytes, each sent and
    // received: the first request of the second piece is refused.
    ASSERT_EQ(Control().injectFaultAfter(2 * 256 + 1, Q3V_SIM_FAULT_NAK, 0, 1), Q3V_SIM_OK);
    Bytes read(bytes.size(), 0xA5);
    EXPECT_EQ(memory_->ReadMemory(kRamTop, kRamTop + 40000 - 1, 1, read.data()), E_FAIL) << "not all read";
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 32768), Bytes(bytes.begin(), bytes.begin() + 32768))
        << "the first piece";
    EXPECT_EQ(Bytes(read.begin() + 32768, read.end()), Bytes(40000 - 32768, 0xFF)) << "the rest unread";
}

}  // namespace
}  // namespace monitortest
