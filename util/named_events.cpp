#include "util/named_events.h"

#include "platform/debug.h"
#include "platform/messages.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kNames = 1000;
constexpr LONG kCounterLimit = 0x7FFFFFFF;

CString EventName(LPCSTR prefix, LONG number) {
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%03d", static_cast<int>(number));
    return CString(prefix != nullptr ? prefix : "") + digits;
}

bool IsTaken(const CString& name) {
    if (const HANDLE existing = OpenEventA(EVENT_ALL_ACCESS, FALSE, name)) {
        CloseHandle(existing);
        return true;
    }
    return false;
}

// The new event, or null when the name turns out taken or the event cannot
// be made.
HANDLE CreateFresh(const CString& name, BOOL manualReset, BOOL initialState, LPSECURITY_ATTRIBUTES attributes) {
    SECURITY_ATTRIBUTES inheritable{};
    inheritable.nLength = 12;
    inheritable.lpSecurityDescriptor = nullptr;
    inheritable.bInheritHandle = TRUE;
    const HANDLE event =
        CreateEventA(attributes != nullptr ? attributes : &inheritable, manualReset, initialState, name);
    if (event != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);  // someone made it meanwhile: it is theirs
        return nullptr;
    }
    return event;
}

std::string SystemText(DWORD error) {
    char text[512] = {};
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0x400, text,
                       sizeof(text), nullptr) == 0) {
        return std::string();
    }
    return text;
}

}  // namespace

HANDLE CreateUniqueNamedEvent(LPCSTR prefix, CString& name, BOOL manualReset, BOOL initialState,
                              LPSECURITY_ATTRIBUTES attributes) {
    for (LONG number = 0; number < kNames; ++number) {
        const CString candidate = EventName(prefix, number);
        if (IsTaken(candidate)) {
            continue;
        }
        if (const HANDLE event = CreateFresh(candidate, manualReset, initialState, attributes)) {
            name = candidate;
            return event;
        }
    }
    return nullptr;
}

HANDLE CreateNextNamedEvent(LPCSTR prefix, CString& name, LONG& counter) {
    if (counter >= kCounterLimit || counter < 0) {
        counter = 0;
    }
    for (int tried = 0; tried < kNames; ++tried) {
        const CString candidate = EventName(prefix, counter);
        counter = counter + 1 >= kCounterLimit ? 0 : counter + 1;
        if (IsTaken(candidate)) {
            continue;
        }
        if (const HANDLE event = CreateFresh(candidate, TRUE, FALSE, nullptr)) {
            name = candidate;
            return event;
        }
    }
    return nullptr;
}

void CloseNamedEvent(HANDLE event, LPCSTR name) {
    if (CloseHandle(event)) {
        return;
    }
    const std::string text = "Cannot close event '" + std::string(name != nullptr ? name : "unknown event") +
                             "'," + SystemText(GetLastError()) + "\n";
    OutputDebugStringA(text.c_str());
}
