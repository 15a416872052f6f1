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
    Services Get() const {
        std::lock_guard lock(m_mutex);
        return m_services;
    }

private:
    mutable std::mutex m_mutex;
    Services m_services;
};
