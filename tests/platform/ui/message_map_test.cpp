// Message maps: commands and their update handlers, the class chain, and
// notifications reflected back to the controls that sent them.
#include "platform/afx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kSave = 100;
constexpr UINT kFirstRecent = 200;
constexpr UINT kLastRecent = 205;
constexpr UINT kShared = 300;
constexpr UINT kBaseOnly = 301;
constexpr UINT kUnhandled = 399;
constexpr int kButton = 10;
constexpr int kEdit = 11;
constexpr int kFittingList = 12;
constexpr int kPlainList = 13;

class BaseFrame : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnShared() { log.push_back("base shared"); }
    afx_msg void OnBaseOnly() { log.push_back("base only"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseFrame, CWnd)
    ON_COMMAND(kShared, OnShared)
    ON_COMMAND(kBaseOnly, OnBaseOnly)
END_MESSAGE_MAP()

class Frame : public BaseFrame {
public:
    bool saveEnabled = true;

protected:
    afx_msg void OnSave() { log.push_back("save"); }
    afx_msg void OnUpdateSave(CCmdUI* ui) {
        ui->Enable(saveEnabled);
        ui->SetCheck(saveEnabled ? 1 : 0);
        ui->SetText("Save now");
    }
    afx_msg void OnRecent(UINT id) { log.push_back("recent " + std::to_string(id - kFirstRecent)); }
    afx_msg void OnShared() { log.push_back("derived shared"); }
    afx_msg void OnButton() { log.push_back("parent: button"); }
    afx_msg void OnEditChange() { log.push_back("parent: edit changed"); }
    afx_msg void OnInserted(NMHDR* header, LRESULT* result) {
        log.push_back("parent: inserted row " + std::to_string(reinterpret_cast<NMLISTVIEW*>(header)->iItem) +
                      " of " + std::to_string(header->idFrom));
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, BaseFrame)
    ON_COMMAND(kSave, OnSave)
    ON_UPDATE_COMMAND_UI(kSave, OnUpdateSave)
    ON_COMMAND_RANGE(kFirstRecent, kLastRecent, OnRecent)
    ON_COMMAND(kShared, OnShared)
    ON_BN_CLICKED(kButton, OnButton)
    ON_EN_CHANGE(kEdit, OnEditChange)
    ON_NOTIFY(LVN_INSERTITEM, kFittingList, OnInserted)
    ON_NOTIFY(LVN_INSERTITEM, kPlainList, OnInserted)
END_MESSAGE_MAP()

// A button that handles its own click; the parent never hears of it.
class SelfClickingButton : public CButton {
public:
    std::vector<std::string>* log = nullptr;

protected:
    afx_msg void OnClicked() { log->push_back("button: clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfClickingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// An edit that records its changes and lets its parent hear of them too.
class RecordingEdit : public CEdit {
public:
    std::vector<std::string>* log = nullptr;

protected:
    afx_msg BOOL OnChange() {
        log->push_back("edit: changed");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingEdit, CEdit)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

// A list control that learns of its own new rows.
class FittingList : public CListCtrl {
public:
    std::vector<std::string>* log = nullptr;

protected:
    afx_msg void OnInsertItem(NMHDR* header, LRESULT* result) {
        log->push_back("list: inserted row " + std::to_string(reinterpret_cast<NMLISTVIEW*>(header)->iItem));
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FittingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, OnInsertItem)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    }
    void TearDown() override { frame.DestroyWindow(); }

    void Command(UINT id) { frame.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    Frame frame;
};

TEST_F(MessageMapTest, CommandsFindTheirHandlersAlongTheClassChain) {
    Command(kSave);
    Command(kFirstRecent + 3);
    Command(kShared);    // the derived class's entry wins
    Command(kBaseOnly);  // found in the base class
    Command(kUnhandled);
    EXPECT_EQ(frame.log, (std::vector<std::string>{"save", "recent 3", "derived shared", "base only"}));
}

TEST_F(MessageMapTest, ADisabledCommandDoesNotRun) {
    frame.saveEnabled = false;
    Command(kSave);
    EXPECT_TRUE(frame.log.empty());
}

TEST_F(MessageMapTest, CommandStatesComeFromTheUpdateHandlers) {
    struct Case {
        UINT id;
        bool updated;
        bool enabled;
    };
    const Case cases[] = {
        {kSave, true, true},
        {kShared, false, true},       // a handler but no update handler: enabled
        {kFirstRecent, false, true},  // a range handler counts too
        {kUnhandled, false, false},   // nothing handles it: disabled
    };
    for (const Case& c : cases) {
        const platform::CommandState state = platform::QueryCommandState(frame.m_hWnd, c.id);
        EXPECT_EQ(state.updated, c.updated) << c.id;
        EXPECT_EQ(state.enabled, c.enabled) << c.id;
    }
    const platform::CommandState save = platform::QueryCommandState(frame.m_hWnd, kSave);
    EXPECT_EQ(save.check, 1);
    EXPECT_EQ(save.text, "Save now");
    frame.saveEnabled = false;
    EXPECT_FALSE(platform::QueryCommandState(frame.m_hWnd, kSave).enabled);
    EXPECT_FALSE(platform::QueryCommandState(nullptr, kSave).enabled);  // no window: nothing to run it
}

TEST_F(MessageMapTest, AReflectedNotificationStaysWithItsControl) {
    SelfClickingButton button;
    button.log = &frame.log;
    ASSERT_TRUE(button.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &frame, kButton));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(frame.log, (std::vector<std::string>{"button: clicked"}));

    // Without its object the click reaches the parent.
    button.UnsubclassWindow();
    SendMessageA(GetDlgItem(frame.m_hWnd, kButton), BM_CLICK, 0, 0);
    EXPECT_EQ(frame.log.back(), "parent: button");
    DestroyWindow(GetDlgItem(frame.m_hWnd, kButton));
}

TEST_F(MessageMapTest, AnExtendedReflectionCanPassTheNotificationOn) {
    RecordingEdit edit;
    edit.log = &frame.log;
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(0, 30, 80, 42), &frame, kEdit));
    edit.SetWindowText("typed");
    EXPECT_EQ(frame.log, (std::vector<std::string>{"edit: changed", "parent: edit changed"}));
}

TEST_F(MessageMapTest, NotificationsAreReflectedOrGoToTheParent) {
    FittingList list;
    list.log = &frame.log;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 50, 200, 150), &frame, kFittingList));
    list.InsertColumn(0, "Name");
    list.InsertItem(0, "first");
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 50, 200, 150), &frame, kPlainList));
    plain.DeleteItem(0);  // nothing to delete, nothing heard
    CListCtrl* bare = static_cast<CListCtrl*>(CWnd::FromHandle(plain.UnsubclassWindow()));
    bare->InsertItem(0, "second");
    bare->InsertItem(0, "third");
    EXPECT_EQ(frame.log, (std::vector<std::string>{"list: inserted row 0", "parent: inserted row 0 of 13",
                                                   "parent: inserted row 0 of 13"}));
}

}  // namespace
