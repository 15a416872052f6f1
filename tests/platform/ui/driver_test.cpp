// What comes from the person and what is shown to them goes through the UI
// driver: message-box answers, held keys, help and sounds.
#include "platform/afx.h"
#include "platform/sync.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace uitest;
using testsupport::TestUi;

TEST(Driver, MessageBoxesAreAnsweredAndRecorded) {
    TestUi ui;
    ui.AnswerNextMessageBox(IDRETRY);
    EXPECT_EQ(AfxMessageBox("Link lost.", MB_RETRYCANCEL | MB_ICONEXCLAMATION), IDRETRY);
    EXPECT_EQ(AfxMessageBox("Done."), IDOK);
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Link lost.");
    EXPECT_EQ(boxes[0].caption, "UI Tests");
    EXPECT_EQ(boxes[0].Buttons(), MB_RETRYCANCEL);
    EXPECT_EQ(boxes[0].Icon(), MB_ICONEXCLAMATION);
}

TEST(Driver, AnAnswerThatIsNoButtonOfTheBoxFails) {
    platform::ScriptedUiDriver ui;
    ui.AnswerNextMessageBox(IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "Continue?", "Target", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    ASSERT_EQ(ui.Failures().size(), 1u);
    EXPECT_NE(ui.Failures()[0].find("is not a button of the message box"), std::string::npos);
}

TEST(Driver, ABoxThatComesBackUnchangedIsAnsweredWithItsWayOutAndTheDriverSaysSo) {
    platform::ScriptedUiDriver ui;
    int retries = 0;
    while (MessageBoxA(nullptr, "Connector disconnected", "Target", MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY) {
        ASSERT_LT(++retries, 100) << "an unattended loop around a box never ends";
    }
    EXPECT_EQ(retries, platform::kUnchangedBoxLimit - 1);
    ASSERT_EQ(ui.Failures().size(), 1u);
    EXPECT_NE(ui.Failures()[0].find("\"Connector disconnected\" came back unchanged 16 times in a row"),
              std::string::npos)
        << ui.Failures()[0];

    // Each kind of box has its way out.
    const struct {
        UINT type;
        int answer;
    } cases[] = {{MB_OK, IDOK},          {MB_OKCANCEL, IDCANCEL}, {MB_ABORTRETRYIGNORE, IDABORT},
                 {MB_YESNOCANCEL, IDCANCEL}, {MB_YESNO, IDNO},        {MB_RETRYCANCEL, IDCANCEL}};
    for (const auto& c : cases) {
        int answer = 0;
        for (int i = 0; i < platform::kUnchangedBoxLimit; ++i) {
            answer = MessageBoxA(nullptr, "Again?", "Target", c.type);
        }
        EXPECT_EQ(answer, c.answer) << c.type;
    }
}

TEST(Driver, AnotherBoxOrAScriptedAnswerKeepsTheUnchangedBoxRuleAway) {
    platform::ScriptedUiDriver ui;
    for (int i = 0; i < 3 * platform::kUnchangedBoxLimit; ++i) {
        const char* text = i % 2 == 0 ? "Retry the read?" : "Retry the write?";
        EXPECT_EQ(MessageBoxA(nullptr, text, "Target", MB_RETRYCANCEL), IDRETRY) << i;
    }
    for (int i = 0; i < 2 * platform::kUnchangedBoxLimit; ++i) {
        ui.AnswerNextMessageBox(IDRETRY);
        EXPECT_EQ(MessageBoxA(nullptr, "Retry?", "Target", MB_RETRYCANCEL), IDRETRY)
            << "the script's own answer stands";
    }
    EXPECT_TRUE(ui.Failures().empty());
}

TEST(Driver, TheRecordKeepsTheLatestOfWhatWasShown) {
    platform::ScriptedUiDriver ui;
    const std::size_t shown = platform::ScriptedUiDriver::kRecordLimit + 10;
    for (std::size_t i = 0; i < shown; ++i) {
        MessageBoxA(nullptr, std::to_string(i).c_str(), "Target", MB_OK);
        GetKeyState(VK_SHIFT);
    }
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), platform::ScriptedUiDriver::kRecordLimit);
    EXPECT_EQ(boxes.front().text, "10");
    EXPECT_EQ(boxes.back().text, std::to_string(shown - 1));
    EXPECT_EQ(ui.KeyQueries().size(), platform::ScriptedUiDriver::kRecordLimit);
}

