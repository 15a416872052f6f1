#include "sim/host/console_ui.h"

#include "platform/common_controls.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <sstream>
#include <utility>

namespace simhost {

// A message box's button, by the word that answers it and its name.
struct BoxButton {
    int id;
    const char* word;
    const char* name;
};

namespace {

// A dialog whose buttons are all disabled (a progress dialog): a person
// could only wait for the program to close it.
bool OnlyTheProgramCloses(const platform::DialogView& view) {
    return !view.sheet && std::none_of(view.controls.begin(), view.controls.end(), [](const platform::ControlView& c) {
        return c.kind == "button" && c.visible && c.enabled;
    });
}

constexpr BoxButton kOk{IDOK, "ok", "OK"};
constexpr BoxButton kCancel{IDCANCEL, "cancel", "Cancel"};
constexpr BoxButton kAbort{IDABORT, "abort", "Abort"};
constexpr BoxButton kRetry{IDRETRY, "retry", "Retry"};
constexpr BoxButton kIgnore{IDIGNORE, "ignore", "Ignore"};
constexpr BoxButton kYes{IDYES, "yes", "Yes"};
constexpr BoxButton kNo{IDNO, "no", "No"};

// The buttons of a box of this type; an unknown type shows OK alone.
std::vector<BoxButton> BoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {kOk, kCancel};
    case MB_ABORTRETRYIGNORE:
        return {kAbort, kRetry, kIgnore};
    case MB_YESNOCANCEL:
        return {kYes, kNo, kCancel};
    case MB_YESNO:
        return {kYes, kNo};
    case MB_RETRYCANCEL:
        return {kRetry, kCancel};
    default:
        return {kOk};
    }
}

const BoxButton& BoxButtonOf(const std::vector<BoxButton>& buttons, int id) {
    for (const BoxButton& button : buttons) {
        if (button.id == id) {
            return button;
        }
    }
    return buttons.front();
}

// A box's text on one line: its line breaks as spaces.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r') {
            continue;
        }
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string KeyName(int virtualKey) {
    switch (virtualKey) {
    case VK_F1:
        return "F1";
    case VK_SHIFT:
        return "Shift";
    case VK_CONTROL:
        return "Ctrl";
    case VK_MENU:
        return "Alt";
    default: {
        char name[16];
        std::snprintf(name, sizeof(name), "key 0x%02X", virtualKey);
        return name;
    }
    }
}

void ShowMenu(std::ostream& out, const std::vector<platform::MenuItemView>& items, int depth) {
    for (const platform::MenuItemView& item : items) {
        out << std::string(static_cast<std::size_t>(depth) * 2 + 2, ' ');
        if (item.separator) {
            out << "----\n";
            continue;
        }
        out << item.text;
        if (item.items.empty()) {
            out << "  [" << item.id << "]";
        }
        out << (item.grayed ? " (grayed)" : "") << (item.checked ? " (checked)" : "") << "\n";
        ShowMenu(out, item.items, depth + 1);
    }
}

// A button as the dialog's commands name it: ok, cancel, next, back,
// finish, apply, or a click on its id.
std::string ButtonAnswer(const platform::ControlView& button) {
    switch (button.id) {
    case IDOK:
        return "ok";
    case IDCANCEL:
        return "cancel";
    case ID_WIZNEXT:
        return "next";
    case ID_WIZBACK:
        return "back";
    case ID_WIZFINISH:
        return "finish";
    case ID_APPLY_NOW:
        return "apply";
    default: {
        std::string text;
        std::copy_if(button.text.begin(), button.text.end(), std::back_inserter(text), [](char c) { return c != '&'; });
        return "click " + std::to_string(button.id) + " (\"" + text + "\")";
    }
    }
}

const char* const kDialogHelp =
    "  set <id> <text>     type a field's whole text     click <id>        press a button\n"
    "  type <id> <text>    type at the caret             check <id>        check a box (uncheck <id>)\n"
    "  select <id> <item>  choose an item by its text    pick <id>         pick a radio button\n"
    "  index <id> <n>      choose an item by its index   page <n>          turn to a sheet's page\n"
    "  ok, cancel, close, next, back, finish, apply      help <id>         F1 on a control\n"
    "  show                the dialog again              wait              leave it to the program\n"
    "  (an empty line presses the default button)\n";

}  // namespace

