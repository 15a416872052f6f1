// The label combo boxes and their label-selection buttons in a dialog driven
// as a person would, against the simulated host's session names, data manager
// and label chooser.
#include "util/ui_sel_combo_box.h"
#include "util/ui_select_label_button.h"

#include "platform/afx_gdi.h"
#include "platform/bstr.h"
#include "sim/host/host_resources.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace utiltest;
using testsupport::TestUi;

constexpr char kMruKey[] = "MRULABELS_DATAMANAGER_KEY";

// As the start/stop function dialog uses them: each combo box filled from the
// remembered labels when the dialog opens, its text added to them on OK.
class LabelDialog : public CDialog {
public:
    explicit LabelDialog(IHostServiceProvider* host) : CDialog(kLabelDialog) {
        for (int i = 0; i < 2; ++i) {
            combos[i].SetHost(host);
            buttons[i].SetHost(host);
            buttons[i].SetBuddyEdit(&combos[i]);
        }
    }

    CUiSelComboBox combos[2];
    CUiSelectLabelButton buttons[2];
    std::string refused;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        combos[0].SubclassDlgItem(kStartLabel, this);
        combos[1].SubclassDlgItem(kStopLabel, this);
        buttons[0].SubclassDlgItem(kStartLabelButton, this);
        buttons[1].SubclassDlgItem(kStopLabelButton, this);
        for (CUiSelComboBox& combo : combos) {
            combo.SetRefusedChars(refused.c_str());
            combo.FillFromMru(FALSE);
        }
        return TRUE;
    }
    void OnOK() override {
        for (CUiSelComboBox& combo : combos) {
            combo.AddToMru();
        }
        CDialog::OnOK();
    }
};

class LabelControls : public ::testing::Test {
protected:
    void SetUp() override {
        host.ChangeWorkspace([](simhost::WorkspaceState& state) {
            state.workspaceName = "Demo";
            state.projectName = "Blinky";
            state.configName = "Debug";
        });
        host.UseDataStore(&storage);
    }
    void TearDown() override { host.UseDataStore(nullptr); }

    // The remembered labels as the data manager keeps them.
    std::string Stored() const {
        return storage.Stored("session2|Demo|Blinky|Debug", kMruKey);
    }
    // A person selects part of a combo box's text with the mouse.
    static platform::ScriptedUiDriver::DialogScript& SelectText(platform::ScriptedUiDriver::DialogScript& script,
                                                                int id, int start, int end) {
        return script.Do([id, start, end](platform::UiDialog& dialog) {
            const HWND combo = dialog.Control(id);
            SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
            SendMessageA(combo, WM_LBUTTONUP, 0, 0);
        });
    }
    static std::pair<int, int> EditSelection(platform::UiDialog& dialog, int id) {
        const auto selection = static_cast<DWORD>(SendMessageA(dialog.Control(id), CB_GETEDITSEL, 0, 0));
        return {LOWORD(selection), HIWORD(selection)};
    }

    testing_support::TempFolder folder;
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    simhost::WorkspaceStorage storage{log, folder.Windows("workspace.ini")};
    TestUi ui;
};

TEST_F(LabelControls, AChosenLabelReplacesTheSavedSelectionAndTheCaretFollowsIt) {
    host.Labels().QueueLabel("main_loop");
    auto& script = ui.OnDialog(kLabelDialog).Type(kStartLabel, "a+b");
    SelectText(script, kStartLabel, 1, 2)
        .Click(kStartLabelButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kStartLabel), "amain_loopb");
            EXPECT_EQ(EditSelection(dialog, kStartLabel), std::make_pair(10, 10));
            EXPECT_EQ(GetFocus(), dialog.Control(kStartLabel));
        })
        .PressCancel();
    LabelDialog dialog(&host);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(log.Find("ChooseLabel").size(), 1u);
}

