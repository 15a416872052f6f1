#include "platform/win32/ui/system_windows.h"

#include "platform/afx_wnd.h"
#include "platform/module.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace platform::win32ui {
namespace {

struct Attached {
    CWnd* object;
    WNDPROC original;
};

// Windows and their objects, process-wide: a window may be handed to
// another thread's code by its handle.
struct ObjectTable {
    std::mutex mutex;
    std::map<HWND, Attached> permanent;
    std::map<HWND, std::unique_ptr<CWnd>> temporary;
};

ObjectTable& Objects() {
    static ObjectTable* table = new ObjectTable;  // windows may outlive the static objects
    return *table;
}

LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void Subclass(CWnd& object, HWND window) {
    const auto original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
    {
        std::lock_guard lock(Objects().mutex);
        Objects().permanent[window] = Attached{&object, original};
    }
    object.m_hWnd = window;
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectProcedure));
}

std::optional<Attached> Find(HWND window) {
    std::lock_guard lock(Objects().mutex);
    const auto found = Objects().permanent.find(window);
    return found != Objects().permanent.end() ? std::optional<Attached>(found->second) : std::nullopt;
}

LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<Attached> attached = Find(window);
    if (!attached) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = AfxCallWndProc(attached->object, window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // An object that kept the window past its end lets go of it now.
        bool kept = false;
        {
            std::lock_guard lock(Objects().mutex);
            kept = Objects().permanent.erase(window) != 0;
        }
        if (kept) {
            attached->object->m_hWnd = nullptr;
        }
        ForgetDialog(window);
    }
    return result;
}

}  // namespace

// The creation hook's pending object, for the calling thread.
struct CreationScope::Pending {
    CWnd* object = nullptr;
    std::function<void(HWND)> made;
    HHOOK hook = nullptr;
    bool used = false;
};

namespace {

thread_local CreationScope::Pending* pending = nullptr;

// The input method's windows, which the system makes on the side when a
// thread makes its first window: never the window being created.
bool IsInputMethodWindow(HWND window) {
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return _stricmp(name, "IME") == 0 || _stricmp(name, "MSCTFIME UI") == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    CreationScope::Pending* state = pending;
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && state != nullptr && !state->used && !IsInputMethodWindow(window)) {
        state->used = true;
        if (state->object != nullptr) {
            Subclass(*state->object, window);
        }
        if (state->made) {
            state->made(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

CreationScope::CreationScope(CWnd* object, std::function<void(HWND)> made) : previous_(pending) {
    auto* state = new Pending;
    state->object = object;
    state->made = std::move(made);
    state->hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
    pending = state;
}

CreationScope::~CreationScope() {
    Pending* state = pending;
    if (state->hook != nullptr) {
        ::UnhookWindowsHookEx(state->hook);
    }
    pending = previous_;
    delete state;
}

void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_ANIMATE_CLASS | ICC_TAB_CLASSES;
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(registered);  // without them a dialog that uses one fails to be made, and says so
}

HINSTANCE LayerInstance() {
    return platform::LayerModule();
}

CWnd* ObjectOf(HWND window) {
    const std::optional<Attached> attached = Find(window);
    return attached ? attached->object : nullptr;
}

CWnd* TemporaryOf(HWND window) {
    if (CWnd* object = ObjectOf(window)) {
        return object;
    }
    if (::IsWindow(window) == FALSE) {
        return nullptr;
    }
    const wnd::ControlKind kind = wnd::KindOf(window);
    std::lock_guard lock(Objects().mutex);
    auto& temporaries = Objects().temporary;
    // The objects of windows that are gone go first; a handle the system has
    // given to a new window since gets an object of the new one's class.
    for (auto it = temporaries.begin(); it != temporaries.end();) {
        if (::IsWindow(it->first) == FALSE) {
            it->second->m_hWnd = nullptr;
            it = temporaries.erase(it);
        } else {
            ++it;
        }
    }
    auto& object = temporaries[window];
    if (object == nullptr) {
        object = wnd::MakeTemporary(kind);
        object->m_hWnd = window;
    }
    return object.get();
}

bool AttachObject(CWnd& object, HWND window) {
    if (::IsWindow(window) == FALSE || ObjectOf(window) != nullptr) {
        return false;
    }
    Subclass(object, window);
    return true;
}

void DetachObject(CWnd& object) {
    const HWND window = object.m_hWnd;
    std::optional<Attached> attached;
    {
        std::lock_guard lock(Objects().mutex);
        const auto found = Objects().permanent.find(window);
        if (found == Objects().permanent.end() || found->second.object != &object) {
            return;
        }
        attached = found->second;
        Objects().permanent.erase(found);
    }
    if (::IsWindow(window) != FALSE &&
        ::GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ObjectProcedure)) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(attached->original));
    }
}

LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<Attached> attached = Find(window);
    if (!attached || attached->original == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return ::CallWindowProcA(attached->original, window, message, wParam, lParam);
}

}  // namespace platform::win32ui