ConsoleUiDriver::ConsoleUiDriver(std::istream& in, std::ostream& out, bool interactive)
    : in_(in), out_(out), interactive_(interactive), previous_(platform::GetUiDriver()) {
    platform::SetUiDriver(this);
}

ConsoleUiDriver::~ConsoleUiDriver() {
    platform::SetUiDriver(previous_);
}

void ConsoleUiDriver::SetLineSource(std::function<bool(std::string&)> source, bool echo) {
    std::lock_guard lock(mutex_);
    lineSource_ = std::move(source);
    echoAnswers_ = echo;
}

bool ConsoleUiDriver::Ask(const std::string& prompt, std::string& answer) {
    out_ << prompt << std::flush;
    const bool answered = lineSource_ ? lineSource_(answer) : static_cast<bool>(std::getline(in_, answer));
    if (!answered) {
        inputEnded_ = true;
        out_ << "\n";
    } else if (lineSource_ && echoAnswers_) {
        out_ << answer << "\n";  // the line typed for the prompt, echoed beside it
    }
    return answered;
}

int ConsoleUiDriver::OnMessageBox(const platform::MessageBoxRequest& request) {
    std::lock_guard lock(mutex_);
    const std::vector<BoxButton> buttons = BoxButtons(request.type);
    if (buttons.size() == 1) {
        // Nothing to choose: shown, and nobody is asked.
        out_ << "[message box \"" << request.caption << "\"] " << OneLine(request.text) << "\n";
        return buttons.front().id;
    }
    std::string names;
    for (const BoxButton& button : buttons) {
        names += (names.empty() ? "" : "/") + std::string(button.name);
    }
    out_ << "[message box \"" << request.caption << "\" (" << names << ")]\n" << request.text << "\n";
    if (interactive_) {
        const int wayOut = platform::WayOutOfMessageBox(request.type);
        if (const std::optional<int> chosen =
                AskForButton(buttons, platform::DefaultMessageBoxAnswer(request.type), wayOut)) {
            return *chosen;
        }
        // Nobody answers any more: the least harmful answer.
        out_ << "[" << LeavingReason() << ": answered " << BoxButtonOf(buttons, wayOut).name
             << "; the session ends]\n";
        return wayOut;
    }
    if (unchangedBoxes_.TooOften(request)) {
        const int wayOut = platform::WayOutOfMessageBox(request.type);
        out_ << "[the same box came back " << platform::kUnchangedBoxLimit << " times in a row: answered "
             << BoxButtonOf(buttons, wayOut).name << "]\n";
        return wayOut;
    }
    out_ << "[answered with the default button]\n";
    return platform::DefaultMessageBoxAnswer(request.type);
}

std::optional<int> ConsoleUiDriver::AskForButton(const std::vector<BoxButton>& buttons, int byDefault, int wayOut) {
    if (Unattended()) {
        return std::nullopt;
    }
    std::string words;
    for (const BoxButton& button : buttons) {
        words += (words.empty() ? "" : ", ") + std::string(button.word);
    }
    const std::string prompt = "answer (" + words + "; empty for " + BoxButtonOf(buttons, byDefault).word +
                               "; quit for " + BoxButtonOf(buttons, wayOut).word + " and the end of the session): ";
    std::string line;
    while (Ask(prompt, line)) {
        if (line.empty()) {
            return byDefault;
        }
        if (TakeQuit(line)) {
            return std::nullopt;
        }
        const std::string word = Lowered(line);
        for (const BoxButton& button : buttons) {
            if (word == button.word) {
                return button.id;
            }
        }
        out_ << "[\"" << line << "\" is no answer to this box]\n";
    }
    return std::nullopt;
}

