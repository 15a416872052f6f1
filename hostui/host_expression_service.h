// CHostExpressionService: the wrapper over the host's expression evaluator.
// Texts cross as BSTRs made for the call and freed after it; every method
// answers the host's result unchanged. A wrapper whose host refused the
// interface answers E_FAIL without calling anything.
#pragma once

#include "platform/afx.h"
#include "platform/host/expression_interfaces.h"

class CHostExpressionService {
public:
    explicit CHostExpressionService(IHostServiceProvider* host);
    CHostExpressionService(const CHostExpressionService&) = delete;
    CHostExpressionService& operator=(const CHostExpressionService&) = delete;

    bool IsUsable() const { return m_evaluator != nullptr; }

    HRESULT GetDefaultRadix(WORD* radix);                                       // 3
    HRESULT SetDefaultRadix(DWORD radix);                                       // 4
    HRESULT Evaluate32(const CString& text, DWORD* value, DWORD context);        // 6
    HRESULT EvaluateSigned(const CString& text, LONG* value, DWORD context);    // 8
    HRESULT EvaluateWord(const CString& text, WORD* value, DWORD context);      // 10
    HRESULT EvaluateByte(const CString& text, BYTE* value, DWORD context);      // 12
    // 14: the text's unsigned 64-bit value in the context word's context.
    HRESULT Evaluate(const CString& text, ULONGLONG* value, const DWORD* context);
    HRESULT EvaluateSigned64(const CString& text, LONGLONG* value, DWORD context);  // 16
    HRESULT EvaluateFloat(const CString& text, float* value, DWORD context);        // 18
    HRESULT EvaluateDouble(const CString& text, double* value, DWORD context);      // 20
    HRESULT EvaluateAddress(const CString& text, DWORD* value, DWORD context);      // 22
    HRESULT FormatValue(DWORD value, CString& text, BOOL flag, DWORD format);       // 23
    HRESULT FormatHex(DWORD value, CString& text, DWORD width);                     // 25
    HRESULT FormatDecimal(DWORD value, CString& text, DWORD width);                 // 26
    HRESULT FormatSigned(DWORD value, CString& text, DWORD width);                  // 27
    HRESULT FormatHex64(ULONGLONG value, CString& text, DWORD width);               // 28
    HRESULT FormatOctal(DWORD value, CString& text, DWORD width);                   // 29
    HRESULT FormatBinary(DWORD value, CString& text, DWORD width);                  // 30
    HRESULT FormatCharacter(DWORD value, CString& text, DWORD width);               // 31
    HRESULT FormatDecimal64(ULONGLONG value, CString& text, DWORD width);           // 32
    HRESULT TextToFloat(const CString& text, float* value);                         // 33
    HRESULT TextToDouble(const CString& text, double* value);                       // 34
    HRESULT FloatToText(float value, CString& text, DWORD radix);                   // 35
    HRESULT DoubleToText(double value, CString& text, DWORD radix);                 // 36
    HRESULT FormatAddress(DWORD address, CString& text, BOOL first, BOOL second, BOOL third);  // 37
    // The text of an error code, from the evaluator's own error reporter.
    HRESULT GetErrorText(HRESULT code, CString& text);

private:
    IHExpressionEvaluator* m_evaluator = nullptr;  // borrowed
};
