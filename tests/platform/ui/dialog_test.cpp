#include "platform/afx.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/sides.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace uitest;
using testsupport::TestUi;

class SampleDialog : public CDialog {
public:
    SampleDialog() : CDialog(kSampleDialog) {}

    CString name = "start";
    int count = 3;
    int enabled = FALSE;
    int mode = 1;
    int kind = 0;
    CString label = "lab";
    std::vector<std::string> events;
    bool endAtInit = false;
    bool closeAtInit = false;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, kName, name);
        DDV_MaxChars(exchange, name, 8);
        DDX_Text(exchange, kCount, count);
        DDX_Check(exchange, kEnabled, enabled);
        DDX_Radio(exchange, kModeA, mode);
        DDX_CBIndex(exchange, kKind, kind);
        DDX_CBString(exchange, kLabel, label);
    }

    BOOL OnInitDialog() override {
        auto* kinds = static_cast<CComboBox*>(GetDlgItem(kKind));
        kinds->AddString("first");
        kinds->AddString("second");
        auto* labels = static_cast<CComboBox*>(GetDlgItem(kLabel));
        labels->AddString("label one");
        labels->AddString("label two");
        CDialog::OnInitDialog();
        if (endAtInit) {
            EndDialog(7);
        }
        if (closeAtInit) {
            PostMessage(WM_CLOSE);
        }
        return TRUE;
    }

    afx_msg void OnNameChanged() { events.push_back("name changed"); }
    afx_msg void OnApplyClicked() { events.push_back("apply"); }
    afx_msg BOOL OnHelpInfo(HELPINFO* help) {
        events.push_back("help " + std::to_string(help->iCtrlId));
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SampleDialog, CDialog)
    ON_EN_CHANGE(kName, OnNameChanged)
    ON_BN_CLICKED(kApply, OnApplyClicked)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

TEST(Dialog, FieldsFilledAndOkExchangeTheValues) {
    TestUi ui;
    ui.OnDialog(kSampleDialog)
        .SetText(kName, "Ada")
        .SetText(kCount, "42")
        .Check(kEnabled)
        .Pick(kModeC)
        .Select(kKind, "second")
        .SetText(kLabel, "start:")
        .PressOk();
    SampleDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "Ada");
    EXPECT_EQ(dialog.count, 42);
    EXPECT_EQ(dialog.enabled, TRUE);
    EXPECT_EQ(dialog.mode, 2);
    EXPECT_EQ(dialog.kind, 1);
    EXPECT_EQ(dialog.label, "start:");
    EXPECT_EQ(dialog.m_hWnd, nullptr);  // the window is gone with the dialog

    // What the person saw: the fields as the exchange loaded them.
    const auto shown = ui.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].templateId, kSampleDialog);
    EXPECT_EQ(shown[0].caption, "Sample");
    EXPECT_EQ(shown[0].Find(kName)->text, "start");
    EXPECT_EQ(shown[0].Find(kCount)->text, "3");
    EXPECT_EQ(shown[0].Find(kModeB)->check, BST_CHECKED);
    EXPECT_EQ(shown[0].Find(kKind)->items, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(shown[0].Find(kKind)->selection, 0);
    EXPECT_EQ(shown[0].Find(kHidden)->visible, false);
    EXPECT_EQ(shown[0].result, IDOK);
}

TEST(Dialog, AFailedExchangeShowsWhyAndKeepsTheDialogOpen) {
    TestUi ui;
    HWND shown = nullptr;
    ui.OnDialog(kSampleDialog)
        .SetText(kCount, "many")
        .PressOk()
        .Do([&shown](platform::UiDialog& dialog) {
            shown = dialog.Window();
            EXPECT_TRUE(dialog.IsOpen());
            // The field that failed has the focus, its text selected.
            EXPECT_EQ(GetFocus(), dialog.Control(kCount));
            DWORD start = 0;
            DWORD end = 0;
            SendMessageA(dialog.Control(kCount), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, 4u);
        })
        .SetText(kCount, "7")
        .PressOk();
    SampleDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 7);
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter an integer.");
    EXPECT_EQ(boxes[0].caption, "UI Tests");
    EXPECT_EQ(boxes[0].Icon(), MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes[0].owner, shown);  // the dialog, active while it runs
}

