// The simulated host's console as the UI driver: defaults when nobody is at
// the console, the person's commands when somebody is.
#include "platform/afx.h"
#include "platform/bstr.h"
#include "sim/host/console.h"
#include "sim/host/console_ui.h"
#include "tests/platform/ui/test_resources.h"

#include <gtest/gtest.h>

#include <functional>
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

std::size_t Count(const std::string& output, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = output.find(part); at != std::string::npos; at = output.find(part, at + part.size())) {
        ++count;
    }
    return count;
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

// A program that shows the same box again after its default answer (Retry),
// or the same dialog again after its OK, loops for ever when nobody answers:
// the 16th time it is answered its way out, and the console says so.
TEST(ConsoleDriver, UnattendedABoxOrDialogThatComesBackUnchangedIsCancelledAndTheConsoleSaysSo) {
    const struct {
        const char* what;
        std::function<bool()> again;
        const char* said;
    } loops[] = {
        {"box", [] { return MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL) == IDRETRY; },
         "[the same box came back 16 times in a row: answered Cancel]"},
        {"dialog", [] { return NameDialog().DoModal() == IDOK; },
         "[the same dialog came back 16 times in a row: cancelled]"},
    };
    for (const auto& loop : loops) {
        Console console("", false);
        int rounds = 0;
        while (loop.again()) {
            ASSERT_LT(++rounds, 100) << loop.what << ": an unattended loop never ends";
        }
        EXPECT_EQ(rounds, platform::kUnchangedBoxLimit - 1) << loop.what;
        EXPECT_TRUE(Shows(console.out.str(), loop.said)) << console.out.str();
    }
}

// Nobody answers once the input has ended: every question takes its least
// harmful answer at once, never its default, however often it comes back.
TEST(ConsoleDriver, OnceTheInputHasEndedEveryQuestionIsAnsweredItsWayOut) {
    Console console("");  // at the console, but nothing more is typed
    const struct {
        UINT type;
        int wayOut;
        const char* said;
    } boxes[] = {
        {MB_RETRYCANCEL | MB_ICONWARNING, IDCANCEL, "[end of input: answered Cancel; the session ends]"},
        {MB_YESNO, IDNO, "[end of input: answered No; the session ends]"},
        {MB_ABORTRETRYIGNORE, IDABORT, "[end of input: answered Abort; the session ends]"},
        {MB_OKCANCEL, IDCANCEL, "[end of input: answered Cancel; the session ends]"},
    };
    for (const auto& box : boxes) {
        console.out.str({});
        EXPECT_EQ(MessageBoxA(nullptr, "Connector disconnected", "Target", box.type), box.wayOut) << box.said;
        EXPECT_TRUE(Shows(console.out.str(), box.said)) << console.out.str();
    }
    EXPECT_EQ(MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL), IDCANCEL) << "again";
    EXPECT_EQ(Count(console.out.str(), "answer ("), 0u) << "nothing is asked after the first end";

    console.out.str({});
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.name, "start") << "nothing of the dialog is taken";
    EXPECT_TRUE(Shows(console.out.str(), "[end of input: the dialog is cancelled; the session ends]"))
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
    Console console("set 1001 Ada Lovelace\ncheck 1003\nclick 9999\nfrobnicate\n?\nok\n");
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "Ada Lovelace");
    EXPECT_EQ(dialog.enabled, TRUE);
    EXPECT_TRUE(Shows(console.out.str(), "1001 edit \"Ada Lovelace\""));
    EXPECT_TRUE(Shows(console.out.str(), "cannot: there is no control 9999"));
    EXPECT_TRUE(Shows(console.out.str(), "[the dialog took \"frobnicate\": no dialog command (\"?\" lists them)]"));
    EXPECT_TRUE(Shows(console.out.str(), "set <id> <text>"));  // "?" shows the commands
}

TEST(ConsoleDriver, ADialogSaysOnceHowToAnswerItAndNamesTheLinesItTookWithoutShowingItAgain) {
    Console console("regs\nfrobnicate 2\nset 1001 x\nok\n");
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "x");
    const std::string shown = console.out.str();
    EXPECT_EQ(Count(shown, "[dialog \"Sample\""), 2u) << "when it opened and after its field changed\n" << shown;
    EXPECT_EQ(Count(shown, "[the next lines answer this dialog until it closes: its buttons click " +
                               std::to_string(kApply) + " (\"Apply\"), ok, cancel; "),
              1u)
        << shown;
    EXPECT_TRUE(Shows(shown, "[the dialog took \"regs\": no dialog command (\"?\" lists them)]\n")) << shown;
    EXPECT_TRUE(Shows(shown, "[the dialog took \"frobnicate 2\": no dialog command (\"?\" lists them)]\n")) << shown;
    EXPECT_FALSE(Shows(shown, "set <id> <text>")) << "the commands only when asked for";
}