void ConsoleUiDriver::Show(const platform::DialogView& view) {
    out_ << "[" << (view.sheet ? "property sheet" : "dialog") << " \"" << view.caption << "\"";
    if (view.sheet) {
        out_ << ", page " << view.activePage + 1 << " of " << view.pages.size();
        if (view.activePage >= 0 && view.activePage < static_cast<int>(view.pages.size())) {
            out_ << " \"" << view.pages[static_cast<std::size_t>(view.activePage)] << "\"";
        }
    }
    out_ << " (template " << view.templateId << ")]\n";
    for (const platform::ControlView& control : view.controls) {
        if (!control.visible) {
            continue;
        }
        out_ << "  " << control.id << " " << control.kind;
        if (!control.text.empty()) {
            out_ << " \"" << control.text << "\"";
        }
        if (control.kind == "check box" || control.kind == "radio button") {
            out_ << (control.check == BST_CHECKED ? " [x]" : " [ ]");
        }
        if (!control.items.empty()) {
            out_ << " items:";
            for (std::size_t i = 0; i < control.items.size(); ++i) {
                const bool chosen = static_cast<int>(i) == control.selection ||
                                    std::find(control.selections.begin(), control.selections.end(),
                                              static_cast<int>(i)) != control.selections.end();
                out_ << (i == 0 ? " " : ", ") << (chosen ? "*" : "") << control.items[i];
            }
        }
        out_ << (control.enabled ? "" : " (disabled)") << "\n";
    }
}

void ConsoleUiDriver::PressDefault(platform::UiDialog& dialog) {
    // Through a wizard page by page: each Next must turn the page.
    for (int steps = 0; dialog.IsOpen() && dialog.IsVisible(ID_WIZNEXT) && dialog.IsEnabled(ID_WIZNEXT) &&
                        steps <= dialog.PageCount();
         ++steps) {
        const int page = dialog.ActivePage();
        out_ << "[pressed Next]\n";
        dialog.Next();
        if (dialog.ActivePage() == page) {
            break;
        }
    }
    if (dialog.IsOpen() && dialog.IsVisible(ID_WIZFINISH) && dialog.IsEnabled(ID_WIZFINISH)) {
        out_ << "[pressed Finish]\n";
        dialog.Finish();
    } else if (dialog.IsOpen()) {
        out_ << "[pressed the default button]\n";
        dialog.IsSheet() ? dialog.PressOk() : dialog.PressEnter();
    }
    if (dialog.IsOpen()) {
        out_ << "[pressed Cancel]\n";
        dialog.PressCancel();
    }
    if (dialog.IsOpen()) {
        out_ << "[left open for the program to close]\n";
    }
}

bool ConsoleUiDriver::Command(platform::UiDialog& dialog, const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "?" || (verb == "help" && (words >> std::ws).eof())) {
        out_ << kDialogHelp;
        return true;
    }
    int id = 0;
    std::string rest;
    const auto readIdAndRest = [&words, &id, &rest] {
        words >> id;
        std::getline(words >> std::ws, rest);
    };
    bool done = true;
    if (verb == "set" || verb == "type" || verb == "select") {
        readIdAndRest();
        done = verb == "set" ? dialog.SetText(id, rest) : verb == "type" ? dialog.Type(id, rest) : dialog.Select(id, rest);
    } else if (verb == "index") {
        int index = 0;
        words >> id >> index;
        done = dialog.SelectIndex(id, index);
    } else if (verb == "check" || verb == "uncheck" || verb == "pick" || verb == "click" || verb == "help") {
        words >> id;
        done = verb == "check"     ? dialog.Check(id, true)
               : verb == "uncheck" ? dialog.Check(id, false)
               : verb == "pick"    ? dialog.Pick(id)
               : verb == "click"   ? dialog.Click(id)
                                   : dialog.Help(id);
    } else if (verb == "page") {
        int page = 0;
        words >> page;
        done = dialog.SelectPage(page - 1);
    } else if (verb == "ok") {
        done = dialog.PressOk();
    } else if (verb == "cancel") {
        done = dialog.PressCancel();
    } else if (verb == "close") {
        done = dialog.Close();
    } else if (verb == "next") {
        done = dialog.Next();
    } else if (verb == "back") {
        done = dialog.Back();
    } else if (verb == "finish") {
        done = dialog.Finish();
    } else if (verb == "apply") {
        done = dialog.Apply();
    } else if (verb == "show") {
        Show(dialog.View());
    } else if (verb == "wait") {
        return false;
    } else {
        // Said once, without the dialog again: the line went nowhere else.
        out_ << "[the dialog took \"" << line << "\": no dialog command (\"?\" lists them)]\n";
        return true;
    }
    if (!done) {
        out_ << "cannot: " << dialog.Failure() << "\n";
    } else if (dialog.IsOpen() && verb != "show") {
        Show(dialog.View());
    }
    return true;
}

