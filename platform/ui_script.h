// The scripted UI driver for tests: what the person does, written down in
// advance, and a record of everything that was shown.
//
//     platform::ScriptedUiDriver ui;
//     ui.OnDialog(IDD_SAMPLE).SetText(IDC_NAME, "Ada").Check(IDC_ENABLED).PressOk();
//     ui.AnswerNextMessageBox(IDRETRY);
//
// Dialog scripts are used in order, one for each dialog or sheet that opens
// (matched by template id or caption); message-box answers, menu choices and
// held keys each have their own queue or set. Whatever the script does not
// cover gets the default: a box's default button, a dismissed menu, no key
// held. A dialog that opens without a script, a script step that cannot be
// done, and a dialog still open when its script ends without WaitForClose()
// are failures: they are reported through the failure handler (tests route it
// to the test framework) and the dialog is cancelled, so nothing hangs. So is
// a message box that comes back unchanged kUnchangedBoxLimit times in a row
// with no scripted answer waiting: it is answered with its way out. The
// records of boxes, menus and key queries keep the latest kRecordLimit.
#pragma once

#include "platform/ui.h"
#include "platform/ui_dialog.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace platform {

class ScriptedUiDriver : public UiDriver {
public:
    // The steps for one dialog, in order.
    class DialogScript {
    public:
        DialogScript& SetText(int id, std::string text);
        DialogScript& Type(int id, std::string text);
        DialogScript& Check(int id, bool checked = true);
        DialogScript& Pick(int id);
        DialogScript& Click(int id);
        DialogScript& Select(int id, std::string item);
        DialogScript& SelectIndex(int id, int index);
        DialogScript& Focus(int id);
        DialogScript& Help(int id);
        DialogScript& PressOk();
        DialogScript& PressCancel();
        DialogScript& PressEscape();
        DialogScript& PressEnter();
        DialogScript& Close();
        DialogScript& Next();
        DialogScript& Back();
        DialogScript& Finish();
        DialogScript& Apply();
        DialogScript& SelectPage(int index);
        // Any check or action of the test's own, run in order with the steps.
        DialogScript& Do(std::function<void(UiDialog&)> step);
        // After the steps, the dialog stays open until the program closes it.
        DialogScript& WaitForClose();
        // A check of the test's own once the dialog has ended, before it is
        // destroyed (its controls as they were last shown).
        DialogScript& AtClose(std::function<void(UiDialog&)> check);

    private:
        friend class ScriptedUiDriver;
        struct Step {
            std::string description;
            std::function<bool(UiDialog&)> action;
        };
        DialogScript& Add(std::string description, std::function<bool(UiDialog&)> action);

        UINT templateId_ = 0;
        std::string caption_;
        std::vector<Step> steps_;
        std::vector<std::function<void(UiDialog&)>> atClose_;
        bool waitForClose_ = false;
    };

    // How many message boxes, menus and key queries the records keep.
    static constexpr std::size_t kRecordLimit = 1024;

    // Installs itself for its lifetime (and puts the previous driver back).
    ScriptedUiDriver();
    ~ScriptedUiDriver() override;
    ScriptedUiDriver(const ScriptedUiDriver&) = delete;
    ScriptedUiDriver& operator=(const ScriptedUiDriver&) = delete;

    // The script for the next dialog that opens, which must have this
    // template id (for a sheet: whose active page has it) or this caption.
    DialogScript& OnDialog(UINT templateId);
    DialogScript& OnDialog(std::string caption);
    void AnswerNextMessageBox(int button);
    // The next popup menu's choice (0 dismisses it).
    void ChooseNextMenuItem(UINT id);
    void HoldKey(int virtualKey, bool held = true);
    // Where failures go; without a handler they are only kept (Failures()).
    void SetFailureHandler(std::function<void(const std::string&)> handler);

    std::vector<MessageBoxRequest> MessageBoxes() const;
    std::vector<DialogView> Dialogs() const;
    std::vector<MenuRequest> Menus() const;
    std::vector<HelpRequest> HelpCalls() const;
    std::vector<int> KeyQueries() const;
    std::vector<UINT> Beeps() const;
    std::vector<ShellRequest> ShellRequests() const;
    std::vector<std::string> Failures() const;
    // Dialog scripts not used yet.
    std::size_t PendingDialogScripts() const;

    int OnMessageBox(const MessageBoxRequest& request) override;
    void OnDialog(UiDialog& dialog) override;
    void OnDialogEnded(UiDialog& dialog) override;
    UINT OnPopupMenu(const MenuRequest& menu) override;
    bool IsKeyDown(int virtualKey) override;
    void OnHelp(const HelpRequest& request) override;
    void OnBeep(UINT type) override;
    void OnShellExecute(const ShellRequest& request) override;

private:
    void Report(const std::string& failure);
    std::shared_ptr<DialogScript> TakeScriptFor(UiDialog& dialog, std::string& mismatch);
    std::size_t Record(DialogView view);
    void RecordResult(std::size_t index, std::optional<INT_PTR> result);

    UiDriver* previous_;
    mutable std::mutex mutex_;
    std::deque<std::shared_ptr<DialogScript>> scripts_;
    // The scripts with checks at close, by the window they run on.
    std::map<HWND, std::shared_ptr<DialogScript>> closing_;
    std::deque<int> answers_;
    UnchangedBoxCount unchangedBoxes_;
    std::deque<UINT> menuChoices_;
    std::set<int> heldKeys_;
    std::function<void(const std::string&)> failureHandler_;
    std::vector<MessageBoxRequest> shown_;
    std::vector<DialogView> dialogs_;
    std::vector<MenuRequest> menus_;
    std::vector<HelpRequest> helpCalls_;
    std::vector<int> keyQueries_;
    std::vector<UINT> beeps_;
    std::vector<ShellRequest> shellRequests_;
    std::vector<std::string> failures_;
};

}  // namespace platform
