// CHostOutputWrapper: writes one line to the host's output window. A caller
// builds one for each line, asks IsValid, formats and posts the line only
// then, and lets the wrapper go. Both operations count only an exact S_OK as
// success; a host without an output window is never called.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"
#include "platform/host/output_interfaces.h"

class CHostOutputWrapper {
public:
    explicit CHostOutputWrapper(IHostServiceProvider* host);
    CHostOutputWrapper(const CHostOutputWrapper&) = delete;
    CHostOutputWrapper& operator=(const CHostOutputWrapper&) = delete;

    // 1 when the output takes a line now (operation 3 answers exactly S_OK).
    [[nodiscard]] BOOL IsValid();
    // Posts one line without a terminator (operation 4); 1 when the host
    // answers exactly S_OK. A text that cannot be made into a BSTR goes as a
    // null BSTR.
    [[nodiscard]] BOOL PostText(LPCSTR text);

private:
    IHOutputWindow* m_output = nullptr;  // borrowed
};
