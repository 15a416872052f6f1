// Property sheets and wizards, driven through their pages and buttons.
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
using Log = std::vector<std::string>;

class SamplePage : public CPropertyPage {
public:
    SamplePage(UINT templateId, Log& log, UINT captionId = 0)
        : CPropertyPage(templateId, captionId), log_(log), name_(std::to_string(templateId - kFirstPage)) {}

    CString value;
    int check = 0;
    bool refuseLeaving = false;
    bool refuseFinish = false;
    DWORD wizardButtons = 0;  // set on entering the page when not 0
    LRESULT nextAnswer = 0;

    BOOL OnSetActive() override {
        log_.push_back("set active " + name_);
        if (wizardButtons != 0) {
            static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(wizardButtons);
        }
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override {
        log_.push_back("kill active " + name_);
        if (refuseLeaving) {
            AfxMessageBox("Finish this page first.");
            return FALSE;
        }
        return CPropertyPage::OnKillActive();
    }
    void OnOK() override { log_.push_back("ok " + name_); }
    void OnCancel() override { log_.push_back("cancel " + name_); }
    LRESULT OnWizardNext() override {
        log_.push_back("next " + name_);
        return nextAnswer;
    }
    BOOL OnWizardFinish() override {
        log_.push_back("finish " + name_);
        return refuseFinish ? FALSE : TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, kPageValue, value);
        DDX_Check(exchange, kPageCheck, check);
    }
    afx_msg LRESULT OnQuerySiblings(WPARAM wParam, LPARAM) {
        log_.push_back("query " + name_);
        return static_cast<UINT>(wParam) == m_nIDHelp ? 1 : 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    Log& log_;
    std::string name_;
};

BEGIN_MESSAGE_MAP(SamplePage, CPropertyPage)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
END_MESSAGE_MAP()

class SheetTest : public ::testing::Test {
protected:
    Log log;
    SamplePage first{kFirstPage, log};
    SamplePage second{kSecondPage, log, kPageTitle};
    SamplePage third{kThirdPage, log};

    void AddPages(CPropertySheet& sheet) {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.AddPage(&third);
    }
};

TEST_F(SheetTest, OkAppliesThePagesThatWereShown) {
    TestUi ui;
    ui.OnDialog("Sample Settings")
        .Do([](platform::UiDialog& sheet) {
            const platform::DialogView view = sheet.View();
            EXPECT_TRUE(view.sheet);
            EXPECT_EQ(view.templateId, kFirstPage);
            EXPECT_EQ(view.pages, (std::vector<std::string>{"First", "Titled Page", "Third"}));
            EXPECT_NE(view.Find(ID_APPLY_NOW), nullptr);
            EXPECT_FALSE(view.Find(ID_APPLY_NOW)->enabled);  // nothing has changed yet
        })
        .SetText(kPageValue, "one")
        .SelectPage(2)
        .SetText(kPageValue, "three")
        .PressOk();
    CPropertySheet sheet(kSheetCaption);
    AddPages(sheet);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.value, "one");
    EXPECT_EQ(third.value, "three");
    EXPECT_EQ(log, (Log{"set active 0", "kill active 0", "set active 2", "kill active 2", "ok 0", "ok 2"}));
    EXPECT_EQ(first.m_hWnd, nullptr);  // the pages' windows went with the sheet
}

TEST_F(SheetTest, APageThatRefusesToBeLeftKeepsTheSheetOnIt) {
    TestUi ui;
    first.refuseLeaving = true;
    ui.OnDialog("Sample Settings")
        .Do([this](platform::UiDialog& sheet) {
            EXPECT_FALSE(sheet.SelectPage(1));
            EXPECT_EQ(sheet.ActivePage(), 0);
            EXPECT_TRUE(sheet.PressOk());   // OK asks the page too...
            EXPECT_TRUE(sheet.IsOpen());    // ...and stays
            first.refuseLeaving = false;
        })
        .SelectPage(1)
        .Check(kPageCheck)
        .PressCancel();
    CPropertySheet sheet("Sample Settings");
    AddPages(sheet);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_EQ(ui.MessageBoxes()[0].text, "Finish this page first.");
    // Cancel resets every page that was shown, and applies none.
    EXPECT_EQ(log, (Log{"set active 0", "kill active 0", "kill active 0", "kill active 0", "set active 1",
                        "cancel 0", "cancel 1"}));
}

TEST_F(SheetTest, AWizardRunsThroughNextBackAndFinish) {
    first.wizardButtons = PSWIZB_NEXT;
    second.wizardButtons = PSWIZB_BACK | PSWIZB_NEXT;
    third.wizardButtons = PSWIZB_BACK | PSWIZB_FINISH;
    TestUi ui;
    ui.OnDialog("Sample Settings")
        .Do([](platform::UiDialog& sheet) {
            EXPECT_FALSE(sheet.IsEnabled(ID_WIZBACK));
            EXPECT_TRUE(sheet.IsEnabled(ID_WIZNEXT));
            EXPECT_FALSE(sheet.IsVisible(ID_WIZFINISH));
            EXPECT_EQ(sheet.Control(IDOK), nullptr);  // a wizard has no OK
            EXPECT_FALSE(sheet.Back());
        })
        .SetText(kPageValue, "wizard")
        .Next()
        .Back()
        .Next()
        .Next()
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.ActivePage(), 2);
            EXPECT_FALSE(sheet.IsVisible(ID_WIZNEXT));
            EXPECT_TRUE(sheet.IsEnabled(ID_WIZFINISH));
        })
        .Finish();
    CPropertySheet sheet(kSheetCaption);
    AddPages(sheet);
    sheet.SetWizardMode();
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(first.value, "wizard");
    EXPECT_EQ(log, (Log{"set active 0", "next 0", "kill active 0", "set active 1", "kill active 1", "set active 0",
                        "next 0", "kill active 0", "set active 1", "next 1", "kill active 1", "set active 2",
                        "finish 2"}));  // Finish applies no page
}

