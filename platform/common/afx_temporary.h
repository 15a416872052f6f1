// The class library's temporary objects: made for a bare handle (FromHandle
// and the calls that answer an object), kept until their handle is gone.
#pragma once

#include <map>
#include <memory>
#include <mutex>

namespace platform::afx {

template <typename Object, typename Handle>
class TemporaryObjects {
public:
    using Alive = bool (*)(Handle);
    using Bind = void (*)(Object&, Handle);  // null unbinds

    TemporaryObjects(Alive alive, Bind bind) : alive_(alive), bind_(bind) {}
    ~TemporaryObjects() {
        for (auto& entry : objects_) {
            bind_(*entry.second, nullptr);
        }
    }
    TemporaryObjects(const TemporaryObjects&) = delete;
    TemporaryObjects& operator=(const TemporaryObjects&) = delete;

    // The handle's temporary object, made on first use; the objects of
    // handles that are gone are dropped first.
    Object* Get(Handle handle) {
        if (handle == nullptr || !alive_(handle)) {
            return nullptr;
        }
        std::lock_guard lock(mutex_);
        for (auto it = objects_.begin(); it != objects_.end();) {
            it = alive_(it->first) ? std::next(it) : Release(it);
        }
        auto& object = objects_[handle];
        if (object == nullptr) {
            object = std::make_unique<Object>();
            bind_(*object, handle);
        }
        return object.get();
    }

    void Drop(Handle handle) {
        std::lock_guard lock(mutex_);
        if (const auto found = objects_.find(handle); found != objects_.end()) {
            Release(found);
        }
    }

private:
    using Map = std::map<Handle, std::unique_ptr<Object>>;

    // Unbinds before deleting, so the object does not destroy what it
    // stands for.
    typename Map::iterator Release(typename Map::iterator it) {
        bind_(*it->second, nullptr);
        return objects_.erase(it);
    }

    Alive alive_;
    Bind bind_;
    std::mutex mutex_;
    Map objects_;
};

}  // namespace platform::afx
