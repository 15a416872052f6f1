// CHostServiceJ: the wrapper over the host's interface J. Both methods answer
// 1 only when the host answers exactly S_OK, else 0; without the interface
// they call nothing and answer 0.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"

class CHostServiceJ {
public:
    explicit CHostServiceJ(IHostServiceProvider* host);
    CHostServiceJ(const CHostServiceJ&) = delete;
    CHostServiceJ& operator=(const CHostServiceJ&) = delete;

    [[nodiscard]] DWORD Op3();
    [[nodiscard]] DWORD Op37(DWORD number);

private:
    IHServiceJ* m_j = nullptr;  // borrowed
};
