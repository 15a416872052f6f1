// The start and stop functions: their settings, the vectors written into the
// flash mirror before a run with the blocks they change, the question when a
// saved symbol does not resolve, and the Start/Stop Function Setting dialog
// driven as a person would.
#include "startup/start_stop_dialog.h"
#include "startup/start_stop_functions.h"
#include "startup/device_selection.h"
#include "tests/startup/setting_fixture.h"

#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "util/ui_sel_combo_box.h"

#include "platform/ui_dialog.h"
#include "sim/host/workspace_storage.h"
#include "tests/emulator/sim_emulator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace settingtest {
namespace {

using emutest::Bytes;

constexpr DWORD kStartVector = 0xF060;
constexpr DWORD kStopVector = 0xF064;
constexpr char kQuestion[] =
    "The symbol specified in the Start/Stop function setting dialog is invalid. \nTo change the setting, push "
    "\"Yes\" button.\nOr to disable the function, push \"No\" button.";

class StartStop : public SettingTest {
protected:
    void SetUp() override {
        SettingTest::SetUp();
        g_protocolType = 1;
        g_deviceValues.supportStartStopFunc = 1;
        g_deviceValues.startFuncVect = 0x60;
        g_deviceValues.stopFuncVect = 0x64;
        g_deviceValues.firmBlockNo = 2;
        g_deviceAreas[kAreaAse1] = {1, 0xF000, 0xFF7F};
        g_flashBlocks.count = 3;
        g_flashBlocks.top[0] = 0xC000;
        g_flashBlocks.end[0] = 0xDFFF;
        g_flashBlocks.top[1] = 0xE000;
        g_flashBlocks.end[1] = 0xEFFF;
        g_flashBlocks.top[2] = 0xF000;
        g_flashBlocks.end[2] = 0xFFFF;
        std::fill_n(g_flashMirror.begin() + kStartVector, 8, BYTE{0xFF});
        host_.Evaluator().DefineSymbol("_start_fn", 0x012345);
        host_.Evaluator().DefineSymbol("_stop_fn", 0x00C010);
    }
    void TearDown() override {
        g_flashBlocks = FlashBlockState{};
        SettingTest::TearDown();
    }
    static std::string Vectors() {
        return emutest::HexText(Bytes(g_flashMirror.begin() + kStartVector, g_flashMirror.begin() + kStartVector + 8));
    }
    static std::vector<int> DirtyBlocks() {
        std::vector<int> blocks;
        for (std::size_t i = 0; i < kFlashFlagCount; ++i) {
            if (g_flashBlocks.dirty[i] != 0) {
                blocks.push_back(static_cast<int>(i));
            }
        }
        return blocks;
    }
    void Functions(const char* startEnable, const char* startSymbol, const char* stopEnable,
                   const char* stopSymbol) {
        Session("START_FUNC", "ENABLE", startEnable);
        Session("START_FUNC", "SYMBOL", startSymbol);
        Session("STOP_FUNC", "ENABLE", stopEnable);
        Session("STOP_FUNC", "SYMBOL", stopSymbol);
    }
};

TEST_F(StartStop, BothFunctionsOffWriteFillersAndASecondRunMarksNothing) {
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_EQ(Vectors(), "04 04 04 04 04 04 04 04");
    EXPECT_EQ(DirtyBlocks(), std::vector<int>{2});
    g_flashBlocks.dirty = {};
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_TRUE(DirtyBlocks().empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StartStop, AnEnabledFunctionCallsItsRoutine) {
    Functions("1", "_start_fn", "1", "_stop_fn");
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_EQ(Vectors(), "FD 45 23 01 FD 10 C0 00");
    DWORD address = 0;
    EXPECT_TRUE(ResolveStartFunc(&address));
    EXPECT_EQ(address, 0x012345u);
    EXPECT_TRUE(ResolveStopFunc(&address));
    EXPECT_EQ(address, 0xC010u);
    EXPECT_EQ(GetStartFuncSymbol(), "_start_fn");
    // Only the bytes that differ are written, and their block marked.
    g_flashBlocks.dirty = {};
    Functions("1", "_start_fn", "0", "_stop_fn");
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_EQ(Vectors(), "FD 45 23 01 04 04 04 04");
    EXPECT_EQ(DirtyBlocks(), std::vector<int>{2});
}

TEST_F(StartStop, ProgramFlashModeProtocolType4AndADeviceWithoutThemWriteNothing) {
    g_emuSel = connect_mode::kProgramFlash;
    ApplyStartStopFunctions();
    g_emuSel = connect_mode::kEraseAndConnect;
    g_protocolType = 4;
    ApplyStartStopFunctions();
    g_protocolType = 1;
    g_deviceValues.supportStartStopFunc = 0;
    ApplyStartStopFunctions();
    EXPECT_EQ(Vectors(), "FF FF FF FF FF FF FF FF");
    EXPECT_TRUE(DirtyBlocks().empty());
}

TEST_F(StartStop, AVectorOutsideTheMirrorIsSkippedAndOnlyBlocksWithFlagsAreMarked) {
    // The area's top from the file lies above the megabyte.
    g_deviceAreas[kAreaAse1].top = 0xFFF000;
    ApplyStartStopFunctions();
    WriteStartStopVector(kFlashMirrorSize - 2, 0, false);
    EXPECT_TRUE(DirtyBlocks().empty());
    EXPECT_EQ(g_flashMirror[kFlashMirrorSize - 2], 0xFFu);

    // An address outside the table's blocks marks the firmware's block when
    // that lies in the table, and nothing when its number is past the flags.
    WriteStartStopVector(0x2000, 0, false);
    EXPECT_EQ(DirtyBlocks(), std::vector<int>{2});
    g_flashBlocks.dirty = {};
    g_deviceValues.firmBlockNo = 4000;
    WriteStartStopVector(0x2010, 0, false);
    EXPECT_TRUE(DirtyBlocks().empty());
    std::fill_n(g_flashMirror.begin() + 0x2000, 0x20, BYTE{0xFF});
}

TEST_F(StartStop, AnUnknownSymbolAnsweredNoSwitchesBothOff) {
    Functions("1", "nowhere", "1", "_stop_fn");
    ui_.AnswerNextMessageBox(IDNO);
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, kQuestion);
    EXPECT_EQ(ui_.MessageBoxes()[0].caption, "Warning");
    EXPECT_EQ(ui_.MessageBoxes()[0].type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(Saved("START_FUNC", "ENABLE"), "0");
    EXPECT_EQ(Saved("STOP_FUNC", "ENABLE"), "0");
    EXPECT_EQ(Vectors(), "FF FF FF FF FF FF FF FF");
}

TEST_F(StartStop, AnUnknownSymbolAnsweredYesOpensTheDialog) {
    Functions("1", "nowhere", "0", "");
    ui_.AnswerNextMessageBox(IDYES);
    ui_.OnDialog(res_id::kStartStopDialog)
        .Do([](platform::UiDialog& d) {
            EXPECT_TRUE((d.CheckState(res_id::kStartFuncEnable) == BST_CHECKED));
            EXPECT_EQ(d.Text(res_id::kStartFuncSymbol), "nowhere");
            EXPECT_FALSE(d.IsEnabled(res_id::kStopFuncSymbol));
        })
        .SetText(res_id::kStartFuncSymbol, "_start_fn")
        .PressOk();
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_EQ(Vectors(), "FD 45 23 01 04 04 04 04");
    EXPECT_EQ(Saved("START_FUNC", "SYMBOL"), "_start_fn");

    // Cancelled, both are switched off.
    Functions("1", "nowhere", "1", "_stop_fn");
    ui_.AnswerNextMessageBox(IDYES);
    ui_.OnDialog(res_id::kStartStopDialog).PressCancel();
    EXPECT_EQ(ApplyStartStopFunctions(), 1u);
    EXPECT_EQ(Saved("START_FUNC", "ENABLE"), "0");
    EXPECT_EQ(Saved("STOP_FUNC", "ENABLE"), "0");
}

TEST_F(StartStop, TheDialogStaysOpenOnAnUnknownSymbolAndOkHeadsTheLabelList) {
    simhost::WorkspaceStorage storage{log_, folder_.Windows("workspace.ini")};
    host_.ChangeWorkspace([](simhost::WorkspaceState& state) {
        state.workspaceName = "Demo";
        state.projectName = "Blinky";
        state.configName = "Debug";
    });
    host_.UseDataStore(&storage);
    Functions("0", "", "1", "old_fn");
    ui_.OnDialog(res_id::kStartStopDialog)
        .Do([](platform::UiDialog& d) {
            EXPECT_FALSE((d.CheckState(res_id::kStartFuncEnable) == BST_CHECKED));
            EXPECT_FALSE(d.IsEnabled(res_id::kStartFuncSymbol));
            EXPECT_FALSE(d.IsEnabled(res_id::kStartFuncLabel));
            EXPECT_TRUE(d.IsEnabled(res_id::kStopFuncSymbol));
            EXPECT_TRUE(d.IsEnabled(res_id::kStopFuncLabel));
            EXPECT_EQ(d.Text(res_id::kStopFuncSymbol), "old_fn");
        })
        .Check(res_id::kStartFuncEnable)
        .Do([](platform::UiDialog& d) {
            EXPECT_TRUE(d.IsEnabled(res_id::kStartFuncSymbol));
            EXPECT_TRUE(d.IsEnabled(res_id::kStartFuncLabel));
        })
        .SetText(res_id::kStartFuncSymbol, "_start_fn")
        .PressOk()
        .Do([](platform::UiDialog& d) { EXPECT_TRUE(d.IsOpen()) << "old_fn does not resolve"; })
        .SetText(res_id::kStopFuncSymbol, "_stop_fn")
        .PressOk();
    CStartStopFunctionDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid value or symbol: old_fn"});
    EXPECT_EQ(Saved("START_FUNC", "ENABLE"), "1");
    EXPECT_EQ(Saved("START_FUNC", "SYMBOL"), "_start_fn");
    EXPECT_EQ(Saved("STOP_FUNC", "SYMBOL"), "_stop_fn");
    EXPECT_EQ(Vectors(), "FD 45 23 01 FD 10 C0 00");
    // The shared list of labels holds both, the last added first.
    CUiSelComboBox combo(&host_);
    CStringList labels;
    combo.LoadMruLabels(labels);
    ASSERT_EQ(labels.GetCount(), 2);
    EXPECT_EQ(std::string(labels.GetHead()), "_stop_fn");
    EXPECT_EQ(std::string(labels.GetTail()), "_start_fn");
    host_.UseDataStore(nullptr);
}

TEST_F(StartStop, TheTargetConfigurationRunsTheDialog) {
    CDeviceSelection selection;  // installs the sheets
    ui_.OnDialog(res_id::kStartStopDialog).PressCancel();
    CTargetConfig config;
    EXPECT_EQ(config.RunStartStopDialog(), 0u);
    EXPECT_EQ(ui_.PendingDialogScripts(), 0u);
}

}  // namespace
}  // namespace settingtest