TEST(Driver, TheClassLibraryGivesBoxesTheirUsualIcons) {
    struct Case {
        UINT type;
        UINT icon;
    };
    const Case cases[] = {
        {MB_OK, MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_ICONEXCLAMATION},
        {MB_YESNO, MB_ICONQUESTION},
        {MB_YESNOCANCEL, MB_ICONQUESTION},
        {MB_RETRYCANCEL, 0},
        {MB_OK | MB_ICONINFORMATION, MB_ICONINFORMATION},  // an icon given stays
    };
    TestUi ui;
    for (const Case& c : cases) {
        AfxMessageBox("text", c.type);
    }
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), std::size(cases));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].Icon(), cases[i].icon) << "type " << cases[i].type;
    }
}

TEST(Driver, APromptByIdComesFromTheStringTable) {
    TestUi ui;
    EXPECT_EQ(AfxMessageBox(kAppTitle, MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(AfxMessageBox(4711), 0);  // no such string: no box
    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Sample Application");
}

TEST(Driver, KeyStatesComeFromTheDriver) {
    TestUi ui;
    ui.HoldKey(VK_F1);
    ui.HoldKey(VK_SHIFT);
    EXPECT_LT(GetKeyState(VK_F1), 0);  // the high bit: held
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    ui.HoldKey(VK_SHIFT, false);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(ui.KeyQueries(), (std::vector<int>{VK_F1, VK_SHIFT, VK_CONTROL, VK_SHIFT}));
}

TEST(Driver, WithoutADriverNoKeyIsHeldAndMenusAreDismissed) {
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    const HWND owner = CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "only");
    EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
    DestroyMenu(menu);
    DestroyWindow(owner);
}

TEST(Driver, HelpCallsAreRecorded) {
    TestUi ui;
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    app->WinHelp(0x812C03E9, HELP_CONTEXTPOPUP);
    PlatformHtmlHelpA(nullptr, "Z:\\plugin\\Emulator.chm", HH_DISPLAY_TOPIC, 0);
    const HWND window = CreateWindowExA(0, nullptr, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    platform::ProcessWaitingMessages();
    DestroyWindow(window);

    const auto calls = ui.HelpCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, platform::HelpKind::WinHelp);
    EXPECT_EQ(calls[0].file, app->m_pszHelpFilePath);
    EXPECT_EQ(calls[0].command, HELP_CONTEXTPOPUP);
    EXPECT_EQ(calls[0].data, 0x812C03E9u);
    EXPECT_EQ(calls[1].kind, platform::HelpKind::HtmlHelp);
    EXPECT_EQ(calls[1].file, "Z:\\plugin\\Emulator.chm");
    EXPECT_EQ(calls[2].kind, platform::HelpKind::ContextHelpMode);
    EXPECT_EQ(calls[2].window, window);
}

TEST(Driver, BeepsAreRecorded) {
    TestUi ui;
    MessageBeep(0xFFFFFFFF);
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ(ui.Beeps(), (std::vector<UINT>{0xFFFFFFFF, MB_ICONEXCLAMATION}));
}

TEST(Driver, AWorkerThreadsBoxGoesToTheDriverToo) {
    TestUi ui;
    ui.AnswerNextMessageBox(IDNO);
    struct Shared {
        int answer = 0;
    } shared;
    CWinThread* worker = AfxBeginThread(
        [](LPVOID parameter) -> UINT {
            static_cast<Shared*>(parameter)->answer = MessageBoxA(nullptr, "Erase?", "Target", MB_YESNO);
            return 0;
        },
        &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    worker->m_bAutoDelete = FALSE;
    worker->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(worker->m_hThread, INFINITE), WAIT_OBJECT_0);
    delete worker;
    EXPECT_EQ(shared.answer, IDNO);
    EXPECT_EQ(ui.MessageBoxes().at(0).text, "Erase?");
}

TEST(Driver, TheWaitCursorIsCountedWhileTheProgramIsBusy) {
    EXPECT_FALSE(platform::WaitCursorShown());
    {
        CWaitCursor busy;
        EXPECT_TRUE(platform::WaitCursorShown());
        {
            CWaitCursor nested;
        }
        EXPECT_TRUE(platform::WaitCursorShown());
    }
    EXPECT_FALSE(platform::WaitCursorShown());
    CCmdTarget target;
    target.BeginWaitCursor();
    EXPECT_TRUE(platform::WaitCursorShown());
    target.EndWaitCursor();
    target.EndWaitCursor();  // one too many changes nothing
    EXPECT_FALSE(platform::WaitCursorShown());
}

}  // namespace