TEST(Dialog, MaxCharsLimitsTypingAndRefusesALongerText) {
    TestUi ui;
    ui.OnDialog(kSampleDialog)
        .SetText(kName, "abcdefghijk")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(kName), "abcdefgh");  // the limit cut what was typed
            SetDlgItemTextA(dialog.Window(), kName, "a text too long");  // a program is not limited
        })
        .PressOk()
        .PressCancel();
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Enter no more than 8 characters.");
    // The text was exchanged before its check refused it, as in the class
    // library: the failed OK left it in the member.
    EXPECT_EQ(dialog.name, "a text too long");
}

TEST(Dialog, CancelEscapeAndTheCloseBoxLeaveTheValuesUntouched) {
    using Step = platform::ScriptedUiDriver::DialogScript& (platform::ScriptedUiDriver::DialogScript::*)();
    const Step steps[] = {&platform::ScriptedUiDriver::DialogScript::PressCancel,
                          &platform::ScriptedUiDriver::DialogScript::PressEscape,
                          &platform::ScriptedUiDriver::DialogScript::Close};
    for (const Step step : steps) {
        TestUi ui;
        (ui.OnDialog(kSampleDialog).SetText(kName, "Bob").Check(kEnabled).*step)();
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.name, "start");
        EXPECT_EQ(dialog.enabled, FALSE);
    }
}

TEST(Dialog, EnterPressesTheDefaultButton) {
    TestUi ui;
    ui.OnDialog(kSampleDialog).SetText(kName, "Eve").PressEnter();
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "Eve");
}

TEST(Dialog, NotificationsReachTheMapButNotDuringTheExchange) {
    TestUi ui;
    ui.OnDialog(kSampleDialog).SetText(kName, "x").Click(kApply).Help(kCount).PressOk();
    SampleDialog dialog;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // Loading "start" at the start changed the field without a notification.
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"name changed", "apply", "help 1002"}));
}

TEST(Dialog, TheMainWindowWaitsDisabledWhileTheDialogRuns) {
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    AfxGetApp()->m_pMainWnd = &frame;
    TestUi ui;
    ui.OnDialog(kSampleDialog)
        .Do([&frame](platform::UiDialog& dialog) {
            EXPECT_FALSE(frame.IsWindowEnabled());
            EXPECT_EQ(GetParent(dialog.Window()), frame.m_hWnd);  // owned by the main window
        })
        .PressOk();
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(frame.IsWindowEnabled());
    AfxMessageBox("after");
    EXPECT_EQ(ui.MessageBoxes().back().owner, frame.m_hWnd);
    frame.DestroyWindow();
}

TEST(Dialog, MovingTheFocusTheDialogsWay) {
    TestUi ui;
    ui.OnDialog(kSampleDialog)
        .Do([](platform::UiDialog& person) {
            CDialog* dialog = static_cast<CDialog*>(CWnd::FromHandlePermanent(person.Window()));
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(GetFocus(), person.Control(kName));  // the first control that takes it
            dialog->NextDlgCtrl();
            EXPECT_EQ(GetFocus(), person.Control(kCount));
            dialog->GotoDlgCtrl(dialog->GetDlgItem(kName));
            DWORD start = 1;
            DWORD end = 0;
            SendMessageA(person.Control(kName), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);  // an edit control's text is selected
            EXPECT_EQ(end, 5u);
            EXPECT_EQ(LOWORD(dialog->GetDefID()), IDOK);
            dialog->SetDefID(kApply);
        })
        .PressEnter()  // now the Apply button
        .PressOk();
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"apply"}));
}

TEST(Dialog, WithoutADriverCancelIsPressed) {
    Q3V_SKIP_ON_SYSTEM_WINDOWS("with no driver the dialog waits for a person");
    SampleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.name, "start");
}

