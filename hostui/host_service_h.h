// CHostServiceH: the wrapper over the host's interface H. Every method
// answers 0 only when the host answers exactly S_OK, else 1 (S_FALSE too);
// without the interface it calls nothing and answers 1.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"

class CHostServiceH : public CObject {
public:
    explicit CHostServiceH(IHostServiceProvider* host);
    ~CHostServiceH() override = default;
    CHostServiceH(const CHostServiceH&) = delete;
    CHostServiceH& operator=(const CHostServiceH&) = delete;

    [[nodiscard]] DWORD Op3(DWORD number);
    [[nodiscard]] DWORD Op4(DWORD number);
    [[nodiscard]] DWORD Op5(LPCSTR text, DWORD number1, DWORD number2, DWORD number3);
    [[nodiscard]] DWORD Op6();
    [[nodiscard]] DWORD Op7(DWORD number);
    [[nodiscard]] DWORD Op8(DWORD number);
    [[nodiscard]] DWORD Op9();
    [[nodiscard]] DWORD Op10(DWORD number);
    [[nodiscard]] DWORD Op11(DWORD number1, DWORD number2);
    [[nodiscard]] DWORD Op12(DWORD number);
    [[nodiscard]] DWORD Op13(LPCSTR text);
    [[nodiscard]] DWORD Op14();

private:
    IHServiceH* m_h = nullptr;  // borrowed
};
