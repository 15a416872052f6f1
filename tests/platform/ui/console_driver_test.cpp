// The simulated host's console as the UI driver: defaults when nobody is at
// the console, the person's commands when somebody is.
#include "platform/afx.h"
#include "platform/bstr.h"
#include "sim/host/console.h"
#include "sim/host/console_ui.h"
#include "tests/platform/ui/test_resources.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using namespace uitest;

class NameDialog : public CDialog {
public:
    NameDialog() : CDialog(kSampleDialog) {}
    CString name = "start";
    int enabled = FALSE;
    int count = 1;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, kName, name);
        DDX_Check(exchange, kEnabled, enabled);
        DDX_Text(exchange, kCount, count);
    }
};

struct Console {
    explicit Console(const std::string& input, bool interactive = true) : in(input), driver(in, out, interactive) {}
    std::istringstream in;
    std::ostringstream out;
    simhost::ConsoleUiDriver driver;
};

bool Shows(const std::string& output, const std::string& part) {
    return output.find(part) != std::string::npos;
}

TEST(ConsoleDriver, UnattendedDialogsTakeTheirDefaultButton) {
    Console console("", false);
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Shows(console.out.str(), "[dialog \"Sample\" (template 100)]"));
    EXPECT_TRUE(Shows(console.out.str(), "1001 edit \"start\""));
    EXPECT_TRUE(Shows(console.out.str(), "1004 radio button \"Mode &A\" [ ]"));
    EXPECT_FALSE(Shows(console.out.str(), "1010"));  // hidden controls are not shown
    EXPECT_TRUE(Shows(console.out.str(), "[pressed the default button]"));
}

TEST(ConsoleDriver, UnattendedABoxThatComesBackUnchangedIsCancelledAndTheConsoleSaysSo) {
    Console console("", false);
    int retries = 0;
    while (MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY) {
        ASSERT_LT(++retries, 100) << "an unattended loop around a box never ends";
    }
    EXPECT_EQ(retries, platform::kUnchangedBoxLimit - 1);
    EXPECT_TRUE(Shows(console.out.str(), "[the same box came back 16 times in a row: answered Cancel]"))
        << console.out.str();
}

TEST(ConsoleDriver, AtTheConsoleThePersonsRetryStaysTheirChoice) {
    std::string answers;
    for (int i = 0; i < 2 * platform::kUnchangedBoxLimit; ++i) {
        answers += "retry\n";
    }
    Console console(answers);
    for (int i = 0; i < 2 * platform::kUnchangedBoxLimit; ++i) {
        EXPECT_EQ(MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL), IDRETRY) << i;
    }
}

TEST(ConsoleDriver, UnattendedADialogThatRefusesOkIsCancelled) {
    Console console("", false);
    // A field that cannot be read keeps OK from closing; Cancel does.
    class Refusing : public NameDialog {
        BOOL OnInitDialog() override {
            NameDialog::OnInitDialog();
            SetDlgItemText(kCount, "not a number");
            return TRUE;
        }
    } refusing;
    EXPECT_EQ(refusing.DoModal(), IDCANCEL);
    EXPECT_TRUE(Shows(console.out.str(), "Please enter an integer."));
    EXPECT_TRUE(Shows(console.out.str(), "[pressed Cancel]"));
}

TEST(ConsoleDriver, UnattendedAWizardRunsToFinish) {
    Console console("", false);
    CPropertyPage first(kFirstPage);
    CPropertyPage second(kSecondPage);
    CPropertySheet sheet("Wizard");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.SetWizardMode();
    sheet.m_psh.dwFlags |= PSH_WIZARDHASFINISH;
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_TRUE(Shows(console.out.str(), "[property sheet \"Wizard\", page 1 of 2 \"First\""));
    EXPECT_TRUE(Shows(console.out.str(), "[pressed Next]\n[pressed Finish]"));
}

