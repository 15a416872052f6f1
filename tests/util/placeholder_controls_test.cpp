// The placeholder button and the guarded edit control in a dialog driven as
// a person would, with the simulated host's custom placeholders behind them.
#include "util/ui_custom_edit.h"
#include "util/ui_placeholder_button.h"
#include "util/ui_sel_combo_box.h"

#include "sim/host/sim_host.h"
#include "tests/platform/code_page_scope.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"
#include "util/placeholder_expander.h"
#include "util/placeholder_keywords.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace utiltest;
using testsupport::TestUi;
using Script = platform::ScriptedUiDriver::DialogScript;

constexpr UINT kFirst = CUiPlaceholderButtonEB::kFirstCommand;
// The file-action page's offer: the characters a file name cannot hold and
// three backslashes, and seven keywords.
const int kFileKeywords[] = {kConfigDir, kProjectDir, kWorkspaceDir, kKtrDir, kWorkspaceName, kProjectName,
                             kConfigName, 0};
const int kShortList[] = {kFileLeaf, CUiPlaceholderButtonEB::kSeparatorEntry, kExtension, 0};

class PlaceholderDialog : public CDialog {
public:
    PlaceholderDialog(IHostServiceProvider* host, const int* keywords, std::unique_ptr<CUiCustomEditCtrl> edit)
        : CDialog(kPlaceholderDialog),
          fileEdit(std::move(edit)),
          fileButton(fileEdit.get(), keywords, host, this),
          comboButton(&combo, keywords, host, this) {
        combo.SetHost(host);
    }

    std::unique_ptr<CUiCustomEditCtrl> fileEdit;
    CUiSelComboBox combo;
    CUiPlaceholderButtonEB fileButton;
    CUiPlaceholderButtonEB comboButton;
    std::vector<UINT> passedOn;
    CString initialText;
    CString presetText;  // put in the field before the control takes it over

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (!presetText.IsEmpty()) {
            SetDlgItemText(kFileEdit, presetText);
        }
        fileEdit->SubclassDlgItem(kFileEdit, this);
        fileButton.SubclassDlgItem(kFileButton, this);
        combo.SubclassDlgItem(kPlaceholderCombo, this);
        comboButton.SubclassDlgItem(kComboButton, this);
        if (presetText.IsEmpty()) {
            CDataExchange load(this, FALSE);
            fileEdit->ExchangeText(&load, kFileEdit, initialText);
        }
        return TRUE;
    }
    afx_msg void OnPassedOn(UINT id) { passedOn.push_back(id); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PlaceholderDialog, CDialog)
    ON_COMMAND_RANGE(CUiPlaceholderButtonEB::kFirstCommand, CUiPlaceholderButtonEB::kLastCommand, OnPassedOn)
END_MESSAGE_MAP()

std::pair<int, int> EditSelection(platform::UiDialog& dialog, int id) {
    int start = 0;
    int end = 0;
    SendMessageA(dialog.Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// A person selects part of the text with the mouse.
Script& SelectText(Script& script, int id, int start, int end, UINT message = EM_SETSEL) {
    return script.Do([=](platform::UiDialog& dialog) {
        const HWND control = dialog.Control(id);
        if (message == EM_SETSEL) {
            SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(start), end);
        } else {
            SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
        }
        SendMessageA(control, WM_LBUTTONUP, 0, 0);
    });
}

class PlaceholderControls : public ::testing::Test {
protected:
    std::unique_ptr<PlaceholderDialog> MakeDialog(const int* keywords, std::unique_ptr<CUiCustomEditCtrl> edit = {}) {
        if (edit == nullptr) {
            edit = std::make_unique<CUiCustomEditCtrl>(keywords, &host);
        }
        return std::make_unique<PlaceholderDialog>(&host, keywords, std::move(edit));
    }
    std::unique_ptr<CUiCustomEditCtrl> FileNameEdit(const int* keywords) {
        CStringList words;
        words.AddTail("\\\\\\");
        return std::make_unique<CUiCustomEditCtrl>("/;*?\"<>|", &words, keywords, &host);
    }
    void AddCustomPlaceholder(const char* name, const char* description) {
        host.ChangeWorkspace([&](simhost::WorkspaceState& state) {
            state.placeholders.push_back({name, description, "value"});
        });
    }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    TestUi ui;
};

TEST_F(PlaceholderControls, TheMenuOffersTheKeywordsWithSeparatorsAndNoCustomPart) {
    ui.ChooseNextMenuItem(0);
    ui.OnDialog(kPlaceholderDialog)
        .Do([](platform::UiDialog& dialog) {
            // Its image is the host application's icon 109.
            EXPECT_NE(SendMessageA(dialog.Control(kFileButton), BM_GETIMAGE, IMAGE_ICON, 0), 0);
        })
        .Click(kFileButton)
        .PressCancel();
    MakeDialog(kShortList)->DoModal();
    const auto menus = ui.Menus();
    ASSERT_EQ(menus.size(), 1u);
    const auto& items = menus[0].items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, kFirst);
    EXPECT_EQ(items[0].text, "File name without extension");
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].id, kFirst + 2);  // the separator used up its id
    EXPECT_EQ(items[2].text, "File extension");
}