TEST_F(LabelControls, WithTheWholeTextOrNothingSelected) {
    host.Labels().QueueLabel("init");
    host.Labels().QueueLabel("end");
    auto& script = ui.OnDialog(kLabelDialog).Type(kStartLabel, "old").Type(kStopLabel, "tail");
    SelectText(script, kStartLabel, 0, 3).Click(kStartLabelButton);
    SelectText(script, kStopLabel, 0, 0)
        .Click(kStopLabelButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kStartLabel), "init");
            EXPECT_EQ(dialog.Text(kStopLabel), "endtail");
            EXPECT_EQ(EditSelection(dialog, kStopLabel), std::make_pair(3, 3));
        })
        .PressCancel();
    LabelDialog dialog(&host);
    dialog.DoModal();
}

TEST_F(LabelControls, CancellingTheChooserKeepsTheTextWithTheCaretAtTheSelectionsEnd) {
    auto& script = ui.OnDialog(kLabelDialog).Type(kStartLabel, "abcd");
    SelectText(script, kStartLabel, 1, 3)
        .Click(kStartLabelButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kStartLabel), "abcd");
            EXPECT_EQ(EditSelection(dialog, kStartLabel), std::make_pair(3, 3));
        })
        .PressCancel();
    LabelDialog dialog(&host);
    dialog.DoModal();
    ASSERT_EQ(log.Find("ChooseLabel").size(), 1u);
    EXPECT_EQ(log.Find("ChooseLabel")[0].detail, "(cancelled)");
}

TEST_F(LabelControls, AcceptedTextsAreRememberedForTheNextDialog) {
    ui.OnDialog(kLabelDialog).Type(kStartLabel, "start_fn").Type(kStopLabel, "stop_fn").PressOk();
    LabelDialog first(&host);
    ASSERT_EQ(first.DoModal(), IDOK);
    // One list for every dialog: the stop function's text went in last.
    EXPECT_EQ(Stored(), "stop_fn|start_fn");

    ui.OnDialog(kLabelDialog)
        .Do([](platform::UiDialog& dialog) {
            const auto view = dialog.View();
            const std::vector<std::string> labels{"stop_fn", "start_fn"};
            EXPECT_EQ(view.Find(kStartLabel)->items, labels);
            EXPECT_EQ(view.Find(kStopLabel)->items, labels);
            EXPECT_EQ(view.Find(kStartLabel)->text, "");  // nothing selected
        })
        .Select(kStartLabel, "start_fn")
        .PressOk();
    LabelDialog second(&host);
    ASSERT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(Stored(), "start_fn|stop_fn");  // re-used: moved to the head, not doubled
    // The scope is the session's names, asked of the host.
    EXPECT_FALSE(log.Find("SessionWorkspaceName").empty());
    EXPECT_FALSE(log.Find("SessionConfigurationName").empty());
}

TEST_F(LabelControls, ARefusedCharacterBeepsAndKeepsTheFormerText) {
    ui.OnDialog(kLabelDialog)
        .Type(kStartLabel, "a b")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kStartLabel), "ab"); })
        .PressOk();
    LabelDialog dialog(&host);
    dialog.refused = " ";
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(ui.Beeps(), std::vector<UINT>{0xFFFFFFFF});
    EXPECT_EQ(Stored(), "ab");
}

TEST_F(LabelControls, ButtonsShowTheHostApplicationsIcon) {
    ui.OnDialog(kLabelDialog)
        .Do([](platform::UiDialog& dialog) {
            const auto icon = reinterpret_cast<HICON>(SendMessageA(dialog.Control(kStartLabelButton), BM_GETIMAGE,
                                                                   IMAGE_ICON, 0));
            EXPECT_NE(icon, nullptr);
        })
        .PressCancel();
    LabelDialog dialog(&host);
    dialog.DoModal();
}

// A combo box alone, in a window of its own.
class LabelComboBox : public LabelControls {
protected:
    void SetUp() override {
        LabelControls::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 80), &parent, 1));
        combo.SetHost(&host);
    }
    void TearDown() override {
        combo.DestroyWindow();
        parent.DestroyWindow();
        LabelControls::TearDown();
    }
    void Use(const std::string& label) {
        combo.SetWindowText(label.c_str());
        combo.AddToMru();
    }
    std::vector<std::string> Labels() {
        CStringList list;
        combo.LoadMruLabels(list);
        std::vector<std::string> labels;
        for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
            labels.push_back(list.GetNext(at).Str());
        }
        return labels;
    }

    CWnd parent;
    CUiSelComboBox combo;
};

