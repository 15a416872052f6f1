// What the tests of the start-up selection and the setting sheets share: a
// session on the simulated host (its settings file in a folder of the test's
// own), the device data put back afterwards, and readers of what was saved
// and shown.
#pragma once

#include "sim/host/sim_host.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace settingtest {

class SettingTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Starts over within a test: the device data and the session's file.
    void Restart();
    // A key of the session's settings file, written as the sheets would.
    void Session(const char* section, const char* key, const char* value) const;
    // A key's saved text, "<none>" when absent.
    std::string Saved(const char* section, const char* key) const;
    // The session's settings file as its bytes, "" while it does not exist.
    std::string SessionFile() const;
    bool SessionFileExists() const;
    std::vector<std::string> Messages() const;
    // The device file and the device, as the start-up selection leaves them.
    void ChooseDevice(const std::string& group, int index) const;
    // The plug-in's own device file as the current device file, as the
    // configuration handler's creation leaves it.
    static void UseOwnDeviceFile();

    testsupport::TestUi ui_;
    testing_support::TempFolder folder_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
};

}  // namespace settingtest
