#include "tests/person/person.h"

#ifdef _WIN32

#include "tests/person/png_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

namespace persontest {
namespace {

// A step that cannot be done: the person stops.
struct StepFailed {};

// Windows come and go in real time on the program's thread: a wait polls
// this often, for at most this long.
constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr auto kLongestWait = std::chrono::seconds(30);
constexpr UINT kAnswerTimeoutMs = 5000;

template <typename Found>
auto WaitFor(Found found) -> decltype(found()) {
    const auto until = std::chrono::steady_clock::now() + kLongestWait;
    for (;;) {
        if (auto result = found()) {
            return result;
        }
        if (std::chrono::steady_clock::now() > until) {
            return {};
        }
        std::this_thread::sleep_for(kPoll);
    }
}

std::string WindowText(HWND window) {
    char text[512] = "";
    DWORD_PTR copied = 0;
    // Bounded: a window whose thread is busy must not stop the person.
    if (::SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                              kAnswerTimeoutMs, &copied) == 0) {
        return {};
    }
    return text;
}

struct Search {
    std::string caption;
    std::string boxText;
    HWND found = nullptr;
};

BOOL CALLBACK MatchStatic(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char name[32] = "";
    ::GetClassNameA(child, name, sizeof(name));
    if (_stricmp(name, "Static") == 0 && WindowText(child) == search->boxText) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// Only this process's windows: other test programs may show a sheet or box of
// the same caption on the same display at the same time.
bool OfThisProcess(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (::IsWindowVisible(window) == FALSE || !OfThisProcess(window)) {
        return TRUE;
    }
    if (!search->caption.empty()) {
        if (WindowText(window) == search->caption) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    Search inner{{}, search->boxText, nullptr};
    ::EnumChildWindows(window, &MatchStatic, reinterpret_cast<LPARAM>(&inner));
    if (inner.found != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindShown(const Search& wanted) {
    Search search = wanted;
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND CurrentPage(HWND sheet) {
    DWORD_PTR page = 0;
    ::SendMessageTimeoutA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &page);
    return reinterpret_cast<HWND>(page);
}

HWND DirectChild(HWND parent, int id) {
    const HWND child = parent != nullptr ? ::GetDlgItem(parent, id) : nullptr;
    return child != nullptr && ::GetParent(child) == parent ? child : nullptr;
}

// Whether the window is a property sheet: it has pages.
bool IsSheet(HWND window) {
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, "#32770") == 0 && CurrentPage(window) != nullptr;
}

}  // namespace

Person::Person(std::function<void(Person&)> steps)
    : thread_([this, steps = std::move(steps)] {
          try {
              steps(*this);
          } catch (const StepFailed&) {
              // the failure is kept
          }
      }) {}

Person::~Person() {
    Join();
}

void Person::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void Person::Fail(const std::string& what) {
    // Said at once too: a program left waiting for the person shows why.
    std::fprintf(stderr, "person: %s\n", what.c_str());
    failures_.push_back(what);
    throw StepFailed{};
}

bool Person::Alive(HWND window, const char* what) {
    if (window == nullptr || ::IsWindow(window) == FALSE) {
        Fail(std::string("no window for ") + what);
    }
    return true;
}

HWND Person::WaitForWindow(const std::string& caption) {
    const HWND window = WaitFor([&] { return FindShown(Search{caption, {}, nullptr}); });
    if (window == nullptr) {
        Fail("no window \"" + caption + "\" appeared");
    }
    return window;
}

HWND Person::WaitForBox(const std::string& text) {
    const HWND box = WaitFor([&] { return FindShown(Search{{}, text, nullptr}); });
    if (box == nullptr) {
        Fail("no message box \"" + text + "\" appeared");
    }
    return box;
}

HWND Person::WaitForMenu() {
    const HWND menu = WaitFor([] {
        HWND found = nullptr;
        ::EnumWindows(
            [](HWND window, LPARAM parameter) -> BOOL {
                char name[16] = "";
                ::GetClassNameA(window, name, sizeof(name));
                if (::IsWindowVisible(window) == FALSE || !OfThisProcess(window) || std::strcmp(name, "#32768") != 0) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(parameter) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    });
    if (menu == nullptr) {
        Fail("no popup menu appeared");
    }
    return menu;
}

bool Person::WaitUntilGone(HWND window) {
    const bool gone = WaitFor([&] { return ::IsWindow(window) == FALSE || ::IsWindowVisible(window) == FALSE; });
    if (!gone) {
        Fail("a window stayed open: \"" + WindowText(window) + "\"");
    }
    return gone;
}

HWND Person::WaitForPageWith(HWND sheet, int id) {
    Alive(sheet, "the sheet");
    const HWND page = WaitFor([&]() -> HWND {
        const HWND current = CurrentPage(sheet);
        return DirectChild(current, id) != nullptr ? current : nullptr;
    });
    if (page == nullptr) {
        Fail("the sheet \"" + WindowText(sheet) + "\" shows no page with control " + std::to_string(id));
    }
    return page;
}

HWND Person::Control(HWND window, int id) {
    Alive(window, "a control");
    HWND control = IsSheet(window) ? DirectChild(CurrentPage(window), id) : nullptr;
    if (control == nullptr) {
        control = DirectChild(window, id);
    }
    if (control == nullptr) {
        Fail("\"" + WindowText(window) + "\" has no control " + std::to_string(id));
    }
    if (::IsWindowVisible(control) == FALSE || ::IsWindowEnabled(control) == FALSE) {
        Fail("control " + std::to_string(id) + " of \"" + WindowText(window) + "\" cannot be used");
    }
    return control;
}

std::string Person::Text(HWND window, int id) {
    return WindowText(Control(window, id));
}

bool Person::SetText(HWND window, int id, const std::string& text) {
    const HWND field = Control(window, id);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                          kAnswerTimeoutMs, &ignored);
    if (WindowText(field) != text) {
        Fail("control " + std::to_string(id) + " did not take \"" + text + "\"");
    }
    return true;
}

bool Person::Click(HWND window, int id) {
    return ::PostMessageA(Control(window, id), BM_CLICK, 0, 0) != FALSE;
}

bool Person::Choose(HWND window, int id, const std::string& item) {
    const HWND box = Control(window, id);
    DWORD_PTR index = 0;
    ::SendMessageTimeoutA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()),
                          SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &index);
    if (static_cast<LRESULT>(index) == CB_ERR) {
        Fail("combo box " + std::to_string(id) + " has no item \"" + item + "\"");
    }
    DWORD_PTR chosen = 0;
    ::SendMessageTimeoutA(box, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &chosen);
    return ::PostMessageA(::GetParent(box), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box)) !=
           FALSE;
}

bool Person::PressSheetButton(HWND sheet, int button) {
    Alive(sheet, "the sheet");
    return ::PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0) != FALSE;
}

bool Person::Answers(HWND window) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored) != 0;
}

void Person::Screenshot(HWND window, const std::string& path) {
    Alive(window, "a screenshot");
    // Painted first: the picture is what a person sees. The display shows a
    // window's painting a moment after it is done (the X server draws it),
    // so the picture is taken until it shows something and two in a row
    // agree, for a bounded time.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Picture picture = CaptureWindow(window);
    std::string blank = BlankReason(picture);
    bool settled = false;
    const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
    while (picture.width != 0 && !settled && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kPoll);
        Picture again = CaptureWindow(window);
        settled = blank.empty() && again.pixels == picture.pixels;
        picture = std::move(again);
        blank = BlankReason(picture);
    }
    if (picture.width == 0) {
        Fail("the window \"" + WindowText(window) + "\" could not be captured");
    }
    if (!blank.empty()) {
        failures_.push_back("the screenshot of \"" + WindowText(window) + "\" " + blank);
    }
    if (!WritePng(picture, path)) {
        failures_.push_back("the screenshot " + path + " could not be written");
    }
}

}  // namespace persontest

#endif  // _WIN32
