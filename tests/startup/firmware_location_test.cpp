// The firmware location: ApplyForDevice, and the Firmware Location page in a
// sheet of its own over the fixture group's devices (FIRM SELECT 1): range
// texts, the location OK chooses, refusals and the controls.
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_names.h"
#include "startup/firmware_location_page.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"

#include <functional>

namespace {

using settingtest::SettingTest;
using Bytes4 = std::array<BYTE, 4>;

constexpr char kGroup[] = "LinkTestFiles\\FIRMSEL";
constexpr int kWithDataFlash = 0;     // VK31S32: data-flash blocks A and B, user flash 4000-7FFF and C000-FFFF
constexpr int kWithoutDataFlash = 1;  // VK31S48

class FirmwareLocation : public SettingTest {
public:
    // Runs a sheet with the page alone, in the mode.
    INT_PTR Run(int mode = 0) {
        CPropertySheet sheet("Firmware test");
        CFirmwareLocationPageVk3 page;
        page.SetMode(mode);
        sheet.AddPage(&page);
        return sheet.DoModal();
    }
};

TEST_F(FirmwareLocation, ApplyingMovesTheAreaAndTheVectorsOnlyWhereABlockHoldsIt) {
    ChooseDevice(kGroup, kWithDataFlash);
    const DeviceValues& device = g_deviceValues;
    ASSERT_EQ(device.vectors[0], (Bytes4{0x40, 0xF0, 0, 0}));
    ASSERT_EQ(device.vectorOffsets[0], 0x40u);

    EXPECT_EQ(CFirmwareLocationPageVk3::ApplyForDevice(0x9000), 0) << "between the user-flash blocks";
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0xF000u);
    EXPECT_EQ(device.vectors[0], (Bytes4{0x40, 0xF0, 0, 0}));
    EXPECT_EQ(device.firmBlockNo, 3u);

    EXPECT_EQ(CFirmwareLocationPageVk3::ApplyForDevice(0x2C00), 1);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0x2C00u);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].end, 0x33FFu) << "the size is kept";
    EXPECT_EQ(device.vectors[0], (Bytes4{0x40, 0x2C, 0, 0}));
    EXPECT_EQ(device.vectors[4], (Bytes4{0x50, 0x2C, 0, 0}));
    EXPECT_EQ(device.firmJumpAddr, (Bytes4{0x24, 0x2C, 0, 0}));
    EXPECT_EQ(device.firmBlockNo, 1u);

    // Without FIRM SELECT nothing moves, and the answer is yes.
    g_deviceValues.firmSelect = 0;
    EXPECT_EQ(CFirmwareLocationPageVk3::ApplyForDevice(0x9000), 1);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0x2C00u);
}

TEST_F(FirmwareLocation, TheRangeAndTheAddressTexts) {
    ChooseDevice(kGroup, kWithDataFlash);
    ui_.OnDialog("Firmware test")
        .Do([](platform::UiDialog& page) {
            // The maximum from the greatest end (F800) lies above the limit
            // (65500 - 0x800, rounded down: F700).
            EXPECT_EQ(page.Text(res_id::kRangeText), "(MIN: 04000 - MAX: 0F700)");
            EXPECT_EQ(page.Text(res_id::kFirmwareAddress), "F0") << "the ASE1 top in pages";
            EXPECT_EQ(page.CheckState(res_id::kUserFlashArea), BST_CHECKED);
            EXPECT_FALSE(page.IsVisible(res_id::kFirmwareAddress)) << "without the advanced setting";
        })
        .Check(res_id::kAdvancedSetting)
        .SetText(res_id::kFirmwareAddress, "F5")
        .Do([](platform::UiDialog& page) { EXPECT_EQ(page.Text(res_id::kAddressEnd), "00 - 0FCFF"); })
        .PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
}

TEST_F(FirmwareLocation, TheRangeSkipsAnUnusedEntryOfTheBlockTable) {
    ChooseDevice(kGroup, kWithDataFlash);
    // The file left out block 2 (4000-7FFF): the user flash is block 3 alone.
    g_deviceValues.flashBlockTop[2] = 0xFFFFFFFF;
    g_deviceValues.flashBlockEnd[2] = 0xFFFFFFFF;
    ui_.OnDialog("Firmware test")
        .Do([](platform::UiDialog& page) {
            EXPECT_EQ(page.Text(res_id::kRangeText), "(MIN: 0C000 - MAX: 0F700)");
            EXPECT_EQ(page.Text(res_id::kFirmwareAddress), "F0");
        })
        .PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
}

