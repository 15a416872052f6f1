// The communication page: which speeds it offers for the device and its
// firmware, which it selects for the saved one, and what it saves.
#include "res/resource_ids.h"
#include "startup/communi_clock_page.h"
#include "config/device_data.h"
#include "config/settings_files.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace {

using settingtest::SettingTest;
using Texts = std::vector<std::string>;

class CommunicationPage : public SettingTest {
public:
    // The device file names the highest speed.
    void BaudRate(const char* value) {
        folder_.Write("Speed.cnf", std::string("[Q3v KTR4 TARGET]\r\nBAUD RATE=") + value + "\r\n");
        std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%s", folder_.Windows("Speed.cnf").c_str());
    }
    INT_PTR Run(bool readOnly = false) {
        CPropertySheet sheet("Speed test");
        CCommuniClockPage page;
        page.SetReadOnly(readOnly ? TRUE : FALSE);
        sheet.AddPage(&page);
        return sheet.DoModal();
    }
    static Texts Items(platform::UiDialog& page) {
        Texts items;
        const HWND list = page.Control(res_id::kSpeedList);
        const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[32] = "";
            ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
};

const Texts kTableA{"9600 bps",   "19200 bps",  "38400 bps",  "57600 bps",  "125000 bps",
                    "250000 bps", "500000 bps", "750000 bps", "1500000 bps"};

Texts FirstOf(const Texts& texts, std::size_t count) {
    return Texts(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST_F(CommunicationPage, OfferedAndSelectedSpeeds) {
    struct Case {
        const char* name;
        DWORD swti;
        DWORD protocol;
        DWORD mcuId;
        const char* baudRate;
        std::optional<const char*> saved;
        Texts offered;
        const char* selected;
    };
    const Case cases[] = {
        {"a saved 8 above BAUD RATE 6 selects 6", 0, 1, 2, "6", "8", FirstOf(kTableA, 7), "500000 bps"},
        {"BAUD RATE 12 offers the nine the table holds", 0, 1, 2, "12", "8", kTableA, "1500000 bps"},
        {"a negative BAUD RATE offers the first", 0, 1, 2, "-2", "8", FirstOf(kTableA, 1), "9600 bps"},
        {"a negative saved speed is the first", 0, 1, 2, "6", "-3", FirstOf(kTableA, 7), "9600 bps"},
        {"without a saved speed: 6", 0, 1, 2, "8", std::nullopt, kTableA, "500000 bps"},
        {"protocol type 2 offers from 125000 bps; 2 falls to the first entry", 0, 2, 4, "8", "2",
         {"125000 bps", "250000 bps", "500000 bps", "1000000 bps", "2000000 bps"}, "125000 bps"},
        {"SWTI with MCU ID 11: 4 becomes 3", 1, 1, 11, "8", "4",
         {"9600 bps", "19200 bps", "38400 bps", "57600 bps", "250000 bps", "750000 bps"}, "57600 bps"},
        {"SWTI with MCU ID 11: 6 is not offered and falls to 5", 1, 1, 11, "8", "6",
         {"9600 bps", "19200 bps", "38400 bps", "57600 bps", "250000 bps", "750000 bps"}, "250000 bps"},
        {"SWTI with MCU ID 12", 1, 2, 12, "8", "7",
         {"9600 bps", "19200 bps", "38400 bps", "57600 bps", "250000 bps", "500000 bps", "750000 bps"},
         "750000 bps"},
        {"SWTI with MCU ID 13", 1, 2, 13, "8", "8",
         {"9600 bps", "19200 bps", "38400 bps", "57600 bps", "250000 bps", "500000 bps"}, "500000 bps"},
        {"SWTI without a saved speed: 8, of another MCU ID", 1, 2, 20, "8", std::nullopt, kTableA, "1500000 bps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        g_swtiSupported = c.swti;
        g_protocolType = c.protocol;
        g_deviceValues.mcuId = c.mcuId;
        BaudRate(c.baudRate);
        if (c.saved) {
            Session("COMMUNI", "COMSPEED", *c.saved);
        }
        ui_.OnDialog("Speed test")
            .Do([&c](platform::UiDialog& page) {
                EXPECT_EQ(Items(page), c.offered);
                EXPECT_EQ(page.Text(res_id::kSpeedList), c.selected);
            })
            .PressCancel();
        EXPECT_EQ(Run(), IDCANCEL);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CommunicationPage, OkSavesTheChosenSpeedUnlessReadOnly) {
    g_protocolType = 1;
    BaudRate("8");
    ui_.OnDialog("Speed test").Select(res_id::kSpeedList, "57600 bps").PressOk();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Saved("COMMUNI", "COMSPEED"), "3");

    ui_.OnDialog("Speed test")
        .Do([](platform::UiDialog& page) { EXPECT_FALSE(page.IsEnabled(res_id::kSpeedList)); })
        .PressOk();
    Session("COMMUNI", "COMSPEED", "5");
    EXPECT_EQ(Run(true), IDOK);
    EXPECT_EQ(Saved("COMMUNI", "COMSPEED"), "5");
}

}  // namespace
