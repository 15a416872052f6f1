// CHostServiceG: the wrapper over the host's two G interfaces. A method whose
// interface the host did not give calls nothing and answers 0 (or nothing).
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"

class CHostServiceG {
public:
    // Asks for the second interface, then the first.
    explicit CHostServiceG(IHostServiceProvider* host);
    CHostServiceG(const CHostServiceG&) = delete;
    CHostServiceG& operator=(const CHostServiceG&) = delete;

    // The second interface's operation 13: 1 when the host's result is not
    // negative, else 0.
    [[nodiscard]] DWORD SecondOp13(LPCSTR text1, LPCSTR text2, LPCSTR text3, DWORD number1, DWORD number2);
    void SecondOp14();
    void SecondOp15();
    void SecondOp16();
    // The first interface's operation 9: 1 when the 16-bit truth value the
    // host gives is -1, else 0; the host's result is not examined.
    [[nodiscard]] DWORD FirstOp9();

private:
    IHServiceGFirst* m_first = nullptr;    // borrowed
    IHServiceGSecond* m_second = nullptr;  // borrowed
};
