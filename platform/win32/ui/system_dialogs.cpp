// The layer's dialogs on the system's windows: the templates compiled into
// the modules, the dialogs' end states and the modal loop over the real
// message queue.
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

// The template's style field: DLGTEMPLATEEX (version 1, signature 0xFFFF)
// has it after its version, help id and extended style; DLGTEMPLATE starts
// with it.
constexpr std::size_t kExtendedStyleAt = 12;
constexpr std::size_t kStyleAt = 0;
// The fixed part before the menu, class and caption fields.
constexpr std::size_t kExtendedHeader = 26;
constexpr std::size_t kHeader = 18;

bool IsExtended(const std::vector<BYTE>& bytes) {
    return bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
}

WORD WordAt(const std::vector<BYTE>& bytes, std::size_t at) {
    return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8));
}

// The offset after a name-or-ordinal field (none, 0xFFFF with an ordinal,
// or a UTF-16 text to its 0); nullopt when it runs past the end.
std::optional<std::size_t> SkipNameOrOrdinal(const std::vector<BYTE>& bytes, std::size_t at) {
    if (at + 2 > bytes.size()) {
        return std::nullopt;
    }
    if (WordAt(bytes, at) == 0xFFFF) {
        return at + 4 <= bytes.size() ? std::optional<std::size_t>(at + 4) : std::nullopt;
    }
    for (; at + 2 <= bytes.size(); at += 2) {
        if (WordAt(bytes, at) == 0) {
            return at + 2;
        }
    }
    return std::nullopt;
}

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

std::vector<BYTE> CompiledDialogTemplate(HINSTANCE module, UINT id, const std::function<DWORD(DWORD)>& restyle) {
    const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCE(id), RT_DIALOG);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return {};
    }
    std::vector<BYTE> bytes(data, data + ::SizeofResource(module, found));
    const std::size_t at = IsExtended(bytes) ? kExtendedStyleAt : kStyleAt;
    if (bytes.size() < (IsExtended(bytes) ? kExtendedHeader : kHeader)) {
        return {};
    }
    DWORD style = 0;
    std::memcpy(&style, bytes.data() + at, sizeof(style));
    style = restyle(style);
    std::memcpy(bytes.data() + at, &style, sizeof(style));
    return bytes;
}

std::string CompiledDialogCaption(HINSTANCE module, UINT id) {
    const std::vector<BYTE> bytes = CompiledDialogTemplate(module, id, [](DWORD style) { return style; });
    if (bytes.empty()) {
        return {};
    }
    // The menu, the class, then the caption.
    std::optional<std::size_t> at = SkipNameOrOrdinal(bytes, IsExtended(bytes) ? kExtendedHeader : kHeader);
    at = at.has_value() ? SkipNameOrOrdinal(bytes, *at) : std::nullopt;
    const std::optional<std::size_t> end = at.has_value() ? SkipNameOrOrdinal(bytes, *at) : std::nullopt;
    if (!end.has_value()) {
        return {};
    }
    std::wstring caption(reinterpret_cast<const wchar_t*>(bytes.data() + *at), (*end - *at) / 2 - 1);
    const int length = ::WideCharToMultiByte(CP_ACP, 0, caption.data(), static_cast<int>(caption.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, caption.data(), static_cast<int>(caption.size()), text.data(), length, nullptr,
                          nullptr);
    return text;
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
