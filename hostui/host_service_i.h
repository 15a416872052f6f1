// CHostServiceI: the wrapper over the host's interface I and the items it
// gives by key. IsValid tells whether the host gave the interface; every
// other method asks it first and, without the interface, calls nothing and
// answers the value its comment gives as "not valid".
//   F   0 when the host's result is not negative, else 1
//   F0  0 only for exactly S_OK, else 1
//   S   1 when the host's result is not negative, else 0
//   S0  1 only for exactly S_OK, else 0
//   HR  the host's result itself
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/wrapped_interfaces.h"

class CHostServiceI {
public:
    explicit CHostServiceI(IHostServiceProvider* host);
    CHostServiceI(const CHostServiceI&) = delete;
    CHostServiceI& operator=(const CHostServiceI&) = delete;

    [[nodiscard]] BOOL IsValid() const { return m_i != nullptr ? TRUE : FALSE; }

    [[nodiscard]] DWORD Op8(DWORD* out);  // F0, the number only on exactly S_OK; not valid: 1
    // The item of the key: its two texts and its number, all only when the
    // host and the item answer every read with exactly S_OK (then 0); else 1
    // and nothing changes. Not valid: 1.
    [[nodiscard]] DWORD Op9(DWORD key, CString& text1, CString& text2, DWORD* number);
    [[nodiscard]] DWORD Op10(DWORD number);  // F0; not valid: 1
    [[nodiscard]] DWORD Op11(DWORD number);  // F0; not valid: 1
    [[nodiscard]] DWORD Op33();              // F; not valid: 1
    [[nodiscard]] DWORD Op35();              // S0; not valid: 0
    // S0, the host receiving the five values; not valid: 0.
    [[nodiscard]] DWORD Op43(const CString& text1, const CString& text2, const DWORD* value1, const DWORD* value2,
                             const DWORD* value3, const DWORD* value4, const DWORD* value5);
    [[nodiscard]] DWORD Op44();  // S0; not valid: 0
    [[nodiscard]] DWORD Op45();  // S0; not valid: 0
    void Op46();
    void Op47();
    [[nodiscard]] HRESULT Op48(const CStringList& list);  // HR; not valid: 0
    // S, the text when the result is not negative; not valid: 0.
    [[nodiscard]] DWORD Op49(CString text1, DWORD number, CString text2, CString& out);
    // S, the strings appended when the result is not negative; not valid: 0.
    [[nodiscard]] DWORD Op50(CString text, const CDWordArray& values, CStringList& list);

private:
    IHServiceI* m_i = nullptr;  // borrowed
};