TEST_F(SheetTest, AWizardPageChoosesWhereNextLeads) {
    first.nextAnswer = kThirdPage;  // skip the second page
    third.refuseFinish = true;
    TestUi ui;
    ui.OnDialog("Sample Settings")
        .Next()
        .Do([this](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.ActivePage(), 2);
            third.nextAnswer = -1;
            EXPECT_TRUE(sheet.Next());  // -1: stays
            EXPECT_EQ(sheet.ActivePage(), 2);
            EXPECT_TRUE(sheet.Finish());  // refused
            EXPECT_TRUE(sheet.IsOpen());
        })
        .PressCancel();
    CPropertySheet sheet(kSheetCaption);
    AddPages(sheet);
    sheet.m_psh.dwFlags |= PSH_WIZARD | PSH_WIZARDHASFINISH;
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(second.m_hWnd, nullptr);
    EXPECT_EQ(log, (Log{"set active 0", "next 0", "kill active 0", "set active 2", "next 2", "finish 2", "cancel 0",
                        "cancel 2"}));
}

// A sheet that shows every page once while it starts, so that all of them
// exist, as the Emulator Setting sheet does.
class AllPagesSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    BOOL OnInitDialog() override {
        const BOOL result = CPropertySheet::OnInitDialog();
        for (int page = GetPageCount() - 1; page >= 0; --page) {
            SetActivePage(page);
        }
        ModifyStyleEx(0, WS_EX_CONTEXTHELP);
        return result;
    }
};

TEST_F(SheetTest, SiblingsAnswerInTurnUntilOneKnows) {
    TestUi ui;
    ui.OnDialog("Sample Settings")
        .Do([this](platform::UiDialog& sheet) {
            EXPECT_TRUE((GetWindowLongA(sheet.Window(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0);
            EXPECT_FALSE(IsWindowVisible(second.m_hWnd));  // made, but not the page shown
            log.clear();
            EXPECT_EQ(first.QuerySiblings(kSecondPage, 0), 1);
            EXPECT_EQ(first.QuerySiblings(1234, 0), 0);
        })
        .PressCancel();
    AllPagesSheet sheet(kSheetCaption);
    AddPages(sheet);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_HASHELP;
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (Log{"query 0", "query 1", "query 0", "query 1", "query 2", "cancel 0", "cancel 1", "cancel 2"}));
    const platform::DialogView shown = ui.Dialogs().at(0);
    const platform::ControlView* apply = shown.Find(ID_APPLY_NOW);
    EXPECT_TRUE(apply == nullptr || !apply->visible) << "no Apply a person could press";
    EXPECT_NE(shown.Find(IDHELP), nullptr);
}

TEST_F(SheetTest, ApplyAppliesAndWaitsForTheNextChange) {
    TestUi ui;
    ui.OnDialog("Sample Settings")
        .SetText(kPageValue, "applied")
        .Do([this](platform::UiDialog& sheet) {
            first.SetModified();
            EXPECT_TRUE(sheet.IsEnabled(ID_APPLY_NOW));
        })
        .Apply()
        .Do([](platform::UiDialog& sheet) {
            EXPECT_TRUE(sheet.IsOpen());
            EXPECT_FALSE(sheet.IsEnabled(ID_APPLY_NOW));
        })
        .PressCancel();
    CPropertySheet sheet(kSheetCaption);
    AddPages(sheet);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(first.value, "applied");
    // The system's sheet shows the page again once it has applied.
    const Log expected = platform::HeadlessWindows()
                             ? Log{"set active 0", "kill active 0", "ok 0", "cancel 0"}
                             : Log{"set active 0", "kill active 0", "ok 0", "set active 0", "cancel 0"};
    EXPECT_EQ(log, expected);
}

TEST_F(SheetTest, ASheetWithoutPagesOrTemplatesIsRefused) {
    TestUi ui;
    CPropertySheet empty("Empty");
    EXPECT_EQ(empty.DoModal(), -1);
    CPropertyPage missing(9999);
    CPropertySheet broken("Broken");
    broken.AddPage(&first);
    broken.AddPage(&missing);
    EXPECT_EQ(broken.DoModal(), -1);
    EXPECT_TRUE(ui.Dialogs().empty());
}

TEST_F(SheetTest, WithoutADriverTheSheetIsCancelled) {
    Q3V_SKIP_ON_SYSTEM_WINDOWS("with no driver the sheet waits for a person");
    CPropertySheet sheet("Sample Settings", nullptr, 1);
    AddPages(sheet);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (Log{"set active 1", "cancel 1"}));
}

}  // namespace
