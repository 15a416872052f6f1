// The simulated host's UI driver: what the plug-in shows appears on the
// console, and the person at the console answers, or, when the session is not
// interactive, the defaults do.
#pragma once

#include "platform/ui.h"
#include "platform/ui_dialog.h"

#include <atomic>
#include <functional>
#include <iosfwd>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace simhost {

struct BoxButton;

// Installs itself for its lifetime. A message box with only OK offers no
// choice: it is shown on one line and nobody is asked. Not interactive: every
// other box answers its default button, but one that comes back unchanged
// kUnchangedBoxLimit times in a row its way out (Cancel), with a line that
// says so; a dialog gets its default button (OK, or Next through a wizard to
// Finish), and Cancel when that does not close it, or at once when the same
// dialog has come back kUnchangedBoxLimit times in a row; a menu is
// dismissed; no key is held. Interactive: each asks at the console, saying
// which answers it takes (an empty answer takes the default; a line that is
// no answer is named, and a box asks again). "quit" as an answer, or the end
// of input, leaves: from then on every box answers its way out (Cancel, No,
// Abort), every dialog is cancelled, no key is held and no menu item chosen,
// so the session ends the least harmful way.
class ConsoleUiDriver : public platform::UiDriver {
public:
    ConsoleUiDriver(std::istream& in, std::ostream& out, bool interactive);
    ~ConsoleUiDriver() override;
    ConsoleUiDriver(const ConsoleUiDriver&) = delete;
    ConsoleUiDriver& operator=(const ConsoleUiDriver&) = delete;

    // Interactive answers come from source (false: no more input) instead
    // of the input stream: the console's reader thread feeds both. echo: each
    // answer is shown beside its question (a terminal shows what is typed
    // itself).
    void SetLineSource(std::function<bool(std::string&)> source, bool echo);
    // Held by whoever writes to the console: lines come from the go thread
    // too, and a box waiting for its answer keeps the console.
    std::recursive_mutex& OutputLock() { return mutex_; }
    // The next dialog is first filled by fill (then answered as every
    // dialog is): what the host's own commands type into a sheet.
    void FillNextDialog(std::function<void(platform::UiDialog&)> fill);

    // Someone answered "quit": the console ends its session after the
    // command that asked (or at once, when nothing ran).
    bool QuitAsked() const { return quitAsked_; }
    // A line given as an answer: true (and the quit noted) when it is
    // "quit" or "exit".
    bool TakeQuit(const std::string& line);

    // The state of a key while it lives: held or not without asking, or
    // asked with the reason the key matters then.
    class KeyScope {
    public:
        KeyScope(ConsoleUiDriver& driver, int virtualKey, std::optional<bool> held, std::string purpose);
        ~KeyScope();
        KeyScope(const KeyScope&) = delete;
        KeyScope& operator=(const KeyScope&) = delete;

    private:
        ConsoleUiDriver& driver_;
        int virtualKey_;
    };

    int OnMessageBox(const platform::MessageBoxRequest& request) override;
    void OnDialog(platform::UiDialog& dialog) override;
    // A dialog left to its program has closed: what its multi-line edit
    // fields showed last (the connecting dialog's log) is printed.
    void OnDialogEnded(platform::UiDialog& dialog) override;
    UINT OnPopupMenu(const platform::MenuRequest& menu) override;
    bool IsKeyDown(int virtualKey) override;
    void OnHelp(const platform::HelpRequest& request) override;
    void OnBeep(UINT type) override;
    void OnShellExecute(const platform::ShellRequest& request) override;

private:
    void Show(const platform::DialogView& view);
    void PressDefault(platform::UiDialog& dialog);
    // Runs one console command on the dialog; false when the person leaves
    // the dialog to the program.
    bool Command(platform::UiDialog& dialog, const std::string& line);
    // False at the end of input, which then lasts.
    bool Ask(const std::string& prompt, std::string& answer);
    // The button the person chooses for a box, asked until a line names one
    // of its buttons (empty: byDefault); none at "quit" or the end of input.
    std::optional<int> AskForButton(const std::vector<BoxButton>& buttons, int byDefault, int wayOut);
    // Nobody answers any more: not interactive, someone asked to quit, or
    // the input has ended.
    bool Unattended() const { return !interactive_ || quitAsked_ || inputEnded_; }
    // The person's commands on the dialog until it closes, is left to its
    // program, or nobody answers any more.
    void AnswerAtConsole(platform::UiDialog& dialog, const platform::DialogView& view);
    // The way a person answers this dialog: its buttons and the help.
    void ShowAnswers(const platform::DialogView& view);
    // Nobody answers any more ("quit", the end of input): the dialog is
    // cancelled, and the console says why.
    void Leave(platform::UiDialog& dialog);
    // Cancel, else the close box; a dialog that neither closes gets its
    // default button, the only way on.
    void Cancel(platform::UiDialog& dialog);
    // Why nobody answers any more: "quit" or "end of input".
    const char* LeavingReason() const;
    // Unattended: the same dialog (caption and template) has come back
    // kUnchangedBoxLimit times in a row, as in a loop that shows it again
    // after every OK; the count then starts again.
    bool CameBackTooOften(const platform::DialogView& view);

    struct KeyState {
        std::optional<bool> held;
        std::string purpose;
    };

    std::istream& in_;
    std::ostream& out_;
    bool interactive_;
    platform::UiDriver* previous_;
    std::recursive_mutex mutex_;  // the console is one, whatever thread shows something
    platform::UnchangedBoxCount unchangedBoxes_;
    std::function<bool(std::string&)> lineSource_;
    bool echoAnswers_ = false;
    std::set<HWND> leftOpen_;  // dialogs left to their program, until they close
    struct DialogSeen {
        std::string caption;
        UINT templateId = 0;
        int count = 0;
    };
    DialogSeen lastDialog_;  // the last dialog answered unattended, and how often in a row
    std::function<void(platform::UiDialog&)> fillNext_;
    std::map<int, KeyState> keys_;
    std::atomic<bool> quitAsked_{false};
    bool inputEnded_ = false;  // under mutex_, as every question is
};

}  // namespace simhost
