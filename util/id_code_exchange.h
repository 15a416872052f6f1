// ParseHexOrSymbol: the validating exchange of the 7-byte ID code, 14
// hexadecimal digits (an H' prefix allowed): the first 6 give the high part,
// the last 8 the low part. An invalid text shows "Invalid value or symbol: "
// with the working text, gives the control the focus and fails the
// exchange; the parts are then left as they were.
//
// Inline, as the class library's exchange functions are, so that the failed
// exchange is caught in the module of the dialog that exchanges.
#pragma once

#include "util/number_text.h"

#include "platform/afx.h"

inline void ParseHexOrSymbol(CDataExchange* exchange, int id, const CString& text, DWORD& high, DWORD& low) {
    exchange->PrepareEditCtrl(id);
    if (!exchange->m_bSaveAndValidate) {
        return;
    }
    const IdCodeReading reading = ReadIdCodeText(text);
    if (!reading.valid) {
        AfxMessageBox("Invalid value or symbol: " + reading.workingText, MB_ICONEXCLAMATION | MB_OK);
        exchange->Fail();
    }
    high = reading.high;
    low = reading.low;
}