// "quit" given to any question: the question is left the way a person leaves
// it, and nothing is asked after it (the next line stays unread).
TEST(ConsoleDriver, QuitAtAnyQuestionLeavesItAndNothingIsAskedAfterIt) {
    struct Question {
        const char* what;
        std::function<int()> ask;
        int leaving;
    };
    const HWND owner = CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    const Question questions[] = {
        {"message box", [] { return MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL); },
         IDCANCEL},
        {"dialog", [] { return static_cast<int>(NameDialog().DoModal()); }, IDCANCEL},
        {"key", [] { return GetKeyState(VK_CONTROL) < 0 ? 1 : 0; }, 0},
        {"menu", [&] { return TrackPopupMenu(*menu.GetSubMenu(0), TPM_RETURNCMD, 0, 0, 0, owner, nullptr); }, 0},
    };
    for (const Question& question : questions) {
        Console console("quit\ncancel\n");
        EXPECT_EQ(question.ask(), question.leaving) << question.what;
        EXPECT_TRUE(console.driver.QuitAsked()) << question.what;
        EXPECT_TRUE(Shows(console.out.str(), "[quit: ")) << question.what << "\n" << console.out.str();
        EXPECT_EQ(MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL), IDCANCEL)
            << question.what << ": the way out, never the default";
        EXPECT_EQ(static_cast<int>(NameDialog().DoModal()), IDCANCEL) << question.what;
        std::string unread;
        EXPECT_TRUE(std::getline(console.in, unread));
        EXPECT_EQ(unread, "cancel") << question.what;
    }
    DestroyWindow(owner);
}

TEST(ConsoleDriver, AKeyTheConsoleFixedIsNotAskedForAndAnAskedKeySaysWhyAndWhatItTook) {
    Console unattended("", false);
    {
        const simhost::ConsoleUiDriver::KeyScope held(unattended.driver, VK_CONTROL, true, "");
        EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "held for the scope, with nobody at the console";
    }
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);

    Console console("help\n");
    {
        const simhost::ConsoleUiDriver::KeyScope fixed(console.driver, VK_CONTROL, false, "why Ctrl matters");
        EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    }
    EXPECT_FALSE(Shows(console.out.str(), "held?")) << "a fixed key is not asked for";
    {
        const simhost::ConsoleUiDriver::KeyScope asked(console.driver, VK_CONTROL, std::nullopt, "why Ctrl matters");
        EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    }
    EXPECT_EQ(console.out.str(),
              "[why Ctrl matters]\nis Ctrl held? (y/N): [\"help\" is no answer: Ctrl taken as not held]\n");
}

TEST(ConsoleDriver, AnEmptyAnswerTakesTheDefaultButtonAndTheEndOfInputCancels) {
    Console console("uncheck 1003\n\n");
    NameDialog dialog;
    dialog.enabled = TRUE;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.enabled, FALSE);
    Console ended("set 1001 x\n");  // input ends before the dialog does
    NameDialog other;
    EXPECT_EQ(other.DoModal(), IDCANCEL);
    EXPECT_EQ(other.name, "start");
}

// A box with only OK offers no choice: it is shown on one line and takes no
// line; a box with a choice names its answers and asks again for a line that
// is none of them.
TEST(ConsoleDriver, ABoxAsksOnlyWhenItOffersAChoiceAndTakesOnlyItsOwnAnswers) {
    Console console("cmd bp 0x10\nok\nRetry\n\n");
    EXPECT_EQ(MessageBoxA(nullptr, "Invalid address value.\nH'0000000a", "Q3vVk3", MB_OK | MB_ICONWARNING), IDOK);
    EXPECT_EQ(console.out.str(), "[message box \"Q3vVk3\"] Invalid address value. H'0000000a\n");
    std::string unread;
    ASSERT_TRUE(std::getline(console.in, unread));
    EXPECT_EQ(unread, "cmd bp 0x10") << "the box took no line";

    console.out.str({});
    EXPECT_EQ(MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL), IDRETRY);
    const std::string asked = console.out.str();
    EXPECT_TRUE(Shows(asked, "[message box \"Target\" (Retry/Cancel)]\nConnector disconnected\n")) << asked;
    EXPECT_TRUE(Shows(asked, "answer (retry, cancel; empty for retry; quit for cancel and the end of the session): "))
        << asked;
    EXPECT_TRUE(Shows(asked, "[\"ok\" is no answer to this box]\n")) << asked;
    EXPECT_EQ(Count(asked, "answer ("), 2u) << "asked again after \"ok\"; \"Retry\" answered\n" << asked;
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Target", MB_YESNO | MB_DEFBUTTON2), IDNO) << "empty: the default";
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
