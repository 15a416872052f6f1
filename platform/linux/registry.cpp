// The process's own registry: a tree of keys in memory per predefined root.
#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Registry names compare without regard to case.
struct NoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            return lower(x) < lower(y);
        });
    }
};

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Key {
    bool deleted = false;
    Key* parent = nullptr;  // null for a root
    std::map<std::string, std::shared_ptr<Key>, NoCase> children;
    std::map<std::string, Value, NoCase> values;
};

// What a handle stands for: the key, and the access it was opened with.
struct Handle {
    std::shared_ptr<Key> key;
    REGSAM access = 0;
};

constexpr std::uintptr_t kFirstHandle = 0x50000000;

class Registry {
public:
    Registry() {
        for (auto& root : roots_) {
            root = std::make_shared<Key>();
        }
    }

    std::mutex mutex;

    // The key behind a handle (a root or an open handle), or the error.
    LONG Resolve(HKEY key, Handle& handle) const {
        if (const std::size_t root = RootIndex(key); root < roots_.size()) {
            handle = Handle{roots_[root], KEY_ALL_ACCESS};
            return ERROR_SUCCESS;
        }
        const auto found = open_.find(key);
        if (found == open_.end()) {
            return ERROR_INVALID_HANDLE;
        }
        handle = found->second;
        return handle.key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
    }

    // The same for a call that needs the handle opened with that access.
    LONG ResolveFor(HKEY key, REGSAM needed, Handle& handle) const {
        if (const LONG error = Resolve(key, handle); error != ERROR_SUCCESS) {
            return error;
        }
        return (handle.access & needed) == 0 ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
    }

    HKEY Open(std::shared_ptr<Key> key, REGSAM access) {
        const auto handle = reinterpret_cast<HKEY>(next_);
        next_ += 4;
        open_[handle] = Handle{std::move(key), access};
        return handle;
    }

    LONG Close(HKEY key) {
        if (RootIndex(key) < roots_.size()) {
            return ERROR_SUCCESS;  // the predefined keys stay open
        }
        return open_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

    bool IsRoot(const Key* key) const {
        return std::any_of(roots_.begin(), roots_.end(), [key](const auto& root) { return root.get() == key; });
    }

private:
    // The index of a predefined root (HKEY_CLASSES_ROOT is 0), or the count
    // of roots for any other handle.
    std::size_t RootIndex(HKEY key) const {
        const auto value = reinterpret_cast<ULONG_PTR>(key);
        const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
        return value >= first && value - first < roots_.size() ? value - first : roots_.size();
    }

    std::array<std::shared_ptr<Key>, 4> roots_;  // classes root, current user, local machine, users
    std::map<HKEY, Handle> open_;
    std::uintptr_t next_ = kFirstHandle;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;  // threads still running at exit use it
    return *registry;
}

// The names of a subkey path; a path that starts with a backslash is not a
// relative path (ERROR_BAD_PATHNAME). Empty names between backslashes are
// passed over.
LONG SplitPath(LPCSTR subKey, std::vector<std::string>& names) {
    if (subKey == nullptr) {
        return ERROR_SUCCESS;
    }
    if (*subKey == '\\') {
        return ERROR_BAD_PATHNAME;
    }
    std::string_view rest(subKey);
    while (!rest.empty()) {
        const std::size_t separator = rest.find('\\');
        const std::string_view name = rest.substr(0, separator);
        if (!name.empty()) {
            names.emplace_back(name);
        }
        rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
    }
    return ERROR_SUCCESS;
}

// Walks down from the key; with create, makes the keys that are missing.
LONG Walk(std::shared_ptr<Key> key, const std::vector<std::string>& names, bool create, std::shared_ptr<Key>& found,
          bool& created) {
    created = false;
    for (const std::string& name : names) {
        auto child = key->children.find(name);
        if (child == key->children.end()) {
            if (!create) {
                return ERROR_FILE_NOT_FOUND;
            }
            auto made = std::make_shared<Key>();
            made->parent = key.get();
            child = key->children.emplace(name, std::move(made)).first;
            created = true;
        }
        key = child->second;
    }
    found = std::move(key);
    return ERROR_SUCCESS;
}

// The key at subKey below key, made on the way when create is set; the
// caller holds the registry's lock.
LONG Locate(Registry& registry, HKEY key, LPCSTR subKey, bool create, std::shared_ptr<Key>& found, bool& created) {
    std::vector<std::string> names;
    if (const LONG bad = SplitPath(subKey, names); bad != ERROR_SUCCESS) {
        return bad;
    }
    Handle parent;
    if (const LONG error = registry.Resolve(key, parent); error != ERROR_SUCCESS) {
        return error;
    }
    return Walk(parent.key, names, create, found, created);
}

LONG OpenOrCreate(HKEY key, LPCSTR subKey, REGSAM access, PHKEY result, bool create, LPDWORD disposition) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::shared_ptr<Key> found;
    bool created = false;
    if (const LONG error = Locate(registry, key, subKey, create, found, created); error != ERROR_SUCCESS) {
        return error;
    }
    *result = registry.Open(std::move(found), access);
    if (disposition != nullptr) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
    return OpenOrCreate(key, subKey, access, result, false, nullptr);
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    return OpenOrCreate(key, subKey, access, result, true, disposition);
}

LONG RegCloseKey(HKEY key) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return registry.Close(key);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (subKey == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::shared_ptr<Key> found;
    bool created = false;
    if (const LONG error = Locate(registry, key, subKey, false, found, created); error != ERROR_SUCCESS) {
        return error;
    }
    if (registry.IsRoot(found.get()) || !found->children.empty()) {
        return ERROR_ACCESS_DENIED;
    }
    auto& siblings = found->parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [&found](const auto& entry) { return entry.second == found; }));
    found->deleted = true;
    found->parent = nullptr;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (data == nullptr && size != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    Handle handle;
    if (const LONG error = registry.ResolveFor(key, KEY_SET_VALUE, handle); error != ERROR_SUCCESS) {
        return error;
    }
    Value& value = handle.key->values[name != nullptr ? name : ""];
    value.type = type;
    value.data.assign(data, data + size);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (reserved != nullptr || (data != nullptr && size == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    Handle handle;
    if (const LONG error = registry.ResolveFor(key, KEY_QUERY_VALUE, handle); error != ERROR_SUCCESS) {
        return error;
    }
    const auto found = handle.key->values.find(std::string_view(name != nullptr ? name : ""));
    if (found == handle.key->values.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const Value& value = found->second;
    const auto length = static_cast<DWORD>(value.data.size());
    if (type != nullptr) {
        *type = value.type;
    }
    LONG result = ERROR_SUCCESS;
    if (data != nullptr) {
        if (*size < length) {
            result = ERROR_MORE_DATA;
        } else if (length != 0) {
            std::memcpy(data, value.data.data(), length);
        }
    }
    if (size != nullptr) {
        *size = length;
    }
    return result;
}
