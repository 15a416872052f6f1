// The driver interface over the simulated driver: a pending configuration is
// waited for a bounded time with pauses on the platform clock, and reply
// records are freed through it.
#include "link/emu_response.h"
#include "link/link_results.h"
#include "link/ule_drv_interface.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

namespace linktest {
namespace {

class DriverInterfaceTest : public LinkTest {
protected:
    std::string Configuration() {
        char text[256] = {};
        Control().getConfiguration(text, sizeof(text));
        return text;
    }
};

TEST_F(DriverInterfaceTest, APendingConfigurationIsWaitedForAtMostTwentySeconds) {
    Configure("pending=3");
    const std::string text = Configuration();
    const DWORD start = clock_.Now();
    EXPECT_EQ(driver_->SetControllerConfiguration(text.c_str()), 0u) << "answered on the third poll";
    EXPECT_LT(clock_.Now() - start, 1000u);

    Configure("pending=100000");
    const DWORD before = clock_.Now();
    EXPECT_EQ(driver_->SetControllerConfiguration(Configuration().c_str()), driver_result::kPending);
    const DWORD waited = clock_.Now() - before;
    EXPECT_GE(waited, 20000u);
    EXPECT_LT(waited, 21000u) << "given up after twenty seconds, not hours";
    EXPECT_GE(clock_.SleptMilliseconds(), 15000u) << "pausing between polls";
    EXPECT_EQ(Messages(), std::vector<std::string>{"Driver timeout setting configuration."});
}

TEST_F(DriverInterfaceTest, RepliesAreFreedThroughTheDriver) {
    driver_->FreeReply(nullptr);
    auto record = std::make_unique<CEmuReply>();
    record->replyClass = kReplyText;
    record->payload.assign(100, 'x');
    driver_->FreeReply(std::move(record));
    EXPECT_EQ(record, nullptr);
    EXPECT_EQ(driver_->Reserved(), 0u);
}

}  // namespace
}  // namespace linktest
