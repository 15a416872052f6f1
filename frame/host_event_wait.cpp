#include "frame/host_event_wait.h"

#include "platform/bstr.h"
#include "platform/sync.h"

bool WaitForNamedHostEvent(BSTR name, DWORD milliseconds) {
    const std::string eventName = platform::BstrToAnsi(name);
    const HANDLE event = OpenEventA(EVENT_ALL_ACCESS, FALSE, eventName.c_str());
    if (event == nullptr) {
        return false;
    }
    WaitForSingleObject(event, milliseconds);
    CloseHandle(event);
    return true;
}
