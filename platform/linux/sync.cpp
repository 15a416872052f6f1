#include "platform/sync.h"

#include "platform/clock.h"
#include "platform/linux/file_handles.h"
#include "platform/linux/kernel_objects.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    section->impl = new std::recursive_mutex;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    delete static_cast<std::recursive_mutex*>(section->impl);
    section->impl = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->impl)->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    return static_cast<std::recursive_mutex*>(section->impl)->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->impl)->unlock();
}

namespace {

// The key of a named object, or the error Windows gives for the name. Names
// live in the session's namespace ("Local\\", which a name without a prefix
// is in too) or the global one ("Global\\"); no other backslash is allowed,
// and the whole name must be shorter than MAX_PATH.
std::optional<std::string> ObjectKey(std::string_view name, DWORD& error) {
    if (name.size() >= MAX_PATH) {
        error = ERROR_FILENAME_EXCED_RANGE;
        return std::nullopt;
    }
    const std::size_t separator = name.find('\\');
    if (separator == std::string_view::npos) {
        return "Local\\" + std::string(name);
    }
    if (separator == 0) {
        error = ERROR_BAD_PATHNAME;
        return std::nullopt;
    }
    const std::string_view space = name.substr(0, separator);
    const std::string_view rest = name.substr(separator + 1);
    if ((space != "Local" && space != "Global") || rest.find('\\') != std::string_view::npos) {
        error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    if (rest.empty()) {
        error = ERROR_INVALID_NAME;
        return std::nullopt;
    }
    return std::string(name);
}

struct Event {
    bool manualReset = false;
    bool signalled = false;
    std::string name;  // empty for an unnamed event
};

// Handles are small numbers (never null, never INVALID_HANDLE_VALUE); each
// handle holds one reference to its event, and a named event is found by name
// while any handle to it is open.
class EventTable {
public:
    // key: the named object's key, or empty for an unnamed event.
    HANDLE Create(bool manualReset, bool initialState, const std::string& key, bool& existed) {
        std::lock_guard lock(mutex_);
        existed = false;
        if (!key.empty()) {
            if (auto found = named_.find(key); found != named_.end()) {
                existed = true;
                return AddHandle(found->second.lock());
            }
        }
        auto event = std::make_shared<Event>();
        event->manualReset = manualReset;
        event->signalled = initialState;
        if (!key.empty()) {
            event->name = key;
            named_[key] = event;
        }
        return AddHandle(event);
    }

    HANDLE Open(const std::string& key) {
        std::lock_guard lock(mutex_);
        const auto found = named_.find(key);
        if (found == named_.end()) {
            return nullptr;
        }
        return AddHandle(found->second.lock());
    }

    bool Close(HANDLE handle) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(handle);
        if (found == handles_.end()) {
            return false;
        }
        const std::shared_ptr<Event> event = found->second;
        handles_.erase(found);
        if (!event->name.empty() && event.use_count() == 1) {
            named_.erase(event->name);  // the last handle closed: the name is free again
        }
        return true;
    }

    bool Set(HANDLE handle, bool signalled) {
        std::lock_guard lock(mutex_);
        const auto found = handles_.find(handle);
        if (found == handles_.end()) {
            return false;
        }
        found->second->signalled = signalled;
        if (signalled) {
            changed_.notify_all();
        }
        return true;
    }

    DWORD Wait(HANDLE handle, DWORD milliseconds) {
        std::unique_lock lock(mutex_);
        const auto found = handles_.find(handle);
        if (found == handles_.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        const std::shared_ptr<Event> event = found->second;
        auto take = [&] {
            if (!event->signalled) {
                return false;
            }
            if (!event->manualReset) {
                event->signalled = false;
            }
            return true;
        };
        if (take()) {
            return WAIT_OBJECT_0;
        }
        if (milliseconds == 0) {
            return WAIT_TIMEOUT;
        }
        if (milliseconds == INFINITE) {
            changed_.wait(lock, take);
            return WAIT_OBJECT_0;
        }
        if (platform::IsClockVirtual()) {
            // Let the other threads run once, then the time-out passes on the
            // virtual clock without waiting in real time.
            lock.unlock();
            std::this_thread::yield();
            lock.lock();
            if (take()) {
                return WAIT_OBJECT_0;
            }
            platform::AdvanceVirtualClock(milliseconds);
            return WAIT_TIMEOUT;
        }
        return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), take) ? WAIT_OBJECT_0
                                                                                      : WAIT_TIMEOUT;
    }

private:
    HANDLE AddHandle(std::shared_ptr<Event> event) {
        const HANDLE handle = reinterpret_cast<HANDLE>(nextHandle_);
        nextHandle_ += 4;
        handles_[handle] = std::move(event);
        return handle;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::uintptr_t nextHandle_ = 0x1000;  // below the search (0x20000000) and file (0x40000000) handles
    std::map<HANDLE, std::shared_ptr<Event>> handles_;
    std::map<std::string, std::weak_ptr<Event>> named_;
};

EventTable& Events() {
    static EventTable* table = new EventTable;  // threads still running at exit use it
    return *table;
}

}  // namespace

// A null or empty name makes an unnamed event.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
    std::string key;
    if (name != nullptr && *name != '\0') {
        DWORD error = ERROR_SUCCESS;
        std::optional<std::string> named = ObjectKey(name, error);
        if (!named) {
            SetLastError(error);
            return nullptr;
        }
        key = std::move(*named);
    }
    bool existed = false;
    const HANDLE handle = Events().Create(manualReset != FALSE, initialState != FALSE, key, existed);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

HANDLE OpenEventA(DWORD, BOOL, LPCSTR name) {
    if (name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (*name == '\0') {
        SetLastError(ERROR_INVALID_HANDLE);  // no name: no object to open
        return nullptr;
    }
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::string> key = ObjectKey(name, error);
    if (!key) {
        SetLastError(error);
        return nullptr;
    }
    const HANDLE handle = Events().Open(*key);
    SetLastError(handle == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS);
    return handle;
}

BOOL SetEvent(HANDLE event) {
    if (!Events().Set(event, true)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL ResetEvent(HANDLE event) {
    if (!Events().Set(event, false)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    if (!Events().Close(handle) && !platform::detail::CloseFileHandle(handle) &&
        !platform::detail::CloseKernelObject(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    return Events().Wait(handle, milliseconds);
}