TEST_F(PlaceholderControls, CustomPlaceholdersFollowASeparatorInTheirOwnMenu) {
    AddCustomPlaceholder("BOARD", "Board name");
    ui.ChooseNextMenuItem(0);
    ui.OnDialog(kPlaceholderDialog).Click(kFileButton).PressCancel();
    MakeDialog(kShortList)->DoModal();
    const auto menus = ui.Menus();
    ASSERT_EQ(menus.size(), 1u);
    const auto& items = menus[0].items;
    ASSERT_EQ(items.size(), 5u);
    EXPECT_TRUE(items[3].separator);
    EXPECT_EQ(items[4].text, "Custom placeholders");
    ASSERT_EQ(items[4].items.size(), 1u);
    EXPECT_EQ(items[4].items[0].text, "Board name");
    EXPECT_EQ(items[4].items[0].id, kFirst + 3);
}

TEST_F(PlaceholderControls, AChoiceReplacesTheEditsSelectionWithTheCaretAfterIt) {
    ui.ChooseNextMenuItem(kFirst + 2);
    auto& script = ui.OnDialog(kPlaceholderDialog).Type(kFileEdit, "abc");
    SelectText(script, kFileEdit, 1, 2)
        .Click(kFileButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "a$(EXTENSION)c");
            EXPECT_EQ(EditSelection(dialog, kFileEdit), std::make_pair(13, 13));
            EXPECT_EQ(GetFocus(), dialog.Control(kFileEdit));
        })
        .PressCancel();
    MakeDialog(kShortList)->DoModal();
    EXPECT_TRUE(ui.Beeps().empty());
}

TEST_F(PlaceholderControls, AtTheEndOfTheTextThePlaceholderIsAppended) {
    const int fullFile[] = {kFullFile, 0};
    ui.ChooseNextMenuItem(kFirst);
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "dir\\")
        .Click(kFileButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "dir\\$(FULLFILE)");
            EXPECT_EQ(EditSelection(dialog, kFileEdit), std::make_pair(15, 15));
        })
        .PressCancel();
    MakeDialog(fullFile, FileNameEdit(fullFile))->DoModal();
}

TEST_F(PlaceholderControls, AComboBoxBuddyTakesItsSavedSelection) {
    ui.ChooseNextMenuItem(kFirst);
    auto& script = ui.OnDialog(kPlaceholderDialog).Type(kPlaceholderCombo, "xy");
    SelectText(script, kPlaceholderCombo, 0, 0, CB_SETEDITSEL)
        .Click(kComboButton)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kPlaceholderCombo), "$(FILELEAF)xy");
            const auto selection =
                static_cast<DWORD>(SendMessageA(dialog.Control(kPlaceholderCombo), CB_GETEDITSEL, 0, 0));
            EXPECT_EQ(LOWORD(selection), 11);
            EXPECT_EQ(HIWORD(selection), 11);
        })
        .PressCancel();
    MakeDialog(kShortList)->DoModal();
}

TEST_F(PlaceholderControls, ThePassOnEntryReachesTheNotifyWindowAsACommand) {
    AddCustomPlaceholder("UIPHCBPASSON", "More...");
    ui.ChooseNextMenuItem(kFirst + 3);
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "keep")
        .Click(kFileButton)
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "keep"); })
        .PressCancel();
    auto dialog = MakeDialog(kShortList);
    dialog->DoModal();
    EXPECT_EQ(dialog->passedOn, std::vector<UINT>{kFirst + 3});
}

TEST_F(PlaceholderControls, TheFileFieldRefusesItsCharactersAndWord) {
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "a/b")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "ab");
            EXPECT_EQ(EditSelection(dialog, kFileEdit), std::make_pair(2, 2));
        })
        .Type(kFileEdit, "\\\\x\\\\\\y")  // the third backslash in a row is refused
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "ab\\\\x\\\\y");
        })
        .SetText(kFileEdit, "c:\\a.mot\\\\\\")  // pasted: refused as a whole
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "ab\\\\x\\\\y");
            EXPECT_EQ(EditSelection(dialog, kFileEdit), std::make_pair(8, 8));
        })
        .SetText(kFileEdit, "c:\\$(PROJDIR)\\a.mot")
        .PressCancel();
    auto dialog = MakeDialog(kFileKeywords, FileNameEdit(kFileKeywords));
    dialog->DoModal();
    EXPECT_EQ(ui.Beeps(), std::vector<UINT>(3, 0xFFFFFFFF));
    EXPECT_EQ(ui.Dialogs().size(), 1u);
}

