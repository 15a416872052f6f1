// The layer's dialogs on the system's windows: in-memory templates, their end
// states and the modal loop over the real message queue.
#include "platform/win32/ui/system_windows.h"

#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace platform::win32ui {
namespace {

struct DialogState {
    UINT templateId = 0;
    bool sheet = false;
    bool wizard = false;
    bool modal = false;  // in the layer's modal loop
    bool ended = false;
    INT_PTR result = 0;
};

struct DialogTable {
    std::mutex mutex;
    std::map<HWND, DialogState> dialogs;
    // Thread messages a modal loop met, kept for the thread's own reader.
    std::map<DWORD, std::deque<MSG>> kept;
};

DialogTable& Dialogs() {
    static DialogTable* table = new DialogTable;  // threads still running at exit use it
    return *table;
}

// A template's words: DWORD-aligned items, texts in UTF-16.
class TemplateWriter {
public:
    void Word(WORD word) { words_.push_back(word); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* text) {
        const std::string ansi = text != nullptr ? text : "";
        if (!ansi.empty()) {
            const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
            const std::size_t at = words_.size();
            words_.resize(at + static_cast<std::size_t>(length));
            ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                  reinterpret_cast<LPWSTR>(words_.data() + at), length);
        }
        Word(0);
    }
    void Align() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<WORD> Take() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

// The system's atom of a predefined control class, or 0 for one named.
WORD ClassAtom(ControlClass kind) {
    switch (kind) {
    case ControlClass::Button:
        return 0x0080;
    case ControlClass::Edit:
        return 0x0081;
    case ControlClass::Static:
        return 0x0082;
    case ControlClass::ListBox:
        return 0x0083;
    case ControlClass::ComboBox:
        return 0x0085;
    default:
        return 0;
    }
}

const char* ClassName(ControlClass kind) {
    switch (kind) {
    case ControlClass::ListView:
        return WC_LISTVIEWA;
    case ControlClass::TreeView:
        return WC_TREEVIEWA;
    case ControlClass::UpDown:
        return UPDOWN_CLASSA;
    case ControlClass::Progress:
        return PROGRESS_CLASSA;
    case ControlClass::Animate:
        return ANIMATE_CLASSA;
    default:
        return "";
    }
}

// The dialog font of the system's own dialogs.
constexpr WORD kFontPoints = 8;
constexpr char kFontName[] = "MS Shell Dlg";

void KeepThreadMessage(const MSG& message) {
    std::lock_guard lock(Dialogs().mutex);
    Dialogs().kept[::GetCurrentThreadId()].push_back(message);
}

// A message the loop took: a thread message is kept for its reader (a timer
// with a procedure still runs); the rest goes to its window, through the
// dialog manager when it is the dialog's.
void Handle(MSG& message, HWND dialog, bool sheet) {
    if (message.hwnd == nullptr && !(message.message == WM_TIMER && message.lParam != 0)) {
        KeepThreadMessage(message);
        return;
    }
    if (dialog != nullptr && ::IsWindow(dialog) != FALSE) {
        const bool taken = sheet ? ::SendMessageA(dialog, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message)) != 0
                                 : ::IsDialogMessageA(dialog, &message) != FALSE;
        if (taken) {
            return;
        }
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

}  // namespace

std::vector<WORD> BuildDialogTemplate(const DialogResource& dialog, DWORD style) {
    TemplateWriter out;
    out.Dword(style | DS_SETFONT);
    out.Dword(0);  // extended style
    out.Word(static_cast<WORD>(dialog.controls.size()));
    out.Word(static_cast<WORD>(dialog.x));
    out.Word(static_cast<WORD>(dialog.y));
    out.Word(static_cast<WORD>(dialog.width));
    out.Word(static_cast<WORD>(dialog.height));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(dialog.caption);
    out.Word(kFontPoints);
    out.Text(kFontName);
    for (const DialogControl& control : dialog.controls) {
        out.Align();
        out.Dword(control.style | WS_CHILD | (control.hidden ? 0u : WS_VISIBLE));
        out.Dword(0);
        out.Word(static_cast<WORD>(control.x));
        out.Word(static_cast<WORD>(control.y));
        out.Word(static_cast<WORD>(control.width));
        out.Word(static_cast<WORD>(control.height));
        out.Word(static_cast<WORD>(control.id));
        if (const WORD atom = ClassAtom(control.kind); atom != 0) {
            out.Word(0xFFFF);
            out.Word(atom);
        } else {
            out.Text(ClassName(control.kind));
        }
        // A picture's text names a resource, which the modules do not carry
        // in this form.
        const DWORD type = control.style & SS_TYPEMASK;
        const bool picture = control.kind == ControlClass::Static && (type == SS_ICON || type == SS_BITMAP);
        out.Text(picture ? "" : control.text);
        out.Word(0);  // no creation data
    }
    return out.Take();
}

void RegisterDialog(HWND dialog, UINT templateId, bool sheet, bool wizard) {
    std::lock_guard lock(Dialogs().mutex);
    Dialogs().dialogs[dialog] = DialogState{templateId, sheet, wizard, false, false, 0};
}

void MarkModal(HWND dialog) {
    std::lock_guard lock(Dialogs().mutex);
    if (const auto found = Dialogs().dialogs.find(dialog); found != Dialogs().dialogs.end()) {
        found->second.modal = true;
    }
}

void ForgetDialog(HWND dialog) {
    std::lock_guard lock(Dialogs().mutex);
    Dialogs().dialogs.erase(dialog);
}

bool IsLayerDialog(HWND dialog) {
    std::lock_guard lock(Dialogs().mutex);
    return Dialogs().dialogs.contains(dialog);
}

namespace {

// A system sheet ends by itself once it has no page left to show (OK,
// Cancel, Finish, its close box); its outcome is the sheet's own.
std::optional<INT_PTR> SheetOutcome(HWND sheet, bool wizard) {
    if (::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0) {
        return std::nullopt;
    }
    if (::SendMessageA(sheet, PSM_GETRESULT, 0, 0) > 0) {
        return wizard ? ID_WIZFINISH : IDOK;
    }
    return IDCANCEL;
}

}  // namespace

std::optional<INT_PTR> DialogResult(HWND dialog) {
    DialogState state;
    {
        std::lock_guard lock(Dialogs().mutex);
        const auto found = Dialogs().dialogs.find(dialog);
        if (found == Dialogs().dialogs.end()) {
            return std::nullopt;
        }
        state = found->second;
    }
    if (state.ended) {
        return state.result;
    }
    return state.sheet && ::IsWindow(dialog) != FALSE ? SheetOutcome(dialog, state.wizard) : std::nullopt;
}

bool DialogEnded(HWND dialog) {
    return ::IsWindow(dialog) == FALSE || DialogResult(dialog).has_value();
}

bool DialogIsSheet(HWND dialog) {
    std::lock_guard lock(Dialogs().mutex);
    const auto found = Dialogs().dialogs.find(dialog);
    return found != Dialogs().dialogs.end() && found->second.sheet;
}

UINT DialogTemplateId(HWND dialog) {
    std::lock_guard lock(Dialogs().mutex);
    const auto found = Dialogs().dialogs.find(dialog);
    return found != Dialogs().dialogs.end() ? found->second.templateId : 0;
}

bool MarkDialogEnded(HWND dialog, INT_PTR result) {
    bool modal = false;
    {
        std::lock_guard lock(Dialogs().mutex);
        const auto found = Dialogs().dialogs.find(dialog);
        if (found == Dialogs().dialogs.end()) {
            return false;
        }
        found->second.ended = true;
        found->second.result = result;
        modal = found->second.modal;
    }
    if (!modal) {
        ::ShowWindow(dialog, SW_HIDE);  // a modeless dialog that ends is hidden, as the system's are
    }
    // A loop waiting for the next message on the dialog's thread wakes.
    ::PostMessageA(dialog, WM_NULL, 0, 0);
    return true;
}

void PumpUntil(HWND dialog, bool sheet, const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            return;
        }
        if (got == 0) {
            // The thread is asked to end: the loop leaves, and the thread's
            // own loop sees the request too.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Handle(message, dialog, sheet);
    }
}

int PumpWaiting() {
    // Bounded: a window that keeps asking to be painted must not hold the
    // caller for ever.
    constexpr int kMostMessages = 10000;
    int count = 0;
    MSG message{};
    while (count < kMostMessages && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        const HWND active = ::GetActiveWindow();
        const bool ours = IsLayerDialog(active);
        Handle(message, ours ? active : nullptr, ours && DialogIsSheet(active));
        ++count;
    }
    return count;
}

bool TakeKeptThreadMessage(MSG& message) {
    {
        std::lock_guard lock(Dialogs().mutex);
        auto& kept = Dialogs().kept[::GetCurrentThreadId()];
        if (!kept.empty()) {
            message = kept.front();
            kept.pop_front();
            return true;
        }
    }
    // Only the thread's own messages, those with no window.
    return ::PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE) != FALSE;
}

}  // namespace platform::win32ui

// Ends a dialog of the layer's modal loop from any thread; the system's own
// dialogs end as the system ends them.
BOOL SystemEndDialog(HWND dialog, INT_PTR result) {
    if (platform::win32ui::MarkDialogEnded(dialog, result)) {
        return TRUE;
    }
    return RealEndDialog(dialog, result);
}
