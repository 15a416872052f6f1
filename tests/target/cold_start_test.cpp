// The cold-start area cleared at disconnect, through the link to the
// simulated emulator.
#include "target/cold_start.h"

#include "link/firm_buffers.h"
#include "config/device_data.h"
#include "startup/device_selection.h"
#include "config/settings_files.h"
#include "tests/link/link_fixture.h"

#include <cstdio>

namespace linktest {
namespace {

class ColdStart : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
        std::snprintf(g_deviceSection, sizeof(g_deviceSection), "VKTEST");
    }
    void TearDown() override {
        g_deviceSection[0] = '\0';
        LinkTest::TearDown();
    }
    void UseArea(const std::string& name, const std::string& text) {
        folder_.Write(name, "[VKTEST]\r\nCOLD START INF=" + text + "\r\n");
        std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%s", folder_.Windows(name).c_str());
    }
    void Fill(DWORD address, std::size_t count, BYTE value) {
        const Bytes bytes(count, value);
        ASSERT_EQ(Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
    }
};

TEST_F(ColdStart, TheAreaIsWrittenWithZerosWhateverTheWriteBufferHeld) {
    UseArea("area.cnf", "1 600 603");
    Fill(0x5FF, 6, 0xA5);
    g_firmWriteData.fill(0x77);
    EXPECT_EQ(ApplyColdStartInfo(), 1u);
    EXPECT_EQ(ReadTarget(0x5FF, 6), (Bytes{0xA5, 0, 0, 0, 0, 0xA5}));
    EXPECT_FALSE(FramesIn().empty());
}

TEST_F(ColdStart, NothingIsWrittenWhenTheAreaIsOffBackwardsOrLongerThanOneWrite) {
    struct Case {
        const char* text;
        DWORD connectMode;
    };
    const Case cases[] = {
        {"1 600 603", connect_mode::kProgramFlash},
        {"0 600 603", connect_mode::kEraseAndConnect},
        {"1 603 600", connect_mode::kEraseAndConnect},
        {"1 600 8600", connect_mode::kEraseAndConnect},  // one byte more than a write takes
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        UseArea("off" + std::to_string(n++) + ".cnf", c.text);
        g_emuSel = c.connectMode;
        Fill(0x600, 4, 0xA5);
        ClearFrames();
        EXPECT_EQ(ApplyColdStartInfo(), 1u);
        EXPECT_TRUE(FramesIn().empty());
        EXPECT_EQ(ReadTarget(0x600, 4), Bytes(4, 0xA5));
    }
}

}  // namespace
}  // namespace linktest