TEST(ConsoleDriver, ThePersonFillsTheDialogWithCommands) {
    Console console("set 1001 Ada Lovelace\ncheck 1003\nclick 9999\nfrobnicate\nok\n");
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "Ada Lovelace");
    EXPECT_EQ(dialog.enabled, TRUE);
    EXPECT_TRUE(Shows(console.out.str(), "1001 edit \"Ada Lovelace\""));
    EXPECT_TRUE(Shows(console.out.str(), "cannot: there is no control 9999"));
    EXPECT_TRUE(Shows(console.out.str(), "set <id> <text>"));  // an unknown command shows the commands
}

TEST(ConsoleDriver, AnEmptyAnswerOrTheEndOfInputTakesTheDefault) {
    Console console("uncheck 1003\n\n");
    NameDialog dialog;
    dialog.enabled = TRUE;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.enabled, FALSE);
    Console ended("set 1001 x\n");  // input ends before the dialog does
    NameDialog other;
    EXPECT_EQ(other.DoModal(), IDOK);
    EXPECT_EQ(other.name, "x");
}

TEST(ConsoleDriver, MenusKeysHelpAndBeeps) {
    Console console("32802\ny\n\n");
    const HWND owner = CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    EXPECT_EQ(static_cast<UINT>(TrackPopupMenu(*menu.GetSubMenu(0), TPM_RETURNCMD, 0, 0, 0, owner, nullptr)),
              kPasteCommand);
    EXPECT_LT(GetKeyState(VK_F1), 0);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    WinHelpA(owner, "Z:\\plugin\\Q3vVk3.hlp", HELP_CONTEXTPOPUP, 0x812C03E9);
    MessageBeep(0);
    DestroyWindow(owner);
    const std::string shown = console.out.str();
    EXPECT_TRUE(Shows(shown, "&Paste  [32802]"));
    EXPECT_TRUE(Shows(shown, "&Grayed  [32803] (grayed)"));
    EXPECT_TRUE(Shows(shown, "is F1 held? (y/N)"));
    EXPECT_TRUE(Shows(shown, "[help: \"Z:\\plugin\\Q3vVk3.hlp\", command 8, context 0x812c03e9]"));
    EXPECT_TRUE(Shows(shown, "[beep]"));

    Console unattended("", false);
    EXPECT_EQ(GetKeyState(VK_F1), 0);
    const HWND other = CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(TrackPopupMenu(*menu.GetSubMenu(0), TPM_RETURNCMD, 0, 0, 0, other, nullptr));
    DestroyWindow(other);
    EXPECT_TRUE(Shows(unattended.out.str(), "[dismissed]"));
}

TEST(ConsoleDriver, AFileOpenedThroughTheShellIsShown) {
    Console console("");
    platform::ShellRequest request;
    request.verb = "open";
    request.file = "Z:\\work\\notes.txt";
    request.parameters = "-r";
    platform::ActiveUiDriver().OnShellExecute(request);
    EXPECT_TRUE(Shows(console.out.str(), "[shell: open \"Z:\\work\\notes.txt\" -r]"));
}

TEST(ConsoleSession, TheHostsLabelChooserAsksThePerson) {
    simhost::SimHost host;
    std::istringstream in("main_loop\n\n");
    std::ostringstream out;
    {
        simhost::Console console(host, in, out, true);
        platform::Bstr label;
        EXPECT_EQ(host.Services().Labels().ChooseLabel(label.Out()), S_OK);
        EXPECT_EQ(label.Ansi(), "main_loop");
        EXPECT_EQ(host.Services().Labels().ChooseLabel(label.Out()), S_FALSE);  // an empty answer cancels
        EXPECT_TRUE(Shows(out.str(), "label (empty to cancel): "));
    }
    platform::Bstr label;
    EXPECT_EQ(host.Services().Labels().ChooseLabel(label.Out()), S_FALSE);  // nobody asks once it has gone
}

}  // namespace
