#include "platform/ui_script.h"

#include <algorithm>
#include <cstdio>

namespace platform {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Describe(const UiDialog& dialog) {
    return std::string(dialog.IsSheet() ? "sheet " : "dialog ") + std::to_string(dialog.TemplateId()) + " " +
           Quoted(dialog.Caption());
}

bool ButtonOfBox(UINT type, int button) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return button == IDOK;
    case MB_OKCANCEL:
        return button == IDOK || button == IDCANCEL;
    case MB_ABORTRETRYIGNORE:
        return button == IDABORT || button == IDRETRY || button == IDIGNORE;
    case MB_YESNOCANCEL:
        return button == IDYES || button == IDNO || button == IDCANCEL;
    case MB_YESNO:
        return button == IDYES || button == IDNO;
    case MB_RETRYCANCEL:
        return button == IDRETRY || button == IDCANCEL;
    default:
        return false;
    }
}

// Adds to a record, dropping the oldest entry once it holds the limit.
template <typename Item>
void Keep(std::vector<Item>& record, Item item) {
    if (record.size() >= ScriptedUiDriver::kRecordLimit) {
        record.erase(record.begin());
    }
    record.push_back(std::move(item));
}

bool Choosable(const std::vector<MenuItemView>& items, UINT id) {
    return std::any_of(items.begin(), items.end(), [id](const MenuItemView& item) {
        return item.items.empty() ? item.id == id && !item.separator && !item.grayed : Choosable(item.items, id);
    });
}

}  // namespace

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Add(std::string description,
                                                                    std::function<bool(UiDialog&)> action) {
    steps_.push_back(Step{std::move(description), std::move(action)});
    return *this;
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::SetText(int id, std::string text) {
    return Add("set the text of " + std::to_string(id) + " to " + Quoted(text),
               [id, text](UiDialog& dialog) { return dialog.SetText(id, text); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Type(int id, std::string text) {
    return Add("type " + Quoted(text) + " into " + std::to_string(id),
               [id, text](UiDialog& dialog) { return dialog.Type(id, text); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Check(int id, bool checked) {
    return Add((checked ? "check " : "uncheck ") + std::to_string(id),
               [id, checked](UiDialog& dialog) { return dialog.Check(id, checked); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Pick(int id) {
    return Add("pick " + std::to_string(id), [id](UiDialog& dialog) { return dialog.Pick(id); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Click(int id) {
    return Add("click " + std::to_string(id), [id](UiDialog& dialog) { return dialog.Click(id); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Select(int id, std::string item) {
    return Add("select " + Quoted(item) + " in " + std::to_string(id),
               [id, item](UiDialog& dialog) { return dialog.Select(id, item); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::SelectIndex(int id, int index) {
    return Add("select item " + std::to_string(index) + " in " + std::to_string(id),
               [id, index](UiDialog& dialog) { return dialog.SelectIndex(id, index); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Focus(int id) {
    return Add("focus " + std::to_string(id), [id](UiDialog& dialog) { return dialog.Focus(id); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Help(int id) {
    return Add("ask for help on " + std::to_string(id), [id](UiDialog& dialog) { return dialog.Help(id); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::PressOk() {
    return Add("press OK", [](UiDialog& dialog) { return dialog.PressOk(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::PressCancel() {
    return Add("press Cancel", [](UiDialog& dialog) { return dialog.PressCancel(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::PressEscape() {
    return Add("press Escape", [](UiDialog& dialog) { return dialog.PressEscape(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::PressEnter() {
    return Add("press Enter", [](UiDialog& dialog) { return dialog.PressEnter(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Close() {
    return Add("close the window", [](UiDialog& dialog) { return dialog.Close(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Next() {
    return Add("press Next", [](UiDialog& dialog) { return dialog.Next(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Back() {
    return Add("press Back", [](UiDialog& dialog) { return dialog.Back(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Finish() {
    return Add("press Finish", [](UiDialog& dialog) { return dialog.Finish(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Apply() {
    return Add("press Apply", [](UiDialog& dialog) { return dialog.Apply(); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::SelectPage(int index) {
    return Add("turn to page " + std::to_string(index),
               [index](UiDialog& dialog) { return dialog.SelectPage(index); });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::Do(std::function<void(UiDialog&)> step) {
    return Add("a step of the test's own", [step = std::move(step)](UiDialog& dialog) {
        step(dialog);
        return true;
    });
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::WaitForClose() {
    waitForClose_ = true;
    return *this;
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::DialogScript::AtClose(std::function<void(UiDialog&)> check) {
    atClose_.push_back(std::move(check));
    return *this;
}

ScriptedUiDriver::ScriptedUiDriver() : previous_(GetUiDriver()) {
    SetUiDriver(this);
}

ScriptedUiDriver::~ScriptedUiDriver() {
    SetUiDriver(previous_);
    std::vector<std::string> leftovers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& script : scripts_) {
            leftovers.push_back("the script for " +
                                (script->caption_.empty() ? "dialog " + std::to_string(script->templateId_)
                                                          : Quoted(script->caption_)) +
                                " was never used: no such dialog opened");
        }
        if (!answers_.empty()) {
            leftovers.push_back(std::to_string(answers_.size()) + " message-box answers were never used");
        }
        if (!menuChoices_.empty()) {
            leftovers.push_back(std::to_string(menuChoices_.size()) + " menu choices were never used");
        }
    }
    for (const std::string& leftover : leftovers) {
        Report(leftover);
    }
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::OnDialog(UINT templateId) {
    std::lock_guard lock(mutex_);
    auto& script = scripts_.emplace_back(std::make_shared<DialogScript>());
    script->templateId_ = templateId;
    return *script;
}

ScriptedUiDriver::DialogScript& ScriptedUiDriver::OnDialog(std::string caption) {
    std::lock_guard lock(mutex_);
    auto& script = scripts_.emplace_back(std::make_shared<DialogScript>());
    script->caption_ = std::move(caption);
    return *script;
}

void ScriptedUiDriver::AnswerNextMessageBox(int button) {
    std::lock_guard lock(mutex_);
    answers_.push_back(button);
}

void ScriptedUiDriver::ChooseNextMenuItem(UINT id) {
    std::lock_guard lock(mutex_);
    menuChoices_.push_back(id);
}

void ScriptedUiDriver::HoldKey(int virtualKey, bool held) {
    std::lock_guard lock(mutex_);
    if (held) {
        heldKeys_.insert(virtualKey);
    } else {
        heldKeys_.erase(virtualKey);
    }
}

void ScriptedUiDriver::SetFailureHandler(std::function<void(const std::string&)> handler) {
    std::lock_guard lock(mutex_);
    failureHandler_ = std::move(handler);
}

std::vector<MessageBoxRequest> ScriptedUiDriver::MessageBoxes() const {
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<DialogView> ScriptedUiDriver::Dialogs() const {
    std::lock_guard lock(mutex_);
    return dialogs_;
}

std::vector<MenuRequest> ScriptedUiDriver::Menus() const {
    std::lock_guard lock(mutex_);
    return menus_;
}

std::vector<HelpRequest> ScriptedUiDriver::HelpCalls() const {
    std::lock_guard lock(mutex_);
    return helpCalls_;
}

std::vector<int> ScriptedUiDriver::KeyQueries() const {
    std::lock_guard lock(mutex_);
    return keyQueries_;
}

std::vector<UINT> ScriptedUiDriver::Beeps() const {
    std::lock_guard lock(mutex_);
    return beeps_;
}

std::vector<std::string> ScriptedUiDriver::Failures() const {
    std::lock_guard lock(mutex_);
    return failures_;
}

std::size_t ScriptedUiDriver::PendingDialogScripts() const {
    std::lock_guard lock(mutex_);
    return scripts_.size();
}

void ScriptedUiDriver::Report(const std::string& failure) {
    std::function<void(const std::string&)> handler;
    {
        std::lock_guard lock(mutex_);
        failures_.push_back(failure);
        handler = failureHandler_;
    }
    if (handler) {
        handler(failure);
    }
}

int ScriptedUiDriver::OnMessageBox(const MessageBoxRequest& request) {
    std::string failure;
    int answer = DefaultMessageBoxAnswer(request.type);
    {
        std::lock_guard lock(mutex_);
        Keep(shown_, request);
        const bool tooOften = unchangedBoxes_.TooOften(request);
        if (tooOften && answers_.empty()) {
            answer = WayOutOfMessageBox(request.type);
            failure = "the message box " + Quoted(request.text) + " came back unchanged " +
                      std::to_string(kUnchangedBoxLimit) + " times in a row: answered with its way out (" +
                      std::to_string(answer) + ")";
        } else if (!answers_.empty()) {
            const int scripted = answers_.front();
            answers_.pop_front();
            if (ButtonOfBox(request.type, scripted)) {
                answer = scripted;
            } else {
                failure = "the answer " + std::to_string(scripted) + " is not a button of the message box " +
                          Quoted(request.text);
            }
        }
    }
    if (!failure.empty()) {
        Report(failure);
    }
    return answer;
}

std::shared_ptr<ScriptedUiDriver::DialogScript> ScriptedUiDriver::TakeScriptFor(UiDialog& dialog,
                                                                                std::string& mismatch) {
    std::lock_guard lock(mutex_);
    if (scripts_.empty()) {
        mismatch = "no script was left";
        return nullptr;
    }
    const auto& next = scripts_.front();
    const bool matches = next->caption_.empty() ? next->templateId_ == dialog.TemplateId()
                                                : next->caption_ == dialog.Caption();
    if (!matches) {
        mismatch = "the next script is for " + (next->caption_.empty() ? "dialog " + std::to_string(next->templateId_)
                                                                        : Quoted(next->caption_));
        return nullptr;
    }
    auto script = next;
    scripts_.pop_front();
    return script;
}

std::size_t ScriptedUiDriver::Record(DialogView view) {
    std::lock_guard lock(mutex_);
    dialogs_.push_back(std::move(view));
    return dialogs_.size() - 1;
}

void ScriptedUiDriver::RecordResult(std::size_t index, std::optional<INT_PTR> result) {
    std::lock_guard lock(mutex_);
    dialogs_[index].result = result;
}

void ScriptedUiDriver::OnDialog(UiDialog& dialog) {
    const std::size_t record = Record(dialog.View());
    std::string mismatch;
    const auto script = TakeScriptFor(dialog, mismatch);
    bool failed = false;
    if (script == nullptr) {
        Report(Describe(dialog) + " opened, but " + mismatch);
        failed = true;
    } else {
        for (const auto& step : script->steps_) {
            if (!dialog.IsOpen()) {
                Report(Describe(dialog) + " has closed before the step: " + step.description);
                break;
            }
            if (!step.action(dialog)) {
                Report(Describe(dialog) + ": cannot " + step.description + ": " + dialog.Failure());
                failed = true;
                break;
            }
        }
        if (!failed && dialog.IsOpen() && !script->waitForClose_) {
            Report(Describe(dialog) + " is still open at the end of its script");
            failed = true;
        }
    }
    if (failed && dialog.IsOpen()) {
        // Nothing may hang on a failed script: cancel, and end the dialog if
        // it refuses.
        dialog.PressCancel();
        dialog.ForceEnd(IDCANCEL);
    }
    RecordResult(record, dialog.Result());
    if (script != nullptr && !script->atClose_.empty()) {
        std::lock_guard lock(mutex_);
        closing_[dialog.Window()] = script;
    }
}

void ScriptedUiDriver::OnDialogEnded(UiDialog& dialog) {
    std::shared_ptr<DialogScript> script;
    {
        std::lock_guard lock(mutex_);
        const auto found = closing_.find(dialog.Window());
        if (found == closing_.end()) {
            return;
        }
        script = found->second;
        closing_.erase(found);
    }
    for (const auto& check : script->atClose_) {
        check(dialog);
    }
}

UINT ScriptedUiDriver::OnPopupMenu(const MenuRequest& menu) {
    UINT choice = 0;
    {
        std::lock_guard lock(mutex_);
        Keep(menus_, menu);
        if (!menuChoices_.empty()) {
            choice = menuChoices_.front();
            menuChoices_.pop_front();
        }
    }
    if (choice != 0 && !Choosable(menu.items, choice)) {
        Report("the menu has no item " + std::to_string(choice) + " that can be chosen");
        return 0;
    }
    return choice;
}

bool ScriptedUiDriver::IsKeyDown(int virtualKey) {
    std::lock_guard lock(mutex_);
    Keep(keyQueries_, virtualKey);
    return heldKeys_.count(virtualKey) != 0;
}

void ScriptedUiDriver::OnHelp(const HelpRequest& request) {
    std::lock_guard lock(mutex_);
    helpCalls_.push_back(request);
}

std::vector<ShellRequest> ScriptedUiDriver::ShellRequests() const {
    std::lock_guard lock(mutex_);
    return shellRequests_;
}

void ScriptedUiDriver::OnShellExecute(const ShellRequest& request) {
    std::lock_guard lock(mutex_);
    shellRequests_.push_back(request);
}

void ScriptedUiDriver::OnBeep(UINT type) {
    std::lock_guard lock(mutex_);
    beeps_.push_back(type);
}

}  // namespace platform