TEST(Dialog, ADialogThatEndsWhileItStartsIsNeverShown) {
    TestUi ui;  // no script: the dialog must not reach the driver
    SampleDialog dialog;
    dialog.endAtInit = true;
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST(Dialog, AMessageThatArrivesWhileItStartsFindsItShown) {
    TestUi ui;
    ui.OnDialog(kSampleDialog).WaitForClose();
    SampleDialog dialog;
    dialog.closeAtInit = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(ui.Dialogs().size(), 1u);  // the person saw it before the close came
}

TEST(Dialog, AMissingTemplateIsRefused) {
    TestUi ui;
    CDialog dialog(4242);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST(Dialog, ATemplateNamedByItsNumberText) {
    TestUi ui;
    ui.OnDialog(kPlainDialog).PressOk();
    CDialog dialog("#101");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    CDialog unnamed("Plain");  // resources here have ids, not names
    EXPECT_EQ(unnamed.DoModal(), -1);
}

// A script that cannot be followed fails the test and cancels the dialog,
// so that nothing hangs.
struct BadStep {
    const char* what;
    std::function<void(platform::ScriptedUiDriver::DialogScript&)> step;
    const char* failure;
};

TEST(DialogScript, AStepThatCannotBeDoneFailsAndCancels) {
    const BadStep cases[] = {
        {"missing control", [](auto& script) { script.SetText(9999, "x"); }, "there is no control 9999"},
        {"hidden control", [](auto& script) { script.SetText(kHidden, "x"); }, "control 1010 is hidden"},
        {"not a check box", [](auto& script) { script.Check(kName); }, "control 1001 is not a check box"},
        {"not a radio button", [](auto& script) { script.Pick(kEnabled); }, "control 1003 is not a radio button"},
        {"no such item", [](auto& script) { script.Select(kKind, "third"); }, "control 1007 has no item \"third\""},
        {"typing into a list", [](auto& script) { script.SetText(kKind, "x"); }, "is a drop-down list"},
        {"no wizard", [](auto& script) { script.Next(); }, "there is no Next button"},
    };
    for (const BadStep& bad : cases) {
        platform::ScriptedUiDriver ui;
        auto& script = ui.OnDialog(kSampleDialog);
        bad.step(script);
        script.PressOk();
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << bad.what;
        const auto failures = ui.Failures();
        ASSERT_EQ(failures.size(), 1u) << bad.what;
        EXPECT_NE(failures[0].find(bad.failure), std::string::npos) << bad.what << ": " << failures[0];
    }
}

TEST(DialogScript, ADisabledControlCannotBeUsed) {
    platform::ScriptedUiDriver ui;
    ui.OnDialog(kControlsDialog).Click(kDisabled).PressOk();
    CDialog dialog(kControlsDialog);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(ui.Failures().size(), 1u);
    EXPECT_NE(ui.Failures()[0].find("control 2010 is disabled"), std::string::npos);
}

TEST(DialogScript, AnUnexpectedDialogOrAnOpenEndFails) {
    {
        platform::ScriptedUiDriver ui;
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(ui.Failures().size(), 1u);
        EXPECT_NE(ui.Failures()[0].find("opened, but no script was left"), std::string::npos);
    }
    {
        platform::ScriptedUiDriver ui;
        ui.OnDialog(kPlainDialog).PressOk();
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_NE(ui.Failures().at(0).find("the next script is for dialog 101"), std::string::npos);
        EXPECT_EQ(ui.PendingDialogScripts(), 1u);
        ui.OnDialog(kPlainDialog);  // leave nothing pending when the driver goes
        CDialog plain(kPlainDialog);
        plain.DoModal();
        CDialog other(kPlainDialog);
        other.DoModal();
    }
    {
        platform::ScriptedUiDriver ui;
        ui.OnDialog(kSampleDialog).SetText(kName, "abc");
        SampleDialog dialog;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(ui.Failures().size(), 1u);
        EXPECT_NE(ui.Failures()[0].find("is still open at the end of its script"), std::string::npos);
    }
}

TEST(DialogScript, AScriptNoDialogUsedFailsWhenTheDriverGoes) {
    std::vector<std::string> failures;
    {
        platform::ScriptedUiDriver ui;
        ui.SetFailureHandler([&failures](const std::string& failure) { failures.push_back(failure); });
        ui.OnDialog(kSampleDialog).PressOk();
        ui.AnswerNextMessageBox(IDOK);
    }
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("was never used"), std::string::npos);
    EXPECT_NE(failures[1].find("message-box answers were never used"), std::string::npos);
}

TEST(ModelessDialog, RunsBesideTheProgramAndIsDrivenThroughItsWindow) {
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Create(kSampleDialog));
    EXPECT_FALSE(IsWindowVisible(dialog.m_hWnd));  // its template does not say WS_VISIBLE
    dialog.ShowWindow(SW_SHOW);
    platform::UiDialog person(dialog.m_hWnd);
    EXPECT_TRUE(person.SetText(kName, "free"));
    EXPECT_TRUE(person.PressOk());
    EXPECT_EQ(dialog.name, "free");
    EXPECT_FALSE(IsWindowVisible(dialog.m_hWnd));  // EndDialog only hides a modeless dialog
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

}  // namespace