TEST_F(LabelComboBox, TwentyAreKeptAndAReusedOneMovesToTheHead) {
    for (int i = 1; i <= 20; ++i) {
        Use("L" + std::to_string(i));
    }
    ASSERT_EQ(Labels().size(), 20u);
    Use("L21");  // the oldest goes
    std::vector<std::string> labels = Labels();
    ASSERT_EQ(labels.size(), 20u);
    EXPECT_EQ(labels.front(), "L21");
    EXPECT_EQ(labels.back(), "L2");
    Use("L17");  // the fifth: moved, not added
    labels = Labels();
    ASSERT_EQ(labels.size(), 20u);
    EXPECT_EQ(labels[0], "L17");
    EXPECT_EQ(labels[1], "L21");
    EXPECT_EQ(labels[4], "L18");
    EXPECT_EQ(labels[5], "L16");
    Use("l17");  // another case is another label
    labels = Labels();
    EXPECT_EQ(labels[0], "l17");
    EXPECT_EQ(labels[1], "L17");
    EXPECT_EQ(labels.size(), 20u);
    combo.SetWindowText("");
    combo.AddToMru();  // an empty text changes nothing
    EXPECT_EQ(Labels()[0], "l17");
}

TEST_F(LabelComboBox, FindsExactlyFromTheStartIndexWithoutWrapping) {
    for (const char* item : {"main", "Main", "mainloop", "main"}) {
        combo.AddString(item);
    }
    EXPECT_EQ(combo.Find(-1, "main", TRUE), 0);
    EXPECT_EQ(combo.Find(1, "main", TRUE), 3);
    EXPECT_EQ(combo.Find(1, "Main", TRUE), 1);
    EXPECT_EQ(combo.Find(2, "Main", TRUE), -1);  // no wrap to the start
    EXPECT_EQ(combo.Find(-1, "mainl", FALSE), 2);
    EXPECT_EQ(combo.Select(0, "main", TRUE), 0);
    EXPECT_EQ(combo.Select(1, "main", TRUE), 3);
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(combo.Select(0, "none", TRUE), -1);
    EXPECT_EQ(combo.GetCurSel(), 3);
}

TEST_F(LabelComboBox, FillingAppendsWithoutRemovingAndCanSelectTheFirst) {
    Use("b");
    Use("a");
    combo.AddString("kept");
    combo.FillFromMru(TRUE);
    ASSERT_EQ(combo.GetCount(), 3);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text.Str(), "a");
    EXPECT_EQ(combo.GetCurSel(), 0);
}

TEST_F(LabelComboBox, WithoutAHostOrADataManagerNothingIsStoredOrRead) {
    host.UseDataStore(nullptr);
    Use("lost");  // the data manager is missing
    EXPECT_TRUE(Labels().empty());
    combo.SetHost(nullptr);
    log.Clear();
    Use("also lost");
    combo.FillFromMru(TRUE);
    EXPECT_TRUE(Labels().empty());
    EXPECT_TRUE(log.Calls().empty());
    EXPECT_EQ(combo.GetCount(), 0);
    host.UseDataStore(&storage);
    combo.SetHost(&host);
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ(Stored(), "\x7F<missing>\x7F");
}

TEST(HostLabelSelection, AnswersQueuedLabelsThenTheAskerThenCancels) {
    simhost::CallLog log;
    simhost::HostLabelSelection chooser(log);
    chooser.QueueLabel("first");
    platform::Bstr label;
    EXPECT_EQ(chooser.ChooseLabel(label.Out()), S_OK);
    EXPECT_EQ(label.Ansi(), "first");
    EXPECT_EQ(chooser.ChooseLabel(label.Out()), S_FALSE);
    EXPECT_EQ(label.Get(), nullptr);
    chooser.SetAsker([] { return std::optional<std::string>("asked"); });
    EXPECT_EQ(chooser.ChooseLabel(label.Out()), S_OK);
    EXPECT_EQ(label.Ansi(), "asked");
}

}  // namespace
