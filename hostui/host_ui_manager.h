// CHostUiManager: the book-keeper of the plug-in's registrations with the
// host's user interface. Made once by the application object over the host
// service provider and owned by it.
#pragma once

#include "platform/host/interfaces.h"

class CHostUiManager {
public:
    explicit CHostUiManager(IHostServiceProvider* host) : m_host(host) {}
    virtual ~CHostUiManager() = default;
    CHostUiManager(const CHostUiManager&) = delete;
    CHostUiManager& operator=(const CHostUiManager&) = delete;

    IHostServiceProvider* GetHost() const { return m_host; }

private:
    IHostServiceProvider* m_host;
};
