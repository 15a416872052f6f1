// The simulated host's UI recorder keeps the plug-in honest: what does not
// match its own records is a host error, so the other tests' checks that
// there is none say something.
#include "hostui/host_ui_manager.h"

#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class UiRecorder : public ::testing::Test {
protected:
    void SetUp() override { manager.AcquireOwnerId(&owner); }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CHostUiManager manager{&host};
    simhost::HostUiRegistry& ui = host.UiRegistry();
    DWORD owner = 0;
    const CLSID* clsid = &CLSID_Q3vVk3UiComponent;
};

TEST_F(UiRecorder, RemovalsOfWhatTheOwnerNeverAddedAndIdsNotGivenOutAreHostErrors) {
    const HWND window = reinterpret_cast<HWND>(0x1234);
    // An add for an owner id the host never gave out is refused, so the
    // manager keeps nothing of it.
    EXPECT_EQ(manager.AddWindow(owner + 1, clsid, window), E_INVALIDARG);
    EXPECT_EQ(manager.Windows().FindOwner(owner + 1), nullptr);
    EXPECT_EQ(ui.RemoveMenu(3088, owner), E_INVALIDARG);
    EXPECT_EQ(ui.RemoveWindow(owner), E_INVALIDARG);
    DWORD unknown = 77;
    EXPECT_EQ(ui.ReleaseOwnerId(&unknown), E_INVALIDARG);
    EXPECT_EQ(ui.HostErrors(), (std::vector<std::string>{
                                   "op 34 for owner 2, which the host has not given out",
                                   "op 33 removes menu 3088 of owner 1, which is not registered",
                                   "op 37 removes a window of owner 1, which is not registered",
                                   "op 45 removes owner id 77, which is not registered",
                               }));
    std::ostringstream shown;
    ui.Describe(shown);
    EXPECT_NE(shown.str().find("  host error: op 45 removes owner id 77, which is not registered\n"),
              std::string::npos)
        << shown.str();
}

TEST_F(UiRecorder, AnOwnerIdGivenBackTooEarlyOrNotAtAllIsAHostError) {
    ASSERT_EQ(manager.AddWindow(owner, clsid, reinterpret_cast<HWND>(0x1234)), S_OK);
    DWORD second = 0;
    manager.AcquireOwnerId(&second);
    manager.ReleaseOwnerId(&owner);  // its window is still registered
    ui.CheckOwnerIdsReturned();      // the second id is still out
    EXPECT_EQ(ui.HostErrors(), (std::vector<std::string>{
                                   "owner id 1 given back with its registrations in place",
                                   "owner id 2 was not given back",
                               }));
}

}  // namespace