TEST_F(FirmwareLocation, OkChoosesTheLocationAppliesAndSavesIt) {
    struct Case {
        const char* name;
        std::function<void(platform::ScriptedUiDriver::DialogScript&)> steps;
        DWORD top;
        DWORD block;
        const char* placement;
        const char* advanced;
    };
    const Case cases[] = {
        {"data flash, plain: the data flash's top", [](auto& s) { s.Pick(res_id::kDataFlashArea); }, 0x2400, 0, "0",
         "0"},
        {"user flash, plain: the firmware stays", [](auto&) {}, 0xF000, 3, "1", "0"},
        {"data flash, advanced: the chosen block",
         [](auto& s) {
             s.Check(res_id::kAdvancedSetting).Pick(res_id::kDataFlashArea).Select(res_id::kFirmwareBlock, "Block B");
         },
         0x2C00, 1, "0", "1"},
        {"user flash, advanced: the typed address",
         [](auto& s) { s.Check(res_id::kAdvancedSetting).SetText(res_id::kFirmwareAddress, "40"); }, 0x4000, 2, "1",
         "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ChooseDevice(kGroup, kWithDataFlash);
        auto& script = ui_.OnDialog("Firmware test");
        c.steps(script);
        script.PressOk();
        EXPECT_EQ(Run(), IDOK);
        EXPECT_EQ(g_deviceAreas[kAreaAse1].top, c.top);
        EXPECT_EQ(g_deviceValues.firmBlockNo, c.block);
        EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE"), c.placement);
        EXPECT_EQ(Saved("FW_LOCATE", "ENABLE_ADVANCED_SETTING"), c.advanced);
        char top[16];
        std::snprintf(top, sizeof(top), "%06x", static_cast<unsigned>(c.top));
        EXPECT_EQ(Saved("FW_LOCATE", "ASE1TOP"), top);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FirmwareLocation, AnAddressNoBlockCanHoldIsRefusedWhenThePageIsLeft) {
    ChooseDevice(kGroup, kWithDataFlash);
    ui_.OnDialog("Firmware test")
        .Check(res_id::kAdvancedSetting)
        .SetText(res_id::kFirmwareAddress, "90")  // in range, between the blocks
        .PressOk()
        .SetText(res_id::kFirmwareAddress, "F8")  // above the range
        .PressOk()
        .Do([](platform::UiDialog& page) {
            EXPECT_TRUE(page.IsOpen());
            EXPECT_EQ(::GetFocus(), page.Control(res_id::kFirmwareAddress));
        })
        .SetText(res_id::kFirmwareAddress, "C0")
        .PressOk();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"The value is wrong.\nSet it again.",
                                                    "The value is wrong.\nSet it again."}));
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0xC000u);
    EXPECT_EQ(g_deviceValues.firmBlockNo, 3u);
    EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE_ADDRESS"), "00c000");
}

TEST_F(FirmwareLocation, TheControlsByDeviceAndMode) {
    struct Case {
        const char* name;
        int device;
        int mode;
        DWORD emuSel;
        bool areas;       // both area buttons and the advanced box usable
        bool dataFlash;   // "Data Flash Area" usable
        bool saved;
    };
    const Case cases[] = {
        {"a device with data flash", kWithDataFlash, 0, 0, true, true, true},
        {"a device without data flash offers only the user flash", kWithoutDataFlash, 0, 0, true, false, true},
        {"programming the flash", kWithDataFlash, 0, 2, false, false, true},
        {"opened while configured", kWithDataFlash, 1, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ChooseDevice(kGroup, c.device);
        g_emuSel = c.emuSel;
        Session("FW_LOCATE", "ENABLE_ADVANCED_SETTING", "1");
        ui_.OnDialog("Firmware test")
            .Do([&c](platform::UiDialog& page) {
                EXPECT_EQ(page.IsEnabled(res_id::kUserFlashArea), c.areas);
                EXPECT_EQ(page.IsEnabled(res_id::kAdvancedSetting), c.areas);
                EXPECT_EQ(page.IsEnabled(res_id::kDataFlashArea), c.dataFlash);
                for (const int id : {res_id::kFirmwareBlock, res_id::kBlockCaption, res_id::kAddressCaption,
                                     res_id::kFirmwareAddress, res_id::kAddressEnd, res_id::kRangeText}) {
                    EXPECT_EQ(page.IsVisible(id), c.areas) << id;
                }
                if (c.areas) {
                    EXPECT_EQ(page.CheckState(res_id::kUserFlashArea), BST_CHECKED);
                    EXPECT_TRUE(page.IsEnabled(res_id::kFirmwareAddress));
                    EXPECT_FALSE(page.IsEnabled(res_id::kFirmwareBlock));
                }
            })
            .PressOk();
        EXPECT_EQ(Run(c.mode), IDOK);
        EXPECT_EQ(Saved("FW_LOCATE", "ASE1TOP") != "<none>", c.saved) << "saved only at start-up";
    }
}

TEST_F(FirmwareLocation, TheBlockListAndANewDeviceFromTheSiblingPage) {
    ChooseDevice(kGroup, kWithDataFlash);
    Session("FW_LOCATE", "FWLOCATE", "0");
    Session("FW_LOCATE", "ENABLE_ADVANCED_SETTING", "7");
    Session("FW_LOCATE", "FWLOCATE_DATABLOCK", "1");
    ui_.OnDialog("Firmware test")
        .Do([](platform::UiDialog& page) {
            EXPECT_EQ(page.CheckState(res_id::kDataFlashArea), BST_CHECKED);
            EXPECT_EQ(page.CheckState(res_id::kAdvancedSetting), BST_CHECKED) << "7 reads as 1";
            EXPECT_TRUE(page.IsEnabled(res_id::kFirmwareBlock)) << "two blocks to choose from";
            EXPECT_EQ(page.Text(res_id::kFirmwareBlock), "Block B") << "the saved block, FIRMBLOCKNO lies beyond";
            EXPECT_FALSE(page.IsEnabled(res_id::kFirmwareAddress));
            // The Emulator mode page chose another device.
            ASSERT_TRUE(LoadDeviceConfig(kWithoutDataFlash));
            ::SendMessageA(page.Window(), PSM_QUERYSIBLINGS, 0, 0);
            EXPECT_EQ(page.CheckState(res_id::kUserFlashArea), BST_CHECKED);
            EXPECT_EQ(page.CheckState(res_id::kAdvancedSetting), BST_UNCHECKED);
            EXPECT_FALSE(page.IsEnabled(res_id::kDataFlashArea));
            EXPECT_EQ(page.Text(res_id::kFirmwareAddress), "E0") << "at the new device's ASE1 top";
        })
        .PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
}

}  // namespace
