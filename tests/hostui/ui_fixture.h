// A UI registration manager over the simulated host's UI recorder, with an
// owner id taken from it, for the manager's tests.
#pragma once

#include "hostui/host_ui_manager.h"
#include "platform/module.h"
#include "sim/host/sim_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hostuitest {

inline HINSTANCE Program() {
    return GetModuleHandleA(nullptr);
}

// The program's module as the recorder names a resource instance.
inline std::string ProgramName() {
    return simhost::DescribeInstance(Program());
}

// The arguments of each call, in order.
inline std::vector<std::vector<std::string>> ArgumentsOf(const std::vector<simhost::UiCall>& calls) {
    std::vector<std::vector<std::string>> arguments;
    for (const simhost::UiCall& call : calls) {
        arguments.push_back(call.args);
    }
    return arguments;
}

class ManagerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        manager.AcquireOwnerId(&owner);
        ui.ClearCalls();
    }
    void TearDown() override { EXPECT_TRUE(ui.HostErrors().empty()) << ui.HostErrors().front(); }
    // The recorded calls since the last look, then forgotten.
    std::vector<int> TakeOps() {
        const std::vector<int> ops = ui.Ops();
        ui.ClearCalls();
        return ops;
    }
    std::vector<std::string> LastArguments() {
        const auto calls = ui.Calls();
        return calls.empty() ? std::vector<std::string>() : calls.back().args;
    }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CHostUiManager manager{&host};
    simhost::HostUiRegistry& ui = host.UiRegistry();
    DWORD owner = 0;
    const CLSID* clsid = &CLSID_Q3vVk3UiComponent;
};

}  // namespace hostuitest