TEST_F(PlaceholderControls, UnknownPlaceholdersAreRefusedOnlyWithAKeywordList) {
    ui.OnDialog(kPlaceholderDialog)
        .SetText(kFileEdit, "x")
        .SetText(kFileEdit, "$(NOPE)y")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kFileEdit), "x");
            EXPECT_EQ(EditSelection(dialog, kFileEdit), std::make_pair(1, 1));
        })
        .PressCancel();
    MakeDialog(kShortList, FileNameEdit(kShortList))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 1u);

    ui.OnDialog(kPlaceholderDialog)
        .SetText(kFileEdit, "$(NOPE)y")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "$(NOPE)y"); })
        .PressCancel();
    MakeDialog(kShortList, FileNameEdit(nullptr))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 1u);
}

TEST_F(PlaceholderControls, ACustomPlaceholderOfTheHostIsAccepted) {
    AddCustomPlaceholder("BOARD", "Board name");
    ui.OnDialog(kPlaceholderDialog)
        .SetText(kFileEdit, "$(BOARD)")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "$(BOARD)"); })
        .PressCancel();
    MakeDialog(kShortList, FileNameEdit(kShortList))->DoModal();
    EXPECT_TRUE(ui.Beeps().empty());
}

TEST_F(PlaceholderControls, TheTwoDefaultSetsDifferInTheColon) {
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "c:x.")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "c:x"); })
        .PressCancel();
    MakeDialog(nullptr, std::make_unique<CUiCustomEditCtrl>(nullptr, &host))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 1u);

    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "c:x")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "cx"); })
        .PressCancel();
    MakeDialog(nullptr, std::make_unique<CUiCustomEditCtrl>(nullptr, nullptr, &host))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 2u);
}

TEST_F(PlaceholderControls, AKeywordListWithNothingToCheckItRefusesEveryChange) {
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "ab")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), ""); })
        .PressCancel();
    MakeDialog(kShortList, std::make_unique<CUiCustomEditCtrl>(kShortList, nullptr))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 2u);

    // An expander in place of the host checks as the host would.
    CPlaceholderExpander expander(&host);
    auto edit = std::make_unique<CUiCustomEditCtrl>(kShortList, nullptr);
    edit->SetExpander(&expander);
    ui.OnDialog(kPlaceholderDialog)
        .SetText(kFileEdit, "$(FILELEAF)_$(EXTENSION)")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "$(FILELEAF)_$(EXTENSION)"); })
        .PressCancel();
    MakeDialog(kShortList, std::move(edit))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 2u);
}

TEST_F(PlaceholderControls, DoubleByteCharactersWhoseTrailByteIsABackslashOrBarPass) {
    AnsiCodePageScope japanese(932);
    // U+8868 and U+30DD in code page 932: trail bytes '\\' and '|'.
    const std::string text = "\x95\x5C\x83\x7C";
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, text)
        .Do([&](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), text); })
        .SetText(kFileEdit, text + text)
        .Do([&](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), text + text); })
        .Type(kFileEdit, "|")
        .Do([&](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), text + text); })
        .PressCancel();
    MakeDialog(kFileKeywords, FileNameEdit(kFileKeywords))->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 1u);
}

TEST_F(PlaceholderControls, LoadingShowsOnlyATextTheFieldAccepts) {
    ui.OnDialog(kPlaceholderDialog)
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "a.mot"); })
        .PressCancel();
    auto accepted = MakeDialog(kFileKeywords, FileNameEdit(kFileKeywords));
    accepted->initialText = "a.mot";
    accepted->DoModal();

    ui.OnDialog(kPlaceholderDialog)
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), ""); })
        .PressCancel();
    auto refused = MakeDialog(kFileKeywords, FileNameEdit(kFileKeywords));
    refused->initialText = "a|b";
    refused->DoModal();
}

TEST_F(PlaceholderControls, ATextTheFieldHeldBeforeItWasTakenOverIsWhatARefusalKeeps) {
    ui.OnDialog(kPlaceholderDialog)
        .Type(kFileEdit, "|")
        .Do([](platform::UiDialog& dialog) { EXPECT_EQ(dialog.Text(kFileEdit), "kept.mot"); })
        .PressCancel();
    auto dialog = MakeDialog(kFileKeywords, FileNameEdit(kFileKeywords));
    dialog->presetText = "kept.mot";
    dialog->DoModal();
    EXPECT_EQ(ui.Beeps().size(), 1u);
}

TEST(CustomEditCtrl, KeepsItsOwnCopyOfTheWords) {
    CStringList words;
    words.AddTail("bad");
    CUiCustomEditCtrl edit(&words, nullptr, nullptr);
    words.RemoveAll();
    ASSERT_NE(edit.GetRefusedWords(), nullptr);
    EXPECT_EQ(edit.GetRefusedWords()->GetCount(), 1);
    EXPECT_TRUE(edit.IsRefused("a bad name"));
    EXPECT_FALSE(edit.IsRefused("a BAD name"));  // words count case
    edit.SetRefusedWords(nullptr);
    EXPECT_EQ(edit.GetRefusedWords(), nullptr);
    EXPECT_FALSE(edit.IsRefused("a bad name"));
    EXPECT_EQ(edit.GetRefusedChars().Str(), ".\\/:*?\"<>|");
}

}  // namespace