void ConsoleUiDriver::OnDialog(platform::UiDialog& dialog) {
    std::lock_guard lock(mutex_);
    if (fillNext_) {
        const auto fill = std::move(fillNext_);
        fillNext_ = nullptr;
        fill(dialog);
    }
    const platform::DialogView view = dialog.View();
    Show(view);
    if (OnlyTheProgramCloses(view)) {
        out_ << "[left open for the program to close]\n";
    } else if (interactive_) {
        AnswerAtConsole(dialog, view);
    } else if (CameBackTooOften(view)) {
        out_ << "[the same dialog came back " << platform::kUnchangedBoxLimit << " times in a row: cancelled]\n";
        Cancel(dialog);
    } else {
        PressDefault(dialog);
    }
    if (dialog.IsOpen()) {
        leftOpen_.insert(dialog.Window());
    }
}

void ConsoleUiDriver::AnswerAtConsole(platform::UiDialog& dialog, const platform::DialogView& view) {
    if (Unattended()) {
        Leave(dialog);
        return;
    }
    ShowAnswers(view);
    std::string line;
    while (dialog.IsOpen()) {
        if (!Ask("dialog (\"?\" for the commands)> ", line) || TakeQuit(line)) {
            Leave(dialog);
            return;
        }
        if (line.empty()) {
            PressDefault(dialog);
            return;
        }
        if (!Command(dialog, line)) {
            out_ << "[left open for the program to close]\n";
            return;
        }
    }
}

bool ConsoleUiDriver::CameBackTooOften(const platform::DialogView& view) {
    if (view.caption != lastDialog_.caption || view.templateId != lastDialog_.templateId) {
        lastDialog_ = {view.caption, view.templateId, 0};
    }
    if (++lastDialog_.count < platform::kUnchangedBoxLimit) {
        return false;
    }
    lastDialog_.count = 0;
    return true;
}

void ConsoleUiDriver::ShowAnswers(const platform::DialogView& view) {
    std::string buttons;
    for (const platform::ControlView& control : view.controls) {
        if (control.kind == "button" && control.visible && control.enabled) {
            buttons += (buttons.empty() ? "" : ", ") + ButtonAnswer(control);
        }
    }
    out_ << "[the next lines answer this " << (view.sheet ? "sheet" : "dialog") << " until it closes: "
         << (buttons.empty() ? "" : "its buttons " + buttons + "; ") << "an empty line presses the default button, "
         << "\"?\" lists the commands, \"quit\" cancels it and ends the session]\n";
}

void ConsoleUiDriver::Leave(platform::UiDialog& dialog) {
    out_ << "[" << LeavingReason() << ": the " << (dialog.IsSheet() ? "sheet" : "dialog")
         << " is cancelled; the session ends]\n";
    Cancel(dialog);
}

void ConsoleUiDriver::Cancel(platform::UiDialog& dialog) {
    // Whichever did not work, the dialog is still open to say so.
    static_cast<void>(dialog.PressCancel());
    if (dialog.IsOpen()) {
        static_cast<void>(dialog.Close());
    }
    if (dialog.IsOpen()) {
        // Left open, nobody would ever close it.
        out_ << "[it closes only through its default button: pressed it]\n";
        static_cast<void>(dialog.IsSheet() ? dialog.PressOk() : dialog.PressEnter());
    }
    if (dialog.IsOpen()) {
        out_ << "[left open for the program to close]\n";
    }
}

const char* ConsoleUiDriver::LeavingReason() const {
    return quitAsked_ ? "quit" : "end of input";
}

bool ConsoleUiDriver::TakeQuit(const std::string& line) {
    if (line != "quit" && line != "exit") {
        return false;
    }
    quitAsked_ = true;
    return true;
}

