// CHostServiceD: the wrapper over the host's interface D (operations 17 to
// 96) and its sub-interface (operations 38 and 39), which is asked for anew
// at each use through the kept service provider. OpN calls operation N.
// Results: H is the host's result itself (E_NOINTERFACE without the
// interface); F0 is 0 only for exactly S_OK, else 1; S0 is 1 only for exactly
// S_OK, else 0; the other rows combine the result with the value the host
// gives, as each says. Without the interface (or the sub-interface) a method
// calls nothing and answers its failure value: 1 for F0 and the rows that
// answer 0 or 1 with 1 for failure, 0 for S0 and operation 27.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"

class CHostServiceD {
public:
    explicit CHostServiceD(IHostServiceProvider* host);
    CHostServiceD(const CHostServiceD&) = delete;
    CHostServiceD& operator=(const CHostServiceD&) = delete;

    // 0 when the host answers exactly S_OK with the value 0, else 1. The text
    // goes by the address of its BSTR.
    [[nodiscard]] DWORD Op17(LPCSTR text, DWORD number);
    // The host's value when it answers exactly S_OK, else 1.
    [[nodiscard]] DWORD Op19();
    [[nodiscard]] DWORD Op20();
    // 0 when the host answers exactly S_OK with the value 0, else 1 (the host
    // also receives the constant 1).
    [[nodiscard]] DWORD Op22();
    [[nodiscard]] DWORD Op23();  // F0
    [[nodiscard]] DWORD Op24();  // F0
    // 0 when the host answers exactly S_OK with the value 1, else 1.
    [[nodiscard]] DWORD Op25();
    [[nodiscard]] DWORD Op26();  // S0
    // 1 when the host answers exactly S_OK with a value that is not 0, else 0.
    [[nodiscard]] DWORD Op27();
    // 0; the host's list is appended whatever its result.
    [[nodiscard]] DWORD Op29(CStringList& list);
    [[nodiscard]] HRESULT Op40();  // H
    [[nodiscard]] HRESULT Op41();  // H
    void Op79(const CStringList& list);  // none
    [[nodiscard]] HRESULT Op83();                                // H
    [[nodiscard]] HRESULT Op84(DWORD number1, DWORD number2);    // H
    [[nodiscard]] HRESULT Op85(DWORD number);                    // H
    [[nodiscard]] DWORD Op86();                                  // S0
    // none; an empty text goes as a null address.
    void Op89(DWORD number1, DWORD number2, LPCSTR text);
    void Op90(DWORD number1, DWORD number2, DWORD number3, LPCSTR text);
    [[nodiscard]] DWORD Op91(const CString& text1, const CString& text2, DWORD number3, DWORD number4,
                             const CString& text5, DWORD number6);  // F0
    [[nodiscard]] HRESULT Op92();              // H
    void Op93(const CStringList& list);        // none
    [[nodiscard]] DWORD Op94(const CString& text, DWORD number);  // S0
    [[nodiscard]] HRESULT Op95();              // H
    void Op96(LPCSTR text, DWORD number1, DWORD number2, BOOL flag1, BOOL flag2);  // none

    // The sub-interface's operations, both F0.
    [[nodiscard]] DWORD SubOp38(const CString& text1, const CString& text2, DWORD number3, const CString& text4,
                                DWORD number5);
    [[nodiscard]] DWORD SubOp39(const CString& text1, const CString& text2, DWORD number3);

private:
    IHostServiceProvider* m_host = nullptr;  // borrowed
    IHServiceD* m_d = nullptr;               // borrowed
};
