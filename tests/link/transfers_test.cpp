// Serialised transfers: pending reads polled to completion, the 30-second
// limit on the platform clock, and transfers without a binding.
#include "link/link_results.h"
#include "link/ule_drv_memory.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

namespace linktest {
namespace {

class Transfers : public LinkTest {
protected:
    CUleDrvMemory& Memory() { return *driver_->Memory(); }
};

TEST_F(Transfers, PendingReadsArePolledToCompletion) {
    Configure("pending=4");
    BYTE status[4] = {};
    EXPECT_EQ(Memory().ReadUleMemory(4, status, 0x400008, 4), 0u);
    EXPECT_EQ(status[1] & 0x01, 0x01) << "the data is there: target power present";
    BYTE identity[11] = {};
    EXPECT_EQ(Memory().ReadQ5tMemory(1, identity, 0x1000, 11), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(identity), 11), "Q3vEMULATOR");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Transfers, AReadPendingForMoreThanThirtySecondsIsGivenUpWithOneMessage) {
    Configure("pending=1000000");
    const struct {
        bool q5t;
        const char* message;
    } cases[] = {{false, "Driver timeout reading memory"}, {true, "Driver timeout reading Q3v memory"}};
    for (const auto& c : cases) {
        const std::size_t shown = Messages().size();
        const auto startTicks = clock_.Now();
        BYTE bytes[4] = {};
        const DWORD result = c.q5t ? Memory().ReadQ5tMemory(1, bytes, 0x1000, 4)
                                   : Memory().ReadUleMemory(4, bytes, 0x400008, 4);
        EXPECT_EQ(result, driver_result::kPending);
        EXPECT_GE(clock_.Now() - startTicks, 30000u);
        EXPECT_LE(clock_.Now() - startTicks, 33000u);
        ASSERT_EQ(Messages().size(), shown + 1) << c.message;
        EXPECT_EQ(Messages().back(), c.message);
        EXPECT_EQ(ui_.MessageBoxes().back().type, MB_ICONEXCLAMATION);
    }
}

TEST(TransfersWithoutBinding, EveryOperationAnswersPendingAndCallsNothing) {
    CUleDrvMemory memory(nullptr);
    BYTE bytes[4] = {};
    EXPECT_EQ(memory.ReadUleMemory(4, bytes, 0x400008, 4), driver_result::kPending);
    EXPECT_EQ(memory.WriteUleMemory(4, bytes, 0x400008, 4), driver_result::kPending);
    EXPECT_EQ(memory.XPdiTransmit(4, bytes, 0, 1), driver_result::kPending);
    EXPECT_EQ(memory.SciReceive(0, bytes, 0, 1), driver_result::kPending);
    EXPECT_EQ(memory.AudTraceRead(0, 0, 0, 1), driver_result::kPending);
    EXPECT_EQ(memory.WriteQ5tMemory(1, bytes, 0, 1, 1), driver_result::kPending);
    EXPECT_EQ(memory.ReadQ5tMemory(1, bytes, 0, 1), driver_result::kPending);
    EXPECT_EQ(memory.AdapterSumCheck(0), driver_result::kPending);
    EXPECT_EQ(memory.MonpOpen(0), driver_result::kPending);
    EXPECT_EQ(memory.MonpProgDownload(0, 0, 0), driver_result::kPending);
    EXPECT_EQ(memory.PreEraseWrite_Erase(0, 0), driver_result::kPending);
    EXPECT_EQ(memory.AdapterProgramDownload(0, 0, 0), driver_result::kPending);
    EXPECT_EQ(memory.SetTimeout(20), driver_result::kPending);
}

}  // namespace
}  // namespace linktest
