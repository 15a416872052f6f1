// The host-access guard over the target's memory handler and the memory lock.
#include "target/host_access_guard.h"

#include "target/memory_lock.h"
#include "target/target_vk3.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

// The plug-in's target with a memory handler (and nothing that needs a
// device): its handlers are made as far as they can be.
class HostAccessGuard : public ::testing::Test {
protected:
    void SetUp() override {
        // A .CNF without a library name: no configuration handler, and no
        // file to look for.
        BuildCnfPath();
        const char text[] = "[Q3v KTR4 TARGET]\n\x1A";
        GetTarget()->GetSettingsCache().SetFileName(g_cnfPath);
        GetTarget()->GetSettingsCache().SetContent(std::vector<char>(text, text + sizeof(text)));
        ASSERT_EQ(GetTarget()->Attach(&host, 1), S_OK);
        EXPECT_EQ(GetTarget()->CreateHandlers(), E_FAIL);  // incomplete, but with its memory handler
        ASSERT_NE(GetTarget()->GetMemoryHandler(), nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(GetTarget()->DestroyHandlers(), S_OK);
        GetTarget()->Detach(1);
        GetTarget()->GetSettingsCache().Clear();
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
    }
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
};

TEST_F(HostAccessGuard, HoldsOnceCountsAndReleasesOnEveryExit) {
    {
        CHostAccessGuard guard;
        EXPECT_EQ(guard.IsHeld(), 0u);  // nothing until asked
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
        guard.SetHeld(1);
        guard.SetHeld(1);  // a held guard is not entered twice
        EXPECT_EQ(guard.IsHeld(), 1u);
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 1u);
        {
            // The lock is re-entrant: a second guard on the same thread.
            CHostAccessGuard inner;
            inner.SetHeld(1);
            EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 2u);
        }
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 1u);
        guard.SetHeld(0);
        EXPECT_EQ(guard.IsHeld(), 0u);
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
        guard.SetHeld(0);  // released twice: nothing more
        EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
        guard.SetHeld(1);
    }
    // The destructor released it: another thread takes the lock at once.
    std::thread other([] {
        LockMemoryAccess(TRUE);
        LockMemoryAccess(FALSE);
    });
    other.join();
    EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
}

TEST_F(HostAccessGuard, AGuardThatNeverHeldReleasesNothing) {
    CHostAccessGuard holder;
    holder.SetHeld(1);
    {
        CHostAccessGuard idle;
        idle.SetHeld(2);  // any value but 1 releases
    }
    EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 1u);
}

TEST_F(HostAccessGuard, WithoutAMemoryHandlerNothingIsHeld) {
    static_cast<void>(GetTarget()->DestroyHandlers());
    CHostAccessGuard guard;
    guard.SetHeld(1);
    EXPECT_EQ(guard.IsHeld(), 0u);
    EXPECT_EQ(CHostAccessGuard::GetNestingCount(), 0u);
}

// The count changes only while the lock is held: a guard still waiting for
// it has not counted itself, so the holder always sees exactly itself.
TEST_F(HostAccessGuard, TheCountIsOnlyChangedUnderTheLock) {
    std::atomic<int> wrongCounts{0};
    const auto work = [&wrongCounts] {
        for (int i = 0; i < 20000; ++i) {
            CHostAccessGuard guard;
            guard.SetHeld(1);
            if (CHostAccessGuard::GetNestingCount() != 1) {
                ++wrongCounts;
            }
        }
    };
    std::thread first(work);
    std::thread second(work);
    first.join();
    second.join();
    EXPECT_EQ(wrongCounts, 0);
}

}  // namespace
