// The one holder of a set of late-bound services (a struct of callables):
// the subsystem that provides them installs them at start, callers take a
// copy and call it outside the lock, so a service may reinstall the set.
#pragma once

#include <mutex>
#include <utility>

template <typename Services>
class ServiceSlot {
public:
    void Set(Services services) {
        std::lock_guard lock(m_mutex);
        m_services = std::move(services);
    }
    // Changes part of the set in place, under the lock, so two providers
    // installing their own members do not undo each other.
    template <typename Change>
    void Update(Change change) {
        std::lock_guard lock(m_mutex);
        change(m_services);
    }
    Services Get() const {
        std::lock_guard lock(m_mutex);
        return m_services;
    }

private:
    mutable std::mutex m_mutex;
    Services m_services;
};
