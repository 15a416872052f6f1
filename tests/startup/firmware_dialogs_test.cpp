// The two Firmware Location dialogs the channel may ask with, filled and
// read as their caller does, over the fixture group's devices.
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/firmware_dialogs.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"

#include <functional>

namespace {

using settingtest::SettingTest;

constexpr char kGroup[] = "LinkTestFiles\\FIRMSEL";

class FirmwareDialogs : public SettingTest {};

TEST_F(FirmwareDialogs, TheBlockDialogsRangeListAndRefusals) {
    ChooseDevice(kGroup, 0);
    CFirmwareBlockDlg dialog;
    dialog.m_area = 1;
    dialog.m_advanced = 1;
    dialog.m_address = 0x5000;
    ui_.OnDialog(res_id::kFirmwareBlockDialog)
        .Do([](platform::UiDialog& d) {
            // The greatest end gives F800, shown as F700.
            EXPECT_EQ(d.Text(res_id::kRangeText), "(MIN: 04000 - MAX: 0F700)");
            EXPECT_EQ(d.Text(res_id::kFirmwareAddress), "50");
            EXPECT_EQ(d.Text(res_id::kAddressEnd), "00 - 057FF");
            EXPECT_TRUE(d.IsEnabled(res_id::kFirmwareAddress));
            EXPECT_FALSE(d.IsEnabled(res_id::kFirmwareBlock)) << "the user flash is chosen";
            EXPECT_TRUE(d.IsEnabled(res_id::kDataFlashArea));
        })
        .SetText(res_id::kFirmwareAddress, "F7")
        .Do([](platform::UiDialog& d) { EXPECT_EQ(d.Text(res_id::kAddressEnd), "00 - 0FEFF"); })
        .SetText(res_id::kFirmwareAddress, "F8")
        .PressOk()
        .PressCancel()
        .Do([](platform::UiDialog& d) { EXPECT_TRUE(d.IsOpen()) << "Cancel does nothing"; })
        .SetText(res_id::kFirmwareAddress, "41")
        .PressOk();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Messages(), std::vector<std::string>{"The value is wrong.\nSet it again."})
        << "0xF800 lies between min and max but in the reserved page";
    EXPECT_EQ(dialog.m_address, 0x4100u);
}

TEST_F(FirmwareDialogs, TheBlockDialogsAreaRule) {
    struct Case {
        const char* name;
        int device;
        int area;
        int advanced;
        int firmBlockNo;
        bool radios, blocks, address, shown;
        const char* block;  // the block list's choice
    };
    const Case cases[] = {
        {"data flash with two blocks", 0, 0, 1, 3, true, true, false, true, ""},
        {"FIRMBLOCKNO inside the list chooses its block", 0, 0, 1, 1, true, true, false, true, "Block B"},
        {"without the advanced setting the choices are hidden", 0, 0, 0, 0, true, true, false, false, "Block A"},
        {"a device without data flash starts in the user flash", 1, 0, 1, 0, false, false, true, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ChooseDevice(kGroup, c.device);
        g_deviceValues.firmBlockNo = static_cast<DWORD>(c.firmBlockNo);
        CFirmwareBlockDlg dialog;
        dialog.m_area = c.area;
        dialog.m_advanced = c.advanced;
        ui_.OnDialog(res_id::kFirmwareBlockDialog)
            .Do([&c](platform::UiDialog& d) {
                EXPECT_EQ(d.IsEnabled(res_id::kDataFlashArea), c.radios);
                EXPECT_EQ(d.IsEnabled(res_id::kUserFlashArea), c.radios);
                EXPECT_EQ(d.IsEnabled(res_id::kFirmwareBlock), c.blocks);
                EXPECT_EQ(d.IsEnabled(res_id::kFirmwareAddress), c.address);
                EXPECT_EQ(d.IsVisible(res_id::kFirmwareBlock), c.shown);
                EXPECT_EQ(d.IsVisible(res_id::kRangeText), c.shown);
                EXPECT_EQ(d.Text(res_id::kFirmwareBlock), c.block);
            })
            .PressOk();
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_area, c.device == 1 ? 1 : c.area);
        if (dialog.m_area == 0) {
            EXPECT_EQ(dialog.m_dataBlock, c.firmBlockNo == 1 ? 1 : 0) << "none chosen is block 0";
        }
    }
}

TEST_F(FirmwareDialogs, TheAreaDialogShowsItsChoicesAndOnlyOkEndsIt) {
    CFirmwareAreaDlg dialog;
    dialog.m_programAddress[0] = 0xF000;
    dialog.m_programAddress[1] = 0x4000;
    dialog.m_workRamAddress = 0x0A00;
    dialog.m_programIndex = 1;
    ui_.OnDialog(res_id::kFirmwareAreaDialog)
        .Do([](platform::UiDialog& d) {
            EXPECT_EQ(d.Text(res_id::kProgramArea), "4000");
            EXPECT_EQ(d.Text(res_id::kWorkRamArea), "0A00");
            EXPECT_TRUE(d.IsEnabled(res_id::kProgramArea));
        })
        .Select(res_id::kProgramArea, "F000")
        .PressCancel()
        .Do([](platform::UiDialog& d) {
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(d.Text(res_id::kProgramArea), "F000") << "Cancel keeps the choice";
        })
        .PressOk();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_programIndex, 0);
    EXPECT_EQ(dialog.m_workRamIndex, 0);

    g_emuSel = connect_mode::kKeepFlashAndConnect;
    ui_.OnDialog(res_id::kFirmwareAreaDialog)
        .Do([](platform::UiDialog& d) {
            EXPECT_FALSE(d.IsEnabled(res_id::kProgramArea)) << "keep-flash connection";
            EXPECT_FALSE(d.IsEnabled(res_id::kWorkRamArea));
        })
        .PressOk();
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace
