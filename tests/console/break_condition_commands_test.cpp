// The break-condition commands' argument words on devices the road fixtures
// do not have: a channel count outside 2 to 8, which offers no channel
// number, and eight channels, whose numbers the refusals list.
#include "console/break_condition_commands.h"
#include "console/break_condition_set_command.h"
#include "console/swti_break_condition_commands.h"
#include "sim/host/command_window.h"
#include "sim/host/sim_host.h"
#include "config/device_data.h"

#include <gtest/gtest.h>

namespace {

class ChannelWords : public ::testing::Test {
protected:
    void TearDown() override { g_deviceValues.addressBreakCount = count; }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::CommandWindow window{host, log};
    const DWORD count = g_deviceValues.addressBreakCount;
};

TEST_F(ChannelWords, WithoutTwoToEightChannelsAChannelNumberIsAnInvalidParameter) {
    for (const DWORD channels : {0u, 1u}) {
        g_deviceValues.addressBreakCount = channels;
        CCmdBreakConditionClear clear(&host);
        CCmdBreakConditionEnable enable(&host);
        CCmdBreakConditionSet set(&host);
        for (CCmdEmulator* command : {static_cast<CCmdEmulator*>(&clear), static_cast<CCmdEmulator*>(&enable),
                                      static_cast<CCmdEmulator*>(&set)}) {
            command->DefineArguments();
        }
        for (const char* line : {"bcc channel 1", "bce enable channel 1", "bcs channel 1 address 10"}) {
            const simhost::CommandOutput output = window.Execute(line);
            EXPECT_EQ(output.result, E_FAIL) << channels << ": " << line;
            EXPECT_EQ(output.text, "Invalid parameter\n") << channels << ": " << line;
        }
        for (CCmdEmulator* command : {static_cast<CCmdEmulator*>(&clear), static_cast<CCmdEmulator*>(&enable),
                                      static_cast<CCmdEmulator*>(&set)}) {
            command->DeleteArguments();
        }
    }
}

TEST_F(ChannelWords, EightChannelsListTheirNumbersInARefusal) {
    g_deviceValues.addressBreakCount = 8;
    {
        CCmdBreakConditionClear clear(&host);
        clear.DefineArguments();
        EXPECT_EQ(window.Execute("bcc channel 9").text,
                  "Parameter keyword [channel_number] is a mistake. input keyword (1,2,3,4,5,6,7,8).");
        clear.DeleteArguments();
    }
    CCmdSwtiBreakConditionClear clear(&host);
    const simhost::CommandOutput output = window.Execute("bcc channel 9");
    EXPECT_EQ(output.result, E_FAIL);
    EXPECT_EQ(output.text, "Parameter keyword [channel_number] is a mistake. input keyword (1,2,3,4,5,6,7,8).");
}

}  // namespace
