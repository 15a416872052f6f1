// Windows and messages on the calling thread: handles, parents and children,
// state, text, focus, geometry, posted messages, and what a destroyed window
// answers.
#include "platform/afx.h"
#include "tests/platform/ui/test_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window that keeps a log of the messages it is told about.
class LoggingWindow : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT create) {
        log.push_back(std::string("create ") + create->lpszName);
        return CWnd::OnCreate(create);
    }
    afx_msg void OnDestroy() {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnSetFocus(CWnd*) { log.push_back("focus"); }
    afx_msg void OnKillFocus(CWnd*) { log.push_back("lost focus"); }
    afx_msg void OnSize(UINT, int width, int height) {
        log.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
    }
    afx_msg void OnShowWindow(BOOL show, UINT) { log.push_back(show ? "shown" : "hidden"); }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM) {
        log.push_back("ping " + std::to_string(wParam));
        return static_cast<LRESULT>(wParam) + 1;
    }
    void PostNcDestroy() override { log.push_back("gone"); }

    DECLARE_MESSAGE_MAP()
};

constexpr UINT kPing = WM_APP + 10;

BEGIN_MESSAGE_MAP(LoggingWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(kPing, OnPing)
END_MESSAGE_MAP()

TEST(Windows, ParentsChildrenAndTheirState) {
    const HWND parent = CreateWindowExA(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr,
                                        nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const HWND first = CreateWindowExA(0, "Edit", "one", WS_CHILD | WS_VISIBLE, 10, 20, 50, 12, parent,
                                       reinterpret_cast<HMENU>(7), nullptr, nullptr);
    const HWND second = CreateWindowExA(0, "Button", "two", WS_CHILD, 10, 40, 50, 12, parent,
                                        reinterpret_cast<HMENU>(8), nullptr, nullptr);
    EXPECT_EQ(GetParent(first), parent);
    EXPECT_TRUE(IsChild(parent, first));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetDlgItem(parent, 8), second);
    EXPECT_EQ(GetDlgCtrlID(first), 7);
    EXPECT_EQ(GetDlgItem(parent, 99), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));

    char text[16];
    EXPECT_EQ(GetWindowTextA(first, text, sizeof(text)), 3);
    EXPECT_STREQ(text, "one");
    EXPECT_EQ(GetWindowTextA(first, text, 3), 2);  // cut to the buffer
    EXPECT_STREQ(text, "on");
    EXPECT_TRUE(SetWindowTextA(first, "changed"));
    EXPECT_EQ(GetWindowTextLengthA(first), 7);

    // Visible only with every ancestor; enabled by its own style.
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(second));
    ShowWindow(parent, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_FALSE(EnableWindow(first, FALSE));  // it was enabled
    EXPECT_FALSE(IsWindowEnabled(first));
    EXPECT_TRUE(EnableWindow(first, TRUE));
    EXPECT_TRUE((GetWindowLongA(second, GWL_STYLE) & WS_CHILD) != 0);

    // Children's rectangles are in their parent's client area.
    RECT rect{};
    GetWindowRect(first, &rect);
    EXPECT_EQ(rect.left, 110);
    EXPECT_EQ(rect.top, 70);
    POINT point{115, 75};
    ScreenToClient(first, &point);
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 5);
    GetClientRect(parent, &rect);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, 200);

    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_FALSE(IsWindow(first));  // children go with their parent
    EXPECT_FALSE(IsWindow(second));
}

// A window's user data is pointer-wide, as callers keep an object's address
// there: a value beyond 32 bits comes back whole, and so does the one it
// replaced. The parent is read pointer-wide too; the 32-bit reading of the
// values that fit 32 bits agrees with the pointer-wide one.
TEST(Windows, UserDataAndParentArePointerWide) {
    const HWND parent =
        CreateWindowExA(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const HWND child = CreateWindowExA(0, "Edit", "child", WS_CHILD, 0, 0, 10, 10, parent,
                                       reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    // Every other bit set, up to the pointer's top.
    const auto wide = static_cast<LONG_PTR>(static_cast<ULONG_PTR>(-1) / 3);
    EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, wide), 0);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), wide);
    EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, -1), wide);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), -1);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(parent));
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 5);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 5);
    EXPECT_EQ(SetWindowLongA(child, GWL_ID, 6), 5);
    EXPECT_EQ(GetDlgCtrlID(child), 6);
    EXPECT_TRUE(DestroyWindow(parent));
}

TEST(Windows, ADestroyedWindowAnswersNothing) {
    const HWND window =
        CreateWindowExA(0, nullptr, "short-lived", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(DestroyWindow(window));
    SetLastError(0);
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessageA(window, WM_NULL, 0, 0));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(SetWindowTextA(window, "x"));
    char text[8] = "keep";
    EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(GetDlgItem(window, 1), nullptr);
    EXPECT_EQ(CWnd::FromHandle(window), nullptr);
    EXPECT_EQ(CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 1, 1, window, nullptr, nullptr, nullptr), nullptr);
}

TEST(Windows, AnObjectSeesItsWindowsLifeAndIsDetachedAtTheEnd) {
    LoggingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "logged", WS_POPUP, CRect(0, 0, 50, 40), nullptr, 0));
    EXPECT_EQ(CWnd::FromHandlePermanent(window.m_hWnd), &window);
    window.ShowWindow(SW_SHOW);
    window.MoveWindow(0, 0, 60, 40);
    EXPECT_EQ(window.SendMessage(kPing, 41), 42);
    const HWND handle = window.m_hWnd;
    EXPECT_TRUE(window.DestroyWindow());
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(handle), nullptr);
    EXPECT_EQ(window.log, (std::vector<std::string>{"create logged", "shown", "size 60x40", "ping 41", "destroy",
                                                    "gone"}));
}