ConsoleUiDriver::KeyScope::KeyScope(ConsoleUiDriver& driver, int virtualKey, std::optional<bool> held,
                                    std::string purpose)
    : driver_(driver), virtualKey_(virtualKey) {
    std::lock_guard lock(driver_.mutex_);
    driver_.keys_[virtualKey_] = {held, std::move(purpose)};
}

ConsoleUiDriver::KeyScope::~KeyScope() {
    std::lock_guard lock(driver_.mutex_);
    driver_.keys_.erase(virtualKey_);
}

void ConsoleUiDriver::FillNextDialog(std::function<void(platform::UiDialog&)> fill) {
    std::lock_guard lock(mutex_);
    fillNext_ = std::move(fill);
}

void ConsoleUiDriver::OnDialogEnded(platform::UiDialog& dialog) {
    std::lock_guard lock(mutex_);
    if (leftOpen_.erase(dialog.Window()) == 0) {
        return;
    }
    const platform::DialogView view = dialog.View();
    out_ << "[dialog \"" << view.caption << "\" closed]\n";
    for (const platform::ControlView& control : view.controls) {
        if (control.kind != "edit" || (control.style & ES_MULTILINE) == 0) {
            continue;
        }
        std::istringstream lines(control.text);
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            out_ << "  " << line << "\n";
        }
    }
}

UINT ConsoleUiDriver::OnPopupMenu(const platform::MenuRequest& menu) {
    std::lock_guard lock(mutex_);
    out_ << "[popup menu]\n";
    ShowMenu(out_, menu.items, 0);
    if (Unattended()) {
        out_ << "[dismissed]\n";
        return 0;
    }
    std::string line;
    if (!Ask("choose (the item's number; empty to dismiss): ", line) || line.empty()) {
        return 0;
    }
    if (TakeQuit(line)) {
        out_ << "[quit: the menu is dismissed; the session ends]\n";
        return 0;
    }
    char* end = nullptr;
    const unsigned long item = std::strtoul(line.c_str(), &end, 10);
    if (end == line.c_str() || *end != '\0') {
        out_ << "[\"" << line << "\" is no item: the menu is dismissed]\n";
        return 0;
    }
    return static_cast<UINT>(item);
}

bool ConsoleUiDriver::IsKeyDown(int virtualKey) {
    std::lock_guard lock(mutex_);
    const auto known = keys_.find(virtualKey);
    if (known != keys_.end() && known->second.held) {
        return *known->second.held;
    }
    if (Unattended()) {
        return false;
    }
    if (known != keys_.end() && !known->second.purpose.empty()) {
        out_ << "[" << known->second.purpose << "]\n";
    }
    const std::string key = KeyName(virtualKey);
    std::string line;
    if (!Ask("is " + key + " held? (y/N): ", line)) {
        return false;
    }
    if (line == "y" || line == "yes") {
        return true;
    }
    if (TakeQuit(line)) {
        out_ << "[quit: " << key << " taken as not held; the session ends]\n";
    } else if (!line.empty() && line != "n" && line != "no") {
        out_ << "[\"" << line << "\" is no answer: " << key << " taken as not held]\n";
    }
    return false;
}

void ConsoleUiDriver::OnHelp(const platform::HelpRequest& request) {
    std::lock_guard lock(mutex_);
    switch (request.kind) {
    case platform::HelpKind::WinHelp:
        out_ << "[help: \"" << request.file << "\", command " << request.command << ", context 0x" << std::hex
             << request.data << std::dec << "]\n";
        break;
    case platform::HelpKind::HtmlHelp:
        out_ << "[HTML help: \"" << request.file << "\", command " << request.command << "]\n";
        break;
    case platform::HelpKind::ContextHelpMode:
        out_ << "[context help: click a control for its help]\n";
        break;
    }
}

void ConsoleUiDriver::OnBeep(UINT) {
    std::lock_guard lock(mutex_);
    out_ << "[beep]\n";
}

void ConsoleUiDriver::OnShellExecute(const platform::ShellRequest& request) {
    std::lock_guard lock(mutex_);
    out_ << "[shell: " << (request.verb.empty() ? "open" : request.verb) << " \"" << request.file << "\"";
    if (!request.parameters.empty()) {
        out_ << " " << request.parameters;
    }
    out_ << "]\n";
}

}  // namespace simhost
