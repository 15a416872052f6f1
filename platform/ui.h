// Message boxes and the UI driver.
//
// There is no screen: every moment where a person would act goes to the UI
// driver, the one place where a person's actions come from: a message box to
// answer, a modal dialog or property sheet to fill in, a popup menu to choose
// from, a key that may be held, and the help and sounds that would be shown or
// heard. Tests install a scripted driver (platform/ui_script.h); the simulated
// host answers from defaults or asks at its console.
#pragma once

#include "platform/windows_ui.h"

#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#endif

namespace platform {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;

    UINT Buttons() const { return type & MB_TYPEMASK; }
    UINT Icon() const { return type & MB_ICONMASK; }
};

// What a dialog's control showed.
struct ControlView {
    int id = 0;
    std::string kind;  // "button", "check box", "radio button", "group box", "edit", "static", "combo box",
                       // "list box", "list control", "tree control", "spin", "progress", "animation", "window"
    std::string text;  // the window text (a combo box's edit text, a drop-down list's chosen item)
    DWORD style = 0;
    bool enabled = true;
    bool visible = true;
    int check = 0;                       // buttons
    std::vector<std::string> items;      // combo and list boxes; list control rows with their cells joined by '|'
    int selection = -1;                  // combo box, single-selection list box, first selected row
    std::vector<int> selections;         // multiple-selection list box and list control
};

// What a dialog or property sheet showed.
struct DialogView {
    UINT templateId = 0;  // a dialog's template; a sheet's active page's template
    std::string caption;
    bool sheet = false;
    int activePage = -1;              // sheets
    std::vector<std::string> pages;   // sheets: the page titles
    std::vector<ControlView> controls;  // a sheet's: the active page's, then the sheet's own buttons
    std::optional<INT_PTR> result;      // how it ended, when it ended while the driver acted

    const ControlView* Find(int id) const;
};

struct MenuItemView {
    UINT id = 0;  // 0 for separators and popups
    std::string text;
    bool separator = false;
    bool grayed = false;  // MF_GRAYED or MF_DISABLED
    bool checked = false;
    std::vector<MenuItemView> items;  // a popup's items
};

struct MenuRequest {
    HWND owner = nullptr;
    UINT flags = 0;
    POINT at{};
    std::vector<MenuItemView> items;
};

enum class HelpKind {
    WinHelp,          // WinHelpA (file, command, data)
    HtmlHelp,         // the HTML Help control's entry (file, command, data)
    ContextHelpMode,  // the "?" mode entered with SC_CONTEXTHELP
};

struct HelpRequest {
    HelpKind kind = HelpKind::WinHelp;
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
};

// A file the program asked the shell to open (ShellExecuteExA).
struct ShellRequest {
    HWND window = nullptr;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show = 0;
    ULONG mask = 0;
};

// The button a message box of this type answers when nobody chooses: its
// default button (the first unless MB_DEFBUTTON2 or 3 says otherwise).
int DefaultMessageBoxAnswer(UINT type);

// Headless drivers answer a box that has come back unchanged this many times
// in a row with its way out, and say so: a program that shows the same box
// again after every default answer (Retry, OK) would otherwise never end.
inline constexpr int kUnchangedBoxLimit = 16;
// The button that leaves a box of this type: Cancel where it has one, else
// No (Yes/No), Abort (Abort/Retry/Ignore) or OK.
int WayOutOfMessageBox(UINT type);

// Counts the boxes that come back unchanged (text, caption and type) in a row.
class UnchangedBoxCount {
public:
    // Counts the box; true once it has come back kUnchangedBoxLimit times in
    // a row, and the count starts again.
    bool TooOften(const MessageBoxRequest& request);

private:
    std::string text_;
    std::string caption_;
    UINT type_ = 0;
    int count_ = 0;
};

class UiDialog;

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Called on the thread that shows the box; returns the pressed button.
    virtual int OnMessageBox(const MessageBoxRequest& request) = 0;
    // A modal dialog or property sheet is showing, after its initialisation.
    // Act on it as a person would (on the dialog's thread). When this returns
    // with the dialog still open, it stays open until the program closes it
    // (for example from another thread). The base presses Cancel, as a person
    // who wants none of it would.
    virtual void OnDialog(UiDialog& dialog);
    // A modal dialog or sheet that was shown has ended and is about to be
    // destroyed: its controls still show what they showed last (on the
    // dialog's thread). The base does nothing.
    virtual void OnDialogEnded(UiDialog& dialog);
    // A popup menu is tracked: answers the chosen item's command id, or 0 to
    // dismiss the menu. The base dismisses it.
    virtual UINT OnPopupMenu(const MenuRequest& menu);
    // GetKeyState: whether the key is held. The base holds none.
    virtual bool IsKeyDown(int virtualKey);
    // A help call (there is no help viewer). The base ignores it.
    virtual void OnHelp(const HelpRequest& request);
    // MessageBeep. The base ignores it.
    virtual void OnBeep(UINT type);
    // A file opened through the shell (there is none to run anything). The
    // base ignores it.
    virtual void OnShellExecute(const ShellRequest& request);
};

// The process-wide driver (null: a driver that answers every box with its
// default button and otherwise behaves as the base class).
void SetUiDriver(UiDriver* driver);
UiDriver* GetUiDriver();
// The installed driver, or that default one.
UiDriver& ActiveUiDriver();

// Runs the messages waiting for the calling thread's windows (sent and
// posted) and answers how many ran. Code that shows modeless windows outside a
// modal loop calls it where a program's message loop would run.
int ProcessWaitingMessages();
// Takes the oldest thread message (PostThreadMessage) of the calling thread.
bool TakeThreadMessage(MSG& message);

}  // namespace platform

#include "platform/ui_script.h"