TEST(Windows, FocusMovesWithNotice) {
    LoggingWindow one;
    LoggingWindow two;
    ASSERT_TRUE(one.CreateEx(0, nullptr, "one", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    ASSERT_TRUE(two.CreateEx(0, nullptr, "two", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    one.SetFocus();
    EXPECT_EQ(GetFocus(), one.m_hWnd);
    EXPECT_EQ(SetFocus(two.m_hWnd), one.m_hWnd);
    EXPECT_EQ(CWnd::GetFocus(), &two);
    EXPECT_EQ(one.log.back(), "lost focus");
    EXPECT_EQ(two.log.back(), "focus");
    two.DestroyWindow();
    EXPECT_EQ(GetFocus(), nullptr);  // the focused window went
    one.DestroyWindow();
}

TEST(Windows, PostedMessagesWaitForTheThreadsLoop) {
    LoggingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "posted", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    window.log.clear();
    EXPECT_TRUE(window.PostMessage(kPing, 1));
    EXPECT_TRUE(window.PostMessage(kPing, 2));
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(platform::ProcessWaitingMessages(), 2);
    EXPECT_EQ(window.log, (std::vector<std::string>{"ping 1", "ping 2"}));
    // A message posted to a window that goes before its turn is dropped.
    window.PostMessage(kPing, 3);
    window.DestroyWindow();
    window.log.clear();
    platform::ProcessWaitingMessages();
    EXPECT_TRUE(window.log.empty());
}

TEST(Windows, TemporaryObjectsHaveTheWindowsClass) {
    const HWND parent =
        CreateWindowExA(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 50, parent,
                    reinterpret_cast<HMENU>(5), nullptr, nullptr);
    CWnd* object = CWnd::FromHandle(parent)->GetDlgItem(5);
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CComboBox)));
    EXPECT_EQ(CWnd::FromHandlePermanent(object->m_hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(object->m_hWnd), object);  // the same temporary each time
    static_cast<CComboBox*>(object)->AddString("item");
    EXPECT_EQ(static_cast<CComboBox*>(object)->GetCount(), 1);
    DestroyWindow(parent);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

TEST(Windows, FindingAndEnumeratingTopLevelWindows) {
    const HWND frame = CreateWindowExA(0, "KTR2", "Main Frame", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr);
    EXPECT_EQ(FindWindowA("ktr2", nullptr), frame);  // class names ignore case
    EXPECT_EQ(FindWindowA(nullptr, "Main Frame"), frame);
    EXPECT_EQ(FindWindowA("KTR2", "Other"), nullptr);
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&found));
    EXPECT_NE(std::find(found.begin(), found.end(), frame), found.end());
    DestroyWindow(frame);
    EXPECT_EQ(FindWindowA("KTR2", nullptr), nullptr);
}

TEST(Windows, RegisteredMessagesAreOnePerName) {
    const UINT first = RegisterWindowMessageA("ComboExNewItem");
    EXPECT_GE(first, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("comboexnewitem"), first);
    EXPECT_NE(RegisterWindowMessageA("ComboExApply"), first);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(Windows, DescendantsAreFoundAndToldByTheirAncestor) {
    LoggingWindow top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    LoggingWindow middle;
    ASSERT_TRUE(middle.Create(nullptr, "middle", WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
    const HWND bare = CreateWindowExA(0, nullptr, "bare", WS_CHILD, 0, 0, 5, 5, middle.m_hWnd,
                                      reinterpret_cast<HMENU>(2), nullptr, nullptr);
    LoggingWindow deep;
    ASSERT_TRUE(deep.Create(nullptr, "deep", 0, CRect(0, 0, 5, 5), &middle, 3));
    EXPECT_EQ(top.GetDescendantWindow(3), &deep);  // a grandchild
    EXPECT_EQ(top.GetDescendantWindow(2)->m_hWnd, bare);
    EXPECT_EQ(top.GetDescendantWindow(2, TRUE), nullptr);  // only windows with their own object
    EXPECT_EQ(top.GetDescendantWindow(9), nullptr);

    top.SendMessageToDescendants(kPing, 7, 0, TRUE, TRUE);
    EXPECT_EQ(middle.log.back(), "ping 7");
    EXPECT_EQ(deep.log.back(), "ping 7");
    top.SendMessageToDescendants(kPing, 8, 0, FALSE);
    EXPECT_EQ(middle.log.back(), "ping 8");
    EXPECT_EQ(deep.log.back(), "ping 7");  // not deep this time
    top.DestroyWindow();
}

TEST(Windows, CentringOverTheScreenOrTheOwner) {
    LoggingWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(100, 100, 300, 200), nullptr, 0));
    LoggingWindow popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, "popup", WS_POPUP, CRect(0, 0, 100, 50), &owner, 0));
    popup.CenterWindow();
    CRect rect;
    popup.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(150, 125, 250, 175));
    owner.CenterWindow();  // no owner: the work area
    owner.GetWindowRect(&rect);
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(rect.left, (area.right - 200) / 2);
    EXPECT_TRUE(owner.ModifyStyle(0, WS_CAPTION));
    EXPECT_FALSE(owner.ModifyStyle(0, WS_CAPTION));  // nothing to change
    popup.DestroyWindow();
    owner.DestroyWindow();
}

TEST(Windows, TheMainWindowIsTheThreadsOrTheApplications) {
    LoggingWindow frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "main", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    app->m_pMainWnd = &frame;
    EXPECT_EQ(AfxGetMainWnd(), &frame);
    frame.DestroyWindow();
    EXPECT_EQ(app->m_pMainWnd, nullptr);  // a main window that goes is no longer the main window
}

}  // namespace
